// The component end to end against an emulated device on this machine, as the program drives it:
// open the device by its address, run a synchronisation to the device, fetch a file. The component
// talks to the device's router on its fixed port, so these tests hold that port's lock.

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/CodePage.h"
#include "platform/com/ComErrors.h"
#include "sync/DeviceClient.h"
#include "sync/QVSyncConnection.h"
#include "sync/QVSyncDevice.h"
#include "sync/SyncRunState.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/TestLibrary.h"
#include "sync/tests/device/DoneSink.h"
#include "tools/device-emulator/DeviceEmulator.h"
#include "tools/device-emulator/DeviceLibrary.h"
#include "tools/device-emulator/SetupValues.h"

using namespace std::chrono_literals;

namespace {

std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Writes a file of pseudo-random bytes (a music file as far as the device cares); its bytes.
std::string WriteFileOfSize(const std::filesystem::path& path, std::size_t size)
{
    std::filesystem::create_directories(path.parent_path());
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    std::ofstream(path, std::ios::binary) << bytes;
    return bytes;
}

// How many files below the folder hold exactly the bytes.
int FilesHolding(const std::filesystem::path& folder, const std::string& bytes)
{
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.file_size() == bytes.size() && Bytes(entry.path()) == bytes)
            ++count;
    }
    return count;
}

std::string Count(const std::string& library, const std::string& table)
{
    return synctest::Rows(library, "SELECT COUNT(*) FROM " + table).at(0).at(0);
}

class EmulatedDevice : public ::testing::Test {
protected:
    explicit EmulatedDevice(emulator::EmulatorOptions options = {})
        : m_emulator(std::move(options))
    {
    }

    void SetUp() override
    {
        m_library = synctest::MakeLibrary();
        // Another test's process may hold the router's port for a moment; the device starts once it is free.
        std::string error;
        bool started = false;
        for (int attempt = 0; attempt < 100 && !(started = m_emulator.Start(error)); ++attempt)
            std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(started) << error;
        CComObject<QVSyncConnection>* connection = nullptr;
        CComObject<QVSyncConnection>::CreateInstance(&connection);
        m_connection = connection;
    }
    void TearDown() override
    {
        m_device.Release();
        m_connection.Release();
        m_emulator.Stop();
    }

    HRESULT Open()
    {
        VARIANT opened;
        const HRESULT hr = m_connection->OpenDevice(
            CComBSTR(u"127.0.0.1"), nullptr, CComBSTR(platform::Utf8ToUtf16(m_library).c_str()), 1, nullptr, &opened);
        if (SUCCEEDED(hr)) {
            m_device = CComQIPtr<IQVClientDevice>(opened.punkVal);
            VariantClear(&opened);
        }
        return hr;
    }

    // Connects the sink to the device's events for the life of the scope.
    struct Advised {
        CComPtr<IConnectionPoint> point;
        DWORD cookie { 0 };
        Advised(IQVClientDevice* device, IDispatch* sink)
        {
            CComQIPtr<IConnectionPointContainer> container(device);
            container->FindConnectionPoint(platform::IidOf<IQVClientDeviceEvents>(), &point.p);
            EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
        }
        ~Advised() { point->Unadvise(cookie); }
    };

    // Opens the device here, then runs the synchronisation on the component's own threads, as the
    // program does from its window thread; the run's sink events arrive on the component's thread.
    void OpenForRun()
    {
        ASSERT_EQ(Open(), S_OK);
        m_device->put_OEMName(CComBSTR(u"Aldercrest"));
        m_device->put_DeviceName(CComBSTR(u"Den"));
        const std::string music = std::filesystem::current_path().string() + "/Music";
        m_device->put_MusicFolder(CComBSTR(platform::Utf8ToUtf16(music).c_str()));
    }

