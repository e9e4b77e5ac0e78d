#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/base/Event.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Thread.h"
#include "platform/base/Wait.h"
#include "platform/user/DisplayBackend.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;

namespace {

class Messages : public ::testing::Test {
protected:
    void SetUp() override { usertest::reset(); }
    void TearDown() override { usertest::reset(); }

    HWND window(const char* name)
    {
        return CreateWindowEx(0, "Rec", name, WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    }

    TestScreen screen;
};

// An event closed at the end of a test.
struct EventHandle {
    HANDLE h { CreateEvent(nullptr, TRUE, FALSE, nullptr) };
    ~EventHandle() { CloseHandle(h); }
};

// A real window's display with one key press waiting to be fetched, shown for the guard's lifetime.
class KeyWaitingDisplay : public platform::user::DisplayBackend {
public:
    const char* name() const override { return "key waiting"; }
    void resize(int, int) override { }
    void setCursor(HCURSOR) override { }
    void present(const platform::gdi::Surface&) override { }
    bool pump(unsigned) override
    {
        if (!m_fetched) {
            m_fetched = true;
            platform::user::InjectKey('A', true);
        }
        return true;
    }
    std::shared_ptr<platform::gdi::Surface> shown() override { return nullptr; }

private:
    bool m_fetched { false };
};

struct DisplayInUse {
    DisplayInUse() { platform::user::Screen::Instance().setBackend(std::make_unique<KeyWaitingDisplay>()); }
    ~DisplayInUse() { platform::user::Screen::Instance().setBackend(nullptr); }
};

} // namespace

TEST_F(Messages, PeekFiltersAndQuitComesLast)
{
    HWND a = window("a");
    HWND b = window("b");
    PostMessage(a, WM_USER + 1, 1, 0);
    PostMessage(b, WM_USER + 2, 2, 0);
    PostThreadMessage(GetCurrentThreadId(), WM_USER + 3, 3, 0);
    PostQuitMessage(7);
    MSG msg;
    // The quit request waits until the posted messages are gone, whatever the filter.
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 3);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetMessage(&msg, reinterpret_cast<HWND>(0x77), 0, 0), -1);
}

TEST_F(Messages, RegisteredMessagesAreSharedByName)
{
    const UINT first = RegisterWindowMessage("TestSharedMessage");
    EXPECT_GE(first, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("testsharedmessage"), first);
    EXPECT_NE(RegisterWindowMessage("TestOtherMessage"), first);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
    EXPECT_EQ(RegisterWindowMessage(nullptr), 0u);
}

TEST_F(Messages, TranslateMessageMakesCharacters)
{
    HWND w = window("keys");
    SetFocus(w);
    usertest::watch({ WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR, WM_KEYUP, WM_SYSKEYUP, WM_SYSCOMMAND });
    std::vector<std::pair<UINT, WPARAM>> seen;
    usertest::handler() = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
        if (m == WM_CHAR || m == WM_SYSCHAR || m == WM_SYSCOMMAND)
            seen.emplace_back(m, wp);
        r = 0;
        return m == WM_SYSCOMMAND;
    };
    screen.type("aB1!");
    screen.keyDown(VK_MENU);
    screen.key('F');
    screen.keyUp(VK_MENU);
    const std::vector<std::pair<UINT, WPARAM>> expected { { WM_CHAR, 'a' }, { WM_CHAR, 'B' }, { WM_CHAR, '1' },
        { WM_CHAR, '!' }, { WM_SYSCHAR, 'f' }, { WM_SYSCOMMAND, SC_KEYMENU } };
    EXPECT_EQ(seen, expected);
}

TEST_F(Messages, CrossThreadSendIsServedWhileTheTargetWaits)
{
    HWND w = window("target");
    std::atomic<DWORD> servedOn { 0 };
    std::atomic<BOOL> inSend { FALSE };
    usertest::handler() = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
        if (m != WM_USER)
            return false;
        servedOn = GetCurrentThreadId();
        inSend = InSendMessage();
        r = static_cast<LRESULT>(wp) * 2;
        return true;
    };
    EventHandle finished;
    LRESULT answer = 0;
    std::thread sender([&] {
        answer = SendMessage(w, WM_USER, 21, 0);
        SetEvent(finished.h);
    });
    // A plain wait of the window's thread serves the message: no deadlock.
    EXPECT_EQ(WaitForSingleObject(finished.h, INFINITE), WAIT_OBJECT_0);
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(servedOn.load(), GetCurrentThreadId());
    EXPECT_TRUE(inSend.load());
    EXPECT_FALSE(InSendMessage());
}

