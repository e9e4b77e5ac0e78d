#include "platform/afx/CPtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
