// The album step: the library's album changes, covers and music files to the device, and the
// device's albums, tracks and group links into the library.

#include "sync/AlbumSync.h"
#include "sync/tests/StepTestSupport.h"

#include "platform/base/Clock.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using Table = std::vector<std::vector<std::string>>;

TEST(AlbumSyncPaths, StoredFormsByRevision)
{
    struct Case {
        const char* devicePath;
        SHORT revision;
        const char* cover;
        const char* file;
    };
    const Case cases[] = {
        { "7.0.5/Database/Music/Covers/a.jpg", 0, "file://localhost/Database/Music/Covers/a.jpg",
            "7.0.5/Database/Music/Covers/a.jpg" },
        { "7.0.5/Database/Music/Covers/a.jpg", 2, "vqp://u/7.0.5/Database/Music/Covers/a.jpg",
            "vqp://u/7.0.5/Database/Music/Covers/a.jpg" },
        { "Music/x.mp3", 0, "Music/x.mp3", "Music/x.mp3" },
        { "Music/x.mp3", 2, "Music/x.mp3", "vqp://u/Music/x.mp3" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlbumSync::StoredCoverPath(c.devicePath, c.revision, "u"), c.cover) << c.devicePath << " " << c.revision;
        EXPECT_EQ(AlbumSync::StoredFilePath(c.devicePath, c.revision, "u"), c.file) << c.devicePath << " " << c.revision;
    }
}

class AlbumSyncTest : public StepTest {
protected:
    // A file of the library folder in the current folder.
    static void MakeFile(const std::string& path)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "data";
    }
    std::vector<std::string> StepRequestNames()
    {
        std::vector<std::string> names;
        for (const auto& message : Device().sent) {
            if (message.Name() != "Process.identity" && message.Name() != "File.unreserve")
                names.push_back(message.Name());
        }
        return names;
    }
};

TEST_F(AlbumSyncTest, ALibraryWithoutAlbumChangesSendsNothing)
{
    Execute({ "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora, IsCD) VALUES (1, 'Abba', 'Blue', 'vqp://u/Music/blue.xml', False)" });

    AlbumSync step(this);
    step.SyncToDevice();

    EXPECT_TRUE(StepRequestNames().empty());
    EXPECT_TRUE(Device().uploads.empty());
    EXPECT_EQ(SyncRunState::GetStepCount(), 0);
}

TEST_F(AlbumSyncTest, NewAlbumWhoseFileIsMissingIsNotCreatedAndKeepsWhatWasSent)
{
    MakeFile("Music/Covers/a.jpg");
    MakeFile("Music/one.mp3");
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, CoverArt, IsCD) VALUES (1, 'Abba', 'Blue', 'Music\\Covers\\a.jpg', False)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES (11, 1, 1, 'One', 'Music\\one.mp3')",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES (12, 1, 2, 'Two', 'Music\\two.mp3')",
    });
    Device().fileNames = { "Music/one.mp3" };

    AlbumSync step(this);
    step.SyncToDevice();

    // The cover still lacks its device path on the second detail row, so it goes again there.
    ASSERT_EQ(Device().uploads.size(), 3u);
    EXPECT_EQ(Device().uploads[0].second, "7.0.5/Database/Music/Covers/a.jpg");
    EXPECT_EQ(Device().uploads[1].second, "Music/one.mp3");
    EXPECT_EQ(Device().uploads[2].second, "7.0.5/Database/Music/Covers/a.jpg");
    EXPECT_TRUE(Device().Sent("Music.create").empty());
    EXPECT_EQ(Rows("SELECT ZUVUdureDaz FROM tMusicMain"), (Table { { "file://localhost/Database/Music/Covers/a.jpg" } }));
    EXPECT_EQ(Rows("SELECT VUDUradUzaz FROM tMusicTracks ORDER BY AlbumTrackID"), (Table { { "Music/one.mp3" }, { "<null>" } }));
    // One step for the file whose upload started; covers count none.
    EXPECT_EQ(SyncRunState::GetStepCount(), 1);
}

TEST_F(AlbumSyncTest, NewAlbumIsCreatedAndGetsItsDeviceUrl)
{
    MakeFile("Music/Covers/a.jpg");
    MakeFile("Music/one.mp3");
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, CoverArt, IsCD) VALUES (1, 'Abba', 'Blue', 'Music\\Covers\\a.jpg', False)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES (11, 1, 1, 'One', 'Music\\one.mp3')",
    });
    SyncRunState::SetDeviceRevision(2);
    Device().fileNames = { "Music/one.mp3" };
    // The device lists the new album under its own spelling of title and artist.
    Device().albumList = R"(<container><item label="1"><ref href="vqp://u/Music/blue.xml" primarykey="ABBA" secondarykey="blue"/></item></container>)";

    AlbumSync step(this);
    step.SyncToDevice();

    EXPECT_EQ(StepRequestNames(), (std::vector<std::string> { "File.check", "Music.create", "Music.query" }));
    // The album goes out with the device paths of what was just sent.
    EXPECT_NE(Device().Sent("Music.create").at(0).Payload().find("href=\"vqp://u/Music/one.mp3\""), std::string::npos);
    EXPECT_EQ(Rows("SELECT ZUVUdureDaz, REDUZIDedaDora FROM tMusicMain"),
        (Table { { "vqp://u/7.0.5/Database/Music/Covers/a.jpg", "vqp://u/Music/blue.xml" } }));
    EXPECT_EQ(Rows("SELECT VUDUradUzaz FROM tMusicTracks"), (Table { { "vqp://u/Music/one.mp3" } }));
    EXPECT_EQ(SyncRunState::GetStepCount(), 2);
}

