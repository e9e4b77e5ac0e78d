// The music import into a real library file: frame data and tags, defaults for other files, albums
// found or made, track numbers, duplicates, copies into the library folder with the overwrite prompt,
// the genre rules and the CD-database look-up.

#include "library/MusicImport.h"
#include "library/LookupMusicFile.h"
#include "library/tests/support/MusicLibrary.h"

#include <gtest/gtest.h>

using mp3fixtures::MakeMp3;
using mp3fixtures::WriteBytes;

namespace {

constexpr const char* kDisc = "# xmcd\n"
                              "DISCID=0a0b0c0d\n"
                              "DTITLE=The Band / Long Player\n"
                              "DYEAR=1999\n"
                              "TTITLE0=Opening\n"
                              "TTITLE1=Second\n"
                              "TTITLE6=Song\n";

std::string TrackSql(long trackId, const char* field)
{
    return std::string("SELECT ") + field + " FROM tMusicTracks WHERE AlbumTrackID = " + std::to_string(trackId);
}

std::string AlbumSql(long trackId, const char* field)
{
    return std::string("SELECT tMusicMain.") + field
        + " FROM tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE AlbumTrackID = "
        + std::to_string(trackId);
}

} // namespace

class MusicImport : public MusicLibrary { };

TEST_F(MusicImport, TaggedMp3BringsFrameDataTagsAndGenre)
{
    MakeMp3("tagged.mp3",
        "-b 128 --add-id3v2 --tt Song --ta 'The Band' --tl 'Long Player' --ty 1999 --tc 'A note' --tn 5/12 --tv "
        "TLAN=eng",
        3);
    SetTags(Here("tagged.mp3"), { { u"TCON", u"(8)Jazz" } });

    long trackId = 0;
    bool duplicate = true;
    ASSERT_EQ(AddFileToLibrary(m_host, Here("tagged.mp3").c_str(), kAlbumFromTags, &trackId, &duplicate), 1);
    EXPECT_FALSE(duplicate);
    ASSERT_GT(trackId, 0);
    EXPECT_EQ(Text(TrackSql(trackId, "TrackTitle")), "Song");
    EXPECT_EQ(Number(TrackSql(trackId, "TrackNumber")), 5);
    EXPECT_EQ(Number(TrackSql(trackId, "TrackLength")), 3);
    EXPECT_EQ(Number(TrackSql(trackId, "Bitrate")), 128);
    EXPECT_EQ(Text(TrackSql(trackId, "FilePath")), Here("tagged.mp3"))
        << "stored with its full path when files are not copied";
    EXPECT_EQ(Scalar(TrackSql(trackId, "ModifyFlag")).vt, VT_BOOL);
    EXPECT_EQ(Text(AlbumSql(trackId, "Title")), "Long Player");
    EXPECT_EQ(Text(AlbumSql(trackId, "Artist")), "The Band");
    EXPECT_EQ(Text(AlbumSql(trackId, "Year")), "1999");
    EXPECT_EQ(Text(AlbumSql(trackId, "Note")), "A note");
    EXPECT_EQ(Text(AlbumSql(trackId, "Language")), "eng");
    EXPECT_EQ(Number(AlbumSql(trackId, "QVGenreID")), 9);
    EXPECT_EQ(Number(AlbumSql(trackId, "SecondaryGenreID")), 153);
    EXPECT_EQ(m_host.m_treeAlbums, std::vector<std::string> { "Long Player" });
    EXPECT_EQ(m_host.m_lookups, 1);
    EXPECT_FALSE(m_host.m_syncRunning);
    EXPECT_TRUE(App().m_bLibraryModified);
    EXPECT_TRUE(Boxes().empty());

    // A second file of the same album and artist joins it, its taken track number moved past the highest.
    MakeMp3("same.mp3", "-b 128 --add-id3v2 --tt Other --ta 'The Band' --tl 'Long Player' --tn 5");
    long second = 0;
    ASSERT_EQ(AddFileToLibrary(m_host, Here("same.mp3").c_str(), kAlbumFromTags, &second), 1);
    EXPECT_EQ(Number(TrackSql(second, "QVCDID")), Number(TrackSql(trackId, "QVCDID")));
    EXPECT_EQ(Number(TrackSql(second, "TrackNumber")), 6);
    EXPECT_EQ(m_host.m_treeAlbums.size(), 1u);
}

