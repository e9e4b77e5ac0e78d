#pragma once
// A borderless pop-up that shows the full text of a clipped label under the mouse. It never takes the
// focus and passes every click on to the control beneath, so it looks like part of that control. It
// reaches its host only through SECListClient.

#include "platform/afx/CWnd.h"
#include "toolkit/controls/SECListClient.h"

class SECListTip : public CWnd {
public:
    // While shown, a timer checks that the mouse is still over the host.
    static constexpr UINT_PTR timerId = 0xF001;
    static constexpr UINT timerPeriod = 500;

    explicit SECListTip(SECListClient* pOwner) : m_pOwner(pOwner) { }
    ~SECListTip() override;

    // Hides the tip (repainting the host beneath it) and forgets the cell it showed.
    virtual void Hide();
    // Shows the full text of the cell under the point when its label is clipped; TRUE when a tip shows.
    virtual BOOL ShowFor(UINT nHitFlags, int nRow, int nCol, int x, int y);
    // Repaints a shown tip at once (after the host repainted beneath it).
    void Refresh();
    BOOL IsShown() const { return m_hWnd != nullptr && IsWindowVisible(); }
    int GetRow() const { return m_nRow; }
    int GetSubItem() const { return m_nSubItem; }
    const CString& GetText() const { return m_strText; }

    // Mouse messages that reach the tip go on to the host, in the host's coordinates.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateTipWindow();

    SECListClient* m_pOwner { nullptr };
    int m_nRow { -1 };
    int m_nSubItem { -1 };
    CString m_strText;
    // The shown label in the host's client coordinates.
    CRect m_rect { 0, 0, 0, 0 };
};
