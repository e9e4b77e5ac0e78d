#include "toolkit/controls/SECTab.h"

IMPLEMENT_DYNAMIC(SECTab, CObject)
