#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "platform/base/Event.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Wait.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;
using usertest::log;
using Entries = std::vector<std::string>;

namespace {

class Windows : public ::testing::Test {
protected:
    void SetUp() override { usertest::reset(); }
    void TearDown() override { usertest::reset(); }

    HWND top(const char* name, DWORD style = WS_OVERLAPPEDWINDOW, RECT r = { 10, 10, 210, 160 })
    {
        return CreateWindowEx(0, "Rec", name, style, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
            nullptr, nullptr, nullptr);
    }
    HWND child(HWND parent, const char* name, int id, RECT r, DWORD style = WS_CHILD | WS_VISIBLE)
    {
        return CreateWindowEx(0, "Rec", name, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    TestScreen screen;
};

} // namespace

TEST_F(Windows, CreationAndDestructionComeInTheirOrder)
{
    usertest::watch({ WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
        WM_PARENTNOTIFY, WM_DESTROY, WM_NCDESTROY });
    HWND main = top("main");
    ASSERT_TRUE(main);
    EXPECT_EQ(log().entries,
        (Entries { "GETMINMAXINFO", "NCCREATE", "main:NCCALCSIZE", "main:CREATE", "main:SIZE", "main:MOVE" }));

    log().clear();
    HWND a = child(main, "a", 1, { 0, 0, 50, 50 });
    HWND b = child(a, "b", 2, { 0, 0, 20, 20 });
    ASSERT_TRUE(a && b);
    EXPECT_EQ(log().entries,
        (Entries { "NCCREATE", "a:NCCALCSIZE", "a:CREATE", "a:SIZE", "a:MOVE", "main:PARENTNOTIFY", "a:SHOWWINDOW",
            "NCCREATE", "b:NCCALCSIZE", "b:CREATE", "b:SIZE", "b:MOVE", "a:PARENTNOTIFY", "main:PARENTNOTIFY",
            "b:SHOWWINDOW" }));

    log().clear();
    ASSERT_TRUE(DestroyWindow(main));
    // WM_DESTROY parent first, WM_NCDESTROY children first.
    EXPECT_EQ(log().entries,
        (Entries { "main:DESTROY", "a:DESTROY", "b:DESTROY", "b:NCDESTROY", "a:NCDESTROY", "main:NCDESTROY" }));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(b));
}

TEST_F(Windows, RefusedCreationLeavesNoWindow)
{
    struct Case {
        UINT refusedAt;
        LRESULT answer;
    };
    for (const Case c : { Case { WM_NCCREATE, FALSE }, Case { WM_CREATE, -1 } }) {
        HWND seen = nullptr;
        int ncDestroys = 0;
        usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m == WM_NCDESTROY)
                ++ncDestroys;
            if (m != c.refusedAt)
                return false;
            seen = h;
            r = c.answer;
            return true;
        };
        EXPECT_EQ(top("refused"), nullptr);
        EXPECT_TRUE(seen);
        EXPECT_FALSE(IsWindow(seen));
        EXPECT_EQ(ncDestroys, 1);
        usertest::handler() = nullptr;
    }
    SetLastError(0);
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_EQ(CreateWindowEx(0, "Rec", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Windows, DestructionDuringHandlersIsSafe)
{
    HWND main = top("main");
    HWND a = child(main, "a", 1, { 0, 0, 50, 50 });
    int destroys = 0;
    // Destroying again from WM_DESTROY, and destroying a child from its parent's WM_DESTROY.
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_DESTROY) {
            ++destroys;
            EXPECT_TRUE(DestroyWindow(h));
            if (h == main)
                DestroyWindow(a);
        }
        return false;
    };
    EXPECT_TRUE(DestroyWindow(main));
    EXPECT_EQ(destroys, 2);
    EXPECT_FALSE(IsWindow(a));
    // A handler that destroys its own window in the middle of a message.
    usertest::handler() = nullptr;
    HWND self = top("self");
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_USER)
            return false;
        DestroyWindow(h);
        r = SendMessage(h, WM_USER + 1, 0, 0) + 7;
        return true;
    };
    EXPECT_EQ(SendMessage(self, WM_USER, 0, 0), 7);
    EXPECT_FALSE(IsWindow(self));
    // Messages to a destroyed window fail cleanly.
    EXPECT_EQ(SendMessage(self, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(self, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(DestroyWindow(self));
    EXPECT_FALSE(SetWindowPos(self, nullptr, 0, 0, 1, 1, 0));
}

TEST_F(Windows, AnotherThreadsWindowCannotBeDestroyedHere)
{
    HWND foreign = nullptr;
    HANDLE made = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        foreign = CreateWindowEx(0, "RecPlain", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetEvent(made);
        WaitForSingleObject(done, INFINITE);
    });
    WaitForSingleObject(made, INFINITE);
    ASSERT_TRUE(IsWindow(foreign));
    EXPECT_FALSE(DestroyWindow(foreign));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(SetTimer(foreign, 1, 100, nullptr));
    SetEvent(done);
    other.join();
    // The thread's end took its windows with it.
    EXPECT_FALSE(IsWindow(foreign));
    CloseHandle(made);
    CloseHandle(done);
}

namespace {

WNDPROC g_previous = nullptr;
LRESULT SubclassProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_USER)
        return 10 * CallWindowProc(g_previous, h, m, w, l) + 2;
    return CallWindowProc(g_previous, h, m, w, l);
}

} // namespace

