// Library edits on a real library file: what each edit writes, the change-tracking flags and stamps it
// leaves for the next synchronisation, and what it refuses.

#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/LibraryEditHost.h"
#include "library/PlaylistEdits.h"
#include "library/RegistryRoutines.h"
#include "library/TrackEdits.h"
#include "library/_ADORecordsetHelper.h"

#include "library/_ADOConnectionHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/NewLibrary.h"
#include "library/tests/support/TestFolder.h"

#include "platform/ado/AdoConstants.h"
#include "platform/base/PathApi.h"

#include <optional>
#include <string>
#include <vector>

namespace {

// Rows written by the fixture carry this stamp; an edit stamps Now().
const std::string kOldStamp = "#01/01/1999#";
constexpr DATE kYear2000 = 36526.0;

class FakeHost : public LibraryEditHost {
public:
    void RequeryView() override { ++requeries; }
    bool AskDeleteEmptyAlbum(LPCTSTR albumTitle) override
    {
        askedAlbums.emplace_back(albumTitle);
        return deleteEmptyAlbum;
    }
    void DeleteAlbum(long albumId) override { deletedAlbums.push_back(albumId); }
    bool ConfirmDelete(CPelicanApp::ConfirmKind kind, LPCTSTR name, bool& dontAskAgain) override
    {
        confirmations.push_back({ kind, name });
        dontAskAgain = tickDontAskAgain;
        return confirm;
    }

