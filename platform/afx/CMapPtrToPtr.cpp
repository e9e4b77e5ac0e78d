#include "platform/afx/CMapPtrToPtr.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
