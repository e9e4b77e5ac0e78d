#pragma once
// The showcase's status bar: a control bar whose window is the common status control, with panes in
// the SBPS_* styles. Pane 0 is the message pane that the frame's prompts write; the others take their
// text from the frame's update handlers.

#include <vector>

#include "platform/afx/CControlBar.h"

class CShowcaseStatusBar : public CControlBar {
public:
    static constexpr int kHeight = 20;

    BOOL Create(CWnd* pParentWnd, const UINT* lpIDArray, int nIDCount);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    UINT GetPaneStyle(int nIndex) const { return m_panes[static_cast<size_t>(nIndex)].style; }
    void SetPaneStyle(int nIndex, UINT nStyle);
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText);
    CString GetPaneText(int nIndex) const;
    int CommandToIndex(UINT nID) const;

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT id { 0 };
        UINT style { SBPS_NORMAL };
        int width { 0 };
        CString text;
    };
    // Splits the bar among the panes: stretching panes share what the fixed ones leave.
    void LayoutPanes();
    void PushText(int nIndex);

    std::vector<Pane> m_panes;
};