    // Opens the device, runs to it with the flags on the component's threads and waits for SyncDone.
    void RunToDevice(LONG flags)
    {
        OpenForRun();
        Advised advised(m_device, &m_sink);
        LONG result = 0;
        ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(flags, &result), S_OK);
        ASSERT_TRUE(m_sink.WaitDone());
    }

    // Runs from the opened device with the flags and waits for SyncDone.
    void RunFromDevice(LONG flags)
    {
        m_sink.Reset();
        Advised advised(m_device, &m_sink);
        LONG result = 0;
        ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(flags, &result), S_OK);
        ASSERT_TRUE(m_sink.WaitDone());
    }

    // Waits until the device has dropped the request the run waits on, then cancels the run: no
    // SyncDone comes. The device answers the request again afterwards.
    void CancelOnceDropped(const std::string& request)
    {
        for (int look = 0; look < 6000 && m_emulator.Rules().AppliedCount(request) == 0; ++look)
            std::this_thread::sleep_for(10ms);
        ASSERT_NE(m_emulator.Rules().AppliedCount(request), 0) << request;
        EXPECT_EQ(m_device->CancelSync(), S_OK);
        EXPECT_FALSE(m_sink.Done()) << request;
        m_emulator.Rules().Clear(request);
    }

    // After a cancel the device takes the next run at once (its threads have ended) and completes it.
    void ExpectReadyForTheNextRun()
    {
        m_sink.Reset();
        Advised advised(m_device, &m_sink);
        LONG result = 0;
        ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
        EXPECT_TRUE(m_sink.WaitDone());
    }

    // Sets a framework property of the device client's process (its transfers read them as they start).
    void SetClientProperty(const std::string& key, const std::string& value)
    {
        static_cast<QVSyncDevice*>(m_device.p)->Client()->SetProperty(key, value);
    }
    // An open the device does not acknowledge is given up after one packet's time of a second, rather
    // than after every retry's: the test need not wait that long to see it.
    void GiveUpUnansweredOpensAfterASecond()
    {
        SetClientProperty("VFTP.packetTimeout", "1");
        SetClientProperty("VFTP.maxRetries", "0");
    }

    // A new album of music files in the library, one track per file below "Music".
    void AddLocalAlbum(int id, const std::string& title, const std::vector<std::pair<int, std::string>>& trackFiles)
    {
        synctest::Execute(m_library, "INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD) VALUES (" + std::to_string(id)
                + ", 'Abba', '" + title + "', False)");
        for (const auto& [number, file] : trackFiles)
            synctest::Execute(m_library,
                "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES ("
                    + std::to_string(id * 10 + number) + ", " + std::to_string(id) + ", " + std::to_string(number)
                    + ", '" + file + "', 'Music\\" + file + ".mp3')");
    }

    sync_test::ComApartment m_apartment;
    // Outlives the device, whose event thread may still hold it for a moment after the last event.
    DoneSink m_sink;
    std::string m_library;
    emulator::DeviceEmulator m_emulator;
    CComPtr<IQVClientConnection> m_connection;
    CComPtr<IQVClientDevice> m_device;
};

// A device that acknowledges each file packet a millisecond late: a file of some megabytes then
// takes seconds on the way, longer than the period in which the device object reports progress.
class SlowEmulatedDevice : public EmulatedDevice {
protected:
    SlowEmulatedDevice()
        : EmulatedDevice(Slow())
    {
    }
    static emulator::EmulatorOptions Slow()
    {
        emulator::EmulatorOptions options;
        options.pauseMilliseconds = 1;
        return options;
    }
};

} // namespace

TEST_F(EmulatedDevice, ARunToTheDeviceSendsTheLibrarysNewGroupsAndEndsWithSyncDone)
{
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName, ModifyFlag) VALUES ('Late Night Jazz', True)");
    ASSERT_EQ(Open(), S_OK);
    EXPECT_EQ(SyncRunState::UniqueDeviceName(), emulator::EmulatorOptions {}.udn);
    m_device->put_OEMName(CComBSTR(u"Aldercrest"));
    m_device->put_DeviceName(CComBSTR(u"Den"));

    DoneSink& sink = m_sink;
    CComQIPtr<IConnectionPointContainer> container(m_device.p);
    CComPtr<IConnectionPoint> point;
    container->FindConnectionPoint(platform::IidOf<IQVClientDeviceEvents>(), &point.p);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    // The emulated device lives on the same clock as the component, so the run takes its real time:
    // the steps, then two of the event thread's periods.
    LONG result = 0;
    ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(0, &result), S_OK);
    const bool done = sink.WaitDone();
    point->Unadvise(cookie);
    ASSERT_TRUE(done);
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::MusicGroup), 1u);
}

