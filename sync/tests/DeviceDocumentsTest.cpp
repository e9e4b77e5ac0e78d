// The device documents the stylesheets make from the library's detail queries, compared whole with
// the documents the device expects.

#include "platform/xml/MsXml.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncStrings.h"
#include "sync/SyncTask.h"
#include "sync/SyncTaskDevice.h"
#include "sync/tests/TestLibrary.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

// A device object with a library and no device client: the documents need nothing more.
class DocumentLibrary : public SyncTaskDevice {
public:
    void Open()
    {
        m_connection = synctest::MakeLibrary();
        ASSERT_EQ(platform::EnsureXmlRegistered(), S_OK);
    }
    void Execute(std::initializer_list<const char*> statements)
    {
        for (const char* statement : statements)
            synctest::Execute(m_connection, statement);
    }

    _bstr_t ConnectionString() const override { return _bstr_t(m_connection.c_str()); }
    _bstr_t MusicFolder() const override { return {}; }
    DeviceClient* Client() const override { return nullptr; }

private:
    std::string m_connection;
};

// One CD album in three groups (one link removed) with three tracks (one removed), one album of
// music files whose two files share a track number, a playlist over both albums, two music groups,
// a radio station in a radio group, and a removed album and playlist.
void FillLibrary(DocumentLibrary& library)
{
    library.Open();
    library.Execute({
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, TitleSort, Label, [Year], TOC, ZUVUdureDaz, REDUZIDedaDora, RSRC_HREF, IsCD) "
        "VALUES (1, 'Abba', 'Blue & Grün', 'Blue', 'Polar', '1999', '1 150 300', 'Covers/blue.jpg', 'vqp://u/CDs/blue.xml', 'r1', True)",
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora, IsCD) VALUES (2, 'Corrs', 'Forgiven', 'vqp://u/Music/forgiven.xml', False)",
        "INSERT INTO tMusicMain (QVCDID, Artist, Title, REDUZIDedaDora, IsCD, DeleteFlag) VALUES (3, 'Cher', 'Gone', 'vqp://u/CDs/gone.xml', True, True)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, TrackLength) VALUES (11, 1, 1, 'One', 100)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, TrackLength, DeleteFlag) VALUES (12, 1, 2, 'Two', 200, True)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, TrackLength) VALUES (13, 1, 3, 'Drei ä', 300)",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, TrackLength, Bitrate, VUDUradUzaz) "
        "VALUES (21, 2, 1, 'Runaway', 240, 128, 'Music/a.mp3')",
        "INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, TrackLength, Bitrate) VALUES (22, 2, 1, 'Breathless', 210, 192)",
        "INSERT INTO tGroup (GroupID, GroupName, DIDIvad, ZUVUduredaz) VALUES (1, 'All', 'vqp://u/groups/all.xml', 'Covers/all.jpg')",
        "INSERT INTO tGroup (GroupID, GroupName, DIDIvad) VALUES (2, 'Rock', 'vqp://u/groups/rock.xml')",
        "INSERT INTO tGroup (GroupID, GroupName, DIDIvad) VALUES (3, 'Jazz', 'vqp://u/groups/jazz.xml')",
        "INSERT INTO tGroupList (GroupID, PlaylistID, QVCDID) VALUES (1, 0, 1)",
        "INSERT INTO tGroupList (GroupID, PlaylistID, QVCDID) VALUES (2, 0, 1)",
        "INSERT INTO tGroupList (GroupID, PlaylistID, QVCDID, DeleteFlag) VALUES (3, 0, 1, True)",
        "INSERT INTO tGroupList (GroupID, PlaylistID, QVCDID) VALUES (1, 0, 2)",
        "INSERT INTO tGroupList (GroupID, PlaylistID, QVCDID) VALUES (2, 1, 0)",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName, ZUVUdureDaz, REDUZIDedaDora) VALUES (1, 'Mix', 'Covers/mix.jpg', 'vqp://u/Playlists/mix.xml')",
        "INSERT INTO tPlaylists (PlaylistID, PlaylistName, REDUZIDedaDora, DeleteFlag) VALUES (2, 'Old', 'vqp://u/Playlists/old.xml', True)",
        "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder) VALUES (1, 13, 1)",
        "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder) VALUES (1, 21, 2)",
        "INSERT INTO tPlaylistTracks (PlaylistID, AlbumTrackID, PlayOrder, DeleteFlag) VALUES (1, 11, 3, True)",
        "INSERT INTO tIRadioMain (QVRadioID, Station, URL, URLNo, Stereo, Status, Strength, Bandwidth, StreamType, RadioCallSign, "
        "REDUZIDedaDora, VOZAruzizer, RARUzer, Identifier, Location) VALUES (1, 'Talk One', 'http://talk/1', 2, 'Y', 'up', 5, '64', 1, "
        "'KTLK', 'vqp://u/Radio/talk.xml', 'res', 'Radio/talk.png', 'talk-1', 'Springfield')",
        "INSERT INTO tIRadioGroup (GroupID, GroupName, DIDIvad) VALUES (1, 'Talk', 'vqp://u/rgroups/talk.xml')",
        "INSERT INTO tIRadioGroupList (RadioGroupID, QVRadioID) VALUES (1, 1)",
    });
}

