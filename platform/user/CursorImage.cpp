#include "platform/user/CursorImage.h"

namespace platform::user {

namespace {

// The 32-bit pixels of a bitmap, top row first.
bool pixelsOf(HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& out)
{
    BITMAPINFO info {};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), out.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

} // namespace

bool CursorImageOf(HCURSOR cursor, CursorImage& image)
{
    ICONINFO info;
    if (!cursor || !GetIconInfo(cursor, &info))
        return false;
    BITMAP colour {};
    bool ok = info.hbmColor && GetObject(info.hbmColor, sizeof colour, &colour) && colour.bmWidth > 0
        && colour.bmHeight > 0;
    std::vector<std::uint32_t> mask;
    if (ok) {
        image.width = colour.bmWidth;
        image.height = colour.bmHeight;
        image.hotSpot = POINT { static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot) };
        ok = pixelsOf(info.hbmColor, image.width, image.height, image.argb)
            && pixelsOf(info.hbmMask, image.width, image.height, mask);
    }
    if (ok) {
        // A set bit of the AND mask lets the screen show through.
        for (size_t i = 0; i < image.argb.size(); ++i)
            image.argb[i] = (mask[i] & 0xFFFFFF) ? 0 : (image.argb[i] & 0xFFFFFF) | 0xFF000000;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return ok;
}

} // namespace platform::user