TEST_F(EmulatedDevice, AFileTheDeviceDoesNotHaveOrNeverOpensLeavesNoLocalFile)
{
    ASSERT_EQ(Open(), S_OK);
    EXPECT_EQ(m_device->GetDeviceFile(CComBSTR(u"vqp://localhost/7.0.5/Music/Covers/none.jpg"), CComBSTR(u"none.jpg")),
        S_FALSE);
    EXPECT_EQ(std::fopen("none.jpg", "rb"), nullptr);

    // A device that never answers the open: the fetch is given up, not waited for without end.
    WriteFileOfSize(std::filesystem::path(m_emulator.Options().folder) / "Music/Covers/a.jpg", 500);
    m_emulator.Rules().Drop("File.open");
    GiveUpUnansweredOpensAfterASecond();
    EXPECT_EQ(m_device->GetDeviceFile(CComBSTR(u"vqp://localhost/7.0.5/Music/Covers/a.jpg"), CComBSTR(u"a.jpg")), S_FALSE);
    EXPECT_NE(m_emulator.Rules().AppliedCount("File.open"), 0);
    EXPECT_EQ(std::fopen("a.jpg", "rb"), nullptr);
}

TEST_F(EmulatedDevice, OpeningAnAddressWhereNoDeviceAnswersFails)
{
    m_emulator.Stop();
    VARIANT opened;
    EXPECT_EQ(m_connection->OpenDevice(CComBSTR(u"127.0.0.1"), nullptr, CComBSTR(u"Provider=x;Data Source=lib.mdb"), 1,
                  nullptr, &opened),
        CONNECT_E_NOCONNECTION);
    EXPECT_EQ(opened.vt, VT_EMPTY);
}

TEST_F(EmulatedDevice, ARunFromTheDeviceFillsTheLibraryWithEverythingTheDeviceHolds)
{
    emulator::AlbumContent album;
    album.artist = "Corrs";
    album.title = "Forgiven";
    album.groups = { "Late Night Jazz" };
    album.tracks = { { 1, "One", 200, 128, "Music/one.mp3", {} }, { 2, "Two", 180, 128, "Music/two.mp3", {} } };
    const std::string albumHref = m_emulator.Library().AddAlbum(album);
    emulator::PlaylistContent playlist;
    playlist.name = "Evening";
    playlist.tracks = { { 1, "One", 200, 128, "Music/one.mp3", albumHref + "#1" } };
    m_emulator.Library().AddPlaylist(playlist);
    m_emulator.Library().AddGroup({ false, "Late Night Jazz", 1, {} });
    m_emulator.Library().AddGroup({ true, "News", 1, {} });
    emulator::StationContent station;
    station.identifier = "77";
    station.name = "City Talk";
    station.url = "http://radio.example/city";
    station.groups = { "News" };
    m_emulator.Library().AddStation(station);
    m_emulator.Setup().Set("Setup.firstName", "Ann");
    m_emulator.Setup().Set("Setup.lastName", "Lee");

    OpenForRun();
    Advised advised(m_device, &m_sink);
    LONG result = 0;
    ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(QVSYNC_ALBUMS_CD | QVSYNC_ALBUMS_FILES | QVSYNC_RADIO
                      | QVSYNC_PLAYLISTS, &result),
        S_OK);
    ASSERT_TRUE(m_sink.WaitDone());

    EXPECT_EQ(synctest::Rows(m_library, "SELECT Title, Artist FROM tMusicMain"),
        (std::vector<std::vector<std::string>> { { "Forgiven", "Corrs" } }));
    EXPECT_EQ(Count(m_library, "tMusicTracks"), "2");
    EXPECT_EQ(Count(m_library, "tPlaylists"), "1");
    EXPECT_EQ(Count(m_library, "tPlaylistTracks"), "1");
    EXPECT_EQ(Count(m_library, "tGroup WHERE GroupName = 'Late Night Jazz'"), "1");
    EXPECT_EQ(Count(m_library, "tIRadioGroup"), "1");
    EXPECT_EQ(Count(m_library, "tIRadioMain"), "1");
    EXPECT_EQ(synctest::Rows(m_library, "SELECT FirstName, LastName FROM tCustomerMain"),
        (std::vector<std::vector<std::string>> { { "Ann", "Lee" } }));
    EXPECT_EQ(synctest::Rows(m_library, "SELECT TrackTitle FROM tMusicTracks ORDER BY TrackNumber"),
        (std::vector<std::vector<std::string>> { { "One" }, { "Two" } }));
}

TEST_F(EmulatedDevice, ARunToTheDeviceUploadsNewAlbumsWithTheirFilesAndKeepsTheirDevicePaths)
{
    const std::string one = WriteFileOfSize("Music/one.mp3", 70000);
    const std::string two = WriteFileOfSize("Music/two.mp3", 3000);
    AddLocalAlbum(1, "Blue", { { 1, "one" }, { 2, "two" } });
    RunToDevice(QVSYNC_ALBUMS_FILES);
    if (HasFatalFailure())
        return;

    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Mp3Album), 1u);
    const std::filesystem::path device = m_emulator.Options().folder;
    EXPECT_EQ(FilesHolding(device, one), 1);
    EXPECT_EQ(FilesHolding(device, two), 1);
    const auto urls = synctest::Rows(m_library, "SELECT REDUZIDedaDora FROM tMusicMain");
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_TRUE(m_emulator.Library().Find(urls[0][0])) << urls[0][0] << " names the album on the device";
    for (const auto& row : synctest::Rows(m_library, "SELECT VUDUradUzaz FROM tMusicTracks"))
        EXPECT_NE(row.at(0), "<null>");
}

