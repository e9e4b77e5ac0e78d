#include <gtest/gtest.h>

#include <map>

#include "platform/user/Screen.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;
using usertest::log;
using Entries = std::vector<std::string>;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Windows that paint their client area in a colour of their own.
class Painting : public ::testing::Test {
protected:
    void SetUp() override
    {
        usertest::reset();
        usertest::handler() = [this](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m != WM_PAINT || !colors.count(h))
                return false;
            ++paints[h];
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(h, &ps);
            RECT client;
            GetClientRect(h, &client);
            HBRUSH brush = CreateSolidBrush(colors[h]);
            FillRect(hdc, &client, brush);
            DeleteObject(brush);
            EndPaint(h, &ps);
            r = 0;
            return true;
        };
    }
    void TearDown() override { usertest::reset(); }

    HWND make(const char* name, DWORD style, RECT r, HWND parent = nullptr, COLORREF color = CLR_INVALID)
    {
        HWND h = CreateWindowEx(0, "Rec", name, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
            nullptr, nullptr, nullptr);
        if (color != CLR_INVALID)
            colors[h] = color;
        return h;
    }

    std::map<HWND, COLORREF> colors;
    std::map<HWND, int> paints;
    TestScreen screen { 320, 240 };
};

} // namespace

TEST_F(Painting, PaintComesWhenTheQueueIsEmptyAndValidates)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 10, 10, 110, 110 }, nullptr, kRed);
    usertest::watch({ WM_PAINT, WM_USER });
    PostMessage(w, WM_USER, 0, 0);
    screen.pump();
    EXPECT_EQ(log().entries, (Entries { "w:?", "w:PAINT" }));
    EXPECT_EQ(screen.pixel(50, 50), kRed);
    log().clear();
    screen.pump();
    EXPECT_TRUE(log().entries.empty());

    // Invalidation, then validation before the queue is looked at: nothing to paint.
    InvalidateRect(w, nullptr, TRUE);
    ValidateRect(w, nullptr);
    screen.pump();
    EXPECT_TRUE(log().entries.empty());
    // UpdateWindow paints at once, without the queue.
    RECT part { 0, 0, 10, 10 };
    InvalidateRect(w, &part, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update.right, 10);
    UpdateWindow(w);
    EXPECT_EQ(log().entries, (Entries { "w:PAINT" }));
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
}

TEST_F(Painting, RedrawWindowInvalidatesJustTheRegionGiven)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 10, 10, 110, 110 }, nullptr, kRed);
    screen.pump();
    HRGN given = CreateRectRgn(0, 0, 10, 10);
    HRGN second = CreateRectRgn(50, 50, 60, 70);
    CombineRgn(given, given, second, RGN_OR);
    EXPECT_TRUE(RedrawWindow(w, nullptr, given, RDW_INVALIDATE));
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(w, update, FALSE), COMPLEXREGION);
    for (POINT in : { POINT { 0, 0 }, POINT { 9, 9 }, POINT { 50, 50 }, POINT { 59, 69 } })
        EXPECT_TRUE(PtInRegion(update, in.x, in.y)) << in.x << "," << in.y;
    for (POINT out : { POINT { 10, 10 }, POINT { 30, 30 }, POINT { 60, 50 }, POINT { 50, 70 } })
        EXPECT_FALSE(PtInRegion(update, out.x, out.y)) << out.x << "," << out.y;
    DeleteObject(update);
    DeleteObject(second);
    DeleteObject(given);
    EXPECT_FALSE(RedrawWindow(w, nullptr, second, RDW_INVALIDATE));
}

TEST_F(Painting, ValidatingWithoutBeginPaintEndsThePainting)
{
    HWND w = make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 100, 100 });
    usertest::watch({ WM_NCPAINT });
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_PAINT || h != w)
            return false;
        ValidateRect(h, nullptr);
        r = 0;
        return true;
    };
    EXPECT_LT(screen.pump(), 100);
    EXPECT_EQ(log().entries, (Entries { "w:NCPAINT" }));
}