TEST_F(MusicImport, OtherFilesGetTheDefaults)
{
    const std::string wma = Here("clip.wma");
    WriteBytes("clip.wma", { 'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o' });
    EXPECT_EQ(ImportFile(m_host, wma.c_str(), kAlbumFromTags), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 0) << "ImportFile passes over a .wma";

    long first = 0;
    ASSERT_EQ(AddFileToLibrary(m_host, wma.c_str(), kAlbumFromTags, &first), 1);
    EXPECT_EQ(Text(TrackSql(first, "TrackTitle")), "UnknownTitle");
    EXPECT_EQ(Number(TrackSql(first, "TrackNumber")), 1);
    EXPECT_EQ(Number(TrackSql(first, "TrackLength")), 0);
    EXPECT_EQ(Number(TrackSql(first, "Bitrate")), 0);
    EXPECT_EQ(Text(AlbumSql(first, "Title")), "UnknownAlbum");
    EXPECT_EQ(Text(AlbumSql(first, "Artist")), "UnknownArtist");
    EXPECT_EQ(Number(AlbumSql(first, "QVGenreID")), 16);
    EXPECT_EQ(Number(AlbumSql(first, "SecondaryGenreID")), -1);
    EXPECT_EQ(m_host.m_lookups, 0) << "no tag reading for other files";

    // An untagged MP3 lands in the same default album, after the first track.
    MakeMp3("untagged.mp3", "-b 128");
    long second = 0;
    ASSERT_EQ(ImportFile(m_host, Here("untagged.mp3").c_str(), kAlbumFromTags), 1);
    ASSERT_EQ(AddFileToLibrary(m_host, Here("untagged.mp3").c_str(), kAlbumFromTags, &second), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain"), 1);
    EXPECT_EQ(Number("SELECT MAX(TrackNumber) FROM tMusicTracks"), 2);

    // A new album for a file whatever its tags.
    MakeMp3("loose.mp3", "-b 128 --add-id3v2 --tl Kept --ta Someone");
    long third = 0;
    ASSERT_EQ(AddFileToLibrary(m_host, Here("loose.mp3").c_str(), kNewAlbum, &third), 1);
    EXPECT_EQ(Text(AlbumSql(third, "Title")), "New Album");
    EXPECT_EQ(Text(AlbumSql(third, "Artist")), "UnknownArtist");
}

TEST_F(MusicImport, ReimportIsADuplicate)
{
    MakeMp3("twice.mp3", "-b 128 --add-id3v2 --tt Twice");
    long first = 0;
    ASSERT_EQ(ImportFile(m_host, Here("twice.mp3").c_str(), kAlbumFromTags), 1);
    first = Number("SELECT MAX(AlbumTrackID) FROM tMusicTracks");

    long again = 0;
    bool duplicate = false;
    EXPECT_EQ(AddFileToLibrary(m_host, Here("twice.mp3").c_str(), kAlbumFromTags, &again, &duplicate), 1);
    EXPECT_TRUE(duplicate);
    EXPECT_EQ(again, first);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0],
        "The following file already exists in the local music library: \n\n" + Here("twice.mp3")
            + " is already added in the library.");
}

