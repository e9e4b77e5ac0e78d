#include "platform/user/MenuLook.h"

namespace platform::user {

MenuFonts::MenuFonts(HDC hdc)
    : m_dc(hdc)
{
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    m_normal = CreateFontIndirect(&metrics.lfMenuFont);
    LOGFONT bold = metrics.lfMenuFont;
    bold.lfWeight = FW_BOLD;
    m_bold = CreateFontIndirect(&bold);
    m_old = SelectObject(hdc, m_normal);
}

MenuFonts::~MenuFonts()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_normal);
    DeleteObject(m_bold);
}

void MenuFonts::useBold(bool bold) { SelectObject(m_dc, bold ? m_bold : m_normal); }

SIZE MenuTextExtent(HDC hdc, const std::string& text)
{
    RECT r { 0, 0, 0, 0 };
    if (!text.empty())
        DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    TEXTMETRIC tm;
    GetTextMetrics(hdc, &tm);
    return SIZE { r.right - r.left, std::max<LONG>(r.bottom - r.top, tm.tmHeight) };
}

void DrawMenuGlyph(HDC hdc, const RECT& r, UINT glyph, COLORREF foreground, COLORREF background)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    // The glyph comes black on white; through a monochrome bitmap black takes the text colour and
    // white the background colour.
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldBitmap = SelectObject(memory, mask);
    RECT inside { 0, 0, w, h };
    DrawFrameControl(memory, &inside, DFC_MENU, glyph);
    const COLORREF oldText = SetTextColor(hdc, foreground);
    const COLORREF oldBack = SetBkColor(hdc, background);
    BitBlt(hdc, r.left, r.top, w, h, memory, 0, 0, SRCCOPY);
    SetTextColor(hdc, oldText);
    SetBkColor(hdc, oldBack);
    SelectObject(memory, oldBitmap);
    DeleteObject(mask);
    DeleteDC(memory);
}

} // namespace platform::user
