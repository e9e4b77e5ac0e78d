#include "platform/afx/CMapWordToPtr.h"

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
