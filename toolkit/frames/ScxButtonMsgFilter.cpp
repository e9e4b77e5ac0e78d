#include "toolkit/frames/ScxButtonMsgFilter.h"

#include <algorithm>

#include "platform/afx/CBrush.h"
#include "platform/afx/CWindowDC.h"
#include "platform/afx/CWnd.h"
#include "platform/base/MulDiv.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ScxInfo.h"
#include "toolkit/frames/ScxMDIMaxChild.h"

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxButtonMsgFilter, SECCaptionControlMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIMaxChildMsgFilter, ScxButtonMsgFilter)

ScxButtonMsgFilter::ScxButtonMsgFilter(CWnd* pOwner, int nID)
    : SECCaptionControlMsgFilter(pOwner, nID)
{
    m_nInterval = SEC_SCXBUTTON_HOLD_MS;
}

BOOL ScxButtonMsgFilter::IsVisible(BOOL* pbEnabled) const
{
    if (pbEnabled)
        *pbEnabled = TRUE;
    return TRUE;
}

BOOL ScxButtonMsgFilter::IsDockableOwner() const
{
    // The dockable view frame is known by name, so that this button does not depend on it.
    const CRuntimeClass* pDockable = CRuntimeClass::FromName("SECDockableFrame");
    return pDockable && GetOwner() && GetOwner()->IsKindOf(pDockable);
}

int ScxButtonMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    int nBits = SECCaptionControlMsgFilter::OnFilter(nMsg, wParam, lParam, pResult);
    if ((nBits & kHandled) && (nMsg == WM_NCLBUTTONDOWN || nMsg == WM_NCRBUTTONDOWN || nMsg == WM_LBUTTONUP))
        nBits |= kStop;
    return nBits;
}

void ScxButtonMsgFilter::DoCommand(int nGesture, CPoint ptScreen)
{
    CWnd* pOwner = GetOwner();
    CWnd* pTarget = GetCommandTarget();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd) || !pTarget)
        return;
    if (nGesture == kClick) {
        SendSysCommandEx(pTarget->m_hWnd, SCX_CHANGESTATE, kToggle, ptScreen);
        return;
    }
    ScxInfo info;
    info.m_hWnd = pTarget->m_hWnd;
    CRect rectWindow;
    pOwner->GetWindowRect(rectWindow);
    CRect rectButton = m_rect;
    rectButton.OffsetRect(rectWindow.TopLeft());
    info.m_rectButton = rectButton;
    info.m_x = rectButton.left;
    info.m_y = rectButton.bottom;
    if (nGesture == kHeld)
        info.m_dwFlags |= ScxInfo::kPosition;
    SendSysCommandEx(SCX_MENUREQUEST, info);
}

std::vector<CRect> ScxButtonMsgFilter::GlyphRects(const CRect& rect, BOOL bPushed, BOOL bDockableOwner)
{
    const int cx = rect.Width();
    const int cy = rect.Height();
    // The size of a 9 by 9 stroke when the button stands for 98 by 96 units.
    const int sw = std::max(2, MulDiv(9, 100 * cx, 9800));
    const int sh = std::max(1, MulDiv(9, 100 * cy, 9600));
    int n = static_cast<int>(cy * 0.6);
    if ((n - sh) % 2 == 0)
        ++n;
    const int k = (n - sh + 1) / 2;
    const int g = sw + 2 * k - 2;
    int x0 = rect.left + (cx - g) / 2;
    int y0 = rect.top + (cy - n) / 2;
    if (sh == 1) {
        --x0;
        --y0;
    }
    if (bPushed) {
        ++x0;
        ++y0;
    }
    if (bDockableOwner)
        ++y0;
    const int xa = x0 + k - 1;
    const int yb = y0 + n - sh + (bDockableOwner ? 0 : 1);
    std::vector<CRect> rects;
    rects.emplace_back(xa, y0, xa + sw + 1, y0 + sh);
    rects.emplace_back(xa, yb, xa + sw + 1, yb + sh);
    for (int i = 1; i < k; ++i) {
        rects.emplace_back(CPoint(xa - i, y0 + i), CSize(sw, sh));
        rects.emplace_back(CPoint(xa + 1 + i, y0 + i), CSize(sw, sh));
        rects.emplace_back(CPoint(xa - i, yb - i), CSize(sw, sh));
        rects.emplace_back(CPoint(xa + 1 + i, yb - i), CSize(sw, sh));
    }
    if (!bDockableOwner) {
        rects.emplace_back(xa - k + 1, yb - k, xa - k + sw, yb - k + sh);
        rects.emplace_back(xa + 1 + k, yb - k, xa + k + sw, yb - k + sh);
    }
    return rects;
}

void ScxButtonMsgFilter::Draw()
{
    CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd) || m_rect.IsRectEmpty())
        return;
    CWindowDC dc(pOwner);
    const BOOL bPushed = IsPushed();
    CRect rect = m_rect;
    const COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF clrLight = ::GetSysColor(COLOR_3DLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    dc.Draw3dRect(rect, bPushed ? clrDarkShadow : clrHighlight, bPushed ? clrHighlight : clrDarkShadow);
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(rect, bPushed ? clrShadow : clrLight, bPushed ? clrFace : clrShadow);
    rect.DeflateRect(1, 1);
    dc.FillSolidRect(rect, clrFace);
    CBrush brush(::GetSysColor(COLOR_BTNTEXT));
    for (const CRect& glyph : GlyphRects(m_rect, bPushed, IsDockableOwner()))
        dc.FillRect(glyph, &brush);
}

BOOL ScxButtonMDIChildMsgFilter::IsOwnerZoomed() const { return GetOwner() && ::IsZoomed(GetOwner()->m_hWnd); }

int ScxButtonMDIChildMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return IsOwnerZoomed() ? 0 : ScxButtonMsgFilter::OnFilter(nMsg, wParam, lParam, pResult);
}

BOOL ScxButtonMDIChildMsgFilter::IsVisible(BOOL* pbEnabled) const
{
    ScxButtonMsgFilter::IsVisible(pbEnabled);
    return !IsOwnerZoomed();
}

CWnd* ScxButtonMDIMaxChildMsgFilter::GetCommandTarget() const
{
    return GetMaximizedChildWithFilter(GetOwner(), SEC_FILTER_SCXBUTTON);
}

int ScxButtonMDIMaxChildMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!GetCommandTarget())
        return FilterChildren(nMsg, wParam, lParam, pResult);
    return ScxButtonMsgFilter::OnFilter(nMsg, wParam, lParam, pResult);
}

BOOL ScxButtonMDIMaxChildMsgFilter::IsVisible(BOOL* pbEnabled) const
{
    ScxButtonMsgFilter::IsVisible(pbEnabled);
    return GetCommandTarget() != nullptr;
}

} // namespace nsSysCommandEx
