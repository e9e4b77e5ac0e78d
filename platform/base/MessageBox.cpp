#include "platform/base/MessageBox.h"

#include <cstdio>
#include <mutex>
#include <utility>
#include <span>
#include <vector>

#include "platform/base/WinError.h"

namespace platform {

namespace {

// The buttons of each button style, left to right.
std::span<const int> ButtonsOf(UINT type)
{
    static constexpr int ok[] = { IDOK };
    static constexpr int okCancel[] = { IDOK, IDCANCEL };
    static constexpr int abortRetryIgnore[] = { IDABORT, IDRETRY, IDIGNORE };
    static constexpr int yesNoCancel[] = { IDYES, IDNO, IDCANCEL };
    static constexpr int yesNo[] = { IDYES, IDNO };
    static constexpr int retryCancel[] = { IDRETRY, IDCANCEL };
    static constexpr int cancelTryContinue[] = { IDCANCEL, IDTRYAGAIN, IDCONTINUE };
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return ok;
    case MB_OKCANCEL:
        return okCancel;
    case MB_ABORTRETRYIGNORE:
        return abortRetryIgnore;
    case MB_YESNOCANCEL:
        return yesNoCancel;
    case MB_YESNO:
        return yesNo;
    case MB_RETRYCANCEL:
        return retryCancel;
    case MB_CANCELTRYCONTINUE:
        return cancelTryContinue;
    default:
        return {};
    }
}

int PresentOnStderr(const std::string& text, const std::string& caption, UINT type)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return DefaultMessageBoxButton(type);
}

struct PresenterSlot {
    std::mutex mutex;
    MessageBoxPresenter presenter { PresentOnStderr };
};

thread_local HWND t_owner { nullptr };

PresenterSlot& Slot()
{
    static PresenterSlot* slot = new PresenterSlot;
    return *slot;
}

} // namespace

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter)
{
    if (!presenter)
        presenter = PresentOnStderr;
    std::lock_guard lock(Slot().mutex);
    return std::exchange(Slot().presenter, std::move(presenter));
}

HWND MessageBoxOwner() { return t_owner; }

int DefaultMessageBoxButton(UINT type)
{
    const auto buttons = ButtonsOf(type);
    if (buttons.empty())
        return 0;
    // A default beyond the last button falls back to the first, as a dialog with fewer buttons would.
    const std::size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons[0];
}

} // namespace platform

int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    if (platform::ButtonsOf(uType).empty()) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    platform::MessageBoxPresenter presenter;
    {
        std::lock_guard lock(platform::Slot().mutex);
        presenter = platform::Slot().presenter;
    }
    // Called without the lock: a presenter may run a modal loop that shows another message box, so the
    // owner of this one is put back afterwards.
    const HWND outer = std::exchange(platform::t_owner, hWnd);
    const int answer = presenter(lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType);
    platform::t_owner = outer;
    return answer;
}

BOOL MessageBeep(UINT) { return TRUE; }
