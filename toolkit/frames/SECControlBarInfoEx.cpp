#include "toolkit/frames/SECControlBarInfoEx.h"

IMPLEMENT_DYNCREATE(SECControlBarInfoEx, CObject)
