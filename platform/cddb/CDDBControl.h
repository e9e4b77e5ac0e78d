#pragma once
// The CD-database control as its clients see it: a tag reader for MP3 files, the CD look-up control,
// the file identifier, and the disc, track and genre objects they hand out. The classes live in the
// component library "CDDBControl.dll" and are created through the component model by class id.
//
// The CD database is a folder of disc files in the xmcd text format, one sub-folder per category
// ("rock\a50e1d0d"). The folder is named by the value CDDatabaseFolder of the program's settings key
// (HKEY_CURRENT_USER\Software\Corvane\Tune Steward\Settings); without it, the folder "cddb" of the
// platform's home folder is used. A file "drive" in that folder stands for the disc in the drive: its
// first word is that disc's id. See CdDatabase.h for the rules of look-ups and file identification.
//
// Every method returns an HRESULT. "None" is S_FALSE with a null object; failures also set the thread's
// error information with a description.

#include "platform/com/ComDef.h"
#include "platform/com/OleAuto.h"

inline constexpr CLSID CLSID_TagReader = platform::MakeGuid("D734EAE8-0810-4513-99B6-DDAC4BC30E29");
inline constexpr CLSID CLSID_CdLookupControl = platform::MakeGuid("F4BAFF02-F907-11D2-8F8F-00C04F4C3B9F");
inline constexpr CLSID CLSID_FileIdentifier = platform::MakeGuid("DFEF3E96-F1D4-47CE-A429-2CC8C10DFDB6");

// Where the control finds its CD database.
inline constexpr const char* kCdDatabaseSettingsKey = "Software\\Corvane\\Tune Steward\\Settings";
inline constexpr const char* kCdDatabaseFolderValue = "CDDatabaseFolder";

// Reads and writes the tags of one MP3 file (ID3v2, and ID3v1 where the file has one).
struct ITagReader : IUnknown {
    // Opens the file: mode 1 for reading only, 0 for reading and writing. Fails for a missing,
    // unreadable or non-MPEG file.
    virtual HRESULT LoadFile(BSTR path, LONG mode) = 0;
    // The tag texts, empty when the file has none. The genre keeps numeric references as "(n)".
    virtual HRESULT get_AlbumText(BSTR* text) = 0;
    virtual HRESULT get_ArtistText(BSTR* text) = 0;
    virtual HRESULT get_TrackTitleText(BSTR* text) = 0;
    virtual HRESULT get_YearText(BSTR* text) = 0;
    virtual HRESULT get_CommentText(BSTR* text) = 0;
    virtual HRESULT get_GenreText(BSTR* text) = 0;
    virtual HRESULT get_LabelText(BSTR* text) = 0;
    // Changes a tag text in memory; SaveTags stores the changes.
    virtual HRESULT put_AlbumText(BSTR text) = 0;
    virtual HRESULT put_ArtistText(BSTR text) = 0;
    virtual HRESULT put_TrackTitleText(BSTR text) = 0;
    virtual HRESULT put_YearText(BSTR text) = 0;
    virtual HRESULT put_CommentText(BSTR text) = 0;
    virtual HRESULT put_GenreText(BSTR text) = 0;
    virtual HRESULT put_LabelText(BSTR text) = 0;
    // The text of the ID3v2 frame with a four-letter id ("TLAN", "TRCK", "TLEN"); empty when absent.
    virtual HRESULT GetFrame(BSTR frameId, BSTR* text) = 0;
    // Replaces the ID3v2 text frame frameId (a "T" frame other than "TXXX") with text.
    virtual HRESULT SetFrame(BSTR frameId, BSTR text) = 0;
    // Writes the changed tags into the file; fails for a file loaded for reading only.
    virtual HRESULT SaveTags() = 0;
};
TS_DEFINE_IID(ITagReader, "0306D2A8-B7E2-4EA2-ADC6-78F80D65B1E2");

// One track of a disc.
struct ITrackInfo : IUnknown {
    virtual HRESULT get_TitleText(BSTR* text) = 0;
};
TS_DEFINE_IID(ITrackInfo, "0BB07B13-0CC8-11D3-B00E-00C04F4C0826");

// One disc of the CD database.
struct IDiscInfo : IUnknown {
    // The disc's category, which is also its genre id for IGenreList ("rock").
    virtual HRESULT get_DiscGenreId(BSTR* text) = 0;
    virtual HRESULT get_DiscTitle(BSTR* text) = 0;
    virtual HRESULT get_DiscArtist(BSTR* text) = 0;
    virtual HRESULT get_DiscYear(BSTR* text) = 0;
    // Track number (from 1); E_INVALIDARG when the disc has no such track.
    virtual HRESULT TrackOf(LONG number, ITrackInfo** track) = 0;
};
TS_DEFINE_IID(IDiscInfo, "B0528CE3-F67E-11D2-8F8E-00C04F4C3B9F");

// The names of the CD database's genres.
struct IGenreList : IUnknown {
    // The display name of a genre id ("newage" is "New Age"); an id outside the standard categories
    // names itself.
    virtual HRESULT GenreName(BSTR genreId, BSTR* name) = 0;
};
TS_DEFINE_IID(IGenreList, "8F8A59E5-1388-11D3-8F9D-00C04F4C3B9F");

// What a look-up asks for: the disc id of the disc in the drive.
struct ICdQuery : IUnknown {
    virtual HRESULT get_DiscId(BSTR* text) = 0;
};
TS_DEFINE_IID(ICdQuery, "5C1D7A30-2E48-4B9F-9A61-3D0C8E7F4B21");

// Looks discs up in the CD database.
struct ICdLookupControl : IUnknown {
    // The query for the disc in the drive (an ICdQuery); none when the drive holds no disc.
    virtual HRESULT GetQuerySource(IUnknown** source) = 0;
    // The disc the query names (an IDiscInfo); none when the database has no such disc.
    virtual HRESULT RunLookup(IUnknown* source, IUnknown** result) = 0;
    // The disc of a look-up result; none for a null result.
    virtual HRESULT GetDiscInfo(IUnknown* result, LONG flags, IDiscInfo** disc) = 0;
    // The genre names.
    virtual HRESULT GetGenreList(LONG flags, IGenreList** list) = 0;
};
TS_DEFINE_IID(ICdLookupControl, "F4BAFF01-F907-11D2-8F8F-00C04F4C3B9F");

// Finds the disc an MP3 file comes from.
struct IFileIdentifier : IUnknown {
    // The disc whose artist and title are the file's artist and album tags, with the file's track number
    // on it (0 when no track title matches); none when no disc matches.
    virtual HRESULT IdentifyFile(BSTR path, LONG flags, LONG* trackNumber, IDiscInfo** disc) = 0;
};
TS_DEFINE_IID(IFileIdentifier, "B2C767ED-0E50-4A1D-AF6E-EAF1F16EB1C2");

_COM_SMARTPTR_TYPEDEF(ITagReader, platform::IidOf<ITagReader>());
_COM_SMARTPTR_TYPEDEF(ITrackInfo, platform::IidOf<ITrackInfo>());
_COM_SMARTPTR_TYPEDEF(IDiscInfo, platform::IidOf<IDiscInfo>());
_COM_SMARTPTR_TYPEDEF(IGenreList, platform::IidOf<IGenreList>());
_COM_SMARTPTR_TYPEDEF(ICdQuery, platform::IidOf<ICdQuery>());
_COM_SMARTPTR_TYPEDEF(ICdLookupControl, platform::IidOf<ICdLookupControl>());
_COM_SMARTPTR_TYPEDEF(IFileIdentifier, platform::IidOf<IFileIdentifier>());
