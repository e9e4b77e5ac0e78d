// The plug-in and the listener chain on real windows: joining order, the result flags, dialogs chained
// through their dialog procedure, listeners that leave while a message is delivered, and teardown.

#include "toolkit/frames/SECWndListener.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "platform/user/WinDialogs.h"

using platform::user::TestScreen;
using quorvale::foundation::SECWndListener;
using quorvale::foundation::SECWndPlugIn;

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

std::vector<std::string>* g_log = nullptr;

void Log(const std::string& entry)
{
    if (g_log)
        g_log->push_back(entry);
}

// The window's own procedure: answers the probe with 100 and notes what reaches it.
LRESULT OriginalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROBE) {
        Log("window");
        return 100;
    }
    if (message == WM_NCDESTROY)
        Log("window-ncdestroy");
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

INT_PTR OriginalDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_PROBE) {
        Log("dialog");
        return 55;
    }
    return FALSE;
}

// A listener that answers the probe as its test asks.
class ProbeListener : public SECWndListener {
public:
    explicit ProbeListener(std::string name)
        : m_name(std::move(name))
    {
    }
    std::string m_name;
    DWORD m_flags { 0 };
    LRESULT m_result { 0 };
    bool m_leaveOnProbe { false };
    SECWndListener* m_deleteOnProbe { nullptr };

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        Log(m_name);
        SetResultFlags(m_flags);
        SetListenerResult(m_result);
        if (m_leaveOnProbe)
            DetachFromWindow();
        if (m_deleteOnProbe) {
            delete m_deleteOnProbe;
            m_deleteOnProbe = nullptr;
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeListener, SECWndListener)
    ON_MESSAGE(WM_PROBE, OnProbe)
END_MESSAGE_MAP()

class ListenerChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log = &m_log;
        WNDCLASS wc {};
        wc.lpfnWndProc = OriginalProc;
        wc.lpszClassName = "ListenerChainTest";
        ::RegisterClass(&wc);
        m_hWnd = ::CreateWindow("ListenerChainTest", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
            nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_host.Attach(m_hWnd);
    }
    void TearDown() override
    {
        m_host.Detach();
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        g_log = nullptr;
    }
    WNDPROC CurrentProc() const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)); }

    TestScreen m_screen;
    std::vector<std::string> m_log;
    HWND m_hWnd { nullptr };
    CWnd m_host;
};

TEST_F(ListenerChain, ListenersSeeMessagesInJoiningOrderAndTheLastLeaverRestoresTheProcedure)
{
    ProbeListener first("first");
    ProbeListener second("second");
    ASSERT_TRUE(first.AttachToWindow(&m_host));
    ASSERT_TRUE(second.AttachToWindow(&m_host));
    EXPECT_EQ(CurrentProc(), &SECWndListener::ChainWndProc);

    EXPECT_EQ(::SendMessage(m_hWnd, WM_PROBE, 0, 0), 100);
    EXPECT_EQ(m_log, (std::vector<std::string> { "first", "second", "window" }));

    first.DetachFromWindow();
    EXPECT_EQ(CurrentProc(), &SECWndListener::ChainWndProc);
    second.DetachFromWindow();
    EXPECT_EQ(CurrentProc(), &OriginalProc);
    EXPECT_EQ(SECWndListener::FindChain(m_hWnd), nullptr);
    EXPECT_FALSE(second.LeaveChain());
}

struct FlagCase {
    DWORD firstFlags;
    std::vector<std::string> expectedLog;
    LRESULT expectedResult;
};

TEST_F(ListenerChain, ResultFlagsStopTheWalkOrReturnTheListenersResult)
{
    const FlagCase cases[] = {
        // Stop without the listener's result: the window still answers.
        { SECWndListener::kStopWalk, { "first", "window" }, 100 },
        // The listeners' result, later listeners still run and the last one's value wins.
        { SECWndListener::kUseListenerResult, { "first", "second" }, 2 },
        { SECWndListener::kStopWalk | SECWndListener::kUseListenerResult, { "first" }, 1 },
    };
    for (const FlagCase& c : cases) {
        m_log.clear();
        ProbeListener first("first");
        ProbeListener second("second");
        first.m_flags = c.firstFlags;
        first.m_result = 1;
        second.m_result = 2;
        ASSERT_TRUE(first.AttachToWindow(&m_host));
        ASSERT_TRUE(second.AttachToWindow(&m_host));
        EXPECT_EQ(::SendMessage(m_hWnd, WM_PROBE, 0, 0), c.expectedResult) << c.firstFlags;
        EXPECT_EQ(m_log, c.expectedLog) << c.firstFlags;
    }
    EXPECT_EQ(CurrentProc(), &OriginalProc);
}

TEST_F(ListenerChain, ListenersThatLeaveOrAreDeletedDuringDeliveryAreSafe)
{
    auto* doomed = new ProbeListener("doomed");
    ProbeListener leaver("leaver");
    ProbeListener killer("killer");
    leaver.m_leaveOnProbe = true;
    killer.m_deleteOnProbe = doomed;
    ASSERT_TRUE(leaver.AttachToWindow(&m_host));
    ASSERT_TRUE(killer.AttachToWindow(&m_host));
    ASSERT_TRUE(doomed->AttachToWindow(&m_host));

    EXPECT_EQ(::SendMessage(m_hWnd, WM_PROBE, 0, 0), 100);
    EXPECT_EQ(m_log, (std::vector<std::string> { "leaver", "killer", "window" }));
    EXPECT_FALSE(leaver.IsAttached());

    // The last listener leaving while it handles the message: the walk ends, the saved procedure still
    // answers, and the window has its own procedure back.
    m_log.clear();
    killer.m_leaveOnProbe = true;
    EXPECT_EQ(::SendMessage(m_hWnd, WM_PROBE, 0, 0), 100);
    EXPECT_EQ(m_log, (std::vector<std::string> { "killer", "window" }));
    EXPECT_EQ(CurrentProc(), &OriginalProc);
}

