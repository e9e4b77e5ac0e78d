// The menu bar: its buttons built from menu resources, switching menus, and in a frame with the
// menu-bar feature the keyboard and mouse walking its popups, commands chosen from them, and popups
// and frames that change under an open menu.
#include <gtest/gtest.h>

#include "toolkit/controls/SECMenuBarFeature.h"
#include "toolkit/frames/SECControlBarInfo.h"
#include "toolkit/controls/SECTBMenuBtn.h"
#include "toolkit/controls/tests/MenuBarTestSupport.h"

using namespace menubar_test;

namespace {

const SECTBMenuBtn* MenuBtn(const SECMenuBar& bar, int nIndex)
{
    return static_cast<const SECTBMenuBtn*>(bar.GetBtn(nIndex));
}

// A bar on its own, without manager or frame.
class LooseBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 100), nullptr, 0));
        ASSERT_TRUE(m_bar.CreateEx(0, &m_parent, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, SEC_IDW_MENUBAR));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_parent.DestroyWindow();
        m_screen.pump();
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "menubar" };
    CWnd m_parent;
    SECMenuBar m_bar;
};

TEST_F(LooseBar, EveryTopLevelItemBecomesAButtonOfItsMenusBit)
{
    // The missing, extended and damaged menus take no bit: the five-item menu gets bit 2.
    ASSERT_TRUE(m_bar.LoadMenus({ IDR_MENU, 999, IDR_EXTENDED, IDR_DAMAGED, IDR_FIVE }));
    ASSERT_EQ(m_bar.GetBtnCount(), 8);
    EXPECT_EQ(m_bar.GetMenuBit(IDR_MENU), 1u);
    EXPECT_EQ(m_bar.GetMenuBit(IDR_FIVE), 2u);
    EXPECT_EQ(m_bar.GetMenuBit(999), 0u);
    EXPECT_EQ(m_bar.GetMenuBit(IDR_EXTENDED), 0u);
    EXPECT_EQ(m_bar.GetMenuBit(IDR_DAMAGED), 0u);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const SECTBMenuBtn* pBtn = MenuBtn(m_bar, i);
        EXPECT_EQ(pBtn->m_nType, SECStdBtn::kindMenu);
        EXPECT_EQ(pBtn->m_nID, SEC_MENUBTN_FIRSTID + static_cast<UINT>(i));
        EXPECT_EQ(pBtn->m_dwMenuBits, i < 3 ? 1u : 2u);
        EXPECT_EQ(pBtn->m_menu, i < 3 ? IDR_MENU : IDR_FIVE);
        EXPECT_EQ(pBtn->m_nPos, i < 3 ? i : i - 3);
    }
    EXPECT_EQ(MenuBtn(m_bar, 1)->m_strText, "&Edit");
    // Until a menu is chosen every button shows.
    EXPECT_EQ(m_bar.FirstMenuButton(), 0);
    EXPECT_EQ(m_bar.LastMenuButton(), 7);

    ASSERT_TRUE(m_bar.SwitchMenu(IDR_FIVE));
    EXPECT_EQ(m_bar.GetCurrentMenuId(), IDR_FIVE);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(m_bar.GetBtn(i)->TestStyle(TBBS_HIDDEN), i < 3) << i;
    // An unknown menu changes nothing.
    EXPECT_FALSE(m_bar.SwitchMenu(999));
    EXPECT_EQ(m_bar.GetCurrentMenuId(), IDR_FIVE);
    EXPECT_EQ(m_bar.GetCurrentMask(), 2u);

    // Nothing to build: FALSE and no buttons.
    EXPECT_FALSE(m_bar.LoadMenus({ 999, IDR_DAMAGED }));
    EXPECT_EQ(m_bar.GetBtnCount(), 0);
}

