#include "toolkit/frames/SECControlBarManager.h"

IMPLEMENT_DYNAMIC(SECControlBarManager, CObject)
