#include <gtest/gtest.h>

#include "platform/base/Thread.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;
using usertest::log;
using Entries = std::vector<std::string>;
using std::chrono::milliseconds;

namespace {

class TimersAndHooks : public ::testing::Test {
protected:
    void SetUp() override { usertest::reset(); }
    void TearDown() override { usertest::reset(); }

    HWND make(const char* name, DWORD style = WS_POPUP | WS_VISIBLE, RECT r = { 0, 0, 100, 100 }, HWND parent = nullptr)
    {
        return CreateWindowEx(0, "Rec", name, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
            nullptr, nullptr);
    }

    TestScreen screen;
};

int g_procCalls = 0;
void CountingTimerProc(HWND, UINT, UINT_PTR, DWORD) { ++g_procCalls; }

struct HookLog {
    std::vector<std::string> entries;
    LRESULT swallow { 0 };
};
HookLog g_hooks;
HHOOK g_keyboardHook = nullptr;
HHOOK g_mouseHook = nullptr;
HHOOK g_cbtHook = nullptr;
HHOOK g_filterHook = nullptr;
HHOOK g_secondFilterHook = nullptr;

LRESULT KeyboardHook(int code, WPARAM w, LPARAM l)
{
    g_hooks.entries.push_back("key " + std::to_string(w) + ((l & KF_UP_BIT) ? " up" : " down"));
    return g_hooks.swallow ? 1 : CallNextHookEx(g_keyboardHook, code, w, l);
}

LRESULT MouseHook(int code, WPARAM w, LPARAM l)
{
    if (w == WM_LBUTTONDOWN || w == WM_LBUTTONDBLCLK) {
        auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(l);
        g_hooks.entries.push_back("mouse down " + usertest::nameOf(info->hwnd));
    }
    return g_hooks.swallow ? 1 : CallNextHookEx(g_mouseHook, code, w, l);
}

LRESULT CbtHook(int code, WPARAM w, LPARAM l)
{
    if (code == HCBT_CREATEWND) {
        auto* cbt = reinterpret_cast<CBT_CREATEWND*>(l);
        const char* name = cbt->lpcs->lpszName ? cbt->lpcs->lpszName : "";
        g_hooks.entries.push_back(std::string("create ") + name);
        // The window exists already: it can be looked at (and subclassed) before its first message.
        EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(w)));
        if (std::string(name) == "vetoed")
            return 1;
    }
    if (code == HCBT_DESTROYWND)
        g_hooks.entries.push_back("destroy " + usertest::nameOf(reinterpret_cast<HWND>(w)));
    return CallNextHookEx(g_cbtHook, code, w, l);
}

LRESULT FilterHook(int code, WPARAM w, LPARAM l)
{
    g_hooks.entries.push_back("filter " + std::to_string(code));
    return CallNextHookEx(g_filterHook, code, w, l);
}

LRESULT SecondFilterHook(int code, WPARAM w, LPARAM l)
{
    g_hooks.entries.push_back("second " + std::to_string(code));
    return reinterpret_cast<MSG*>(l)->message == WM_USER ? 1 : CallNextHookEx(g_secondFilterHook, code, w, l);
}

} // namespace