    int requeries = 0;
    bool deleteEmptyAlbum = false;
    std::vector<std::string> askedAlbums;
    std::vector<long> deletedAlbums;
    bool confirm = true;
    bool tickDontAskAgain = false;
    std::vector<std::pair<CPelicanApp::ConfirmKind, std::string>> confirmations;
};

struct RowFlags {
    bool modified = false;
    bool deleted = false;
    bool stamped = false; // stamped by an edit, not the fixture's old stamp
};

// A new library file made by the program's own creation code, with theLibraryConnection open on it and
// the message boxes recorded.
class LibraryEdits : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        const std::string path = testing_support::CurrentDirectory() + "\\Database\\Tune Steward.mdb";
        ASSERT_TRUE(testing_support::MakeNewLibrary(path));
        ASSERT_TRUE(theLibraryConnection.OpenDatabase(path.c_str()));
        m_boxes.emplace();
        // Albums 1 (tracks 11, 12), 2 (tracks 13, 14) and 3 (none); playlist "Road" holds 11, 12, 13, 14
        // at play orders 1 to 4; playlist "Empty" has none; group "Fav"; stations 41, 42; radio group "Talk".
        for (const char* album : { "1, 'Blue', 'Ann'", "2, 'Green', 'Bob'", "3, 'Grey', 'Cy'" })
            Insert("tMusicMain", "QVCDID, Title, Artist, HideFlag", std::string(album) + ", False");
        for (const char* track : { "11, 1, 1, 'One'", "12, 1, 2, 'Two'", "13, 2, 1, 'Three'", "14, 2, 2, 'Four'" })
            Insert("tMusicTracks", "AlbumTrackID, QVCDID, TrackNumber, TrackTitle", track);
        Insert("tPlaylists", "PlaylistID, CustomerID, PlaylistName", "21, 1, 'Road'");
        Insert("tPlaylists", "PlaylistID, CustomerID, PlaylistName", "22, 1, 'Empty'");
        for (int order = 1; order <= 4; ++order) {
            Insert("tPlaylistTracks", "PlaylistID, AlbumTrackID, PlayOrder",
                "21, " + std::to_string(10 + order) + ", " + std::to_string(order));
        }
        Insert("tGroup", "GroupID, GroupName", "31, 'Fav'");
        Insert("tIRadioMain", "QVRadioID, CustomerID, Station", "41, 1, 'Jazz FM'");
        Insert("tIRadioMain", "QVRadioID, CustomerID, Station", "42, 1, 'News'");
        Insert("tIRadioGroup", "GroupID, GroupName", "51, 'Talk'");
        SetLibraryModified(false);
    }

    void TearDown() override
    {
        m_boxes.reset();
        theLibraryConnection.Close();
        AppFixture::TearDown();
    }

    static void Execute(const std::string& sql)
    {
        ASSERT_TRUE(theLibraryConnection.ExecuteSql(sql.c_str(), nullptr, adCmdText)) << sql;
    }

    const std::vector<std::string>& Boxes() const { return m_boxes->Texts(); }

    // Inserts a row as an earlier synchronisation left it: not modified, not deleted, stamped long ago.
    void Insert(const std::string& table, const std::string& columns, const std::string& values)
    {
        const std::string sql = "INSERT INTO " + table + " (" + columns
            + ", DeleteFlag, ModifyFlag, [TimeStamp]) VALUES (" + values + ", False, False, " + kOldStamp + ")";
        Execute(sql);
    }

    static _variant_t Scalar(const std::string& sql)
    {
        return theLibraryConnection.ExecuteScalar(sql.c_str(), adCmdText);
    }

    static long Count(const std::string& tableAndWhere)
    {
        LONG count = -1;
        VariantToLong(Scalar("SELECT Count(*) FROM " + tableAndWhere), count);
        return count;
    }

    // The flags of the one row of the table that the condition picks.
    static RowFlags FlagsOf(const std::string& table, const std::string& where)
    {
        RowFlags flags;
        _ADORecordsetHelper rows;
        const std::string sql = "SELECT ModifyFlag, DeleteFlag, [TimeStamp] FROM " + table + " WHERE " + where;
        EXPECT_TRUE(theLibraryConnection.ExecuteSql(sql.c_str(), rows.ReceivePointer(), adCmdText)) << sql;
        if (!rows.HasRecordset() || rows.IsEOF()) {
            ADD_FAILURE() << "no row: " << sql;
            return flags;
        }
        const _variant_t modified = rows.GetValue("ModifyFlag");
        const _variant_t deleted = rows.GetValue("DeleteFlag");
        const _variant_t stamp = rows.GetValue("TimeStamp");
        flags.modified = modified.vt == VT_BOOL && modified.boolVal != VARIANT_FALSE;
        flags.deleted = deleted.vt == VT_BOOL && deleted.boolVal != VARIANT_FALSE;
        flags.stamped = stamp.vt == VT_DATE && stamp.date > kYear2000;
        return flags;
    }

    // Track ids of the playlist's live entries in play order, with their orders.
    static std::string PlaylistOrder(long playlistId)
    {
        _ADORecordsetHelper rows;
        const std::string sql = "SELECT AlbumTrackID, PlayOrder FROM tPlaylistTracks WHERE PlaylistID = "
            + std::to_string(playlistId) + " AND DeleteFlag = False ORDER BY PlayOrder";
        EXPECT_TRUE(theLibraryConnection.ExecuteSql(sql.c_str(), rows.ReceivePointer(), adCmdText));
        std::string text;
        for (; rows.HasRecordset() && !rows.IsEOF(); rows.MoveNext()) {
            LONG track = 0;
            LONG order = 0;
            VariantToLong(rows.GetValue("AlbumTrackID"), track);
            VariantToLong(rows.GetValue("PlayOrder"), order);
            text += (text.empty() ? "" : " ") + std::to_string(order) + ":" + std::to_string(track);
        }
        return text;
    }

    FakeHost m_host;
    std::optional<MessageBoxRecorder> m_boxes;
};

long IdOf(const _variant_t& value)
{
    LONG id = -1;
    return VariantToLong(value, id) ? id : -1;
}

} // namespace

TEST_F(LibraryEdits, MarkRowFlagsEveryRowOfTheKey)
{
    ASSERT_TRUE(MarkRowDeleted("tPlaylistTracks", "AlbumTrackID", 12));
    const RowFlags entry = FlagsOf("tPlaylistTracks", "AlbumTrackID = 12");
    EXPECT_TRUE(entry.deleted);
    EXPECT_TRUE(entry.stamped);
    EXPECT_FALSE(entry.modified);
    EXPECT_FALSE(FlagsOf("tPlaylistTracks", "AlbumTrackID = 11").stamped);

    ASSERT_TRUE(MarkRowModified("tMusicMain", "QVCDID", 2));
    const RowFlags album = FlagsOf("tMusicMain", "QVCDID = 2");
    EXPECT_TRUE(album.modified);
    EXPECT_TRUE(album.stamped);
    EXPECT_FALSE(album.deleted);

    EXPECT_FALSE(MarkRowModified("tNoSuchTable", "QVCDID", 2));
    EXPECT_FALSE(Boxes().empty()); // a database failure is shown
}

