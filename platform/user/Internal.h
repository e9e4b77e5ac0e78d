#pragma once
// What the parts of the window manager call of each other.

#include <memory>

#include "platform/user/Window.h"

namespace platform::user {

// Calls the window's procedure on the calling thread (the window is kept alive through the call);
// 0 for a window that is gone.
LRESULT CallProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The calling thread's tick count as messages carry it.
DWORD MessageTime();

// Creation and destruction.
MINMAXINFO MinMaxInfo(HWND hwnd);
void DestroyThreadWindows(DWORD threadId);

// Positions: the WM_NCCALCSIZE default for a window rectangle (window coordinates in, client out).
RECT DefaultClientRect(DWORD style, DWORD exStyle, const RECT& windowRect, bool hasMenu);
// Moves the visible regions of the DCs held for windows after the tree changed.
void RefreshHeldDCs();
// The window's place among its siblings changed or it was shown, hidden, moved or sized: what
// became visible is invalidated (in the window, what covers it, and what it uncovered).
void ExposeScreenArea(const RECT& screenRect);
// Paints the desktop background into a screen area not covered by top-level windows.
void PaintDesktop(const RECT& screenRect);

// Painting state.
bool NeedsPaint(const Window& w);
void InvalidateWindow(Window& w, const gdi::Region* clientRegion, UINT flags);

// Activation, focus and capture when windows go away or hide.
void WindowGone(HWND hwnd);
void ActivateOtherWindow(HWND leaving);
HWND ActivateWindow(HWND hwnd, bool mouse);

// Hooks.
LRESULT CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam, bool* called = nullptr);
bool HasHooks(int idHook);

// Timers of a window that is going away.
void KillWindowTimers(HWND hwnd);
class MessageQueue;
struct MessageFilter {
    HWND hwnd { nullptr };
    UINT min { 0 };
    UINT max { 0 };
    bool accepts(const Window* w, HWND msgHwnd, UINT message) const;
};
// With the lock held: a due timer of the queue that passes the filter, as WM_TIMER (rescheduled when removed).
bool FetchTimer(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG& msg);
// With the lock held: the uptime (ms) at which the queue's next timer is due, or -1.
long long NextTimerDue(const MessageQueue& queue);
// With the lock held: a window of the queue's thread that needs WM_PAINT and passes the filter.
HWND FindPaintWindow(const MessageQueue& queue, const MessageFilter& filter);
// Work done as an input message leaves the queue (key state, hooks, activation by click, cursor);
// false when a hook or the window swallowed it.
bool TakeInputMessage(MSG& msg, bool remove);
// A pointer message queued before a window of this thread took the capture goes to that window,
// as a client message, like input that arrives after.
void RetargetToCapture(MSG& msg);
// The next message of a loop that runs while hwnd holds the capture (moving, sizing, tracking a
// button or a thumb). False when the loop must end: the capture went elsewhere, or WM_QUIT came and
// was posted again so that the outer message loop sees it.
bool NextCapturedMessage(HWND hwnd, MSG& msg);
// The point moved inside the rectangle ClipCursor keeps the pointer in.
POINT ClipToCursorRect(POINT screen);
// Uptime in milliseconds on the installed clock.
long long UptimeMs();
// The display back-end, when it needs the calling thread to fetch its events: waits up to the
// timeout for them and injects them; false when there is no such back-end on this thread.
bool PumpDisplay(DWORD timeoutMs);

// The screen surface the DCs draw on, and the present call of the back-end.
void PresentScreen();

// The non-client parts (DefWindowProc).
LRESULT NonClientHitTest(HWND hwnd, POINT screenPt);
// Paints the frame, caption, menu bar and scroll bars; only within region (screen coordinates) when one
// is given, as WM_NCPAINT's wParam gives it (1 stands for the whole frame).
void PaintNonClient(HWND hwnd, bool active, HRGN region = nullptr);
// A press on a window scroll bar: WM_HSCROLL / WM_VSCROLL for the part pressed, following the thumb.
void TrackWindowScrollBar(HWND hwnd, int bar, POINT screenPt);

} // namespace platform::user
