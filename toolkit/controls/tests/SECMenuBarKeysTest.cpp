// The menu bar's keyboard mode and the frame's window menu opened from it: Alt and F10 toggle it,
// deactivation ends it, a control of the view keeps its own mnemonic, and the window menu opens below
// the frame's icon, where a double click runs its default command.
#include <gtest/gtest.h>

#include "platform/afx/CButton.h"
#include "platform/afx/CView.h"
#include "toolkit/controls/SECMenuBarFeature.h"
#include "toolkit/controls/tests/MenuBarTestSupport.h"

using namespace menubar_test;

namespace {

class MenuBarKeys : public MenuBarFixture {
protected:
    // A point inside the frame's icon.
    CPoint Icon() const
    {
        CRect rect;
        m_frame->GetWindowRect(&rect);
        return CPoint(rect.left + ::GetSystemMetrics(SM_CXFRAME) + 3, rect.top + ::GetSystemMetrics(SM_CYFRAME) + 3);
    }
};

TEST_F(MenuBarKeys, AltAndF10EnterKeyboardModeAndTheSecondPressLeavesIt)
{
    for (const int vk : { VK_MENU, VK_F10 }) {
        SCOPED_TRACE(vk);
        Key(vk);
        Pump();
        EXPECT_TRUE(Bar().IsMenuTracking());
        EXPECT_EQ(Bar().GetTrackedIndex(), 0);
        Key(vk);
        Pump();
        EXPECT_FALSE(Bar().IsMenuTracking());
        EXPECT_EQ(Bar().GetTrackedIndex(), -1);
    }
    // Deactivating the frame ends keyboard mode too.
    Key(VK_MENU);
    Pump();
    ASSERT_TRUE(Bar().IsMenuTracking());
    m_frame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_FALSE(Bar().IsMenuTracking());
    // A letter in keyboard mode opens its menu without Alt.
    Script({ [] { Key(VK_ESCAPE); } });
    Key(VK_MENU);
    Key('V');
    Pump();
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "View" });
}

TEST_F(MenuBarKeys, DeactivationClosesAnOpenPopup)
{
    Script({ [&] { m_frame->SendMessage(WM_NCACTIVATE, FALSE); } });
    AltWith('E');
    Pump();
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "Edit" });
    // The popup closed at the deactivation, not at the end of the script.
    EXPECT_EQ(m_frame->m_nIdleAfterSteps, 0);
}

// A view with a button whose mnemonic is the Edit menu's.
class ButtonView : public CView { };

TEST_F(MenuBarKeys, AControlOfTheActiveViewKeepsItsMnemonic)
{
    auto* pView = new ButtonView;
    ASSERT_TRUE(pView->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 60, 200, 200), m_frame, AFX_IDW_PANE_FIRST));
    CButton button;
    ASSERT_TRUE(button.Create("&Edit it", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), pView, 1));
    CButton other;
    ASSERT_TRUE(other.Create("&Other", WS_CHILD | WS_VISIBLE, CRect(0, 30, 80, 50), pView, 2));
    m_frame->SetActiveView(pView);
    Script({ [] { Key(VK_ESCAPE); } });
    AltWith('E');
    Pump();
    EXPECT_TRUE(m_frame->m_popups.empty());
    // A letter no control has still opens its menu.
    AltWith('V');
    Pump();
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "View" });
    m_frame->SetActiveView(nullptr);
    pView->DestroyWindow();
}

