#include "toolkit/controls/SECOffscreenDC.h"

#include <algorithm>

#include "platform/afx/CResourceException.h"

SECOffscreenDC::SECOffscreenDC(CDC* pTarget, const CRect& rect)
    : m_pTarget(pTarget)
    , m_rect(rect)
{
    if (pTarget == nullptr)
        AfxThrowResourceException();
    m_ptViewportOrg = pTarget->GetViewportOrg();
    m_ptWindowOrg = pTarget->GetWindowOrg();
    ::GetViewportExtEx(*pTarget, &m_sizeViewportExt);
    ::GetWindowExtEx(*pTarget, &m_sizeWindowExt);
    if (!CreateCompatibleDC(pTarget))
        AfxThrowResourceException();
    if (!m_bitmap.CreateCompatibleBitmap(pTarget, std::max(1, m_rect.Width()), std::max(1, m_rect.Height())))
        AfxThrowResourceException();
    m_pOldBitmap = SelectObject(&m_bitmap);
    ApplyMapping();
    // The bitmap starts at the rectangle's corner: drawing at the target's coordinates lands inside it.
    SetWindowOrg(m_ptWindowOrg.x + m_rect.left, m_ptWindowOrg.y + m_rect.top);
}

SECOffscreenDC::~SECOffscreenDC()
{
    SetViewportOrg(0, 0);
    SetWindowOrg(0, 0);
    m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
    SelectObject(m_pOldBitmap);
    DeleteDC();
}

void SECOffscreenDC::ApplyMapping()
{
    SetMapMode(m_pTarget->GetMapMode());
    SetWindowExt(m_sizeWindowExt);
    SetViewportExt(m_sizeViewportExt);
    SetViewportOrg(m_ptViewportOrg);
    SetWindowOrg(m_ptWindowOrg);
}
