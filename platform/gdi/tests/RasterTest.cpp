#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "GdiTestSupport.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The eight combinations of pattern, source and destination bits, one per column: column i has
// P = bit 2 of i, S = bit 1, D = bit 0. Colours are used as whole words so the operation is
// checked on all 24 bits at once, with a second pass on mixed values.
struct RopCase {
    DWORD rop;
    const char* name;
    std::function<std::uint32_t(std::uint32_t, std::uint32_t, std::uint32_t)> expected;
};

HBITMAP rowBitmap(const std::uint32_t (&values)[8])
{
    HBITMAP b = CreateBitmap(8, 1, 1, 32, values);
    return b;
}

} // namespace

TEST(Raster, TernaryOperationsFollowTheirTruthTables)
{
    const RopCase cases[] = {
        { SRCCOPY, "SRCCOPY", [](auto, auto s, auto) { return s; } },
        { SRCPAINT, "SRCPAINT", [](auto, auto s, auto d) { return s | d; } },
        { SRCAND, "SRCAND", [](auto, auto s, auto d) { return s & d; } },
        { SRCINVERT, "SRCINVERT", [](auto, auto s, auto d) { return s ^ d; } },
        { PATCOPY, "PATCOPY", [](auto p, auto, auto) { return p; } },
        { PATINVERT, "PATINVERT", [](auto p, auto, auto d) { return p ^ d; } },
        { DSTINVERT, "DSTINVERT", [](auto, auto, auto d) { return ~d; } },
        { BLACKNESS, "BLACKNESS", [](auto, auto, auto) { return 0u; } },
        { WHITENESS, "WHITENESS", [](auto, auto, auto) { return ~0u; } },
        { 0xB8074A, "PSDPxax", [](auto p, auto s, auto d) { return ((d ^ p) & s) ^ p; } },
        { 0xE20746, "DSPDxax", [](auto p, auto s, auto d) { return ((p ^ d) & s) ^ d; } },
        { 0x660046, "DSx", [](auto, auto s, auto d) { return d ^ s; } },
        { 0x220326, "DSna", [](auto, auto s, auto d) { return d & ~s; } },
        { MERGECOPY, "PSa", [](auto p, auto s, auto) { return p & s; } },
        { NOTSRCCOPY, "Sn", [](auto, auto s, auto) { return ~s; } },
    };
    // Two sets of inputs: pure bits, then arbitrary colours standing for "0" and "1" per column.
    for (const bool mixed : { false, true }) {
        std::uint32_t p[8], s[8], d[8];
        for (int i = 0; i < 8; ++i) {
            const std::uint32_t one = mixed ? 0x5A3C96u + i * 0x010203u : 0xFFFFFFu;
            const std::uint32_t zero = mixed ? 0x0F1E2Du * (i + 1) : 0u;
            p[i] = (i & 4) ? one : zero;
            s[i] = (i & 2) ? one ^ 0x00FF00u : zero ^ 0x330000u;
            d[i] = (i & 1) ? one ^ 0x0000F0u : zero;
            p[i] &= 0xFFFFFF;
            s[i] &= 0xFFFFFF;
            d[i] &= 0xFFFFFF;
        }
        HBITMAP patBits = rowBitmap(p);
        HBRUSH brush = CreatePatternBrush(patBits);
        HBITMAP srcBits = rowBitmap(s);
        HDC src = CreateCompatibleDC(nullptr);
        HGDIOBJ oldSrc = SelectObject(src, srcBits);
        for (const RopCase& c : cases) {
            Canvas dst(8, 1);
            HBITMAP init = rowBitmap(d);
            HDC tmp = CreateCompatibleDC(nullptr);
            HGDIOBJ oldTmp = SelectObject(tmp, init);
            ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 8, 1, tmp, 0, 0, SRCCOPY));
            SelectObject(tmp, oldTmp);
            DeleteDC(tmp);
            DeleteObject(init);
            HGDIOBJ oldBrush = SelectObject(dst.dc, brush);
            ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 8, 1, src, 0, 0, c.rop)) << c.name;
            SelectObject(dst.dc, oldBrush);
            for (int i = 0; i < 8; ++i) {
                const std::uint32_t want = c.expected(p[i], s[i], d[i]) & 0xFFFFFF;
                const COLORREF got = dst.at(i, 0);
                const std::uint32_t gotPixel = ((got & 0xFF) << 16) | (got & 0xFF00) | ((got >> 16) & 0xFF);
                EXPECT_EQ(gotPixel, want) << c.name << " column " << i << (mixed ? " (mixed)" : "");
            }
        }
        SelectObject(src, oldSrc);
        DeleteDC(src);
        DeleteObject(srcBits);
        DeleteObject(brush);
        DeleteObject(patBits);
    }
}

