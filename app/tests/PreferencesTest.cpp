// The preferences pages: nothing written without changes, settings that survive a restart of the
// application, the list's columns, and the discovery masks and device name.
#include <map>
#include <string>

#include "app/CBasePropertySheet.h"
#include "app/CConfirmationSettingsPage.h"
#include "app/CDiscoveryPage.h"
#include "app/CLayoutPage.h"
#include "app/CMusicPage.h"
#include "app/CPromptsPage.h"
#include "app/ListColumnHost.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CDataExchange.h"
#include "platform/afx/CWinApp.h"
#include "platform/comctl/CommCtrl.h"

namespace {

// A record list that knows two of the optional columns.
class FakeColumns : public ListColumnHost {
public:
    bool HasColumn(const char* field) const override { return m_visible.count(field) != 0; }
    bool IsColumnVisible(const char* field) const override { return m_visible.at(field); }
    void SetColumnVisible(const char* field, bool visible) override { m_visible[field] = visible; }
    void ReloadView() override { ++m_reloads; }

    std::map<std::string, bool> m_visible { { "Language", true }, { "TrackNumber", true } };
    int m_reloads { 0 };
};

class Preferences : public LibraryPageFixture {
protected:
    void SetUp() override
    {
        LibraryPageFixture::SetUp();
        App().m_strMaker = "Aldercrest";
        App().m_strDeviceName = "Den";
        App().m_strDescription = "Den";
        App().LoadSettings();
        m_sheet.AddPage(&m_layout);
        m_sheet.AddPage(&m_music);
        m_sheet.AddPage(&m_prompts);
        m_sheet.AddPage(&m_confirmations);
        m_sheet.AddPage(&m_discovery);
        ASSERT_TRUE(m_sheet.Create(&m_owner));
        // Every page is made, as if the user had looked at each.
        for (int page = m_sheet.GetPageCount() - 1; page >= 0; --page)
            m_sheet.SetActivePage(page);
    }
    void TearDown() override
    {
        if (m_sheet.m_hWnd)
            m_sheet.DestroyWindow();
        LibraryPageFixture::TearDown();
    }
    static void Click(CWnd& page, int id) { page.SendDlgItemMessage(id, BM_CLICK); }
    static std::string Setting(const char* name) { return ReadRegistryValue(name, "Settings").GetString(); }
    static std::string GridView(const char* name) { return ReadRegistryValue(name, "GridViews").GetString(); }

    FakeColumns m_columns;
    CBasePropertySheet m_sheet { "Preferences" };
    CLayoutPage m_layout { &m_columns };
    CMusicPage m_music;
    CPromptsPage m_prompts;
    CConfirmationSettingsPage m_confirmations;
    CDiscoveryPage m_discovery;
};

} // namespace

TEST_F(Preferences, OkWithoutChangesWritesNothing)
{
    EXPECT_EQ(m_layout.IsDlgButtonChecked(IDC_LAYOUT_LANGUAGE), BST_CHECKED);
    EXPECT_FALSE(m_layout.GetDlgItem(IDC_LAYOUT_BANDWIDTH)->IsWindowVisible());
    m_sheet.PressButton(PSBTN_OK);
    for (const char* name : { "SaveWindowSettings", "UseCDDBControl", "SyncDialogOnExit", "CustomBroadcastMask" })
        EXPECT_EQ(Setting(name), "") << name;
    EXPECT_EQ(GridView("Language"), "");
    EXPECT_EQ(GridView("Path"), "");
    EXPECT_EQ(ReadRegistryValue("ConfirmDeleteTrack", "ConfirmationFlags"), "");
    EXPECT_EQ(m_columns.m_reloads, 0);
}

