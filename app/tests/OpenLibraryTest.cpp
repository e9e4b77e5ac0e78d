// The Open Library command after the chooser: a device library is synchronised first and a failure
// lets go of the device the chooser connected; the local sample library's file is checked; a library
// that opens gets its genres and caption.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/CMainFrame.h"
#include "app/TuneStewardIds.h"
#include "library/LibraryLocations.h"
#include "library/_ADOConnectionHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/NewLibrary.h"
#include "library/tests/support/TestFolder.h"
#include "platform/base/Paths.h"
#include "platform/user/TestScreen.h"
#include "sync/QVSyncDevice.h"

namespace {

// A frame whose chooser and synchronisation the test plays.
class ScriptedFrame : public CMainFrame {
public:
    INT_PTR ChooseLibrary() override
    {
        m_pDevice = device;
        if (device)
            device->AddRef();
        return IDOK;
    }
    bool RunSync(bool ask) override
    {
        askedFirst = ask;
        return synchronises;
    }
    IQVClientDevice* device { nullptr };
    bool synchronises { true };
    bool askedFirst { false };
};

class OpenLibraryCommand : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        App().m_strDataSource = (testing_support::CurrentDirectory() + "\\\\").c_str();
        App().m_strMaker = "Aldercrest";
        App().m_strDeviceName = "Den";
        App().m_strDescription = "Den";
        m_frame = new ScriptedFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
        CComObject<QVSyncDevice>* device = nullptr;
        ASSERT_EQ(CComObject<QVSyncDevice>::CreateInstance(&device), S_OK);
        device->AddRef();
        m_device = device;
    }
    void TearDown() override
    {
        theLibraryConnection.Close();
        App().m_artGrabber.Reset();
        m_frame->ReleaseDevice();
        m_frame->DestroyWindow();
        App().m_pMainWnd = nullptr;
        // Only the test's own reference is left: every other holder let go.
        EXPECT_EQ(m_device->Release(), 0u);
        AppFixture::TearDown();
    }

    platform::user::TestScreen m_screen { 800, 600 };
    ScriptedFrame* m_frame { nullptr };
    IQVClientDevice* m_device { nullptr };
    MessageBoxRecorder m_boxes;
};

} // namespace

TEST_F(OpenLibraryCommand, ADeviceLibraryThatCannotBeBroughtUpToDateLetsGoOfItsDevice)
{
    m_frame->device = m_device;
    m_frame->synchronises = false;
    EXPECT_FALSE(m_frame->OpenLibrary());
    EXPECT_TRUE(m_frame->askedFirst) << "unsent changes are asked about";
    EXPECT_EQ(m_frame->m_pDevice, nullptr);

    // Synchronised, but the device left no library file behind.
    m_frame->synchronises = true;
    EXPECT_FALSE(m_frame->OpenLibrary());
    EXPECT_EQ(m_frame->m_pDevice, nullptr);
    EXPECT_FALSE(IsLibraryOpen());
}

TEST_F(OpenLibraryCommand, TheLocalLibraryOpensWithItsGenresAndCaptionOnlyWhenItsFileExists)
{
    App().m_bLocalLibrary = TRUE;
    App().m_strDeviceName = "Local Library";
    App().m_strDescription = "Local Library";
    EXPECT_FALSE(m_frame->OpenLibrary());
    ASSERT_EQ(m_boxes.Texts().size(), 1u);
    EXPECT_NE(m_boxes.Texts()[0].find("doesn't exist!"), std::string::npos) << m_boxes.Texts()[0];

    ASSERT_TRUE(testing_support::MakeNewLibrary(GetDatabasePath().GetString()));
    EXPECT_TRUE(m_frame->OpenLibrary());
    EXPECT_TRUE(IsLibraryOpen());
    EXPECT_GT(App().m_genres.GetSize(), 0);
    CString caption;
    m_frame->GetWindowText(caption);
    EXPECT_EQ(std::string(caption.GetString()), "Aldercrest Tune Steward(Local Library )");
}

TEST_F(OpenLibraryCommand, ALocalLibraryFileThatIsNoDatabaseIsReportedAndLeftAsItWas)
{
    App().m_bLocalLibrary = TRUE;
    App().m_strDeviceName = "Local Library";
    App().m_strDescription = "Local Library";
    const std::filesystem::path path = platform::ToNativePath(GetDatabasePath().GetString());
    const std::string text = "These are a person's notes, not a library.\n";
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    EXPECT_FALSE(m_frame->OpenLibrary());
    EXPECT_FALSE(IsLibraryOpen());
    ASSERT_FALSE(m_boxes.Texts().empty()) << "the failure is shown";
    EXPECT_NE(m_boxes.Texts()[0].find("Run-time error"), std::string::npos) << m_boxes.Texts()[0];
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    CString caption;
    m_frame->GetWindowText(caption);
    EXPECT_EQ(std::string(caption.GetString()).find("Local Library"), std::string::npos) << caption.GetString();
}
