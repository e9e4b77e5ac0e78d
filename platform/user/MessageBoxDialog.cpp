#include "platform/user/MessageBoxDialog.h"

#include <algorithm>
#include <vector>

#include "platform/base/CodePage.h"
#include "platform/base/MessageBox.h"
#include "platform/base/MulDiv.h"
#include "platform/base/Thread.h"
#include "platform/user/DialogState.h"
#include "platform/user/Screen.h"

namespace platform::user {

namespace {

constexpr int kMargin = 7; // dialog units
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 6;
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0xFFFE;
// The 32-pixel icon in dialog units of the standard font (6 by 13 pixels to 4 by 8 units), and the gap
// between it and the text.
constexpr int kIconWidth = 22;
constexpr int kIconHeight = 20;
constexpr int kIconGap = 8;
constexpr int kMaxTextWidth = 280;

struct Button {
    int id;
    const char* text;
};

std::vector<Button> buttonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return { { IDOK, "OK" } };
    case MB_OKCANCEL:
        return { { IDOK, "OK" }, { IDCANCEL, "Cancel" } };
    case MB_ABORTRETRYIGNORE:
        return { { IDABORT, "&Abort" }, { IDRETRY, "&Retry" }, { IDIGNORE, "&Ignore" } };
    case MB_YESNOCANCEL:
        return { { IDYES, "&Yes" }, { IDNO, "&No" }, { IDCANCEL, "Cancel" } };
    case MB_YESNO:
        return { { IDYES, "&Yes" }, { IDNO, "&No" } };
    case MB_RETRYCANCEL:
        return { { IDRETRY, "&Retry" }, { IDCANCEL, "Cancel" } };
    case MB_CANCELTRYCONTINUE:
        return { { IDCANCEL, "Cancel" }, { IDTRYAGAIN, "&Try Again" }, { IDCONTINUE, "&Continue" } };
    default:
        return {};
    }
}

// Builds an extended dialog template in memory.
class TemplateWriter {
public:
    void word(unsigned v)
    {
        m_data.push_back(static_cast<BYTE>(v & 0xFF));
        m_data.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
    }
    void dword(DWORD v)
    {
        word(v & 0xFFFF);
        word(v >> 16);
    }
    void text(const std::string& utf8)
    {
        const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
        std::u16string units(static_cast<std::size_t>(std::max(n, 0)), u'\0');
        if (n > 0)
            MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), units.data(), n);
        for (char16_t u : units)
            word(u);
        word(0);
    }
    void align()
    {
        while (m_data.size() % 4)
            m_data.push_back(0);
    }
    void item(DWORD style, int x, int y, int cx, int cy, DWORD id, WORD classOrdinal, const std::string& caption)
    {
        align();
        dword(0);
        dword(0);
        dword(WS_CHILD | WS_VISIBLE | style);
        for (int v : { x, y, cx, cy })
            word(static_cast<unsigned>(static_cast<short>(v)) & 0xFFFF);
        dword(id);
        word(0xFFFF);
        word(classOrdinal);
        text(caption);
        word(0);
    }
    const DLGTEMPLATE* get()
    {
        align();
        return reinterpret_cast<const DLGTEMPLATE*>(m_data.data());
    }

private:
    std::vector<BYTE> m_data;
};

// The system icon of the type's icon bits; null for none.
LPCSTR iconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

struct BoxState {
    UINT type { 0 };
    bool hasCancel { false };
    // Nobody sits at the memory-only screen: when the box's loop runs out of things to do and no test
    // drives it, it answers with its default button.
    bool answerWhenIdle { false };
};

