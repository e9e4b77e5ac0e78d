#include "platform/afx/CPtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
