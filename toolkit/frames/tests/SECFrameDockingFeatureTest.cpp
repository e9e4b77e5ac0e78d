// The frame docking feature: which sides it builds, the docking manager its frames share, its part in
// the frame's bar layout, and a window docked at the bottom through it.

#include "toolkit/frames/SECFrameDockingFeature.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/afx/AfxPriv.h"
#include "toolkit/frames/SECClientWndNode.h"
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

} // namespace
