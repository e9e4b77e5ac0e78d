#include <gtest/gtest.h>

#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;

namespace {

class NonClient : public ::testing::Test {
protected:
    void SetUp() override { usertest::reset(); }
    void TearDown() override { usertest::reset(); }

    HWND make(DWORD style, DWORD exStyle = 0)
    {
        return CreateWindowEx(
            exStyle, "Rec", "nc", style | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr, nullptr, nullptr);
    }
    LRESULT hit(HWND w, int x, int y)
    {
        RECT r;
        GetWindowRect(w, &r);
        return SendMessage(w, WM_NCHITTEST, 0,
            MAKELPARAM(static_cast<unsigned>(x < 0 ? r.right + x : r.left + x),
                static_cast<unsigned>(y < 0 ? r.bottom + y : r.top + y)));
    }

    TestScreen screen { 640, 480 };
};

} // namespace

TEST_F(NonClient, ClientAreaFollowsTheFrameStyles)
{
    struct Case {
        DWORD style;
        DWORD exStyle;
        RECT client; // relative to the window's top-left
    };
    const int caption = GetSystemMetrics(SM_CYCAPTION), small = GetSystemMetrics(SM_CYSMCAPTION);
    const Case cases[] = {
        { WS_OVERLAPPEDWINDOW, 0, { 4, 4 + caption, 196, 146 } },
        { WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, { 3, 3 + caption, 197, 147 } },
        { WS_POPUP | WS_BORDER, 0, { 1, 1, 199, 149 } },
        { WS_POPUP, 0, { 0, 0, 200, 150 } },
        { WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, { 3, 3 + small, 197, 147 } },
        { WS_POPUP | WS_THICKFRAME, WS_EX_CLIENTEDGE, { 6, 6, 194, 144 } },
        { WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, { 0, 0, 184, 134 } },
    };
    for (const Case& c : cases) {
        HWND w = make(c.style, c.exStyle);
        RECT window, client;
        GetWindowRect(w, &window);
        GetClientRect(w, &client);
        POINT origin { 0, 0 };
        ClientToScreen(w, &origin);
        EXPECT_EQ(origin.x - window.left, c.client.left) << std::hex << c.style;
        EXPECT_EQ(origin.y - window.top, c.client.top) << std::hex << c.style;
        EXPECT_EQ(client.right, c.client.right - c.client.left) << std::hex << c.style;
        EXPECT_EQ(client.bottom, c.client.bottom - c.client.top) << std::hex << c.style;
        // AdjustWindowRectEx is the inverse (scroll bars are not part of it).
        RECT adjusted = client;
        AdjustWindowRectEx(&adjusted, c.style, FALSE, c.exStyle);
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            EXPECT_EQ(adjusted.right - adjusted.left, 200) << std::hex << c.style;
            EXPECT_EQ(adjusted.bottom - adjusted.top, 150) << std::hex << c.style;
        }
        DestroyWindow(w);
    }
}

TEST_F(NonClient, HitCodesForEachPart)
{
    HWND sizable = make(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    struct Case {
        int x, y;
        LRESULT code;
    };
    const Case cases[] = {
        { 1, 60, HTLEFT },
        { -1, 60, HTRIGHT },
        { 100, 1, HTTOP },
        { 100, -1, HTBOTTOM },
        { 1, 1, HTTOPLEFT },
        { -1, 1, HTTOPRIGHT },
        { 1, -1, HTBOTTOMLEFT },
        { -1, -1, HTBOTTOMRIGHT },
        { 20, 2, HTTOPLEFT },
        { 100, 4 + caption / 2, HTCAPTION },
        { 8, 4 + caption / 2, HTSYSMENU },
        { -10, 4 + caption / 2, HTCLOSE },
        { -30, 4 + caption / 2, HTMAXBUTTON },
        { -46, 4 + caption / 2, HTMINBUTTON },
        { 100, 60, HTCLIENT },
        { -14, 60, HTVSCROLL },
        { 60, -14, HTHSCROLL },
        { 5, 60, HTBORDER },
        { 300, 60, HTNOWHERE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(hit(sizable, c.x, c.y), c.code) << c.x << "," << c.y;

    HWND fixed = make(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP);
    EXPECT_EQ(hit(fixed, 1, 60), HTBORDER);
    EXPECT_EQ(hit(fixed, -28, 3 + caption / 2), HTHELP);
    HWND tool = make(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW);
    EXPECT_EQ(hit(tool, 8, 3 + GetSystemMetrics(SM_CYSMCAPTION) / 2), HTCAPTION);
    EXPECT_EQ(hit(tool, -8, 3 + GetSystemMetrics(SM_CYSMCAPTION) / 2), HTCLOSE);
    ShowWindow(sizable, SW_MINIMIZE);
    EXPECT_EQ(hit(sizable, 5, 5), HTCAPTION);
}

TEST_F(NonClient, CaptionButtonsSendTheirCommands)
{
    HWND w = make(WS_OVERLAPPEDWINDOW);
    screen.pump();
    std::vector<WPARAM> commands;
    usertest::handler() = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_SYSCOMMAND)
            commands.push_back(wp & 0xFFF0);
        return false;
    };
    RECT r;
    GetWindowRect(w, &r);
    const int y = r.top + 4 + GetSystemMetrics(SM_CYCAPTION) / 2;
    screen.click(r.right - 30, y);
    EXPECT_TRUE(IsZoomed(w));
    GetWindowRect(w, &r);
    screen.click(r.right - 30, r.top + 4 + GetSystemMetrics(SM_CYCAPTION) / 2);
    EXPECT_FALSE(IsZoomed(w));
    // Pressed on a button, released elsewhere: nothing.
    GetWindowRect(w, &r);
    screen.drag(r.right - 10, y, r.right - 100, y);
    EXPECT_TRUE(IsWindow(w));
    screen.doubleClick(r.left + 100, y);
    EXPECT_TRUE(IsZoomed(w));
    GetWindowRect(w, &r);
    screen.click(r.right - 10, r.top + 4 + GetSystemMetrics(SM_CYCAPTION) / 2);
    EXPECT_FALSE(IsWindow(w));
    // The first press of the double click on the caption starts (and at once ends) a move.
    EXPECT_EQ(commands, (std::vector<WPARAM> { SC_MAXIMIZE, SC_RESTORE, SC_MOVE, SC_MAXIMIZE, SC_CLOSE }));
}

TEST_F(NonClient, WindowScrollBarsFollowTheirRangeAndSendScrollMessages)
{
    HWND w = make(WS_POPUP);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 20;
    info.nPos = 500;
    // Setting a range that needs scrolling shows the bar; the position is kept in range.
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &info, TRUE), 80);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    std::vector<WORD> codes;
    usertest::handler() = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_VSCROLL)
            codes.push_back(LOWORD(wp));
        return false;
    };
    RECT r;
    GetWindowRect(w, &r);
    screen.click(r.right - 5, r.top + 3);
    screen.click(r.right - 5, r.bottom - 3);
    EXPECT_EQ(codes, (std::vector<WORD> { SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL }));
    // A page that shows everything hides the bar, unless told to disable it instead.
    info.fMask = SIF_PAGE;
    info.nPage = 100;
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    info.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
    ShowScrollBar(w, SB_VERT, TRUE);
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(NonClient, MetricsAndParametersOfTheClassicLook)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(12345), 0);
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, 640);
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(metrics.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "MS Sans Serif");
    metrics.cbSize = 4;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 4, &metrics, 0));
    EXPECT_GE(LOBYTE(LOWORD(GetVersion())), 4);
    EXPECT_EQ(GetDoubleClickTime(), 500u);
}