TEST_F(LibraryEdits, LookUpsSkipDeletedRows)
{
    EXPECT_EQ(IdOf(PlaylistIdForName("Road")), 21);
    EXPECT_EQ(IdOf(GroupIdForName("Fav")), 31);
    EXPECT_EQ(IdOf(RadioGroupIdForName("Talk")), 51);
    EXPECT_EQ(IdOf(AlbumIdForTitleAndArtist("Green", "Bob")), 2);
    EXPECT_EQ(IdOf(AlbumIdForTitle("Green")), 2);
    EXPECT_EQ(IdOf(AlbumIdForTrack(13)), 2);
    EXPECT_EQ(IdOf(MaxPlayOrder(21)), 4);
    EXPECT_EQ(MaxPlayOrder(22).vt, VT_EMPTY);
    EXPECT_EQ(AlbumIdForTitleAndArtist("Green", "Ann").vt, VT_EMPTY);

    MarkRowDeleted("tPlaylists", "PlaylistID", 21);
    MarkRowDeleted("tMusicTracks", "AlbumTrackID", 13);
    MarkRowDeleted("tPlaylistTracks", "PlayOrder", 4);
    EXPECT_EQ(PlaylistIdForName("Road").vt, VT_EMPTY);
    EXPECT_EQ(AlbumIdForTrack(13).vt, VT_EMPTY);
    EXPECT_EQ(IdOf(MaxPlayOrder(21)), 3);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LibraryEdits, AddNamedRowsOnceWithTheirNewIds)
{
    const struct {
        bool (*add)(LPCTSTR, long*, bool*);
        const char* table;
        const char* key;
        const char* existing;
        long existingId;
    } kinds[] = {
        { AddPlaylist, "tPlaylists", "PlaylistID", "Road", 21 },
        { AddGroup, "tGroup", "GroupID", "Fav", 31 },
        { AddRadioGroup, "tIRadioGroup", "GroupID", "Talk", 51 },
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.table);
        SetLibraryModified(false);
        const long rows = Count(kind.table);
        const long highest = IdOf(Scalar(std::string("SELECT Max(") + kind.key + ") FROM " + kind.table));
        long id = 0;
        bool existed = false;
        ASSERT_TRUE(kind.add(kind.existing, &id, &existed));
        EXPECT_TRUE(existed);
        EXPECT_EQ(id, kind.existingId);
        EXPECT_EQ(Count(kind.table), rows);
        EXPECT_FALSE(IsLibraryModified());

        // Quotes travel as data, never as SQL.
        const char* name = "Bob's \"best\"; DROP TABLE tGroup";
        ASSERT_TRUE(kind.add(name, &id, &existed));
        EXPECT_FALSE(existed);
        EXPECT_EQ(id, highest + 1);
        EXPECT_EQ(Count(kind.table), rows + 1);
        const RowFlags added = FlagsOf(kind.table, std::string(kind.key) + " = " + std::to_string(id));
        EXPECT_TRUE(added.modified);
        EXPECT_TRUE(added.stamped);
        EXPECT_TRUE(IsLibraryModified());
        ASSERT_TRUE(kind.add(name, nullptr, &existed)); // found again by the same name
        EXPECT_TRUE(existed);

        EXPECT_FALSE(kind.add("", &id, &existed));
        EXPECT_FALSE(kind.add(nullptr, &id, &existed));
        EXPECT_EQ(Count(kind.table), rows + 1);
    }
    EXPECT_GE(Count("tGroup"), 1); // the name was stored, not run
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LibraryEdits, LongNamesAreCutToTheColumnBetweenCharacters)
{
    std::string longName;
    for (int i = 0; i < 300; ++i)
        longName += "\xc3\xa9"; // two bytes a character
    long id = 0;
    bool existed = true;
    ASSERT_TRUE(AddPlaylist(longName.c_str(), &id, &existed));
    EXPECT_FALSE(existed);
    const _variant_t stored = Scalar("SELECT PlaylistName FROM tPlaylists WHERE PlaylistID = " + std::to_string(id));
    ASSERT_EQ(stored.vt, VT_BSTR);
    EXPECT_EQ(std::string(CString(stored.bstrVal)), longName.substr(0, 255 * 2));
    // The same long name finds the row it made instead of adding another.
    ASSERT_TRUE(AddPlaylist(longName.c_str(), nullptr, &existed));
    EXPECT_TRUE(existed);
    EXPECT_EQ(IdOf(PlaylistIdForName(longName.c_str())), id);
}