struct DocumentCase {
    const char* name;
    UINT query;
    const char* parameter; // null: the query takes none
    LONG key;
    UINT stylesheet;
    const char* expected;
};

class DeviceDocuments : public ::testing::TestWithParam<DocumentCase>, public DocumentLibrary { };

TEST_P(DeviceDocuments, StylesheetWritesTheDocument)
{
    FillLibrary(*this);
    const DocumentCase& c = GetParam();
    SyncTask task(this);
    QueryParameterList parameters;
    if (c.parameter)
        parameters.emplace_back(c.parameter, _variant_t(c.key), adInteger, adParamInput);
    std::string rows;
    ASSERT_EQ(task.LoadDetailDocument(c.query, rows, parameters), S_OK);
    std::string document;
    ASSERT_EQ(task.TransformDocument(rows, {}, c.stylesheet, document), S_OK);
    EXPECT_EQ(document, c.expected);
}

// The documents as the device expects them.
const char kCdinfo[] = R"(<?xml version="1.0"?>
<!DOCTYPE cdinfo SYSTEM "http://www.corvane.com/vireo/cdinfo.dtd">
<cdinfo href="vqp://u/CDs/blue.xml">
  <rsrc href="r1"/>
  <toc>1 150 300</toc>
  <artist>Abba</artist>
  <title>Blue &amp; Grün</title>
  <titlesort>Blue</titlesort>
  <label>Polar</label>
  <year>1999</year>
  <coverart>Covers/blue.jpg</coverart>
  <group>All</group>
  <group>Rock</group>
  <track number="1" length="100">One</track>
  <track number="3" length="300">Drei ä</track>
</cdinfo>
)";

// Two tracks share number 1: they come in the order the album's track index gives, that of their ids.
const char kMp3info[] = R"(<?xml version="1.0"?>
<!DOCTYPE mp3info SYSTEM "http://www.corvane.com/vireo/mp3info.dtd">
<mp3info href="vqp://u/Music/forgiven.xml">
  <toc/>
  <artist>Corrs</artist>
  <title>Forgiven</title>
  <titlesort/>
  <label/>
  <year/>
  <coverart/>
  <group>All</group>
  <track number="1" length="240" bitrate="128" href="Music/a.mp3">Runaway</track>
  <track number="1" length="210" bitrate="192" href="">Breathless</track>
</mp3info>
)";

