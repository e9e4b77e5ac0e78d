#include "platform/afx/CFont.h"

#include <cstring>

#include "platform/afx/CDC.h"
#include "platform/user/WinUser.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
    BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
        nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    HDC hdc = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    const int dpi = hdc ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    if (!pDC && hdc)
        ::ReleaseDC(nullptr, hdc);
    LOGFONT logFont {};
    logFont.lfHeight = -MulDiv(nPointSize, dpi, 720);
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        std::strncpy(logFont.lfFaceName, lpszFaceName, sizeof(logFont.lfFaceName) - 1);
    return CreateFontIndirect(&logFont);
}
