#include "platform/gdi/DeviceContext.h"

#include <algorithm>

#include "platform/gdi/PrintJob.h"

namespace platform::gdi {

DeviceContext::~DeviceContext() = default;

POINT DeviceContext::toDevice(int x, int y) const
{
    const DcState& s = state;
    if (s.mapMode == MM_TEXT)
        return { x - s.windowOrg.x + s.viewportOrg.x, y - s.windowOrg.y + s.viewportOrg.y };
    return { MulDiv(x - s.windowOrg.x, s.viewportExt.cx, s.windowExt.cx) + s.viewportOrg.x,
        MulDiv(y - s.windowOrg.y, s.viewportExt.cy, s.windowExt.cy) + s.viewportOrg.y };
}

POINT DeviceContext::toLogical(int x, int y) const
{
    const DcState& s = state;
    if (s.mapMode == MM_TEXT)
        return { x - s.viewportOrg.x + s.windowOrg.x, y - s.viewportOrg.y + s.windowOrg.y };
    return { MulDiv(x - s.viewportOrg.x, s.windowExt.cx, s.viewportExt.cx) + s.windowOrg.x,
        MulDiv(y - s.viewportOrg.y, s.windowExt.cy, s.viewportExt.cy) + s.windowOrg.y };
}

int DeviceContext::scaleX(int dx) const
{
    return state.mapMode == MM_TEXT ? dx : MulDiv(dx, state.viewportExt.cx, state.windowExt.cx);
}

int DeviceContext::scaleY(int dy) const
{
    return state.mapMode == MM_TEXT ? dy : MulDiv(dy, state.viewportExt.cy, state.windowExt.cy);
}

int DeviceContext::unscaleX(int dx) const
{
    return state.mapMode == MM_TEXT ? dx : MulDiv(dx, state.windowExt.cx, state.viewportExt.cx);
}

int DeviceContext::unscaleY(int dy) const
{
    return state.mapMode == MM_TEXT ? dy : MulDiv(dy, state.windowExt.cy, state.viewportExt.cy);
}

RECT DeviceContext::rectToDevice(const RECT& r) const
{
    const POINT a = toDevice(r.left, r.top);
    const POINT b = toDevice(r.right, r.bottom);
    return { std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y) };
}

RECT DeviceContext::rectToSurface(const RECT& r) const
{
    RECT d = rectToDevice(r);
    d.left += origin.x;
    d.right += origin.x;
    d.top += origin.y;
    d.bottom += origin.y;
    return d;
}

SIZE DeviceContext::extent() const
{
    if (print)
        return print->pageSize();
    if (surface)
        return { surface->width(), surface->height() };
    return { 0, 0 };
}

const Region& DeviceContext::clipRegion()
{
    if (m_clipValid)
        return m_clip;
    const SIZE size = extent();
    Region area(RECT { 0, 0, size.cx, size.cy });
    if (visible)
        area = Region::combine(area, *visible, RGN_AND);
    if (state.clip) {
        Region app = *state.clip;
        app.offset(origin.x, origin.y);
        area = Region::combine(area, app, RGN_AND);
    }
    m_clip = std::move(area);
    m_clipValid = true;
    return m_clip;
}

std::shared_ptr<DeviceContext> lookupDC(HDC hdc) { return lookup<DeviceContext>(hdc); }

HDC addDC(std::shared_ptr<DeviceContext> dc)
{
    initDefaults(*dc);
    return addObject<HDC>(std::move(dc));
}

} // namespace platform::gdi
