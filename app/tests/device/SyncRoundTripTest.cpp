// The program's synchronisation end to end, as the Synchronize command runs it, against an emulated
// device on this machine: a library filled by the import, sent to the device and rebuilt from it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "app/CMainFrame.h"
#include "app/DeviceConnection.h"
#include "app/TuneStewardIds.h"
#include "app/tests/device/EmulatorStart.h"
#include "app/SyncRun.h"
#include "app/tests/device/FileFingerprints.h"
#include "library/AppRoutines.h"
#include "library/GroupEdits.h"
#include "library/MusicImport.h"
#include "library/PlaylistEdits.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/base/Modules.h"
#include "platform/cddb/tests/Mp3Fixtures.h"
#include "platform/user/TestScreen.h"
#include "platform/xml/MsXml.h"
#include "sync/Lumasync.h"
#include "sync/tests/device/DoneSink.h"
#include "tools/device-emulator/DeviceEmulator.h"
#include "tools/device-emulator/DeviceLibrary.h"

using namespace std::chrono_literals;
using fingerprints::Bytes;
using fingerprints::FileContents;
using fingerprints::Fingerprint;

namespace {

HRESULT RegisterComponent()
{
    const HMODULE module = LoadLibrary("Lumasync.dll");
    if (!module)
        return E_FAIL;
    auto entry = platform::ProcCast<HRESULT (*)()>(GetProcAddress(module, "DllRegisterServer"));
    const HRESULT hr = entry ? entry() : E_NOTIMPL;
    FreeLibrary(module);
    return hr;
}

class SyncRoundTrip : public MusicLibrary {
protected:
    void SetUp() override
    {
        MusicLibrary::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(platform::EnsureXmlRegistered(), S_OK);
        ASSERT_EQ(RegisterComponent(), S_OK);
        App().m_strAddress = "127.0.0.1";
        App().m_bCopyMusicFiles = TRUE;
        std::string error;
        ASSERT_TRUE(StartEmulator(m_emulator, error)) << error;
    }
    void TearDown() override
    {
        if (m_device) {
            m_device->Release();
            m_device = nullptr;
        }
        m_emulator.Stop();
        MusicLibrary::TearDown();
    }

    // Tagged MP3 files in albums of five, imported as the import command does; their fingerprints.
    std::multiset<std::string> ImportFiles(int count)
    {
        std::multiset<std::string> files;
        for (int i = 0; i < count; ++i) {
            const std::string name = "song" + std::to_string(i) + ".mp3";
            const std::string path = mp3fixtures::MakeMp3(name,
                "--tt 'Song " + std::to_string(i) + "' --ta 'Artist " + std::to_string(i / 5) + "' --tl 'Album "
                    + std::to_string(i / 5) + "' --tn " + std::to_string(i % 5 + 1));
            EXPECT_EQ(ImportFile(m_host, Here(name).c_str(), kAlbumFromTags), 1) << name;
            files.insert(Fingerprint(Bytes(path)));
        }
        return files;
    }

    // The Synchronize command's work without its window: connect when no device is held, send the
    // flagged changes, rebuild from the device, swap; then the library is open again. False when the
    // run failed or the device did not finish within the limit: the run is then stopped as the Stop
    // button does, and the device let go.
    bool Synchronise(std::chrono::seconds limit = 120s)
    {
        if (!m_device && ConnectLibraryDevice(&m_device) != kDeviceConnected)
            return false;
        bool swapped = false;
        {
            SyncRun run(m_device);
            m_sink.Reset();
            EXPECT_TRUE(run.Advise(&m_sink));
            SyncRun::Step step = run.SendChanges();
            if (step.next == SyncRun::Next::WaitForDevice)
                step.next = m_sink.WaitDone(limit) ? SyncRun::Next::Rebuild : SyncRun::Next::End;
            if (step.next == SyncRun::Next::Rebuild) {
                m_sink.Reset();
                step = run.StartRebuild();
                if (step.next == SyncRun::Next::WaitForDevice && m_sink.WaitDone(limit)) {
                    UINT message = 0;
                    swapped = run.SwapDatabase(&message);
                }
            }
            if (!swapped)
                m_device->CancelSync();
        }
        if (!swapped) {
            m_device->Release();
            m_device = nullptr;
        }
        EXPECT_TRUE(theLibraryConnection.OpenDatabase(GetDatabasePath()));
        return swapped;
    }

