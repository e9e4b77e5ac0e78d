// The playlist step: what it sends the device for the library's playlist changes, and what it writes
// into the library from the device's playlists.

#include "sync/PlaylistSync.h"
#include "sync/StepRows.h"
#include "sync/tests/StepTestSupport.h"

#include <algorithm>

namespace {

TEST(PlaylistAlbumReference, MetaTexts)
{
    struct Case {
        const char16_t* meta;
        bool found;
        const char16_t* album;
        LONG track;
    };
    const Case cases[] = {
        { u"vqp://u/a.xml#7", true, u"vqp://u/a.xml", 7 },
        { u"vqp://u/a.xml#7x", true, u"vqp://u/a.xml", 7 },
        { u"vqp://u/a.xml#", true, u"vqp://u/a.xml", 0 },
        { u"vqp://u/a.xml?type=cd;track=12", true, u"vqp://u/a.xml?type=cd;track=12", 12 },
        { u"vqp://u/a.xml?type=cd", true, u"vqp://u/a.xml?type=cd", 0 },
        // A number too long for a track is held at the largest one rather than wrapping around.
        { u"a#99999999999", true, u"a", 0x7FFFFFFF },
        { u"vqp://u/a.xml", false, u"", 0 },
    };
    for (const Case& c : cases) {
        PlaylistSync::AlbumReference reference;
        ASSERT_EQ(PlaylistSync::ParseAlbumReference(c.meta, reference), c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(reference.albumUrl, c.album);
        EXPECT_EQ(reference.trackNumber, c.track);
    }
}

class PlaylistSyncTest : public StepTest {
protected:
    // The requests that carry the step's work (the readiness check left out).
    std::vector<vireo::Message> StepRequests()
    {
        std::vector<vireo::Message> requests;
        for (const auto& message : Device().sent) {
            if (message.Name() != "Process.identity")
                requests.push_back(message);
        }
        return requests;
    }
};

TEST_F(PlaylistSyncTest, ToDeviceSendsChangesAndCreationsThenRemovals)
{
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora) VALUES (1, 'Abba', 'Blue', 'vqp://u/Music/blue.xml')",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle) VALUES (11, 1, 5, 'Five')",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName, REDUZIDedaDora, ModifyFlag) VALUES (1, 'Changed', 'vqp://u/pl/changed.xml', True)",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName) VALUES (2, 'Fresh')",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName, REDUZIDedaDora, DeleteFlag) VALUES (3, 'Gone', 'vqp://u/pl/gone.xml', True)",
        "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder) VALUES (1, 11, 1)",
        "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder) VALUES (2, 11, 1)",
    });
    // A device of revision 2 reads changed playlists in the ";track=" form; new ones always go
    // out in the "#" form.
    SyncRunState::SetDeviceRevision(2);

    PlaylistSync step(this);
    EXPECT_TRUE(step.SyncToDevice());

    const auto requests = StepRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].Name(), "Music.change");
    EXPECT_EQ(requests[0].Args().GetString("href"), "vqp://u/pl/changed.xml");
    EXPECT_NE(requests[0].Payload().find("meta=\"vqp://u/Music/blue.xml;track=5\""), std::string::npos);
    EXPECT_EQ(requests[1].Name(), "Music.create");
    EXPECT_EQ(requests[1].Args().GetString("name"), "Fresh");
    EXPECT_NE(requests[1].Payload().find("meta=\"vqp://u/Music/blue.xml#5\""), std::string::npos);
    EXPECT_EQ(requests[2].Name(), "Music.remove");
    EXPECT_EQ(requests[2].Args().GetString("href"), "vqp://u/pl/gone.xml");
    // One step per changed and new playlist and one for the removals.
    EXPECT_EQ(SyncRunState::GetStepCount(), 3);
    // The step records nothing: the new playlist still has no device URL.
    EXPECT_EQ(Rows("SELECT REDUZIDedaDora FROM tPlaylists WHERE PlaylistID = 2"), (std::vector<std::vector<std::string>> { { "<null>" } }));
}

// A playlist with no live tracks has no detail rows; it still goes out, as the playlist's document
// with no track entries, whether it is new or has lost its last track.
TEST_F(PlaylistSyncTest, ToDeviceSendsPlaylistsWithoutTracksAsEmptyLists)
{
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora) VALUES (1, 'Abba', 'Blue', 'vqp://u/Music/blue.xml')",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle) VALUES (11, 1, 5, 'Five')",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName, REDUZIDedaDora, ZUVUdureDaz, ModifyFlag) "
        "VALUES (1, 'Emptied', 'vqp://u/pl/emptied.xml', 'Covers/e.jpg', True)",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName) VALUES (2, 'Rock & \"Roll\" <new>')",
        "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder, DeleteFlag) VALUES (1, 11, 1, True)",
    });

    PlaylistSync step(this);
    EXPECT_TRUE(step.SyncToDevice());

    const auto requests = StepRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Name(), "Music.change");
    EXPECT_EQ(requests[0].Payload(), R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE songlistinfo SYSTEM "http://www.corvane.com/vireo/songlistinfo.dtd">
<songlistinfo href="vqp://u/pl/emptied.xml">
  <title>Emptied</title>
  <coverart>Covers/e.jpg</coverart>
</songlistinfo>
)");
    EXPECT_EQ(requests[1].Name(), "Music.create");
    EXPECT_EQ(requests[1].Args().GetString("name"), "Rock & \"Roll\" <new>");
    EXPECT_EQ(requests[1].Payload(), R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE songlistinfo SYSTEM "http://www.corvane.com/vireo/songlistinfo.dtd">
<songlistinfo href="">
  <title>Rock &amp; "Roll" &lt;new&gt;</title>
  <coverart/>
</songlistinfo>
)");
}

