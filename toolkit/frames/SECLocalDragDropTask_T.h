#pragma once
// Runs a drag in a modal message loop of its own with the mouse captured. The drag drops on the left
// button's release and is cancelled by Escape, the right button, a lost capture or the program quitting;
// keys other than Escape are swallowed while it runs.

#include "toolkit/frames/SECDragDropTaskBase.h"
#include "toolkit/frames/SECStartDragCore_T.h"
#include "toolkit/frames/SECTrackLoop.h"

template<class Base> class SECLocalDragDropTask_T : public SECStartDragCore_T<Base>, public SECDragDropTaskBase {
public:
    BOOL CanStartDrag(UINT nFlags, POINT point) override { return CanStartDragStep(nFlags, point); }
    BOOL OnDragDoubleClick(UINT nFlags, POINT point) override { return DoubleClickStep(nFlags, point); }
    BOOL StartDrag(UINT nFlags, POINT press, POINT current) override
    {
        if (!BeginDragStep(nFlags, press))
            return FALSE;
        const BOOL bDropped = RunDragLoop(nFlags, current);
        EndDragStep(nFlags, current, bDropped);
        return TRUE;
    }

    virtual BOOL RunDragLoop(UINT& nFlags, POINT& point)
    {
        const HWND hWnd = this->GetJoinedHandle();
        if (!hWnd || ::GetCapture() == hWnd)
            return FALSE;
        ::SetCapture(hWnd);
        ::UpdateWindow(hWnd);
        const BOOL bDropped = DragLoop(nFlags, point);
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
        return bDropped;
    }
    virtual BOOL DragLoop(UINT& nFlags, POINT& point)
    {
        SECTrackLoop loop(this->GetJoinedHandle());
        DragMove(nFlags, point);
        MSG msg {};
        for (;;) {
            if (!loop.Next(msg) || SECTrackLoop::IsCancelMessage(msg))
                return FALSE;
            switch (msg.message) {
            case WM_MOUSEMOVE:
                point = ScreenPoint(msg);
                DragMove(static_cast<UINT>(msg.wParam), point);
                break;
            case WM_LBUTTONUP:
                nFlags = static_cast<UINT>(msg.wParam);
                point = ScreenPoint(msg);
                return TRUE;
            case WM_KEYDOWN:
                break;
            default:
                SECTrackLoop::Dispatch(msg);
                break;
            }
        }
    }
    virtual BOOL DragMove(UINT nFlags, POINT point) { return DragOverStep(nFlags, point); }

private:
    static POINT ScreenPoint(const MSG& msg)
    {
        POINT pt { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
        ::ClientToScreen(msg.hwnd, &pt);
        return pt;
    }
};
