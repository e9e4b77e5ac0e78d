// The import commands' loops over chosen and tagged files: album modes, Cancel, progress and what is
// remembered.

#include "library/ImportCommands.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"

#include <gtest/gtest.h>

using mp3fixtures::MakeMp3;
using mp3fixtures::WriteBytes;

namespace {

class ImportCommands : public MusicLibrary {
protected:
    static long AlbumOf(const std::string& fileName)
    {
        return Number("SELECT QVCDID FROM tMusicTracks WHERE FilePath LIKE '%" + fileName + "'");
    }
};

} // namespace

TEST_F(ImportCommands, NewAlbumModeFollowsTheFirstFile)
{
    MakeMp3("first.mp3", "-b 128 --add-id3v2 --tl Tagged --ta Band");
    MakeMp3("second.mp3", "-b 128 --add-id3v2 --tl Elsewhere --ta Band");
    MakeMp3("third.mp3", "-b 128 --add-id3v2 --tl Elsewhere --ta Band");
    ASSERT_EQ(AddFileToLibrary(m_host, Here("first.mp3").c_str(), kAlbumFromTags), 1);

    // The first file is in the library already: the others join the album of its track.
    ImportMusicFiles(
        m_host, { Here("first.mp3").c_str(), Here("second.mp3").c_str() }, ImportAlbumMode::CreateNewAlbum, -1);
    EXPECT_EQ(AlbumOf("second.mp3"), AlbumOf("first.mp3"));
    EXPECT_EQ(m_host.m_progress, (std::vector<int> { -1, 50, 100, 0 }));
    EXPECT_EQ(m_host.m_requeries, 1);
    EXPECT_EQ(m_host.m_statuses.back(), "<idle>");
    EXPECT_EQ(std::string(App().GetProfileString("Settings", "LastMusicImportPath")), m_folder + "\\");

    // A new album from a new first file; a Cancel at a prompt ends the loop.
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("fourth.mp3", "-b 128");
    MakeMp3("fifth.mp3", "-b 128");
    ASSERT_TRUE(CopyFile(Here("fifth.mp3").c_str(), CString(GetMp3Path() + "fifth.mp3"), FALSE));
    m_host.m_progress.clear();
    m_host.m_answers = { IDCANCEL };
    ImportMusicFiles(m_host, { Here("third.mp3").c_str(), Here("fifth.mp3").c_str(), Here("fourth.mp3").c_str() },
        ImportAlbumMode::CreateNewAlbum, -1);
    EXPECT_EQ(Text("SELECT Title FROM tMusicMain WHERE QVCDID = " + std::to_string(AlbumOf("third.mp3"))), "New Album");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE FilePath LIKE '%fourth.mp3'"), 0);
    EXPECT_EQ(m_host.m_progress, (std::vector<int> { -1, 33, 0 }));
}

TEST_F(ImportCommands, TaggedFilesIntoOneNewAlbum)
{
    WriteBytes("lead.wma", { 'x' });
    WriteBytes("other.wma", { 'y' });
    MakeMp3("song.mp3", "-b 128 --add-id3v2 --tl Own --ta Band");
    ImportTaggedFiles(m_host, { Here("lead.wma").c_str(), Here("other.wma").c_str(), Here("song.mp3").c_str() },
        TaggedFileImport::CreateAlbum, 0);
    const long album = AlbumOf("lead.wma");
    EXPECT_EQ(Text("SELECT Title FROM tMusicMain WHERE QVCDID = " + std::to_string(album)), "New Album");
    EXPECT_EQ(AlbumOf("song.mp3"), album);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE FilePath LIKE '%other.wma'"), 0)
        << "passed over by its extension";
    EXPECT_EQ(m_host.m_treeRefreshes, 1);

    // One tagged file: one progress step of 100.
    m_host.m_progress.clear();
    MakeMp3("single.mp3", "-b 128");
    ImportTaggedFiles(m_host, { Here("single.mp3").c_str() }, TaggedFileImport::ImportFiles, 0);
    EXPECT_EQ(m_host.m_progress, (std::vector<int> { -1, 100, 0 }));
}
