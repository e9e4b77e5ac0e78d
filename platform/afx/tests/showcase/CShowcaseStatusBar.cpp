#include "platform/afx/tests/showcase/CShowcaseStatusBar.h"

#include <algorithm>

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/tests/showcase/CBarItemCmdUI.h"
#include "platform/comctl/CommCtrl.h"

namespace {

// A pane's state as the update handlers set it: disabled panes show no text, checked ones stand out.
class CPaneCmdUI : public CBarItemCmdUI<CShowcaseStatusBar, &CShowcaseStatusBar::GetPaneStyle, &CShowcaseStatusBar::SetPaneStyle> {
public:
    using CBarItemCmdUI::CBarItemCmdUI;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ChangeStyle(SBPS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override { ChangeStyle(SBPS_POPOUT, nCheck != 0); }
    void SetText(LPCTSTR lpszText) override { m_bar.SetPaneText(static_cast<int>(m_nIndex), lpszText); }
};

} // namespace

BEGIN_MESSAGE_MAP(CShowcaseStatusBar, CControlBar)
ON_WM_PAINT()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CShowcaseStatusBar::Create(CWnd* pParentWnd, const UINT* lpIDArray, int nIDCount)
{
    for (int i = 0; i < nIDCount; ++i)
        m_panes.push_back(Pane { lpIDArray[i], i == 0 ? SBPS_NOBORDERS | SBPS_STRETCH : SBPS_NORMAL, i == 0 ? 0 : 120, {} });
    m_dwStyle = CBRS_BOTTOM;
    InitCommonControls();
    if (!CWnd::Create(STATUSCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, AFX_IDW_STATUS_BAR))
        return FALSE;
    LayoutPanes();
    return TRUE;
}

CSize CShowcaseStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return bHorz ? CSize(bStretch ? 32767 : 200, kHeight) : CSize(kHeight, bStretch ? 32767 : 200);
}

void CShowcaseStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CPaneCmdUI state(*this);
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    // The message pane belongs to the prompts.
    for (size_t i = 1; i < m_panes.size(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_panes[i].id;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CShowcaseStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    if (pane.style == nStyle)
        return;
    const bool relayout = ((pane.style ^ nStyle) & SBPS_STRETCH) != 0;
    pane.style = nStyle;
    if (relayout)
        LayoutPanes();
    PushText(nIndex);
}

void CShowcaseStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.id = nID;
    pane.style = nStyle;
    pane.width = cxWidth;
    LayoutPanes();
    PushText(nIndex);
}

BOOL CShowcaseStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const CString text = lpszNewText ? lpszNewText : "";
    if (pane.text == text)
        return TRUE;
    pane.text = text;
    PushText(nIndex);
    return TRUE;
}

CString CShowcaseStatusBar::GetPaneText(int nIndex) const
{
    char text[256] {};
    ::SendMessage(m_hWnd, SB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text));
    return text;
}

int CShowcaseStatusBar::CommandToIndex(UINT nID) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == nID)
            return static_cast<int>(i);
    return -1;
}

void CShowcaseStatusBar::PushText(int nIndex)
{
    if (!m_hWnd)
        return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    // The low word of the style is the control's border kind; a disabled pane shows nothing.
    ::SendMessage(m_hWnd, SB_SETTEXT, (pane.style & 0xFFFF) | static_cast<UINT>(nIndex),
        reinterpret_cast<LPARAM>((pane.style & SBPS_DISABLED) ? "" : static_cast<LPCTSTR>(pane.text)));
}

void CShowcaseStatusBar::LayoutPanes()
{
    if (!m_hWnd || m_panes.empty())
        return;
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    int stretching = 0;
    for (const Pane& pane : m_panes) {
        if (pane.style & SBPS_STRETCH)
            ++stretching;
        else
            fixed += pane.width;
    }
    const int spare = std::max(0, client.Width() - fixed);
    std::vector<int> rights;
    int right = 0;
    for (const Pane& pane : m_panes) {
        right += (pane.style & SBPS_STRETCH) ? spare / std::max(1, stretching) : pane.width;
        rights.push_back(right);
    }
    rights.back() = -1; // the last pane runs to the edge
    // The frame writes its prompts straight into the message pane.
    m_panes[0].text = GetPaneText(0);
    ::SendMessage(m_hWnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t i = 0; i < m_panes.size(); ++i)
        PushText(static_cast<int>(i));
}

void CShowcaseStatusBar::OnPaint() { Default(); }

void CShowcaseStatusBar::OnSize(UINT, int, int)
{
    Default();
    LayoutPanes();
}
