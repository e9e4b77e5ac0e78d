#include "toolkit/frames/SECDisplayCache.h"

SECDisplayCache::SECDisplayCache()
{
    // The major version sits in the low byte of the version word.
    m_bWin4 = LOBYTE(LOWORD(::GetVersion())) >= 4;
    m_nBorderX = m_nBorderY = m_bWin4 ? 2 : 1;
    RefreshSystemColors();
    m_hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
}

void SECDisplayCache::RefreshSystemColors()
{
    m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_clr3DLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
}

SECDisplayCache& displayCache()
{
    static SECDisplayCache cache;
    return cache;
}
