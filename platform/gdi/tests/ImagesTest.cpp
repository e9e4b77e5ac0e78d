#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

#include "GdiTestSupport.h"
#include "platform/base/Modules.h"
#include "platform/gdi/Images.h"

using namespace platform::gdi;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

COLORREF pixelOf(HBITMAP b, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

bool near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::vector<std::uint8_t> encodeJpeg(int w, int h)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr err {};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < w; ++x) {
            const bool left = x < w / 2;
            row[x * 3] = left ? 255 : 0;
            row[x * 3 + 1] = 0;
            row[x * 3 + 2] = left ? 0 : 255;
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&info, &p, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return out;
}

int gifWrite(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// A 3x2 GIF: red green blue / blue green red.
std::vector<std::uint8_t> encodeGif()
{
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, gifWrite, &error);
    GifColorType colours[4] = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 0, 0, 0 } };
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifPutScreenDesc(gif, 3, 2, 2, 0, map);
    EGifPutImageDesc(gif, 0, 0, 3, 2, false, nullptr);
    GifPixelType rows[2][3] = { { 0, 1, 2 }, { 2, 1, 0 } };
    EGifPutLine(gif, rows[0], 3);
    EGifPutLine(gif, rows[1], 3);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

} // namespace

TEST(Images, BitmapFromModuleResourcesWithMappedColours)
{
    HBITMAP b = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(100));
    ASSERT_NE(b, nullptr);
    BITMAP info;
    GetObject(b, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 2);
    // The data's bottom row comes first.
    EXPECT_EQ(pixelOf(b, 0, 0), RGB(192, 192, 192));
    EXPECT_EQ(pixelOf(b, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(pixelOf(b, 0, 1), RGB(0, 0, 255));
    DeleteObject(b);

    // Mapped load: the greys take the current 3-D colours.
    const int elements[2] = { COLOR_3DFACE, COLOR_3DSHADOW };
    const COLORREF saved[2] = { GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DSHADOW) };
    const COLORREF themed[2] = { RGB(236, 233, 216), RGB(172, 168, 153) };
    SetSysColors(2, elements, themed);
    HBITMAP mapped = static_cast<HBITMAP>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(100), IMAGE_BITMAP, 0, 0,
        LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION));
    SetSysColors(2, elements, saved);
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(pixelOf(mapped, 0, 0), themed[0]);
    EXPECT_EQ(pixelOf(mapped, 1, 0), themed[1]);
    EXPECT_EQ(pixelOf(mapped, 3, 0), kWhite);
    // As a DIB section it keeps its colour table, which a memory DC hands out.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mapped);
    RGBQUAD table[8];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 8, table), 4u);
    EXPECT_EQ(table[0].rgbRed, GetRValue(themed[0]));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(mapped);

    EXPECT_EQ(LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(101)), nullptr);
}

TEST(Images, IconsAndCursorsFromResourcesDrawThroughTheirMask)
{
    HICON icon = static_cast<HICON>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(200), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    Canvas c(4, 4);
    c.fill(kRed);
    ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.at(0, 0), kWhite);
    EXPECT_EQ(c.at(1, 0), kBlack);
    EXPECT_EQ(c.at(0, 1), kRed);
    EXPECT_EQ(c.at(1, 1), kRed);
    // Stretched to 4x4, the opaque row covers the top half.
    c.fill(kRed);
    ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.row(1, 4, kWhite), "##..");
    EXPECT_EQ(c.row(2, 4, kRed), "####");
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_FALSE(DeleteObject(icon)); // icons are destroyed, not deleted
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));

    HCURSOR cursor = LoadCursor(GetModuleHandle(nullptr), MAKEINTRESOURCE(300));
    ASSERT_NE(cursor, nullptr);
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u); // scaled with the 2x2 image to the 32x32 system size
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    // System icons and bitmaps are there without resources.
    EXPECT_NE(LoadIcon(nullptr, IDI_WINLOGO), nullptr);
    EXPECT_NE(LoadCursor(nullptr, IDC_ARROW), nullptr);
    HBITMAP check = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK));
    ASSERT_NE(check, nullptr);
    BITMAP bm;
    GetObject(check, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(check);
}

