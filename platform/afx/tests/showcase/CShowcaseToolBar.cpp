#include "platform/afx/tests/showcase/CShowcaseToolBar.h"

#include "platform/afx/CDC.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/tests/showcase/CBarItemCmdUI.h"

namespace {

// A button's state as the update handlers set it.
class CToolCmdUI : public CBarItemCmdUI<CShowcaseToolBar, &CShowcaseToolBar::GetButtonStyle, &CShowcaseToolBar::SetButtonStyle> {
public:
    using CBarItemCmdUI::CBarItemCmdUI;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ChangeStyle(TBBS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override
    {
        ChangeStyle(TBBS_CHECKED, nCheck == 1);
        ChangeStyle(TBBS_INDETERMINATE, nCheck == 2);
    }
};

} // namespace

BEGIN_MESSAGE_MAP(CShowcaseToolBar, CControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CANCELMODE()
END_MESSAGE_MAP()

BOOL CShowcaseToolBar::Create(CWnd* pParentWnd, const UINT* lpIDArray, int nIDCount, UINT nID)
{
    for (int i = 0; i < nIDCount; ++i)
        m_buttons.push_back(Button { lpIDArray[i], lpIDArray[i] ? TBBS_BUTTON : TBBS_SEPARATOR });
    m_dwStyle = CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_GRIPPER;
    m_cxLeftBorder = m_cxRightBorder = 2;
    m_cyTopBorder = m_cyBottomBorder = 2;
    return CWnd::Create(nullptr, "Toolbar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CRect CShowcaseToolBar::GetItemRect(int nIndex) const
{
    CRect inside(0, 0, 32767, 32767);
    CalcInsideRect(inside, IsHorizontal());
    int offset = 0;
    for (int i = 0; i < nIndex; ++i)
        offset += m_buttons[static_cast<size_t>(i)].id ? kButtonSize : kSeparatorSize;
    const int size = m_buttons[static_cast<size_t>(nIndex)].id ? kButtonSize : kSeparatorSize;
    return IsHorizontal() ? CRect(inside.left + offset, inside.top, inside.left + offset + size, inside.top + kButtonSize)
                          : CRect(inside.left, inside.top + offset, inside.left + kButtonSize, inside.top + offset + size);
}

CSize CShowcaseToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int length = 0;
    for (const Button& button : m_buttons)
        length += button.id ? kButtonSize : kSeparatorSize;
    CRect borders(0, 0, 0, 0);
    CalcInsideRect(borders, bHorz);
    const CSize frame(-borders.Width(), -borders.Height());
    if (bHorz)
        return CSize(bStretch ? 32767 : length + frame.cx, kButtonSize + frame.cy);
    return CSize(kButtonSize + frame.cx, bStretch ? 32767 : length + frame.cy);
}

void CShowcaseToolBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        const Button& button = m_buttons[static_cast<size_t>(i)];
        CRect rect = GetItemRect(i);
        if (button.style & (TBBS_SEPARATOR | TBBS_HIDDEN))
            continue;
        const bool down = (button.style & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
        pDC->Draw3dRect(rect, ::GetSysColor(down ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT),
            ::GetSysColor(down ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
        // The glyph: a square whose shade tells the command apart; grey when disabled.
        rect.DeflateRect(6, 6);
        if (down)
            rect.OffsetRect(1, 1);
        const BYTE shade = static_cast<BYTE>(40 * (i % 5));
        pDC->FillSolidRect(rect, (button.style & TBBS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(shade, 0, 128));
    }
}

void CShowcaseToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state(*this);
    state.m_nIndexMax = static_cast<UINT>(m_buttons.size());
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (!m_buttons[i].id)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_buttons[i].id;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR CShowcaseToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const int index = HitTest(point);
    if (index < 0)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = m_buttons[static_cast<size_t>(index)].id;
        pTI->rect = GetItemRect(index);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return m_buttons[static_cast<size_t>(index)].id;
}

int CShowcaseToolBar::CommandToIndex(UINT nID) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].id == nID)
            return static_cast<int>(i);
    return -1;
}

void CShowcaseToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    Button& button = m_buttons[static_cast<size_t>(nIndex)];
    if (button.style == nStyle)
        return;
    button.style = nStyle;
    if (m_hWnd) {
        const CRect rect = GetItemRect(nIndex);
        InvalidateRect(&rect);
    }
}

int CShowcaseToolBar::HitTest(CPoint point) const
{
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        const Button& button = m_buttons[static_cast<size_t>(i)];
        if (button.id && !(button.style & TBBS_HIDDEN) && GetItemRect(i).PtInRect(point))
            return i;
    }
    return -1;
}

void CShowcaseToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int index = HitTest(point);
    if (index < 0 || (GetButtonStyle(index) & TBBS_DISABLED)) {
        // Outside the buttons the bar is dragged as any bar.
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_nPressed = index;
    SetButtonStyle(index, GetButtonStyle(index) | TBBS_PRESSED);
    SetCapture();
}

void CShowcaseToolBar::OnMouseMove(UINT, CPoint point)
{
    if (m_nPressed < 0)
        return;
    const UINT style = GetButtonStyle(m_nPressed);
    SetButtonStyle(m_nPressed, HitTest(point) == m_nPressed ? style | TBBS_PRESSED : style & ~TBBS_PRESSED);
}

void CShowcaseToolBar::OnLButtonUp(UINT, CPoint point)
{
    if (m_nPressed < 0)
        return;
    const int index = m_nPressed;
    m_nPressed = -1;
    ReleaseCapture();
    SetButtonStyle(index, GetButtonStyle(index) & ~TBBS_PRESSED);
    if (HitTest(point) == index)
        GetOwner()->PostMessage(WM_COMMAND, m_buttons[static_cast<size_t>(index)].id);
}

void CShowcaseToolBar::OnCancelMode()
{
    if (m_nPressed >= 0) {
        SetButtonStyle(m_nPressed, GetButtonStyle(m_nPressed) & ~TBBS_PRESSED);
        m_nPressed = -1;
        if (::GetCapture() == m_hWnd)
            ReleaseCapture();
    }
}
