#include "platform/user/ControlSupport.h"

#include <cctype>

namespace platform::user {

void NotifyParent(HWND control, WORD code)
{
    HWND parent = GetParent(control);
    if (parent)
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HBRUSH ControlColors(HWND control, HDC hdc, UINT message)
{
    HWND parent = GetParent(control);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(
            SendMessage(parent, message, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(control)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProc(control, message, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(control)));
    return brush;
}

void SetItemColors(HWND control, HDC hdc, const RECT& item, bool selected, COLORREF normalText)
{
    if (selected) {
        FillRect(hdc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        SetTextColor(hdc, IsWindowEnabled(control) ? normalText : GetSysColor(COLOR_GRAYTEXT));
    }
}

std::string WindowTextOf(HWND hwnd)
{
    const int length = GetWindowTextLength(hwnd);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowText(hwnd, text.data(), length + 1), 0)));
    return text;
}

HFONT FontOr(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

char MnemonicOf(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

} // namespace platform::user