TEST_F(LooseBar, MnemonicsComeFromTheTextsAndOnlyVisibleButtonsAnswer)
{
    ASSERT_TRUE(m_bar.LoadMenus({ IDR_MENU, IDR_FIVE }));
    struct Case {
        int nIndex;
        TCHAR cMnemonic;
    };
    // "&File" gives F; "Ends in &" ends in its '&' and has none.
    for (const Case& c : { Case { 0, 'F' }, Case { 3, 'A' }, Case { 7, 0 } })
        EXPECT_EQ(MenuBtn(m_bar, c.nIndex)->m_cMnemonic, c.cMnemonic) << c.nIndex;
    ASSERT_TRUE(m_bar.SwitchMenu(IDR_MENU));
    EXPECT_EQ(m_bar.FindMnemonicButton('e'), 1);
    EXPECT_EQ(m_bar.FindMnemonicButton('A'), -1);
    ASSERT_TRUE(m_bar.SwitchMenu(IDR_FIVE));
    EXPECT_EQ(m_bar.FindMnemonicButton('d'), 6);
    EXPECT_EQ(m_bar.FindMnemonicButton('F'), -1);
}

TEST_F(LooseBar, TheMainWindowsMenuAnswersForItsResource)
{
    ASSERT_TRUE(m_bar.LoadMenus({ IDR_FIVE, IDR_MENU }));
    // Without a main window the id names no menu.
    EXPECT_FALSE(m_bar.SwitchMenu(SEC_IDR_MAINFRAME_MENU));
    auto* pMain = new SECFrameWnd;
    ASSERT_TRUE(pMain->LoadFrame(IDR_MENU, WS_POPUP));
    m_app.m_pMainWnd = pMain;
    EXPECT_TRUE(m_bar.SwitchMenu(SEC_IDR_MAINFRAME_MENU));
    EXPECT_EQ(m_bar.GetCurrentMenuId(), SEC_IDR_MAINFRAME_MENU);
    EXPECT_EQ(m_bar.GetCurrentMask(), 2u);
    m_app.m_pMainWnd = nullptr;
    pMain->DestroyWindow();
}

TEST_F(LooseBar, OneHideIsIgnoredAfterSetIgnoreHide)
{
    ASSERT_TRUE(m_bar.LoadMenus({ IDR_MENU }));
    m_bar.SetIgnoreHide(TRUE);
    m_bar.DelayShow(FALSE);
    EXPECT_TRUE(m_bar.IsVisible());
    EXPECT_FALSE(m_bar.GetIgnoreHide());
    m_bar.DelayShow(FALSE);
    EXPECT_FALSE(m_bar.IsVisible());
}

class MenuBar : public MenuBarFixture { };

TEST_F(MenuBar, TheFrameGetsTheFeatureAndTheBarItsMenu)
{
    auto* pFeature = dynamic_cast<SECMenuBarFeature*>(m_frame->GetMenuPlugIn());
    ASSERT_NE(pFeature, nullptr);
    EXPECT_EQ(pFeature->GetMenuBar(), &Bar());
    // The popups show the images of the manager's bars.
    EXPECT_EQ(pFeature->GetBmpMgr(), m_frame->m_pManager->GetBmpMgr());
    EXPECT_EQ(Bar().GetDlgCtrlID(), static_cast<int>(SEC_IDW_MENUBAR));
    EXPECT_EQ(Bar().GetBtnCount(), 3);
    CString title;
    Bar().GetWindowText(title);
    EXPECT_EQ(title, "Menu bar");
    EXPECT_EQ(m_frame->GetCurrentMenu()->GetSafeHmenu(), m_frame->GetResourceMenu(IDR_MENU));
}

TEST_F(MenuBar, TheManagerTakesMenusOnlyForAToolkitFrameWithAMenuBar)
{
    // A frame without a menu bar, and one that is not the toolkit's.
    auto* pPlain = new SECFrameWnd;
    ASSERT_TRUE(pPlain->Create(nullptr, "plain", WS_POPUP, CRect(0, 0, 100, 100)));
    auto* pOther = new CFrameWnd;
    ASSERT_TRUE(pOther->Create(nullptr, "other", WS_POPUP, CRect(0, 0, 100, 100)));
    for (CFrameWnd* pFrame : { static_cast<CFrameWnd*>(pPlain), pOther }) {
        SECToolBarManager manager(pFrame);
        EXPECT_FALSE(manager.SetMenuInfo({ IDR_MENU }));
        EXPECT_TRUE(manager.GetMenuButtonIds().empty());
    }
    pPlain->DestroyWindow();
    pOther->DestroyWindow();
    // Nothing to build.
    EXPECT_FALSE(m_frame->m_pManager->SetMenuInfo({ IDR_DAMAGED }));
}

