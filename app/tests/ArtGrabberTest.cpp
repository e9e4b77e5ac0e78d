// The cover-art collector against a device whose transfers the test scripts: pictures already in the
// covers folder, pictures fetched once per path, names from the device that must not leave the folder
// or break the statement, failed transfers, and a stop while the worker waits on the window thread.

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <mutex>
#include <thread>

#include "app/CArtGrabber.h"
#include "app/CMainFrame.h"
#include "app/TuneStewardIds.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/base/CodePage.h"
#include "platform/user/TestScreen.h"
#include "sync/QVSyncDevice.h"

namespace {

// A device whose file transfers answer as the test tells: S_OK writes a small picture.
class ScriptedDevice : public QVSyncDevice {
public:
    HRESULT GetDeviceFile(BSTR deviceUri, BSTR localPath) override
    {
        std::lock_guard guard(m_lock);
        m_fetched.push_back(platform::Utf16ToUtf8(deviceUri));
        HRESULT answer = S_OK;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        if (answer == S_OK) {
            FILE* file = platform::OpenFile(platform::Utf16ToUtf8(localPath).c_str(), "wb");
            if (file) {
                std::fputs("jpeg", file);
                std::fclose(file);
            }
        }
        return answer;
    }
    std::vector<std::string> Fetched()
    {
        std::lock_guard guard(m_lock);
        return m_fetched;
    }
    std::deque<HRESULT> m_answers;

private:
    std::mutex m_lock;
    std::vector<std::string> m_fetched;
};

class ArtGrabber : public MusicLibrary {
protected:
    void SetUp() override
    {
        MusicLibrary::SetUp();
        if (HasFatalFailure())
            return;
        m_frame = new CMainFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
        CComObject<ScriptedDevice>* device = nullptr;
        ASSERT_EQ(CComObject<ScriptedDevice>::CreateInstance(&device), S_OK);
        device->AddRef();
        m_device = device;
        // The frame's reference; the test keeps one of its own.
        device->AddRef();
        m_frame->m_pDevice = device;
        ASSERT_TRUE(CreateDirectory(GetCoversPath(), nullptr));
    }
    void TearDown() override
    {
        m_grabber.Reset();
        if (m_frame) {
            m_frame->ReleaseDevice();
            m_frame->DestroyWindow();
        }
        if (m_device)
            m_device->Release();
        App().m_pMainWnd = nullptr;
        MusicLibrary::TearDown();
    }

