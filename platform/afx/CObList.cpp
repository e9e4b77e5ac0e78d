#include "platform/afx/CObList.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
