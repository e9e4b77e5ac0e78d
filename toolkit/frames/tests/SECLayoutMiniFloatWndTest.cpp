// The floating mini frame of layout trees and its container: closing hides, the Close item, the system
// Close sent on to the main window, the frame insets and the frames left waiting after their container.

#include "toolkit/frames/SECLayoutMiniFloatWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/afx/CMenu.h"
#include "toolkit/frames/SECLNFloatingHwndContainer.h"
#include "toolkit/frames/SECLayoutNode.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

namespace {

// A main window that records the system commands it receives instead of acting on them.
class RecordingMainWnd : public CWnd {
public:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_SYSCOMMAND) {
            commands.push_back(static_cast<UINT>(wParam & 0xFFF0));
            return 0;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
    std::vector<UINT> commands;
};

class MiniFloat : public DockingFrameTest {
protected:
    MiniFloat() { m_dwDockSides = 0; }
    SECLayoutMiniFloatWnd* Make(BOOL hideOnClose, BOOL allowClose)
    {
        auto* frame = new SECLayoutMiniFloatWnd;
        if (!frame->Create(m_frame, &m_root, "Albums", hideOnClose, allowClose)) {
            delete frame;
            return nullptr;
        }
        return frame;
    }

    SECLayoutNode m_root;
};

TEST_F(MiniFloat, ClosingHidesUnlessToldToDestroy)
{
    SECLayoutMiniFloatWnd* hiding = Make(TRUE, TRUE);
    ASSERT_NE(hiding, nullptr);
    const HWND hHiding = hiding->m_hWnd;
    hiding->ShowWindow(SW_SHOW);
    ::SendMessage(hHiding, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hHiding));
    EXPECT_FALSE(::IsWindowVisible(hHiding));
    EXPECT_EQ(hiding->GetRoot(), &m_root);

    SECLayoutMiniFloatWnd* closing = Make(FALSE, TRUE);
    ASSERT_NE(closing, nullptr);
    const HWND hClosing = closing->m_hWnd;
    ::SendMessage(hClosing, WM_CLOSE, 0, 0);
    m_screen.pump();
    EXPECT_FALSE(::IsWindow(hClosing));
    hiding->DestroyWindow();

    SECLayoutMiniFloatWnd none;
    EXPECT_FALSE(none.Create(m_frame, nullptr, "none", TRUE, TRUE));
}

TEST_F(MiniFloat, TheCloseItemIsThereOnlyWhenClosingIsAllowed)
{
    for (BOOL allow : { TRUE, FALSE }) {
        SECLayoutMiniFloatWnd* frame = Make(TRUE, allow);
        ASSERT_NE(frame, nullptr);
        CMenu* menu = frame->GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(::GetMenuState(menu->m_hMenu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1), allow);
        frame->DestroyWindow();
    }
}

// A Close without a mouse position (the keyboard's Close of the window menu sends one) goes to the main
// window: the user closing a floating window from the keyboard closes the whole program. A Close from
// the mouse stays with the floating window, which hides.
TEST_F(MiniFloat, AKeyboardCloseIsSentOnToTheMainWindow)
{
    RecordingMainWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    m_app.m_pMainWnd = &main;
    SECLayoutMiniFloatWnd* frame = Make(TRUE, TRUE);
    ASSERT_NE(frame, nullptr);
    frame->ShowWindow(SW_SHOW);

    ::SendMessage(frame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(main.commands, std::vector<UINT> { SC_CLOSE });
    EXPECT_TRUE(::IsWindowVisible(frame->m_hWnd));

    ::SendMessage(frame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(20, 20));
    m_screen.pump();
    EXPECT_EQ(main.commands.size(), 1U);
    EXPECT_FALSE(::IsWindowVisible(frame->m_hWnd));

    frame->DestroyWindow();
    m_app.m_pMainWnd = m_frame;
    main.DestroyWindow();
}

TEST_F(MiniFloat, TheContainerMeasuresTheSameInsetsAtAnySizeAndLeavesItsFrameWaiting)
{
    const int pendingBefore = SECLNFloatingHwndContainer::GetPendingFrameCount();
    auto container = std::make_unique<SECLNFloatingHwndContainer>();
    ASSERT_TRUE(container->CreateFrame(&m_root, m_frame, "Albums", TRUE, TRUE));
    SECLayoutMiniFloatWnd* frame = container->GetFrame();
    int insets[2][4] {};
    for (int i = 0; i < 2; ++i) {
        frame->SetWindowPos(nullptr, 0, 0, i ? 60 : 300, i ? 40 : 200, SWP_NOZORDER);
        ASSERT_TRUE(container->GetContainerBorders(insets[i][0], insets[i][1], insets[i][2], insets[i][3]));
    }
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(insets[0][k], insets[1][k]) << k;
    EXPECT_GT(insets[0][1], insets[0][0]); // the caption
    // Node coordinates are the frame's window, client coordinates its client area.
    POINT pt { 0, 0 };
    container->NodeToClientPoint(pt);
    EXPECT_EQ(pt.x, -insets[0][0]);
    EXPECT_EQ(pt.y, -insets[0][1]);

    EXPECT_TRUE(container->ShowAt({ 10, 10, 110, 90 }));
    EXPECT_TRUE(container->IsContainerVisible());
    const HWND hFrame = frame->m_hWnd;
    container.reset();
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_FALSE(::IsWindowVisible(hFrame));
    EXPECT_EQ(SECLNFloatingHwndContainer::GetPendingFrameCount(), pendingBefore + 1);
    // With no drag running, a new frame leaves the waiting one alone.
    SECLayoutNode other;
    auto next = std::make_unique<SECLNFloatingHwndContainer>();
    ASSERT_TRUE(next->CreateFrame(&other, m_frame, "Other", TRUE, TRUE));
    EXPECT_TRUE(::IsWindow(hFrame));
    // A waiting frame that goes with its owner leaves the list, and a container whose frame went
    // answers as one without a frame.
    ::DestroyWindow(hFrame);
    EXPECT_EQ(SECLNFloatingHwndContainer::GetPendingFrameCount(), pendingBefore);
    next->GetFrame()->DestroyWindow();
    EXPECT_EQ(next->GetFrame(), nullptr);
    EXPECT_FALSE(next->IsContainerVisible());
    next.reset();
    EXPECT_EQ(SECLNFloatingHwndContainer::GetPendingFrameCount(), pendingBefore);
}

} // namespace
