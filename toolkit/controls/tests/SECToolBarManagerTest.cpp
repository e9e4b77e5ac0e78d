// The toolbar manager in a docking frame: its default bars and the user's bars, the options it applies
// to every bar and keeps, and a customisation by mouse (a button moved between bars, copied into a new
// bar, dragged off) that survives saving the layout and starting frame and manager again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/afx/CDockBar.h"
#include "platform/afx/AfxState.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/Thread.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/tests/ToolBarManagerTestSupport.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECPTNFactory.h"
#include "toolkit/frames/SECPersistentTreeNode.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

using namespace toolbar_test;

namespace {

// What a cursor looks like: its hot spot and the bits of its mask and image (each load of a cursor
// makes another handle).
std::vector<BYTE> CursorLook(HCURSOR hCursor)
{
    ICONINFO info {};
    if (!hCursor || !::GetIconInfo(hCursor, &info))
        return {};
    std::vector<BYTE> look { static_cast<BYTE>(info.xHotspot), static_cast<BYTE>(info.yHotspot) };
    for (HBITMAP hbm : { info.hbmMask, info.hbmColor }) {
        BITMAP bm {};
        ::GetObject(hbm, sizeof bm, &bm);
        std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight));
        ::GetBitmapBits(hbm, static_cast<LONG>(bits.size()), bits.data());
        look.insert(look.end(), bits.begin(), bits.end());
        ::DeleteObject(hbm);
    }
    return look;
}

// The cursor on screen when a drag lets go of the button, as the tracker takes that input.
class ReleaseCursorProbe {
public:
    ReleaseCursorProbe() { s_seen.clear(); }
    ~ReleaseCursorProbe() { ::UnhookWindowsHookEx(m_hHook); }
    ReleaseCursorProbe(const ReleaseCursorProbe&) = delete;
    ReleaseCursorProbe& operator=(const ReleaseCursorProbe&) = delete;
    const std::vector<BYTE>& Seen() const { return s_seen; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HC_ACTION && wParam == WM_LBUTTONUP)
            s_seen = CursorLook(::GetCursor());
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline std::vector<BYTE> s_seen;
    HHOOK m_hHook { ::SetWindowsHookEx(WH_MOUSE, Hook, nullptr, ::GetCurrentThreadId()) };
};

class ToolBarManagers : public ManagerFrameTest {
protected:
    std::string ProfileText() const
    {
        std::ifstream in(platform::HomeFolder() / "toolbars.ini");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

};

TEST_F(ToolBarManagers, MakesTheDefaultBarsAndNumbersTheUsersBars)
{
    m_manager->CreateDefaultBars();
    Layout();
    EXPECT_EQ(Describe(), "e800 Standard: 200 0 201 202\ne801 Second: 200 201\n");
    EXPECT_EQ(Bar(SEC_IDW_DEFAULTTOOLBAR)->m_pDockBar->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(Bar(ID_SECOND_BAR)->m_pDockBar->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(Bar(ID_SECOND_BAR)->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY), CBRS_TOOLTIPS | CBRS_FLYBY);

    SECCustomToolBar* pFirst = m_manager->CreateUserToolBar();
    ASSERT_NE(pFirst, nullptr);
    SECCustomToolBar* pSecond = m_manager->CreateUserToolBar();
    ASSERT_NE(pSecond, nullptr);
    CString title;
    pFirst->GetWindowText(title);
    EXPECT_STREQ(title, "ToolBar1");
    EXPECT_EQ(pFirst->GetDlgCtrlID(), 0xE820);
    pSecond->GetWindowText(title);
    EXPECT_STREQ(title, "ToolBar2");
    pFirst->DestroyWindow();
    SECCustomToolBar* pAgain = m_manager->CreateUserToolBar();
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(pAgain->GetDlgCtrlID(), 0xE820) << "a freed id is taken again";
}

TEST_F(ToolBarManagers, AUsersBarGoesWithItsLastButtonADefaultBarStays)
{
    m_manager->CreateDefaultBars();
    SECCustomToolBar* pUser = m_manager->CreateUserToolBar();
    ASSERT_NE(pUser, nullptr);
    pUser->InsertButton(0, ID_A);
    m_frame->DockControlBar(pUser, static_cast<CDockBar*>(m_frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)));
    Layout();
    EXPECT_FALSE(pUser->RemoveButton(0));
    Layout();
    EXPECT_EQ(Bar(0xE820), nullptr);

    SECCustomToolBar* pSecond = Bar(ID_SECOND_BAR);
    EXPECT_TRUE(pSecond->RemoveButton(0));
    EXPECT_FALSE(pSecond->RemoveButton(0));
    Layout();
    EXPECT_EQ(Bar(ID_SECOND_BAR), pSecond);
    EXPECT_EQ(pSecond->GetBtnCount(), 0);
}

TEST_F(ToolBarManagers, ConfigModeLeavesOnlyTheBarsUsable)
{
    m_manager->CreateDefaultBars();
    CWnd pane;
    ASSERT_TRUE(pane.CreateEx(0, nullptr, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 40, 100, 100), m_frame, 1));
    m_manager->EnterConfigMode();
    EXPECT_TRUE(m_manager->InConfigMode());
    EXPECT_TRUE(SECControlsLink::Get().inConfigMode(m_manager.get())) << "the frames see it too";
    EXPECT_FALSE(pane.IsWindowEnabled());
    EXPECT_TRUE(::IsWindowEnabled(m_frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetSafeHwnd()));
    m_manager->ExitConfigMode();
    EXPECT_TRUE(pane.IsWindowEnabled());
    EXPECT_FALSE(SECControlsLink::Get().inConfigMode(m_manager.get()));
    pane.DestroyWindow();
}