TEST_F(LibraryEdits, Renames)
{
    EXPECT_FALSE(RenameGroup("Nobody", "Best"));
    EXPECT_FALSE(RenameRadioGroup("Nobody", "Best"));
    EXPECT_FALSE(RenameGroup("Fav", ""));
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_FALSE(FlagsOf("tGroup", "GroupID = 31").stamped);

    ASSERT_TRUE(RenameGroup("Fav", "It's best"));
    EXPECT_EQ(IdOf(GroupIdForName("It's best")), 31);
    const RowFlags group = FlagsOf("tGroup", "GroupID = 31");
    EXPECT_TRUE(group.modified && group.stamped && !group.deleted);

    ASSERT_TRUE(RenameRadioGroup("Talk", "Speech"));
    EXPECT_EQ(IdOf(RadioGroupIdForName("Speech")), 51);
    EXPECT_TRUE(FlagsOf("tIRadioGroup", "GroupID = 51").modified);

    ASSERT_TRUE(RenameArtist("Ann", "Anna"));
    EXPECT_EQ(IdOf(AlbumIdForTitleAndArtist("Blue", "Anna")), 1);
    EXPECT_TRUE(FlagsOf("tMusicMain", "QVCDID = 1").modified);
    EXPECT_FALSE(FlagsOf("tMusicMain", "QVCDID = 2").modified);
    EXPECT_TRUE(IsLibraryModified());
}

TEST_F(LibraryEdits, GroupMembership)
{
    EXPECT_FALSE(IsInGroup(31, 0, 0, 11));
    ASSERT_TRUE(AddToGroup(31, 0, 0, 11));
    EXPECT_TRUE(IsInGroup(31, 0, 0, 11));
    const RowFlags member = FlagsOf("tGroupList", "AlbumTrackID = 11");
    EXPECT_TRUE(member.modified && member.stamped);
    EXPECT_FALSE(AddToGroup(31, 0, 0, 11)); // already a member
    EXPECT_EQ(Count("tGroupList"), 1);

    // A deleted membership does not count: the track can join again, in a new row.
    ASSERT_TRUE(MarkRowDeleted("tGroupList", "AlbumTrackID", 11));
    EXPECT_FALSE(IsInGroup(31, 0, 0, 11));
    ASSERT_TRUE(AddToGroup(31, 0, 0, 11));
    EXPECT_EQ(Count("tGroupList"), 2);

    // The playlist id is tested first, then the album, then the track.
    ASSERT_TRUE(AddToGroup(31, 21, 0, 0));
    EXPECT_TRUE(IsInGroup(31, 21, 0, 11));
    EXPECT_FALSE(IsInGroup(31, 0, 2, 11));
    ASSERT_TRUE(AddToGroup(31, 0, 2, 0));
    EXPECT_TRUE(IsInGroup(31, 0, 2, 0));

    // Members must exist and be given.
    const long rows = Count("tGroupList");
    EXPECT_FALSE(AddToGroup(31, 0, 0, 999));
    EXPECT_FALSE(AddToGroup(31, 999, 0, 0));
    EXPECT_FALSE(AddToGroup(999, 0, 0, 12));
    EXPECT_FALSE(AddToGroup(31, 0, 0, 0));
    EXPECT_EQ(Count("tGroupList"), rows);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LibraryEdits, RadioGroupMembershipCountsDeletedRows)
{
    ASSERT_TRUE(AddStationToRadioGroup(51, 41));
    EXPECT_TRUE(FlagsOf("tIRadioGroupList", "QVRadioID = 41").modified);
    EXPECT_FALSE(AddStationToRadioGroup(51, 41));
    EXPECT_FALSE(RemoveStationFromRadioGroup("Nobody", 41));
    ASSERT_TRUE(RemoveStationFromRadioGroup("Talk", 41));
    const RowFlags member = FlagsOf("tIRadioGroupList", "QVRadioID = 41");
    EXPECT_TRUE(member.deleted && member.stamped);
    // A station removed from a group is not added to it again.
    EXPECT_TRUE(IsStationInRadioGroup(51, 41));
    EXPECT_FALSE(AddStationToRadioGroup(51, 41));
    EXPECT_FALSE(AddStationToRadioGroup(51, 999));
    EXPECT_FALSE(AddStationToRadioGroup(999, 42));
    EXPECT_EQ(Count("tIRadioGroupList"), 1);

    FakeHost host;
    ASSERT_TRUE(AddStationToRadioGroup(51, 42));
    EXPECT_FALSE(RemoveStationFromGroup(host, "Talk", -1));
    ASSERT_TRUE(RemoveStationFromGroup(host, "Talk", 42));
    EXPECT_TRUE(FlagsOf("tIRadioGroupList", "QVRadioID = 42").deleted);
    EXPECT_EQ(host.requeries, 1);
}

