// The network settings of the customer's connection as typed into the address controls: a partly
// typed address and a cleared one reach the library whole or not at all.
#include "app/CISPAdvancedInfoDlg.h"
#include "app/TuneStewardIds.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/AppRoutines.h"
#include "platform/comctl/CommCtrl.h"

namespace {

class NetworkSettings : public LibraryPageFixture { };

// Types into an address control as a person would, field by field.
void TypeAddress(HWND dialog, int id, const char* text)
{
    HWND control = GetDlgItem(dialog, id);
    SendMessage(control, IPM_CLEARADDRESS, 0, 0);
    for (const char* c = text; *c; ++c)
        SendMessage(control, WM_CHAR, static_cast<WPARAM>(*c), 0);
}

} // namespace

TEST_F(NetworkSettings, AddressesWithBlankFieldsAreStoredAsWholeAddressesAndClearedOnesAsNothing)
{
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(
        "INSERT INTO tCustomerISPInfo (ISPName, IPAddress, RouterAddress, DeleteFlag) VALUES ('isp', '192.168.1.20', '192.168.1.1', False)",
        nullptr, adCmdText));
    SetLibraryModified(false);
    CISPAdvancedInfoDlg dialog(&m_owner);
    std::string shown;
    afxtest::Steps().push_back([&](HWND d) {
        shown = ControlText(d, IDC_ADV_IP_ADDRESS);
        // The last two fields left blank; the router cleared.
        TypeAddress(d, IDC_ADV_IP_ADDRESS, "10.7");
        TypeAddress(d, IDC_ADV_ROUTER, "");
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, "192.168.1.20");
    EXPECT_EQ(Text("SELECT IPAddress FROM tCustomerISPInfo"), "10.7.0.0");
    EXPECT_EQ(Text("SELECT RouterAddress FROM tCustomerISPInfo"), "");
    EXPECT_TRUE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
}
