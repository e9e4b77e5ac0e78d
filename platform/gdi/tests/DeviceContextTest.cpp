#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "GdiTestSupport.h"
#include "platform/gdi/SurfaceDC.h"

using namespace platform::gdi;

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
} // namespace

TEST(Mapping, AnisotropicWindowAndViewport)
{
    Canvas c(100, 100);
    SetMapMode(c.dc, MM_ANISOTROPIC);
    SetWindowOrgEx(c.dc, 10, 20, nullptr);
    SetWindowExtEx(c.dc, 1000, 1000, nullptr);
    SetViewportOrgEx(c.dc, 5, 5, nullptr);
    SetViewportExtEx(c.dc, 100, -50, nullptr);
    POINT pts[2] = { { 10, 20 }, { 1015, 1020 } };
    ASSERT_TRUE(LPtoDP(c.dc, pts, 2));
    EXPECT_EQ(pts[0].x, 5);
    EXPECT_EQ(pts[0].y, 5);
    EXPECT_EQ(pts[1].x, 5 + 101); // 1005 * 100 / 1000 = 100.5, rounded up
    EXPECT_EQ(pts[1].y, 5 - 50);
    ASSERT_TRUE(DPtoLP(c.dc, pts, 2));
    EXPECT_EQ(pts[0].x, 10);
    EXPECT_EQ(pts[1].x, 1020);
    EXPECT_EQ(pts[1].y, 1020);
    // Zero extents are refused and change nothing.
    EXPECT_FALSE(SetWindowExtEx(c.dc, 0, 10, nullptr));
    SIZE ext;
    GetWindowExtEx(c.dc, &ext);
    EXPECT_EQ(ext.cx, 1000);
    // Drawing follows the mapping: a logical rectangle lands scaled on the device.
    SetMapMode(c.dc, MM_ANISOTROPIC);
    SetWindowOrgEx(c.dc, 0, 0, nullptr);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    SetWindowExtEx(c.dc, 10, 10, nullptr);
    SetViewportExtEx(c.dc, 20, 20, nullptr);
    c.fill(kWhite);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r { 1, 1, 3, 2 };
    FillRect(c.dc, &r, red);
    DeleteObject(red);
    EXPECT_EQ(c.at(1, 1), kRed); // GetPixel takes logical coordinates too
    SetMapMode(c.dc, MM_TEXT);
    EXPECT_EQ(c.row(2, 8, kRed), "..####..");
    EXPECT_EQ(c.row(4, 8, kRed), "........");
}

TEST(Mapping, MetricModesFlipTheYAxis)
{
    Canvas c(10, 10);
    SetMapMode(c.dc, MM_LOENGLISH); // 0.01 inch, 96 dpi screen
    POINT p { 100, -100 };
    LPtoDP(c.dc, &p, 1);
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 96);
}

