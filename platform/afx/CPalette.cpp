#include "platform/afx/CPalette.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
