#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/GlobalMemory.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::MouseButton;
using platform::user::TestScreen;
using usertest::log;
using Entries = std::vector<std::string>;

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override { usertest::reset(); }
    void TearDown() override { usertest::reset(); }

    HWND make(const char* name, DWORD style, RECT r, HWND parent = nullptr, const char* cls = "Rec")
    {
        return CreateWindowEx(
            0, cls, name, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr, nullptr);
    }

    TestScreen screen { 400, 300 };
};

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

} // namespace

TEST_F(Input, MouseGoesToTheWindowUnderThePointerOrToCapture)
{
    HWND main = make("main", WS_POPUP | WS_VISIBLE, { 0, 0, 200, 200 });
    HWND kid = make("kid", WS_CHILD | WS_VISIBLE, { 50, 50, 100, 100 }, main);
    std::vector<Seen> seen;
    usertest::handler() = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT&) {
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_CAPTURECHANGED)
            seen.push_back({ h, m, w, l });
        return false;
    };
    screen.click(60, 70);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].hwnd, kid);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[0].wParam, MK_LBUTTON);
    EXPECT_EQ(GET_X_LPARAM(seen[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(seen[0].lParam), 20);
    EXPECT_EQ(seen[1].wParam, 0u);
    EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(60, 70)));

    // Captured, the window gets the pointer's input anywhere, in its client coordinates.
    seen.clear();
    SetCapture(kid);
    screen.click(300, 250);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].hwnd, kid);
    EXPECT_EQ(GET_X_LPARAM(seen[0].lParam), 250);
    EXPECT_EQ(GET_Y_LPARAM(seen[0].lParam), 200);
    seen.clear();
    SetCapture(main);
    ReleaseCapture();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].hwnd, kid);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_CAPTURECHANGED));
    EXPECT_EQ(seen[0].lParam, reinterpret_cast<LPARAM>(main));
    EXPECT_EQ(seen[1].hwnd, main);
    EXPECT_EQ(seen[1].lParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, ADisabledWindowGetsNoPointerInput)
{
    HWND w = make("w", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    HWND other = make("other", WS_POPUP | WS_VISIBLE, { 200, 0, 300, 100 });
    SetActiveWindow(other);
    EnableWindow(w, FALSE);
    usertest::watch({ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MOUSEACTIVATE });
    std::vector<LPARAM> cursorAsks;
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM l, LRESULT&) {
        if (m == WM_SETCURSOR && h == w)
            cursorAsks.push_back(l);
        return false;
    };
    screen.click(50, 50);
    EXPECT_TRUE(log().entries.empty());
    EXPECT_EQ(GetActiveWindow(), other);
    ASSERT_EQ(cursorAsks.size(), 1u);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(cursorAsks[0])), HTERROR);
    EnableWindow(w, TRUE);
    screen.click(50, 50);
    EXPECT_EQ(GetActiveWindow(), w);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndPlace)
{
    HWND withDbl = make("dbl", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    HWND without = make("plain", WS_POPUP | WS_VISIBLE, { 200, 0, 300, 100 }, nullptr, "RecPlain");
    usertest::watch({ WM_LBUTTONDOWN, WM_LBUTTONDBLCLK });
    struct Case {
        int x;
        int secondX;
        int waitMs;
        Entries expected;
    };
    const Case cases[] = {
        { 50, 50, 100, { "dbl:LBUTTONDOWN", "dbl:LBUTTONDBLCLK" } },
        { 50, 50, 600, { "dbl:LBUTTONDOWN", "dbl:LBUTTONDOWN" } },
        { 50, 58, 100, { "dbl:LBUTTONDOWN", "dbl:LBUTTONDOWN" } },
        { 250, 250, 100, { "plain:LBUTTONDOWN", "plain:LBUTTONDOWN" } },
    };
    for (const Case& c : cases) {
        screen.advance(std::chrono::milliseconds(2000));
        log().clear();
        screen.click(c.x, 50);
        screen.advance(std::chrono::milliseconds(c.waitMs));
        screen.click(c.secondX, 50);
        EXPECT_EQ(log().entries, c.expected) << c.x << " " << c.secondX << " " << c.waitMs;
    }
    (void)withDbl;
    (void)without;
}

TEST_F(Input, KeysGoToTheFocusWithTheirStateBits)
{
    HWND main = make("main", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    HWND edit = make("edit", WS_CHILD | WS_VISIBLE, { 0, 0, 50, 20 }, main);
    SetFocus(edit);
    std::vector<Seen> seen;
    SHORT shiftDuringKey = 0;
    usertest::handler() = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT&) {
        if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) {
            seen.push_back({ h, m, w, l });
            if (w == 'A')
                shiftDuringKey = GetKeyState(VK_SHIFT);
        }
        return false;
    };
    screen.keyDown(VK_SHIFT);
    screen.keyDown('A');
    screen.keyDown('A');
    screen.keyUp('A');
    screen.keyUp(VK_SHIFT);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[1].hwnd, edit);
    EXPECT_EQ(seen[1].lParam & (KF_REPEAT_BIT | KF_UP_BIT), 0);
    EXPECT_EQ(seen[2].lParam & KF_REPEAT_BIT, KF_REPEAT_BIT);
    EXPECT_EQ(seen[3].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(seen[3].lParam & (KF_REPEAT_BIT | KF_UP_BIT), KF_REPEAT_BIT | KF_UP_BIT);
    EXPECT_LT(shiftDuringKey, 0);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetAsyncKeyState('A'), 0);

    // With Alt held keys become system keys with the context bit.
    seen.clear();
    screen.keyDown(VK_MENU);
    screen.key('X');
    screen.keyUp(VK_MENU);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(seen[1].lParam & KF_ALTDOWN_BIT, KF_ALTDOWN_BIT);
}