TEST_F(Messages, CrossThreadSendIsServedInsideANestedLoopAndCanSendBack)
{
    HWND w = window("target");
    // The worker has a window of its own, which the UI thread sends to while serving the worker's send.
    std::atomic<HWND> workerWindow { nullptr };
    EventHandle ready, go;
    usertest::handler() = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == WM_USER) {
            r = 1 + SendMessage(workerWindow, WM_USER + 5, 0, 0);
            return true;
        }
        if (m == WM_USER + 5) {
            r = 100;
            return true;
        }
        return false;
    };
    LRESULT answer = 0;
    std::thread worker([&] {
        workerWindow = CreateWindowEx(0, "Rec", "worker", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
        SetEvent(ready.h);
        WaitForSingleObject(go.h, INFINITE);
        answer = SendMessage(w, WM_USER, 0, 0);
        PostMessage(w, WM_USER + 9, 0, 0);
    });
    WaitForSingleObject(ready.h, INFINITE);
    SetEvent(go.h);
    // A nested loop (as a modal loop runs) serves the send while it waits for its own message.
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_USER + 9)
        DispatchMessage(&msg);
    worker.join();
    EXPECT_EQ(answer, 101);
}

TEST_F(Messages, SendToAThreadThatEndsIsAnsweredWithZero)
{
    std::atomic<HWND> target { nullptr };
    EventHandle ready;
    std::thread owner([&] {
        target = CreateWindowEx(0, "RecPlain", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
        SetEvent(ready.h);
        // Ends, without serving it, once a message was sent to it.
        while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE))
            std::this_thread::yield();
    });
    WaitForSingleObject(ready.h, INFINITE);
    EXPECT_EQ(SendMessage(target, WM_USER, 0, 0), 0);
    owner.join();
    EXPECT_FALSE(IsWindow(target));
}

TEST_F(Messages, MsgWaitReturnsForInputAndTimesOutOnTheClock)
{
    HWND w = window("w");
    EventHandle never;
    PostMessage(w, WM_USER, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &never.h, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
    std::thread mover([&] {
        while (true) {
            screen.clock().Advance(std::chrono::milliseconds(100));
            if (WaitForSingleObject(never.h, 0) == WAIT_OBJECT_0)
                break;
            std::this_thread::yield();
        }
    });
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &never.h, FALSE, 500, QS_ALLINPUT), WAIT_TIMEOUT);
    SetEvent(never.h);
    mover.join();
}

// A modal loop idles in a wait for input: on the display's thread that wait fetches the display's
// events, or a person's keys and clicks would never reach the dialog.
TEST_F(Messages, MsgWaitFetchesTheDisplaysEventsAndStillSeesItsObjects)
{
    HWND w = window("w");
    ShowWindow(w, SW_SHOW);
    SetFocus(w);
    screen.pump();
    DisplayInUse display;
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
    MSG msg;
    EXPECT_TRUE(PeekMessage(&msg, w, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
    EventHandle set;
    SetEvent(set.h);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &set.h, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
}

TEST_F(Messages, SendTimesOutOnTheClockWhenNobodyServes)
{
    std::atomic<HWND> target { nullptr };
    EventHandle ready, leave, stopMoving;
    std::thread owner([&] {
        target = CreateWindowEx(0, "RecPlain", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
        platform::SetWaitHook({});
        SetEvent(ready.h);
        WaitForSingleObject(leave.h, INFINITE);
    });
    WaitForSingleObject(ready.h, INFINITE);
    std::thread mover([&] {
        while (WaitForSingleObject(stopMoving.h, 0) != WAIT_OBJECT_0) {
            screen.clock().Advance(std::chrono::milliseconds(50));
            std::this_thread::yield();
        }
    });
    DWORD_PTR result = 99;
    EXPECT_EQ(SendMessageTimeout(target, WM_USER, 0, 0, SMTO_NORMAL, 200, &result), 0);
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    EXPECT_EQ(result, 99u);
    SetEvent(stopMoving.h);
    mover.join();
    SetEvent(leave.h);
    owner.join();
}