TEST_F(LibraryEdits, AppendToPlaylist)
{
    ASSERT_TRUE(AddTrackToPlaylist(22, 12));
    EXPECT_EQ(PlaylistOrder(22), "1:12");
    const RowFlags entry = FlagsOf("tPlaylistTracks", "PlaylistID = 22");
    EXPECT_TRUE(entry.modified && entry.stamped);
    EXPECT_TRUE(IsLibraryModified());

    // A playlist whose entries are all deleted starts again at 1.
    ASSERT_TRUE(MarkRowDeleted("tPlaylistTracks", "PlaylistID", 22));
    ASSERT_TRUE(AddTrackToPlaylistByName("Empty", 14));
    EXPECT_EQ(PlaylistOrder(22), "1:14");

    ASSERT_TRUE(AddTrackToPlaylist(21, 11)); // a track may appear twice
    EXPECT_EQ(PlaylistOrder(21), "1:11 2:12 3:13 4:14 5:11");

    const long rows = Count("tPlaylistTracks");
    EXPECT_FALSE(AddTrackToPlaylistByName("Nobody", 11));
    EXPECT_FALSE(AddTrackToPlaylist(999, 11));
    EXPECT_FALSE(AddTrackToPlaylist(21, 999));
    EXPECT_EQ(Count("tPlaylistTracks"), rows);
}

TEST_F(LibraryEdits, RemoveFromPlaylistClosesTheGapUnstamped)
{
    ASSERT_TRUE(DeleteTrackFromPlaylist(m_host, "Road", 2, true));
    EXPECT_EQ(PlaylistOrder(21), "1:11 2:13 3:14");
    const RowFlags removed = FlagsOf("tPlaylistTracks", "AlbumTrackID = 12");
    EXPECT_TRUE(removed.deleted && removed.stamped);
    for (const char* renumbered : { "AlbumTrackID = 13", "AlbumTrackID = 14" }) {
        const RowFlags flags = FlagsOf("tPlaylistTracks", renumbered);
        EXPECT_FALSE(flags.stamped || flags.modified || flags.deleted) << renumbered;
    }
    EXPECT_EQ(m_host.requeries, 1);
    EXPECT_TRUE(IsLibraryModified());

    EXPECT_FALSE(DeleteTrackFromPlaylist(m_host, "Nobody", 1, false));
    EXPECT_FALSE(DeleteTrackFromPlaylist(m_host, "Road", 9, false));
    EXPECT_EQ(PlaylistOrder(21), "1:11 2:13 3:14");
}

TEST_F(LibraryEdits, MoveSwapsNeighboursAndFlagsThePlaylist)
{
    ASSERT_TRUE(MovePlaylistTrack(m_host, 21, 3, true, true));
    EXPECT_EQ(PlaylistOrder(21), "1:11 2:13 3:12 4:14");
    EXPECT_FALSE(FlagsOf("tPlaylistTracks", "AlbumTrackID = 13").stamped);
    // The playlist row carries the reorder, so the next synchronisation sends it.
    const RowFlags playlist = FlagsOf("tPlaylists", "PlaylistID = 21");
    EXPECT_TRUE(playlist.modified && playlist.stamped);
    EXPECT_EQ(m_host.requeries, 1);

    ASSERT_TRUE(MovePlaylistTrack(m_host, 21, 1, false, false));
    EXPECT_EQ(PlaylistOrder(21), "1:13 2:11 3:12 4:14");

    const struct {
        long playlist;
        long order;
        bool up;
        bool result;
    } unchanged[] = {
        { 21, 4, false, true }, // the last entry down
        { 21, 1, true, false }, // the first entry up
        { 22, 1, true, false }, // an empty playlist
        { 22, 1, false, false },
        { 999, 2, true, false },
    };
    for (const auto& c : unchanged) {
        SCOPED_TRACE(std::to_string(c.playlist) + " " + std::to_string(c.order));
        EXPECT_EQ(MovePlaylistTrack(m_host, c.playlist, c.order, c.up, false), c.result);
        EXPECT_EQ(PlaylistOrder(21), "1:13 2:11 3:12 4:14");
    }
    EXPECT_FALSE(FlagsOf("tPlaylists", "PlaylistID = 22").modified);
}