TEST_F(AlbumSyncTest, NewAlbumFindsItsDeviceUrlUnderTextsBeyondAscii)
{
    MakeFile("Music/one.mp3");
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD) VALUES (1, 'Björk', 'Homogénic', False)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES (11, 1, 1, 'One', 'Music\\one.mp3')",
    });
    SyncRunState::SetDeviceRevision(2);
    Device().fileNames = { "Music/one.mp3" };
    // Only ASCII letters match in either case: the first entry differs in an accented one.
    Device().albumList = R"(<container>)"
                         R"(<item label="1"><ref href="vqp://u/Music/a.xml" primarykey="Björk" secondarykey="HomogÉnic"/></item>)"
                         R"(<item label="2"><ref href="vqp://u/Music/b.xml" primarykey="BJöRK" secondarykey="homogénic"/></item>)"
                         R"(</container>)";

    AlbumSync step(this);
    step.SyncToDevice();

    EXPECT_EQ(Rows("SELECT REDUZIDedaDora FROM tMusicMain"), (Table { { "vqp://u/Music/b.xml" } }));
}

TEST_F(AlbumSyncTest, DevicePathsAreCommittedAsTheIntervalPassesAndAtTheEnd)
{
    Execute({ "INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD) VALUES (1, 'Abba', 'Blue', False)" });
    for (int track = 1; track <= 3; ++track) {
        const std::string name = "Music/t" + std::to_string(track) + ".mp3";
        MakeFile(name);
        Device().fileNames.push_back(name);
        synctest::Execute(m_connection, "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES ("
                + std::to_string(10 + track) + ", 1, " + std::to_string(track) + ", 'T', 'Music\\t" + std::to_string(track) + ".mp3')");
    }
    const auto clock = std::make_shared<platform::ManualClock>();
    const platform::ScopedClock installed(clock);
    // What another connection sees as each file starts; the clock passes the interval after the first file.
    std::vector<std::string> seen;
    std::function<void()> probe = [&] {
        seen.push_back(Rows("SELECT COUNT(*) FROM tMusicTracks WHERE VUDUradUzaz IS NOT NULL").at(0).at(0));
        if (seen.size() == 2)
            clock->Advance(DevicePathRecorder::kCommitInterval);
        Device().onTransferStart = probe;
    };
    Device().onTransferStart = probe;

    AlbumSync step(this);
    step.SyncToDevice();

    EXPECT_EQ(seen, (std::vector<std::string> { "0", "0", "2" }));
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM tMusicTracks WHERE VUDUradUzaz IS NOT NULL"), (Table { { "3" } }));
}

TEST_F(AlbumSyncTest, CancellingDuringAStalledTransferEndsTheStep)
{
    MakeFile("Music/one.mp3");
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD) VALUES (1, 'Abba', 'Blue', False)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES (11, 1, 1, 'One', 'Music\\one.mp3')",
    });
    Device().fileNames = { "Music/one.mp3" };
    // The device never closes the transfer; the run is cancelled while the step waits for it.
    Device().stallTransfers = true;
    Device().onTransferStart = [] { SyncRunState::Cancel(); };

    AlbumSync step(this);
    step.SyncToDevice();

    EXPECT_EQ(Device().uploads.size(), 1u);
    EXPECT_TRUE(Device().Sent("Music.create").empty());
    EXPECT_EQ(Rows("SELECT VUDUradUzaz FROM tMusicTracks"), (Table { { "<null>" } }));
}

TEST_F(AlbumSyncTest, RemovalsThenChangesWithTheFilesOfDeletedTracks)
{
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora, IsCD, DeleteFlag) VALUES (2, 'Cher', 'Gone', 'vqp://u/Music/gone.xml', False, True)",
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora, IsCD, ModifyFlag) VALUES (1, 'Abba', 'Blue', 'vqp://u/Music/blue.xml', False, True)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, VUDUradUzaz, DeleteFlag) VALUES (11, 1, 1, 'Old', 'Music/old.mp3', True)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, VUDUradUzaz) VALUES (12, 1, 2, 'Kept', 'Music/kept.mp3')",
    });

    AlbumSync step(this);
    step.SyncToDevice();

    EXPECT_EQ(StepRequestNames(), (std::vector<std::string> { "Music.remove", "File.delete", "Music.change" }));
    EXPECT_EQ(Device().Sent("Music.remove").at(0).Args().GetString("1.href"), "vqp://u/Music/gone.xml");
    EXPECT_EQ(Device().Sent("File.delete").at(0).Args().GetString("file"), "Music/old.mp3");
    const vireo::Message change = Device().Sent("Music.change").at(0);
    EXPECT_EQ(change.Args().GetString("href"), "vqp://u/Music/blue.xml");
    EXPECT_EQ(change.Payload().find("Old"), std::string::npos);
    EXPECT_EQ(SyncRunState::GetStepCount(), 2);
}

