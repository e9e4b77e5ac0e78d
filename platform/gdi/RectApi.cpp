// Rectangle helpers.

#include <algorithm>

#include "platform/gdi/WinGdi.h"

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (!lprc)
        return FALSE;
    *lprc = RECT { xLeft, yTop, xRight, yBottom };
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    if (!lprcDst || !lprcSrc)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (!lprc)
        return FALSE;
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    if (!lprc)
        return FALSE;
    lprc->left -= dx;
    lprc->right += dx;
    lprc->top -= dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) { return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top; }

BOOL IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b)
{
    if (!lprcDst)
        return FALSE;
    if (!a || !b || IsRectEmpty(a) || IsRectEmpty(b)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    const RECT r { std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
        std::min(a->bottom, b->bottom) };
    if (IsRectEmpty(&r)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b)
{
    if (!lprcDst || !a || !b)
        return FALSE;
    if (IsRectEmpty(a) && IsRectEmpty(b)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    if (IsRectEmpty(a)) {
        *lprcDst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *lprcDst = *a;
        return TRUE;
    }
    *lprcDst = RECT { std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
        std::max(a->bottom, b->bottom) };
    return TRUE;
}

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