TEST_F(SlowEmulatedDevice, ALargeUploadReportsTheFilesProgressOnTheWay)
{
    const std::string big = WriteFileOfSize("Music/big.mp3", 4 * 1024 * 1024);
    AddLocalAlbum(1, "Long", { { 1, "big" } });
    RunToDevice(QVSYNC_ALBUMS_FILES);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(FilesHolding(m_emulator.Options().folder, big), 1);
    EXPECT_TRUE(m_sink.FilePercentSeen());
}

TEST_F(EmulatedDevice, ChangesAndRemovalsMakeTheRoundTripThroughTheDevice)
{
    emulator::AlbumContent blue;
    blue.artist = "Abba";
    blue.title = "Blue";
    blue.tracks = { { 1, "One", 200, 128, "Music/one.mp3", {} } };
    const std::string blueHref = m_emulator.Library().AddAlbum(blue);
    emulator::AlbumContent gone;
    gone.artist = "Cher";
    gone.title = "Gone";
    const std::string goneHref = m_emulator.Library().AddAlbum(gone);
    emulator::PlaylistContent evening;
    evening.name = "Evening";
    evening.tracks = { { 1, "One", 200, 128, "Music/one.mp3", blueHref + "#1" } };
    const std::string eveningHref = m_emulator.Library().AddPlaylist(evening);
    ASSERT_FALSE(blueHref.empty() || goneHref.empty() || eveningHref.empty());

    // What the library holds after an earlier run, then edited here: a track renamed (its album marked
    // changed), a playlist renamed, an album removed.
    synctest::Execute(m_library, "INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD, REDUZIDedaDora, ModifyFlag) "
                                 "VALUES (1, 'Abba', 'Blue', False, '" + blueHref + "', True)");
    synctest::Execute(m_library, "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, VUDUradUzaz) "
                                 "VALUES (11, 1, 1, 'Uno', 'Music/one.mp3')");
    synctest::Execute(m_library, "INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD, REDUZIDedaDora, DeleteFlag) "
                                 "VALUES (2, 'Cher', 'Gone', False, '" + goneHref + "', True)");
    synctest::Execute(m_library, "INSERT INTO tPlaylists (PlaylistID, PlaylistName, REDUZIDedaDora, ModifyFlag) "
                                 "VALUES (1, 'Late Evening', '" + eveningHref + "', True)");
    synctest::Execute(m_library, "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder) VALUES (1, 11, 1)");

    RunToDevice(QVSYNC_ALBUMS_FILES | QVSYNC_PLAYLISTS);
    if (HasFatalFailure())
        return;

    EXPECT_FALSE(m_emulator.Library().Find(goneHref));
    const auto album = m_emulator.Library().Find(blueHref);
    ASSERT_TRUE(album);
    EXPECT_NE(album->document.find("Uno"), std::string::npos) << album->document;
    EXPECT_EQ(album->document.find(">One<"), std::string::npos) << album->document;
    const auto playlist = m_emulator.Library().Find(eveningHref);
    ASSERT_TRUE(playlist);
    EXPECT_EQ(playlist->secondaryKey, "Late Evening");
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Mp3Album), 1u);
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Playlist), 1u);

    // And back, as the program rebuilds its library from the device after sending its changes.
    for (const char* table : { "tPlaylistTracks", "tPlaylists", "tMusicTracks", "tMusicMain" })
        synctest::Execute(m_library, std::string("DELETE FROM ") + table);
    RunFromDevice(QVSYNC_ALBUMS_FILES | QVSYNC_PLAYLISTS);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(synctest::Rows(m_library, "SELECT Title FROM tMusicMain"), (std::vector<std::vector<std::string>> { { "Blue" } }));
    EXPECT_EQ(synctest::Rows(m_library, "SELECT TrackTitle FROM tMusicTracks"),
        (std::vector<std::vector<std::string>> { { "Uno" } }));
    EXPECT_EQ(synctest::Rows(m_library, "SELECT PlaylistName FROM tPlaylists"),
        (std::vector<std::vector<std::string>> { { "Late Evening" } }));
}