TEST_F(MusicImport, CopiesIntoTheLibraryFolderAskingBeforeOverwriting)
{
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("copied.mp3", "-b 128 --add-id3v2 --tt Copied");
    long trackId = 0;
    ASSERT_EQ(AddFileToLibrary(m_host, Here("copied.mp3").c_str(), kAlbumFromTags, &trackId), 1);
    EXPECT_EQ(Text(TrackSql(trackId, "FilePath")), "Music\\MP3s\\copied.mp3");
    EXPECT_NE(GetFileAttributes(GetMp3Path() + "copied.mp3"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(m_host.m_prompts.empty());

    // The library's own copy, named in another case, is neither copied nor asked about: it is the duplicate.
    CString own = GetMp3Path() + "COPIED.MP3";
    bool duplicate = false;
    EXPECT_EQ(AddFileToLibrary(m_host, own, kAlbumFromTags, nullptr, &duplicate), 1);
    EXPECT_TRUE(m_host.m_prompts.empty());

    // A file of the same name from elsewhere: Cancel, No, then Yes on All, which covers the next file.
    std::filesystem::create_directories("other");
    std::filesystem::create_directories("third");
    ASSERT_TRUE(CopyFile(Here("copied.mp3").c_str(), Here("other\\new.mp3").c_str(), FALSE));
    ASSERT_TRUE(CopyFile(Here("copied.mp3").c_str(), Here("third\\new2.mp3").c_str(), FALSE));
    ASSERT_TRUE(CopyFile(Here("copied.mp3").c_str(), CString(GetMp3Path() + "new.mp3"), FALSE));
    ASSERT_TRUE(CopyFile(Here("copied.mp3").c_str(), CString(GetMp3Path() + "new2.mp3"), FALSE));
    m_host.m_answers = { IDCANCEL, IDNO, IDYESTOALL };
    EXPECT_EQ(AddFileToLibrary(m_host, Here("other\\new.mp3").c_str(), kAlbumFromTags), -1);
    EXPECT_EQ(AddFileToLibrary(m_host, Here("other\\new.mp3").c_str(), kAlbumFromTags), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 1);
    EXPECT_EQ(AddFileToLibrary(m_host, Here("other\\new.mp3").c_str(), kAlbumFromTags), 1);
    EXPECT_TRUE(m_host.YesToAll());
    EXPECT_EQ(AddFileToLibrary(m_host, Here("third\\new2.mp3").c_str(), kAlbumFromTags), 1);
    EXPECT_EQ(m_host.m_prompts, (std::vector<std::string> { "new.mp3", "new.mp3", "new.mp3" }));

    // ImportFile asks again for every file.
    ASSERT_TRUE(CopyFile(Here("copied.mp3").c_str(), Here("other\\new3.mp3").c_str(), FALSE));
    ASSERT_TRUE(CopyFile(Here("copied.mp3").c_str(), CString(GetMp3Path() + "new3.mp3"), FALSE));
    m_host.m_answers = { IDNO };
    EXPECT_EQ(ImportFile(m_host, Here("other\\new3.mp3").c_str(), kAlbumFromTags), 0);
    EXPECT_EQ(m_host.m_prompts.size(), 4u);
}

TEST_F(MusicImport, CopyFailureIsReportedAndAddsNothing)
{
    App().m_bCopyMusicFiles = TRUE;
    MakeMp3("source.mp3", "-b 128");
    // The music folder is gone: the copy cannot be made.
    ASSERT_TRUE(std::filesystem::remove(platform::ToNativePath(GetMp3Path().GetString())));
    EXPECT_EQ(AddFileToLibrary(m_host, Here("source.mp3").c_str(), kAlbumFromTags), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain"), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0],
        "Failed to copy the music file: " + Here("source.mp3") + " into the location: " + std::string(GetMp3Path())
            + ".");
}

TEST_F(MusicImport, GenreRules)
{
    struct Case {
        const char16_t* genre;
        bool ignoreTags;
        long genreId;
        long subGenreId;
    };
    const Case cases[] = {
        { u"(8)Jazz", false, 9, 153 }, // the name after the first ")"
        { u"  Jazz ", false, 9, 153 }, { u"(17)", false, 16, -1 }, // a reference alone names nothing
        { u"Rock", false, 16, -1 }, // two sub-genres of that name: unmapped
        { u"Jazz", true, 16, -1 }, // the tags' genres ignored
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        App().m_bIgnoreMp3Tags = c.ignoreTags;
        const std::string name = "genre" + std::to_string(n++) + ".mp3";
        MakeMp3(name, "-b 128 --add-id3v2 --tt x");
        SetTags(Here(name), { { u"TCON", c.genre } });
        MusicFileValues values;
        EXPECT_TRUE(LookupMusicFile(m_host, Here(name).c_str(), values));
        EXPECT_EQ(values.genreId, c.genreId);
        EXPECT_EQ(values.subGenreId, c.subGenreId);
    }
}

TEST_F(MusicImport, TagsAndTheirLimits)
{
    MakeMp3("frames.mp3", "-b 128 --add-id3v2 --tt Title --tn 5/12", 2);
    SetTags(Here("frames.mp3"), { { u"TLEN", u"999" } });
    MusicFileValues values;
    values.trackLengthText = "7";
    ASSERT_TRUE(LookupMusicFile(m_host, Here("frames.mp3").c_str(), values));
    EXPECT_EQ(values.trackLengthText, "7") << "under a second of TLEN keeps the frame reader's length";
    EXPECT_EQ(values.trackNumberText, "5/12");
    SetTags(Here("frames.mp3"), { { u"TLEN", u"125000" } });
    ASSERT_TRUE(LookupMusicFile(m_host, Here("frames.mp3").c_str(), values));
    EXPECT_EQ(values.trackLengthText, "125");

    // Without the control nothing is read, not even the tags.
    App().m_bCDDBControlPresent = FALSE;
    MusicFileValues untouched;
    EXPECT_TRUE(LookupMusicFile(m_host, Here("frames.mp3").c_str(), untouched));
    EXPECT_TRUE(untouched.trackTitle.IsEmpty());
    long trackId = 0;
    ASSERT_EQ(AddFileToLibrary(m_host, Here("frames.mp3").c_str(), kAlbumFromTags, &trackId), 1);
    EXPECT_EQ(Text(TrackSql(trackId, "TrackTitle")), "UnknownTitle");
    EXPECT_EQ(Number(TrackSql(trackId, "Bitrate")), 128) << "frame data is read all the same";
    App().m_bCDDBControlPresent = TRUE;

    // An empty path, and a file the tag reader cannot load: false, the values as they were.
    EXPECT_FALSE(LookupMusicFile(m_host, "", values));
    WriteBytes("noise.mp3", std::vector<unsigned char>(400, 0x55));
    MusicFileValues noise;
    noise.artist = "kept";
    EXPECT_FALSE(LookupMusicFile(m_host, Here("noise.mp3").c_str(), noise));
    EXPECT_EQ(noise.artist, "kept");

    // Texts longer than their columns are cut.
    MakeMp3("long.mp3", "-b 128 --add-id3v2 --tl " + std::string(300, 'a') + " --tt " + std::string(300, 'b'));
    ASSERT_EQ(AddFileToLibrary(m_host, Here("long.mp3").c_str(), kAlbumFromTags, &trackId), 1);
    EXPECT_EQ(Text(AlbumSql(trackId, "Title")).size(),
        static_cast<std::size_t>(_ADODatabaseHelper::FieldSizeOf("tMusicMain", "Title")));
    EXPECT_EQ(Text(TrackSql(trackId, "TrackTitle")).size(),
        static_cast<std::size_t>(_ADODatabaseHelper::FieldSizeOf("tMusicTracks", "TrackTitle")));
}

TEST_F(MusicImport, CdLookUpFillsWhatTheTagsLeaveOpen)
{
    App().m_bUseCDDBControl = TRUE;
    WriteDisc("newage", "0a0b0c0d", kDisc);

    // The file identifier knows the file: its track number replaces the tag's.
    MakeMp3("known.mp3", "-b 128 --add-id3v2 --tt Song --ta 'The Band' --tl 'Long Player' --tn 5/12");
    MusicFileValues values;
    ASSERT_TRUE(LookupMusicFile(m_host, Here("known.mp3").c_str(), values));
    EXPECT_EQ(values.trackNumberText, "7");
    EXPECT_EQ(values.year, "1999");
    EXPECT_EQ(values.genreId, 10) << "the disc's genre New Age";
    EXPECT_EQ(values.subGenreId, 166);

    // An unknown file goes to the disc in the drive, which fills the empty album, artist, year and title.
    MakeMp3("anonymous.mp3", "-b 128 --add-id3v2 --tc remark --tn 2");
    PutDiscInDrive("0A0B0C0D");
    MusicFileValues filled;
    ASSERT_TRUE(LookupMusicFile(m_host, Here("anonymous.mp3").c_str(), filled));
    EXPECT_EQ(filled.albumTitle, "Long Player");
    EXPECT_EQ(filled.artist, "The Band");
    EXPECT_EQ(filled.year, "1999");
    EXPECT_EQ(filled.trackTitle, "Second");
    EXPECT_EQ(filled.note, "remark") << "notes never come from the database";
    EXPECT_TRUE(g_bStopRaiseMatchWindow);

    // A rock disc: the first of the two "Rock" sub-genres.
    WriteDisc("rock", "0e0e0e0e", "# xmcd\nDISCID=0e0e0e0e\nDTITLE=Loud / Louder\nTTITLE0=One\nTTITLE1=Two\n");
    PutDiscInDrive("0e0e0e0e");
    _ADORecordsetHelper rows;
    const _variant_t rock("Rock");
    ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qSubGenreByName", &rock, 1, rows.ReceivePointer(), nullptr, -1));
    const long firstGenre = rows.GetValue("GenreID").lVal;
    const long firstSubGenre = rows.GetValue("SubGenreID").lVal;
    rows.Release();
    MusicFileValues loud;
    ASSERT_TRUE(LookupMusicFile(m_host, Here("anonymous.mp3").c_str(), loud));
    EXPECT_EQ(loud.trackTitle, "Two");
    EXPECT_EQ(loud.genreId, firstGenre);
    EXPECT_EQ(loud.subGenreId, firstSubGenre);

    // A disc without the file's track: the failure inside ends the look-up, what was filled stays.
    WriteDisc("rock", "0f0f0f0f", "# xmcd\nDISCID=0f0f0f0f\nDTITLE=Short / Single\nTTITLE0=Only\n");
    PutDiscInDrive("0f0f0f0f");
    MusicFileValues single;
    EXPECT_FALSE(LookupMusicFile(m_host, Here("anonymous.mp3").c_str(), single));
    EXPECT_EQ(single.albumTitle, "Single");
    EXPECT_TRUE(single.trackTitle.IsEmpty());
    EXPECT_EQ(single.genreId, 16);

    // No answer: false, and the import goes on with the defaults.
    PutDiscInDrive("ffffffff");
    MusicFileValues none;
    EXPECT_FALSE(LookupMusicFile(m_host, Here("anonymous.mp3").c_str(), none));
    EXPECT_TRUE(none.albumTitle.IsEmpty());
    std::filesystem::remove(m_database / "drive");
    EXPECT_FALSE(LookupMusicFile(m_host, Here("anonymous.mp3").c_str(), none)) << "no disc in the drive";
}
