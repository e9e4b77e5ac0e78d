#include "platform/afx/CUIntArray.h"

IMPLEMENT_DYNAMIC(CUIntArray, CObject)