TEST(Images, BmpFileInBothRowOrders)
{
    // 2x2, 24 bits: red green / blue white, stored bottom-up, then the same top-down.
    for (const bool topDown : { false, true }) {
        std::vector<std::uint8_t> file(14 + 40 + 16, 0);
        BITMAPINFOHEADER h;
        h.biWidth = 2;
        h.biHeight = topDown ? -2 : 2;
        h.biBitCount = 24;
        file[0] = 'B';
        file[1] = 'M';
        file[10] = 54;
        std::memcpy(file.data() + 14, &h, sizeof h);
        const std::uint8_t top[6] = { 0, 0, 255, 0, 255, 0 }; // BGR: red, green
        const std::uint8_t bottom[6] = { 255, 0, 0, 255, 255, 255 }; // blue, white
        std::memcpy(file.data() + 54, topDown ? top : bottom, 6);
        std::memcpy(file.data() + 62, topDown ? bottom : top, 6);
        std::ofstream("pic.bmp", std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        HBITMAP b = static_cast<HBITMAP>(LoadImage(nullptr, "pic.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(pixelOf(b, 0, 0), kRed);
        EXPECT_EQ(pixelOf(b, 1, 0), RGB(0, 255, 0));
        EXPECT_EQ(pixelOf(b, 0, 1), RGB(0, 0, 255));
        EXPECT_EQ(pixelOf(b, 1, 1), kWhite);
        DeleteObject(b);
        // Cut short, it fails instead of reading past the end.
        std::ofstream("short.bmp", std::ios::binary).write(reinterpret_cast<const char*>(file.data()), 60);
        EXPECT_EQ(LoadImage(nullptr, "short.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    }
    EXPECT_EQ(LoadImage(nullptr, "missing.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST(Images, PicturesDecodeWithTheirSize)
{
    const auto jpeg = encodeJpeg(16, 8);
    SIZE size {};
    HBITMAP j = DecodePicture(jpeg.data(), jpeg.size(), &size);
    ASSERT_NE(j, nullptr);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 8);
    EXPECT_TRUE(near(pixelOf(j, 2, 4), kRed, 12));
    EXPECT_TRUE(near(pixelOf(j, 13, 4), RGB(0, 0, 255), 12));
    DeleteObject(j);

    const auto gif = encodeGif();
    HBITMAP g = DecodePicture(gif.data(), gif.size(), &size);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 2);
    EXPECT_EQ(pixelOf(g, 0, 0), kRed);
    EXPECT_EQ(pixelOf(g, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(pixelOf(g, 0, 1), RGB(0, 0, 255));
    DeleteObject(g);

    // Damaged data: cut short, or not a picture at all.
    for (std::size_t cut : { jpeg.size() / 2, std::size_t { 20 }, std::size_t { 3 } })
        EXPECT_EQ(DecodePicture(jpeg.data(), cut, &size), nullptr) << cut;
    EXPECT_EQ(DecodePicture(gif.data(), gif.size() / 2, &size), nullptr);
    const char junk[] = "GIF89a this is not really a picture";
    EXPECT_EQ(DecodePicture(junk, sizeof junk, &size), nullptr);
    EXPECT_EQ(DecodePicture(nullptr, 10, &size), nullptr);
    EXPECT_EQ(LoadPictureFile("no such file.jpg", &size), nullptr);
}

TEST(Images, DibsRoundTripAndStretchWithTheirColourTable)
{
    Canvas c(3, 2);
    SetPixel(c.dc, 0, 0, kRed);
    SetPixel(c.dc, 1, 0, RGB(1, 2, 3));
    SetPixel(c.dc, 2, 1, RGB(0, 0, 255));
    // Out as a bottom-up 24-bit DIB and back into a fresh bitmap.
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = 3;
    bi.bmiHeader.biHeight = 2;
    bi.bmiHeader.biBitCount = 24;
    std::vector<std::uint8_t> bits(2 * 12);
    SelectObject(c.dc, c.old); // a bitmap is read while not selected
    ASSERT_EQ(GetDIBits(c.dc, c.bitmap, 0, 2, bits.data(), &bi, DIB_RGB_COLORS), 2);
    c.old = SelectObject(c.dc, c.bitmap);
    EXPECT_EQ(bits[0 + 2 * 3 + 0], 255); // bottom row first: (2,1) is blue
    HBITMAP copy = CreateBitmap(3, 2, 1, 32, nullptr);
    ASSERT_EQ(SetDIBits(c.dc, copy, 0, 2, bits.data(), &bi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixelOf(copy, 0, 0), kRed);
    EXPECT_EQ(pixelOf(copy, 1, 0), RGB(1, 2, 3));
    EXPECT_EQ(pixelOf(copy, 2, 1), RGB(0, 0, 255));
    DeleteObject(copy);

    // A 1-bit DIB drawn through a patched colour table: 0 bits red, 1 bits green, doubled in size.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[2];
    } mono;
    mono.h.biWidth = 2;
    mono.h.biHeight = 1;
    mono.h.biBitCount = 1;
    mono.colours[0] = RGBQUAD { 0, 0, 255, 0 };
    mono.colours[1] = RGBQUAD { 0, 255, 0, 0 };
    const std::uint8_t monoBits[4] = { 0x40, 0, 0, 0 }; // 0 1
    Canvas d(4, 2);
    ASSERT_EQ(StretchDIBits(d.dc, 0, 0, 4, 2, 0, 0, 2, 1, monoBits, reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(d.row(0, 4, kRed), "##..");
    EXPECT_EQ(d.row(1, 4, RGB(0, 255, 0)), "..##");
    // Bad headers fail.
    mono.h.biBitCount = 3;
    EXPECT_EQ(StretchDIBits(d.dc, 0, 0, 4, 2, 0, 0, 2, 1, monoBits, reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS, SRCCOPY), 0);
    mono.h.biBitCount = 1;
    mono.h.biWidth = -5;
    EXPECT_EQ(StretchDIBits(d.dc, 0, 0, 4, 2, 0, 0, 2, 1, monoBits, reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(Images, DibSectionSharesItsPixelsWithTheCaller)
{
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = 2; // bottom-up
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    auto* px = static_cast<std::uint32_t*>(bits);
    px[0] = 0x00FF0000; // first row in memory is the bottom row: (0, 1) red
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 0, 1), kRed);
    SetPixel(dc, 1, 0, RGB(0, 0, 255));
    EXPECT_EQ(px[3], 0x000000FFu);
    DIBSECTION ds;
    ASSERT_EQ(GetObject(section, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biBitCount, 32);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
}

TEST(Images, PalettisedDibSectionBitsMeetDrawingAtSelectionAndFlush)
{
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[4];
    } bi;
    bi.h.biWidth = 4;
    bi.h.biHeight = -2; // top-down
    bi.h.biBitCount = 8;
    bi.h.biClrUsed = 4;
    bi.colours[0] = RGBQUAD { 0, 0, 0, 0 };
    bi.colours[1] = RGBQUAD { 0, 0, 255, 0 }; // red
    bi.colours[2] = RGBQUAD { 0, 255, 0, 0 }; // green
    bi.colours[3] = RGBQUAD { 255, 0, 0, 0 }; // blue
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* index = static_cast<std::uint8_t*>(bits);
    index[1] = 1; // (1, 0) red
    index[4 + 2] = 3; // (2, 1) blue
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 1, 0), kRed);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 0, 0), kBlack);
    SetPixel(dc, 3, 0, RGB(0, 255, 0));
    ASSERT_TRUE(GdiFlush());
    EXPECT_EQ(index[3], 2);
    // The table can be changed in place; the pixels follow.
    const RGBQUAD white { 255, 255, 255, 0 };
    EXPECT_EQ(SetDIBColorTable(dc, 1, 1, &white), 1u);
    EXPECT_EQ(GetPixel(dc, 1, 0), kWhite);
    DIBSECTION ds;
    GetObject(section, sizeof ds, &ds);
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 4);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
}