TEST_F(Input, FocusAndActivationMessagesComeInOrder)
{
    HWND a = make("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 150, 150 });
    HWND b = make("b", WS_OVERLAPPEDWINDOW, { 200, 0, 350, 150 });
    HWND bKid = make("bkid", WS_CHILD | WS_VISIBLE, { 10, 10, 40, 40 }, b);
    screen.pump();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    usertest::watch({ WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
        WM_ACTIVATEAPP, WM_SHOWWINDOW });
    ShowWindow(b, SW_SHOW);
    EXPECT_EQ(log().entries,
        (Entries { "b:SHOWWINDOW", "b:POSCHANGING", "a:NCACTIVATE", "a:ACTIVATE", "b:NCACTIVATE", "b:ACTIVATE",
            "a:KILLFOCUS", "b:SETFOCUS", "b:POSCHANGED" }));
    log().clear();
    SetFocus(bKid);
    EXPECT_EQ(log().entries, (Entries { "b:KILLFOCUS", "bkid:SETFOCUS" }));
    log().clear();
    // A click on the inactive window activates it first.
    usertest::watch({ WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN });
    screen.click(50, 60);
    EXPECT_EQ(log().entries, (Entries { "a:MOUSEACTIVATE", "b:ACTIVATE", "a:ACTIVATE", "a:LBUTTONDOWN" }));
    EXPECT_EQ(GetActiveWindow(), a);
    // The focus window going away leaves no focus behind in a stale window.
    SetFocus(bKid);
    DestroyWindow(bKid);
    EXPECT_TRUE(GetFocus() == b || GetFocus() == nullptr);
}

TEST_F(Input, AltAloneOpensTheMenuAndAltF4Closes)
{
    HWND w = make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 150, 150 });
    std::vector<WPARAM> commands;
    usertest::handler() = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_SYSCOMMAND)
            commands.push_back(wp & 0xFFF0);
        return false;
    };
    screen.key(VK_MENU);
    EXPECT_EQ(commands, (std::vector<WPARAM> { SC_KEYMENU }));
    commands.clear();
    screen.keyDown(VK_MENU);
    screen.key(VK_F4);
    screen.keyUp(VK_MENU);
    EXPECT_EQ(commands, (std::vector<WPARAM> { SC_CLOSE }));
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(Input, CaptionDragMovesAndBorderDragSizes)
{
    HWND w = make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 50, 50, 250, 200 });
    screen.pump();
    usertest::watch({ WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE });
    screen.drag(120, 60, 150, 90);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 80);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(log().entries, (Entries { "w:ENTERSIZEMOVE", "w:EXITSIZEMOVE" }));
    // The right border.
    screen.drag(r.right - 2, 150, r.right + 38, 150);
    RECT sized;
    GetWindowRect(w, &sized);
    EXPECT_EQ(sized.left, r.left);
    EXPECT_EQ(sized.right, r.right + 40);
    // The outline drawn while dragging is gone.
    EXPECT_EQ(screen.pixel(sized.right + 2, 150), GetSysColor(COLOR_DESKTOP));
}