TEST(Raster, BinaryOperationsOfPens)
{
    // Pen colour P against destination D for all four bit combinations, using one-pixel lines.
    const std::pair<int, std::function<bool(bool, bool)>> cases[] = {
        { R2_BLACK, [](bool, bool) { return false; } },
        { R2_NOTMERGEPEN, [](bool p, bool d) { return !(p || d); } },
        { R2_MASKNOTPEN, [](bool p, bool d) { return !p && d; } },
        { R2_NOTCOPYPEN, [](bool p, bool) { return !p; } },
        { R2_MASKPENNOT, [](bool p, bool d) { return p && !d; } },
        { R2_NOT, [](bool, bool d) { return !d; } },
        { R2_XORPEN, [](bool p, bool d) { return p != d; } },
        { R2_NOTMASKPEN, [](bool p, bool d) { return !(p && d); } },
        { R2_MASKPEN, [](bool p, bool d) { return p && d; } },
        { R2_NOTXORPEN, [](bool p, bool d) { return p == d; } },
        { R2_NOP, [](bool, bool d) { return d; } },
        { R2_MERGENOTPEN, [](bool p, bool d) { return !p || d; } },
        { R2_COPYPEN, [](bool p, bool) { return p; } },
        { R2_MERGEPENNOT, [](bool p, bool d) { return p || !d; } },
        { R2_MERGEPEN, [](bool p, bool d) { return p || d; } },
        { R2_WHITE, [](bool, bool) { return true; } },
    };
    for (const auto& [code, expected] : cases) {
        for (const bool p : { false, true })
            for (const bool d : { false, true }) {
                Canvas c(3, 1);
                c.fill(d ? kWhite : kBlack);
                HPEN pen = CreatePen(PS_SOLID, 1, p ? kWhite : kBlack);
                HGDIOBJ old = SelectObject(c.dc, pen);
                SetROP2(c.dc, code);
                MoveToEx(c.dc, 0, 0, nullptr);
                LineTo(c.dc, 2, 0);
                EXPECT_EQ(c.at(0, 0), expected(p, d) ? kWhite : kBlack) << "R2 code " << code << " P=" << p << " D=" << d;
                // The end point of a line is not drawn.
                EXPECT_EQ(c.at(2, 0), d ? kWhite : kBlack);
                SelectObject(c.dc, old);
                DeleteObject(pen);
            }
    }
}

TEST(Raster, NotXorLineDrawnTwiceLeavesNoTrace)
{
    Canvas c(10, 10);
    c.fill(RGB(10, 200, 30));
    SetROP2(c.dc, R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(c.dc, 1, 1, nullptr);
        LineTo(c.dc, 8, 6);
        LineTo(c.dc, 1, 8);
    }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(c.at(x, y), RGB(10, 200, 30)) << x << "," << y;
}

