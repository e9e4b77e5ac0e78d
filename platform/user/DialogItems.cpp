// Reading and writing a dialog's controls by id.

#include <cctype>
#include <climits>
#include <string>

#include "platform/user/ControlSupport.h"

using namespace platform::user;

LRESULT SendDlgItemMessage(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND control = GetDlgItem(dlg, id);
    return control ? SendMessage(control, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemText(HWND dlg, int id, LPCSTR text)
{
    HWND control = GetDlgItem(dlg, id);
    return control ? SetWindowText(control, text) : FALSE;
}

UINT GetDlgItemText(HWND dlg, int id, LPSTR buffer, int size)
{
    HWND control = GetDlgItem(dlg, id);
    if (!control) {
        if (buffer && size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowText(control, buffer, size));
}

BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned)
{
    const std::string text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    return SetDlgItemText(dlg, id, text.c_str());
}

UINT GetDlgItemInt(HWND dlg, int id, BOOL* translated, BOOL isSigned)
{
    if (translated)
        *translated = FALSE;
    HWND control = GetDlgItem(dlg, id);
    if (!control)
        return 0;
    const std::string text = WindowTextOf(control);
    std::size_t at = 0;
    auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (at < text.size() && isSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        if (negative && !isSigned)
            return 0;
        ++at;
    }
    const std::size_t digits = at;
    long long value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = value * 10 + (text[at] - '0');
        if (value > (isSigned ? static_cast<long long>(INT_MAX) + 1 : static_cast<long long>(UINT_MAX)))
            return 0;
        ++at;
    }
    if (at == digits)
        return 0;
    while (at < text.size() && isSpace(text[at]))
        ++at;
    if (at != text.size())
        return 0;
    if (negative)
        value = -value;
    else if (isSigned && value > INT_MAX)
        return 0;
    if (translated)
        *translated = TRUE;
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dlg, int id, UINT check)
{
    HWND control = GetDlgItem(dlg, id);
    if (!control)
        return FALSE;
    SendMessage(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dlg, int id)
{
    HWND control = GetDlgItem(dlg, id);
    return control ? static_cast<UINT>(SendMessage(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dlg, int first, int last, int checked)
{
    if (!IsWindow(dlg) || first > last)
        return FALSE;
    for (int id = first; id <= last; ++id)
        if (HWND control = GetDlgItem(dlg, id))
            SendMessage(control, BM_SETCHECK, id == checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}
