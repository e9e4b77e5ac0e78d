#include "platform/afx/CMapStringToOb.h"

IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
