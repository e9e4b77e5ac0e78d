#pragma once
// A set of pixels kept as non-overlapping rectangles, banded: sorted by top, then left, each band
// (rectangles sharing top and bottom) holding disjoint spans. Right and bottom edges are excluded.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    // The pixels whose centres lie inside the polygon, scanned only over the rows of `rows` (top,
    // bottom) so that far-off coordinates cost nothing.
    static Region fromPolygon(const POINT* points, int count, bool winding, std::pair<int, int> rows = kRowRange);
    static constexpr std::pair<int, int> kRowRange { -65536, 65536 };
    static Region fromEllipse(const RECT& box);

    const std::vector<RECT>& rects() const { return m_rects; }
    bool empty() const { return m_rects.empty(); }
    RECT bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int kind() const;
    bool contains(int x, int y) const;
    bool intersects(const RECT& r) const;
    void offset(int dx, int dy);

    // The boolean combinations of the RGN_* modes.
    static Region combine(const Region& a, const Region& b, int mode);
    Region intersected(const RECT& r) const;

    bool operator==(const Region& other) const;

private:
    // Builds the banded form from rows of spans: one entry per scanline band.
    struct Span {
        int left;
        int right;
    };
    void appendBand(int top, int bottom, const std::vector<Span>& spans);

    std::vector<RECT> m_rects;
};

} // namespace platform::gdi
