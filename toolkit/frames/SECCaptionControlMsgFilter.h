#pragma once
// One button in the owner's caption drawn by the toolkit: close, minimise, maximise, restore or help
// (its id is the kind), or a button of a derived filter. It shows and enables itself from the owner's
// style, tracks a press with the mouse captured, and on release inside sends its command; a held press
// can act after a delay through a hidden timer window.

#include "platform/gdi/FrameDrawing.h"
#include "toolkit/frames/SECCaptionMsgFilter.h"

class SECCaptionControlMsgFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(SECCaptionControlMsgFilter)
public:
    // Ids below this are kinds: their state carries the kind for DrawFrameControl.
    static constexpr int kMaxKindID = 4096;
    // The gestures a command can come from.
    enum Gesture { kClick = 0, kRightClick = 1, kHeld = 2 };

    explicit SECCaptionControlMsgFilter(
        CWnd* pOwner = nullptr, int nID = -1, UINT nState = 0, UINT nType = DFC_CAPTION);
    ~SECCaptionControlMsgFilter() override;
    SEC_MSGFILTER_CLONE(SECCaptionControlMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual void Draw();
    // Whether a screen point lies on the control.
    virtual BOOL HitTest(CPoint ptScreen) const;
    virtual void OnLButtonDown(CPoint ptScreen);
    virtual void OnLButtonUp(CPoint ptScreen);
    // The held press: tracking ends and the held command runs.
    virtual void OnRepeat(CPoint ptScreen);
    virtual void OnMouseMove(CPoint ptScreen);
    virtual void DoCommand(int nGesture, CPoint ptScreen);
    // The message a gesture sends to the owner; FALSE for none.
    virtual BOOL GetCommand(int nGesture, CPoint ptScreen, MSG& msg) const;
    virtual void BeginTrack(BOOL bPushed, BOOL bRedraw);
    virtual void EndTrack(BOOL bRedraw);
    virtual void StopTimer();
    virtual void StartTimer(CPoint ptScreen);
    // Whether the control shows for the owner's style; *pbEnabled tells whether it can be pressed.
    virtual BOOL IsVisible(BOOL* pbEnabled) const;
    // The hit code of the part of the owner the control stands in.
    virtual LRESULT GetHitCode() const { return HTCAPTION; }

    // Layout of the control list.
    const CRect& GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    UINT GetState() const { return m_nState; }
    void SetState(UINT nState) { m_nState = nState; }
    // The state with the kind, as DrawFrameControl takes it.
    UINT GetDrawState() const;
    BOOL IsTracking() const { return m_bTracking; }
    int GetInterval() const { return m_nInterval; }
    HWND GetTimerWnd() const { return m_hTimerWnd; }

protected:
    SECCaptionControlMsgFilter(const SECCaptionControlMsgFilter& other, CWnd* pOwner);
    CPoint ToScreen(CPoint ptClient) const;
    BOOL IsPushed() const { return (m_nState & DFCS_PUSHED) != 0; }
    void SetPushed(BOOL bPushed);

    CRect m_rect; // window coordinates
    UINT m_nType { DFC_CAPTION };
    UINT m_nState { 0 };
    BOOL m_bTracking { FALSE };
    int m_nInterval { -1 }; // ms of a held press; -1 none
    // The timer window by handle: it is a child of the owner and can go with the owner before the
    // filter does.
    HWND m_hTimerWnd { nullptr };
};