    std::multiset<std::string> DeviceMusicFiles() const { return FileContents(m_emulator.Options().folder, ".mp3"); }
    size_t OnDevice(emulator::ItemKind kind) { return m_emulator.Library().Count(kind); }

    DoneSink m_sink;
    emulator::DeviceEmulator m_emulator { emulator::EmulatorOptions {} };
    IQVClientDevice* m_device { nullptr };
};

} // namespace

TEST_F(SyncRoundTrip, TheLibraryGoesToTheDeviceAndComesBackWithTheDevicesChanges)
{
    const std::multiset<std::string> files = ImportFiles(20);
    long playlist = 0;
    ASSERT_TRUE(AddPlaylist("Evening", &playlist));
    for (long track : { 1, 6, 11 })
        ASSERT_TRUE(AddTrackToPlaylist(playlist, Number("SELECT AlbumTrackID FROM tMusicTracks WHERE TrackTitle = 'Song "
            + std::to_string(track) + "'")));
    long group = 0;
    ASSERT_TRUE(AddGroup("Late Night", &group));
    ASSERT_TRUE(AddToGroup(group, 0, Number("SELECT QVCDID FROM tMusicMain WHERE Title = 'Album 2'"), 0));
    // Radio is not supported, so the station stays on this side.
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(
        "INSERT INTO tIRadioMain (Station, URL, ModifyFlag) VALUES ('City Talk', 'http://radio.example/city', True)",
        nullptr, 1));
    SetLibraryModified(true);

    ASSERT_TRUE(Synchronise());
    EXPECT_EQ(OnDevice(emulator::ItemKind::Mp3Album), 4u);
    EXPECT_EQ(OnDevice(emulator::ItemKind::Playlist), 1u);
    EXPECT_EQ(OnDevice(emulator::ItemKind::MusicGroup), 1u);
    EXPECT_EQ(OnDevice(emulator::ItemKind::Station), 0u);
    EXPECT_EQ(DeviceMusicFiles(), files) << "every file arrives byte for byte";
    // The rebuilt library is the device's, with nothing left flagged and no working file beside it.
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 20);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylistTracks"), 3);
    EXPECT_EQ(Text("SELECT GroupName FROM tGroup"), "Late Night");
    EXPECT_FALSE(_ADOConnectionHelper::HasPendingChanges());
    EXPECT_FALSE(IsLibraryModified());
    for (const char* left : { "copyDB.mdb", "CompactDB.mdb", "BackupDB.mdb" })
        EXPECT_EQ(GetFileAttributes(GetLibraryRoot() + "Database\\" + left), INVALID_FILE_ATTRIBUTES) << left;

    // Changed on the device: the playlist renamed, one album removed.
    for (const emulator::LibraryItem& item : m_emulator.Library().Items()) {
        if (item.kind == emulator::ItemKind::Playlist) {
            std::string document = item.document;
            document.replace(document.find("Evening"), 7, "Late Evening");
            emulator::DocumentFacts facts { item.kind, item.path, item.primaryKey, "Late Evening", item.groups, item.identifier };
            ASSERT_TRUE(m_emulator.Library().Change(item.path, facts, document));
        }
        if (item.kind == emulator::ItemKind::Mp3Album && item.secondaryKey == "Album 3") {
            ASSERT_TRUE(m_emulator.Library().Remove(item.path));
        }
    }
    ASSERT_TRUE(Synchronise());
    EXPECT_EQ(Text("SELECT PlaylistName FROM tPlaylists"), "Late Evening");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain"), 3);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 15);
}

