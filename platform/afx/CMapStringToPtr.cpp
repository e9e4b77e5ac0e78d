#include "platform/afx/CMapStringToPtr.h"

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
