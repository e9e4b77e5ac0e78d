#include "platform/afx/CPen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)