TEST_F(ToolBarManagers, DefaultBarsMayStartFloatingOrHidden)
{
    SECToolBarManager manager(m_frame);
    manager.LoadToolBarResource(IDR_LOOKS);
    manager.DefineDefaultToolBar(0xE802, "Floating", IDR_LOOKS, nullptr, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, FALSE, TRUE);
    manager.DefineDefaultToolBar(0xE803, "Hidden", IDR_LOOKS, nullptr, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, TRUE, FALSE);
    manager.CreateDefaultBars();
    Layout();
    EXPECT_TRUE(manager.FindBarById(0xE802)->IsFloating());
    EXPECT_FALSE(manager.FindBarById(0xE803)->IsVisible());
    EXPECT_TRUE(manager.FindBarById(0xE803)->m_pDockBar != nullptr);
}

TEST_F(ToolBarManagers, OptionsReachEveryBarAndAreKept)
{
    m_manager->CreateDefaultBars();
    m_manager->EnableLargeBtns(TRUE);
    m_manager->EnableCoolLook(TRUE);
    m_manager->EnableToolTips(FALSE);
    for (SECCustomToolBar* pBar : m_manager->GetToolBars()) {
        EXPECT_EQ(pBar->GetBtn(0)->GetRect().Size(), CSize(29, 31));
        EXPECT_TRUE(pBar->IsCoolLook());
        EXPECT_EQ(pBar->GetExBarStyle() & 0x300, 0x300U);
        EXPECT_FALSE(pBar->GetBarStyle() & CBRS_TOOLTIPS);
    }

    m_manager->SaveState("Main");
    const std::string text = ProfileText();
    EXPECT_NE(text.find("[Main-ToolBarManager]\nToolTips=0\nCoolLook=1\nLargeButtons=1"), std::string::npos) << text;

    SECPTNFactory factory;
    SECPersistentTreeNode root;
    root.Initialize("Workspace", nullptr);
    ASSERT_TRUE(m_manager->SaveNodeState(factory, &root));
    CString value;
    root.FindChild("ToolBarMgr")->GetStringValue("ToolTips", value);
    EXPECT_STREQ(value, "False");

    // Back in a new manager, from the profile and from the tree.
    SECToolBarManager fromProfile(m_frame);
    fromProfile.LoadState("Main");
    EXPECT_FALSE(fromProfile.ToolTipsEnabled());
    EXPECT_TRUE(fromProfile.CoolLookEnabled());
    EXPECT_TRUE(fromProfile.LargeBtnsEnabled());
    SECToolBarManager fromTree(m_frame);
    EXPECT_TRUE(fromTree.LoadNodeState(&root));
    EXPECT_FALSE(fromTree.ToolTipsEnabled());
    EXPECT_TRUE(fromTree.LargeBtnsEnabled());

    // A tree from before the manager kept anything: tooltips and cool look on, large buttons off.
    SECPersistentTreeNode old;
    old.Initialize("Workspace", nullptr);
    SECToolBarManager fromOld(m_frame);
    fromOld.EnableLargeBtns(TRUE);
    fromOld.EnableToolTips(FALSE);
    EXPECT_TRUE(fromOld.LoadNodeState(&old));
    EXPECT_TRUE(fromOld.ToolTipsEnabled());
    EXPECT_TRUE(fromOld.CoolLookEnabled());
    EXPECT_FALSE(fromOld.LargeBtnsEnabled());
}