TEST(Raster, MonochromeAndColourConversions)
{
    // Mono source onto colour: 1 bits take the destination's background colour, 0 bits its text colour.
    const BYTE monoBits[2] = { 0xA0, 0 }; // 1 0 1 0
    HBITMAP mono = CreateBitmap(4, 1, 1, 1, monoBits);
    HDC monoDC = CreateCompatibleDC(nullptr);
    HGDIOBJ oldMono = SelectObject(monoDC, mono);
    Canvas colour(4, 1);
    SetTextColor(colour.dc, RGB(255, 0, 0));
    SetBkColor(colour.dc, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(colour.dc, 0, 0, 4, 1, monoDC, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.at(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(colour.at(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(colour.at(2, 0), RGB(0, 0, 255));

    // Colour source onto mono: pixels of the source DC's background colour become 1, all others 0.
    SetPixel(colour.dc, 0, 0, RGB(192, 192, 192));
    SetPixel(colour.dc, 1, 0, RGB(255, 255, 255));
    SetPixel(colour.dc, 2, 0, RGB(192, 192, 192));
    SetPixel(colour.dc, 3, 0, RGB(0, 0, 0));
    SetBkColor(colour.dc, RGB(192, 192, 192));
    ASSERT_TRUE(BitBlt(monoDC, 0, 0, 4, 1, colour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(monoDC, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(monoDC, 1, 0), kBlack);
    EXPECT_EQ(GetPixel(monoDC, 2, 0), kWhite);
    EXPECT_EQ(GetPixel(monoDC, 3, 0), kBlack);

    // Anything drawn on a monochrome bitmap is black or white.
    EXPECT_EQ(SetPixel(monoDC, 3, 0, RGB(200, 220, 230)), kWhite);
    EXPECT_EQ(SetPixel(monoDC, 3, 0, RGB(40, 0, 90)), kBlack);

    SelectObject(monoDC, oldMono);
    DeleteDC(monoDC);
    DeleteObject(mono);
}

TEST(Raster, CompatibleBitmapOfAFreshMemoryDCIsMonochrome)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(dc, 4, 4);
    BITMAP info;
    ASSERT_EQ(GetObject(b, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);
    DeleteObject(b);
    DeleteDC(dc);
}

TEST(Raster, PatternBrushesAndHalftoneDragOutline)
{
    // The halftone brush: a checkerboard of 1 and 0 bits; PATINVERT twice restores the screen.
    const WORD checker[8] = { 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA };
    HBITMAP pat = CreateBitmap(8, 8, 1, 1, checker);
    HBRUSH halftone = CreatePatternBrush(pat);
    DeleteObject(pat); // the brush keeps its own copy
    Canvas c(6, 2);
    c.fill(kWhite);
    HGDIOBJ old = SelectObject(c.dc, halftone);
    ASSERT_TRUE(PatBlt(c.dc, 0, 0, 6, 2, PATINVERT));
    // Pattern 0 bits draw in the text colour (black) and XOR white to white; 1 bits in the
    // background colour (white) and XOR white to black.
    EXPECT_EQ(c.row(0, 6, kBlack), ".#.#.#");
    EXPECT_EQ(c.row(1, 6, kBlack), "#.#.#.");
    ASSERT_TRUE(PatBlt(c.dc, 0, 0, 6, 2, PATINVERT));
    EXPECT_EQ(c.row(0, 6, kWhite), "######");
    SelectObject(c.dc, old);
    DeleteObject(halftone);
}

TEST(Raster, HatchBrushRespectsBackgroundMode)
{
    HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0));
    Canvas c(8, 8);
    c.fill(RGB(0, 255, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    RECT r { 0, 0, 8, 8 };
    SetBkMode(c.dc, TRANSPARENT);
    FillRect(c.dc, &r, hatch);
    EXPECT_EQ(c.at(0, 4), RGB(255, 0, 0));
    EXPECT_EQ(c.at(0, 0), RGB(0, 255, 0));
    SetBkMode(c.dc, OPAQUE);
    FillRect(c.dc, &r, hatch);
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 255));
    DeleteObject(hatch);
}

TEST(Raster, OverlappingCopyOnOneSurfaceReadsTheOriginal)
{
    Canvas c(6, 1);
    for (int x = 0; x < 6; ++x)
        SetPixel(c.dc, x, 0, RGB(x * 10, 0, 0));
    ASSERT_TRUE(BitBlt(c.dc, 1, 0, 5, 1, c.dc, 0, 0, SRCCOPY));
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(c.at(x, 0), RGB((x - 1) * 10, 0, 0));
}

TEST(Raster, StretchBltScalesAndMirrors)
{
    Canvas src(2, 1);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(0, 0, 255));
    Canvas dst(4, 2);
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.row(0, 4, RGB(255, 0, 0)), "##..");
    EXPECT_EQ(dst.row(1, 4, RGB(0, 0, 255)), "..##");
    ASSERT_TRUE(StretchBlt(dst.dc, 3, 0, -4, 1, src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.row(0, 4, RGB(0, 0, 255)), "##..");
}
