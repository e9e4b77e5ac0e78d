#include "toolkit/frames/SECLNScale.h"

namespace {

LONG ScaleEdge(LONG edge, double factor) { return static_cast<LONG>(edge * factor + 0.5); }

} // namespace

RECT* SECLNScale::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce)
{
    for (POSITION pos = GetHeadPosition(); pos; pos = GetNextPosition(pos)) {
        SECLayoutNode* child = GetChildAt(pos);
        RECT initial {};
        child->GetInitialRect(&initial);
        RECT scaled {};
        ScaleRect(&scaled, m_rcInitial, rect, initial);
        RECT answer {};
        child->RecalcLayout(&answer, scaled, bClamp, bForce);
        // A child that could not take the scaled size settles once more on its own answer.
        if (bClamp && !EqualRect(&answer, &scaled))
            child->RecalcLayout(&answer, answer, FALSE, bForce);
    }
    SetCurrentRect(rect);
    *pOut = rect;
    return pOut;
}

RECT* SECLNScale::ScaleRect(RECT* pOut, const RECT& from, const RECT& to, const RECT& r)
{
    const LONG fromWidth = from.right - from.left;
    const LONG fromHeight = from.bottom - from.top;
    // The horizontal share is kept in single precision, the vertical one in double.
    const double horizontal = fromWidth > 0
        ? static_cast<float>(static_cast<double>(to.right - to.left) / fromWidth)
        : 1.0;
    const double vertical = fromHeight > 0 ? static_cast<double>(to.bottom - to.top) / fromHeight : 1.0;
    *pOut = { ScaleEdge(r.left, horizontal), ScaleEdge(r.top, vertical), ScaleEdge(r.right, horizontal),
        ScaleEdge(r.bottom, vertical) };
    return pOut;
}
