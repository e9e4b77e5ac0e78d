#include "platform/gdi/Region.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

namespace {

bool validRect(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

// The spans of one band of a region, i.e. the rectangles covering scanline y.
std::vector<int> edgesAt(const std::vector<RECT>& rects, int y)
{
    std::vector<int> edges;
    for (const RECT& r : rects) {
        if (r.top > y)
            break;
        if (r.bottom > y) {
            edges.push_back(r.left);
            edges.push_back(r.right);
        }
    }
    return edges;
}

bool inSpans(const std::vector<int>& edges, int x)
{
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2)
        if (x >= edges[i] && x < edges[i + 1])
            return true;
    return false;
}

bool apply(int mode, bool a, bool b)
{
    switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
    }
}

} // namespace

Region::Region(const RECT& r)
{
    RECT n { std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
        std::max(r.top, r.bottom) };
    if (validRect(n))
        m_rects.push_back(n);
}

bool Region::operator==(const Region& other) const
{
    return std::equal(m_rects.begin(), m_rects.end(), other.m_rects.begin(), other.m_rects.end(),
        [](const RECT& a, const RECT& b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        });
}

RECT Region::bounds() const
{
    if (m_rects.empty())
        return {};
    RECT b = m_rects.front();
    for (const RECT& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

int Region::kind() const
{
    if (m_rects.empty())
        return NULLREGION;
    return m_rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::contains(int x, int y) const
{
    for (const RECT& r : m_rects) {
        if (r.top > y)
            return false;
        if (y < r.bottom && x >= r.left && x < r.right)
            return true;
    }
    return false;
}

bool Region::intersects(const RECT& q) const
{
    for (const RECT& r : m_rects)
        if (r.left < q.right && q.left < r.right && r.top < q.bottom && q.top < r.bottom)
            return true;
    return false;
}

void Region::offset(int dx, int dy)
{
    for (RECT& r : m_rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

void Region::appendBand(int top, int bottom, const std::vector<Span>& spans)
{
    if (spans.empty() || bottom <= top)
        return;
    // Merge with the band above when it has exactly the same spans and touches it.
    std::size_t n = spans.size();
    if (m_rects.size() >= n) {
        const std::size_t first = m_rects.size() - n;
        bool same = m_rects[first].bottom == top && (first == 0 || m_rects[first - 1].top != m_rects[first].top);
        for (std::size_t i = 0; same && i < n; ++i) {
            const RECT& r = m_rects[first + i];
            same = r.top == m_rects[first].top && r.bottom == top && r.left == spans[i].left
                && r.right == spans[i].right;
        }
        if (same) {
            for (std::size_t i = 0; i < n; ++i)
                m_rects[first + i].bottom = bottom;
            return;
        }
    }
    for (const Span& s : spans)
        m_rects.push_back(RECT { s.left, top, s.right, bottom });
}

Region Region::combine(const Region& a, const Region& b, int mode)
{
    if (mode == RGN_COPY)
        return a;
    std::vector<int> ys;
    for (const auto* src : { &a, &b })
        for (const RECT& r : src->m_rects) {
            ys.push_back(r.top);
            ys.push_back(r.bottom);
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region out;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const int y = ys[i];
        const std::vector<int> ea = edgesAt(a.m_rects, y);
        const std::vector<int> eb = edgesAt(b.m_rects, y);
        std::vector<int> xs(ea);
        xs.insert(xs.end(), eb.begin(), eb.end());
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        std::vector<Span> spans;
        for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
            if (!apply(mode, inSpans(ea, xs[k]), inSpans(eb, xs[k])))
                continue;
            if (!spans.empty() && spans.back().right == xs[k])
                spans.back().right = xs[k + 1];
            else
                spans.push_back({ xs[k], xs[k + 1] });
        }
        out.appendBand(y, ys[i + 1], spans);
    }
    return out;
}

Region Region::intersected(const RECT& r) const
{
    if (m_rects.size() == 1) {
        const RECT& s = m_rects.front();
        const RECT i { std::max(s.left, r.left), std::max(s.top, r.top), std::min(s.right, r.right),
            std::min(s.bottom, r.bottom) };
        Region out;
        if (validRect(i))
            out.m_rects.push_back(i);
        return out;
    }
    return combine(*this, Region(r), RGN_AND);
}

Region Region::fromPolygon(const POINT* points, int count, bool winding, std::pair<int, int> rows)
{
    Region out;
    if (!points || count < 3)
        return out;
    long minY = points[0].y, maxY = points[0].y;
    for (int i = 1; i < count; ++i) {
        minY = std::min<long>(minY, points[i].y);
        maxY = std::max<long>(maxY, points[i].y);
    }
    minY = std::max<long>(minY, rows.first);
    maxY = std::min<long>(maxY, rows.second);
    // A pixel belongs to the polygon when its centre lies inside it.
    for (long y = minY; y < maxY; ++y) {
        const double cy = y + 0.5;
        std::vector<std::pair<double, int>> crossings;
        for (int i = 0; i < count; ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % count];
            if (p.y == q.y)
                continue;
            const bool up = q.y < p.y;
            const double y0 = up ? q.y : p.y, y1 = up ? p.y : q.y;
            if (cy < y0 || cy >= y1)
                continue;
            const double x = p.x + (cy - p.y) * (double(q.x) - p.x) / (double(q.y) - p.y);
            crossings.push_back({ x, up ? -1 : 1 });
        }
        std::sort(crossings.begin(), crossings.end());
        std::vector<Span> spans;
        int wind = 0;
        for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
            wind += crossings[k].second;
            const bool inside = winding ? wind != 0 : (k % 2) == 0;
            if (!inside)
                continue;
            const int l = static_cast<int>(std::ceil(crossings[k].first - 0.5));
            const int r = static_cast<int>(std::ceil(crossings[k + 1].first - 0.5));
            if (r <= l)
                continue;
            if (!spans.empty() && spans.back().right >= l)
                spans.back().right = std::max(spans.back().right, r);
            else
                spans.push_back({ l, r });
        }
        out.appendBand(static_cast<int>(y), static_cast<int>(y + 1), spans);
    }
    return out;
}

Region Region::fromEllipse(const RECT& box)
{
    Region out;
    const double w = box.right - box.left, h = box.bottom - box.top;
    if (w <= 0 || h <= 0)
        return out;
    const double cx = box.left + w / 2.0, cy = box.top + h / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / (h / 2.0);
        const double t = 1.0 - dy * dy;
        if (t <= 0)
            continue;
        const double half = (w / 2.0) * std::sqrt(t);
        const int l = static_cast<int>(std::ceil(cx - half - 0.5));
        const int r = static_cast<int>(std::ceil(cx + half - 0.5));
        if (r > l)
            out.appendBand(y, y + 1, { Span { l, r } });
    }
    return out;
}

} // namespace platform::gdi
