// The CD-database control end to end through the component model: registration, tag reading and
// writing on files from lame (checked with TagLib directly), CD look-ups and file identification against
// a database folder the tests fill.

#include "platform/cddb/CDDBControl.h"
#include "platform/base/Modules.h"
#include "platform/base/Registry.h"
#include "platform/cddb/tests/Mp3Fixtures.h"
#include "platform/com/ObjBase.h"

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using mp3fixtures::MakeMp3;

namespace {

HRESULT CallExport(const char* name)
{
    const HMODULE module = LoadLibrary("CDDBControl.dll");
    if (!module)
        return E_FAIL;
    auto entry = platform::ProcCast<HRESULT (*)()>(GetProcAddress(module, name));
    const HRESULT hr = entry ? entry() : E_NOTIMPL;
    FreeLibrary(module);
    return hr;
}

// Reads a text property of a control object.
template<class Interface> std::string Text(Interface* object, HRESULT (Interface::*get)(BSTR*))
{
    BSTR text = nullptr;
    EXPECT_EQ((object->*get)(&text), S_OK);
    _bstr_t owned(text, false);
    return owned.length() ? std::string(static_cast<const char*>(owned)) : std::string();
}

std::string FrameText(ITagReader* reader, const char16_t* id)
{
    BSTR text = nullptr;
    EXPECT_EQ(reader->GetFrame(_bstr_t(id), &text), S_OK);
    _bstr_t owned(text, false);
    return owned.length() ? std::string(static_cast<const char*>(owned)) : std::string();
}

class CddbControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
        m_database = std::filesystem::current_path() / "cd database";
        std::filesystem::create_directories(m_database);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, kCdDatabaseSettingsKey, &key), ERROR_SUCCESS);
        const std::string folder = m_database.string();
        RegSetValueEx(key, kCdDatabaseFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
            static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(key);
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
    }

    void WriteDisc(const std::string& category, const std::string& name, const std::string& text)
    {
        std::filesystem::create_directories(m_database / category);
        std::ofstream(m_database / category / name, std::ios::binary) << text;
    }
    void PutDiscInDrive(const std::string& text) { std::ofstream(m_database / "drive") << text; }

    ITagReaderPtr LoadedReader(const std::string& path, LONG mode)
    {
        ITagReaderPtr reader;
        EXPECT_EQ(reader.CreateInstance(CLSID_TagReader), S_OK);
        if (reader) {
            EXPECT_EQ(reader->LoadFile(_bstr_t(path.c_str()), mode), S_OK);
        }
        return reader;
    }

    std::filesystem::path m_database;
};

constexpr const char* kDisc = "# xmcd\n"
                              "#\n"
                              "# Track frame offsets:\n"
                              "#\t150\n"
                              "DISCID=0a0b0c0d,1e1f2021\n"
                              "DTITLE=The Band / Long Pla\n"
                              "DTITLE=yer\n"
                              "DYEAR=1999\n"
                              "DGENRE=Alternative\n"
                              "TTITLE0=Opening\n"
                              "TTITLE1=Second\\nPart\n"
                              "TTITLE6=Song\n"
                              "EXTD=\n";

} // namespace

TEST_F(CddbControl, RegistersItsThreeClasses)
{
    for (REFCLSID clsid : { CLSID_TagReader, CLSID_CdLookupControl, CLSID_FileIdentifier }) {
        IUnknownPtr object;
        EXPECT_EQ(object.CreateInstance(clsid, nullptr, CLSCTX_ALL), S_OK) << platform::GuidToString(clsid);
    }
    EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);
    IUnknownPtr gone;
    EXPECT_EQ(gone.CreateInstance(CLSID_TagReader), REGDB_E_CLASSNOTREG);
}

