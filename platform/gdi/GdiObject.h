#pragma once
// The objects behind drawing handles and the table that hands out and checks those handles.
// A handle is a number that is never reused, so a stale handle finds nothing rather than
// someone else's object.

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

class GdiObject {
public:
    virtual ~GdiObject() = default;
    virtual int type() const = 0;

    bool stock { false };
    // How many DCs hold this object selected; such an object cannot be deleted.
    int selections { 0 };
};

class PenObject final : public GdiObject {
public:
    int type() const override { return OBJ_PEN; }
    LOGPEN log {};
};

class BrushObject final : public GdiObject {
public:
    int type() const override { return OBJ_BRUSH; }
    LOGBRUSH log {};
    // The tile of a pattern brush (a private copy of the bitmap it was made from).
    std::shared_ptr<Surface> pattern;
};

class FontObject final : public GdiObject {
public:
    int type() const override { return OBJ_FONT; }
    LOGFONT log {};
};

class BitmapObject final : public GdiObject {
public:
    int type() const override { return OBJ_BITMAP; }
    std::shared_ptr<Surface> surface;
    // The depth the bitmap was created with (1 for monochrome, 32 for colour) and, for DIB sections,
    // the depth and colour table of the section's description.
    int bitsPixel { 32 };
    bool dibSection { false };
    BITMAPINFOHEADER dibHeader {};
    std::vector<RGBQUAD> colorTable;
    // The colour-table indices of a palettised DIB section, so that SetDIBColorTable can recolour.
    std::vector<std::uint8_t> indices;
    // The 32-bit pixels a 32-bit DIB section shares with its caller.
    std::vector<std::uint32_t> sectionPixels;
    // The caller's bits of a section of another depth. Drawing works on the 32-bit surface; the
    // two are brought into step where the platform's contract says bits and drawing meet:
    // selecting into a DC, deselecting, GdiFlush, GetObject and the DIB calls.
    std::vector<std::uint8_t> sectionBits;
    HDC selectedInto { nullptr };
};

class RegionObject final : public GdiObject {
public:
    int type() const override { return OBJ_REGION; }
    Region region;
};

class PaletteObject final : public GdiObject {
public:
    int type() const override { return OBJ_PAL; }
    std::vector<PALETTEENTRY> entries;
};

// An icon or cursor: a colour image and an AND mask (1 = keep the screen), plus a hot spot.
class IconObject final : public GdiObject {
public:
    // Icons are not drawing objects of a DC: they report no object type.
    int type() const override { return 0; }
    std::shared_ptr<Surface> color;
    std::shared_ptr<Surface> mask;
    bool isIcon { true };
    POINT hotSpot {};
    // Shared icons (loaded with LR_SHARED or by LoadIcon/LoadCursor) are owned by the system.
    bool shared { false };
};

class HandleTable {
public:
    static HandleTable& instance();

    void* add(std::shared_ptr<GdiObject> object);
    std::shared_ptr<GdiObject> find(const void* handle) const;
    bool remove(const void* handle);
    // Calls f for every live object (outside the table's lock).
    template <class F> void forEach(F&& f) const
    {
        std::vector<std::shared_ptr<GdiObject>> all;
        {
            std::lock_guard lock(m_mutex);
            for (const auto& entry : m_objects)
                all.push_back(entry.second);
        }
        for (const auto& object : all)
            f(*object);
    }

    template <class T> std::shared_ptr<T> get(const void* handle) const
    {
        return std::dynamic_pointer_cast<T>(find(handle));
    }

private:
    mutable std::mutex m_mutex;
    std::unordered_map<std::uintptr_t, std::shared_ptr<GdiObject>> m_objects;
    std::uintptr_t m_next { 0x10000 };
};

template <class T> std::shared_ptr<T> lookup(const void* handle) { return HandleTable::instance().get<T>(handle); }

template <class H> H addObject(std::shared_ptr<GdiObject> object)
{
    return static_cast<H>(HandleTable::instance().add(std::move(object)));
}

} // namespace platform::gdi
