#include "platform/afx/CBrush.h"

#include "platform/afx/CBitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap && Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // System colour brushes belong to the system: a copy of the colour keeps ownership simple.
    return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
}
