#pragma once
// The state behind an HDC. Drawing goes logical -> device (the mapping mode) -> surface (the
// device origin that the window layer gives), and is clipped to the visible region (surface
// coordinates) intersected with the application's clip (device coordinates).

#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PrintJob.h"

namespace platform::gdi {

struct DcState {
    HPEN pen { nullptr };
    HBRUSH brush { nullptr };
    HFONT font { nullptr };
    HBITMAP bitmap { nullptr };
    HPALETTE palette { nullptr };
    COLORREF bkColor { RGB(255, 255, 255) };
    COLORREF textColor { RGB(0, 0, 0) };
    int bkMode { OPAQUE };
    int rop2 { R2_COPYPEN };
    int polyFillMode { ALTERNATE };
    int stretchMode { BLACKONWHITE };
    UINT textAlign { TA_LEFT | TA_TOP };
    int charExtra { 0 };
    int mapMode { MM_TEXT };
    POINT windowOrg {};
    SIZE windowExt { 1, 1 };
    POINT viewportOrg {};
    SIZE viewportExt { 1, 1 };
    POINT brushOrg {};
    POINT current {};
    // The application clip in device coordinates; none means no clip.
    std::optional<Region> clip;
};

enum class DcKind { Memory, Surface, Printer, Info };

class DeviceContext final : public GdiObject {
public:
    int type() const override { return kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC; }

    DcKind kind { DcKind::Memory };
    DcState state;
    std::vector<DcState> saved;
    std::shared_ptr<Surface> surface;
    // Where device (0, 0) lies on the surface.
    POINT origin {};
    // The part of the surface this DC may touch (surface coordinates); none means all of it.
    std::optional<Region> visible;
    std::unique_ptr<PrintJob> print;
    // A DC on the screen made by CreateDC: deleted with DeleteDC rather than released.
    bool created { false };

    ~DeviceContext() override;

    POINT toDevice(int x, int y) const;
    POINT toLogical(int x, int y) const;
    // Logical distances to device ones (sign kept) and back.
    int scaleX(int dx) const;
    int scaleY(int dy) const;
    int unscaleX(int dx) const;
    int unscaleY(int dy) const;
    POINT toSurface(int x, int y) const
    {
        const POINT d = toDevice(x, y);
        return { d.x + origin.x, d.y + origin.y };
    }
    // A logical rectangle in surface coordinates, corners put in order.
    RECT rectToSurface(const RECT& r) const;
    RECT rectToDevice(const RECT& r) const;

    // What drawing may touch, in surface coordinates.
    const Region& clipRegion();
    void clipChanged() { m_clipValid = false; }
    // The pixel size of the drawing area (surface, or printer page).
    SIZE extent() const;

private:
    Region m_clip;
    bool m_clipValid { false };
};

std::shared_ptr<DeviceContext> lookupDC(HDC hdc);
HDC addDC(std::shared_ptr<DeviceContext> dc);
// Selection of stock defaults into a new DC.
void initDefaults(DeviceContext& dc);

} // namespace platform::gdi