TEST_F(MenuBar, ASavedLayoutsMenuBarRecordGivesTheFramesOwnBar)
{
    SECControlBarInfo info;
    info.m_dwTypeID = SEC_BARTYPE_MENUBAR;
    info.m_nBarID = SEC_IDW_MENUBAR;
    // The bar exists already: the record makes no second one.
    EXPECT_EQ(m_frame->m_pManager->CreateBarFromInfo(&info), &Bar());
    Bar().DestroyWindow();
    EXPECT_EQ(m_frame->m_pManager->CreateBarFromInfo(&info), &Bar());
    EXPECT_EQ(Bar().GetBtnCount(), 3);
    EXPECT_EQ(Bar().GetManager(), m_frame->m_pManager.get());
}

TEST_F(MenuBar, SwitchingThroughTheFeatureLaysTheFrameOut)
{
    auto* pFeature = dynamic_cast<SECMenuBarFeature*>(m_frame->GetMenuPlugIn());
    ASSERT_NE(pFeature, nullptr);
    Bar().ApplyMenu(0, TRUE);
    EXPECT_EQ(Bar().FirstMenuButton(), -1);
    pFeature->SwitchMenu(IDR_MENU);
    EXPECT_EQ(Bar().FirstMenuButton(), 0);
    EXPECT_EQ(Bar().GetCurrentMask(), 1u);
}

TEST_F(MenuBar, AltAndArrowsWalkTheMenusAndEscapeBacksOutLevelByLevel)
{
    // Alt alone: keyboard mode on the first menu; the arrows move along the bar.
    platform::user::InjectKey(VK_MENU, true);
    platform::user::InjectKey(VK_MENU, false);
    Pump();
    ASSERT_TRUE(Bar().IsMenuTracking());
    EXPECT_EQ(Bar().GetTrackedIndex(), 0);
    Key(VK_RIGHT);
    Pump();
    EXPECT_EQ(Bar().GetTrackedIndex(), 1);
    Key(VK_LEFT);
    Pump();
    EXPECT_EQ(Bar().GetTrackedIndex(), 0);

    // Down opens File with its first item; Down, Right open Recent; Right in a submenu-less item
    // moves on to Edit; Escape closes Recent, then File.
    std::vector<std::string> seen;
    Script({
        [&] {
            Key(VK_DOWN);
            Key(VK_RIGHT);
        },
        [&] {
            seen.push_back("recent open");
            Key(VK_ESCAPE);
        },
        [&] {
            seen.push_back("back in file");
            Key(VK_UP);
            Key(VK_RIGHT);
        },
        [&] {
            seen.push_back("in edit");
            Key(VK_ESCAPE);
        },
    });
    Key(VK_DOWN);
    Pump();
    EXPECT_EQ(m_frame->m_popups, (std::vector<std::string> { "File", "Recent", "Edit" }));
    EXPECT_EQ(seen, (std::vector<std::string> { "recent open", "back in file", "in edit" }));
    EXPECT_EQ(m_frame->m_nIdleAfterSteps, 0);
    EXPECT_FALSE(Bar().IsMenuTracking());
    EXPECT_TRUE(m_frame->m_commands.empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Bar().GetBtn(i)->TestStyle(TBBS_PRESSED)) << i;
}

TEST_F(MenuBar, MovingAlongTheBarSwitchesPopupsAndTheChosenCommandArrivesOnce)
{
    Script({
        // The first move after each popup opens is taken for its own echo and moves nothing.
        [&] { MoveTo(Centre(0) + CPoint(1, 0)); },
        [&] { MoveTo(Centre(1)); },
        [&] { MoveTo(Centre(1) + CPoint(1, 0)); },
        [&] { MoveTo(Centre(2)); },
        [&] {
            // The first item of View, below the button.
            const CPoint below = Centre(2) + CPoint(0, Bar().GetBtn(2)->m_cy / 2 + 8);
            MoveTo(below);
            platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
            platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
        },
    });
    MoveTo(Centre(0));
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
    Pump();
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
    Pump();
    EXPECT_EQ(m_frame->m_popups, (std::vector<std::string> { "File", "Edit", "View" }));
    EXPECT_EQ(m_frame->m_commands, std::vector<UINT> { ID_STATUS });
    EXPECT_EQ(m_frame->m_nIdleAfterSteps, 0);
}

