// The bases of the program's dialogs, pages and sheets, and the window helpers its dialogs share.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CAboutDlg.h"
#include "app/CBasePropertyPage.h"
#include "app/CBasePropertySheet.h"
#include "app/CBaseToolBarSheet.h"
#include "app/CPelicanApp.h"
#include "app/HelpRequests.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "library/tests/support/LibraryFile.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/TestFolder.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CDataExchange.h"
#include "platform/afx/CIPAddressCtrl.h"
#include "platform/afx/CMenu.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

class DialogBases : public ::testing::Test {
protected:
    void SetUp() override { m_app.SetRegistryKey("Corvane"); }

    TestScreen m_screen { 800, 600 };
    CPelicanApp m_app;
};

std::string ControlText(CWnd& parent, int id)
{
    CString text;
    parent.GetDlgItemText(id, text);
    return text.GetString();
}

} // namespace

TEST_F(DialogBases, DialogsAskForContextHelpAndAnswerHitTestsFromTheChildUnderThePoint)
{
    CAboutDlg about;
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
    EXPECT_TRUE(about.GetExStyle() & WS_EX_CONTEXTHELP);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_RIGHTS), "Copyright Aldercrest. All rights reserved.");

    CWnd* rights = about.GetDlgItem(IDC_ABOUT_RIGHTS);
    ASSERT_NE(rights, nullptr);
    SetWindowContextHelpId(rights->m_hWnd, 65891);
    CRect r;
    rights->GetWindowRect(&r);
    about.ScreenToClient(&r);
    EXPECT_EQ(about.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), 65891);
    // A child without a help id leaves the answer to the dialog's default.
    CWnd* notice = about.GetDlgItem(IDC_ABOUT_NOTICE);
    notice->GetWindowRect(&r);
    about.ScreenToClient(&r);
    EXPECT_NE(about.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), 65891);

    // Help for a window or for a menu item is reported handled either way.
    HELPINFO forWindow {};
    forWindow.iContextType = HELPINFO_WINDOW;
    HELPINFO forMenu {};
    forMenu.iContextType = 2;
    EXPECT_EQ(about.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&forWindow)), TRUE);
    EXPECT_EQ(about.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&forMenu)), TRUE);
    about.DestroyWindow();
}

TEST_F(DialogBases, SheetsHideTheirHelpButtonAndAskForContextHelp)
{
    CBasePropertyPage page(IDD_ABOUTBOX);
    CBasePropertySheet sheet("Preferences");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.GetExStyle() & WS_EX_CONTEXTHELP);
    HWND help = ::GetDlgItem(sheet.m_hWnd, IDHELP);
    EXPECT_TRUE(help == nullptr || !::IsWindowVisible(help));
    sheet.DestroyWindow();

    // The toolbar sheet hides the button as well but asks for no context help.
    CBasePropertyPage toolbarPage(IDD_ABOUTBOX);
    CBaseToolBarSheet toolbars("Customize");
    toolbars.m_psh.dwFlags |= PSH_HASHELP;
    toolbars.AddPage(&toolbarPage);
    ASSERT_TRUE(toolbars.Create());
    EXPECT_FALSE(toolbars.GetExStyle() & WS_EX_CONTEXTHELP);
    help = ::GetDlgItem(toolbars.m_hWnd, IDHELP);
    EXPECT_TRUE(help == nullptr || !::IsWindowVisible(help));
    toolbars.DestroyWindow();
}

TEST(DetailPageKeys, EnterBecomesTabWhateverTheModifiers)
{
    struct Case {
        UINT message;
        WPARAM key;
        WPARAM becomes;
    };
    for (const Case& c : { Case { WM_KEYDOWN, VK_RETURN, VK_TAB }, Case { WM_KEYUP, VK_RETURN, VK_RETURN },
             Case { WM_KEYDOWN, 'A', 'A' }, Case { WM_CHAR, VK_RETURN, VK_RETURN } }) {
        MSG msg {};
        msg.message = c.message;
        msg.wParam = c.key;
        TurnEnterIntoTab(&msg);
        EXPECT_EQ(msg.wParam, c.becomes) << c.message << " " << c.key;
    }
}

