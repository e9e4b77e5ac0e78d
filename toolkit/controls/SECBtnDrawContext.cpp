#include "toolkit/controls/SECBtnDrawContext.h"

#include "platform/afx/CResourceException.h"
#include "platform/afx/CWindowDC.h"

SECBtnDrawContext::SECBtnDrawContext()
{
    CWindowDC screen(nullptr);
    if (!m_monoDC.CreateCompatibleDC(&screen) || !m_imageDC.CreateCompatibleDC(&screen)
        || !m_offscreenDC.CreateCompatibleDC(&screen) || !CreateDitherBrush())
        AfxThrowResourceException();
}

SECBtnDrawContext::~SECBtnDrawContext() { Release(); }

BOOL SECBtnDrawContext::Prepare(CSize szLargest)
{
    Release();
    CWindowDC screen(nullptr);
    if (szLargest.cx <= 0 || szLargest.cy <= 0
        || !m_offscreenBmp.CreateCompatibleBitmap(&screen, szLargest.cx, szLargest.cy)
        || !m_monoBmp.CreateBitmap(szLargest.cx, szLargest.cy, 1, 1, nullptr)) {
        m_offscreenBmp.DeleteObject();
        return FALSE;
    }
    m_hOldOffscreen = ::SelectObject(m_offscreenDC, m_offscreenBmp.m_hObject);
    m_hOldMono = ::SelectObject(m_monoDC, m_monoBmp.m_hObject);
    m_pOffscreenBmp = &m_offscreenBmp;
    m_pMonoBmp = &m_monoBmp;
    return TRUE;
}

void SECBtnDrawContext::Release()
{
    if (m_hOldOffscreen)
        ::SelectObject(m_offscreenDC, m_hOldOffscreen);
    if (m_hOldMono)
        ::SelectObject(m_monoDC, m_hOldMono);
    // The image belongs to the image store the bitmap menus draw from too, and a bitmap can be
    // selected into one context only: the paint gives it back.
    if (m_hOldImage)
        ::SelectObject(m_imageDC, m_hOldImage);
    m_hOldOffscreen = m_hOldMono = m_hOldImage = nullptr;
    m_hImage = nullptr;
    m_offscreenBmp.DeleteObject();
    m_monoBmp.DeleteObject();
    m_pOffscreenBmp = m_pMonoBmp = nullptr;
}

void SECBtnDrawContext::SysColorChange()
{
    m_ditherBrush.DeleteObject();
    CreateDitherBrush();
}

BOOL SECBtnDrawContext::CreateDitherBrush()
{
    HBRUSH hBrush = NewDitherBrush();
    return hBrush && m_ditherBrush.Attach(hBrush);
}

HBRUSH SECBtnDrawContext::NewDitherBrush()
{
    // An 8 x 8 one-bit picture whose rows alternate 01010101 and 10101010 (each row padded to 32 bits),
    // with colour 0 the button face and colour 1 the highlight.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info {};
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    const COLORREF colors[2] = { ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT) };
    for (int i = 0; i < 2; ++i)
        info.colors[i] = { GetBValue(colors[i]), GetGValue(colors[i]), GetRValue(colors[i]), 0 };
    const DWORD rows[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
    CWindowDC screen(nullptr);
    CBitmap pattern;
    if (!pattern.Attach(::CreateDIBitmap(screen, &info.header, CBM_INIT, rows,
            reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS)))
        return nullptr;
    return ::CreatePatternBrush(static_cast<HBITMAP>(pattern.m_hObject));
}