// A playlist made here without tracks yet: the device gets it as an empty list, and the library
// rebuilt from the device still has it.
TEST_F(EmulatedDevice, AnEmptyNewPlaylistReachesTheDeviceAndSurvivesTheRebuild)
{
    synctest::Execute(m_library, "INSERT INTO tPlaylists (PlaylistID, PlaylistName) VALUES (1, 'Someday')");

    RunToDevice(QVSYNC_PLAYLISTS);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Playlist), 1u);

    // As the program rebuilds its library: the albums and the playlists on them.
    synctest::Execute(m_library, "DELETE FROM tPlaylists");
    RunFromDevice(QVSYNC_ALBUMS_FILES | QVSYNC_PLAYLISTS);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(synctest::Rows(m_library, "SELECT PlaylistName FROM tPlaylists"),
        (std::vector<std::vector<std::string>> { { "Someday" } }));
    EXPECT_EQ(Count(m_library, "tPlaylistTracks"), "0");
}

TEST_F(EmulatedDevice, AnUploadTheDeviceNeverOpensEndsTheRunWithoutSyncDone)
{
    WriteFileOfSize("Music/one.mp3", 3000);
    AddLocalAlbum(1, "Blue", { { 1, "one" } });
    m_emulator.Rules().Drop("File.open");
    OpenForRun();
    GiveUpUnansweredOpensAfterASecond();
    {
        Advised advised(m_device, &m_sink);
        LONG result = 0;
        ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(QVSYNC_ALBUMS_FILES, &result), S_OK);
        ASSERT_TRUE(m_sink.WaitAbandoned());
    }
    // Releasing the device waits for the run's threads: no completion came, and none will.
    m_device.Release();
    EXPECT_FALSE(m_sink.Done());
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Mp3Album), 0u);
}

// A cancel while the worker waits for an answer the device dropped, then one while an upload stalls
// (for an hour, left to itself): each run ends at once without SyncDone, and the device takes the
// next run right away, its threads having ended within the cancel.
TEST_F(EmulatedDevice, CancellingDuringADroppedReplyOrAStalledUploadEndsTheRunPromptly)
{
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName, ModifyFlag) VALUES ('Late Night Jazz', True)");
    WriteFileOfSize("Music/one.mp3", 3000);
    AddLocalAlbum(1, "Blue", { { 1, "one" } });
    OpenForRun();
    SetClientProperty("VFTP.packetTimeout", "1200");
    {
        Advised advised(m_device, &m_sink);
        LONG result = 0;
        m_emulator.Rules().Drop("Music.metaquery");
        ASSERT_EQ(m_device->SyncTuneStewardFromClientDevice(0, &result), S_OK);
        CancelOnceDropped("Music.metaquery");

        m_emulator.Rules().Drop("File.open");
        ASSERT_EQ(m_device->SyncClientDeviceFromTuneSteward(QVSYNC_ALBUMS_FILES, &result), S_OK);
        CancelOnceDropped("File.open");
    }
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Mp3Album), 0u);
    ExpectReadyForTheNextRun();
}

TEST_F(EmulatedDevice, ACoverArtThreadFetchesADeviceFile)
{
    const std::filesystem::path device = m_emulator.Options().folder;
    const std::string cover = WriteFileOfSize(device / "Music/Covers/a.jpg", 5000);
    ASSERT_EQ(Open(), S_OK);
    HRESULT fetched = E_FAIL;
    std::thread coverArt([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        fetched = m_device->GetDeviceFile(CComBSTR(u"vqp://localhost/7.0.5/Music/Covers/a.jpg"), CComBSTR(u"a.jpg"));
        CoUninitialize();
    });
    coverArt.join();
    EXPECT_EQ(fetched, S_OK);
    EXPECT_EQ(Bytes("a.jpg"), cover);
}

TEST_F(EmulatedDevice, AListingFindsTheDeviceAndAnEmptyNetworkListsNone)
{
    m_connection->put_BroadcastMask(CComBSTR(u"127.0.0.1"));
    VARIANT collection;
    VARIANT count;
    ASSERT_EQ(m_connection->ListDevices(nullptr, &collection, &count), S_OK);
    EXPECT_EQ(count.lVal, 1);
    VariantClear(&collection);

    m_emulator.Stop();
    ASSERT_EQ(m_connection->ListDevices(nullptr, &collection, &count), S_OK);
    EXPECT_EQ(count.lVal, 0);
    VariantClear(&collection);
}
