#pragma once
// Turns the mouse messages of the listener's window into drag decisions: a press where a drag may
// start arms it, and moving the pointer at least the threshold away from the press starts it. A
// message that starts or runs a drag never reaches the window itself.

#include <cmath>

#include "platform/afx/CWnd.h"

template<class Base> class SECStartDragCore_T : public Base {
public:
    // Result flags that end the listener walk and keep the message from the window.
    static constexpr DWORD ConsumeMessage = 0xFF;

    virtual BOOL HandleMouseMessage(const MSG& msg)
    {
        POINT pt {};
        switch (msg.message) {
        case WM_MOUSEMOVE:
            GetMessagePoint(pt, msg);
            return OnDragMouseMove(static_cast<UINT>(msg.wParam), pt);
        case WM_LBUTTONDOWN:
            GetMessagePoint(pt, msg);
            return OnDragButtonDown(static_cast<UINT>(msg.wParam), pt);
        case WM_LBUTTONUP:
            GetMessagePoint(pt, msg);
            return OnDragButtonUp(static_cast<UINT>(msg.wParam), pt);
        default:
            return FALSE;
        }
    }
    virtual BOOL CanStartDrag(UINT /*nFlags*/, POINT /*point*/) { return TRUE; }
    virtual BOOL StartDrag(UINT /*nFlags*/, POINT /*press*/, POINT /*current*/) { return FALSE; }
    virtual BOOL OnDragDoubleClick(UINT /*nFlags*/, POINT /*point*/) { return FALSE; }
    virtual BOOL OnDragButtonDown(UINT nFlags, POINT point)
    {
        if (!CanStartDrag(nFlags, point))
            return FALSE;
        m_bArmed = TRUE;
        m_ptPress = point;
        return OnDragMouseMove(nFlags, m_ptPress);
    }
    virtual BOOL OnDragButtonUp(UINT, POINT)
    {
        m_bArmed = FALSE;
        return FALSE;
    }
    virtual BOOL OnDragDoubleClickMsg(UINT nFlags, POINT point)
    {
        return CanStartDrag(nFlags, point) ? OnDragDoubleClick(nFlags, point) : FALSE;
    }
    virtual BOOL OnDragMouseMove(UINT nFlags, POINT point)
    {
        if (!m_bArmed)
            return FALSE;
        const double dx = point.x - m_ptPress.x;
        const double dy = point.y - m_ptPress.y;
        if (std::sqrt(dx * dx + dy * dy) < m_dDragThreshold)
            return FALSE;
        m_bArmed = FALSE;
        return StartDrag(nFlags, m_ptPress, point);
    }
    // The message's client point, each coordinate a signed 16-bit value, on the screen.
    virtual void GetMessagePoint(POINT& point, const MSG& msg)
    {
        point = { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
        ::ClientToScreen(msg.hwnd, &point);
    }

    BOOL HandleChainMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (HandleDragMessage(message, wParam, lParam)) {
            this->SetResultFlags(ConsumeMessage);
            this->SetListenerResult(0);
            return TRUE;
        }
        return Base::HandleChainMessage(message, wParam, lParam, pResult);
    }

    void SetDragThreshold(double dThreshold) { m_dDragThreshold = dThreshold; }
    double GetDragThreshold() const { return m_dDragThreshold; }
    BOOL IsArmed() const { return m_bArmed; }

protected:
    BOOL HandleDragMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const HWND hWnd = this->GetJoinedHandle();
        POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        const UINT nFlags = static_cast<UINT>(wParam);
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
            ::ClientToScreen(hWnd, &pt);
            if (message == WM_LBUTTONDOWN)
                return OnDragButtonDown(nFlags, pt);
            if (message == WM_LBUTTONUP)
                return OnDragButtonUp(nFlags, pt);
            if (message == WM_LBUTTONDBLCLK)
                return OnDragDoubleClickMsg(nFlags, pt);
            return OnDragMouseMove(nFlags, pt);
        // Non-client points are screen points already; only the caption starts drags.
        case WM_NCLBUTTONDOWN:
            return wParam == HTCAPTION && OnDragButtonDown(HTCAPTION, pt);
        case WM_NCLBUTTONDBLCLK:
            return wParam == HTCAPTION && OnDragDoubleClickMsg(HTCAPTION, pt);
        case WM_NCLBUTTONUP:
            return OnDragButtonUp(nFlags, pt);
        case WM_NCMOUSEMOVE:
            return OnDragMouseMove(nFlags, pt);
        default:
            return FALSE;
        }
    }

    double m_dDragThreshold { 1.0 };
    BOOL m_bArmed { FALSE };
    POINT m_ptPress {};
};
