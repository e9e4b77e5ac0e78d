// The MDI frame acting for its maximised child: the child's docking-state button in the frame's
// menu-bar row and the right double click there, each only while the child is maximised and keeps
// its own filter switched on.

#include <gtest/gtest.h>

#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ScxButtonMsgFilter.h"
#include "toolkit/frames/ScxCaptionNCRDBLClkFilter.h"
#include "toolkit/frames/ScxNCRDBLClkMDIMaxChildMsgFilter.h"
#include "toolkit/frames/tests/FilteredFrame.h"

using namespace nsSysCommandEx;

namespace {

using FilteredMDIFrame = FilteredFrameT<CMDIFrameWnd>;
using FilteredMDIChild = FilteredFrameT<CMDIChildWnd>;

class MDIMaxChild : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new FilteredMDIFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
        m_app.m_pMainWnd = m_frame;
        SECMsgFilter::DescriptorTable frameTable;
        frameTable.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCapConLstMDIMaxChildMsgFilter), 1);
        frameTable.Add(SEC_FILTER_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS, RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter));
        frameTable.Add(SEC_FILTER_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxNCRDBLClkMDIMaxChildMsgFilter));
        m_frame->m_root.ApplyDescriptorsAll(frameTable, TRUE);
        // Only the child's button shows in the menu-bar row.
        auto* pList
            = static_cast<SECCaptionControlListMsgFilter*>(m_frame->m_root.FindFilter(SEC_FILTER_CAPTIONCONTROLS));
        pList->ApplyDescriptorsAll(pList->GetStandardControls(), FALSE);

        m_child = new FilteredMDIChild;
        m_child->m_bRecordOnly = true;
        ASSERT_TRUE(m_child->Create(
            nullptr, "view", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 200, 150), m_frame));
        m_childTable.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter), 1);
        m_childTable.Add(SEC_FILTER_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS, RUNTIME_CLASS(ScxButtonMDIChildMsgFilter));
        m_childTable.Add(SEC_FILTER_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
        m_child->m_root.ApplyDescriptorsAll(m_childTable, TRUE);
        m_screen.pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
    }
    ScxButtonMsgFilter* FrameButton()
    {
        auto* pList
            = static_cast<SECCaptionControlListMsgFilter*>(m_frame->m_root.FindFilter(SEC_FILTER_CAPTIONCONTROLS));
        pList->LayoutControls();
        return static_cast<ScxButtonMsgFilter*>(pList->FindFilter(SEC_FILTER_SCXBUTTON));
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "mdi" };
    FilteredMDIFrame* m_frame { nullptr };
    FilteredMDIChild* m_child { nullptr };
    SECMsgFilter::DescriptorTable m_childTable;
};

} // namespace

TEST_F(MDIMaxChild, TheFrameActsForItsMaximisedChildOnlyWhileTheChildKeepsItsOwnFilterOn)
{
    // Restored: the frame shows no button and ignores a double click in its menu row.
    EXPECT_TRUE(FrameButton()->GetRect().IsRectEmpty());
    m_frame->SendMessage(WM_NCRBUTTONDBLCLK, HTMENU, 0);
    EXPECT_TRUE(m_child->m_exCommands.empty());

    m_frame->MDIMaximize(m_child);
    m_screen.pump();
    ScxButtonMsgFilter* pButton = FrameButton();
    ASSERT_FALSE(pButton->GetRect().IsRectEmpty());
    // One caption lower than a caption button: in the menu-bar row.
    EXPECT_GE(pButton->GetRect().top, ::GetSystemMetrics(SM_CYCAPTION));
    CRect rectWindow;
    m_frame->GetWindowRect(rectWindow);
    const CPoint pt = pButton->GetRect().CenterPoint() + rectWindow.TopLeft();
    EXPECT_EQ(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTMENU);
    // A caption press there is not the button's.
    m_frame->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_child->m_exCommands.empty());

    m_frame->SendMessage(WM_NCRBUTTONDOWN, HTMENU, MAKELPARAM(pt.x, pt.y));
    m_frame->SendMessage(WM_NCRBUTTONDBLCLK, HTMENU, 0);
    ASSERT_EQ(m_child->m_exCommands.size(), 2U);
    EXPECT_EQ(m_child->m_exCommands[0].nCommand, SCX_MENUREQUEST);
    EXPECT_EQ(m_child->m_exCommands[0].info.m_hWnd, m_child->m_hWnd);
    EXPECT_EQ(m_child->m_exCommands[1].nCommand, SCX_CHANGESTATE);
    EXPECT_EQ(m_child->m_exCommands[1].info.m_nState, kToggle);

    // The child's own button does not show while it is maximised.
    SECMsgFilter* pChildButton = m_child->m_root.FindFilter(SEC_FILTER_SCXBUTTON, nullptr, -1);
    EXPECT_FALSE(static_cast<ScxButtonMsgFilter*>(pChildButton)->IsVisible(nullptr));

    // With the child's filters off, the frame leaves the child alone.
    m_child->m_root.ApplyDescriptorsAll(m_childTable, FALSE);
    EXPECT_TRUE(FrameButton()->GetRect().IsRectEmpty());
    m_frame->SendMessage(WM_NCRBUTTONDOWN, HTMENU, MAKELPARAM(pt.x, pt.y));
    m_frame->SendMessage(WM_NCRBUTTONDBLCLK, HTMENU, 0);
    EXPECT_EQ(m_child->m_exCommands.size(), 2U);
}