TEST_F(Input, NestedLoopEndsWhenCaptureIsLostAndPutsQuitBack)
{
    HWND w = make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 50, 50, 250, 200 });
    HWND other = make("other", WS_POPUP, { 0, 0, 10, 10 });
    screen.pump();
    // Someone takes the capture while the window is being moved: the move ends where it began.
    PostMessage(other, WM_USER, 0, 0);
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == other && m == WM_USER)
            SetCapture(other);
        return false;
    };
    platform::user::InjectMouseMove(POINT { 120, 60 });
    screen.pump();
    platform::user::InjectMouseButton(MouseButton::Left, true);
    platform::user::InjectMouseMove(POINT { 200, 120 });
    screen.pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 50);
    ReleaseCapture();
    platform::user::InjectMouseButton(MouseButton::Left, false);
    screen.pump();

    // WM_QUIT arriving in the loop ends it and is there again for the outer loop.
    platform::user::InjectMouseMove(POINT { 120, 60 });
    screen.pump();
    PostQuitMessage(3);
    usertest::handler() = nullptr;
    SendMessage(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(120, 60));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, WheelGoesToTheFocusAndUpToTheParent)
{
    HWND main = make("main", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    HWND kid = make("kid", WS_CHILD | WS_VISIBLE, { 0, 0, 50, 50 }, main);
    SetFocus(kid);
    usertest::watch({ WM_MOUSEWHEEL });
    screen.moveTo(80, 80);
    screen.wheel(-WHEEL_DELTA);
    EXPECT_EQ(log().entries, (Entries { "kid:MOUSEWHEEL", "main:MOUSEWHEEL" }));
}

TEST_F(Input, DroppedFilesReachTheWindowThatAcceptsThem)
{
    HWND main = make("main", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    make("kid", WS_CHILD | WS_VISIBLE, { 0, 0, 50, 50 }, main);
    DragAcceptFiles(main, TRUE);
    std::vector<std::string> names;
    usertest::handler() = [&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT&) {
        if (m != WM_DROPFILES || h != main)
            return false;
        auto* block = static_cast<const char*>(GlobalLock(reinterpret_cast<HGLOBAL>(w)));
        platform::user::DROPFILES header;
        std::memcpy(&header, block, sizeof header);
        for (const char* p = block + header.pFiles; *p; p += std::strlen(p) + 1)
            names.emplace_back(p);
        GlobalUnlock(reinterpret_cast<HGLOBAL>(w));
        GlobalFree(reinterpret_cast<HGLOBAL>(w));
        return true;
    };
    platform::user::InjectDropFiles(POINT { 10, 10 }, { "Z:\\music\\a.mp3", "Z:\\music\\b.wma" });
    platform::user::InjectDropFiles(POINT { 300, 10 }, { "Z:\\nowhere.mp3" });
    screen.pump();
    EXPECT_EQ(names, (std::vector<std::string> { "Z:\\music\\a.mp3", "Z:\\music\\b.wma" }));
}

TEST_F(Input, ContextMenuGoesUpAndTheCursorFollowsTheFrame)
{
    HWND main = make("main", WS_POPUP | WS_THICKFRAME | WS_VISIBLE, { 0, 0, 200, 200 });
    HWND kid = make("kid", WS_CHILD | WS_VISIBLE, { 20, 20, 80, 80 }, main);
    std::vector<Seen> seen;
    usertest::handler() = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT&) {
        if (m == WM_CONTEXTMENU)
            seen.push_back({ h, m, w, l });
        return false;
    };
    screen.click(40, 50, MouseButton::Right);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].hwnd, kid);
    EXPECT_EQ(seen[1].hwnd, main);
    EXPECT_EQ(seen[1].wParam, reinterpret_cast<WPARAM>(kid));
    EXPECT_EQ(GET_X_LPARAM(seen[1].lParam), 40);
    EXPECT_EQ(GET_Y_LPARAM(seen[1].lParam), 50);

    screen.moveTo(1, 100);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    screen.moveTo(198, 198);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZENWSE));
    POINT at;
    GetCursorPos(&at);
    EXPECT_EQ(at.x, 198);
    EXPECT_FALSE(GetInputState());
}

TEST_F(Input, HelpComesFromF1AndFromTheCaptionButton)
{
    HWND dialog = CreateWindowEx(WS_EX_CONTEXTHELP, "Rec", "dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0,
        0, 200, 150, nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateWindowEx(0, "Rec", "control", WS_CHILD | WS_VISIBLE, 20, 20, 60, 30, dialog,
        reinterpret_cast<HMENU>(42), nullptr, nullptr);
    std::vector<int> ids;
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM l, LRESULT& r) {
        if (m != WM_HELP || h != dialog)
            return false;
        auto* info = reinterpret_cast<HELPINFO*>(l);
        ids.push_back(info->iCtrlId);
        EXPECT_EQ(info->hItemHandle, control);
        r = TRUE;
        return true;
    };
    SetFocus(control);
    screen.key(VK_F1);
    EXPECT_EQ(ids, (std::vector<int> { 42 }));

    // "?" then a click on the control: the whole gesture is queued, as the help mode is a nested loop.
    RECT r;
    GetWindowRect(dialog, &r);
    const POINT help { r.right - 3 - GetSystemMetrics(SM_CXSIZE) / 2, r.top + 3 + GetSystemMetrics(SM_CYCAPTION) / 2 };
    ASSERT_EQ(SendMessage(dialog, WM_NCHITTEST, 0, MAKELPARAM(help.x, help.y)), HTCLOSE);
    const POINT question { help.x - GetSystemMetrics(SM_CXSIZE), help.y };
    ASSERT_EQ(SendMessage(dialog, WM_NCHITTEST, 0, MAKELPARAM(question.x, question.y)), HTHELP);
    POINT inControl { 10, 10 };
    ClientToScreen(control, &inControl);
    platform::user::InjectMouseMove(question);
    platform::user::InjectMouseButton(MouseButton::Left, true);
    platform::user::InjectMouseButton(MouseButton::Left, false);
    platform::user::InjectMouseMove(inControl);
    platform::user::InjectMouseButton(MouseButton::Left, true);
    platform::user::InjectMouseButton(MouseButton::Left, false);
    screen.pump();
    EXPECT_EQ(ids, (std::vector<int> { 42, 42 }));
    EXPECT_EQ(GetCapture(), nullptr);
}
