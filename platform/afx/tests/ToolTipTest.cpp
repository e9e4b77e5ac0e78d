#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "platform/afx/CControlBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CToolTipCtrl.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::InjectMouseMove;
using platform::user::TestScreen;

namespace {

// Records the status prompts the bars ask for.
class CPromptFrame : public CFrameWnd {
public:
    std::vector<WPARAM> prompts;

protected:
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM)
    {
        prompts.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPromptFrame, CFrameWnd)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

// A bar whose two drawn buttons (0-50 and 50-100 across) are its tools, 100 and 101.
class CButtonsBar : public CControlBar {
public:
    BOOL Create(CWnd* pParent, DWORD dwBarStyle)
    {
        m_dwStyle = dwBarStyle;
        return CWnd::Create(nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), pParent, 0xE860);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(200, 30); }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        if (point.x >= 100)
            return -1;
        const int index = point.x / 50;
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(100 + index);
        pTI->rect = CRect(index * 50, 0, index * 50 + 50, 30);
        pTI->lpszText = strdup(index == 0 ? "First" : "Second");
        return 100 + index;
    }
};

class BarToolTips : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CPromptFrame;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200)));
        app.m_pMainWnd = frame;
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        if (::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        screen.pump();
    }
    // Moves the pointer and runs the messages as the application's loop does, pre-translation included.
    void moveTo(int x, int y)
    {
        InjectMouseMove(POINT { x, y });
        pumpThroughApp();
    }
    void pumpThroughApp()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!app.PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }
    HWND tip() const { return screen.find(TOOLTIPS_CLASS); }
    std::string tipText(UINT_PTR id) const
    {
        char text[80] {};
        TOOLINFO ti;
        ti.hwnd = bar.m_hWnd;
        ti.uId = id;
        ti.lpszText = text;
        ::SendMessage(tip(), TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
        return text;
    }

    TestScreen screen { 640, 480 };
    CWinApp app { "tips" };
    CPromptFrame* frame { nullptr };
    CButtonsBar bar;
};

} // namespace

TEST_F(BarToolTips, ATipShowsAfterRestingOnAToolAndFlyByPromptsFollowThePointer)
{
    ASSERT_TRUE(bar.Create(frame, CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY));
    moveTo(20, 10);
    EXPECT_EQ(frame->prompts, std::vector<WPARAM>({ 100 }));
    ASSERT_NE(tip(), nullptr);
    EXPECT_FALSE(IsWindowVisible(tip())); // not before the initial delay
    screen.advance(std::chrono::milliseconds(1000));
    EXPECT_TRUE(IsWindowVisible(tip()));
    EXPECT_EQ(tipText(100), "First");

    // Within the same tool nothing changes; the next tool gets its own prompt and tip.
    moveTo(30, 12);
    EXPECT_EQ(frame->prompts.size(), 1u);
    moveTo(70, 10);
    EXPECT_EQ(frame->prompts, std::vector<WPARAM>({ 100, 101 }));
    screen.advance(std::chrono::milliseconds(1000));
    EXPECT_TRUE(IsWindowVisible(tip()));
    EXPECT_EQ(tipText(101), "Second");

    // Leaving the bar for the frame takes the tip away and puts the idle prompt back.
    moveTo(150, 150);
    EXPECT_EQ(frame->prompts.back(), AFX_IDS_IDLEMESSAGE);
    EXPECT_FALSE(IsWindowVisible(tip()));
}

TEST_F(BarToolTips, WithoutTheBarStylesNeitherTipNorPromptAppears)
{
    ASSERT_TRUE(bar.Create(frame, CBRS_TOP));
    moveTo(20, 10);
    screen.advance(std::chrono::milliseconds(1000));
    EXPECT_TRUE(frame->prompts.empty());
    EXPECT_EQ(tip(), nullptr);
}

TEST_F(BarToolTips, AToolTipControlKeepsItsToolsAndTheHitTestNamesChildWindows)
{
    // A tooltip control of its own, used directly as a dialog would.
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(10, 50, 60, 80), frame, 77));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(frame, TTS_ALWAYSTIP));
    ASSERT_TRUE(tips.AddTool(&child, "Child tip"));
    EXPECT_EQ(tips.GetToolCount(), 1);
    TOOLINFO info;
    EXPECT_TRUE(tips.GetToolInfo(info, &child));
    const CRect area(0, 0, 5, 5);
    EXPECT_FALSE(tips.AddTool(&child, "rect without id", &area, 0));
    tips.DelTool(&child);
    EXPECT_EQ(tips.GetToolCount(), 0);

    // The window's own hit test names the child by handle.
    TOOLINFO ti;
    EXPECT_EQ(frame->OnToolHitTest(CPoint(20, 60), &ti), 77);
    EXPECT_EQ(reinterpret_cast<HWND>(ti.uId), child.m_hWnd);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(frame->OnToolHitTest(CPoint(200, 150), &ti), -1);
    child.DestroyWindow();
}
