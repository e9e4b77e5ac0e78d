#pragma once
// A rectangle (right and bottom exclusive) with the operations window layout and drawing use.

#include <utility>

#include "platform/afx/CSize.h"

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& srcRect) { *static_cast<RECT*>(this) = srcRect; }
    CRect(const RECT* lpSrcRect) { *static_cast<RECT*>(this) = *lpSrcRect; }
    CRect(POINT point, SIZE size)
        : CRect(point.x, point.y, point.x + size.cx, point.y + size.cy)
    {
    }
    CRect(POINT topLeft, POINT bottomRight)
        : CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y)
    {
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty when it has no area (zero or negative width or height).
    BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
    // All four coordinates zero.
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    void SetRect(int x1, int y1, int x2, int y2) { *this = CRect(x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) { *this = CRect(topLeft, bottomRight); }
    void SetRectEmpty() { *this = CRect(); }
    void CopyRect(LPCRECT lpSrcRect) { *this = CRect(lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const
    {
        return left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom;
    }

    void InflateRect(int x, int y)
    {
        left -= x;
        top -= y;
        right += x;
        bottom += y;
    }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect)
    {
        left -= lpRect->left;
        top -= lpRect->top;
        right += lpRect->right;
        bottom += lpRect->bottom;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect)
    {
        left += lpRect->left;
        top += lpRect->top;
        right -= lpRect->right;
        bottom -= lpRect->bottom;
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void OffsetRect(int x, int y)
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x)
    {
        right = Width() + x;
        left = x;
    }
    void MoveToY(int y)
    {
        bottom = Height() + y;
        top = y;
    }
    void MoveToXY(int x, int y)
    {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }
    // Swaps left/right and top/bottom where they are the wrong way round.
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }

    // The intersection of two rectangles; an empty (all zero) rectangle and FALSE when they do not meet.
    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    // The smallest rectangle holding both; empty rectangles are left out.
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }

    bool operator==(const RECT& rect) const { return EqualRect(&rect); }
    bool operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    CRect& operator+=(POINT point)
    {
        OffsetRect(point);
        return *this;
    }
    CRect& operator-=(POINT point)
    {
        OffsetRect(-point.x, -point.y);
        return *this;
    }
    CRect& operator&=(const RECT& rect)
    {
        ::IntersectRect(this, this, &rect);
        return *this;
    }
    CRect& operator|=(const RECT& rect)
    {
        ::UnionRect(this, this, &rect);
        return *this;
    }
    CRect operator+(POINT point) const
    {
        CRect rect(*this);
        rect.OffsetRect(point);
        return rect;
    }
    CRect operator-(POINT point) const
    {
        CRect rect(*this);
        rect.OffsetRect(-point.x, -point.y);
        return rect;
    }
    CRect operator&(const RECT& rect2) const
    {
        CRect rect;
        ::IntersectRect(&rect, this, &rect2);
        return rect;
    }
    CRect operator|(const RECT& rect2) const
    {
        CRect rect;
        ::UnionRect(&rect, this, &rect2);
        return rect;
    }
};