TEST_F(ToolBarManagers, AFloatingBarHiddenWhileCustomisingGoesAtOnce)
{
    m_manager->CreateDefaultBars();
    SECCustomToolBar* pUser = m_manager->CreateUserToolBar();
    ASSERT_NE(pUser, nullptr);
    pUser->InsertButton(0, ID_A);
    m_manager->FloatBar(pUser, CPoint(200, 150), CBRS_ALIGN_TOP);
    Layout();
    ASSERT_TRUE(pUser->IsFloating());
    CWnd* pMiniFrame = pUser->m_pDockBar->GetParent();
    ASSERT_TRUE(pMiniFrame->IsWindowVisible());

    // Normally the hide waits for the frame's idle layout.
    m_frame->ShowControlBar(pUser, FALSE, TRUE);
    m_screen.pump();
    EXPECT_TRUE(pUser->IsWindowVisible());
    m_frame->ShowControlBar(pUser, TRUE, TRUE);

    // While customising, the bar and its floating frame go without one.
    m_manager->SetCustomizeMode(TRUE);
    m_frame->ShowControlBar(pUser, FALSE, TRUE);
    EXPECT_FALSE(pUser->IsVisible());
    m_screen.pump();
    EXPECT_FALSE(pUser->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pMiniFrame->IsWindowVisible());

    // Shown again, it is back in its frame.
    m_frame->ShowControlBar(pUser, TRUE, FALSE);
    m_screen.pump();
    EXPECT_TRUE(pUser->IsWindowVisible());
    EXPECT_TRUE(pUser->IsFloating());
}

TEST_F(ToolBarManagers, ACustomisationByMouseSurvivesARestart)
{
    m_manager->CreateDefaultBars();
    Layout();
    m_manager->SetCustomizeMode(TRUE);
    SECCustomToolBar* pStandard = Bar(SEC_IDW_DEFAULTTOOLBAR);
    SECCustomToolBar* pSecond = Bar(ID_SECOND_BAR);

    // Button 201 of the standard bar dropped just after the last button of the second bar.
    CPoint from = Centre(pStandard, 2);
    CPoint to = Centre(pSecond, 1) + CPoint(6, 0);
    m_screen.drag(from.x, from.y, to.x, to.y);
    Layout();
    EXPECT_EQ(Describe(), "e800 Standard: 200 0 202\ne801 Second: 200 201 201\n");
    EXPECT_EQ(pSecond->GetSelectedIndex(), 2) << "the dropped button is the selection";

    // With Ctrl, button 202 dropped where no bar is makes a new floating bar holding a copy; the drag
    // shows the copy cursor, and the cursor before comes back after it.
    const std::vector<BYTE> copyLook
        = CursorLook(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_SEC_COPYDRAG)));
    ASSERT_FALSE(copyLook.empty());
    from = Centre(pStandard, 2);
    m_screen.keyDown(VK_CONTROL);
    {
        ReleaseCursorProbe probe;
        m_screen.drag(from.x, from.y, 200, 150);
        EXPECT_EQ(probe.Seen(), copyLook);
        EXPECT_NE(CursorLook(::GetCursor()), copyLook);
    }
    m_screen.keyUp(VK_CONTROL);
    Layout();
    EXPECT_EQ(Describe(), "e800 Standard: 200 0 202\ne801 Second: 200 201 201\ne820 ToolBar1: 202 floating\n");

    // Without Ctrl, dragging it off every bar deletes it, and the separator it leaves last.
    from = Centre(pStandard, 2);
    {
        ReleaseCursorProbe probe;
        m_screen.drag(from.x, from.y, 330, 200);
        EXPECT_FALSE(probe.Seen().empty());
        EXPECT_NE(probe.Seen(), copyLook);
    }
    Layout();
    const std::string customised = "e800 Standard: 200\ne801 Second: 200 201 201\ne820 ToolBar1: 202 floating\n";
    EXPECT_EQ(Describe(), customised);

    m_frame->SaveBarState("Layout");
    Restart();
    m_frame->LoadBarState("Layout");
    Layout();
    EXPECT_EQ(Describe(), customised);
}

} // namespace
