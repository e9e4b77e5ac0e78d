#include "platform/afx/AfxDockStateIO.h"

#include "platform/afx/CArchive.h"

namespace afx {

DWORD ReadDword(CArchive& ar)
{
    DWORD value = 0;
    ar >> value;
    return value;
}

LONG ReadLong(CArchive& ar)
{
    LONG value = 0;
    ar >> value;
    return value;
}

void WritePoint(CArchive& ar, POINT pt) { ar << static_cast<LONG>(pt.x) << static_cast<LONG>(pt.y); }

CPoint ReadPoint(CArchive& ar)
{
    const LONG x = ReadLong(ar);
    const LONG y = ReadLong(ar);
    return CPoint(x, y);
}

CString DockSummarySection(LPCTSTR lpszProfileName)
{
    CString section;
    section.Format("%s-Summary", lpszProfileName);
    return section;
}

CString DockBarSection(LPCTSTR lpszProfileName, int nIndex)
{
    CString section;
    section.Format("%s-Bar%d", lpszProfileName, nIndex);
    return section;
}

} // namespace afx
