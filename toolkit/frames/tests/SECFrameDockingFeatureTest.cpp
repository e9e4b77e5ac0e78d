// The frame docking feature: which sides it builds, the docking manager its frames share, its part in
// the frame's bar layout, and a window docked at the bottom through it.

#include "toolkit/frames/SECFrameDockingFeature.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/afx/AfxPriv.h"
#include "toolkit/frames/SECClientWndNode.h"
#include "toolkit/frames/SECDockFloatingNode.h"
#include "toolkit/frames/SECDynGridLineTarget.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/SECVirtualDockbar.h"
#include "toolkit/frames/tests/FramesTestFixture.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

namespace {

TEST(FrameDockingSides, SideFlagsNameBorderPositions)
{
    struct Case {
        DWORD sides;
        int position;
    };
    const Case cases[] = { { 0x3000, 2 }, { 0, 0 }, { 0x8000, 1 }, { 0x4000, 3 }, { 0x2000, 0 }, { 0xC000, 3 } };
    for (const Case& c : cases)
        EXPECT_EQ(SideToBorderPosition(c.sides), c.position) << std::hex << c.sides;
    const int normalized[][2] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 1 }, { -1, 1 } };
    for (const auto& n : normalized)
        EXPECT_EQ(NormalizeBorderPosition(n[0]), n[1]);
}

class FrameDocking : public DockingFrameTest {
protected:
    FrameDocking() { m_dwDockSides = 0; }
    void TearDown() override
    {
        m_features[0].reset();
        m_features[1].reset();
        DockingFrameTest::TearDown();
    }
    SECFrameDockingFeature& Feature(int i = 0)
    {
        if (!m_features[i])
            m_features[i] = std::make_unique<SECFrameDockingFeature>();
        return *m_features[i];
    }

    std::unique_ptr<SECFrameDockingFeature> m_features[2];
};

TEST_F(FrameDocking, OnlyTheEnabledSidesGetTargets)
{
    ASSERT_TRUE(Feature().EnableDocking(m_frame, 0x8000, FALSE, nullptr));
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(Feature().GetDockTarget(side) != nullptr, side == 1) << side;
        EXPECT_EQ(Feature().GetSizableBorder(side) != nullptr, side == 1) << side;
        EXPECT_EQ(Feature().GetEdge(side) != nullptr, side == 1) << side;
    }
    EXPECT_EQ(Feature().GetDockTarget(7), nullptr);
    EXPECT_EQ(Feature().GetDockTarget(-1), nullptr);
    SECLayoutNode node;
    EXPECT_FALSE(Feature().DockNodeAtSide(&node, 0));
    EXPECT_FALSE(Feature().EnableDocking(nullptr, 0xF000, FALSE, nullptr));
}

TEST_F(FrameDocking, FramesShareOneDefaultManagerUntilTheLastFeatureGoes)
{
    ASSERT_EQ(SECLNDockingMgr::GetDefaultDockingMgr(), nullptr);
    ASSERT_TRUE(Feature(0).EnableDocking(m_frame, 0xF000, FALSE, nullptr));
    SECFrameWnd* second = new SECFrameWnd;
    ASSERT_TRUE(second->Create(nullptr, "second", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100)));
    ASSERT_TRUE(Feature(1).EnableDocking(second, 0xF000, FALSE, nullptr));
    SECLNDockingMgr* shared = SECLNDockingMgr::GetDefaultDockingMgr();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(Feature(0).GetDockingMgr(), shared);
    EXPECT_EQ(Feature(1).GetDockingMgr(), shared);
    // Virtual dock bars get consecutive ids.
    EXPECT_EQ(Feature(1).GetVirtualDockbar()->GetDlgCtrlID(), Feature(0).GetVirtualDockbar()->GetDlgCtrlID() + 1);
    EXPECT_GE(Feature(0).GetVirtualDockbar()->GetDlgCtrlID(), static_cast<int>(SECVirtualDockbar::FirstId));

    m_features[0].reset();
    EXPECT_EQ(SECLNDockingMgr::GetDefaultDockingMgr(), shared);
    m_features[1].reset();
    EXPECT_EQ(SECLNDockingMgr::GetDefaultDockingMgr(), nullptr);
    second->DestroyWindow();
}