TEST_F(PlaylistSyncTest, FromDeviceWritesPlaylistsMembershipsAndResolvedTracks)
{
    Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title) VALUES (1, 'Abba', 'Blue')",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle) VALUES (11, 1, 1, 'One')",
    });
    // The album step of the run has listed the album with its first track.
    auto album = std::make_unique<AlbumRecord>();
    album->Value(AlbumRecord::Href) = _variant_t("vqp://u/CDs/a.xml");
    album->Value(AlbumRecord::QVCDID) = _variant_t(LONG { 1 });
    album->AddTrack(1, _bstr_t("t1"), _bstr_t("One")).Value(TrackRecord::AlbumTrackID) = _variant_t(LONG { 11 });
    DeviceClient::Albums().emplace(u"vqp://u/CDs/a.xml", std::move(album));
    SyncRunState::AddMusicGroup("Rock", 7);

    Device().playlistList = R"(<container><item label="1"><ref href="vqp://u/pl/mix.xml" primarykey="Playlist" secondarykey="Mix"/></item></container>)";
    // The second track names an album the device did not list; the third a track the album lacks.
    Device().documents["vqp://u/pl/mix.xml"] = R"(<songlistinfo href="vqp://u/pl/mix.xml"><title>Mix</title><coverart>c.jpg</coverart>
        <group>Rock</group><group>Pop</group>
        <track number="1" meta="vqp://u/CDs/a.xml#1">One</track>
        <track number="2" meta="vqp://u/CDs/missing.xml#2">Lost</track>
        <track number="3" href="t3" meta="vqp://u/CDs/a.xml?type=cd;track=3">Three</track></songlistinfo>)";

    PlaylistSync step(this);
    EXPECT_TRUE(step.SyncFromDevice());

    const auto playlists = Rows("SELECT PlaylistID, PlaylistName, ZUVUdureDaz, REDUZIDedaDora, CustomerID FROM tPlaylists");
    ASSERT_EQ(playlists.size(), 1u);
    const std::string key = playlists[0][0];
    EXPECT_EQ(playlists[0], (std::vector<std::string> { key, "Mix", "c.jpg", "vqp://u/pl/mix.xml", "1" }));
    // Pop is no group of the library: only Rock is linked.
    EXPECT_EQ(Rows("SELECT GroupID, PlaylistID, QVCDID FROM tGroupList"), (std::vector<std::vector<std::string>> { { "7", key, "0" } }));
    // The third track was added to the album; the play order went on past the lost one.
    const auto added = Rows("SELECT AlbumTrackID, TrackTitle, FilePath FROM tMusicTracks WHERE TrackNumber = 3 AND QVCDID = 1");
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0][1], "Three");
    EXPECT_EQ(added[0][2], "t3");
    EXPECT_EQ(Rows("SELECT AlbumTrackID, PlayOrder FROM tPlaylistTracks ORDER BY PlayOrder"),
        (std::vector<std::vector<std::string>> { { "11", "1" }, { added[0][0], "3" } }));
    // The list, the library, the details, the append, one membership and two tracks.
    EXPECT_EQ(SyncRunState::GetStepCount(), 7);
}

TEST_F(PlaylistSyncTest, APlaylistThatCannotBeAppendedGetsNoMembershipsOrTracks)
{
    // Without its table the playlist cannot be appended; its links would name playlist 0.
    Execute({ "DROP TABLE tPlaylists" });
    SyncRunState::AddMusicGroup("Rock", 7);
    Device().playlistList = R"(<container><item label="1"><ref href="vqp://u/pl/mix.xml" primarykey="Playlist" secondarykey="Mix"/></item></container>)";
    Device().documents["vqp://u/pl/mix.xml"] = R"(<songlistinfo href="vqp://u/pl/mix.xml"><title>Mix</title><group>Rock</group></songlistinfo>)";

    PlaylistSync step(this);
    EXPECT_TRUE(step.SyncFromDevice());

    EXPECT_TRUE(Rows("SELECT GroupID FROM tGroupList").empty());
    EXPECT_TRUE(Rows("SELECT PlaylistID FROM tPlaylistTracks").empty());
}

TEST_F(PlaylistSyncTest, FromDeviceWithoutPlaylistsWritesNothing)
{
    PlaylistSync step(this);
    EXPECT_TRUE(step.SyncFromDevice());
    EXPECT_TRUE(Rows("SELECT PlaylistID FROM tPlaylists").empty());
    EXPECT_EQ(SyncRunState::GetStepCount(), 0);
}

} // namespace