const char kSonglistHash[] = R"(<?xml version="1.0"?>
<!DOCTYPE songlistinfo SYSTEM "http://www.corvane.com/vireo/songlistinfo.dtd">
<songlistinfo href="vqp://u/Playlists/mix.xml">
  <title>Mix</title>
  <coverart>Covers/mix.jpg</coverart>
  <group>Rock</group>
  <track number="1" length="300" href="" meta="vqp://u/CDs/blue.xml#3">Drei ä</track>
  <track number="2" length="240" href="Music/a.mp3" meta="vqp://u/Music/forgiven.xml#1">Runaway</track>
</songlistinfo>
)";

const char kSonglistTrack[] = R"(<?xml version="1.0"?>
<!DOCTYPE songlistinfo SYSTEM "http://www.corvane.com/vireo/songlistinfo.dtd">
<songlistinfo href="vqp://u/Playlists/mix.xml">
  <title>Mix</title>
  <coverart>Covers/mix.jpg</coverart>
  <group>Rock</group>
  <track number="1" length="300" href="" meta="vqp://u/CDs/blue.xml;track=3">Drei ä</track>
  <track number="2" length="240" href="Music/a.mp3" meta="vqp://u/Music/forgiven.xml;track=1">Runaway</track>
</songlistinfo>
)";

const char kMusicGroup[] = R"(<?xml version="1.0"?>
<!DOCTYPE groupinfo SYSTEM "http://www.corvane.com/vireo/groupinfo.dtd">
<groupinfo href="vqp://u/groups/rock.xml" version="1.0">
  <name>Rock</name>
  <count>2</count>
  <resource>vqp://localhost/Library?index=Rock#Music.query</resource>
  <coverart/>
</groupinfo>
)";

const char kRemovedGroupLinks[] = R"(<?xml version="1.0"?>
<!DOCTYPE groupinfo SYSTEM "http://www.corvane.com/vireo/groupinfo.dtd">
<groupinfo href="vqp://u/groups/jazz.xml" version="1.0">
  <name>Jazz</name>
  <count>0</count>
  <resource>vqp://localhost/Library?index=Jazz#Music.query</resource>
  <coverart/>
</groupinfo>
)";

const char kRadioGroup[] = R"(<?xml version="1.0"?>
<!DOCTYPE groupinfo SYSTEM "http://www.corvane.com/vireo/groupinfo.dtd">
<groupinfo href="vqp://u/rgroups/talk.xml" version="1.0">
  <name>Talk</name>
  <count>1</count>
  <resource>vqp://localhost/Library?index=TalkRadio.query</resource>
  <coverart/>
</groupinfo>
)";

const char kRadioinfo[] = R"(<?xml version="1.0"?>
<!DOCTYPE radioinfo SYSTEM "http://www.corvane.com/vireo/radioinfo.dtd">
<radioinfo href="vqp://u/Radio/talk.xml">
  <identifier>talk-1</identifier>
  <name>Talk One</name>
  <resource>res</resource>
  <call>KTLK</call>
  <location>Springfield</location>
  <group>Talk</group>
  <icon href="Radio/talk.png"/>
  <internet>
    <href>http://talk/1</href>
    <urlno>2</urlno>
    <bandwidth>64</bandwidth>
    <status>up</status>
    <streamtype>1</streamtype>
    <stereo>Y</stereo>
    <strength>5</strength>
  </internet>
</radioinfo>
)";

const char kAlbumContainer[] = R"(<?xml version="1.0"?>
<container>
  <item label="1">
    <ref href="vqp://u/CDs/gone.xml" primarykey="Cher" secondarykey="Gone"/>
  </item>
</container>
)";

const char kPlaylistContainer[] = R"(<?xml version="1.0"?>
<container>
  <item label="1">
    <ref href="vqp://u/Playlists/old.xml" primarykey="Playlist" secondarykey="Old"/>
  </item>
</container>
)";

