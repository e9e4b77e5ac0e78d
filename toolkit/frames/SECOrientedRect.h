#pragma once
// A rectangle seen along a direction: the layout of rows and columns runs one algorithm for both
// directions by speaking of the start, end and length along the primary axis and of the extent across
// it. With the orientation flag set the primary axis is x, with it clear y. Nothing normalises the
// rectangle: a start beyond the end gives a negative length, as the callers expect while they shrink.

#include "platform/gdi/WinGdi.h"

class SECOrientedRect : public RECT {
public:
    SECOrientedRect() : RECT {} { }
    // Copies the four edges and takes the orientation.
    SECOrientedRect(const RECT& rect, BOOL bHorz)
        : RECT(rect)
        , m_bHorz(bHorz)
    {
    }

    // Copies the four edges; the orientation stays.
    void SetRect(const RECT& rect) { static_cast<RECT&>(*this) = rect; }
    // Makes x the primary axis.
    void SetHorizontal() { m_bHorz = TRUE; }
    // Stores the flag as given; any non-zero value means x is the primary axis.
    void SetOrientation(BOOL bHorz) { m_bHorz = bHorz; }
    // TRUE when x is the primary axis.
    BOOL IsHorizontal() const { return m_bHorz != FALSE; }

    // The leading edge along the primary axis (left or top).
    LONG GetStart() const { return IsHorizontal() ? left : top; }
    void SetStart(LONG value) { (IsHorizontal() ? left : top) = value; }
    // The trailing edge along the primary axis (right or bottom).
    LONG GetEnd() const { return IsHorizontal() ? right : bottom; }
    void SetEnd(LONG value) { (IsHorizontal() ? right : bottom) = value; }
    // The leading edge across the primary axis (top or left).
    LONG GetCrossStart() const { return IsHorizontal() ? top : left; }
    void SetCrossStart(LONG value) { (IsHorizontal() ? top : left) = value; }
    // The trailing edge across the primary axis (bottom or right).
    LONG GetCrossEnd() const { return IsHorizontal() ? bottom : right; }
    void SetCrossEnd(LONG value) { (IsHorizontal() ? bottom : right) = value; }
    // End minus start along the primary axis.
    LONG GetLength() const { return GetEnd() - GetStart(); }
    // The extent across the primary axis.
    LONG GetThickness() const { return GetCrossEnd() - GetCrossStart(); }

private:
    BOOL m_bHorz { FALSE };
};
