// The library chooser against an emulated device found by discovery: the offer (the local library
// beside the device, each with its own saved password) and OK on the local library.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "app/CClientAddressDlg.h"
#include "app/CMainFrame.h"
#include "app/LibraryOpening.h"
#include "app/TuneStewardIds.h"
#include "app/tests/device/EmulatorStart.h"
#include "library/CDes.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/NewLibrary.h"
#include "library/tests/support/TestFolder.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/base/FileApi.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/user/TestScreen.h"
#include "platform/xml/MsXml.h"
#include "tools/device-emulator/DeviceEmulator.h"

using namespace std::chrono_literals;

namespace {

constexpr const char* kDeviceKey = "Aldercrest\\EMU-0001";

// A main frame that plays the test's steps whenever the chooser's modal loop runs dry.
using ChooserFrame = afxtest::StepsOwner<CMainFrame>;

std::string ItemText(HWND dialog, int item)
{
    char text[256] {};
    SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ControlText(HWND dialog, int id)
{
    char text[256] {};
    GetDlgItemText(dialog, id, text, sizeof(text));
    return text;
}

void Select(HWND dialog, int item)
{
    SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_CLIENT_DEVICES, CBN_SELCHANGE),
        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CLIENT_DEVICES)));
}

CString DeviceKeyOf(const std::string& deviceName) { return CString("Aldercrest\\") + deviceName.c_str(); }

void Press(HWND dialog, int button) { SendMessage(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

class LibraryChooser : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        // The component reads the device's answers with the XML parser.
        ASSERT_EQ(platform::EnsureXmlRegistered(), S_OK);
        const HMODULE component = LoadLibrary("Lumasync.dll");
        ASSERT_NE(component, nullptr);
        auto registerServer = platform::ProcCast<HRESULT (*)()>(GetProcAddress(component, "DllRegisterServer"));
        ASSERT_EQ(registerServer ? registerServer() : E_FAIL, S_OK);
        FreeLibrary(component);

        // A folder of the test's own: the libraries are made below the current folder.
        m_previousFolder = std::filesystem::current_path();
        const std::filesystem::path own
            = m_previousFolder / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(own);
        std::filesystem::current_path(own);
        DeleteRegistryKey(kDeviceKey);
        // Discovery asks this machine only; "t" switches the list on as "T" does.
        App().WriteProfileString("Settings", "CustomBroadcastMask", "t");
        App().WriteProfileString("Settings", "CustomBroadcastMaskList", "127.0.0.1");
        App().WriteProfileString("Settings", "LastDevice", nullptr);

        std::string error;
        ASSERT_TRUE(StartEmulator(m_emulator, error)) << error;

        m_frame = new ChooserFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
        afxtest::Steps().clear();
    }
    void TearDown() override
    {
        afxtest::Steps().clear();
        if (m_frame) {
            m_frame->ReleaseDevice();
            m_frame->DestroyWindow();
        }
        App().m_pMainWnd = nullptr;
        m_emulator.Stop();
        DeleteRegistryKey(kDeviceKey);
        std::filesystem::current_path(m_previousFolder);
        AppFixture::TearDown();
    }

    // The local sample library's file in the current data-source folder.
    std::string MakeLocalLibrary()
    {
        App().m_strDeviceName = "DivideDuzereDud";
        const std::string path = GetDatabasePath().GetString();
        App().m_strDeviceName.Empty();
        EXPECT_TRUE(testing_support::MakeNewLibrary(path));
        return path;
    }

    INT_PTR Run() { return m_frame->ChooseLibrary(); }


    // Discovery and the connection wait for the device's answers in real time, and the emulated device
    // paces its messages by the process's clock: a test clock that stands still would leave it waiting
    // for ever, and stopping it would hang. The real clock is in force while the emulator lives.
    // It is put in force after the test screen's standing clock and goes after the emulator.
    platform::user::TestScreen m_screen { 800, 600 };
    platform::ScopedClock m_realTime { std::make_shared<platform::SystemClock>() };
    emulator::DeviceEmulator m_emulator { emulator::EmulatorOptions {} };
    ChooserFrame* m_frame { nullptr };
    MessageBoxRecorder m_boxes;
    std::filesystem::path m_previousFolder;
};

} // namespace

