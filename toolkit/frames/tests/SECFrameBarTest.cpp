// The frame bar: a click into it activates its top-level window when it floats and is an
// ordinary click when it is docked; the dock state leaves a floating frame bar out.

#include "toolkit/frames/SECFrameBar.h"

#include <gtest/gtest.h>

#include "toolkit/frames/SECControlBarInfo.h"
#include "toolkit/frames/SECDockState.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

namespace {

constexpr UINT ID_FRAMEBAR = 0xE870;

class FrameBars : public DockingFrameTest {
protected:
    void SetUp() override
    {
        DockingFrameTest::SetUp();
        ASSERT_TRUE(m_bar.Create(m_frame, "Frame", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0, ID_FRAMEBAR));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_bar);
        Layout();
    }
    LRESULT MouseActivate()
    {
        return m_bar.SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    }
    BOOL Collected()
    {
        SECDockState state;
        state.GetFrameState(m_frame);
        for (INT_PTR i = 0; i < state.GetBarCount(); ++i) {
            if (state.GetBarInfo(i)->m_nBarID == ID_FRAMEBAR)
                return TRUE;
        }
        return FALSE;
    }

    SECFrameBar m_bar;
};

TEST_F(FrameBars, AFloatingFrameBarActivatesItsTopLevelWindow)
{
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE, CRect(500, 0, 600, 100), nullptr, 0));
    other.SetActiveWindow();
    m_screen.pump();
    // Docked: the ordinary answer, and the active window stays.
    EXPECT_NE(MouseActivate(), 0);
    EXPECT_EQ(::GetActiveWindow(), other.m_hWnd);
    EXPECT_TRUE(Collected());

    m_frame->FloatControlBar(&m_bar, CPoint(200, 200));
    Layout();
    other.SetActiveWindow();
    m_screen.pump();
    EXPECT_EQ(MouseActivate(), MA_ACTIVATE);
    EXPECT_EQ(::GetActiveWindow(), m_bar.GetTopLevelParent()->m_hWnd);
    EXPECT_NE(::GetActiveWindow(), other.m_hWnd);
    // A frame floating in a bar of its own is no bar of the frame's layout.
    EXPECT_FALSE(Collected());
    other.DestroyWindow();
}

} // namespace