// A tenth of the device's requests lost or late: the run either completes with everything on both
// sides, or fails cleanly with the library whole, no working file left and the device let go.
TEST_F(SyncRoundTrip, AnUnreliableNetworkEndsWithTheLibraryCompleteOrAsItWas)
{
    // Fewer files than above: every lost request may cost the run seconds of waiting.
    const std::multiset<std::string> files = ImportFiles(8);
    long playlist = 0;
    ASSERT_TRUE(AddPlaylist("Evening", &playlist));
    ASSERT_TRUE(AddTrackToPlaylist(playlist, Number("SELECT MIN(AlbumTrackID) FROM tMusicTracks")));
    SetLibraryModified(true);
    m_emulator.Rules().Disturb(10, 300ms, 7);

    // A user who waited this long presses Stop.
    const bool completed = Synchronise(10s);
    m_emulator.Rules().Disturb(0, 0ms, 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 8);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylistTracks"), 1);
    for (const char* left : { "copyDB.mdb", "CompactDB.mdb", "BackupDB.mdb" })
        EXPECT_EQ(GetFileAttributes(GetLibraryRoot() + "Database\\" + left), INVALID_FILE_ATTRIBUTES) << left;
    if (completed) {
        EXPECT_EQ(DeviceMusicFiles(), files);
        EXPECT_FALSE(IsLibraryModified());
    } else {
        EXPECT_EQ(m_device, nullptr);
        EXPECT_TRUE(IsLibraryModified());
        // What did not arrive goes with the next run on a sound network.
        EXPECT_TRUE(Synchronise());
        EXPECT_EQ(DeviceMusicFiles(), files);
    }
}

// The Synchronize command as the user gives it: the progress dialog runs both phases on the window
// thread while the component's events arrive on its own, and ends by itself once the swap is done.
TEST_F(SyncRoundTrip, TheSynchronizeCommandRunsThroughItsProgressDialog)
{
    platform::user::TestScreen screen { 1024, 768 };
    // The device and the component keep real time; a clock moved by hand would stall their waits.
    platform::ScopedClock realTime { std::make_shared<platform::SystemClock>() };
    auto* frame = new CMainFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    App().m_pMainWnd = frame;
    std::multiset<std::string> files;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "dialog" + std::to_string(i) + ".mp3";
        files.insert(Fingerprint(Bytes(mp3fixtures::MakeMp3(name, "--tt 'Take " + std::to_string(i) + "' --tl 'Live' --ta 'Band'"))));
        ASSERT_EQ(ImportFile(m_host, Here(name).c_str(), kAlbumFromTags), 1);
    }
    SetLibraryModified(true);

    frame->SendMessage(WM_COMMAND, ID_FILE_SYNCHRONIZE_LIBRARY);
    EXPECT_EQ(DeviceMusicFiles(), files);
    EXPECT_TRUE(IsLibraryOpen());
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 3);
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_FALSE(frame->m_bSyncRunning);
    EXPECT_NE(frame->m_pDevice, nullptr) << "the device stays with the frame after a completed run";
    EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? "" : Boxes().front());
    frame->ReleaseDevice();
    frame->DestroyWindow();
    App().m_pMainWnd = nullptr;
}

// The device goes away while the files travel: the run fails within the user's patience, the library
// keeps every track and its unsent changes, no working file is left and the device is let go.
TEST_F(SyncRoundTrip, ADeviceThatVanishesMidRunLeavesTheLibraryAsItWas)
{
    ImportFiles(5);
    SetLibraryModified(true);
    std::atomic<bool> vanished { false };
    std::thread unplug([this, &vanished] {
        const auto until = std::chrono::steady_clock::now() + 60s;
        while (std::chrono::steady_clock::now() < until) {
            const auto received = m_emulator.Rules().Received();
            if (const auto opened = received.find("File.open"); opened != received.end() && opened->second >= 2) {
                m_emulator.Stop();
                vanished = true;
                return;
            }
            std::this_thread::sleep_for(5ms);
        }
    });
    const bool completed = Synchronise(10s);
    unplug.join();
    ASSERT_TRUE(vanished) << "the run ended before the device could go";
    EXPECT_FALSE(completed);
    EXPECT_EQ(m_device, nullptr);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 5);
    EXPECT_TRUE(_ADOConnectionHelper::HasPendingChanges()) << "what was not sent stays flagged";
    EXPECT_TRUE(IsLibraryModified());
    for (const char* left : { "copyDB.mdb", "CompactDB.mdb", "BackupDB.mdb" })
        EXPECT_EQ(GetFileAttributes(GetLibraryRoot() + "Database\\" + left), INVALID_FILE_ATTRIBUTES) << left;
}