TEST_F(MenuBarKeys, AltSpaceOpensTheWindowMenuWhereADoubleClickOnTheIconRunsItsDefault)
{
    BOOL bTracking = FALSE;
    HMENU hSystem = ::GetSystemMenu(m_frame->m_hWnd, FALSE);
    BOOL bOutsideSwallowed = TRUE;
    BOOL bIconSwallowed = FALSE;
    // The icon the bar computes from the frame metrics is where the frame's own layout puts it.
    const CPoint icon = Icon();
    EXPECT_EQ(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(icon.x, icon.y)), HTSYSMENU);
    CRect rectItem;
    Script({ [&] {
        bTracking = SECMenuBarFeature::IsTrackingMenu();
        ::GetMenuItemRect(nullptr, hSystem, 0, &rectItem);
        // The double click as the menu loop hands it to its message filter: outside the icon it
        // is the menu's, on the icon it closes the menu and runs the default command.
        MSG msg {};
        msg.hwnd = m_frame->m_hWnd;
        msg.message = WM_LBUTTONDBLCLK;
        msg.pt = Icon() + CPoint(0, 40);
        bOutsideSwallowed = ::CallMsgFilter(&msg, MSGF_MENU);
        msg.pt = Icon();
        bIconSwallowed = ::CallMsgFilter(&msg, MSGF_MENU);
    } });
    AltWith(VK_SPACE);
    Pump();
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "system" });
    EXPECT_TRUE(bTracking);
    // The menu opens below the icon, at its left edge.
    CRect rectFrame;
    m_frame->GetWindowRect(&rectFrame);
    const int nIconLeft = rectFrame.left + ::GetSystemMetrics(SM_CXFRAME);
    const int nIconBottom = rectFrame.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSIZE);
    EXPECT_GE(rectItem.top, nIconBottom);
    EXPECT_LE(rectItem.top, nIconBottom + 4);
    EXPECT_GE(rectItem.left, nIconLeft);
    EXPECT_LE(rectItem.left, nIconLeft + 4);
    EXPECT_FALSE(bOutsideSwallowed);
    EXPECT_TRUE(bIconSwallowed);
    EXPECT_EQ(m_frame->m_nIdleAfterSteps, 0);
    EXPECT_FALSE(SECMenuBarFeature::IsTrackingMenu());
    EXPECT_EQ(m_frame->m_sysCommands, std::vector<UINT> { SC_CLOSE });
    // The window menu keeps its own look: the bitmap menus leave its items alone.
    MENUITEMINFO info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfo(hSystem, 0, TRUE, &info));
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
}

TEST_F(MenuBarKeys, TheIconsMouseMenuOpensThroughTheBarOnce)
{
    Script({ [] { Key(VK_ESCAPE); } });
    m_frame->SendMessage(WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU);
    Pump();
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "system" });
    EXPECT_TRUE(m_frame->m_sysCommands.empty());
}

TEST_F(MenuBarKeys, ADoubleClickOnTheIconOpensTheWindowMenuThenRunsItsDefault)
{
    using platform::user::InjectMouseButton;
    using platform::user::MouseButton;
    BOOL bTracking = FALSE;
    // The second press comes while the window menu the first one opened is up.
    Script({ [&] {
        bTracking = SECMenuBarFeature::IsTrackingMenu();
        InjectMouseButton(MouseButton::Left, true);
        InjectMouseButton(MouseButton::Left, false);
    } });
    MoveTo(Icon());
    InjectMouseButton(MouseButton::Left, true);
    InjectMouseButton(MouseButton::Left, false);
    Pump();
    EXPECT_TRUE(bTracking);
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "system" });
    EXPECT_EQ(m_frame->m_nIdleAfterSteps, 0);
    EXPECT_EQ(m_frame->m_sysCommands, std::vector<UINT> { SC_CLOSE });
}

TEST_F(MenuBarKeys, APopupOpenedFromTheKeyboardSelectsItsFirstItemAndShowsImages)
{
    HMENU hEdit = ::GetSubMenu(m_frame->GetResourceMenu(IDR_MENU), 1);
    UINT nType = 0;
    Script({ [&] {
        MENUITEMINFO info;
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfo(hEdit, 0, TRUE, &info);
        nType = info.fType;
        Key(VK_RETURN);
    } });
    AltWith('E');
    Pump();
    // Return chose the first item, which the opening selected.
    EXPECT_EQ(m_frame->m_commands, std::vector<UINT> { ID_COPY });
    EXPECT_TRUE(nType & MFT_OWNERDRAW);
}

} // namespace
