#pragma once
// A window whose sides are dock targets, with a list docked on the left, and a docking listener on it:
// the start of the drag-and-drop and floating tests.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "toolkit/frames/SECDockingListener.h"
#include "toolkit/frames/SECDynGridLineTarget.h"
#include "toolkit/frames/SECLNBorderClient.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLNSizableDockBorder.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

// A window whose left and right sides are dock targets in sizable borders around a centre, as a frame's
// sides are, with a list docked on the left.
class DragDocking : public LayoutWindowTest {
protected:
    void SetUp() override
    {
        LayoutWindowTest::SetUp();
        m_list = ::CreateWindow(WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, Host(), nullptr,
            nullptr, nullptr);
        for (const char* album : { "Blue Train", "Kind of Blue", "Giant Steps" })
            ::SendMessage(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(album));
        m_root = static_cast<SECLNBorderClient*>(m_factory.CreateNode(&m_clientFactory, "root"));
        m_left = static_cast<SECDynGridLineTarget*>(m_factory.CreateNode(&m_targetFactory, "left"));
        m_right = static_cast<SECDynGridLineTarget*>(m_factory.CreateNode(&m_targetFactory, "right"));
        m_centre = static_cast<SECLNBorderClientEdge*>(m_factory.CreateDrawnNode(&m_host, nullptr, &m_edgeFactory));
        m_node = m_factory.CreateDockableWndNodeDefault(CWnd::FromHandle(m_list), &m_host, "Albums");
        ASSERT_TRUE(m_root && m_left && m_right && m_centre && m_node);
        m_centre->SetEdgeSides(TRUE, TRUE, TRUE, TRUE);
        for (SECDynGridLineTarget* side : { m_left, m_right }) {
            side->SetLineWindow(Host(), FALSE);
            side->SetGrowMode(TRUE);
        }
        m_node->SetPreferredRect({ 0, 0, 90, 160 });
        SECDynGridInsertConstraints c;
        c.m_bNewRow = TRUE;
        c.m_nThickness = 90;
        ASSERT_GE(m_left->InsertNode(m_node, &c), 0);
        m_leftBorder.SetDockSide(SECLNSizableDockBorder::Left);
        m_rightBorder.SetDockSide(SECLNSizableDockBorder::Right);
        ASSERT_TRUE(m_leftBorder.SetSides(&m_host, TRUE, SECLNSizable::SideRight));
        ASSERT_TRUE(m_rightBorder.SetSides(&m_host, TRUE, SECLNSizable::SideLeft));
        ASSERT_GE(m_leftBorder.AddLayoutNode(m_left), 0);
        ASSERT_GE(m_rightBorder.AddLayoutNode(m_right), 0);
        ASSERT_NE(m_root->AddBorderNode(&m_leftBorder, SECLNBorderClient::Left), -1);
        ASSERT_NE(m_root->AddBorderNode(&m_rightBorder, SECLNBorderClient::Right), -1);
        ASSERT_NE(m_root->AddBorderNode(m_centre, SECLNBorderClient::Centre), -1);
        m_manager.RegisterContainer(m_root, new SECLNHwndContainer(Host()));
        ASSERT_TRUE(m_manager.PropagateContainer(m_root));
        m_listener = std::make_unique<SECDockingListener>();
        ASSERT_TRUE(m_listener->AttachDocking(m_root, &m_host, &m_manager, TRUE, TRUE, FALSE));
        ::InvalidateRect(Host(), nullptr, TRUE);
        m_screen.pump();
    }
    void TearDown() override
    {
        m_listener.reset();
        LayoutWindowTest::TearDown();
    }
    // A point on the gripper strip of the docked node (outside the list it wraps).
    POINT Grip() const
    {
        RECT node {};
        m_node->GetCurrentRect(&node);
        RECT list {};
        ::GetWindowRect(m_list, &list);
        return { (node.left + node.right) / 2, node.top + (list.top - node.top) / 2 };
    }
    std::string Layout() const
    {
        RECT rc {};
        std::string out = "left " + std::to_string(m_left->GetCellCount()) + " right "
            + std::to_string(m_right->GetCellCount()) + " node " + RectText(*m_node->GetCurrentRect(&rc));
        ::GetWindowRect(m_list, &rc);
        return out + " list " + RectText(rc);
    }

    SECLayoutDockFactory m_factory;
    quorvale::foundation::SECClassFactory_T<SECLNBorderClient, SECLayoutNode> m_clientFactory;
    quorvale::foundation::SECClassFactory_T<SECDynGridLineTarget, SECLayoutNode> m_targetFactory;
    quorvale::foundation::SECClassFactory_T<SECLNBorderClientEdge, SECLayoutNodeDCBase> m_edgeFactory;
    SECLNDockingMgr m_manager;
    SECLNSizableDockBorder m_leftBorder;
    SECLNSizableDockBorder m_rightBorder;
    HWND m_list { nullptr };
    SECLNBorderClient* m_root { nullptr };
    SECDynGridLineTarget* m_left { nullptr };
    SECDynGridLineTarget* m_right { nullptr };
    SECLNBorderClientEdge* m_centre { nullptr };
    SECLayoutNodeDCBase* m_node { nullptr };
    std::unique_ptr<SECDockingListener> m_listener;
};
