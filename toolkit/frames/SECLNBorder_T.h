#pragma once
// A node that keeps one child, the bordered node, inside four border widths. Its size limits are the
// bordered node's plus the borders, so a parent sees what the whole bordered area needs.

#include <algorithm>

#include "toolkit/frames/ISECHideableNode.h"
#include "toolkit/frames/SECLayoutNode.h"

template<class Base> class SECLNBorder_T : public Base {
public:
    // A second child is refused; the caller sees the present count and no change.
    int AddLayoutNode(SECLayoutNode* pChild) override
    {
        if (const int count = this->GetChildCount(FALSE); count > 0)
            return count;
        return Base::AddLayoutNode(pChild);
    }
    void GetPreferredRect(RECT* pRect) override
    {
        SECLayoutNode* bordered = GetBorderedNode();
        if (!bordered) {
            this->GetCurrentRect(pRect);
            return;
        }
        bordered->GetPreferredRect(pRect);
        pRect->left -= m_nBorderLeft;
        pRect->top -= m_nBorderTop;
        pRect->right += m_nBorderRight;
        pRect->bottom += m_nBorderBottom;
    }
    void SetPreferredRect(const RECT& rect) override
    {
        Base::SetPreferredRect(rect);
        if (SECLayoutNode* bordered = GetBorderedNode()) {
            bordered->SetPreferredRect({ rect.left + m_nBorderLeft, rect.top + m_nBorderTop,
                rect.right - m_nBorderRight, rect.bottom - m_nBorderBottom });
        }
    }
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL /*bSecond*/) override
    {
        RECT rc = rect;
        if (bFirst) {
            ApplyPendingAdjustments(rc);
            GrowForBorderedNode(rc);
        }
        rc.right = std::max(rc.right, rc.left);
        rc.bottom = std::max(rc.bottom, rc.top);
        this->SetCurrentRect(rc);
        if (SECLayoutNode* bordered = GetBorderedNode()) {
            RECT inner { std::clamp(rc.left + m_nBorderLeft, rc.left, rc.right),
                std::clamp(rc.top + m_nBorderTop, rc.top, rc.bottom),
                std::clamp(rc.right - m_nBorderRight, rc.left, rc.right),
                std::clamp(rc.bottom - m_nBorderBottom, rc.top, rc.bottom) };
            // Borders wider than the node would turn the inside over; it shrinks to nothing instead.
            inner.right = std::max(inner.right, inner.left);
            inner.bottom = std::max(inner.bottom, inner.top);
            UpdateSizeLimitsFromBorderedNode();
            LayoutBorderedNode(bordered, inner);
        }
        *pOut = rc;
        return pOut;
    }

    virtual SECLayoutNode* GetBorderedNode() { return this->GetChildAt(this->GetHeadPosition()); }
    virtual int HasBorderedNode() { return this->GetChildCount(FALSE); }
    virtual void LayoutBorderedNode(SECLayoutNode* pNode, const RECT& inner)
    {
        RECT out {};
        pNode->RecalcLayout(&out, inner, FALSE, TRUE);
    }
    virtual void UpdateSizeLimitsFromBorderedNode()
    {
        SECLayoutNode* bordered = GetBorderedNode();
        if (!bordered)
            return;
        auto* hideable = dynamic_cast<ISECHideableNode*>(bordered);
        if (hideable && !hideable->IsNodeVisible()) {
            this->SetMinMaxSize({ 0, 0 }, { 0, 0 }, 0);
            return;
        }
        SIZE sizeMin {};
        SIZE sizeMax {};
        int flags = 0;
        bordered->GetMinMaxSize(sizeMin, sizeMax, flags);
        const int cx = m_nBorderLeft + m_nBorderRight;
        const int cy = m_nBorderTop + m_nBorderBottom;
        this->SetMinMaxSize({ sizeMin.cx + cx, sizeMin.cy + cy }, { sizeMax.cx + cx, sizeMax.cy + cy }, flags);
    }
    virtual int ApplyPendingAdjustments(RECT& rect)
    {
        rect.top += m_nPendingTop;
        rect.bottom += m_nPendingBottom;
        rect.left += m_nPendingLeft;
        rect.right += m_nPendingRight;
        m_nPendingTop = m_nPendingBottom = m_nPendingLeft = m_nPendingRight = 0;
        return 0;
    }
    // The bordered node, laid out with its limits enforced, may need more room than it has; the
    // border grows by that much to the right and bottom.
    virtual void GrowForBorderedNode(RECT& rect)
    {
        SECLayoutNode* bordered = GetBorderedNode();
        if (!bordered)
            return;
        RECT current {};
        RECT result {};
        bordered->GetCurrentRect(&current);
        bordered->RecalcLayout(&result, current, TRUE, TRUE);
        rect.right += std::max<LONG>(0, (result.right - result.left) - (current.right - current.left));
        rect.bottom += std::max<LONG>(0, (result.bottom - result.top) - (current.bottom - current.top));
    }

    void GetBorderWidths(int& left, int& top, int& right, int& bottom) const
    {
        left = m_nBorderLeft;
        top = m_nBorderTop;
        right = m_nBorderRight;
        bottom = m_nBorderBottom;
    }

protected:
    int m_nBorderLeft { 0 };
    int m_nBorderRight { 0 };
    int m_nBorderTop { 0 };
    int m_nBorderBottom { 0 };
    int m_nPendingTop { 0 };
    int m_nPendingBottom { 0 };
    int m_nPendingLeft { 0 };
    int m_nPendingRight { 0 };
};
