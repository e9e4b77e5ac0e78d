// Customising a toolbar by hand: the selected button, dragging it with an outline, and the drop that
// moves, copies, groups and ungroups buttons, makes a new bar or deletes the button.
#include <algorithm>

#include "platform/afx/AfxState.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMiniFrameWnd.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/SECToolBarRectTracker.h"

namespace {

BOOL IsSeparator(const SECStdBtn* pBtn) { return pBtn && (pBtn->m_nStyle & TBBS_SEPARATOR) != 0; }

// Loaded once: each load makes another cursor, and a loaded cursor is shared, so never freed.
HCURSOR CopyDragCursor()
{
    static const HCURSOR hCursor = [] {
        const LPCTSTR name = MAKEINTRESOURCE(IDC_SEC_COPYDRAG);
        return ::LoadCursor(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
    }();
    return hCursor;
}

// The custom toolbar that is, or lies inside, the window (a floating bar's mini frame).
SECCustomToolBar* ToolBarIn(HWND hWnd)
{
    for (HWND h = hWnd; h; h = ::GetParent(h))
        if (auto* pBar = SECCustomToolBar::FromObject(CWnd::FromHandlePermanent(h)))
            return pBar;
    const CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return nullptr;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        for (HWND hBar = ::GetWindow(h, GW_CHILD); hBar; hBar = ::GetWindow(hBar, GW_HWNDNEXT))
            if (auto* pBar = SECCustomToolBar::FromObject(CWnd::FromHandlePermanent(hBar)))
                return pBar;
    return nullptr;
}

} // namespace

void SECCustomToolBar::SelectButton(int nIndex, BOOL bRedraw)
{
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn)
        return;
    if (m_pManager) {
        if (SECCustomToolBar* pOld = m_pManager->GetSelectedBar(); pOld && pOld != this)
            pOld->ClearSelection(TRUE);
        m_pManager->SetSelectedBar(this);
    }
    if (SECStdBtn* pOld = GetBtn(m_nSelected); pOld && pOld != pBtn) {
        pOld->m_nStyle &= ~SEC_TBBS_MARKED;
        if (bRedraw)
            pOld->Invalidate(FALSE);
    }
    m_nSelected = nIndex;
    pBtn->m_nStyle |= SEC_TBBS_MARKED;
    if (bRedraw)
        pBtn->Invalidate(FALSE);
    NotifyManager(barSelChanged);
}

void SECCustomToolBar::ClearSelection(BOOL bRedraw)
{
    if (m_nSelected < 0)
        return;
    if (SECStdBtn* pBtn = GetBtn(m_nSelected)) {
        pBtn->m_nStyle &= ~SEC_TBBS_MARKED;
        if (bRedraw)
            pBtn->Invalidate(FALSE);
    }
    m_nSelected = -1;
    if (m_pManager && m_pManager->GetSelectedBar() == this)
        m_pManager->SetSelectedBar(nullptr);
    NotifyManager(barSelChanged);
}

void SECCustomToolBar::EnterCustomizeMode(BOOL bOn)
{
    m_bCustomize = bOn;
    ClearSelection(FALSE);
    ClearHot();
    if (GetSafeHwnd())
        Invalidate();
}

CRect SECCustomToolBar::InsideRect()
{
    CRect rect;
    GetClientRect(&rect);
    AdjustBorderRect(rect, !(m_dwStyle & CBRS_ORIENT_VERT) || IsFloating(), TRUE);
    return rect;
}

void SECCustomToolBar::DragButton(int nIndex, CPoint point)
{
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn || !pBtn->CanDrag())
        return;
    SelectButton(nIndex);
    TrackButtonDrag(m_pManager, pBtn, this, point, this, IsCopyDrag());
}

void SECCustomToolBar::TrackButtonDrag(
    SECToolBarManager* pManager, SECStdBtn* pBtn, CWnd* pTrackWnd, CPoint point, SECCustomToolBar* pSource, BOOL bCopy)
{
    SECToolBarRectTracker tracker(pBtn->GetRect());
    // A copy shows its cursor for the whole drag: the tracker holds the mouse, so nothing else sets one
    // meanwhile. The cursor before comes back at once rather than at the next mouse move.
    HCURSOR hCopy = bCopy ? CopyDragCursor() : nullptr;
    HCURSOR hBefore = hCopy ? ::SetCursor(hCopy) : nullptr;
    const BOOL bMoved = tracker.Track(pTrackWnd, point);
    if (hCopy)
        ::SetCursor(hBefore);
    if (!bMoved)
        return;
    CRect rect = tracker.m_rect;
    pTrackWnd->ClientToScreen(&rect);
    // A move takes the button off its bar; a button of no bar is only ever copied.
    auto removeFromSource = [&] {
        if (!bCopy && pSource)
            pSource->RemoveButton(pSource->IndexOf(pBtn));
    };

    SECCustomToolBar* pTarget = pManager ? pManager->FindBarAtRect(rect) : nullptr;
    const CPoint corners[4]
        = { rect.TopLeft(), CPoint(rect.right - 1, rect.top), CPoint(rect.left, rect.bottom - 1), CPoint(rect.right - 1, rect.bottom - 1) };
    for (const CPoint& corner : corners) {
        if (pTarget)
            break;
        pTarget = ToolBarIn(::WindowFromPoint(corner));
    }

    if (!pTarget) {
        CRect rectCustomize;
        if (pManager)
            pManager->GetCustomizeWndRect(rectCustomize);
        CRect overlap;
        if (overlap.IntersectRect(&rect, &rectCustomize))
            return;
        if (!bCopy) {
            // Dragged off every bar: the button goes (and a user's bar with its last button).
            removeFromSource();
            return;
        }
        SECCustomToolBar* pNew = pManager ? pManager->CreateUserToolBar() : nullptr;
        if (!pNew)
            return;
        pNew->InsertButton(0, pBtn->m_nID, IsSeparator(pBtn), TRUE);
        pManager->FloatBar(pNew, rect.TopLeft(), CBRS_ALIGN_TOP);
        return;
    }
    if (pSource && pTarget != pSource && (pSource->m_dwNoDragOut & kNoDragOut))
        return;
    if (!pTarget->AcceptsDrop()) {
        removeFromSource();
        return;
    }
    pTarget->ScreenToClient(&rect);
    pTarget->DropButton(rect, pBtn, bCopy);
}

