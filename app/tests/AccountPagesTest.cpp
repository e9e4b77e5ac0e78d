// The account pages over the customer's row: shown from it, written back only when changed, the
// e-mail and phone rules, and nothing written while no row is bound.
#include <array>

#include "app/CBasePropertySheet.h"
#include "app/CEmailInfoDlg.h"
#include "app/CISPAdvancedInfoDlg.h"
#include "app/CISPMainInfoPage.h"
#include "app/CUserInfoPage.h"
#include "app/TuneStewardIds.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/AppRoutines.h"
#include "platform/comctl/CommCtrl.h"

namespace {

class AccountPages : public LibraryPageFixture {
protected:
    // The customer's row as a synchronisation stores it.
    static void AddCustomer()
    {
        const std::array<_variant_t, 8> values { _variant_t("Ann"), _variant_t("Lee"), _variant_t("1 Main St"),
            _variant_t("Springfield"), _variant_t("OR"), _variant_t("97477"), _variant_t("ann@example.com"),
            _variant_t("5551234567") };
        ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qUpdateCustomer", values.data(), 8, nullptr, nullptr, adCmdStoredProc));
    }
    static long ModifiedCustomers() { return Number("SELECT COUNT(*) FROM tCustomerMain WHERE ModifyFlag = True"); }
};

} // namespace

TEST_F(AccountPages, UserPageShowsTheCustomerAndWritesItsEditsBack)
{
    AddCustomer();
    CUserInfoPage user;
    CISPMainInfoPage isp;
    CBasePropertySheet sheet("Account Management");
    sheet.AddPage(&user);
    sheet.AddPage(&isp);
    ASSERT_TRUE(sheet.Create(&m_owner));
    HWND page = user.m_hWnd;
    EXPECT_EQ(ControlText(page, IDC_USER_FIRST_NAME), "Ann");
    EXPECT_EQ(ControlText(page, IDC_USER_EMAIL), "ann@example.com");
    EXPECT_EQ(ControlText(page, IDC_USER_HOME_PHONE), "(555) 123-4567");
    EXPECT_EQ(ControlText(page, 2426), "Home Phone");
    EXPECT_FALSE(user.m_bDirty);

    // An address starting with a digit is refused: the focus goes to it and nothing is written.
    SetDlgItemText(page, IDC_USER_EMAIL, "1ann@example.com");
    EXPECT_TRUE(user.m_bDirty);
    sheet.PressButton(PSBTN_APPLYNOW);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "The Email Address is Invalid");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_USER_EMAIL);
    EXPECT_EQ(Text("SELECT EmailAddress FROM tCustomerMain"), "ann@example.com");
    EXPECT_EQ(ModifiedCustomers(), 0);

    SetDlgItemText(page, IDC_USER_EMAIL, "ann.lee@mail.example.org");
    SetDlgItemText(page, IDC_USER_FIRST_NAME, std::string(60, 'A').c_str());
    user.m_phone.SetData("5559876543");
    EXPECT_EQ(ControlText(page, IDC_USER_HOME_PHONE), "(555) 987-6543");
    sheet.PressButton(PSBTN_APPLYNOW);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Text("SELECT EmailAddress FROM tCustomerMain"), "ann.lee@mail.example.org");
    EXPECT_EQ(Text("SELECT FirstName FROM tCustomerMain"), std::string(50, 'A'));
    EXPECT_EQ(Text("SELECT HomePhone FROM tCustomerMain"), "5559876543");
    EXPECT_EQ(ModifiedCustomers(), 1);
    EXPECT_TRUE(IsLibraryModified());
    EXPECT_FALSE(user.m_bDirty);
    EXPECT_EQ(ControlText(page, IDC_USER_FIRST_NAME), std::string(50, 'A'));
    sheet.DestroyWindow();
}

TEST_F(AccountPages, OkWithoutChangesWritesNothing)
{
    AddCustomer();
    CUserInfoPage user;
    CBasePropertySheet sheet("Account Management");
    sheet.AddPage(&user);
    ASSERT_TRUE(sheet.Create(&m_owner));
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(ModifiedCustomers(), 0);
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(AccountPages, WithoutARowToBindAnApplyWritesNothing)
{
    // A new library has no ISP row until the device sends one.
    App().m_pMainWnd = &m_owner;
    CISPMainInfoPage isp;
    CUserInfoPage user;
    CBasePropertySheet sheet("Account Management");
    sheet.AddPage(&isp);
    sheet.AddPage(&user);
    ASSERT_TRUE(sheet.Create(&m_owner));
    SetDlgItemText(isp.m_hWnd, IDC_ISP_LOGIN_NAME, "ann");
    EXPECT_TRUE(isp.m_bDirty);
    sheet.PressButton(PSBTN_APPLYNOW);
    EXPECT_FALSE(isp.m_bDirty);
    EXPECT_EQ(ControlText(isp.m_hWnd, IDC_ISP_LOGIN_NAME), "");
    sheet.SetActivePage(&user);
    SetDlgItemText(user.m_hWnd, IDC_USER_CITY, "Eugene");
    sheet.PressButton(PSBTN_APPLYNOW);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tCustomerISPInfo"), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tCustomerMain"), 0);
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
    sheet.DestroyWindow();
    App().m_pMainWnd = nullptr;
}

TEST_F(AccountPages, TheEmailAndNetworkDialogsCloseWithoutWritingWhenNothingIsBound)
{
    CEmailInfoDlg email(&m_owner);
    afxtest::Steps().push_back([](HWND d) {
        SetDlgItemText(d, IDC_EMAIL_LOGIN, "ann");
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(email.DoModal(), IDOK);
    EXPECT_FALSE(email.m_bDirty);

    CISPAdvancedInfoDlg network(&m_owner);
    afxtest::Steps().push_back([&](HWND d) {
        SendDlgItemMessage(d, IDC_ADV_IP_ADDRESS, IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(10, 0, 0, 7)));
        SendDlgItemMessage(d, IDC_ADV_ROUTER, IPM_CLEARADDRESS, 0, 0);
        SetDlgItemText(d, IDC_ADV_PROXY_PORT, "8080");
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(network.DoModal(), IDOK);
    EXPECT_FALSE(network.m_bDirty);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tCustomerISPInfo"), 0);
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
}

TEST(EmailAddresses, FollowTheDevicesRule)
{
    struct Case {
        const char* address;
        bool accepted;
    };
    for (const Case& c : { Case { "", true }, Case { "ann@example.com", true }, Case { "a.b_c@x.y.org", true },
             Case { "1ann@example.com", false }, Case { "ann@example", false }, Case { "ann@example.c", false },
             Case { "a@example.com", false }, Case { "ann lee@example.com", false } })
        EXPECT_EQ(IsAcceptedEmailAddress(c.address), c.accepted) << c.address;
}