    void AddAlbum(long id, const std::string& coverPath)
    {
        std::string quoted = coverPath;
        for (std::size_t at = 0; (at = quoted.find('\'', at)) != std::string::npos; at += 2)
            quoted.insert(at, "'");
        ASSERT_TRUE(theLibraryConnection.ExecuteSql(("INSERT INTO tMusicMain (QVCDID, Title, CoverArt, ZUVUdureDaz) VALUES ("
            + std::to_string(id) + ", 'A" + std::to_string(id) + "', 'old', '" + quoted + "')").c_str(), nullptr, 1));
    }
    void WritePicture(const std::string& name, const std::string& bytes)
    {
        std::ofstream(platform::ToNativePath((GetCoversPath() + name.c_str()).GetString()), std::ios::binary) << bytes;
    }
    bool PictureExists(const std::string& name) const
    {
        return GetFileAttributes(GetCoversPath() + name.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::string CoverOf(long id) { return Text("SELECT CoverArt FROM tMusicMain WHERE QVCDID = " + std::to_string(id)); }

    // Serves the worker's messages until its pass has ended by itself.
    void WaitForThePass()
    {
        while (m_grabber.IsRunning()) {
            m_screen.pump();
            std::this_thread::yield();
        }
        m_screen.pump();
    }

    platform::user::TestScreen m_screen { 800, 600 };
    CMainFrame* m_frame { nullptr };
    ScriptedDevice* m_device { nullptr };
    CArtGrabber m_grabber;
};

} // namespace

TEST_F(ArtGrabber, UsesLocalPicturesFetchesMissingOnesOnceAndKeepsDeviceNamesInsideTheCoversFolder)
{
    WritePicture("local.jpg", "jpeg");
    WritePicture("old.jpg", "jpeg");
    WritePicture("empty.jpg", "");
    AddAlbum(1, "vqp://d/Music/Covers/Local.JPG");
    AddAlbum(2, "vqp://d/Music/Covers/shared.jpg");
    AddAlbum(3, "vqp://d/Music/Covers/shared.jpg");
    AddAlbum(4, "vqp://d/Music/Covers/a\"b'c.jpg");
    AddAlbum(5, "vqp://d/Music/Covers/..\\..\\escape.jpg");
    AddAlbum(6, "vqp://d/Music/Covers/..");
    AddAlbum(7, "C:\\pictures\\back.jpg");
    AddAlbum(8, "vqp://d/Music/Covers/" + std::string(300, 'x') + ".jpg");

    ASSERT_TRUE(m_grabber.GrabCoverArt());
    WaitForThePass();

    EXPECT_EQ(CoverOf(1), "Music\\Covers\\Local.JPG") << "matched without regard to case, named as the device writes it";
    EXPECT_EQ(CoverOf(2), "Music\\Covers\\shared.jpg");
    EXPECT_EQ(CoverOf(3), "Music\\Covers\\shared.jpg");
    EXPECT_EQ(CoverOf(4), "Music\\Covers\\a\"b'c.jpg") << "a quote in the name stays part of the text";
    for (long kept : { 5, 6, 7, 8 })
        EXPECT_EQ(CoverOf(kept), "old") << kept;
    EXPECT_EQ(m_device->Fetched(),
        (std::vector<std::string> { "vqp://d/Music/Covers/a\"b'c.jpg", "vqp://d/Music/Covers/shared.jpg" }));
    EXPECT_FALSE(PictureExists("old.jpg")) << "no album names it";
    EXPECT_TRUE(PictureExists("empty.jpg")) << "an empty file is not a picture";
    EXPECT_FALSE(std::filesystem::exists("escape.jpg"));
    EXPECT_EQ(m_frame->m_pDevice, nullptr) << "a finished pass lets go of the device";
}

TEST_F(ArtGrabber, AFailedTransferKeepsTheOldPictureAndThreeInARowEndThePass)
{
    for (long id = 1; id <= 7; ++id)
        AddAlbum(id, "vqp://d/Music/Covers/p" + std::to_string(id) + ".jpg");
    m_device->m_answers = { S_FALSE, S_FALSE, S_OK, S_FALSE, S_FALSE, S_FALSE, S_OK };

    ASSERT_TRUE(m_grabber.GrabCoverArt());
    WaitForThePass();

    EXPECT_EQ(m_device->Fetched().size(), 6u) << "the third miss in a row ends the pass";
    EXPECT_EQ(CoverOf(1), "old");
    EXPECT_EQ(CoverOf(2), "old");
    EXPECT_EQ(CoverOf(3), "Music\\Covers\\p3.jpg");
    for (long id = 4; id <= 7; ++id)
        EXPECT_EQ(CoverOf(id), "old") << id;
}

// The worker sends to the frame while the window thread stops it: the stop serves those sends, the
// worker ends by itself, and the device stays with the frame for the synchronisation that stops it.
TEST_F(ArtGrabber, StoppingServesTheWorkersMessagesAndLeavesTheDeviceWithTheFrame)
{
    for (long id = 1; id <= 5; ++id)
        AddAlbum(id, "vqp://d/Music/Covers/s" + std::to_string(id) + ".jpg");
    ASSERT_TRUE(m_grabber.GrabCoverArt());
    EXPECT_TRUE(m_grabber.Cancel());
    EXPECT_FALSE(m_grabber.IsRunning());
    EXPECT_EQ(m_frame->m_pDevice, m_device);
    EXPECT_LE(m_device->Fetched().size(), 1u) << "the worker stops after the album at hand";
}

TEST_F(ArtGrabber, WithoutADeviceOrAlbumsNothingStarts)
{
    EXPECT_FALSE(m_grabber.GrabCoverArt()) << "no albums";
    m_frame->ReleaseDevice();
    AddAlbum(1, "vqp://d/Music/Covers/p.jpg");
    EXPECT_FALSE(m_grabber.GrabCoverArt()) << "no device";
    EXPECT_FALSE(m_grabber.IsRunning());
}
