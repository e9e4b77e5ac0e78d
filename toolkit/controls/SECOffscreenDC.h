#pragma once
// A memory device context over one rectangle of a target: drawing goes to a bitmap that is copied to
// the target in one piece when the object goes, so a repaint never flickers. The target's mapping is
// carried over, so callers draw in the same coordinates as on the target.

#include "platform/afx/CBitmap.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CRect.h"

class SECOffscreenDC : public CDC {
public:
    // Raises the class library's resource exception when the target is null or the memory context or
    // bitmap cannot be made.
    SECOffscreenDC(CDC* pTarget, const CRect& rect);
    ~SECOffscreenDC() override;
    SECOffscreenDC(const SECOffscreenDC&) = delete;
    SECOffscreenDC& operator=(const SECOffscreenDC&) = delete;

private:
    void ApplyMapping();

    CDC* m_pTarget { nullptr };
    CRect m_rect { 0, 0, 0, 0 };
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap { nullptr };
    CPoint m_ptViewportOrg { 0, 0 };
    CPoint m_ptWindowOrg { 0, 0 };
    CSize m_sizeViewportExt { 1, 1 };
    CSize m_sizeWindowExt { 1, 1 };
};
