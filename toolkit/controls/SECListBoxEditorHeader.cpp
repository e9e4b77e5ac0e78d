// The list-box editor's own window, the header strip: its layout beside the list box, its painting and
// its buttons.

#include <algorithm>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CPaintDC.h"
#include "platform/afx/CPen.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECFakeButton.h"
#include "toolkit/controls/SECListBoxEdit.h"
#include "toolkit/controls/SECListBoxEditor.h"
#include "toolkit/controls/SECListBoxEditorHelper.h"

BEGIN_MESSAGE_MAP(SECListBoxEditor, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

CSize SECListBoxEditor::BitmapSize(Button button) const
{
    BITMAP bm {};
    const CBitmap& bitmap = m_bmpButtons[button];
    if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

int SECListBoxEditor::CalcHeaderHeight()
{
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetFont());
    TEXTMETRIC tm {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    int nHeight = tm.tmHeight + 4 * ::GetSystemMetrics(SM_CYBORDER);
    for (int i = 0; i < buttonCount; ++i)
        if (m_bmpButtons[static_cast<size_t>(i)].GetSafeHandle())
            nHeight = std::max(nHeight, static_cast<int>(BitmapSize(static_cast<Button>(i)).cy) + 2);
    return nHeight;
}

void SECListBoxEditor::LayoutButtons()
{
    CRect client;
    GetClientRect(client);
    // Right-aligned, Move Down rightmost.
    LONG x = client.right;
    for (int i = buttonCount - 1; i >= 0; --i) {
        CRect& rect = m_rcButtons[static_cast<size_t>(i)];
        if (!m_bButtonPresent[static_cast<size_t>(i)]) {
            rect.SetRectEmpty();
            continue;
        }
        const LONG cx = BitmapSize(static_cast<Button>(i)).cx;
        rect = CRect(x - cx, client.top, x, client.bottom);
        x -= cx;
    }
}

void SECListBoxEditor::UpdateToolTips()
{
    if (!m_wndToolTip.GetSafeHwnd())
        return;
    for (int i = 0; i < buttonCount; ++i)
        if (m_bButtonPresent[static_cast<size_t>(i)])
            m_wndToolTip.SetToolRect(this, IDS_SEC_LBEDIT_NEW + static_cast<UINT>(i), &m_rcButtons[static_cast<size_t>(i)]);
}

void SECListBoxEditor::RecalcLayout()
{
    CWnd* pParent = GetParent();
    if (!m_pListBox || !pParent)
        return;
    CRect rect;
    GetWindowRect(rect);
    pParent->ScreenToClient(rect);
    if (rect.Height() == m_nHeaderHeight)
        return;
    const int nGap = 2 * ::GetSystemMetrics(SM_CYBORDER);
    CRect list(rect.left, rect.top + m_nHeaderHeight + nGap, rect.right, rect.bottom);
    if (rect.Height() <= m_nHeaderHeight + nGap)
        list.top = list.bottom = rect.bottom;
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), m_nHeaderHeight, SWP_NOACTIVATE);
    m_pListBox->SetWindowPos(nullptr, list.left, list.top, list.Width(), list.Height(), SWP_NOACTIVATE);
    LayoutButtons();
    UpdateToolTips();
    Invalidate();
    m_pListBox->Invalidate();
}

void SECListBoxEditor::PrepareButtonImage(Button button)
{
    CBitmap& bitmap = m_bmpButtons[button];
    const CSize size = BitmapSize(button);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(nullptr))
        return;
    CBitmap* pOldBitmap = memory.SelectObject(&bitmap);
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen* pOldPen = memory.SelectObject(&pen);
    memory.MoveTo(0, size.cy - 1);
    memory.LineTo(0, 0);
    memory.LineTo(size.cx, 0);
    memory.SelectObject(pOldPen);
    memory.SelectObject(pOldBitmap);
}