TEST_F(ListenerChain, DestroyingTheWindowDetachesEveryListenerAndStillReachesTheOldProcedure)
{
    ProbeListener first("first");
    ProbeListener second("second");
    ASSERT_TRUE(first.AttachToWindow(&m_host));
    ASSERT_TRUE(second.AttachToWindow(&m_host));
    m_host.Detach();
    ::DestroyWindow(m_hWnd);
    EXPECT_FALSE(first.IsAttached());
    EXPECT_FALSE(second.IsAttached());
    EXPECT_EQ(SECWndListener::FindChain(m_hWnd), nullptr);
    EXPECT_EQ(m_log, (std::vector<std::string> { "window-ncdestroy" }));
}

TEST_F(ListenerChain, APlugInDetachedByHandStillLeavesTheChainCleanly)
{
    // Clearing the borrowed handle first used to leave the chain's procedure on a window without a
    // record, answering 0 to everything, WM_NCDESTROY included.
    ProbeListener listener("listener");
    ASSERT_TRUE(listener.AttachToWindow(&m_host));
    listener.SECWndPlugIn::DetachFromWindow();
    EXPECT_TRUE(listener.LeaveChain());
    EXPECT_EQ(CurrentProc(), &OriginalProc);
    EXPECT_EQ(::SendMessage(m_hWnd, WM_PROBE, 0, 0), 100);
}

TEST_F(ListenerChain, ADialogIsChainedThroughItsDialogProcedure)
{
    HWND hDlg = ::CreateWindow(WC_DIALOG, "dialog", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hDlg, nullptr);
    ::SetWindowLongPtr(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&OriginalDlgProc));
    const LONG_PTR wndProc = ::GetWindowLongPtr(hDlg, GWLP_WNDPROC);
    {
        CWnd dialog;
        dialog.Attach(hDlg);
        ProbeListener listener("listener");
        ASSERT_TRUE(listener.AttachToWindow(&dialog));
        EXPECT_EQ(::GetWindowLongPtr(hDlg, GWLP_WNDPROC), wndProc);
        EXPECT_EQ(::GetWindowLongPtr(hDlg, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&SECWndListener::ChainDlgProc));
        ::SendMessage(hDlg, WM_PROBE, 0, 0);
        EXPECT_EQ(m_log, (std::vector<std::string> { "listener", "dialog" }));
        listener.DetachFromWindow();
        EXPECT_EQ(::GetWindowLongPtr(hDlg, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&OriginalDlgProc));
        dialog.Detach();
    }
    ::DestroyWindow(hDlg);
}

// A plug-in that consumes a command while attached.
class CommandPlugIn : public SECWndPlugIn {
public:
    int m_commands { 0 };

protected:
    void OnCommandSeven()
    {
        ++m_commands;
        m_bConsumed = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandPlugIn, SECWndPlugIn)
    ON_COMMAND(7, OnCommandSeven)
END_MESSAGE_MAP()

TEST_F(ListenerChain, APlugInAnswersOnlyWhileAttachedAndNeverDestroysItsHost)
{
    {
        CommandPlugIn plugIn;
        LRESULT result = 0;
        EXPECT_FALSE(plugIn.OnWndMsg(WM_COMMAND, 7, 0, &result));
        EXPECT_FALSE(plugIn.OnCmdMsg(7, CN_COMMAND, nullptr, nullptr));
        EXPECT_EQ(plugIn.DefWindowProc(WM_GETTEXTLENGTH, 0, 0), 0);

        ASSERT_TRUE(plugIn.AttachToWindow(&m_host));
        EXPECT_TRUE(plugIn.OnCmdMsg(7, CN_COMMAND, nullptr, nullptr));
        EXPECT_TRUE(plugIn.m_bConsumed);
        // CWnd's handlers are not the plug-in's: WM_PAINT is not handled.
        EXPECT_FALSE(plugIn.OnWndMsg(WM_PAINT, 0, 0, &result));
        EXPECT_FALSE(plugIn.m_bConsumed);
        // Default processing only when a handler allows it.
        EXPECT_EQ(plugIn.DefWindowProc(WM_GETTEXTLENGTH, 0, 0), 0);
        plugIn.m_bDefaultAllowed = TRUE;
        EXPECT_EQ(plugIn.DefWindowProc(WM_GETTEXTLENGTH, 0, 0), 4);
        plugIn.SetMessageResult(9);
        EXPECT_EQ(plugIn.OnWndMsg(WM_PAINT, 0, 0, &result), 9);
        EXPECT_EQ(plugIn.m_commands, 1);
    }
    EXPECT_TRUE(::IsWindow(m_hWnd));

    ProbeListener listener("listener");
    listener.SetMessageResult(9);
    EXPECT_FALSE(listener.OnNotify(0, 0, nullptr));
    ASSERT_TRUE(listener.AttachToWindow(&m_host));
    LRESULT result = 0;
    EXPECT_FALSE(listener.OnWndMsg(WM_PAINT, 0, 0, &result));
}

} // namespace