TEST_F(Painting, DefaultPaintingErasesWithTheClassBrush)
{
    HWND w = make("plain", WS_POPUP | WS_VISIBLE, { 0, 0, 50, 50 });
    screen.pump();
    EXPECT_EQ(screen.pixel(25, 25), GetSysColor(COLOR_WINDOW));
    // The desktop shows where no window is.
    EXPECT_EQ(screen.pixel(100, 100), GetSysColor(COLOR_DESKTOP));
    MoveWindow(w, 100, 100, 50, 50, TRUE);
    screen.pump();
    EXPECT_EQ(screen.pixel(25, 25), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(screen.pixel(120, 120), GetSysColor(COLOR_WINDOW));
}

TEST_F(Painting, DrawingIsClippedToTheVisibleRegion)
{
    HWND back = make("back", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 }, nullptr, kRed);
    HWND front = make("front", WS_POPUP | WS_VISIBLE, { 50, 50, 150, 150 }, nullptr, kBlue);
    screen.pump();
    EXPECT_EQ(screen.pixel(75, 75), kBlue);
    // The back window draws all over its client area outside WM_PAINT: the front one stays.
    HDC hdc = GetDC(back);
    RECT all { 0, 0, 100, 100 };
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(hdc, &all, green);
    ReleaseDC(back, hdc);
    EXPECT_EQ(screen.pixel(10, 10), kGreen);
    EXPECT_EQ(screen.pixel(75, 75), kBlue);

    // A parent with WS_CLIPCHILDREN does not draw over its children; one without does.
    for (const DWORD clip : { DWORD { WS_CLIPCHILDREN }, DWORD { 0 } }) {
        HWND parent = make("parent", WS_POPUP | WS_VISIBLE | clip, { 200, 0, 300, 100 }, nullptr, kRed);
        HWND kid = make("kid", WS_CHILD | WS_VISIBLE, { 10, 10, 30, 30 }, parent, kBlue);
        screen.pump();
        hdc = GetDC(parent);
        FillRect(hdc, &all, green);
        ReleaseDC(parent, hdc);
        EXPECT_EQ(screen.pixel(215, 15), clip ? kBlue : kGreen);
        // A child never draws outside its parent's client area.
        SetWindowPos(kid, nullptr, 90, 90, 50, 50, SWP_NOZORDER);
        screen.pump();
        EXPECT_EQ(screen.pixel(295, 95), kBlue);
        EXPECT_EQ(screen.pixel(305, 105), GetSysColor(COLOR_DESKTOP));
        DestroyWindow(parent);
    }
    DeleteObject(green);
    (void)front;
}

TEST_F(Painting, ScreenDCDrawsOverWindowsAndXorUndoes)
{
    make("w", WS_POPUP | WS_VISIBLE, { 20, 20, 120, 120 }, nullptr, kRed);
    screen.pump();
    HDC hdc = GetDC(nullptr);
    const COLORREF before = screen.pixel(30, 30);
    PatBlt(hdc, 0, 0, 200, 200, DSTINVERT);
    EXPECT_EQ(screen.pixel(30, 30), RGB(0, 255, 255));
    PatBlt(hdc, 0, 0, 200, 200, DSTINVERT);
    EXPECT_EQ(screen.pixel(30, 30), before);
    ReleaseDC(nullptr, hdc);
}

TEST_F(Painting, LockedWindowsDrawNothingUntilUnlocked)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 }, nullptr, kRed);
    screen.pump();
    ASSERT_TRUE(LockWindowUpdate(w));
    EXPECT_FALSE(LockWindowUpdate(w));
    HDC hdc = GetDC(w);
    RECT all { 0, 0, 100, 100 };
    FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(w, hdc);
    EXPECT_EQ(screen.pixel(50, 50), kRed);
    // Drawing for tracking goes through.
    hdc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(GetDesktopWindow(), hdc);
    EXPECT_EQ(screen.pixel(50, 50), RGB(0, 0, 0));
    EXPECT_TRUE(LockWindowUpdate(nullptr));
    screen.pump();
    EXPECT_EQ(screen.pixel(50, 50), kRed);
}

TEST_F(Painting, RedrawOffStopsPainting)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 }, nullptr, kRed);
    screen.pump();
    const int before = paints[w];
    SendMessage(w, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(w, nullptr, TRUE);
    screen.pump();
    EXPECT_EQ(paints[w], before);
    SendMessage(w, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(paints[w], before + 1);
}

TEST_F(Painting, FrameShowsActivation)
{
    HWND a = make("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 150, 100 });
    screen.pump();
    const int border = GetSystemMetrics(SM_CXFRAME);
    const POINT inCaption { 60, border + 5 };
    EXPECT_EQ(screen.pixel(inCaption.x, inCaption.y), GetSysColor(COLOR_ACTIVECAPTION));
    make("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 160, 0, 300, 100 });
    screen.pump();
    EXPECT_EQ(GetActiveWindow(), FindWindow("Rec", "b"));
    EXPECT_EQ(screen.pixel(inCaption.x, inCaption.y), GetSysColor(COLOR_INACTIVECAPTION));
    (void)a;
}

TEST_F(Painting, CaretInvertsWhereItStands)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 }, nullptr, kRed);
    screen.pump();
    ASSERT_TRUE(CreateCaret(w, nullptr, 2, 10));
    SetCaretPos(10, 10);
    EXPECT_EQ(screen.pixel(10, 12), kRed);
    ShowCaret(w);
    EXPECT_EQ(screen.pixel(10, 12), RGB(0, 255, 255));
    SetCaretPos(20, 10);
    EXPECT_EQ(screen.pixel(10, 12), kRed);
    EXPECT_EQ(screen.pixel(21, 15), RGB(0, 255, 255));
    HideCaret(w);
    EXPECT_EQ(screen.pixel(21, 15), kRed);
    DestroyCaret();
    EXPECT_FALSE(ShowCaret(w));
}

