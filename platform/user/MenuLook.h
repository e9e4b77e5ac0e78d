#pragma once
// The classic look shared by the menu bar and popups: the menu fonts and item metrics, and glyphs
// (check mark, bullet, submenu arrow) drawn in an item's colours.

#include <string>

#include "platform/user/WinUser.h"

namespace platform::user {

// Item metrics of the classic look.
struct MenuMetrics {
    static int PopupBorder() { return 3; }
    static int PopupItemHeight() { return GetSystemMetrics(SM_CYMENU) - 2; }
    static int SeparatorHeight() { return GetSystemMetrics(SM_CYMENU) / 2; }
    static int CheckColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 6; }
    static int ArrowColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }
    static int AcceleratorGap() { return 16; }
    static int BarItemPadding() { return 7; }
};

// The menu font and its bold form (default items) selected into a DC for the object's life.
class MenuFonts {
public:
    explicit MenuFonts(HDC hdc);
    ~MenuFonts();
    MenuFonts(const MenuFonts&) = delete;
    MenuFonts& operator=(const MenuFonts&) = delete;

    void useBold(bool bold);

private:
    HDC m_dc { nullptr };
    HFONT m_normal { nullptr };
    HFONT m_bold { nullptr };
    HGDIOBJ m_old { nullptr };
};

// The width and height of an item label as drawn (mnemonic marks left out).
SIZE MenuTextExtent(HDC hdc, const std::string& text);
// A DFC_MENU glyph in the foreground colour on the background colour.
void DrawMenuGlyph(HDC hdc, const RECT& r, UINT glyph, COLORREF foreground, COLORREF background);

} // namespace platform::user