TEST_F(LibraryChooser, EachLibraryShowsItsOwnSavedPasswordAndTheLocalOneOpensWritableAndUpToDate)
{
    const std::string local = MakeLocalLibrary();
    ASSERT_TRUE(SetFileAttributes(local.c_str(), FILE_ATTRIBUTE_READONLY));
    WriteRegistryValue("T", "SaveDevicePassword", kDeviceKey);
    WriteRegistryValue(CDes::Encode("se\"cret"), "DeviceToken", kDeviceKey);
    // Sorted, the device comes first; the setting picks the local library, whatever its letter case.
    App().WriteProfileString("Settings", "LastDevice", "LOCAL library");

    afxtest::Steps().push_back([](HWND dialog) {
        char caption[128] {};
        GetWindowText(dialog, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Specify Library To Open");
        ASSERT_EQ(SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(ItemText(dialog, 0), "Emulated Music Server");
        EXPECT_EQ(ItemText(dialog, 1), "Local Library");
        EXPECT_EQ(SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETCURSEL, 0, 0), 1);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));

        Select(dialog, 0);
        EXPECT_EQ(ControlText(dialog, IDC_CLIENT_PASSWORD), "se\"cret");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CLIENT_SAVE_PASSWORD), BST_CHECKED);
        // The next library has no saved password: it must not carry the device's.
        Select(dialog, 1);
        EXPECT_EQ(ControlText(dialog, IDC_CLIENT_PASSWORD), "");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CLIENT_SAVE_PASSWORD), BST_UNCHECKED);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_TRUE(App().m_bLocalLibrary);
    EXPECT_EQ(std::string(App().m_strDescription.GetString()), "Local Library");
    EXPECT_EQ(std::string(App().m_strDeviceName.GetString()), "DivideDuzereDud");
    EXPECT_EQ(GetFileAttributes(local.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(m_frame->m_pDevice, nullptr);
    EXPECT_TRUE(m_boxes.Texts().empty()) << m_boxes.Texts()[0];
    // The device's saved password is untouched by choosing another library.
    EXPECT_EQ(std::string(CDes::Decode(ReadRegistryValue("DeviceToken", kDeviceKey)).GetString()), "se\"cret");
}

TEST_F(LibraryChooser, ADeviceMetForTheFirstTimeGetsItsFoldersAndLibraryThenIsConnected)
{
    afxtest::Steps().push_back([](HWND dialog) {
        ASSERT_EQ(SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(ItemText(dialog, 0), "Emulated Music Server");
        Press(dialog, IDOK);
    });
    ASSERT_EQ(Run(), IDOK);
    EXPECT_FALSE(App().m_bLocalLibrary);
    EXPECT_EQ(std::string(App().m_strDeviceName.GetString()), "EMU-0001");
    EXPECT_NE(m_frame->m_pDevice, nullptr);
    EXPECT_TRUE(m_boxes.Texts().empty()) << m_boxes.Texts()[0];

    // The current folder, with its trailing backslash, is where this device's libraries live from now on.
    const std::string dataSource = ReadRegistryValue("DataSource", kDeviceKey).GetString();
    EXPECT_EQ(dataSource, App().m_strDataSource.GetString());
    EXPECT_EQ(dataSource.back(), '\\');
    const CString root = GetLibraryRoot();
    for (const char* folder : { "Database", "Radio\\Radios", "Radio\\Covers", "Music\\CDs", "Music\\Covers",
             "Music\\MP3s", "Music\\Playlists" }) {
        const DWORD attributes = GetFileAttributes(root + folder);
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << folder;
    }
    // A whole library: the program-wide connection opens it and finds its lookup rows.
    ASSERT_TRUE(theLibraryConnection.OpenDatabase(GetDatabasePath()));
    LoadGenreTable();
    EXPECT_GT(App().m_genres.GetSize(), 0);
    theLibraryConnection.Close();
}

TEST_F(LibraryChooser, OkOnAnEmptyListTakesNoEntryAndReportsTheDeviceItCannotOpen)
{
    // No device answers and no local library exists.
    m_emulator.Stop();
    afxtest::Steps().push_back([](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETCOUNT, 0, 0), 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_FALSE(App().m_bLocalLibrary);
    EXPECT_EQ(std::string(App().m_strMaker.GetString()), "Aldercrest");
    EXPECT_EQ(std::string(App().m_strPassword.GetString()), "BlankEntry");
    EXPECT_EQ(m_frame->m_pDevice, nullptr);
    ASSERT_FALSE(m_boxes.Texts().empty());
    EXPECT_EQ(m_boxes.Texts().back(), "Could not connect to the client device!\nFailed to open requested device.");
}

// Open Library end to end, the chooser included: each bad library shows its message and leaves no library
// open and its file as it was.
TEST_F(LibraryChooser, OpenLibraryOpensAReadOnlyLocalLibraryAskingAtMostOnce)
{
    const std::string local = MakeLocalLibrary();
    ASSERT_TRUE(SetFileAttributes(local.c_str(), FILE_ATTRIBUTE_READONLY));
    App().WriteProfileString("Settings", "LastDevice", "Local Library");
    afxtest::Steps().push_back([](HWND dialog) { Press(dialog, IDOK); });
    int questions = 0;
    const platform::MessageBoxPresenter previous
        = platform::SetMessageBoxPresenter([&questions](const std::string& text, const std::string&, UINT) {
              if (text.find("needs to be writable") != std::string::npos)
                  ++questions;
              return IDYES;
          });
    const bool opened = m_frame->OpenLibrary();
    platform::SetMessageBoxPresenter(previous);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(IsLibraryOpen());
    EXPECT_LE(questions, 1);
    EXPECT_EQ(GetFileAttributes(local.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    theLibraryConnection.Close();
    App().m_artGrabber.Reset();
}

TEST_F(LibraryChooser, OpenLibraryOnADeviceThatAnswersNothingShowsTheMessageAndOpensNoLibrary)
{
    afxtest::Steps().push_back([this](HWND dialog) {
        ASSERT_EQ(SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETCOUNT, 0, 0), 1);
        // Found, then silent: the device goes before the user presses OK.
        m_emulator.Stop();
        Press(dialog, IDOK);
    });
    EXPECT_FALSE(m_frame->OpenLibrary());
    EXPECT_FALSE(IsLibraryOpen());
    EXPECT_EQ(m_frame->m_pDevice, nullptr);
    ASSERT_FALSE(m_boxes.Texts().empty());
    EXPECT_EQ(m_boxes.Texts().back(), "Could not connect to the client device!\nFailed to open requested device.");
}

// The file is given by its native path: a program path taken literally would name another file.
TEST_F(LibraryChooser, OpenLibraryOnALocalFileThatIsNoDatabaseShowsTheMessageAndLeavesTheFile)
{
    App().m_strDeviceName = "DivideDuzereDud";
    const std::filesystem::path local = platform::ToNativePath(GetDatabasePath().GetString());
    App().m_strDeviceName.Empty();
    const std::string text = "These are a person's notes, not a library.\n";
    std::filesystem::create_directories(local.parent_path());
    {
        std::ofstream out(local, std::ios::binary);
        out << text;
    }
    App().WriteProfileString("Settings", "LastDevice", "Local Library");
    afxtest::Steps().push_back([](HWND dialog) { Press(dialog, IDOK); });
    EXPECT_FALSE(m_frame->OpenLibrary());
    EXPECT_FALSE(IsLibraryOpen());
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::string> { "Unable to Update Sample Database" });
    std::ifstream in(local, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    EXPECT_TRUE(::IsWindow(m_frame->m_hWnd));
}

// What a device calls itself becomes folder and setting names: quotes, slashes and ".." make no folder
// outside the data-source folder, and a name too long for a folder leaves the chooser open for Cancel.
TEST_F(LibraryChooser, HostileDeviceNamesMakeNothingOutsideTheDataSourceFolder)
{
    m_emulator.Stop();
    const auto listing = [](const std::filesystem::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    };
    struct Case {
        std::string serial;
        INT_PTR result;
    };
    const Case cases[] = {
        { "..\\..\\O'Brien \"Den\"/../x", IDOK },
        { std::string(300, 'n'), IDCANCEL },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial.substr(0, 40));
        const std::set<std::string> outside = listing(m_previousFolder);
        const std::filesystem::path here = std::filesystem::current_path();
        emulator::EmulatorOptions options;
        options.serialNumber = c.serial;
        emulator::DeviceEmulator device(options);
        std::string error;
        bool started = false;
        for (int attempt = 0; attempt < 100 && !(started = device.Start(error)); ++attempt)
            std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(started) << error;
        App().m_strDataSource.Empty();

        afxtest::Steps().push_back([](HWND dialog) {
            ASSERT_EQ(SendDlgItemMessage(dialog, IDC_CLIENT_DEVICES, CB_GETCOUNT, 0, 0), 1);
            Press(dialog, IDOK);
        });
        // Still open after OK: the user gives up.
        afxtest::Steps().push_back([](HWND dialog) { Press(dialog, IDCANCEL); });
        EXPECT_EQ(Run(), c.result);
        afxtest::Steps().clear();
        EXPECT_EQ(std::string(App().m_strDeviceName.GetString()), c.serial);
        if (c.result == IDOK) {
            EXPECT_NE(m_frame->m_pDevice, nullptr);
            const std::filesystem::path library = std::filesystem::weakly_canonical(
                platform::ToNativePath(GetDatabasePath().GetString()));
            EXPECT_TRUE(std::filesystem::exists(library)) << library;
            EXPECT_EQ(library.string().rfind(here.string() + "/", 0), 0u) << library;
        } else {
            EXPECT_EQ(m_frame->m_pDevice, nullptr);
        }
        EXPECT_TRUE(m_boxes.Texts().empty()) << m_boxes.Texts().front();
        EXPECT_EQ(listing(m_previousFolder), outside);
        m_frame->ReleaseDevice();
        device.Stop();
        DeleteRegistryKey(DeviceKeyOf(c.serial));
    }
}