TEST_F(Painting, ANewScreenSizeIsToldAndRepainted)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 0, 0, 50, 50 }, nullptr, kRed);
    screen.pump();
    usertest::watch({ WM_DISPLAYCHANGE });
    LPARAM told = 0;
    auto painter = usertest::handler();
    usertest::handler() = [&](HWND h, UINT m, WPARAM wp, LPARAM l, LRESULT& r) {
        if (m == WM_DISPLAYCHANGE)
            told = l;
        return painter(h, m, wp, l, r);
    };
    ASSERT_TRUE(platform::user::Screen::Instance().resize(200, 150));
    screen.pump();
    EXPECT_EQ(LOWORD(told), 200);
    EXPECT_EQ(HIWORD(told), 150);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 200);
    EXPECT_EQ(screen.pixel(10, 10), kRed);
    EXPECT_EQ(screen.pixel(100, 100), GetSysColor(COLOR_DESKTOP));
    EXPECT_FALSE(platform::user::Screen::Instance().resize(0, 10));
    (void)w;
}

TEST_F(Painting, AnOwnDCKeepsItsStateAcrossUses)
{
    WNDCLASS wc;
    wc.lpfnWndProc = usertest::RecordingProc;
    wc.lpszClassName = "OwnDcWindow";
    wc.style = CS_OWNDC;
    RegisterClass(&wc);
    HWND w
        = CreateWindowEx(0, "OwnDcWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    HDC first = GetDC(w);
    SetTextColor(first, kGreen);
    ReleaseDC(w, first);
    EXPECT_EQ(GetDC(w), first);
    ReleaseDC(w, first);
    HDC painting = nullptr;
    COLORREF color = 0;
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_PAINT || h != w)
            return false;
        PAINTSTRUCT ps;
        painting = BeginPaint(h, &ps);
        color = GetTextColor(painting);
        EndPaint(h, &ps);
        r = 0;
        return true;
    };
    InvalidateRect(w, nullptr, TRUE);
    screen.pump();
    EXPECT_EQ(painting, first);
    EXPECT_EQ(color, kGreen);
    DestroyWindow(w);
    UnregisterClass("OwnDcWindow", nullptr);
}

TEST_F(Painting, ClipRegionsKeepTheirShape)
{
    HWND w = make("w", WS_POPUP | WS_CAPTION | WS_VISIBLE, { 20, 20, 220, 140 });
    screen.pump();
    RECT window {};
    GetWindowRect(w, &window);
    // Two separate bands: whatever lies between them must stay untouched.
    HRGN bands = CreateRectRgn(0, 0, 40, 200);
    HRGN right = CreateRectRgn(120, 0, 200, 200);
    CombineRgn(bands, bands, right, RGN_OR);
    DeleteObject(right);

    HDC dc = GetDCEx(w, bands, DCX_INTERSECTRGN);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all { 0, 0, 200, 200 };
    FillRect(dc, &all, red);
    ReleaseDC(w, dc);
    POINT inside { 10, 10 }, between { 80, 10 };
    ClientToScreen(w, &inside);
    ClientToScreen(w, &between);
    EXPECT_EQ(screen.pixel(inside.x, inside.y), kRed);
    EXPECT_NE(screen.pixel(between.x, between.y), kRed);

    // WM_NCPAINT's region is on the screen: the caption is repainted only within it.
    HDC screenDC = GetDC(nullptr);
    RECT captionRow { window.left, window.top, window.right, window.top + 12 };
    FillRect(screenDC, &captionRow, red);
    ReleaseDC(nullptr, screenDC);
    DeleteObject(red);
    OffsetRgn(bands, window.left, window.top);
    SendMessage(w, WM_NCPAINT, reinterpret_cast<WPARAM>(bands), 0);
    EXPECT_EQ(screen.pixel(window.left + 80, window.top + 8), kRed);
    EXPECT_EQ(screen.pixel(window.left + 130, window.top + 8), GetSysColor(COLOR_ACTIVECAPTION));
    DeleteObject(bands);
}

TEST_F(Painting, ScrollWindowMovesThePixelsAndInvalidatesOnlyWhatScrolledIn)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 20, 20, 120, 100 }, nullptr, kBlue);
    screen.pump();
    HDC dc = GetDC(w);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT square { 10, 10, 20, 20 };
    FillRect(dc, &square, red);
    DeleteObject(red);
    ReleaseDC(w, dc);

    paints[w] = 0;
    ScrollWindow(w, 15, 0, nullptr, nullptr);
    RECT update {};
    GetUpdateRect(w, &update, FALSE);
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.right, 15);
    screen.pump();
    EXPECT_EQ(paints[w], 1);
    // The square moved; the strip scrolled in was painted by the window.
    EXPECT_EQ(screen.pixel(20 + 30, 20 + 15), kRed);
    EXPECT_EQ(screen.pixel(20 + 15, 20 + 15), kBlue);
    EXPECT_EQ(screen.pixel(20 + 5, 20 + 15), kBlue);
}