TEST_F(LibraryEdits, MovingBetweenTwoEntriesOfOneTrackKeepsBoth)
{
    ASSERT_TRUE(AddTrackToPlaylist(22, 11));
    ASSERT_TRUE(AddTrackToPlaylist(22, 11));
    ASSERT_TRUE(AddTrackToPlaylist(22, 12));
    ASSERT_TRUE(MovePlaylistTrack(m_host, 22, 2, true, false));
    EXPECT_EQ(PlaylistOrder(22), "1:11 2:11 3:12");
    ASSERT_TRUE(MovePlaylistTrack(m_host, 22, 2, false, false));
    EXPECT_EQ(PlaylistOrder(22), "1:11 2:12 3:11");
}

TEST_F(LibraryEdits, DeleteTrackFlagsItsReferencesAndOffersTheEmptyAlbum)
{
    ASSERT_TRUE(AddToGroup(31, 0, 0, 13));
    ASSERT_TRUE(DeleteTrackFromLibrary(m_host, 13, true));
    const RowFlags track = FlagsOf("tMusicTracks", "AlbumTrackID = 13");
    EXPECT_TRUE(track.deleted && track.stamped);
    EXPECT_TRUE(FlagsOf("tPlaylistTracks", "AlbumTrackID = 13").deleted);
    EXPECT_TRUE(FlagsOf("tGroupList", "AlbumTrackID = 13").deleted);
    EXPECT_EQ(PlaylistOrder(21), "1:11 2:12 4:14");
    EXPECT_TRUE(m_host.askedAlbums.empty()); // track 14 is still on the album
    EXPECT_EQ(m_host.requeries, 1);
    EXPECT_TRUE(IsLibraryModified());

    ASSERT_TRUE(DeleteTrackFromLibrary(m_host, 14, false));
    EXPECT_EQ(m_host.askedAlbums, std::vector<std::string> { "Green" });
    EXPECT_TRUE(m_host.deletedAlbums.empty()); // answered No: the album stays
    EXPECT_FALSE(FlagsOf("tMusicMain", "QVCDID = 2").deleted);

    m_host.deleteEmptyAlbum = true;
    ASSERT_TRUE(DeleteTrackFromLibrary(m_host, 11, false));
    EXPECT_TRUE(m_host.deletedAlbums.empty()); // track 12 remains
    ASSERT_TRUE(DeleteTrackFromLibrary(m_host, 12, false));
    EXPECT_EQ(m_host.deletedAlbums, std::vector<long> { 1 });
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LibraryEdits, ConfirmationsAndTheirFlags)
{
    App().m_bConfirmDelete[CPelicanApp::ConfirmTrack] = TRUE;
    App().m_bConfirmDelete[CPelicanApp::ConfirmIRStation] = TRUE;

    m_host.confirm = false;
    EXPECT_FALSE(DeleteTrackWithConfirmation(m_host, 11, "One"));
    EXPECT_FALSE(FlagsOf("tMusicTracks", "AlbumTrackID = 11").deleted);
    ASSERT_EQ(m_host.confirmations.size(), 1u);
    EXPECT_EQ(m_host.confirmations[0].first, CPelicanApp::ConfirmTrack);
    EXPECT_EQ(m_host.confirmations[0].second, "One");
    EXPECT_FALSE(DeleteTrackWithConfirmation(m_host, -1, "")); // nothing selected: no prompt
    EXPECT_EQ(m_host.confirmations.size(), 1u);

    // OK with the box ticked: the station flag goes off and is stored; the track flag stays as it was.
    m_host.confirm = true;
    m_host.tickDontAskAgain = true;
    ASSERT_TRUE(DeleteStationWithConfirmation(m_host, 41, "Jazz FM"));
    EXPECT_TRUE(FlagsOf("tIRadioMain", "QVRadioID = 41").deleted);
    EXPECT_EQ(App().m_bConfirmDelete[CPelicanApp::ConfirmIRStation], FALSE);
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteIRStation", "ConfirmationFlags"), "F");
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteTrack", "ConfirmationFlags"), "");
    EXPECT_EQ(App().m_bConfirmDelete[CPelicanApp::ConfirmTrack], TRUE);
    EXPECT_EQ(m_host.requeries, 1);

    // With its flag off, a delete asks nothing.
    ASSERT_TRUE(DeleteStationWithConfirmation(m_host, 42, "News"));
    EXPECT_EQ(m_host.confirmations.size(), 2u);

    // OK without the tick keeps the flag and writes nothing.
    m_host.tickDontAskAgain = false;
    ASSERT_TRUE(DeleteTrackWithConfirmation(m_host, 11, "One"));
    EXPECT_TRUE(FlagsOf("tMusicTracks", "AlbumTrackID = 11").deleted);
    EXPECT_EQ(App().m_bConfirmDelete[CPelicanApp::ConfirmTrack], TRUE);
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteTrack", "ConfirmationFlags"), "");
}

