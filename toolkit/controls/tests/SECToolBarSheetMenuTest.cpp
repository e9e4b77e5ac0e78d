// The customise sheet on the program's main frame with its menu bar: the "Menu" category lists the
// menus, a menu dragged from it becomes a menu button on a toolbar that survives a restart, and the
// toolbars page never hides the menu bar and resets it to its menus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/base/HomeFolder.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECMenuBtnGroup.h"
#include "toolkit/controls/SECTBMenuBtn.h"
#include "toolkit/controls/SECToolBarCmdPage.h"
#include "toolkit/controls/SECToolBarSheet.h"
#include "toolkit/controls/SECToolBarsPage.h"
#include "toolkit/controls/tests/MenuBarTestSupport.h"
#include "toolkit/controls/tests/ToolBarSheetTestSupport.h"

using namespace menubar_test;

namespace {

class MenuCustomise : public MenuBarFixture, public toolbar_test::SheetHolder {
protected:
    void SetUp() override
    {
        m_app.SetCurrentHandles();
        std::free(const_cast<char*>(m_app.m_pszProfileName));
        m_app.m_pszProfileName = ::strdup("menusheet.ini");
        std::filesystem::remove(platform::HomeFolder() / "menusheet.ini");
        MenuBarFixture::SetUp();
    }
    void TearDown() override
    {
        CloseSheet();
        MenuBarFixture::TearDown();
        std::filesystem::remove(platform::HomeFolder() / "menusheet.ini");
    }
    platform::user::TestScreen& SheetScreen() override { return m_screen; }
    HWND SheetFrame() override { return m_hFrame; }
    SECToolBarManager* SheetManager() override { return m_frame->m_pManager.get(); }
    // The sheet with the menu category.
    void OpenSheet()
    {
        SheetHolder::OpenSheet([](SECToolBarCmdPage& page) { page.DefineMenuGroup("Menu"); });
    }
    SECMenuListBox& MenuList()
    {
        return static_cast<SECMenuBtnGroup*>(m_cmdPage->GetGroups().at(0).get())->GetList();
    }
    // The screen centre of an entry of the menu list.
    CPoint Entry(int nItem)
    {
        CRect rect;
        MenuList().GetItemRect(nItem, &rect);
        MenuList().ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    // The texts of the menu buttons of the manager's bar, and whether they show.
    std::string MenuButtons(UINT nBarID)
    {
        std::string text;
        SECCustomToolBar* pBar = m_frame->m_pManager->FindBarById(nBarID);
        for (int i = 0; pBar && i < pBar->GetBtnCount(); ++i) {
            const auto* pBtn = dynamic_cast<const SECTBMenuBtn*>(pBar->GetBtn(i));
            text += pBtn ? std::string(static_cast<LPCTSTR>(pBtn->m_strText)) : std::string("?");
            text += pBar->GetBtn(i)->TestStyle(TBSTATE_HIDDEN) ? "(hidden) " : " ";
        }
        return text;
    }
    int ListItem(UINT nBarID)
    {
        CCheckListBox& list = m_barsPage->m_barList;
        for (int i = 0; i < list.GetCount(); ++i)
            if (list.GetItemData(i) == nBarID)
                return i;
        return -1;
    }

};

} // namespace

TEST_F(MenuCustomise, AMenuDraggedFromTheMenuCategoryBecomesAMenuButtonThatSurvivesARestart)
{
    OpenSheet();
    ASSERT_EQ(m_cmdPage->GetGroups().size(), 1U);
    SECMenuListBox& list = MenuList();
    EXPECT_TRUE(list.IsWindowVisible());
    ASSERT_EQ(list.GetCount(), 3);
    CString strText;
    list.GetText(1, strText);
    EXPECT_STREQ(strText, "Edit");

    // Dropped beside the frame, "Edit" makes a floating bar.
    const CPoint edit = Entry(1);
    m_screen.drag(edit.x, edit.y, 520, 120);
    EXPECT_EQ(list.GetCurSel(), 1);
    ASSERT_NE(m_frame->m_pManager->FindBarById(SEC_IDW_FIRSTUSERBAR), nullptr);
    SECCustomToolBar& mine = *m_frame->m_pManager->FindBarById(SEC_IDW_FIRSTUSERBAR);
    EXPECT_TRUE(mine.IsFloating());
    // The floating bar is as large as its button, and takes "View" dropped onto that.
    CRect client;
    mine.GetClientRect(&client);
    EXPECT_GE(client.Width(), mine.GetBtn(0)->GetRect().right);
    EXPECT_GE(client.Height(), mine.GetBtn(0)->GetRect().bottom);
    CRect rectEdit = mine.GetBtn(0)->GetRect();
    mine.ClientToScreen(&rectEdit);
    const CPoint view = Entry(2);
    m_screen.drag(view.x, view.y, rectEdit.CenterPoint().x, rectEdit.top);
    EXPECT_EQ(MenuButtons(SEC_IDW_FIRSTUSERBAR), "&Edit &View ");
    // The menu bar keeps its own.
    EXPECT_EQ(MenuButtons(SEC_IDW_MENUBAR), "&File &Edit &View ");

    CloseSheet(PSBTN_OK);
    m_frame->SaveBarState("Layout");
    m_frame->DestroyWindow();
    m_screen.pump();
    MakeFrame();
    m_frame->LoadBarState("Layout");
    m_frame->RecalcLayout();
    m_screen.pump();
    EXPECT_EQ(MenuButtons(SEC_IDW_FIRSTUSERBAR), "&Edit &View ");
    EXPECT_EQ(MenuButtons(SEC_IDW_MENUBAR), "&File &Edit &View ");
}

TEST_F(MenuCustomise, TheToolbarsPageKeepsTheMenuBarShownAndResetsItToItsMenus)
{
    OpenSheet();
    ASSERT_TRUE(m_sheet->SetActivePage(1));
    m_screen.pump();
    const int nItem = ListItem(SEC_IDW_MENUBAR);
    ASSERT_GE(nItem, 0);
    CCheckListBox& list = m_barsPage->m_barList;
    list.SetCurSel(nItem);
    Command(*m_barsPage, IDC_SEC_TOOLBAR_LIST, LBN_SELCHANGE);
    // The menu bar is no user bar: it is reset, never deleted or renamed.
    CString strButton;
    m_barsPage->GetDlgItemText(IDC_SEC_TOOLBAR_RESET, strButton);
    EXPECT_STREQ(strButton, "&Reset");
    EXPECT_FALSE(m_barsPage->GetDlgItem(IDC_SEC_TOOLBAR_NAME)->IsWindowEnabled());

    list.SetCheck(nItem, 0);
    Command(*m_barsPage, IDC_SEC_TOOLBAR_LIST, CLBN_CHKCHANGE);
    EXPECT_EQ(list.GetCheck(nItem), 1);
    EXPECT_TRUE(Bar().IsVisible());

    // Customised away, the menus come back with Reset.
    Bar().RemoveButton(0);
    Bar().RemoveButton(0);
    ASSERT_EQ(MenuButtons(SEC_IDW_MENUBAR), "&View ");
    Command(*m_barsPage, IDC_SEC_TOOLBAR_RESET);
    EXPECT_EQ(MenuButtons(SEC_IDW_MENUBAR), "&File &Edit &View ");
    EXPECT_TRUE(::IsWindow(Bar().m_hWnd));
}