const DocumentCase kDocuments[] = {
    { "cdinfo", IDS_qAlbumDetail, "[qpQVCDID]", 1, 4, kCdinfo },
    { "mp3info", IDS_qAlbumDetail, "[qpQVCDID]", 2, 5, kMp3info },
    { "songlistHash", IDS_qPlaylistDetail, "[qpPlaylistID]", 1, 7, kSonglistHash },
    { "songlistTrack", IDS_qPlaylistDetail, "[qpPlaylistID]", 1, 10, kSonglistTrack },
    { "musicGroup", IDS_qGroupDetail, "[qpGroupID]", 2, 8, kMusicGroup },
    { "removedGroupLinks", IDS_qGroupDetail, "[qpGroupID]", 3, 8, kRemovedGroupLinks },
    { "radioGroup", IDS_qRadioGroupDetail, "[qpRadioGroupID]", 1, 9, kRadioGroup },
    { "radioinfo", IDS_qRadioDetail, "[qpQVRadioID]", 1, 6, kRadioinfo },
    { "albumContainer", IDS_qDeletedCDs, nullptr, 0, 1, kAlbumContainer },
    { "playlistContainer", IDS_qDeletedPlaylists, nullptr, 0, 2, kPlaylistContainer },
};

INSTANTIATE_TEST_SUITE_P(Stylesheets, DeviceDocuments, ::testing::ValuesIn(kDocuments),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

class SyncTaskDocuments : public ::testing::Test, public DocumentLibrary { };

TEST_F(SyncTaskDocuments, FailuresLeaveTheTextEmpty)
{
    Open();
    SyncTask task(this);
    std::string text = "old";
    // No deleted playlist: the query has no rows.
    EXPECT_EQ(task.LoadDetailDocument(IDS_qDeletedPlaylists, text, NoQueryParameters), kNoRows);
    EXPECT_EQ(text, "");

    text = "old";
    EXPECT_EQ(task.TransformDocument("<xml><unclosed></xml>", {}, 4, text), E_FAIL);
    EXPECT_EQ(text, "");
    // The step goes on with its next item after a failure.
    EXPECT_EQ(task.TransformDocument("<xml/>", {}, 8, text), S_OK);
    EXPECT_NE(text.find("<groupinfo"), std::string::npos);

    // A number that names no stylesheet gives an empty document, not a failure.
    text = "old";
    EXPECT_EQ(task.TransformDocument("<xml/>", {}, 3, text), S_OK);
    EXPECT_EQ(text, "");

    SyncTask withoutLibrary(nullptr);
    EXPECT_EQ(withoutLibrary.LoadDetailDocument(IDS_qDeletedPlaylists, text, NoQueryParameters), E_INVALIDARG);
}

// A step keeps its parsed rows and its compiled stylesheet from one item to the next: each document
// still comes out whole whatever was made before it, also from rows read before the last query.
TEST_F(SyncTaskDocuments, OneTaskMakesEachDocumentWhateverCameBefore)
{
    FillLibrary(*this);
    SyncTask task(this);
    const std::size_t count = std::size(kDocuments);
    std::vector<std::string> rows(count);
    for (int round = 0; round < 2; ++round) {
        for (std::size_t n = 0; n < count; ++n) {
            const std::size_t i = round == 0 ? n : count - 1 - n;
            const DocumentCase& c = kDocuments[i];
            QueryParameterList parameters;
            if (c.parameter)
                parameters.emplace_back(c.parameter, _variant_t(c.key), adInteger, adParamInput);
            ASSERT_EQ(task.LoadDetailDocument(c.query, rows[i], parameters), S_OK) << c.name;
            std::string document;
            ASSERT_EQ(task.TransformDocument(rows[i], {}, c.stylesheet, document), S_OK) << c.name;
            EXPECT_EQ(document, c.expected) << c.name << " in round " << round;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::string document;
        ASSERT_EQ(task.TransformDocument(rows[i], {}, kDocuments[i].stylesheet, document), S_OK) << kDocuments[i].name;
        EXPECT_EQ(document, kDocuments[i].expected) << kDocuments[i].name << " from earlier rows";
    }
}

} // namespace
