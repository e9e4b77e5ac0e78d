#pragma once
// Helpers of the dock state's stored forms (archive values, profile section names), shared by the class
// library's records and by records derived from them (not part of the class library's interface).

#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

class CArchive;

namespace afx {

// One value read from an archive (a short archive throws CArchiveException).
DWORD ReadDword(CArchive& ar);
LONG ReadLong(CArchive& ar);
// A point (or a size) as two LONGs.
void WritePoint(CArchive& ar, POINT pt);
CPoint ReadPoint(CArchive& ar);

// The profile sections of a dock state: "<profile>-Summary" and "<profile>-Bar<index>".
CString DockSummarySection(LPCTSTR lpszProfileName);
CString DockBarSection(LPCTSTR lpszProfileName, int nIndex);

} // namespace afx