INT_PTR CALLBACK boxProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtr(dlg, DWLP_USER, lParam);
        const auto* box = reinterpret_cast<const BoxState*>(lParam);
        if (LPCSTR icon = iconOf(box->type))
            SendDlgItemMessage(dlg, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, icon)), 0);
        // The default button has the focus when the box appears.
        const LRESULT def = SendMessage(dlg, DM_GETDEFID, 0, 0);
        DialogState* state = DialogStateOf(dlg);
        if (state && state->modal && box->answerWhenIdle)
            state->modal->idleAnswer = platform::DefaultMessageBoxButton(box->type);
        if (state && HIWORD(def) == DC_HASDEFID)
            state->savedFocus = GetDlgItem(dlg, LOWORD(def));
        return state && state->savedFocus ? FALSE : TRUE;
    }
    case WM_COMMAND: {
        const auto* state = reinterpret_cast<const BoxState*>(GetWindowLongPtr(dlg, DWLP_USER));
        int id = LOWORD(wParam);
        if (id == IDCANCEL && state && !state->hasCancel) {
            // Escape and the close box answer OK when OK is the only button, and nothing otherwise.
            if ((state->type & MB_TYPEMASK) != MB_OK)
                return TRUE;
            id = IDOK;
        }
        if (id == kTextId)
            return TRUE;
        EndDialog(dlg, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

SIZE textSize(const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT r { 0, 0, MulDiv(kMaxTextWidth, 6, 4), 0 };
    DrawText(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return { r.right - r.left, r.bottom - r.top };
}

int showBox(HWND owner, const std::string& text, const std::string& caption, UINT type, bool answerWhenIdle)
{
    const std::vector<Button> buttons = buttonsOf(type);
    if (buttons.empty()) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    // Text and buttons in dialog units of the standard font (6 by 13 pixels to 4 by 8 units).
    const SIZE pixels = textSize(text);
    const bool hasIcon = iconOf(type) != nullptr;
    const int textWidth = MulDiv(pixels.cx, 4, 6) + 2;
    const int textHeight = MulDiv(pixels.cy, 8, 13) + 1;
    const int textLeft = kMargin + (hasIcon ? kIconWidth + kIconGap : 0);
    const int textTop = kMargin + (hasIcon ? std::max(0, (kIconHeight - textHeight) / 2) : 0);
    const int topHeight = std::max(textTop - kMargin + textHeight, hasIcon ? kIconHeight : 0);
    const int buttonsWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int width = std::max(textLeft - kMargin + textWidth, buttonsWidth) + 2 * kMargin;
    const int height = kMargin + topHeight + kMargin + kButtonHeight + kMargin;
    const unsigned defaultIndex
        = std::min<unsigned>((type & MB_DEFMASK) >> 8, static_cast<unsigned>(buttons.size()) - 1);

    TemplateWriter t;
    t.word(1);
    t.word(0xFFFF);
    t.dword(0);
    t.dword((type & MB_TOPMOST) ? WS_EX_TOPMOST : 0);
    t.dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT);
    t.word(static_cast<unsigned>(buttons.size() + (hasIcon ? 2 : 1)));
    for (int v : { 0, 0, width, height })
        t.word(static_cast<unsigned>(v));
    t.word(0); // no menu
    t.word(0); // the dialog class
    t.text(caption);
    t.word(8);
    t.word(FW_NORMAL);
    t.word(0); // upright, default character set
    t.text("MS Sans Serif");
    t.item(SS_LEFT | SS_NOPREFIX, textLeft, textTop, textWidth, textHeight, kTextId, 0x82, text);
    if (hasIcon)
        t.item(SS_ICON, kMargin, kMargin, kIconWidth, kIconHeight, kIconId, 0x82, "");
    int x = (width - buttonsWidth) / 2;
    const int y = kMargin + topHeight + kMargin;
    for (unsigned i = 0; i < buttons.size(); ++i) {
        const DWORD style
            = (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
        t.item(style, x, y, kButtonWidth, kButtonHeight, static_cast<DWORD>(buttons[i].id), 0x80, buttons[i].text);
        x += kButtonWidth + kButtonGap;
    }
    BoxState state;
    state.type = type;
    state.hasCancel = std::any_of(buttons.begin(), buttons.end(), [](const Button& b) { return b.id == IDCANCEL; });
    state.answerWhenIdle = answerWhenIdle;
    // Reactivating the owner gives the focus to the owner itself: the control that had it gets it back.
    const HWND focus = GetFocus();
    const INT_PTR result = DialogBoxIndirectParam(nullptr, t.get(), owner, boxProc, reinterpret_cast<LPARAM>(&state));
    if (focus && IsWindow(focus) && IsWindowEnabled(focus) && GetActiveWindow() == GetAncestor(focus, GA_ROOT))
        SetFocus(focus);
    return result < 0 ? 0 : static_cast<int>(result);
}

// Presents every message box as a dialog owned by the window MessageBox was given (the active window
// when it was given none). On the memory-only screen the box answers by itself unless a test drives it,
// and an owner of another thread is left alone: that thread may be waiting for this one.
struct PresenterInstaller {
    PresenterInstaller()
    {
        platform::SetMessageBoxPresenter([](const std::string& text, const std::string& caption, UINT type) {
            const bool headless = std::string_view(Screen::Instance().backendName()) == "headless";
            HWND owner = platform::MessageBoxOwner();
            if (!owner)
                owner = GetActiveWindow();
            if (headless && owner && GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId())
                owner = nullptr;
            return showBox(owner, text, caption, type, headless);
        });
    }
};

const PresenterInstaller installer;

} // namespace

int ShowMessageBoxDialog(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return showBox(owner, text, caption, type, false);
}

} // namespace platform::user
