#pragma once
// The toolkit frames' texts: a string resource, or the text it holds when the program carries no
// resources of the toolkit (tests, tools).

#include "platform/afx/CString.h"

CString SECLoadStringOr(UINT nID, LPCTSTR lpszFallback);
