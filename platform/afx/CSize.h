#pragma once
// An extent (or a difference of two points) with its arithmetic.

#include "platform/afx/CPoint.h"

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int initCX, int initCY)
    {
        cx = initCX;
        cy = initCY;
    }
    CSize(SIZE initSize) { *static_cast<SIZE*>(this) = initSize; }
    CSize(POINT initPt)
    {
        cx = initPt.x;
        cy = initPt.y;
    }
    // A size packed in a message parameter (low word cx, high word cy).
    explicit CSize(DWORD dwSize)
    {
        cx = static_cast<short>(LOWORD(dwSize));
        cy = static_cast<short>(HIWORD(dwSize));
    }

    void SetSize(int CX, int CY)
    {
        cx = CX;
        cy = CY;
    }
    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    CSize& operator+=(SIZE size)
    {
        cx += size.cx;
        cy += size.cy;
        return *this;
    }
    CSize& operator-=(SIZE size)
    {
        cx -= size.cx;
        cy -= size.cy;
        return *this;
    }
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
    CPoint operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
};

inline CSize CPoint::operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