TEST_F(MenuBar, AltWithALetterOpensThatMenuAndAPressOnItsButtonClosesIt)
{
    Script({
        [&] { MoveTo(Centre(1) + CPoint(1, 0)); },
        [&] {
            MoveTo(Centre(1));
            platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
            platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
        },
    });
    AltWith('E');
    Pump();
    EXPECT_EQ(m_frame->m_popups, std::vector<std::string> { "Edit" });
    EXPECT_EQ(m_frame->m_nIdleAfterSteps, 0);
    EXPECT_TRUE(m_frame->m_commands.empty());
    EXPECT_FALSE(Bar().GetBtn(1)->TestStyle(TBBS_PRESSED));
}

TEST_F(MenuBar, AMenuChangedUnderItsOpenPopupEndsCleanly)
{
    HMENU hFile = ::GetSubMenu(m_frame->GetResourceMenu(IDR_MENU), 0);
    Script({
        [&] {
            // The items go, the bar gets new buttons, and the mouse crosses the bar.
            ::DeleteMenu(hFile, 0, MF_BYPOSITION);
            ::DeleteMenu(hFile, 0, MF_BYPOSITION);
            ::ModifyMenu(hFile, 0, MF_BYPOSITION | MF_STRING, ID_OPEN, "&Reopened");
            Bar().ResetMenuButtons(FALSE);
            MoveTo(Centre(1) + CPoint(2, 0));
        },
        [&] { MoveTo(Centre(2)); },
        [&] { Key(VK_DOWN); },
        [&] {
            // The open popup's menu goes altogether.
            ::DestroyMenu(::GetSubMenu(m_frame->GetResourceMenu(IDR_MENU), 2));
            Key(VK_DOWN);
            Key(VK_RETURN);
        },
    });
    AltWith('F');
    Pump();
    EXPECT_EQ(m_frame->m_popups.front(), "File");
    EXPECT_FALSE(Bar().IsMenuTracking());
    EXPECT_EQ(Bar().GetBtnCount(), 3);
}

TEST_F(MenuBar, AFrameDestroyedByACommandFromItsMenuLeavesNothingBehind)
{
    Script({ [&] {
        Key(VK_DOWN);
        Key(VK_DOWN);
        Key(VK_RETURN);
    } });
    AltWith('F');
    Pump();
    EXPECT_FALSE(::IsWindow(m_hFrame));
    m_screen.pump();
}

TEST_F(MenuBar, ADisabledMenuButtonOpensNothing)
{
    Bar().GetBtn(1)->m_nStyle |= TBBS_DISABLED;
    AltWith('E');
    Pump();
    Bar().PressMenuButton(1);
    Pump();
    EXPECT_TRUE(m_frame->m_popups.empty());
}

TEST_F(MenuBar, AFloatingMenuBarHasNoCloseBox)
{
    m_frame->FloatControlBar(&Bar(), CPoint(100, 150));
    Pump();
    CFrameWnd* pFloating = Bar().GetParentFrame();
    ASSERT_NE(pFloating, m_frame);
    pFloating->RecalcLayout();
    EXPECT_FALSE(pFloating->GetStyle() & WS_SYSMENU);
}

TEST_F(MenuBar, TheBarLooksFlatWithHotAndPressedButtons)
{
    Bar().GetBtn(1)->m_nStyle |= SEC_TBBS_HOT;
    Bar().GetBtn(2)->m_nStyle |= TBBS_PRESSED;
    Bar().Invalidate();
    m_screen.pump();
    CRect rect;
    Bar().GetWindowRect(&rect);
    EXPECT_EQ(m_screen.compareWithGolden(rect, GoldenPath("MenuBar.png")), "");
}

} // namespace