TEST_F(DialogBases, MenuItemsAreFoundByExactTextOrById)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    EXPECT_EQ(FindMenuItemByText(&menu, "&Media"), 1);
    EXPECT_EQ(FindMenuItemByText(&menu, "&media"), -1);
    EXPECT_EQ(FindMenuItemByText(&menu, ""), -1);
    CMenu* help = menu.GetSubMenu(4);
    EXPECT_EQ(FindMenuItemById(help, 57664), 3);
    EXPECT_EQ(FindMenuItemById(help, 1), -1);
    EXPECT_EQ(FindMenuItemById(nullptr, 57664), -1);
}

TEST_F(DialogBases, PumpingRunsWaitingMessagesAndLeavesTheQuitWithItsCode)
{
    class CCounter : public CWnd {
    public:
        int seen { 0 };
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_USER + 1)
                ++seen;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } counter;
    ASSERT_TRUE(counter.CreateEx(0, AfxRegisterWndClass(0), "counter", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    for (int i = 0; i < 3; ++i)
        counter.PostMessage(WM_USER + 1);
    PumpMessages();
    EXPECT_EQ(counter.seen, 3);

    counter.PostMessage(WM_USER + 1);
    ::PostQuitMessage(7);
    counter.PostMessage(WM_USER + 1);
    PumpMessages();
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    counter.DestroyWindow();
}

TEST_F(DialogBases, EditControlsAndAddressesExchange)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CWnd edit, button;
    edit.CreateEx(0, "Edit", "", WS_CHILD, CRect(0, 0, 50, 20), &parent, 1);
    button.CreateEx(0, "Button", "", WS_CHILD, CRect(0, 30, 50, 50), &parent, 2);
    EXPECT_TRUE(IsEditControl(&edit));
    EXPECT_FALSE(IsEditControl(&button));
    EXPECT_FALSE(IsEditControl(nullptr));

    CIPAddressCtrl address;
    ASSERT_TRUE(address.Create(WS_CHILD, CRect(0, 60, 150, 80), &parent, 3));
    struct Case {
        const char* loaded;
        const char* saved;
    };
    for (const Case& c : { Case { "10.0.0.7", "10.0.0.7" }, Case { "", "" }, Case { "not an address", "" } }) {
        address.SetAddress(1, 2, 3, 4);
        CString text = c.loaded;
        CDataExchange load(&parent, FALSE);
        DDX_IPAddressText(&load, address, text);
        CDataExchange save(&parent, TRUE);
        DDX_IPAddressText(&save, address, text);
        EXPECT_STREQ(text, c.saved) << c.loaded;
    }
    parent.DestroyWindow();
}

TEST_F(DialogBases, ComboBoxesAreFilledFromRowsWithTheLastColumnAsId)
{
    CoInitialize(nullptr);
    ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
    const std::string path = testing_support::CurrentDirectory() + "\\lib.mdb";
    testing_support::MakeLibraryFile(path, true);
    ASSERT_TRUE(theLibraryConnection.OpenDatabase(path.c_str()));
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("CREATE TABLE Pairs (Name TEXT, Id INTEGER)", nullptr, 1));
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("INSERT INTO Pairs VALUES ('Rock, Alternative', 12)", nullptr, 1));
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("INSERT INTO Pairs VALUES ('Jazz', 3)", nullptr, 1));

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CComboBox withIds, plain;
    withIds.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 1);
    plain.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 2);
    ASSERT_TRUE(FillComboFromSql(withIds, "Pairs", true));
    ASSERT_TRUE(FillComboFromSql(plain, "Pairs", false));
    {
        MessageBoxRecorder boxes;
        EXPECT_FALSE(FillComboFromSql(plain, "NoSuchTable", false));
        EXPECT_EQ(plain.GetCount(), 2);
    }
    ASSERT_EQ(withIds.GetCount(), 2);
    CString text;
    withIds.GetLBText(0, text);
    EXPECT_STREQ(text, "Rock, Alternative");
    EXPECT_EQ(withIds.GetItemData(0), 12u);
    withIds.GetLBText(1, text);
    EXPECT_STREQ(text, "Jazz");
    EXPECT_EQ(withIds.GetItemData(1), 3u);
    plain.GetLBText(0, text);
    EXPECT_STREQ(text, "Rock, Alternative,12");
    parent.DestroyWindow();
    theLibraryConnection.Close();
    CoUninitialize();
}
