#include "platform/afx/AfxDDX.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CWnd.h"
#include "platform/base/CaseFold.h"
#include "platform/user/WinControls.h"
#include "platform/user/WinDialogs.h"

namespace {

// ---- Texts of controls ----

CString WindowText(HWND hWnd)
{
    const int length = ::GetWindowTextLength(hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowText(hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return CString(text.c_str(), static_cast<int>(text.size()));
}

// An item's text of a list (LB_GETTEXTLEN/LB_GETTEXT) or combo box (CB_GETLBTEXTLEN/CB_GETLBTEXT).
CString ItemText(HWND hWnd, WPARAM index, UINT lengthMessage, UINT textMessage)
{
    const LRESULT length = ::SendMessage(hWnd, lengthMessage, index, 0);
    if (length < 0)
        return CString();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessage(hWnd, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? std::min<LRESULT>(copied, length) : 0));
    return CString(text.c_str(), static_cast<int>(text.size()));
}

// ---- Refusals ----

// The prompt of nIDPrompt with %1 and %2 replaced.
std::string Prompt(UINT nIDPrompt, const char* fallback, const std::string& first = {}, const std::string& second = {})
{
    CString loaded;
    std::string text = loaded.LoadString(nIDPrompt) && !loaded.IsEmpty() ? std::string(loaded.GetString()) : fallback;
    for (const auto& [marker, insert] : { std::pair<std::string_view, const std::string&> { "%1", first },
             std::pair<std::string_view, const std::string&> { "%2", second } }) {
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + insert.size()))
            text.replace(at, marker.size(), insert);
    }
    return text;
}

[[noreturn]] void Refuse(CDataExchange* pDX, UINT nIDPrompt, const char* fallback, const std::string& first = {},
    const std::string& second = {})
{
    AfxMessageBox(Prompt(nIDPrompt, fallback, first, second).c_str(), MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

// ---- Numbers ----

std::string_view Trimmed(const CString& text)
{
    std::string_view view(text.GetString(), static_cast<size_t>(text.GetLength()));
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!view.empty() && space(view.front()))
        view.remove_prefix(1);
    while (!view.empty() && space(view.back()))
        view.remove_suffix(1);
    return view;
}

// A whole decimal number that is all of the text (a sign allowed), when it fits in T.
template<typename T> std::optional<T> ParseWhole(const CString& text)
{
    std::string_view view = Trimmed(text);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    // An unsigned member takes no minus sign (a negative would wrap round to a huge value).
    if (view.empty() || (std::is_unsigned_v<T> && view.front() == '-'))
        return std::nullopt;
    T value {};
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value, 10);
    if (error != std::errc {} || end != view.data() + view.size())
        return std::nullopt;
    return value;
}

template<typename T> std::optional<T> ParseReal(const CString& text)
{
    const std::string view(Trimmed(text));
    if (view.empty())
        return std::nullopt;
    const char* begin = view.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end != begin + view.size() || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(value);
}

template<typename T> void ExchangeWhole(CDataExchange* pDX, int nIDC, T& value, UINT nIDPrompt, const char* fallback)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const std::optional<T> parsed = ParseWhole<T>(WindowText(control));
        if (!parsed)
            Refuse(pDX, nIDPrompt, fallback);
        value = *parsed;
    } else {
        ::SetWindowText(control, std::to_string(value).c_str());
    }
}

template<typename T> void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const std::optional<T> parsed = ParseReal<T>(WindowText(control));
        if (!parsed)
            Refuse(pDX, AFX_IDP_PARSE_REAL, "Please enter a number.");
        value = *parsed;
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        ::SetWindowText(control, text);
    }
}

std::string RealText(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

template<typename T> void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    if constexpr (std::is_floating_point_v<T>) {
        const int digits = std::is_same_v<T, float> ? FLT_DIG : DBL_DIG;
        Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2.", RealText(minVal, digits),
            RealText(maxVal, digits));
    } else {
        Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2.", std::to_string(minVal),
            std::to_string(maxVal));
    }
}