TEST_F(CddbControl, ReadsTagsAndFrames)
{
    const std::string path = MakeMp3("tagged.mp3",
        "-b 128 --add-id3v2 --tt Song --ta 'The Band' --tl 'Long Player' --ty 1999 --tc 'A note' --tg Rock "
        "--tn 5/12 --tv TLAN=eng --tv TPUB=Label");
    ITagReaderPtr reader = LoadedReader(path, 1);
    ASSERT_TRUE(reader);
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_AlbumText), "Long Player");
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_ArtistText), "The Band");
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_TrackTitleText), "Song");
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_YearText), "1999");
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_CommentText), "A note");
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_GenreText), "Rock");
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_LabelText), "Label");
    EXPECT_EQ(FrameText(reader, u"TLAN"), "eng");
    EXPECT_EQ(FrameText(reader, u"TRCK"), "5/12");
    EXPECT_EQ(FrameText(reader, u"TLEN"), "1000") << "the encoder writes the length itself";
    EXPECT_EQ(FrameText(reader, u"TOPE"), "");

    // The old tag alone serves the texts too; a file without tags reads empty.
    ITagReaderPtr old
        = LoadedReader(MakeMp3("v1.mp3", "-b 128 --id3v1-only --tt Old --ta Them --tl Record --ty 1970"), 1);
    EXPECT_EQ(Text(old.GetInterfacePtr(), &ITagReader::get_AlbumText), "Record");
    EXPECT_EQ(Text(old.GetInterfacePtr(), &ITagReader::get_YearText), "1970");
    EXPECT_EQ(FrameText(old, u"TRCK"), "");
    ITagReaderPtr bare = LoadedReader(MakeMp3("bare.mp3", "-b 128"), 1);
    EXPECT_EQ(Text(bare.GetInterfacePtr(), &ITagReader::get_ArtistText), "");
    EXPECT_EQ(Text(bare.GetInterfacePtr(), &ITagReader::get_GenreText), "");
}

TEST_F(CddbControl, WrittenTagsReadBackWithTagLib)
{
    const std::string path
        = MakeMp3("write.mp3", "-b 128 --add-id3v2 --tt Before --ta Someone --tl Album --tv TLAN=eng");
    ITagReaderPtr writer = LoadedReader(path, 0);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->put_AlbumText(_bstr_t(u"Neues Album")), S_OK);
    EXPECT_EQ(writer->put_ArtistText(_bstr_t(u"Band ü")), S_OK);
    EXPECT_EQ(writer->put_TrackTitleText(_bstr_t(u"After")), S_OK);
    EXPECT_EQ(writer->put_YearText(_bstr_t(u"2004")), S_OK);
    EXPECT_EQ(writer->put_CommentText(_bstr_t(u"Notes")), S_OK);
    EXPECT_EQ(writer->put_GenreText(_bstr_t(u"(17)")), S_OK);
    EXPECT_EQ(writer->put_LabelText(_bstr_t(u"Imprint")), S_OK);
    EXPECT_EQ(writer->SetFrame(_bstr_t(u"TLAN"), _bstr_t(u"deu")), S_OK);
    EXPECT_EQ(writer->SaveTags(), S_OK);
    writer = nullptr;

    {
        TagLib::MPEG::File file(path.c_str());
        ASSERT_TRUE(file.isValid());
        TagLib::ID3v2::Tag* tag = file.ID3v2Tag();
        ASSERT_TRUE(tag);
        EXPECT_EQ(tag->header()->majorVersion(), 3u) << "the file's tag version is kept";
        EXPECT_EQ(tag->album().to8Bit(true), "Neues Album");
        EXPECT_EQ(tag->artist().to8Bit(true), "Band ü");
        EXPECT_EQ(tag->title().to8Bit(true), "After");
        EXPECT_EQ(tag->year(), 2004u);
        EXPECT_EQ(tag->comment().to8Bit(true), "Notes");
        EXPECT_EQ(tag->frameListMap()["TLAN"].front()->toString().to8Bit(true), "deu");
        EXPECT_EQ(tag->frameListMap()["TPUB"].front()->toString().to8Bit(true), "Imprint");
        EXPECT_TRUE(file.audioProperties() == nullptr || file.audioProperties()->lengthInSeconds() >= 0);
    }
    // A numeric genre reference reads back as written, for the importer's genre rule.
    ITagReaderPtr reader = LoadedReader(path, 1);
    EXPECT_EQ(Text(reader.GetInterfacePtr(), &ITagReader::get_GenreText), "(17)");

    // The old tag of a file that has one follows the new values.
    const std::string both = MakeMp3("both.mp3", "-b 128 --add-id3v2 --tt One --tl Two");
    {
        ITagReaderPtr bothWriter = LoadedReader(both, 0);
        ASSERT_TRUE(bothWriter);
        EXPECT_EQ(bothWriter->put_AlbumText(_bstr_t(u"Three")), S_OK);
        EXPECT_EQ(bothWriter->SaveTags(), S_OK);
    }
    TagLib::MPEG::File file(both.c_str());
    ASSERT_TRUE(file.ID3v1Tag());
    EXPECT_EQ(file.ID3v1Tag()->album().to8Bit(true), "Three");
}