TEST(Clipping, IntersectExcludeAndQueries)
{
    Canvas c(20, 10);
    c.fill(kWhite);
    EXPECT_EQ(IntersectClipRect(c.dc, 2, 0, 12, 10), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(c.dc, 4, 0, 6, 10), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 12);
    RECT inHole { 4, 2, 6, 3 };
    EXPECT_FALSE(RectVisible(c.dc, &inHole));
    EXPECT_TRUE(PtVisible(c.dc, 7, 2));
    EXPECT_FALSE(PtVisible(c.dc, 15, 2));
    RECT all { 0, 0, 20, 10 };
    FillRect(c.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(c.row(0, 14, kBlack), "..##..######..");

    // SaveDC/RestoreDC bring the clip back with everything else.
    const int level = SaveDC(c.dc);
    IntersectClipRect(c.dc, 0, 0, 1, 1);
    SetTextColor(c.dc, kRed);
    EXPECT_TRUE(RestoreDC(c.dc, level));
    EXPECT_EQ(GetTextColor(c.dc), kBlack);
    EXPECT_TRUE(PtVisible(c.dc, 15, 5));
    EXPECT_FALSE(RestoreDC(c.dc, 5));
}

TEST(Clipping, SurfaceDCHasOriginAndVisibleRegion)
{
    // What the window layer does: a DC for a window at (10, 5) on a shared screen, partly covered.
    auto screen = Surface::create(40, 20, false);
    Region visible(RECT { 10, 5, 30, 15 });
    visible = Region::combine(visible, Region(RECT { 20, 5, 30, 10 }), RGN_DIFF);
    HDC dc = CreateSurfaceDC(screen, POINT { 10, 5 }, visible);
    ASSERT_NE(dc, nullptr);
    RECT r { 0, 0, 100, 100 };
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(screen->pixel(10, 5), 0xFFFFFFu);
    EXPECT_EQ(screen->pixel(9, 5), 0u); // left of the window
    EXPECT_EQ(screen->pixel(25, 6), 0u); // covered part
    EXPECT_EQ(screen->pixel(25, 12), 0xFFFFFFu);
    EXPECT_EQ(screen->pixel(30, 12), 0u);
    EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 10);
    EXPECT_FALSE(DeleteDC(dc)); // window DCs are released, not deleted
    EXPECT_TRUE(ReleaseSurfaceDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

TEST(Regions, CombineModesAndQueries)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    const struct {
        int mode;
        int kind;
        POINT in;
        POINT out;
    } cases[] = {
        { RGN_AND, SIMPLEREGION, { 7, 7 }, { 2, 2 } },
        { RGN_OR, COMPLEXREGION, { 12, 12 }, { 12, 2 } },
        { RGN_XOR, COMPLEXREGION, { 2, 2 }, { 7, 7 } },
        { RGN_DIFF, COMPLEXREGION, { 2, 7 }, { 7, 7 } },
        { RGN_COPY, SIMPLEREGION, { 2, 2 }, { 12, 12 } },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.kind) << c.mode;
        EXPECT_TRUE(PtInRegion(out, c.in.x, c.in.y)) << c.mode;
        EXPECT_FALSE(PtInRegion(out, c.out.x, c.out.y)) << c.mode;
    }
    // A region combined into one of its own sources.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_DIFF), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(a, &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(out, a, a, RGN_XOR), NULLREGION);
    // Union of the pieces gives the rectangle back, and equality sees it.
    HRGN whole = CreateRectRgn(0, 0, 10, 10);
    HRGN piece = CreateRectRgn(5, 5, 10, 10);
    CombineRgn(out, a, piece, RGN_OR);
    EXPECT_TRUE(EqualRgn(out, whole));
    for (HRGN r : { a, b, out, whole, piece })
        DeleteObject(r);
}

