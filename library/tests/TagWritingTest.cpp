// Library fields written back into a track's MP3 file and read again through the tag reader.

#include "library/TagWriting.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"

#include <gtest/gtest.h>

using mp3fixtures::MakeMp3;

namespace {

class TagWriting : public MusicLibrary {
protected:
    // Imports a copy of a new file into the library; its track id.
    long ImportCopy(const std::string& name, const std::string& lameTags)
    {
        App().m_bCopyMusicFiles = TRUE;
        MakeMp3(name, "-b 128 --add-id3v2 " + lameTags);
        long trackId = 0;
        EXPECT_EQ(AddFileToLibrary(m_host, Here(name).c_str(), kAlbumFromTags, &trackId), 1);
        return trackId;
    }

    static std::string Read(const CString& path, HRESULT (ITagReader::*get)(BSTR*))
    {
        ITagReaderPtr reader;
        EXPECT_EQ(reader.CreateInstance(CLSID_TagReader), S_OK);
        EXPECT_EQ(reader->LoadFile(_bstr_t(path.GetString()), 1), S_OK);
        BSTR text = nullptr;
        EXPECT_EQ((reader.GetInterfacePtr()->*get)(&text), S_OK);
        return std::string(static_cast<const char*>(_bstr_t(text, false)));
    }
    static std::string Frame(const CString& path, const char16_t* id)
    {
        ITagReaderPtr reader;
        EXPECT_EQ(reader.CreateInstance(CLSID_TagReader), S_OK);
        EXPECT_EQ(reader->LoadFile(_bstr_t(path.GetString()), 1), S_OK);
        BSTR text = nullptr;
        EXPECT_EQ(reader->GetFrame(_bstr_t(id), &text), S_OK);
        return std::string(static_cast<const char*>(_bstr_t(text, false)));
    }
};

} // namespace

TEST_F(TagWriting, LibraryFieldsReachTheFile)
{
    const long trackId = ImportCopy("song.mp3", "--tt Old --ta Before --tl Earlier --tv TLAN=eng");
    const std::string album
        = std::to_string(Number("SELECT QVCDID FROM tMusicTracks WHERE AlbumTrackID = " + std::to_string(trackId)));
    ASSERT_TRUE(
        theLibraryConnection.ExecuteSql(("UPDATE tMusicMain SET Title = 'Later', Artist = 'After', Label = 'Imprint', "
                                         "[Year] = '2004', Note = 'Liner', [Language] = 'fra', SecondaryGenreID = 153 "
                                         "WHERE QVCDID = "
                                            + album)
                                            .c_str(),
            nullptr, -1));
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(
        ("UPDATE tMusicTracks SET TrackTitle = 'New' WHERE AlbumTrackID = " + std::to_string(trackId)).c_str(), nullptr,
        -1));

    CString path;
    ASSERT_TRUE(WritableTrackFile(trackId, path));
    EXPECT_EQ(std::string(path), std::string(GetMp3Path() + "song.mp3"));
    WriteTrackMp3Tags(trackId);
    EXPECT_EQ(Read(path, &ITagReader::get_AlbumText), "Later");
    EXPECT_EQ(Read(path, &ITagReader::get_ArtistText), "After");
    EXPECT_EQ(Read(path, &ITagReader::get_TrackTitleText), "New");
    EXPECT_EQ(Read(path, &ITagReader::get_LabelText), "Imprint");
    EXPECT_EQ(Read(path, &ITagReader::get_CommentText), "Liner");
    EXPECT_EQ(Read(path, &ITagReader::get_YearText), "2004");
    EXPECT_EQ(Read(path, &ITagReader::get_GenreText), "Jazz");
    EXPECT_EQ(Frame(path, u"TLAN"), "fra");

    // An empty language leaves the file's frame alone.
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(
        ("UPDATE tMusicMain SET [Language] = '' WHERE QVCDID = " + album).c_str(), nullptr, -1));
    WriteTrackMp3Tags(trackId);
    EXPECT_EQ(Frame(path, u"TLAN"), "fra");
}

TEST_F(TagWriting, RefusedFilesAndEmptyPaths)
{
    const long trackId = ImportCopy("locked.mp3", "--tt Locked");
    CString path;
    ASSERT_TRUE(WritableTrackFile(trackId, path));
    ASSERT_TRUE(SetFileAttributes(path, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WritableTrackFile(trackId, path)) << "a read-only file is not offered";
    EXPECT_FALSE(WritableTrackFile(-1, path));
    EXPECT_FALSE(WritableTrackFile(trackId + 100, path));

    // A track stored with its full path lies outside the library root.
    App().m_bCopyMusicFiles = FALSE;
    MakeMp3("outside.mp3", "-b 128");
    long outside = 0;
    ASSERT_EQ(AddFileToLibrary(m_host, Here("outside.mp3").c_str(), kAlbumFromTags, &outside), 1);
    EXPECT_FALSE(WritableTrackFile(outside, path));

    _ADORecordsetHelper none;
    EXPECT_FALSE(WriteMp3Tags("", none));
    EXPECT_FALSE(WriteMp3Tags(Here("missing.mp3").c_str(), none));
    EXPECT_TRUE(Boxes().empty());
}