TEST_F(CddbControl, TagReaderRefusals)
{
    const std::string path = MakeMp3("plain.mp3", "-b 128 --add-id3v2 --tt Kept");
    ITagReaderPtr reader;
    ASSERT_EQ(reader.CreateInstance(CLSID_TagReader), S_OK);
    BSTR text = nullptr;
    EXPECT_EQ(reader->get_AlbumText(&text), E_UNEXPECTED) << "nothing loaded";
    EXPECT_TRUE(FAILED(reader->LoadFile(_bstr_t(mp3fixtures::HerePath("missing.mp3").c_str()), 1)));
    EXPECT_TRUE(FAILED(reader->LoadFile(
        _bstr_t(mp3fixtures::WriteBytes("noise.mp3", std::vector<unsigned char>(300, 0x41)).c_str()), 1)));
    EXPECT_TRUE(FAILED(reader->LoadFile(_bstr_t(path.c_str()), 7)));

    ASSERT_EQ(reader->LoadFile(_bstr_t(path.c_str()), 1), S_OK);
    EXPECT_EQ(reader->put_TrackTitleText(_bstr_t(u"Changed")), S_OK);
    EXPECT_TRUE(FAILED(reader->SaveTags())) << "loaded for reading only";
    EXPECT_EQ(reader->SetFrame(_bstr_t(u"TXXX"), _bstr_t(u"x")), E_INVALIDARG);
    EXPECT_EQ(reader->SetFrame(_bstr_t(u"APIC"), _bstr_t(u"x")), E_INVALIDARG);
    EXPECT_EQ(reader->GetFrame(_bstr_t(u"TL"), &text), E_INVALIDARG);

    // A file that may not be written cannot be loaded for writing.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
    if (::geteuid() != 0) {
        EXPECT_TRUE(FAILED(reader->LoadFile(_bstr_t(path.c_str()), 0)));
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);

    TagLib::MPEG::File file(path.c_str());
    EXPECT_EQ(file.tag()->title().to8Bit(true), "Kept");
}

TEST_F(CddbControl, LooksUpTheDiscInTheDrive)
{
    WriteDisc("rock", "0a0b0c0d", kDisc);
    WriteDisc("jazz", "broken", "# xmcd\nDTITLE=No id here\n");
    WriteDisc("jazz", "other", "not a disc file\nDISCID=1e1f2021\n");

    ICdLookupControlPtr control;
    ASSERT_EQ(control.CreateInstance(CLSID_CdLookupControl), S_OK);
    IUnknown* source = nullptr;
    EXPECT_EQ(control->GetQuerySource(&source), S_FALSE) << "no disc in the drive";
    EXPECT_EQ(source, nullptr);

    PutDiscInDrive("1E1F2021 12 150 20000 3000\n");
    ASSERT_EQ(control->GetQuerySource(&source), S_OK);
    IUnknownPtr query(source, false);
    IUnknown* result = nullptr;
    ASSERT_EQ(control->RunLookup(query, &result), S_OK);
    IUnknownPtr found(result, false);
    IDiscInfo* disc = nullptr;
    ASSERT_EQ(control->GetDiscInfo(found, 0, &disc), S_OK);
    IDiscInfoPtr info(disc, false);
    EXPECT_EQ(Text(disc, &IDiscInfo::get_DiscGenreId), "rock");
    EXPECT_EQ(Text(disc, &IDiscInfo::get_DiscArtist), "The Band");
    EXPECT_EQ(Text(disc, &IDiscInfo::get_DiscTitle), "Long Player");
    EXPECT_EQ(Text(disc, &IDiscInfo::get_DiscYear), "1999");

    ITrackInfo* track = nullptr;
    ASSERT_EQ(disc->TrackOf(2, &track), S_OK);
    ITrackInfoPtr second(track, false);
    EXPECT_EQ(Text(track, &ITrackInfo::get_TitleText), "Second\nPart");
    ASSERT_EQ(disc->TrackOf(4, &track), S_OK) << "a gap in the titles is an untitled track";
    ITrackInfoPtr fourth(track, false);
    EXPECT_EQ(Text(track, &ITrackInfo::get_TitleText), "");
    EXPECT_EQ(disc->TrackOf(8, &track), E_INVALIDARG);
    EXPECT_EQ(disc->TrackOf(0, &track), E_INVALIDARG);

    IGenreList* genres = nullptr;
    ASSERT_EQ(control->GetGenreList(0, &genres), S_OK);
    IGenreListPtr list(genres, false);
    BSTR name = nullptr;
    ASSERT_EQ(genres->GenreName(_bstr_t(u"newage"), &name), S_OK);
    EXPECT_EQ(std::string(_bstr_t(name, false)), "New Age");
    ASSERT_EQ(genres->GenreName(_bstr_t(u"chiptune"), &name), S_OK);
    EXPECT_EQ(std::string(_bstr_t(name, false)), "chiptune");

    // A disc the database does not know, and results that are none.
    PutDiscInDrive("ffffffff 1 150 200\n");
    ASSERT_EQ(control->GetQuerySource(&source), S_OK);
    IUnknownPtr unknown(source, false);
    EXPECT_EQ(control->RunLookup(unknown, &result), S_FALSE);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(control->GetDiscInfo(nullptr, 0, &disc), S_FALSE);
    EXPECT_EQ(control->RunLookup(nullptr, &result), E_INVALIDARG);
}

