// A docked layout as the docking engine draws it: a list docked on the left in a gripper, a strip docked
// at the top in a gripper with its close and expand buttons, and an edit control inside a sunken client
// edge filling the rest; laid out by the window's layout listener, its containers set by the manager.

#include "toolkit/frames/SECLNBorderClient.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

namespace {

HWND MakeChild(HWND parent, LPCSTR cls, LPCSTR text, DWORD style = 0)
{
    return ::CreateWindow(cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
}

} // namespace

TEST_F(LayoutWindowTest, DockedLayoutWithGrippersAndClientEdge)
{
    const HWND list = MakeChild(Host(), WC_LISTBOX, "", WS_BORDER);
    for (const char* album : { "Blue Train", "Kind of Blue", "Giant Steps" })
        ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(album));
    const HWND status = MakeChild(Host(), WC_STATIC, "Now playing");
    const HWND edit = MakeChild(Host(), WC_EDIT, "Notes", WS_BORDER);

    SECLayoutDockFactory factory;
    quorvale::foundation::SECClassFactory_T<SECLNBorderClient, SECLayoutNode> clientFactory;
    quorvale::foundation::SECClassFactory_T<SECLNBorderClientEdge, SECLayoutNodeDCBase> edgeFactory;
    auto* root = static_cast<SECLNBorderClient*>(factory.CreateNode(&clientFactory, "root"));
    SECLayoutNodeDCBase* left = factory.CreateDockableWndNodeDefault(CWnd::FromHandle(list), &m_host, "Albums");
    SECLayoutNodeDCBase* top = factory.CreateDockableWndNodeDefault(CWnd::FromHandle(status), &m_host, "Status");
    auto* centre = static_cast<SECLNBorderClientEdge*>(factory.CreateDrawnNode(&m_host, nullptr, &edgeFactory));
    ASSERT_TRUE(root && left && top && centre);
    ASSERT_NE(factory.CreateWndNodeDefault(CWnd::FromHandle(edit), &m_host, centre), nullptr);
    centre->SetEdgeSides(TRUE, TRUE, TRUE, TRUE);
    auto* topGripper = dynamic_cast<SECLayoutNodeGripperEx*>(top);
    ASSERT_NE(topGripper, nullptr);
    topGripper->SetOrientation(FALSE, FALSE);
    topGripper->m_bShowClose = TRUE;
    topGripper->m_bShowExpand = TRUE;
    left->SetPreferredRect({ 0, 0, 90, 0 });
    top->SetPreferredRect({ 0, 0, 0, 44 });
    ASSERT_NE(root->AddBorderNode(top, SECLNBorderClient::Top), -1);
    ASSERT_NE(root->AddBorderNode(left, SECLNBorderClient::Left), -1);
    ASSERT_NE(root->AddBorderNode(centre, SECLNBorderClient::Centre), -1);

    SECLNDockingMgr manager;
    manager.RegisterContainer(root, new SECLNHwndContainer(Host()));
    ASSERT_TRUE(manager.PropagateContainer(root));
    SECLayoutWndListener* listener = factory.CreateLayoutListener();
    ASSERT_TRUE(listener->AttachLayoutToWindow(root, &m_host, TRUE, TRUE, FALSE));
    ::InvalidateRect(Host(), nullptr, TRUE);
    m_screen.pump();

    const std::string diff = m_screen.compareWithGolden(
        { 0, 0, m_size.cx, m_size.cy }, Golden("docked_layout_grippers.png"));
    EXPECT_TRUE(diff.empty()) << diff;
}
