#pragma once
// Drives a modal class-library dialog from its owner: each time the dialog's loop runs out of messages
// (WM_ENTERIDLE) the owner performs the next step, and ends the dialog with -99 when there are none
// left, so a test never hangs. A test registers OwnerProc as its owner window's procedure.

#include <deque>
#include <functional>
#include <utility>

#include "platform/afx/CDialog.h"
#include "platform/user/WinUser.h"

namespace afxtest {

inline std::deque<std::function<void(HWND)>>& Steps()
{
    static std::deque<std::function<void(HWND)>> steps;
    return steps;
}

inline LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE) {
        HWND dialog = reinterpret_cast<HWND>(lParam);
        if (Steps().empty()) {
            if (CDialog* object = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(dialog)))
                object->EndDialog(-99);
            else
                EndDialog(dialog, -99);
        } else {
            auto step = std::move(Steps().front());
            Steps().pop_front();
            step(dialog);
            PostMessage(dialog, WM_NULL, 0, 0);
        }
        return 0;
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}

// A window of class Wnd (a frame, say) that owns the test's modal dialogs and plays the steps for them;
// its menus' idle time is left alone.
template <class Wnd>
class StepsOwner : public Wnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX)
            return OwnerProc(this->m_hWnd, message, wParam, lParam);
        return Wnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace afxtest
