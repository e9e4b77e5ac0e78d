#include "platform/comctl/PixelBlit.h"

namespace platform::comctl {

namespace {

BITMAPINFO TopDown(int w, int h)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

void BlitPixels(HDC dc, int x, int y, int w, int h, const std::uint32_t* pixels, DWORD rop)
{
    const BITMAPINFO info = TopDown(w, h);
    StretchDIBits(dc, x, y, w, h, 0, 0, w, h, pixels, &info, DIB_RGB_COLORS, rop);
}

HBITMAP MakeBitmap(int w, int h, const std::uint32_t* pixels)
{
    const BITMAPINFO info = TopDown(w, h);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        auto* out = static_cast<std::uint32_t*>(bits);
        for (int k = 0; k < w * h; ++k)
            out[k] = pixels[k];
    }
    return bitmap;
}

} // namespace platform::comctl