BOOL SECListBoxEditor::MakePressedImage(Button button, CBitmap& pressed)
{
    const CSize size = BitmapSize(button);
    CClientDC screen(nullptr);
    CDC source, target;
    if (size.cx <= 0 || size.cy <= 0 || !source.CreateCompatibleDC(&screen) || !target.CreateCompatibleDC(&screen)
        || !pressed.CreateCompatibleBitmap(&screen, size.cx, size.cy))
        return FALSE;
    CBitmap* pOldSource = source.SelectObject(&m_bmpButtons[button]);
    CBitmap* pOldTarget = target.SelectObject(&pressed);
    // The image one pixel right and down inside a sunken border.
    target.FillSolidRect(0, 0, size.cx, size.cy, ::GetSysColor(COLOR_BTNFACE));
    target.BitBlt(1, 1, size.cx - 1, size.cy - 1, &source, 0, 0, SRCCOPY);
    target.Draw3dRect(0, 0, size.cx, size.cy, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    target.Draw3dRect(1, 1, size.cx - 2, size.cy - 2, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE));
    target.SelectObject(pOldTarget);
    source.SelectObject(pOldSource);
    return TRUE;
}

void SECListBoxEditor::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    rect.bottom = std::max(rect.top, rect.bottom - 2);
    dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));

    CString text;
    GetWindowText(text);
    CFont* pOldFont = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    CRect textRect = rect;
    textRect.left += 2 * ::GetSystemMetrics(SM_CXBORDER);
    dc.DrawText(text, textRect, DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(pOldFont);

    if (!(m_dwFlags & SEC_LBE_BUTTONS))
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    for (int i = 0; i < buttonCount; ++i) {
        const auto button = static_cast<Button>(i);
        if (!m_bButtonPresent[button] || !m_bmpButtons[button].GetSafeHandle())
            continue;
        PrepareButtonImage(button);
        const CSize size = BitmapSize(button);
        CBitmap* pOldBitmap = memory.SelectObject(&m_bmpButtons[button]);
        dc.BitBlt(m_rcButtons[button].left, m_rcButtons[button].top, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOldBitmap);
    }
}

void SECListBoxEditor::OnLButtonDown(UINT, CPoint point)
{
    if (m_pEdit || !(m_dwFlags & SEC_LBE_BUTTONS))
        return;
    for (int i = 0; i < buttonCount; ++i) {
        const auto button = static_cast<Button>(i);
        if (!m_bButtonPresent[button] || !m_rcButtons[button].PtInRect(point))
            continue;
        PrepareButtonImage(button);
        CBitmap pressed;
        if (!MakePressedImage(button, pressed))
            return;
        CRect rect(m_rcButtons[button].TopLeft(), BitmapSize(button));
        ClientToScreen(rect);
        SECFakeButton fake(pressed, m_bmpButtons[button], rect);
        if (fake.Track())
            RunButton(button);
        return;
    }
}

void SECListBoxEditor::RunButton(Button button)
{
    switch (button) {
    case buttonNew:
        AddNewItem();
        break;
    case buttonDelete:
        DeleteSelectedItems();
        break;
    case buttonUp:
        MoveItemUp();
        break;
    case buttonDown:
        MoveItemDown();
        break;
    case buttonCount:
        break;
    }
}

LRESULT SECListBoxEditor::OnNcHitTest(CPoint)
{
    // A static control lets the mouse through; the header takes it for its buttons.
    return HTCLIENT;
}

void SECListBoxEditor::OnSize(UINT, int, int)
{
    Default();
    if (m_bInitialized)
        RecalcLayout();
}

void SECListBoxEditor::OnMove(int, int)
{
    Default();
    if (m_bInitialized)
        RecalcLayout();
}

void SECListBoxEditor::OnEnable(BOOL bEnable)
{
    if (m_pListBox && m_pListBox->GetSafeHwnd())
        m_pListBox->EnableWindow(bEnable);
    Invalidate();
    UpdateWindow();
}

BOOL SECListBoxEditor::PreTranslateMessage(MSG* pMsg)
{
    if ((m_dwFlags & SEC_LBE_TOOLTIPS) && pMsg->message == WM_MOUSEMOVE && m_wndToolTip.GetSafeHwnd())
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}
