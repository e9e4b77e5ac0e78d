// The tables of a library file in creation order, with their schema dates and field records.
// Generated from the schema definition; edit the definition, not this file.

#include "library/LibrarySchema.h"

namespace {

constexpr SchemaField k_tCustomerISPInfo[] = {
    { "CustomerID", "Number", "0", "False", "" },
    { "HaveISP", "Yes/No", "2", "False", "" },
    { "ConnectionMethod", "Number", "0", "False", "" },
    { "ISPName", "Text", "50", "False", "" },
    { "LoginName", "Text", "50", "False", "Login name" },
    { "LoginPassword", "Text", "50", "False", "" },
    { "PrimaryDialupNumber", "Text", "50", "False", "" },
    { "SecondaryDialupNumber", "Text", "50", "False", "" },
    { "DialingPrefix", "Number", "0", "False", "" },
    { "DisableCallWaiting", "Yes/No", "2", "False", "" },
    { "CallWaiting", "Yes/No", "2", "False", "" },
    { "CallWaitingPrefix", "Number", "0", "False", "" },
    { "EnableEmail", "Yes/No", "2", "False", "" },
    { "EmailLogin", "Text", "50", "False", "" },
    { "EmailPassword", "Text", "50", "False", "" },
    { "POPServer", "Text", "50", "False", "" },
    { "SMTPServer", "Text", "50", "False", "" },
    { "ServerAssignedIPAddress", "Yes/No", "2", "False", "" },
    { "IPAddress", "Text", "50", "False", "" },
    { "SubnetMask", "Text", "50", "False", "" },
    { "RouterAddress", "Text", "50", "False", "" },
    { "ServerAssignedNameServerAddress", "Yes/No", "2", "False", "" },
    { "PrimaryDNS", "Text", "50", "False", "" },
    { "SecondaryDNS", "Text", "50", "False", "" },
    { "ProxyServer", "Text", "50", "False", "" },
    { "ProxyPort", "Text", "50", "False", "" },
    { "UnattendedAccess", "Text", "50", "False", "" },
    { "AccessTime", "Date/Time", "0", "False", "" },
    { "Speaker", "Yes/No", "2", "False", "" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tCustomerMain[] = {
    { "CustomerID", "AutoNumber", "0", "True", "The QV unique customer ID" },
    { "EmailAddress", "Text", "50", "False", "The customer Email address" },
    { "SerialNumber", "Text", "50", "False", "The serial number of the customer's system" },
    { "FirstName", "Text", "50", "False", "The customer first name" },
    { "LastName", "Text", "50", "False", "The customer last name" },
    { "HomeAddress", "Text", "50", "False", "The customer home address" },
    { "Zipcode", "Text", "50", "False", "The customer zipcode" },
    { "Gender", "Yes/No", "2", "False", "The customer gender" },
    { "Dear", "Text", "50", "False", "The customer greeting" },
    { "Title", "Text", "50", "False", "The customer title" },
    { "WorkPhone", "Text", "50", "False", "The customer work telephone" },
    { "WorkExtension", "Text", "50", "False", "The customer work extension" },
    { "HomePhone", "Text", "50", "False", "The customer home phone" },
    { "MobilePhone", "Text", "50", "False", "The customer mobile phone" },
    { "FaxNumber", "Text", "50", "False", "The customer fax number" },
    { "PagerNumber", "Text", "50", "False", "The customer pager number" },
    { "Birthdate", "Text", "50", "False", "The customers birthdate" },
    { "MaritalStatus", "Number", "0", "False", "The customer marital status" },
    { "HomeTown", "Text", "50", "False", "The customer home town" },
    { "City", "Text", "50", "False", "The customer city" },
    { "StateorProvince", "Text", "50", "False", "The customer state" },
    { "Region", "Text", "50", "False", "The customer region" },
    { "Country", "Text", "50", "False", "The customer country" },
    { "SyncDate", "Date/Time", "0", "False", "The last synch date of the record" },
    { "MovieRating", "Number", "0", "False", "The movie rating allowed for this customer" },
    { "TimeZone", "Number", "0", "False", "The timezone that the customer is in" },
    { "DaylightSavings", "Yes/No", "2", "False", "Whether the timezone observes daylight savings or not" },
    { "ParentalPassword", "Text", "50", "False", "The parental password for the system" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tFileDesc[] = {
    { "Name", "Text", "255", "False", "Name of the file" },
    { "Size", "Number", "0", "False", "Size of the file" },
    { "LastModified", "Date/Time", "0", "False", "Last Modified time of the file" },
    { "Created", "Date/Time", "0", "False", "Creation time of the file" },
    { "LastAccessed", "Date/Time", "0", "False", "Last Accessed time of the file" },
    { "Path", "Text", "255", "False", "Path of the file." },
};

constexpr SchemaField k_tGenreMapTable[] = {
    { "Genre", "Text", "50", "True", "User friendly representation of the genre." },
    { "QVGenreIDForCDDB", "Number", "0", "False", "Internal genre ID used by Corvane" },
    { "QVGenreIDForKerbango", "Number", "0", "False", "Internal genre ID used by Corvane" },
    { "QVGenreIDForClickRadio", "Number", "0", "False", "Internal genre ID used by Corvane" },
    { "QVGenreIDForReal", "Number", "0", "False", "Internal genre ID used by Corvane" },
    { "QVGenreIDForAMG", "Number", "0", "False", "Internal genre ID used by Corvane" },
};

constexpr SchemaField k_tGroup[] = {
    { "GroupID", "AutoNumber", "0", "True", "unique Identifier for group" },
    { "GroupName", "Text", "255", "False", "name of group" },
    { "Count", "Number", "0", "False", "number of albums and playlist in the group" },
    { "VOZAruzizer", "Text", "255", "False", "ZIR resource used to identify the group" },
    { "ZUVUduredaz", "Text", "255", "False", "coverart" },
    { "DIDIvad", "Text", "255", "False", "ZIR path to XML file, containing group information" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tGroupList[] = {
    { "GroupListID", "AutoNumber", "0", "False", "Primary key for grouplist rows" },
    { "GroupID", "Number", "0", "False", "Foreign key from tGroup.GroupID" },
    { "PlaylistID", "Number", "0", "False", "Foreign key to tPlaylist.PlaylistID" },
    { "QVCDID", "Number", "0", "False", "Foreign key to tMusicMain.QVCDID" },
    { "AlbumTrackID", "Number", "0", "False", "Foreign key to tMusicTracks.AlbumTrackID" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tIRadioMain[] = {
    { "QVRadioID", "AutoNumber", "0", "True", "Primary key" },
    { "CustomerID", "Number", "0", "False", "The customer ID of the customer owning the station entry" },
    { "Station", "Text", "255", "False", "The station name <identifier>" },
    { "URL", "Text", "255", "False", "The url to the stream for the station <internet> <href>" },
    { "URLNo", "Number", "0", "False", "A sation may have multuple URLs. This is provided by the QV Server, we store it but don't use it. <urlno>" },
    { "Stereo", "Text", "50", "False", "Is this station stereo 'Y' or 'N' <stereo>" },
    { "Status", "Text", "50", "False", "Status of station. Is it online? <status>" },
    { "Strength", "Number", "0", "False", "Strength of radio station <strength>" },
    { "Bandwidth", "Text", "255", "False", "The bandwidth of the station <bandwidth>" },
    { "StreamType", "Number", "0", "False", "The type of the stream - mp3, wma, real <streamtype>" },
    { "RadioCallSign", "Text", "255", "False", "call sign of the radio (ex. KNBR) <identifier>" },
    { "REDUZIDedaDora", "Text", "255", "False", "Full path mane to file on ZIR where meta data for this station exist <radioinfo href>" },
    { "VOZAruzizer", "Text", "255", "False", "Resource usually is the handle that the dar application uses to play that particular item <resource>" },
    { "RARUzer", "Text", "255", "False", "Full path name to ICON image for radio staion <icon href>" },
    { "Category", "Number", "0", "False", "The station genre <group>" },
    { "City", "Text", "255", "False", "The station city (not support by ZIR)" },
    { "State", "Text", "50", "False", "The station state (not support by ZIR)" },
    { "St", "Text", "50", "False", "The station state abreviation (not support by ZIR)" },
    { "ESID", "Text", "50", "False", "Encrypted station identifier (not support by ZIR)" },
    { "Country", "Text", "50", "False", "The station country (not support by ZIR)" },
    { "Location", "Text", "255", "False", "The location of the radio station <location>" },
    { "Language", "Text", "255", "False", "The station language (not support by ZIR)" },
    { "SubCategory", "Number", "0", "False", "The station subgenre (not support by ZIR)" },
    { "TypeCode", "Number", "0", "False", "The type of station - am/fm/internet (not support by ZIR)" },
    { "HomePage", "Text", "255", "False", "The station homepage (not support by ZIR)" },
    { "Description", "Text", "255", "False", "A brief description of the station (not support by ZIR)" },
    { "Frequency", "Text", "50", "False", "The frequency of the station (not support by ZIR)" },
    { "LongDescription", "Text", "255", "False", "The long description of the station (not support by ZIR)" },
    { "WebsiteDescription", "Text", "255", "False", "A description of what is on the website (not support by ZIR)" },
    { "NumUsers", "Number", "0", "False", "The current number of users on the station (not support by ZIR)" },
    { "MaxUsers", "Number", "0", "False", "The maximum number of users on the station (not support by ZIR)" },
    { "Author", "Text", "50", "False", "The author of the station (not support by ZIR)" },
    { "FileExt", "Text", "50", "False", "The extension of the stream for the station (not support by ZIR)" },
    { "MimeType", "Text", "50", "False", "The mime type of the staton (not support by ZIR)" },
    { "Identifier", "Text", "255", "False", "station identifier" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status (not support by ZIR)" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status (not support by ZIR)" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified (not support by ZIR)" },
};

constexpr SchemaField k_tLookupGenre[] = {
    { "QVGenreID", "Number", "0", "True", "Internal genre ID used by Pelican." },
    { "Genre", "Text", "50", "False", "User friendly representation of the genre" },
    { "Filename", "Text", "255", "False", "Name of Default Genre Cover Art" },
};

constexpr SchemaField k_tLookupMaritalStatus[] = {
    { "Id", "AutoNumber", "0", "True", "Identification" },
    { "Status", "Text", "50", "False", "" },
};

constexpr SchemaField k_tLookupMovieRating[] = {
    { "RatingKey", "AutoNumber", "0", "True", "" },
    { "RatingName", "Text", "50", "False", "Rating name" },
};

constexpr SchemaField k_tLookupSubGenre[] = {
    { "QVSubGenreID", "AutoNumber", "0", "True", "Primary key" },
    { "SubGenreText", "Text", "50", "False", "Genre Text" },
    { "GenreID", "Number", "0", "False", "QV Genre Index" },
    { "SubGenreID", "Number", "0", "False", "CDDB Genre Id" },
    { "Alias", "Yes/No", "2", "False", "T if this is a name found only in MP3 tags - used to identify genres when we import files" },
};

constexpr SchemaField k_tLookupTimeZone[] = {
    { "TimeZoneKey", "AutoNumber", "0", "True", "" },
    { "TimeZoneName", "Text", "50", "False", "Time zone name" },
    { "GMT", "Number", "0", "False", "" },
    { "Daylight Savings", "Yes/No", "2", "False", "" },
};

constexpr SchemaField k_tMusicCredits[] = {
    { "QVCDID", "Number", "0", "False", "CDID" },
    { "CreditName", "Text", "50", "False", "" },
    { "CreditNotes", "Text", "50", "False", "" },
};

constexpr SchemaField k_tMusicMain[] = {
    { "CustomerID", "Number", "0", "False", "Unique Corvane Customer" },
    { "QVCDID", "AutoNumber", "0", "True", "Corvane unique CD identifier" },
    { "TOC", "Memo", "8192", "False", "Table of Contents of the CD" },
    { "Artist", "Text", "255", "False", "The Artist name" },
    { "Title", "Text", "255", "False", "The title of the album" },
    { "TitleSort", "Text", "255", "False", "The title of the album to sort on - i.e. The White album vs White Album" },
    { "Label", "Text", "255", "False", "The publisher of the CD" },
    { "Year", "Text", "50", "False", "Year the CD was published" },
    { "Note", "Text", "255", "False", "Notes associated with the album" },
    { "QVGenreID", "Number", "0", "False", "Internal Genre ID used by Corvane" },
    { "CoverArt", "Text", "255", "False", "The local path of the cover image" },
    { "ZUVUdureDaz", "Text", "255", "False", "Full qualified path for the cover art image" },
    { "TitleThe", "Text", "255", "False", "Title with" },
    { "ArtistFullname", "Text", "255", "False", "The full name of the artist" },
    { "Compilation", "Yes/No", "2", "False", "Whether the CD is a compilation or not" },
    { "SecondaryGenreID", "Number", "0", "False", "Link into the genre table with all of the genres" },
    { "Language", "Text", "255", "False", "The primary language of the CD" },
    { "TotalInset", "Number", "0", "False", "Number of CD's in the set" },
    { "NumberInSet", "Number", "0", "False", "Number of the CD in the multiple CD Set" },
    { "Certifier", "Text", "50", "False", "The name of the agency certifying the CD" },
    { "NumTracks", "Number", "0", "False", "The number of tracks on the album" },
    { "NumSegments", "Number", "0", "False", "The number of segments on the album" },
    { "NumCredits", "Number", "0", "False", "The number of credits on the album" },
    { "ProductID", "Text", "50", "False", "The Commerce Product ID" },
    { "ProductURL", "Text", "255", "False", "The QV url link to the product" },
    { "ProductPrice", "Number", "0", "False", "The QV price for the product" },
    { "ProductNumberOfDisks", "Number", "0", "False", "The number of disks in the QV product" },
    { "ProductAvailability", "Yes/No", "2", "False", "The availability of the product through QV" },
    { "SyncDate", "Date/Time", "0", "False", "The last date that the record was syncronized" },
    { "XMLFilePath", "Text", "255", "False", "Local file path for the XML file corresponding to the album's dtd in client box" },
    { "REDUZIDedaDora", "Text", "255", "False", "Full qualified file path for the XML file corresponding to the album's dtd in client box" },
    { "IsCD", "Yes/No", "2", "False", "Is this album a CD" },
    { "RSRC_HREF", "Text", "255", "False", "" },
    { "Location", "Text", "255", "False", "" },
    { "CD", "Text", "255", "False", "" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
    { "HideFlag", "Yes/No", "2", "False", "Set for music that should not appear in UI" },
};

constexpr SchemaField k_tMusicRecommendations[] = {
    { "CustomerID", "Number", "0", "False", "" },
    { "OriginalCDID", "Number", "0", "False", "Original CDID" },
    { "RecCDID", "Number", "0", "False", "" },
};

constexpr SchemaField k_tMusicSegments[] = {
    { "CustomerID", "Number", "0", "False", "" },
    { "QVCDID", "Number", "0", "False", "CDID" },
    { "SegmentID", "Number", "0", "False", "" },
    { "SegmentName", "Text", "50", "False", "" },
    { "SegmentNotes", "Text", "50", "False", "" },
    { "SegmentStartTrack", "Number", "0", "False", "" },
    { "SegmentStartFrame", "Number", "0", "False", "" },
    { "SegmentEndTrack", "Number", "0", "False", "" },
    { "SegmentEndFrame", "Number", "0", "False", "" },
};

constexpr SchemaField k_tMusicTracks[] = {
    { "QVCDID", "Number", "0", "False", "Corvane unique CD Identifier" },
    { "AlbumTrackID", "AutoNumber", "0", "True", "QV Unique Song Identifier among all tracks of all albums" },
    { "TrackNumber", "Number", "0", "False", "The number of the track on the album" },
    { "TrackTitle", "Text", "255", "False", "The title of the track" },
    { "TrackLength", "Number", "0", "False", "The length of the track" },
    { "FilePath", "Text", "255", "False", "Path of the music file associated with this track, if any" },
    { "VUDUradUzaz", "Text", "255", "False", "Full qualified file path for this track" },
    { "Bitrate", "Number", "0", "False", "Bit rate of track" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tPlaylists[] = {
    { "CustomerID", "Number", "0", "False", "ID of the customer owning the playlist" },
    { "PlaylistID", "AutoNumber", "0", "True", "Internal unique Identifier for the playlist" },
    { "PlaylistName", "Text", "255", "False", "Name of the playlist" },
    { "CoverArt", "Text", "255", "False", "Local path of the cover image" },
    { "ZUVUdureDaz", "Text", "255", "False", "Full qualified path of the cover image" },
    { "REDUZIDedaDora", "Text", "255", "False", "Full qualified path of the XML file corresponding to the album's dtd in client box" },
    { "XMLFilePath", "Text", "255", "False", "Full qualified path of the XML file corresponding to the album's dtd in pelican system" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tPlaylistTracks[] = {
    { "PlaylistID", "Number", "0", "False", "Play list ID" },
    { "AlbumTrackID", "Number", "0", "False", "" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
    { "PlayOrder", "Number", "0", "False", "" },
};

constexpr SchemaField k_tRadioStream[] = {
    { "QVRadioID", "Number", "0", "True", "Foriegn key to tRadioMain Table" },
    { "URLNo", "Number", "0", "False", "Radio sequence number" },
    { "URLName", "Text", "255", "False", "URL name of the radio station" },
    { "Bandwidth", "Text", "255", "False", "Bandwidth of the stream" },
    { "Status", "Text", "255", "False", "Stream status" },
    { "StreamType", "Text", "255", "False", "The type of stream" },
    { "bStereo", "Number", "0", "False", "Stereo" },
    { "Strength", "Number", "0", "False", "The strength of the signal" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tSearchFileDesc[] = {
    { "Name", "Text", "255", "False", "Name of the file" },
    { "Size", "Number", "0", "False", "Size of the file" },
    { "LastModified", "Date/Time", "0", "False", "Last Modified time of the file" },
    { "Created", "Date/Time", "0", "False", "Creation time of the file" },
    { "LastAccessed", "Date/Time", "0", "False", "Last Accessed time of the file" },
    { "Path", "Text", "255", "False", "Path of the file" },
};

constexpr SchemaField k_tIRadioGroup[] = {
    { "GroupID", "AutoNumber", "0", "True", "unique Identifier for group" },
    { "GroupName", "Text", "255", "False", "name of group" },
    { "Count", "Number", "0", "False", "number of albums and playlist in the group" },
    { "VOZAruzizer", "Text", "255", "False", "ZIR resource used to identify the group" },
    { "ZUVUduredaz", "Text", "255", "False", "coverart" },
    { "DIDIvad", "Text", "255", "False", "ZIR path to XML file containing information on radio group" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tIRadioGroupList[] = {
    { "GroupListID", "AutoNumber", "0", "False", "Primary key for grouplist rows" },
    { "RadioGroupID", "Number", "0", "False", "Foreign key from tRadioGroup.GroupID" },
    { "QVRadioID", "Number", "0", "False", "Foreign key to tIRadioMain.PlaylistID" },
    { "DeleteFlag", "Yes/No", "2", "False", "Delete status" },
    { "ModifyFlag", "Yes/No", "2", "False", "Modified status" },
    { "TimeStamp", "Date/Time", "0", "False", "Date that record was modified" },
};

constexpr SchemaField k_tQVStyleSheets[] = {
    { "QVStyleSheetID", "AutoNumber", "0", "True", "Style Sheet ID" },
    { "QVStyleSheetName", "Text", "50", "False", "" },
    { "QVMediaTypeName", "Text", "50", "False", "" },
    { "QVMediaTypeSheet", "Memo", "0", "False", "" },
    { "QVMediaDARPath", "Text", "255", "False", "" },
    { "QVSyncOrder", "Number", "0", "False", "" },
};

constexpr SchemaField k_tLookupRadioGenre[] = {
    { "QVGenreID", "Number", "0", "True", "Internal genre ID used by Pelican." },
    { "Genre", "Text", "50", "False", "User friendly representation of the genre" },
};

} // namespace

const std::array<SchemaTable, kSchemaTableCount> LibrarySchemaTable { {
    { "tCustomerISPInfo", "05/29/2001", std::size(k_tCustomerISPInfo), k_tCustomerISPInfo },
    { "tCustomerMain", "08/13/2001", std::size(k_tCustomerMain), k_tCustomerMain },
    { "tFileDesc", "05/29/2001", std::size(k_tFileDesc), k_tFileDesc },
    { "tGenreMapTable", "05/29/2001", std::size(k_tGenreMapTable), k_tGenreMapTable },
    { "tGroup", "06/04/2001", std::size(k_tGroup), k_tGroup },
    { "tGroupList", "05/29/2001", std::size(k_tGroupList), k_tGroupList },
    { "tIRadioMain", "06/25/2001", std::size(k_tIRadioMain), k_tIRadioMain },
    { "tLookupGenre", "05/29/2001", std::size(k_tLookupGenre), k_tLookupGenre },
    { "tLookupMaritalStatus", "05/29/2001", std::size(k_tLookupMaritalStatus), k_tLookupMaritalStatus },
    { "tLookupMovieRating", "05/29/2001", std::size(k_tLookupMovieRating), k_tLookupMovieRating },
    { "tLookupSubGenre", "05/29/2001", std::size(k_tLookupSubGenre), k_tLookupSubGenre },
    { "tLookupTimeZone", "05/29/2001", std::size(k_tLookupTimeZone), k_tLookupTimeZone },
    { "tMusicCredits", "05/29/2001", std::size(k_tMusicCredits), k_tMusicCredits },
    { "tMusicMain", "02/20/2002", std::size(k_tMusicMain), k_tMusicMain },
    { "tMusicRecommendations", "05/29/2001", std::size(k_tMusicRecommendations), k_tMusicRecommendations },
    { "tMusicSegments", "05/29/2001", std::size(k_tMusicSegments), k_tMusicSegments },
    { "tMusicTracks", "05/29/2001", std::size(k_tMusicTracks), k_tMusicTracks },
    { "tPlaylists", "06/04/2001", std::size(k_tPlaylists), k_tPlaylists },
    { "tPlaylistTracks", "05/29/2001", std::size(k_tPlaylistTracks), k_tPlaylistTracks },
    { "tRadioStream", "06/04/2001", std::size(k_tRadioStream), k_tRadioStream },
    { "tSearchFileDesc", "05/29/2001", std::size(k_tSearchFileDesc), k_tSearchFileDesc },
    { "tIRadioGroup", "06/04/2001", std::size(k_tIRadioGroup), k_tIRadioGroup },
    { "tIRadioGroupList", "05/29/2001", std::size(k_tIRadioGroupList), k_tIRadioGroupList },
    { "tQVStyleSheets", "05/29/2001", std::size(k_tQVStyleSheets), k_tQVStyleSheets },
    { "tLookupRadioGenre", "05/29/2001", std::size(k_tLookupRadioGenre), k_tLookupRadioGenre },
} };