TEST_F(TimersAndHooks, TimersFireOnTheClockOnceWhenDue)
{
    HWND w = make("w");
    usertest::watch({ WM_TIMER });
    ASSERT_TRUE(SetTimer(w, 5, 400, nullptr));
    screen.advance(milliseconds(399));
    EXPECT_TRUE(log().entries.empty());
    screen.advance(milliseconds(1));
    EXPECT_EQ(log().entries, (Entries { "w:TIMER" }));
    // Long overdue, still one message; then the period starts again.
    log().clear();
    screen.advance(milliseconds(5000));
    EXPECT_EQ(log().entries.size(), 1u);
    log().clear();
    screen.advance(milliseconds(399));
    EXPECT_TRUE(log().entries.empty());
    // Setting it again restarts it; killing it stops it.
    SetTimer(w, 5, 400, nullptr);
    screen.advance(milliseconds(300));
    EXPECT_TRUE(log().entries.empty());
    EXPECT_TRUE(KillTimer(w, 5));
    EXPECT_FALSE(KillTimer(w, 5));
    screen.advance(milliseconds(1000));
    EXPECT_TRUE(log().entries.empty());

    // A thread timer with a procedure gets its own id and calls the procedure.
    g_procCalls = 0;
    const UINT_PTR id = SetTimer(nullptr, 0, 50, CountingTimerProc);
    ASSERT_NE(id, 0u);
    screen.advance(milliseconds(50));
    EXPECT_EQ(g_procCalls, 1);
    KillTimer(nullptr, id);
    // A window's timers end with it.
    SetTimer(w, 6, 10, nullptr);
    DestroyWindow(w);
    screen.advance(milliseconds(100));
    EXPECT_TRUE(log().entries.empty());
}

TEST_F(TimersAndHooks, KeyboardAndMouseHooksSeeAndSwallowInput)
{
    HWND w = make("w");
    SetFocus(w);
    g_hooks = {};
    g_keyboardHook = SetWindowsHookEx(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
    g_mouseHook = SetWindowsHookEx(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(g_keyboardHook && g_mouseHook);
    usertest::watch({ WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN });
    screen.key('Q');
    screen.click(10, 10);
    EXPECT_EQ(g_hooks.entries, (Entries { "key 81 down", "key 81 up", "mouse down w" }));
    EXPECT_EQ(log().entries, (Entries { "w:KEYDOWN", "w:KEYUP", "w:LBUTTONDOWN" }));

    g_hooks = {};
    g_hooks.swallow = 1;
    log().clear();
    screen.key('Q');
    screen.click(10, 10);
    EXPECT_EQ(g_hooks.entries.size(), 3u);
    EXPECT_TRUE(log().entries.empty());
    EXPECT_TRUE(UnhookWindowsHookEx(g_keyboardHook));
    EXPECT_TRUE(UnhookWindowsHookEx(g_mouseHook));
    EXPECT_FALSE(UnhookWindowsHookEx(g_mouseHook));
    screen.key('Q');
    EXPECT_EQ(log().entries, (Entries { "w:KEYDOWN", "w:KEYUP" }));
}

TEST_F(TimersAndHooks, CbtHookWatchesCreationAndCanRefuseIt)
{
    g_hooks = {};
    g_cbtHook = SetWindowsHookEx(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    HWND w = make("watched");
    EXPECT_TRUE(w);
    EXPECT_EQ(make("vetoed"), nullptr);
    DestroyWindow(w);
    UnhookWindowsHookEx(g_cbtHook);
    EXPECT_EQ(g_hooks.entries, (Entries { "create watched", "create vetoed", "destroy watched" }));
}

TEST_F(TimersAndHooks, MessageFilterChainRunsNewestFirst)
{
    g_hooks = {};
    g_filterHook = SetWindowsHookEx(WH_MSGFILTER, FilterHook, nullptr, GetCurrentThreadId());
    g_secondFilterHook = SetWindowsHookEx(WH_MSGFILTER, SecondFilterHook, nullptr, GetCurrentThreadId());
    MSG msg;
    msg.message = WM_USER + 1;
    EXPECT_FALSE(CallMsgFilter(&msg, MSGF_MENU));
    msg.message = WM_USER;
    EXPECT_TRUE(CallMsgFilter(&msg, MSGF_MENU));
    EXPECT_EQ(g_hooks.entries, (Entries { "second 2", "filter 2", "second 2" }));
    UnhookWindowsHookEx(g_filterHook);
    UnhookWindowsHookEx(g_secondFilterHook);
    EXPECT_EQ(SetWindowsHookEx(42, FilterHook, nullptr, 0), nullptr);
}
