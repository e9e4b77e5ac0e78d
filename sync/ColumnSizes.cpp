// The library's column sizes, as the component cuts texts to them before writing.

#include <iterator>
#include <span>

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "sync/ComponentUtilities.h"

namespace {

struct SchemaColumn {
    const char* name;
    LONG size; // characters of a text column; 2 for Yes/No; 0 for the other types
};

struct SchemaTable {
    const char* name;
    std::span<const SchemaColumn> columns;
};

// The library's 25 tables in creation order; the same tables and columns as the library's schema.
constexpr SchemaColumn k_tCustomerISPInfo[] = {
    { "CustomerID", 0 }, { "HaveISP", 2 }, { "ConnectionMethod", 0 }, { "ISPName", 50 }, { "LoginName", 50 },
    { "LoginPassword", 50 }, { "PrimaryDialupNumber", 50 }, { "SecondaryDialupNumber", 50 }, { "DialingPrefix", 0 },
    { "DisableCallWaiting", 2 }, { "CallWaiting", 2 }, { "CallWaitingPrefix", 0 }, { "EnableEmail", 2 },
    { "EmailLogin", 50 }, { "EmailPassword", 50 }, { "POPServer", 50 }, { "SMTPServer", 50 },
    { "ServerAssignedIPAddress", 2 }, { "IPAddress", 50 }, { "SubnetMask", 50 }, { "RouterAddress", 50 },
    { "ServerAssignedNameServerAddress", 2 }, { "PrimaryDNS", 50 }, { "SecondaryDNS", 50 }, { "ProxyServer", 50 },
    { "ProxyPort", 50 }, { "UnattendedAccess", 50 }, { "AccessTime", 0 }, { "Speaker", 2 }, { "DeleteFlag", 2 },
    { "ModifyFlag", 2 }, { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tCustomerMain[] = {
    { "CustomerID", 0 }, { "EmailAddress", 50 }, { "SerialNumber", 50 }, { "FirstName", 50 }, { "LastName", 50 },
    { "HomeAddress", 50 }, { "Zipcode", 50 }, { "Gender", 2 }, { "Dear", 50 }, { "Title", 50 }, { "WorkPhone", 50 },
    { "WorkExtension", 50 }, { "HomePhone", 50 }, { "MobilePhone", 50 }, { "FaxNumber", 50 }, { "PagerNumber", 50 },
    { "Birthdate", 50 }, { "MaritalStatus", 0 }, { "HomeTown", 50 }, { "City", 50 }, { "StateorProvince", 50 },
    { "Region", 50 }, { "Country", 50 }, { "SyncDate", 0 }, { "MovieRating", 0 }, { "TimeZone", 0 },
    { "DaylightSavings", 2 }, { "ParentalPassword", 50 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 },
    { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tFileDesc[] = {
    { "Name", 255 }, { "Size", 0 }, { "LastModified", 0 }, { "Created", 0 }, { "LastAccessed", 0 }, { "Path", 255 },
};

constexpr SchemaColumn k_tGenreMapTable[] = {
    { "Genre", 50 }, { "QVGenreIDForCDDB", 0 }, { "QVGenreIDForKerbango", 0 }, { "QVGenreIDForClickRadio", 0 },
    { "QVGenreIDForReal", 0 }, { "QVGenreIDForAMG", 0 },
};

constexpr SchemaColumn k_tGroup[] = {
    { "GroupID", 0 }, { "GroupName", 255 }, { "Count", 0 }, { "VOZAruzizer", 255 }, { "ZUVUduredaz", 255 },
    { "DIDIvad", 255 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 }, { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tGroupList[] = {
    { "GroupListID", 0 }, { "GroupID", 0 }, { "PlaylistID", 0 }, { "QVCDID", 0 }, { "AlbumTrackID", 0 },
    { "DeleteFlag", 2 }, { "ModifyFlag", 2 }, { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tIRadioMain[] = {
    { "QVRadioID", 0 }, { "CustomerID", 0 }, { "Station", 255 }, { "URL", 255 }, { "URLNo", 0 }, { "Stereo", 50 },
    { "Status", 50 }, { "Strength", 0 }, { "Bandwidth", 255 }, { "StreamType", 0 }, { "RadioCallSign", 255 },
    { "REDUZIDedaDora", 255 }, { "VOZAruzizer", 255 }, { "RARUzer", 255 }, { "Category", 0 }, { "City", 255 },
    { "State", 50 }, { "St", 50 }, { "ESID", 50 }, { "Country", 50 }, { "Location", 255 }, { "Language", 255 },
    { "SubCategory", 0 }, { "TypeCode", 0 }, { "HomePage", 255 }, { "Description", 255 }, { "Frequency", 50 },
    { "LongDescription", 255 }, { "WebsiteDescription", 255 }, { "NumUsers", 0 }, { "MaxUsers", 0 }, { "Author", 50 },
    { "FileExt", 50 }, { "MimeType", 50 }, { "Identifier", 255 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 },
    { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tLookupGenre[] = {
    { "QVGenreID", 0 }, { "Genre", 50 }, { "Filename", 255 },
};

constexpr SchemaColumn k_tLookupMaritalStatus[] = {
    { "Id", 0 }, { "Status", 50 },
};

constexpr SchemaColumn k_tLookupMovieRating[] = {
    { "RatingKey", 0 }, { "RatingName", 50 },
};

constexpr SchemaColumn k_tLookupSubGenre[] = {
    { "QVSubGenreID", 0 }, { "SubGenreText", 50 }, { "GenreID", 0 }, { "SubGenreID", 0 }, { "Alias", 2 },
};

constexpr SchemaColumn k_tLookupTimeZone[] = {
    { "TimeZoneKey", 0 }, { "TimeZoneName", 50 }, { "GMT", 0 },
};

constexpr SchemaColumn k_tMusicCredits[] = {
    { "QVCDID", 0 }, { "CreditName", 50 }, { "CreditNotes", 50 },
};

constexpr SchemaColumn k_tMusicMain[] = {
    { "CustomerID", 0 }, { "QVCDID", 0 }, { "TOC", 8192 }, { "Artist", 255 }, { "Title", 255 }, { "TitleSort", 255 },
    { "Label", 255 }, { "Year", 50 }, { "Note", 255 }, { "QVGenreID", 0 }, { "CoverArt", 255 },
    { "ZUVUdureDaz", 255 }, { "TitleThe", 255 }, { "ArtistFullname", 255 }, { "Compilation", 2 },
    { "SecondaryGenreID", 0 }, { "Language", 255 }, { "TotalInset", 0 }, { "NumberInSet", 0 }, { "Certifier", 50 },
    { "NumTracks", 0 }, { "NumSegments", 0 }, { "NumCredits", 0 }, { "ProductID", 50 }, { "ProductURL", 255 },
    { "ProductPrice", 0 }, { "ProductNumberOfDisks", 0 }, { "ProductAvailability", 2 }, { "SyncDate", 0 },
    { "XMLFilePath", 255 }, { "REDUZIDedaDora", 255 }, { "IsCD", 2 }, { "RSRC_HREF", 255 }, { "Location", 255 },
    { "CD", 255 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 }, { "TimeStamp", 0 }, { "HideFlag", 2 },
};

constexpr SchemaColumn k_tMusicRecommendations[] = {
    { "CustomerID", 0 }, { "OriginalCDID", 0 }, { "RecCDID", 0 },
};

constexpr SchemaColumn k_tMusicSegments[] = {
    { "CustomerID", 0 }, { "QVCDID", 0 }, { "SegmentID", 0 }, { "SegmentName", 50 }, { "SegmentNotes", 50 },
    { "SegmentStartTrack", 0 }, { "SegmentStartFrame", 0 }, { "SegmentEndTrack", 0 }, { "SegmentEndFrame", 0 },
};

constexpr SchemaColumn k_tMusicTracks[] = {
    { "QVCDID", 0 }, { "AlbumTrackID", 0 }, { "TrackNumber", 0 }, { "TrackTitle", 255 }, { "TrackLength", 0 },
    { "FilePath", 255 }, { "VUDUradUzaz", 255 }, { "Bitrate", 0 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 },
    { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tPlaylists[] = {
    { "CustomerID", 0 }, { "PlaylistID", 0 }, { "PlaylistName", 255 }, { "CoverArt", 255 }, { "ZUVUdureDaz", 255 },
    { "REDUZIDedaDora", 255 }, { "XMLFilePath", 255 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 }, { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tPlaylistTracks[] = {
    { "PlaylistID", 0 }, { "AlbumTrackID", 0 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 }, { "TimeStamp", 0 },
    { "PlayOrder", 0 },
};

constexpr SchemaColumn k_tRadioStream[] = {
    { "QVRadioID", 0 }, { "URLNo", 0 }, { "URLName", 255 }, { "Bandwidth", 255 }, { "Status", 255 },
    { "StreamType", 255 }, { "bStereo", 0 }, { "Strength", 0 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 },
    { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tSearchFileDesc[] = {
    { "Name", 255 }, { "Size", 0 }, { "LastModified", 0 }, { "Created", 0 }, { "LastAccessed", 0 }, { "Path", 255 },
};

constexpr SchemaColumn k_tIRadioGroup[] = {
    { "GroupID", 0 }, { "GroupName", 255 }, { "Count", 0 }, { "VOZAruzizer", 255 }, { "ZUVUduredaz", 255 },
    { "DIDIvad", 255 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 }, { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tIRadioGroupList[] = {
    { "GroupListID", 0 }, { "RadioGroupID", 0 }, { "QVRadioID", 0 }, { "DeleteFlag", 2 }, { "ModifyFlag", 2 },
    { "TimeStamp", 0 },
};

constexpr SchemaColumn k_tQVStyleSheets[] = {
    { "QVStyleSheetID", 0 }, { "QVStyleSheetName", 50 }, { "QVMediaTypeName", 50 }, { "QVMediaTypeSheet", 0 },
    { "QVMediaDARPath", 255 }, { "QVSyncOrder", 0 },
};

constexpr SchemaColumn k_tLookupRadioGenre[] = {
    { "QVGenreID", 0 }, { "Genre", 50 },
};

constexpr SchemaTable kSchema[] = {
    { "tCustomerISPInfo", k_tCustomerISPInfo },
    { "tCustomerMain", k_tCustomerMain },
    { "tFileDesc", k_tFileDesc },
    { "tGenreMapTable", k_tGenreMapTable },
    { "tGroup", k_tGroup },
    { "tGroupList", k_tGroupList },
    { "tIRadioMain", k_tIRadioMain },
    { "tLookupGenre", k_tLookupGenre },
    { "tLookupMaritalStatus", k_tLookupMaritalStatus },
    { "tLookupMovieRating", k_tLookupMovieRating },
    { "tLookupSubGenre", k_tLookupSubGenre },
    { "tLookupTimeZone", k_tLookupTimeZone },
    { "tMusicCredits", k_tMusicCredits },
    { "tMusicMain", k_tMusicMain },
    { "tMusicRecommendations", k_tMusicRecommendations },
    { "tMusicSegments", k_tMusicSegments },
    { "tMusicTracks", k_tMusicTracks },
    { "tPlaylists", k_tPlaylists },
    { "tPlaylistTracks", k_tPlaylistTracks },
    { "tRadioStream", k_tRadioStream },
    { "tSearchFileDesc", k_tSearchFileDesc },
    { "tIRadioGroup", k_tIRadioGroup },
    { "tIRadioGroupList", k_tIRadioGroupList },
    { "tQVStyleSheets", k_tQVStyleSheets },
    { "tLookupRadioGenre", k_tLookupRadioGenre },
};

} // namespace

LONG GetColumnSize(std::string_view table, std::string_view column)
{
    for (const SchemaTable& entry : kSchema) {
        if (!platform::EqualsNoCase(entry.name, table))
            continue;
        for (const SchemaColumn& field : entry.columns) {
            if (platform::EqualsNoCase(field.name, column))
                return field.size;
        }
        return 0;
    }
    return 0;
}

bool TruncateToColumn(std::string& out, const std::string& text, LONG maximum)
{
    const std::size_t limit = maximum > 0 ? static_cast<std::size_t>(maximum) : 0;
    // Counted and cut by characters, so a multi-byte character is never split.
    if (platform::CountUtf8Characters(text) > limit)
        out = std::string(platform::CutUtf8Characters(text, limit));
    else
        out = text;
    return true;
}
