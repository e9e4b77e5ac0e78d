#pragma once
// A point with the arithmetic that window and drawing code does on coordinates.

#include "platform/gdi/WinGdi.h"

class CSize;

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt) { *static_cast<POINT*>(this) = initPt; }
    CPoint(SIZE initSize)
    {
        x = initSize.cx;
        y = initSize.cy;
    }
    // A point packed in a message parameter (signed low and high words).
    explicit CPoint(LPARAM dwPoint)
    {
        x = static_cast<short>(LOWORD(static_cast<DWORD_PTR>(dwPoint)));
        y = static_cast<short>(HIWORD(static_cast<DWORD_PTR>(dwPoint)));
    }

    void Offset(int xOffset, int yOffset)
    {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y)
    {
        x = X;
        y = Y;
    }

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    CPoint& operator+=(SIZE size)
    {
        Offset(size);
        return *this;
    }
    CPoint& operator-=(SIZE size)
    {
        Offset(-size.cx, -size.cy);
        return *this;
    }
    CPoint& operator+=(POINT point)
    {
        Offset(point);
        return *this;
    }
    CPoint& operator-=(POINT point)
    {
        Offset(-point.x, -point.y);
        return *this;
    }
    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    // The distance between two points, as a size.
    CSize operator-(POINT point) const;
};