TEST_F(Preferences, ChangedSettingsAreReadBackAfterARestart)
{
    ASSERT_TRUE(App().m_bSaveWindowSettings);
    ASSERT_FALSE(App().m_bUseCDDBControl);
    Click(m_layout, IDC_LAYOUT_SAVE_WINDOW);
    Click(m_music, IDC_MUSIC_USE_CDDB);
    Click(m_prompts, IDC_PROMPT_SYNC_ON_EXIT);
    const BOOL confirmTrack = App().m_bConfirmDelete[CPelicanApp::ConfirmTrack];
    Click(m_confirmations, IDC_CONFIRM_TRACK);
    EXPECT_TRUE(m_layout.m_bDirty && m_music.m_bDirty && m_prompts.m_bDirty);
    m_sheet.PressButton(PSBTN_OK);
    EXPECT_FALSE(App().m_bSaveWindowSettings);
    EXPECT_TRUE(App().m_bUseCDDBControl);

    m_app.reset();
    m_app.emplace();
    App().SetRegistryKey("Corvane");
    App().LoadSettings();
    EXPECT_FALSE(App().m_bSaveWindowSettings);
    EXPECT_TRUE(App().m_bUseCDDBControl);
    EXPECT_FALSE(App().m_bIgnoreMp3Tags);
    EXPECT_FALSE(App().m_bSyncDialogOnExit);
    BOOL confirm = confirmTrack;
    ReadConfirmFlag(&confirm, "ConfirmDeleteTrack", "ConfirmationFlags");
    EXPECT_NE(confirm, confirmTrack);
    EXPECT_EQ(ReadRegistryValue("ConfirmDeleteArtist", "ConfirmationFlags"), "");
}

TEST_F(Preferences, HidingAColumnWritesItAndRebuildsTheList)
{
    Click(m_layout, IDC_LAYOUT_LANGUAGE);
    m_sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(GridView("Language"), "F");
    EXPECT_FALSE(m_columns.m_visible["Language"]);
    EXPECT_EQ(m_columns.m_reloads, 1);
    // A column whose flag did not change is left alone; one the list has no entry for is written.
    EXPECT_EQ(GridView("TrackNumber"), "");
    EXPECT_EQ(GridView("Path"), "F");
}

TEST_F(Preferences, CustomMasksKeepTheirOrderAndTheDeviceNameNamesTheWindow)
{
    App().m_pMainWnd = &m_owner;
    Click(m_discovery, IDC_DISCOVERY_CUSTOM);
    EXPECT_TRUE(m_discovery.m_bDirty);
    EXPECT_TRUE(m_discovery.GetDlgItem(IDC_DISCOVERY_ADD)->IsWindowEnabled());
    for (const char* mask : { "255.255.255.0", "", "0.0.0.0", "10.0.0.255" }) {
        CString text = mask;
        CDataExchange show(&m_discovery, FALSE);
        DDX_IPAddressText(&show, m_discovery.m_address, text);
        Click(m_discovery, IDC_DISCOVERY_ADD);
    }
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0], "This Broadcast mask is invalid, Please Re-enter it.");
    EXPECT_EQ(m_discovery.m_masks.GetCount(), 2);
    m_discovery.SetDlgItemText(IDC_DISCOVERY_NAME, "Living Room");
    m_sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(Setting("CustomBroadcastMask"), "T");
    EXPECT_EQ(Setting("CustomBroadcastMaskList"), "255.255.255.0,10.0.0.255");
    EXPECT_EQ(ReadRegistryValue("DeviceName", GetLibraryFolderName()), "Living Room");
    EXPECT_STREQ(App().m_strDescription, "Living Room");
    CString caption;
    m_owner.GetWindowText(caption);
    EXPECT_STREQ(caption, "Aldercrest Tune Steward(Living Room )");
    App().m_pMainWnd = nullptr;
}

TEST_F(Preferences, SwitchingToTheDefaultsKeepsTheStoredMasks)
{
    AfxGetApp()->WriteProfileString("Settings", "CustomBroadcastMask", "t");
    AfxGetApp()->WriteProfileString("Settings", "CustomBroadcastMaskList", "192.168.1.255,10.0.0.255");
    CDiscoveryPage discovery;
    CBasePropertySheet sheet("Preferences");
    sheet.AddPage(&discovery);
    ASSERT_TRUE(sheet.Create(&m_owner));
    EXPECT_EQ(discovery.m_masks.GetCount(), 2);
    EXPECT_EQ(discovery.IsDlgButtonChecked(IDC_DISCOVERY_CUSTOM), BST_CHECKED);
    Click(discovery, IDC_DISCOVERY_DEFAULTS);
    EXPECT_FALSE(discovery.GetDlgItem(IDC_DISCOVERY_MASKS)->IsWindowEnabled());
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(Setting("CustomBroadcastMask"), "F");
    EXPECT_EQ(Setting("CustomBroadcastMaskList"), "192.168.1.255,10.0.0.255");
}

TEST(BroadcastMasks, EmptyAndAllZeroAreInvalid)
{
    EXPECT_FALSE(IsValidMask(""));
    EXPECT_FALSE(IsValidMask("0.0.0.0"));
    EXPECT_TRUE(IsValidMask("255.255.255.0"));
}
