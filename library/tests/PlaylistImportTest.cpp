// The playlist import into a real library file: which lines name files and where they lie, the
// playlist found or made, and lists that cannot be read.

#include "library/PlaylistImport.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"

#include <gtest/gtest.h>

using mp3fixtures::MakeMp3;
using mp3fixtures::WriteBytes;

namespace {

class PlaylistImport : public MusicLibrary {
protected:
    void WriteList(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

    // The file paths of the playlist's entries in play order.
    std::vector<std::string> Entries(const std::string& playlist)
    {
        _ADORecordsetHelper rows;
        const std::string sql
            = "SELECT tMusicTracks.FilePath FROM (tPlaylistTracks INNER JOIN tPlaylists ON "
              "tPlaylistTracks.PlaylistID = tPlaylists.PlaylistID) INNER JOIN tMusicTracks ON "
              "tPlaylistTracks.AlbumTrackID = tMusicTracks.AlbumTrackID WHERE tPlaylists.PlaylistName = '"
            + playlist + "' ORDER BY tPlaylistTracks.PlayOrder";
        EXPECT_TRUE(theLibraryConnection.ExecuteSql(sql.c_str(), rows.ReceivePointer(), -1));
        std::vector<std::string> paths;
        for (; !rows.IsEOF(); rows.MoveNext())
            paths.emplace_back(static_cast<const char*>(_bstr_t(rows.GetValue("FilePath"))));
        return paths;
    }
};

} // namespace

TEST_F(PlaylistImport, ListedFilesGoIntoThePlaylistOfTheListsName)
{
    MakeMp3("a.mp3", "-b 128 --add-id3v2 --tt A");
    WriteBytes("b.wma", { 'x' });
    std::filesystem::create_directories("sub");
    MakeMp3("sub/c.mp3", "-b 128 --add-id3v2 --tt C");
    MakeMp3("d.mp3", "-b 128 --add-id3v2 --tt D");
    std::filesystem::create_directories("list");
    // Relative to the list: a bare name and one behind a leading separator. With a folder part: as written
    // (backslashes or slashes), relative to the current directory (so "..\a.mp3" is not the list's
    // neighbour) or absolute. A folder, a missing file and the pieces of an over-long line are passed over.
    const std::string list = "#EXTM3U\r\n"
                             "   \r\n"
                             "  ..\\a.mp3  \n"
                             "# a comment\n"
                             "\\e.wma\n"
                             "sub/c.mp3\n"
                             "missing.mp3\n"
                             "sub\n"
        + Here("d.mp3") + "\n" + mp3fixtures::HerePath("sub/c.mp3") + "\n" + std::string(300, 'z') + ".mp3\n";
    WriteList("list/Road Trip.m3u", list);
    WriteBytes("list/e.wma", { 'y' });

    ASSERT_TRUE(ImportFile(m_host, Here("list\\Road Trip.m3u").c_str(), kAlbumFromTags));
    EXPECT_EQ(Entries("Road Trip"),
        (std::vector<std::string> {
            Here("list\\e.wma"), "sub/c.mp3", Here("d.mp3"), mp3fixtures::HerePath("sub/c.mp3") }));
    EXPECT_EQ(m_host.m_playlistRefreshes, 1);
    EXPECT_EQ(m_host.m_waitDepth, 0);
    ASSERT_FALSE(m_host.m_statuses.empty());
    EXPECT_EQ(
        m_host.m_statuses.front(), "Importing playlist file: " + Here("list\\Road Trip.m3u") + ". Please wait....");
    EXPECT_EQ(m_host.m_statuses.back(), "<idle>");
    EXPECT_NE(std::find(m_host.m_statuses.begin(), m_host.m_statuses.end(),
                  "Adding mp3 file: " + Here("d.mp3") + " into library."),
        m_host.m_statuses.end());
    EXPECT_TRUE(Boxes().empty());

    // Again: the same tracks are appended once more, each reported as already in the library.
    ASSERT_TRUE(ImportFile(m_host, Here("list\\Road Trip.m3u").c_str(), kAlbumFromTags));
    EXPECT_EQ(Entries("Road Trip").size(), 8u);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 4)
        << "sub/c.mp3 under two spellings is two files to the library";
    EXPECT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(m_host.m_playlistRefreshes, 1);
}

TEST_F(PlaylistImport, CommentsOnlyAndUnreadableLists)
{
    WriteList("Quiet.m3u", "#EXTM3U\n\n# nothing here\n   \n");
    EXPECT_TRUE(ImportPlaylistFile(m_host, Here("Quiet.m3u").c_str()));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylists WHERE PlaylistName = 'Quiet'"), 1);
    EXPECT_TRUE(Entries("Quiet").empty());

    EXPECT_FALSE(ImportPlaylistFile(m_host, Here("Absent.m3u").c_str()));
    EXPECT_EQ(Boxes(), std::vector<std::string> { "Couldn't open the playlist file!" });
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylists WHERE PlaylistName = 'Absent'"), 0);
    EXPECT_EQ(ImportFile(m_host, Here("Absent.m3u").c_str(), kAlbumFromTags), 0);
}

TEST_F(PlaylistImport, CancelAtThePromptLeavesOnlyThatFileOut)
{
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("one.mp3", "-b 128 --add-id3v2 --tt One");
    MakeMp3("two.mp3", "-b 128 --add-id3v2 --tt Two");
    ASSERT_TRUE(CopyFile(Here("one.mp3").c_str(), CString(GetMp3Path() + "one.mp3"), FALSE));
    WriteList("Pair.m3u", "one.mp3\ntwo.mp3\n");
    m_host.m_answers = { IDCANCEL };
    ASSERT_TRUE(ImportPlaylistFile(m_host, Here("Pair.m3u").c_str()));
    EXPECT_EQ(Entries("Pair"), std::vector<std::string> { "Music\\MP3s\\two.mp3" });
}
