#pragma once
// The nested message loop of a drag that holds the mouse capture (splitters, bars, help): messages come
// one by one to the loop's owner, the application's pre-translation and idle work still run, and the
// loop ends when the capture goes elsewhere or the program quits, leaving WM_QUIT for the outer loop.

#include "platform/afx/Afx.h"

class SECTrackLoop {
public:
    // Locks the temporary window objects for the loop's life, so pointers taken before it stay valid.
    explicit SECTrackLoop(HWND hWndCapture);
    ~SECTrackLoop();
    SECTrackLoop(const SECTrackLoop&) = delete;
    SECTrackLoop& operator=(const SECTrackLoop&) = delete;

    // The next message for the loop; FALSE when the loop must end: WM_QUIT came (it is posted again)
    // or the capture went to another window.
    BOOL Next(MSG& msg);
    // A message the loop does not handle itself: pre-translated by the application, then dispatched.
    static void Dispatch(MSG& msg);
    // Escape and the right button cancel a drag.
    static BOOL IsCancelMessage(const MSG& msg)
    {
        return msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
    }
    BOOL IsQuitting() const { return m_bQuit; }

private:
    HWND m_hWndCapture { nullptr };
    BOOL m_bQuit { FALSE };
};