void SECCustomToolBar::DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoRecalc)
{
    SECCustomToolBar* pSource = pBtn->GetToolBar();
    const int nSource = pSource ? pSource->IndexOf(pBtn) : -1;
    const BOOL bFromHere = pSource == this && nSource >= 0;
    const UINT nID = pBtn->m_nID;
    const BOOL bSeparator = IsSeparator(pBtn);
    // A move takes the button from its old place; another bar may go with it (never this one).
    auto removeSource = [&] {
        if (!bCopy && pSource && nSource >= 0)
            pSource->RemoveButton(nSource, bFromHere);
    };
    auto insertAndSelect = [&](int nIndex) {
        InsertButton(nIndex, nID, bSeparator, bNoRecalc);
        if (!AltDragging())
            SelectButton(std::clamp(nIndex, 0, GetBtnCount() - 1));
    };

    if (m_btns.empty()) {
        removeSource();
        insertAndSelect(0);
        return;
    }
    if (bFromHere && !bCopy && GetBtnCount() == 1)
        return;

    const CRect inside = InsideRect();
    if (rect.bottom <= inside.top || rect.top >= inside.bottom) {
        const BOOL bAbove = rect.bottom <= inside.top;
        removeSource();
        if (bAbove) {
            InsertButton(0, 0, TRUE, TRUE);
            insertAndSelect(0);
        } else {
            InsertButton(GetBtnCount(), 0, TRUE, TRUE);
            insertAndSelect(GetBtnCount());
        }
        return;
    }

    // The row under the drop's middle.
    const int nSepGap = GetSeparatorWidth() * 2 / 3;
    const int yMiddle = (rect.top + rect.bottom) / 2;
    int nFirst = 0;
    int nLast = GetBtnCount() - 1;
    int y = inside.top;
    for (int i = 0; i < GetBtnCount(); ++i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (!(btn.m_nStyle & TBBS_WRAPPED) && i + 1 < GetBtnCount())
            continue;
        int nTallest = 0;
        for (int j = nFirst; j <= i; ++j)
            if (!IsSeparator(GetBtn(j)))
                nTallest = std::max(nTallest, GetBtn(j)->m_cy);
        y += nTallest + (IsSeparator(&btn) && (btn.m_nStyle & TBBS_WRAPPED) ? nSepGap : 0);
        nLast = i;
        if (y > yMiddle)
            break;
        nFirst = i + 1;
    }
    while (nLast > nFirst && IsSeparator(GetBtn(nLast)))
        --nLast;

    const BOOL bSelectedHere = m_nSelected >= 0 && (!m_pManager || m_pManager->GetSelectedBar() == this);
    if (bFromHere && bSelectedHere && m_nSelected == nSource && nSource >= nFirst && nSource <= nLast) {
        const SECStdBtn& btn = *pBtn;
        const int dx = rect.left - btn.m_x;
        const BOOL bStraddles = (rect.left < btn.m_x && rect.right > btn.m_x)
            || (rect.left < btn.m_x + btn.m_cx && rect.right > btn.m_x + btn.m_cx) || dx == 0;
        if (bStraddles && std::abs(dx) < 2)
            return;
        if (bStraddles && !bCopy) {
            // A slide opens or closes a group rather than moving the button.
            const BOOL bSepBefore = IsSeparator(GetBtn(nSource - 1));
            const BOOL bSepAfter = IsSeparator(GetBtn(nSource + 1));
            if (dx < 0) {
                if (bSepBefore)
                    RemoveButton(nSource - 1, bNoRecalc);
                else if (GetBtn(nSource + 1) && !bSepAfter)
                    InsertButton(nSource + 1, 0, TRUE, bNoRecalc);
            } else {
                if (nSource > 0 && !bSepBefore)
                    InsertButton(nSource, 0, TRUE, bNoRecalc);
                else if (bSepAfter)
                    RemoveButton(nSource + 1, bNoRecalc);
            }
            return;
        }
    }

    int nIndex = nLast + 1;
    int x = inside.left;
    for (int i = nFirst; i <= nLast; ++i) {
        x += GetBtn(i)->m_cx;
        if (x > rect.left) {
            nIndex = i + 1;
            break;
        }
    }
    if (bFromHere && !bCopy) {
        if (nIndex == nSource || nIndex == nSource + 1)
            return;
        if (nIndex > nSource)
            --nIndex;
    }
    removeSource();
    nIndex = std::min(nIndex, GetBtnCount());
    if (SECStdBtn* pAt = GetBtn(nIndex); IsSeparator(pAt)) {
        CRect overlap;
        if (overlap.IntersectRect(&rect, pAt->GetRect()))
            RemoveButton(nIndex, TRUE);
    }
    insertAndSelect(nIndex);
}