TEST_F(LibraryEdits, DeleteStationFlagsItsMemberships)
{
    ASSERT_TRUE(AddStationToRadioGroup(51, 42));
    ASSERT_TRUE(DeleteStation(m_host, 42, false));
    EXPECT_TRUE(FlagsOf("tIRadioMain", "QVRadioID = 42").deleted);
    EXPECT_TRUE(FlagsOf("tIRadioGroupList", "QVRadioID = 42").deleted);
    EXPECT_FALSE(FlagsOf("tIRadioMain", "QVRadioID = 41").deleted);
    EXPECT_EQ(m_host.requeries, 0);
}

TEST_F(LibraryEdits, ChangeTrackAlbum)
{
    // Track 11 has number 1, which album 2 already uses: it becomes album 2's highest number plus 1.
    ASSERT_TRUE(ChangeTrackAlbum(m_host, 11, 2, true));
    EXPECT_EQ(IdOf(AlbumIdForTrack(11)), 2);
    EXPECT_EQ(IdOf(Scalar("SELECT TrackNumber FROM tMusicTracks WHERE AlbumTrackID = 11")), 3);
    const RowFlags track = FlagsOf("tMusicTracks", "AlbumTrackID = 11");
    EXPECT_TRUE(track.modified && track.stamped);
    EXPECT_TRUE(FlagsOf("tMusicMain", "QVCDID = 1").modified);
    EXPECT_TRUE(FlagsOf("tMusicMain", "QVCDID = 2").modified);
    EXPECT_EQ(m_host.requeries, 1);

    // No clash: the number stays.
    ASSERT_TRUE(ChangeTrackAlbumByName(m_host, 12, "Grey", false));
    EXPECT_EQ(IdOf(AlbumIdForTrack(12)), 3);
    EXPECT_EQ(IdOf(Scalar("SELECT TrackNumber FROM tMusicTracks WHERE AlbumTrackID = 12")), 2);

    // Already there: nothing changes.
    ASSERT_TRUE(ChangeTrackAlbum(m_host, 13, 2, false));
    EXPECT_FALSE(FlagsOf("tMusicTracks", "AlbumTrackID = 13").modified);

    // A missing or deleted track or album changes nothing.
    MarkRowDeleted("tMusicMain", "QVCDID", 1);
    SetLibraryModified(false);
    EXPECT_FALSE(ChangeTrackAlbum(m_host, 13, 1, false));
    EXPECT_FALSE(ChangeTrackAlbum(m_host, 13, 999, false));
    EXPECT_FALSE(ChangeTrackAlbum(m_host, 999, 2, false));
    EXPECT_FALSE(ChangeTrackAlbumByName(m_host, 13, "Nowhere", false));
    EXPECT_EQ(IdOf(AlbumIdForTrack(13)), 2);
    EXPECT_FALSE(FlagsOf("tMusicTracks", "AlbumTrackID = 13").modified);
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_TRUE(Boxes().empty());
}