TEST_F(CddbControl, DiscFilesInLatin1AreRead)
{
    WriteDisc("folk", "12345678", "# xmcd\nDISCID=12345678\nDTITLE=Caf\xE9 Trio\nTTITLE0=Ol\xE9\n");
    PutDiscInDrive("12345678");
    ICdLookupControlPtr control;
    ASSERT_EQ(control.CreateInstance(CLSID_CdLookupControl), S_OK);
    IUnknown* source = nullptr;
    ASSERT_EQ(control->GetQuerySource(&source), S_OK);
    IUnknownPtr query(source, false);
    IUnknown* result = nullptr;
    ASSERT_EQ(control->RunLookup(query, &result), S_OK);
    IUnknownPtr found(result, false);
    IDiscInfoPtr disc(found);
    ASSERT_TRUE(disc);
    EXPECT_EQ(Text(disc.GetInterfacePtr(), &IDiscInfo::get_DiscArtist), "Café Trio")
        << "no \" / \": artist and title alike";
    EXPECT_EQ(Text(disc.GetInterfacePtr(), &IDiscInfo::get_DiscTitle), "Café Trio");
}

TEST_F(CddbControl, IdentifiesFilesByTheirTags)
{
    WriteDisc("misc", "aaaa0001", "# xmcd\nDISCID=aaaa0001\nDTITLE=Someone Else / Long Player\nTTITLE0=Song\n");
    WriteDisc("rock", "0a0b0c0d", kDisc);

    IFileIdentifierPtr identifier;
    ASSERT_EQ(identifier.CreateInstance(CLSID_FileIdentifier), S_OK);
    struct Case {
        const char* file;
        const char* lameTags;
        bool found;
        LONG track;
    };
    const Case cases[] = {
        { "hit.mp3", "--tt song --ta 'the band' --tl 'LONG PLAYER' --tn 5/12", true, 7 },
        { "untitled.mp3", "--tt 'Not on it' --ta 'The Band' --tl 'Long Player'", true, 0 },
        { "no-artist.mp3", "--tt Song --tl 'Long Player'", true, 1 },
        { "other-album.mp3", "--tt Song --ta 'The Band' --tl 'Short Player'", false, 0 },
        { "no-album.mp3", "--tt Song --ta 'The Band'", false, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = MakeMp3(c.file, std::string("-b 128 --add-id3v2 ") + c.lameTags);
        LONG track = -1;
        IDiscInfo* disc = nullptr;
        EXPECT_EQ(identifier->IdentifyFile(_bstr_t(path.c_str()), 0, &track, &disc), c.found ? S_OK : S_FALSE);
        IDiscInfoPtr owned(disc, false);
        EXPECT_EQ(disc != nullptr, c.found);
        EXPECT_EQ(track, c.track);
    }

    LONG track = -1;
    IDiscInfo* disc = nullptr;
    EXPECT_TRUE(FAILED(identifier->IdentifyFile(_bstr_t(mp3fixtures::HerePath("gone.mp3").c_str()), 0, &track, &disc)));
    EXPECT_EQ(disc, nullptr);
}