TEST_F(AlbumSyncTest, FromDeviceWritesAlbumsTracksAndGroupLinks)
{
    SyncRunState::AddGenre(SyncRunState::MusicGenres(), "Rock", 5);
    SyncRunState::AddMusicGroup("Rock", 9);
    Device().albumList = R"(<container>
        <item label="1"><ref href="vqp://u/CDs/a.xml" primarykey="Abba" secondarykey="Blue"/></item>
        <item label="2"><ref href="vqp://u/Music/b.xml" primarykey="Corrs" secondarykey="Forgiven"/></item>
        <item label="3"><ref href="vqp://other/Music/c.xml" primarykey="Cher" secondarykey="Gone"/></item></container>)";
    // Jazz is the album's genre group, but the library has no genre of that name.
    Device().documents["vqp://u/CDs/a.xml"] = R"(<cdinfo href="vqp://u/CDs/a.xml"><rsrc href="-FrontPanelDrive"/><title>Blue</title>
        <group>All</group><group>Rock</group><group>Jazz</group><group>CDs</group>
        <track number="1" length="100">One</track><track number="3" length="300">Three</track></cdinfo>)";
    Device().documents["vqp://u/Music/b.xml"] = R"(<mp3info href="vqp://u/Music/b.xml"><title>Forgiven</title><group>Rock</group>
        <track number="1" bitrate="128" href="Music/b1.mp3">Runaway</track></mp3info>)";

    AlbumSync step(this);
    step.SyncFromDevice();

    const Table albums = Rows("SELECT QVCDID, Title, Artist, QVGenreID, IsCD, HideFlag, NumTracks, RSRC_HREF FROM tMusicMain ORDER BY Title");
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0], (std::vector<std::string> { albums[0][0], "Blue", "Abba", "16", "-1", "0", "2", "-FrontPanelDrive" }));
    EXPECT_EQ(albums[1], (std::vector<std::string> { albums[1][0], "Forgiven", "Corrs", "5", "0", "0", "1", " " }));
    // An album of another device is kept hidden, with what its list entry said and no tracks.
    EXPECT_EQ(albums[2], (std::vector<std::string> { albums[2][0], "Gone", "Cher", "16", "0", "-1", "0", " " }));
    EXPECT_EQ(Rows("SELECT QVCDID, TrackNumber, FilePath, VUDUradUzaz FROM tMusicTracks ORDER BY QVCDID, TrackNumber"),
        (Table { { albums[0][0], "1", "vqp://localhost/-FrontPanelDrive?track=1", "vqp://localhost/-FrontPanelDrive?track=1" },
            { albums[0][0], "3", "vqp://localhost/-FrontPanelDrive?track=3", "vqp://localhost/-FrontPanelDrive?track=3" },
            { albums[1][0], "1", "Music/b1.mp3", "Music/b1.mp3" } }));
    EXPECT_EQ(Rows("SELECT GroupID, PlaylistID, QVCDID FROM tGroupList ORDER BY QVCDID"),
        (Table { { "9", "0", albums[0][0] }, { "9", "0", albums[1][0] } }));
    // List and library, three albums read, three rows, three tracks, the pause before the links, two links.
    EXPECT_EQ(SyncRunState::GetStepCount(), 2 + 3 + 3 + 3 + 1 + 2);
}

TEST_F(AlbumSyncTest, AnAlbumThatCannotBeAppendedGetsNoTracksOrGroupLinks)
{
    // Without its table the album cannot be appended; its tracks and links would name album 0.
    Execute({ "DROP TABLE tMusicMain" });
    SyncRunState::AddMusicGroup("Rock", 9);
    Device().albumList = R"(<container><item label="1"><ref href="vqp://u/Music/b.xml" primarykey="Corrs" secondarykey="Forgiven"/></item></container>)";
    Device().documents["vqp://u/Music/b.xml"] = R"(<mp3info href="vqp://u/Music/b.xml"><title>Forgiven</title><group>Rock</group>
        <track number="1" href="Music/b1.mp3">Runaway</track></mp3info>)";

    AlbumSync step(this);
    step.SyncFromDevice();

    EXPECT_TRUE(Rows("SELECT AlbumTrackID FROM tMusicTracks").empty());
    EXPECT_TRUE(Rows("SELECT GroupID FROM tGroupList").empty());
}

} // namespace