TEST_F(Windows, ValuesSubclassingAndProperties)
{
    HWND w = top("values");
    usertest::handler() = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        r = 1;
        return m == WM_USER;
    };
    g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    EXPECT_EQ(g_previous, &usertest::RecordingProc);
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 12);

    // The dialog slots and user data are pointer-sized.
    const LONG_PTR big = static_cast<LONG_PTR>(0x123456789ABCLL);
    SetWindowLongPtr(w, DWLP_USER, big);
    SetWindowLongPtr(w, GWLP_USERDATA, big + 1);
    EXPECT_EQ(GetWindowLongPtr(w, DWLP_USER), big);
    EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), big + 1);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtr(w, DLGWINDOWEXTRA), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);

    usertest::watch({ WM_STYLECHANGING, WM_STYLECHANGED });
    SetWindowLong(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE), static_cast<LONG>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(log().entries, (Entries { "values:STYLECHANGING", "values:STYLECHANGED" }));

    EXPECT_TRUE(SetProp(w, "Key", reinterpret_cast<HANDLE>(5)));
    EXPECT_EQ(GetProp(w, "KEY"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(RemoveProp(w, "key"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetProp(w, "Key"), nullptr);

    // Text is cut to the buffer without splitting a character.
    SetWindowText(w, "ab\xC3\xA9");
    char buffer[4];
    EXPECT_EQ(GetWindowText(w, buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(GetWindowTextLength(w), 4);
}

TEST_F(Windows, TreeAndCoordinates)
{
    HWND main = top("main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 100, 50, 400, 350 });
    HWND first = child(main, "first", 1, { 10, 10, 110, 60 });
    HWND second = child(main, "second", 2, { 50, 30, 150, 90 });
    HWND inner = child(second, "inner", 3, { 40, 35, 60, 55 });
    // Children are added at the bottom: the first made is first in z-order.
    EXPECT_EQ(GetWindow(main, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
    EXPECT_EQ(GetDlgItem(main, 2), second);
    EXPECT_EQ(GetDlgCtrlID(inner), 3);
    EXPECT_EQ(GetParent(inner), second);
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), main);
    EXPECT_EQ(GetAncestor(main, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsChild(main, inner));
    EXPECT_EQ(FindWindowEx(main, nullptr, "rec", "SECOND"), second);
    EXPECT_EQ(FindWindow("Rec", "main"), main);

    POINT origin { 0, 0 };
    ClientToScreen(inner, &origin);
    POINT mainOrigin { 0, 0 };
    ClientToScreen(main, &mainOrigin);
    EXPECT_EQ(origin.x, mainOrigin.x + 90);
    EXPECT_EQ(origin.y, mainOrigin.y + 65);
    POINT p { 1, 2 };
    MapWindowPoints(inner, first, &p, 1);
    EXPECT_EQ(p.x, 1 + 90 - 10);
    EXPECT_EQ(p.y, 2 + 65 - 10);
    RECT wr;
    GetWindowRect(inner, &wr);
    EXPECT_EQ(wr.left, origin.x);
    EXPECT_EQ(wr.right - wr.left, 20);

    // Hit by point: `second` lies below `first` where they overlap, so the point in both finds `first`.
    POINT overlap { mainOrigin.x + 60, mainOrigin.y + 40 };
    EXPECT_EQ(WindowFromPoint(overlap), first);
    POINT inInner { origin.x + 2, origin.y + 2 };
    EXPECT_EQ(WindowFromPoint(inInner), inner);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT { 60, 40 }), first);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT { 200, 200 }), main);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT { -5, 0 }), nullptr);
    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(ChildWindowFromPointEx(main, POINT { 60, 40 }, CWP_SKIPINVISIBLE), second);
    EXPECT_EQ(ChildWindowFromPointEx(main, POINT { 60, 40 }, CWP_ALL), first);
    EnableWindow(second, FALSE);
    EXPECT_EQ(WindowFromPoint(overlap), main);

    // A new parent keeps the position in parent coordinates; a parent cannot move under its child.
    EXPECT_EQ(SetParent(inner, first), second);
    EXPECT_EQ(GetParent(inner), first);
    EXPECT_EQ(SetParent(main, inner), nullptr);
    std::vector<HWND> all;
    EnumChildWindows(
        main,
        [](HWND h, LPARAM l) {
            reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(all, (std::vector<HWND> { first, inner, second }));
}

TEST_F(Windows, SetWindowPosSendsItsMessagesAndDefaultsGiveMoveAndSize)
{
    HWND w = top("w", WS_POPUP | WS_VISIBLE, { 0, 0, 100, 100 });
    usertest::watch({ WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE });
    SetWindowPos(w, nullptr, 20, 30, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(log().entries, (Entries { "w:POSCHANGING", "w:NCCALCSIZE", "w:POSCHANGED", "w:MOVE", "w:SIZE" }));
    log().clear();
    SetWindowPos(w, nullptr, 25, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(log().entries, (Entries { "w:POSCHANGING", "w:POSCHANGED", "w:MOVE" }));
    log().clear();
    // A handler of WM_WINDOWPOSCHANGING may change the outcome.
    usertest::handler() = [](HWND, UINT m, WPARAM, LPARAM l, LRESULT&) {
        if (m == WM_WINDOWPOSCHANGING)
            reinterpret_cast<WINDOWPOS*>(l)->cx = 55;
        return false;
    };
    MoveWindow(w, 0, 0, 200, 200, TRUE);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 55);
    EXPECT_EQ(r.bottom - r.top, 200);
}

TEST_F(Windows, ZOrderAndDeferredPositions)
{
    HWND a = top("a", WS_POPUP | WS_VISIBLE, { 0, 0, 50, 50 });
    HWND b = top("b", WS_POPUP | WS_VISIBLE, { 10, 10, 60, 60 });
    HWND c = top("c", WS_POPUP | WS_VISIBLE, { 20, 20, 70, 70 });
    EXPECT_EQ(GetTopWindow(nullptr), c);
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A topmost window stays above the others.
    EXPECT_EQ(GetTopWindow(nullptr), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);

    HDWP batch = BeginDeferWindowPos(2);
    batch = DeferWindowPos(batch, a, nullptr, 5, 5, 10, 10, SWP_NOZORDER);
    batch = DeferWindowPos(batch, b, nullptr, 7, 7, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    batch = DeferWindowPos(batch, a, nullptr, 0, 0, 30, 30, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_TRUE(batch);
    EXPECT_TRUE(EndDeferWindowPos(batch));
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    EXPECT_EQ(ra.left, 5);
    EXPECT_EQ(ra.right, 35);
    EXPECT_EQ(rb.left, 7);
    EXPECT_EQ(rb.right, 57);
    EXPECT_FALSE(EndDeferWindowPos(batch));
    EXPECT_EQ(DeferWindowPos(BeginDeferWindowPos(1), reinterpret_cast<HWND>(0x42), nullptr, 0, 0, 0, 0, 0), nullptr);
}

TEST_F(Windows, ShowStatesAndPlacement)
{
    HWND w = top("w", WS_OVERLAPPEDWINDOW, { 30, 40, 230, 190 });
    usertest::watch({ WM_SHOWWINDOW, WM_SIZE });
    EXPECT_FALSE(ShowWindow(w, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(log().entries, (Entries { "w:SHOWWINDOW" }));

    struct Case {
        int cmd;
        bool iconic;
        bool zoomed;
        WPARAM sizeKind;
    };
    for (const Case c :
        { Case { SW_SHOWMAXIMIZED, false, true, SIZE_MAXIMIZED }, Case { SW_MINIMIZE, true, false, SIZE_MINIMIZED },
            Case { SW_RESTORE, false, true, SIZE_MAXIMIZED }, Case { SW_SHOWNORMAL, false, false, SIZE_RESTORED } }) {
        WPARAM lastSize = 99;
        usertest::handler() = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
            if (m == WM_SIZE)
                lastSize = wp;
            return false;
        };
        ShowWindow(w, c.cmd);
        EXPECT_EQ(IsIconic(w) != 0, c.iconic) << c.cmd;
        EXPECT_EQ(IsZoomed(w) != 0, c.zoomed) << c.cmd;
        EXPECT_EQ(lastSize, c.sizeKind) << c.cmd;
        usertest::handler() = nullptr;
    }
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.right, 230);

    ShowWindow(w, SW_SHOWMAXIMIZED);
    WINDOWPLACEMENT wp;
    ASSERT_TRUE(GetWindowPlacement(w, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 30);
    EXPECT_EQ(wp.rcNormalPosition.bottom, 190);
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = { 5, 6, 105, 106 };
    EXPECT_TRUE(SetWindowPlacement(w, &wp));
    GetWindowRect(w, &r);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.bottom, 106);
    // A placement far off the screen is brought back; a wrong length is refused.
    wp.rcNormalPosition = { 5000, 5000, 5100, 5100 };
    SetWindowPlacement(w, &wp);
    GetWindowRect(w, &r);
    EXPECT_LT(r.left, GetSystemMetrics(SM_CXSCREEN));
    wp.length = 3;
    EXPECT_FALSE(SetWindowPlacement(w, &wp));

    log().clear();
    EXPECT_TRUE(ShowWindow(w, SW_HIDE));
    EXPECT_FALSE(ShowWindow(w, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(Windows, ClassesAreFoundWithoutRegardToCase)
{
    WNDCLASS wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "OneClass";
    wc.style = CS_OWNDC;
    wc.cbClsExtra = sizeof(LONG_PTR);
    ATOM atom = RegisterClass(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClass(&wc), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    WNDCLASS info;
    ASSERT_TRUE(GetClassInfo(nullptr, "ONECLASS", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_OWNDC));
    HWND w = CreateWindowEx(0, MAKEINTRESOURCE(atom), "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    char name[32];
    GetClassName(w, name, sizeof name);
    EXPECT_STREQ(name, "OneClass");
    SetClassLongPtr(w, 0, 77);
    EXPECT_EQ(GetClassLongPtr(w, 0), 77u);
    EXPECT_FALSE(UnregisterClass("oneclass", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClass("oneclass", nullptr));
    WNDCLASS empty;
    EXPECT_EQ(RegisterClass(&empty), 0);
}