TEST_F(FrameDocking, ALayoutQueryChangesNothing)
{
    ASSERT_TRUE(Feature().EnableDocking(m_frame, 0xF000, TRUE, nullptr));
    RECT before {};
    Feature().GetRootNode()->GetCurrentRect(&before);
    AFX_SIZEPARENTPARAMS query;
    query.rect = { 1, 2, 3, 4 };
    EXPECT_FALSE(Feature().OnSizeParent(&query));
    RECT after {};
    Feature().GetRootNode()->GetCurrentRect(&after);
    EXPECT_TRUE(::EqualRect(&before, &after));
    RECT client {};
    Feature().GetClientNode()->GetCurrentRect(&client);
    EXPECT_TRUE(::EqualRect(&query.rect, &client));
}

TEST_F(FrameDocking, AWindowDockedAtTheBottomTakesARowAsThickAsAsked)
{
    ASSERT_TRUE(Feature().EnableDocking(m_frame, 0xF000, TRUE, nullptr));
    const HWND list = ::CreateWindow(WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, m_frame->m_hWnd,
        nullptr, nullptr, nullptr);
    for (const char* album : { "Blue Train", "Kind of Blue", "Giant Steps" })
        ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(album));
    SECLayoutDockFactory factory;
    SECLayoutNodeDCBase* node = factory.CreateDockableWndNodeDefault(CWnd::FromHandle(list), m_frame, "Albums");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Feature().EnableNodeDocking(node, TRUE, FALSE, nullptr));
    ASSERT_TRUE(Feature().DockNode(node, 0x8000, 120, TRUE));

    auto* bottom = dynamic_cast<SECDynGridLineTarget*>(Feature().GetDockTarget(1));
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(bottom->GetFirstNode(), node);
    Layout();
    RECT rc {};
    m_frame->GetClientRect(&rc);
    RECT docked {};
    node->GetCurrentRect(&docked);
    // At the bottom, inside the bottom edge's line.
    EXPECT_EQ(docked.bottom, rc.bottom - 2);
    EXPECT_EQ(docked.bottom - docked.top, 120);
    RECT client {};
    Feature().GetClientNode()->GetCurrentRect(&client);
    EXPECT_LE(client.bottom, docked.top);
    ::InvalidateRect(m_frame->m_hWnd, nullptr, TRUE);
    m_screen.pump();
    const std::string diff = m_screen.compareWithGolden({ 0, 0, 400, 300 }, Golden("frame_docked_bottom.png"));
    EXPECT_TRUE(diff.empty()) << diff;
    delete node;
}

