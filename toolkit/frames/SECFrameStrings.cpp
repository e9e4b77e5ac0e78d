#include "toolkit/frames/SECFrameStrings.h"

CString SECLoadStringOr(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszFallback;
    return text;
}