TEST(Regions, PolygonFillAndHitTest)
{
    // A triangle pointing down, as a drop-down arrow is drawn.
    const POINT tri[3] = { { 0, 0 }, { 7, 0 }, { 3, 4 } };
    HRGN r = CreatePolygonRgn(tri, 3, ALTERNATE);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(PtInRegion(r, 3, 0));
    EXPECT_TRUE(PtInRegion(r, 3, 2));
    EXPECT_FALSE(PtInRegion(r, 0, 3));
    EXPECT_FALSE(PtInRegion(r, 7, 0));
    Canvas c(8, 5);
    c.fill(kWhite);
    EXPECT_TRUE(FillRgn(c.dc, r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_EQ(c.row(0, 8, kBlack), "######..");
    EXPECT_EQ(c.row(4, 8, kBlack), "........");
    DeleteObject(r);
    EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
}

TEST(Shapes, RectangleWithPenAndWithout)
{
    Canvas c(8, 6);
    c.fill(kWhite);
    HBRUSH red = CreateSolidBrush(kRed);
    HGDIOBJ oldBrush = SelectObject(c.dc, red);
    Rectangle(c.dc, 0, 0, 5, 4);
    EXPECT_EQ(c.row(0, 6, kBlack), "#####.");
    EXPECT_EQ(c.row(1, 6, kBlack), "#...#.");
    EXPECT_EQ(c.row(1, 6, kRed), ".###..");
    EXPECT_EQ(c.row(3, 6, kBlack), "#####.");
    // Without a pen the fill stops one pixel short of the right and bottom edges.
    c.fill(kWhite);
    HGDIOBJ oldPen = SelectObject(c.dc, GetStockObject(NULL_PEN));
    Rectangle(c.dc, 0, 0, 5, 4);
    EXPECT_EQ(c.row(0, 6, kRed), "####..");
    EXPECT_EQ(c.row(3, 6, kRed), "......");
    SelectObject(c.dc, oldPen);
    SelectObject(c.dc, oldBrush);
    DeleteObject(red);
}

TEST(Objects, BadHandlesFailWithoutCrashing)
{
    HDC stale = CreateCompatibleDC(nullptr);
    DeleteDC(stale);
    HBRUSH brush = CreateSolidBrush(kRed);
    DeleteObject(brush);
    RECT r { 0, 0, 4, 4 };
    EXPECT_EQ(FillRect(stale, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(FillRect(nullptr, &r, nullptr), 0);
    EXPECT_FALSE(BitBlt(stale, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(SelectObject(stale, brush), nullptr);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetObject(brush, 0, nullptr), 0);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
    EXPECT_EQ(CreateBitmap(0, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(-1, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreatePen(PS_SOLID, -1, 0), nullptr);
    EXPECT_EQ(CreateBitmap(16384, 16384, 1, 32, nullptr), nullptr); // a gigabyte of pixels is refused
    Canvas c(4, 4);
    EXPECT_TRUE(Rectangle(c.dc, 0, 0, 4, 4));
    EXPECT_FALSE(Rectangle(c.dc, -2000000000, 0, 2000000000, 4));
    // Far-off polygon corners are clipped, not scanned row by row across two billion rows.
    const POINT far[3] = { { -2000000000, -2000000000 }, { 2000000000, 0 }, { 0, 2000000000 } };
    EXPECT_TRUE(Polygon(c.dc, far, 3));
    HRGN farRegion = CreatePolygonRgn(far, 3, WINDING);
    ASSERT_NE(farRegion, nullptr);
    EXPECT_TRUE(PtInRegion(farRegion, 0, 0));
    DeleteObject(farRegion);
}

TEST(Objects, SelectedObjectsCannotBeDeleted)
{
    Canvas c(2, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ old = SelectObject(c.dc, pen);
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(c.bitmap));
    SelectObject(c.dc, old);
    EXPECT_TRUE(DeleteObject(pen));
    // A bitmap is in one DC at a time.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, c.bitmap), nullptr);
    DeleteDC(other);
    // Stock objects survive deletion.
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(Objects, DeletingADCReleasesWhatItsSavedStatesHeld)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(kRed);
    SelectObject(dc, brush);
    SaveDC(dc);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(DeleteObject(brush)); // still held by the saved state
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(Clipping, DisplayDCDrawsOnTheScreenSurfaceAndExportsPng)
{
    auto screen = Surface::create(8, 4, false);
    SetDisplaySurface(screen);
    HDC dc = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 8);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    // CDC::FillSolidRect's way: an opaque ExtTextOut without text, here with its corners swapped.
    SetBkColor(dc, kRed);
    RECT r { 3, 2, 1, 0 };
    ASSERT_TRUE(ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_EQ(screen->pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(screen->pixel(2, 1), 0xFF0000u);
    EXPECT_EQ(screen->pixel(3, 1), 0u);
    ASSERT_TRUE(SaveSurfacePng(dc, "screen.png"));
    std::ifstream png("screen.png", std::ios::binary);
    char head[24] {};
    png.read(head, sizeof head);
    EXPECT_EQ(std::string(head + 1, 3), "PNG");
    EXPECT_EQ(static_cast<unsigned char>(head[19]), 8u); // IHDR width
    EXPECT_EQ(static_cast<unsigned char>(head[23]), 4u); // IHDR height
    EXPECT_TRUE(DeleteDC(dc));
    SetDisplaySurface(nullptr);
}

TEST(Shapes, WidePensCoverTheirWidth)
{
    const struct {
        int width;
        int firstRow, lastRow; // rows covered at the middle of a horizontal line at y = 30
    } cases[] = { { 3, 29, 31 }, { 20, 21, 40 } }; // an even width puts its extra pixel below
    for (const auto& k : cases) {
        Canvas c(80, 60);
        c.fill(kWhite);
        HPEN pen = CreatePen(PS_SOLID, k.width, kBlack);
        HGDIOBJ old = SelectObject(c.dc, pen);
        MoveToEx(c.dc, 20, 30, nullptr);
        LineTo(c.dc, 60, 30);
        for (int y = 15; y < 45; ++y)
            EXPECT_EQ(c.at(40, y) == kBlack, y >= k.firstRow && y <= k.lastRow) << "width " << k.width << " row " << y;
        SelectObject(c.dc, old);
        DeleteObject(pen);
    }
    // A pen far wider than the surface just covers it.
    Canvas c(30, 20);
    c.fill(kWhite);
    HPEN huge = CreatePen(PS_SOLID, 4000, kBlack);
    HGDIOBJ old = SelectObject(c.dc, huge);
    MoveToEx(c.dc, 0, 10, nullptr);
    LineTo(c.dc, 30, 10);
    EXPECT_EQ(c.row(0, 30, kBlack), std::string(30, '#'));
    EXPECT_EQ(c.row(19, 30, kBlack), std::string(30, '#'));
    SelectObject(c.dc, old);
    DeleteObject(huge);
}