bool IsEdit(HWND hWnd)
{
    char name[16] {};
    ::GetClassName(hWnd, name, sizeof name);
    return platform::EqualsNoCase(name, WC_EDIT);
}

// The radio buttons of the group that starts at first: the following siblings up to the next WS_GROUP.
std::vector<HWND> RadioGroup(HWND first)
{
    std::vector<HWND> buttons;
    HWND control = first;
    do {
        if (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            buttons.push_back(control);
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLong(control, GWL_STYLE) & WS_GROUP));
    return buttons;
}

// Shows a text in a list or combo box: the item it selects, or in a combo box's edit field.
void SelectText(HWND control, const CString& value, bool combo, bool exact)
{
    LRESULT index;
    if (exact) {
        index = ::SendMessage(
            control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(value.GetString()));
        if (index >= 0)
            ::SendMessage(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
        index = ::SendMessage(control, combo ? CB_SELECTSTRING : LB_SELECTSTRING, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(value.GetString()));
    }
    if (index >= 0)
        return;
    if (!combo) {
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if ((::GetWindowLong(control, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST)
        ::SetWindowText(control, value);
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(control);
    else
        ::SetWindowText(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_UINT, "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    // A long is 32 bits on the original platform, and stored values and peers rely on that range.
    int narrow = static_cast<int>(value);
    ExchangeWhole(pDX, nIDC, narrow, AFX_IDP_PARSE_INT, "Please enter an integer.");
    value = narrow;
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, DBL_DIG); }

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, FLT_DIG); }

void DDX_Text(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const CString text = WindowText(control);
        COleDateTime parsed;
        if (Trimmed(text).empty())
            parsed.SetStatus(COleDateTime::null);
        else if (!parsed.ParseDateTime(text))
            Refuse(pDX, AFX_IDP_PARSE_DATETIME, "Please enter a date and/or time.");
        value = parsed;
    } else {
        ::SetWindowText(control, value.Format());
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    } else {
        const int state = value >= 0 && value <= 2 ? value : 0;
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    const std::vector<HWND> buttons = RadioGroup(first);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessage(buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = static_cast<int>(i);
        } else {
            ::SendMessage(buttons[i], BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

void ExchangeListText(CDataExchange* pDX, int nIDC, CString& value, bool exact)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SelectText(control, value, false, exact);
        return;
    }
    const LRESULT index = ::SendMessage(control, LB_GETCURSEL, 0, 0);
    value = index >= 0 ? ItemText(control, static_cast<WPARAM>(index), LB_GETTEXTLEN, LB_GETTEXT) : CString();
}

void ExchangeComboText(CDataExchange* pDX, int nIDC, CString& value, bool exact)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SelectText(control, value, true, exact);
        return;
    }
    // A combo box with an edit field holds what was typed; a drop-down list only its selection.
    if ((::GetWindowLong(control, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST) {
        value = WindowText(control);
        return;
    }
    const LRESULT index = ::SendMessage(control, CB_GETCURSEL, 0, 0);
    value = index >= 0 ? ItemText(control, static_cast<WPARAM>(index), CB_GETLBTEXTLEN, CB_GETLBTEXT) : CString();
}

} // namespace

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListText(pDX, nIDC, value, false); }

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListText(pDX, nIDC, value, true); }

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { ExchangeComboText(pDX, nIDC, value, false); }

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ExchangeComboText(pDX, nIDC, value, true); }

void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(control, SB_CTL);
    else
        ::SetScrollPos(control, SB_CTL, value, TRUE);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control))
        AfxThrowNotSupportedException();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && IsEdit(pDX->m_hWndLastControl))
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() > nChars)
        Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, "Enter no more than %1 characters.", std::to_string(nChars));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { CheckRange(pDX, value, minVal, maxVal); }

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckRange<int>(pDX, value, minVal, maxVal);
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}