// Floated through the feature, a node opens in a mini frame at the placement; hiding it hides the frame;
// docked back it returns to its side, and floated again it reopens where its window was last.
TEST_F(FrameDocking, AFloatedNodeDocksBackAndReopensWhereItWas)
{
    ASSERT_TRUE(Feature().EnableDocking(m_frame, 0xF000, TRUE, nullptr));
    const HWND list = ::CreateWindow(WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, m_frame->m_hWnd,
        nullptr, nullptr, nullptr);
    SECLayoutDockFactory factory;
    SECLayoutNodeDCBase* node = factory.CreateDockableWndNodeDefault(CWnd::FromHandle(list), m_frame, "Albums");
    ASSERT_NE(node, nullptr);
    // Closing hides the window, and there is no Close item.
    ASSERT_TRUE(Feature().EnableNodeDocking(node, TRUE, FALSE, nullptr));
    ASSERT_TRUE(Feature().DockNode(node, 0x8000, 120, TRUE));
    Layout();
    auto* bottom = dynamic_cast<SECDynGridLineTarget*>(Feature().GetDockTarget(1));
    ASSERT_NE(bottom, nullptr);

    const RECT placement { 420, 40, 560, 220 };
    ASSERT_TRUE(Feature().FloatNode(node, &placement));
    EXPECT_EQ(bottom->GetCellCount(), 0);
    auto* root = dynamic_cast<SECDockFloatingNode*>(node->GetRootNode());
    ASSERT_NE(root, nullptr);
    const HWND frame = ::GetParent(list);
    ASSERT_NE(frame, m_frame->m_hWnd);
    RECT rc {};
    ::GetWindowRect(frame, &rc);
    EXPECT_EQ(RectText(rc), RectText(placement));
    EXPECT_TRUE(::IsWindowVisible(frame));
    EXPECT_EQ(::GetMenuState(::GetSystemMenu(frame, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    // One node: the frame's caption drags the whole window; the node under the point starts nothing.
    EXPECT_EQ(root->HookDockSourceHitTest({ 430, 45 }, nullptr), ISECHookDockSourceHitTester::Take);
    EXPECT_EQ(root->HookDockSourceHitTest({ 430, 100 }, node), ISECHookDockSourceHitTester::Exclude);

    ASSERT_TRUE(Feature().ShowDockedNode(node, FALSE));
    EXPECT_FALSE(::IsWindowVisible(frame));
    Feature().ShowDockedNode(node, TRUE);
    EXPECT_TRUE(::IsWindowVisible(frame));
    m_screen.pump();

    // The user moves the window, then it docks back.
    ::SetWindowPos(frame, nullptr, 450, 60, 140, 180, SWP_NOZORDER);
    ASSERT_TRUE(root->DockToLastPosition(Feature().GetDockingMgr()));
    EXPECT_EQ(bottom->GetFirstNode(), node);
    EXPECT_EQ(::GetParent(list), m_frame->m_hWnd);
    EXPECT_FALSE(::IsWindowVisible(frame));
    Layout();

    ASSERT_TRUE(Feature().FloatNode(node, nullptr));
    ASSERT_NE(::GetParent(list), m_frame->m_hWnd);
    ::GetWindowRect(::GetParent(list), &rc);
    EXPECT_EQ(RectText(rc), RectText({ 450, 60, 590, 240 }));
}

// Where the window goes for a drag: at the cursor less the grab offset, pulled in so that the cursor is
// 5 pixels inside when the offset would leave it outside.
TEST_F(FrameDocking, TheFloatingRectangleKeepsTheCursorInside)
{
    ASSERT_TRUE(Feature().EnableDocking(m_frame, 0xF000, TRUE, nullptr));
    const HWND list = ::CreateWindow(WC_LISTBOX, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_frame->m_hWnd, nullptr,
        nullptr, nullptr);
    SECLayoutDockFactory factory;
    SECLayoutNodeDCBase* node = factory.CreateDockableWndNodeDefault(CWnd::FromHandle(list), m_frame, "Albums");
    ASSERT_TRUE(Feature().DockNode(node, 0x8000, 120, TRUE));
    const RECT placement { 420, 40, 560, 220 };
    ASSERT_TRUE(Feature().FloatNode(node, &placement));
    auto* root = dynamic_cast<SECDockFloatingNode*>(node->GetRootNode());
    ASSERT_NE(root, nullptr);

    struct Case {
        POINT offset;
        RECT expected;
    };
    const Case cases[] = {
        { { 10, 10 }, { 90, 90, 230, 270 } },
        { { -20, 10 }, { 95, 90, 235, 270 } },
        { { 200, 10 }, { -35, 90, 105, 270 } },
        { { 10, 300 }, { 90, -75, 230, 105 } },
    };
    for (const Case& c : cases) {
        SECDockInProgressInfo info;
        info.m_nOffsetX = c.offset.x;
        info.m_nOffsetY = c.offset.y;
        RECT rc {};
        ASSERT_TRUE(root->GetFloatRect({ 100, 100 }, rc, Feature().GetDockingMgr(), info));
        EXPECT_EQ(RectText(rc), RectText(c.expected)) << c.offset.x << "," << c.offset.y;
    }
}

} // namespace
