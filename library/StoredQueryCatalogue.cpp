// The stored queries of a library file at their fixed positions: date, name and statement.
// Generated from the query definitions; edit the definitions, not this file.

#include "library/StoredQueryCatalogue.h"

const std::array<StoredQueryEntry, kStoredQueryCount> StoredQueryCatalogue { {
    // 0
    { "05/29/2001", "qAddFile",
        "PARAMETERS qpName Text ( 255 ), qpSize Long, qpLastModified DateTime, qpCreated DateTime, qpLastAccessed DateTime, qpPath Text ( 255 ); INSERT INTO tFileDesc ( Name, [Size], LastModified, Created, LastAccessed, Path ) SELECT [qpName] AS Expr1, [qpSize] AS Expr2, [qpLastModified] AS Expr3, [qpCreated] AS Expr4, [qpLastAccessed] AS Expr5, [qpPath] AS Expr6;" },
    // 1
    { "05/29/2001", "qAddPlaylist",
        "PARAMETERS qpCustomerID Long, qpPlaylistName Text ( 255 ); INSERT INTO tPlaylists ( CustomerID, PlaylistName, ModifyFlag, [TimeStamp] ) SELECT [qpCustomerID] AS Expr1, [qpPlaylistName] AS Expr2, True AS Expr3, Now() AS Expr4;" },
    // 2
    { "06/29/2001", "qAddSearchFile",
        "PARAMETERS qpName Text ( 255 ), qpSize Long, qpLastModified DateTime, qpCreated DateTime, qpLastAccessed DateTime, qpPath Text ( 255 ); INSERT INTO tSearchFileDesc ( Name, [Size], LastModified, Created, LastAccessed, Path ) SELECT [qpName] AS Expr1, [qpSize] AS Expr2, [qpLastModified] AS Expr3, [qpCreated] AS Expr4, [qpLastAccessed] AS Expr5, [qpPath] AS Expr6;" },
    // 3
    { "06/05/2001", "qAddToGroup",
        "PARAMETERS qpGroupID Long, qpPlaylistID Long, qpQVCDID Long, qpAlbumTrackID Long; INSERT INTO tGroupList ( GroupID, PlaylistID, QVCDID, AlbumTrackID, ModifyFlag, [TimeStamp] ) SELECT [qpGroupID] AS Expr1, [qpPlaylistID] AS Expr2, [qpQVCDID] AS Expr3, [qpAlbumTrackID] AS Expr4, True AS Expr5, Now() AS Expr6;" },
    // 4
    { "06/26/2001", "qChangeMusicGroup",
        "PARAMETERS qpGroupID Long, qpQVCDID Long; UPDATE tGroupList SET tGroupList.GroupID = [qpGroupID], tGroupList.[TimeStamp] = Now(), tGroupList.ModifyFlag = True WHERE (((tGroupList.QVCDID)=[qpQVCDID]));" },
    // 5
    { "06/27/2001", "qChangeRadioGroup",
        "PARAMETERS qpGroupID Long, qpQVRadioID Long; UPDATE tIRadioGroupList SET tIRadioGroupList.RadioGroupID = [qpGroupID], tIRadioGroupList.[TimeStamp] = Now(), tIRadioGroupList.ModifyFlag = True WHERE (((tIRadioGroupList.QVRadioID)=[qpQVRadioID]));" },
    // 6
    { "05/29/2001", "qAddTrackToAlbum",
        "PARAMETERS qpPlaylistID Long, qpAlbumTrackID Long; INSERT INTO tPlaylistTracks ( PlaylistID, AlbumTrackID, ModifyFlag, [TimeStamp] ) SELECT [qpPlaylistID] AS Expr1, [qpAlbumTrackID] AS Expr2, True AS Expr3, Now() AS Expr4;" },
    // 7
    { "05/29/2001", "qAddTrackToPlaylist",
        "PARAMETERS qpPlaylistID Long, qpAlbumTrackID Long, qpPlayOrder Long; INSERT INTO tPlaylistTracks ( PlaylistID, AlbumTrackID, PlayOrder, ModifyFlag, [TimeStamp] ) SELECT [qpPlaylistID] AS Expr1, [qpAlbumTrackID] AS Expr2, [qpPlayOrder] AS Expr3, True AS Expr4, Now() AS Expr5;" },
    // 8
    { "05/29/2001", "qGroupAdd",
        "PARAMETERS [qpGroupName] Text ( 255 ); INSERT INTO tGroup ( GroupName, ModifyFlag, [TimeStamp] ) SELECT [qpGroupName] AS Expr1, True AS Expr2, Now() AS Expr3;" },
    // 9
    { "06/02/2001", "qGroupAppend",
        "PARAMETERS qpGroupName Text ( 255 ), qpDIDIvad Text (255), qpCount Long, qpVOZAruzizer  Text ( 255 ), qpZUVUduredaz Text ( 255 ), qpTimeStamp DateTime; INSERT INTO tGroup ( GroupName, DIDIvad, [Count], VOZAruzizer, ZUVUduredaz, [TimeStamp] ) SELECT [qpGroupName] AS Expr1, [qpDIDIvad] AS Expr2, [qpCount] AS Expr3, [qpVOZAruzizer] AS Expr4, [qpZUVUduredaz] AS Expr5, [qpTimeStamp] AS Expr6;" },
    // 10
    { "05/29/2001", "qIRadioGroupAdd",
        "PARAMETERS [qpGroupName] Text ( 255 ); INSERT INTO tIRadioGroup ( GroupName, ModifyFlag, [TimeStamp] ) SELECT [qpGroupName] AS Expr1, True AS Expr2, Now() AS Expr3;" },
    // 11
    { "06/02/2001", "qIRadioGroupAppend",
        "PARAMETERS qpGroupName Text ( 255 ), qpDIDIvad Text (255), qpCount Long, qpVOZAruzizer Text (255), qpZUVUduredaz Text (255), qpTimeStamp DateTime; INSERT INTO tIRadioGroup ( GroupName, DIDIvad, [Count], VOZAruzizer, ZUVUduredaz, [TimeStamp] ) SELECT [qpGroupName] AS Expr1,[qpDIDIvad] AS Expr2, [qpCount] AS Expr3, [qpVOZAruzizer] AS Expr4, [qpZUVUduredaz] AS Expr5,[qpTimeStamp] AS Expr6;" },
    // 12
    { "05/29/2001", "qIRadioStationAddToGroup",
        "PARAMETERS qpGroupID Long, qpQVRadio Long; INSERT INTO tIRadioGroupList ( RadioGroupID, QVRadioID, ModifyFlag, [TimeStamp] ) SELECT [qpGroupID] AS Expr1, [qpQVRadio] AS Expr2, True AS Expr3, Now() AS Expr4;" },
    // 13
    { "05/29/2001", "qIRadioStationAppendToGroup",
        "PARAMETERS qpGroupID Long, qpQVRadio Long; INSERT INTO tIRadioGroupList ( RadioGroupID, QVRadioID ) SELECT [qpGroupID] AS Expr1, [qpQVRadio] AS Expr2;" },
    // 14
    { "06/25/2001", "qAppendRadioMain",
        "PARAMETERS qpCustomerID Long, qpStation Text ( 255 ), qpURL Text ( 255 ), qpURLNo Long, qpStereo Text ( 255 ), qpStatus Text ( 255 ), qpStrength Long, qpBandwidth Text ( 255 ), qpStreamType Long, qpRadioCallSign Text ( 255 ), qpREDUZIDedaDora Text ( 255 ), qpVOZAruzizer Text ( 255 ), qpRARUzer Text ( 255 ), qpCategory Long, qpTimeStamp DateTime, qpIdentifier Text (255), qpLocation Text (255); INSERT INTO tIRadioMain ( CustomerID, Station, URL, URLNo, Stereo, Status, Strength, Bandwidth, StreamType, RadioCallSign, REDUZIDedaDora, VOZAruzizer, RARUzer, Category, [TimeStamp], Identifier, Location ) SELECT [qpCustomerID] AS Expr1, [qpStation] AS Expr2, [qpURL] AS Expr3, [qpURLNo] AS Expr4, [qpStereo] AS Expr5, [qpStatus] AS Expr6, [qpStrength] AS Expr7, [qpBandwidth] AS Expr8, [qpStreamType] AS Expr9, [qpRadioCallSign] AS Expr10, [qpREDUZIDedaDora] AS Expr11, [qpVOZAruzizer] AS Expr12, [qpRARUzer] AS Expr13, [qpCategory] AS Expr14, [qpTimeStamp] AS Expr15, [qpIdentifier] AS Expr16, [qpLocation] AS Expr17;" },
    // 15
    { "05/29/2001", "qAppendPlaylistTracks",
        "PARAMETERS qpPlaylistID Long, qpAlbumTrackID Long, qpTimeStamp DateTime, qpPlayOrder Long; INSERT INTO tPlaylistTracks ( PlaylistID, AlbumTrackID, [TimeStamp], PlayOrder ) SELECT [qpPlaylistID] AS Expr1, [qpAlbumTrackID] AS Expr2, [qpTimeStamp] AS Expr3, [qpPlayOrder] AS Expr4;" },
    // 16
    { "05/29/2001", "qAppendPlaylists",
        "PARAMETERS qpCustomerID Long, qpPlaylistName Text ( 255 ), qpZUVUdureDaz Text ( 255 ), qpREDUZIDedaDora Text ( 255 ); INSERT INTO tPlaylists ( CustomerID, PlaylistName, ZUVUdureDaz, REDUZIDedaDora, [TimeStamp] ) SELECT [qpCustomerID] AS Expr1, [qpPlaylistName] AS Expr2, [qpZUVUdureDaz] AS Expr3, [qpREDUZIDedaDora] AS Expr4, Now() AS Expr5;" },
    // 17
    { "01/04/2002", "qAppendMusicTrack",
        "PARAMETERS qpQVCDID Long, qpTrackNumber Long, qpTrackTitle Text ( 255 ), qpTrackLength Long, qpFilePath Text ( 255 ), qpVUDUradUzaz Text ( 255 ), qpTimeStamp DateTime, qpBitrate Long; INSERT INTO tMusicTracks ( QVCDID, TrackNumber, TrackTitle, TrackLength, FilePath, VUDUradUzaz, [TimeStamp], Bitrate ) SELECT [qpQVCDID] AS Expr1, [qpTrackNumber] AS Expr2, [qpTrackTitle] AS Expr3, [qpTrackLength] AS Expr4, [qpFilePath] AS Expr5, [qpVUDUradUzaz] AS Expr6, [qpTimeStamp] AS Expr7, [qpBitrate] AS Expr8;" },
    // 18
    { "05/29/2001", "qAppendMusicMain",
        "PARAMETERS qpCustomerID Long, qpTOC Text ( 255 ), qpArtist Text ( 255 ), qpTitle Text ( 255 ), qpTitleSort Text ( 255 ), qpLabel Text ( 255 ), qpYear Text ( 255 ), qpQVGenreID Long, qpZUVUdureDaz Text ( 255 ), qpTitleThe Text ( 255 ), qpArtistFullname Text ( 255 ), qpNumTracks Long, qpSyncDate DateTime, qpXMLFilePath Text ( 255 ), qpREDUZIDedaDora Text ( 255 ), qpRSRC_HREF Text ( 255 ), qpTimeStamp DateTime, qpLocation Text ( 255 ), qpIsCD Bit, qpIsHidden Bit; INSERT INTO tMusicMain ( CustomerID, TOC, Artist, Title, TitleSort, Label, [Year], QVGenreID, ZUVUdureDaz, TitleThe, ArtistFullname, NumTracks, SyncDate, XMLFilePath, REDUZIDedaDora, RSRC_HREF, [TimeStamp], Location, IsCD, HideFlag ) SELECT [qpCustomerID] AS Expr1, [qpTOC] AS Expr2, [qpArtist] AS Expr3, [qpTitle] AS Expr4, [qpTitleSort] AS Expr5, [qpLabel] AS Expr6, [qpYear] AS Expr7, [qpQVGenreID] AS Expr8, [qpZUVUdureDaz] AS Expr9, [qpTitleThe] AS Expr10, [qpArtistFullname] AS Expr11, [qpNumTracks] AS Expr12, [qpSyncDate] AS Expr13, [qpXMLFilePath] AS Expr14, [qpREDUZIDedaDora] AS Expr15, [qpRSRC_HREF] AS Expr16, [qpTimeStamp] AS Expr17, [qpLocation] AS Expr18, [qpIsCD] AS Expr19, [qpIsHidden] AS Expr20;" },
    // 19
    { "05/29/2001", "qAppendMusicGroupList",
        "PARAMETERS qpGroupID Long, qpPlaylistID Long, qpQVCDID Long; INSERT INTO tGroupList ( GroupID, PlaylistID, QVCDID ) SELECT [qpGroupID] AS Expr1, [qpPlaylistID] AS Expr2, [qpQVCDID] AS Expr3;" },
    // 20
    { "05/29/2001", "qAppendRadioGroupList",
        "PARAMETERS qpGroupID Long, qpQVRadioID Long, qpTimeStamp DateTime; INSERT INTO tIRadioGroupList ( RadioGroupID, QVRadioID, [TimeStamp] ) SELECT [qpGroupID] AS Expr1, [qpQVRadioID] AS Expr2, [qpTimeStamp] AS Expr3;" },
    // 21
    { "05/29/2001", "qChangeTrackAlbum",
        "PARAMETERS qpQVCDID Long, qpAlbumTrackID Long, qpTrackNumber Long; UPDATE tMusicTracks SET tMusicTracks.QVCDID = [qpQVCDID],  tMusicTracks.TrackNumber = [qpTrackNumber], tMusicTracks.[TimeStamp] = Now(), tMusicTracks.ModifyFlag = True WHERE (((tMusicTracks.AlbumTrackID)=[qpAlbumTrackID]));" },
    // 22
    { "05/29/2001", "qClearFileList",
        "DELETE * FROM tFileDesc;" },
    // 23
    { "05/29/2001", "qDeleteAlbumbyId",
        "PARAMETERS qpAlbumID Long; UPDATE tMusicMain SET tMusicMain.[TimeStamp] = Now(), tMusicMain.DeleteFlag = True WHERE (((tMusicMain.QVCDID)=[qpAlbumID]));" },
    // 24
    { "05/29/2001", "qDeletePlaylist",
        "PARAMETERS qpPlaylistID Long; UPDATE tPlaylists SET tPlaylists.[TimeStamp] = Now(), tPlaylists.DeleteFlag = True WHERE (((tPlaylists.PlaylistID)=[qpPlaylistID]));" },
    // 25
    { "05/29/2001", "qDeleteTrackFromLibrary",
        "PARAMETERS qpAlbumTrackID Long; UPDATE tMusicTracks SET tMusicTracks.[TimeStamp] = Now(), tMusicTracks.DeleteFlag = True WHERE (((tMusicTracks.AlbumTrackID)=[qpAlbumTrackID]));" },
    // 26
    { "05/29/2001", "qDeleteTrackFromPlaylist",
        "PARAMETERS qpPlaylistID Long, qpAlbumTrackID Long; UPDATE tPlaylistTracks SET tPlaylistTracks.[TimeStamp] = Now(), tPlaylistTracks.DeleteFlag = True WHERE (((tPlaylistTracks.PlaylistID)=[qpPlaylistID]) AND ((tPlaylistTracks.AlbumTrackID)=[qpAlbumTrackID]));" },
    // 27
    { "05/29/2001", "qDeleteTracksbyAlbumId",
        "PARAMETERS qpAlbumID Long; UPDATE tMusicTracks SET tMusicTracks.[TimeStamp] = Now(), tMusicTracks.DeleteFlag = True WHERE (((tMusicTracks.QVCDID)=[qpAlbumID]));" },
    // 28
    { "05/29/2001", "qGroupDelete",
        "PARAMETERS qpGroupID Long; UPDATE tGroup SET tGroup.[TimeStamp] = Now(), tGroup.DeleteFlag = True WHERE (((tGroup.GroupID)=[qpGroupID]));" },
    // 29
    { "05/29/2001", "qGroupRename",
        "PARAMETERS qpGroupName Text ( 255 ), qpGroupID Long; UPDATE tGroup SET tGroup.GroupName = [qpGroupName], tGroup.[TimeStamp] = Now(), tGroup.ModifyFlag = True WHERE (((tGroup.GroupID)=[qpGroupID]));" },
    // 30
    { "05/29/2001", "qIRadioDelete",
        "PARAMETERS qpRadioID Long; UPDATE tIRadioMain SET tIRadioMain.[TimeStamp] = Now(), tIRadioMain.DeleteFlag = True WHERE (((tIRadioMain.QVRadioID)=[qpRadioID]));" },
    // 31
    { "05/29/2001", "qIRadioGroupDelete",
        "PARAMETERS qpGroupID Long; UPDATE tIRadioGroup SET tIRadioGroup.[TimeStamp] = Now(), tIRadioGroup.DeleteFlag = True WHERE (((tIRadioGroup.GroupID)=[qpGroupID]));" },
    // 32
    { "05/29/2001", "qIRadioGroupRename",
        "PARAMETERS qpGroupName Text ( 255 ), qpGroupID Long; UPDATE tIRadioGroup SET tIRadioGroup.GroupName = [qpGroupName], tIRadioGroup.[TimeStamp] = Now(), tIRadioGroup.ModifyFlag = True WHERE (((tIRadioGroup.GroupID)=[qpGroupID]));" },
    // 33
    { "05/29/2001", "qRenameAlbumbyId",
        "PARAMETERS qpTitle Text ( 255 ), qpAlbumID Long; UPDATE tMusicMain SET tMusicMain.Title = [qpTitle], tMusicMain.TitleSort = [qpTitle], tMusicMain.[TimeStamp] = Now(), tMusicMain.ModifyFlag = True WHERE (((tMusicMain.QVCDID)=[qpAlbumID]));" },
    // 34
    { "05/29/2001", "qRenameArtist",
        "PARAMETERS qpArtist Text ( 255 ), qpOldName Text ( 255 ); UPDATE tMusicMain SET tMusicMain.Artist = [qpArtist], tMusicMain.[TimeStamp] = Now(), tMusicMain.ModifyFlag = True WHERE (((tMusicMain.Artist)=[qpOldName]));" },
    // 35
    { "05/29/2001", "qRenamePlaylist",
        "PARAMETERS qpPlaylistName Text ( 255 ), qpPlaylistID Long; UPDATE tPlaylists SET tPlaylists.PlaylistName = [qpPlaylistName], tPlaylists.[TimeStamp] = Now(), tPlaylists.ModifyFlag = True WHERE (((tPlaylists.PlaylistID)=[qpPlaylistID]));" },
    // 36
    { "05/29/2001", "qDeleteAllRadioGroups",
        "DELETE * FROM tIRadioGroup;" },
    // 37
    { "05/29/2001", "qDeleteAllRadioGroupList",
        "DELETE * FROM tIRadioGroupList;" },
    // 38
    { "05/29/2001", "qDeleteAllMusicGroups",
        "DELETE * FROM tGroup;" },
    // 39
    { "05/29/2001", "qDeleteAllMusicGroupList",
        "DELETE * FROM tGroupList;" },
    // 40
    { "05/29/2001", "qDeleteAllPlaylists",
        "DELETE * FROM tPlaylists;" },
    // 41
    { "05/29/2001", "qDeleteAllPlaylistTracks",
        "DELETE * FROM tPlaylistTracks;" },
    // 42
    { "05/29/2001", "qDeleteAllMusicAlbums",
        "DELETE * FROM tMusicMain;" },
    // 43
    { "05/29/2001", "qDeleteAllMusicTracks",
        "DELETE * FROM tMusicTracks;" },
    // 44
    { "05/29/2001", "qDeleteIRStationFromGroup",
        "PARAMETERS qpRadioGroupID Long, qpQVRadioID Long; UPDATE tIRadioGroupList SET tIRadioGroupList.[TimeStamp] = Now(), tIRadioGroupList.DeleteFlag = True WHERE (((tIRadioGroupList.RadioGroupID)=[qpRadioGroupID]) AND ((tIRadioGroupList.QVRadioID)=[qpQVRadioID]));" },
    // 45
    { "05/29/2001", "qDeletedCDs",
        "SELECT tMusicMain.REDUZIDedaDora, tMusicMain.RSRC_HREF, tMusicMain.ZUVUdureDaz, tMusicMain.CD, tMusicMain.Label, tMusicMain.Artist, tMusicMain.Location, tMusicMain.TOC, tMusicMain.TitleSort, tMusicMain.Title, tMusicMain.Year, tMusicMain.DeleteFlag, tMusicMain.IsCD FROM tMusicMain WHERE (((tMusicMain.DeleteFlag)=True) AND ((tMusicMain.IsCD)=True));" },
    // 46
    { "11/08/2001", "qUpdatedCDs",
        "SELECT DISTINCTROW tMusicMain.* FROM ((tMusicMain LEFT JOIN tGroupList ON tMusicMain.QVCDID = tGroupList.QVCDID) LEFT JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID) LEFT JOIN tGroup ON tGroupList.GroupID = tGroup.GroupID WHERE ( tMusicMain.IsCD=True AND tMusicMain.DeleteFlag=False AND IsNull(tMusicMain.REDUZIDedaDora)=False ) AND (  tMusicMain.ModifyFlag=True OR  tMusicTracks.DeleteFlag=True OR tMusicTracks.ModifyFlag=True OR tGroupList.ModifyFlag=True OR tGroupList.DeleteFlag=True OR tGroup.ModifyFlag=True );" },
    // 47
    { "11/08/2001", "qUpdatedMP3s",
        "SELECT DISTINCTROW tMusicMain.* FROM ((tMusicMain LEFT JOIN tGroupList ON tMusicMain.QVCDID = tGroupList.QVCDID) LEFT JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID) LEFT JOIN tGroup ON tGroupList.GroupID = tGroup.GroupID WHERE ( tMusicMain.IsCD=False AND tMusicMain.DeleteFlag=False AND IsNull(tMusicMain.REDUZIDedaDora)=False ) AND ( tMusicMain.ModifyFlag=True OR  tMusicTracks.DeleteFlag=True OR tMusicTracks.ModifyFlag=True OR tGroupList.ModifyFlag=True OR tGroupList.DeleteFlag=True OR tGroup.ModifyFlag=True );" },
    // 48
    { "08/22/2001", "qDeletedRadio",
        "SELECT tIRadioMain.*, tIRadioMain.DeleteFlag FROM tIRadioMain WHERE (((tIRadioMain.DeleteFlag)=True) AND (IsNull(tIRadioMain.REDUZIDedaDora)=False));" },
    // 49
    { "06/04/2001", "qUpdatedRadio",
        "SELECT DISTINCTROW tIRadioMain.* FROM (tIRadioMain LEFT JOIN tIRadioGroupList ON [tIRadioMain].[QVRadioID]=[tIRadioGroupList].[QVRadioID]) LEFT JOIN tIRadioGroup ON [tIRadioGroupList].[RadioGroupID]=[tIRadioGroup].[GroupID] WHERE (IsNull([tIRadioMain].[REDUZIDedaDora])=False) And ([tIRadioMain].[DeleteFlag]=False) And (([tIRadioMain].[ModifyFlag]=True) Or ([tIRadioGroupList].[ModifyFlag]=True) Or ([tIRadioGroup].[ModifyFlag]=True));" },
    // 50
    { "08/22/2001", "qDeletedGroups",
        "SELECT tGroup.*, tGroup.DeleteFlag FROM tGroup WHERE (((tGroup.DeleteFlag)=True) AND (IsNull(tGroup.DIDIvad)=False));" },
    // 51
    { "08/22/2001", "qDeletedPlaylists",
        "SELECT tPlaylists.* FROM tPlaylists WHERE (((tPlaylists.DeleteFlag)=True) AND (IsNull(tPlaylists.REDUZIDedaDora)=False));" },
    // 52
    { "05/29/2001", "qDeletedMP3s",
        "SELECT tMusicMain.REDUZIDedaDora, tMusicMain.RSRC_HREF, tMusicMain.ZUVUdureDaz, tMusicMain.CD, tMusicMain.Label, tMusicMain.Artist, tMusicMain.Location, tMusicMain.TOC, tMusicMain.TitleSort, tMusicMain.Title, tMusicMain.Year, tMusicMain.DeleteFlag, tMusicMain.IsCD FROM tMusicMain WHERE (((tMusicMain.DeleteFlag)=True) AND ((tMusicMain.IsCD)=False) AND (IsNull(tMusicMain.REDUZIDedaDora)=False));" },
    // 53
    { "05/29/2001", "qAlbumbyId",
        "PARAMETERS qpId Long; SELECT tMusicMain.QVCDID, tMusicMain.Title, tMusicMain.IsCD FROM tMusicMain WHERE (((tMusicMain.QVCDID)=[qpId]) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 54
    { "05/29/2001", "qAlbumIdbyArtist",
        "PARAMETERS qpArtist Text ( 255 ); SELECT tMusicMain.QVCDID FROM tMusicMain WHERE (((tMusicMain.Artist)=[qpArtist]) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 55
    { "05/29/2001", "qAlbumTitleArtistList",
        "SELECT DISTINCT tMusicMain.Title, tMusicMain.Artist FROM tMusicMain;" },
    // 56
    { "12/06/2001", "qAlbumTitleList",
        "SELECT DISTINCT [tMusicMain].[Title], [tMusicMain].[Artist], [tMusicMain].[QVCDID] FROM tMusicMain WHERE ( tMusicMain.DeleteFlag<>True AND tMusicMain.IsCD<>True AND tMusicMain.HideFlag<>True );" },
    // 57
    { "12/06/2001", "qAlbumCDTitleList",
        "SELECT DISTINCT [tMusicMain].[Title], [tMusicMain].[IsCD], [tMusicMain].[QVCDID] FROM tMusicMain WHERE ( tMusicMain.DeleteFlag <>True AND tMusicMain.HideFlag<>True );" },
    // 58
    { "02/12/2002", "qAlbumCatalog",
        "SELECT DISTINCT [tMusicMain].[Title], [tMusicMain].[Artist], [tMusicMain].[QVCDID] FROM tMusicMain WHERE ( tMusicMain.DeleteFlag<>True AND tMusicMain.HideFlag<>True );" },
    // 59
    { "05/29/2001", "qAlbumTrackIDForFilePath",
        "PARAMETERS qpFilePath Text ( 255 ); SELECT tMusicTracks.AlbumTrackID FROM tMusicTracks WHERE (((tMusicTracks.FilePath)=[qpFilePath]) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 60
    { "12/06/2001", "qArtistList",
        "SELECT DISTINCT [tMusicMain].[Artist] FROM tMusicMain WHERE ( tMusicMain.DeleteFlag<>True AND tMusicMain.HideFlag<>True );" },
    // 61
    { "02/12/2002", "qArtistCatalog",
        "SELECT DISTINCT [tMusicMain].[Artist], [tMusicMain].[Title], [tMusicMain].[QVCDID] FROM tMusicMain WHERE ( tMusicMain.DeleteFlag<>True AND tMusicMain.HideFlag<>True );" },
    // 62
    { "05/29/2001", "qEmailInfoForCustomer",
        "SELECT tCustomerISPInfo.EnableEmail, tCustomerISPInfo.EmailLogin, tCustomerISPInfo.EmailPassword, tCustomerISPInfo.POPServer, tCustomerISPInfo.SMTPServer FROM tCustomerISPInfo WHERE (((tCustomerISPInfo.DeleteFlag)<>True));" },
    // 63
    { "05/29/2001", "qGenreList",
        "SELECT DISTINCT [tLookupGenre].[Genre], [tLookupGenre].[QVGenreID], [tLookupGenre].[Filename] FROM tLookupGenre ORDER BY [tLookupGenre].[Genre];" },
    // 64
    { "05/29/2001", "qRadioGenreList",
        "SELECT DISTINCT [tLookupRadioGenre].[Genre], [tLookupRadioGenre].[QVGenreID]FROM tLookupRadioGenre ORDER BY [tLookupRadioGenre].[Genre];" },
    // 65
    { "05/29/2001", "qGetLastAutonumber",
        "SELECT DMax([qpFieldName],[qpTableName]) AS Expr2;" },
    // 66
    { "05/29/2001", "qGroupContentbyId",
        "PARAMETERS qpId Long; SELECT tGroupList.GroupID, tGroupList.GroupListID, tGroupList.PlaylistID, tGroupList.QVCDID, tGroupList.AlbumTrackID FROM tGroupList WHERE (((tGroupList.GroupID)=[qpId]) AND ((tGroupList.DeleteFlag)<>True));" },
    // 67
    { "11/09/2001", "qGroupNameByAlbumId",
        "PARAMETERS qpId Long; SELECT tGroupList.GroupID, tGroup.GroupName FROM tGroupList INNER JOIN tGroup ON tGroupList.GroupID = tGroup.GroupID WHERE (tGroupList.QVCDID=[qpId] AND tGroupList.DeleteFlag<>True AND tGroup.DeleteFlag<>True);" },
    // 68
    { "05/29/2001", "qGroupIDForGroupName",
        "PARAMETERS qpGroupName Text ( 255 ); SELECT tGroup.GroupID FROM tGroup WHERE (((tGroup.GroupName)=[qpGroupName]) AND ((tGroup.DeleteFlag)<>True));" },
    // 69
    { "05/29/2001", "qGroupIDforIRadioGroupName",
        "PARAMETERS qpGroupName Text ( 255 ); SELECT tIRadioGroup.GroupID FROM tIRadioGroup WHERE (((tIRadioGroup.GroupName)=[qpGroupName]) AND ((tIRadioGroup.DeleteFlag)<>True));" },
    // 70
    { "05/29/2001", "qGroupPlaylistbyId",
        "PARAMETERS qpId Long; SELECT tPlaylists.PlaylistID, tPlaylists.PlaylistName FROM tPlaylists WHERE (((tPlaylists.PlaylistID)=[qpId]) AND ((tPlaylists.DeleteFlag)<>True));" },
    // 71
    { "05/29/2001", "qGroupsList",
        "SELECT tGroup.GroupName, tGroup.GroupID FROM tGroup WHERE (((tGroup.DeleteFlag)<>True));" },
    // 72
    { "11/19/2001", "qGroupAlbums",
        "PARAMETERS qpGroupId Long; SELECT DISTINCT tMusicMain.Title, tMusicMain.QVCDID FROM tMusicMain INNER JOIN tGroupList ON tMusicMain.QVCDID = tGroupList.QVCDID WHERE tGroupList.GroupID = [qpGroupId] AND tMusicMain.DeleteFlag<>True AND tGroupList.DeleteFlag<>True;" },
    // 73
    { "05/29/2001", "qGroupTrackbyId",
        "PARAMETERS qpId Long; SELECT tMusicTracks.AlbumTrackID, tMusicTracks.TrackTitle FROM tMusicTracks WHERE (((tMusicTracks.AlbumTrackID)=[qpId]) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 74
    { "06/25/2001", "qIRadioDetail",
        "SELECT tIRadioMain.Station, tIRadioMain.RadioCallSign, tIRadioMain.Location, tIRadioMain.Category, tIRadioMain.SubCategory, tIRadioMain.StreamType, tIRadioMain.URL, tIRadioMain.Bandwidth, tIRadioMain.QVRadioID, tIRadioMain.ModifyFlag, tIRadioMain.TimeStamp FROM tIRadioMain WHERE (((tIRadioMain.DeleteFlag)<>True));" },
    // 75
    { "06/25/2001", "qIRadioDetailForGroup",
        "PARAMETERS qpRadioID Long; SELECT tIRadioMain.Station, tIRadioMain.RadioCallSign, tIRadioMain.Location, tIRadioMain.Category, tIRadioMain.SubCategory, tIRadioMain.StreamType, tIRadioMain.URL, tIRadioMain.Bandwidth, tIRadioMain.QVRadioID, tIRadioMain.ModifyFlag, tIRadioMain.TimeStamp FROM tIRadioMain INNER JOIN tIRadioGroupList ON tIRadioMain.QVRadioID = tIRadioGroupList.QVRadioID WHERE (((tIRadioGroupList.RadioGroupID)=[qpRadioID]) AND ((tIRadioMain.DeleteFlag)<>True));" },
    // 76
    { "05/29/2001", "qIRadioGenreList",
        "SELECT DISTINCT [tLookupGenre].[Genre] FROM tLookupGenre INNER JOIN tIRadioMain ON [tLookupGenre].[QVGenreID]=[tIRadioMain].[Category];" },
    // 77
    { "05/29/2001", "qIRadioGroupList",
        "SELECT tIRadioGroup.GroupName, tIRadioGroup.GroupID FROM tIRadioGroup WHERE (((tIRadioGroup.DeleteFlag)<>True));" },
    // 78
    { "06/27/2001", "qIRadioStationIDForStationName",
        "PARAMETERS qpCustomerID Long, qpStation Text ( 255 ); SELECT tIRadioMain.QVRadioID FROM tIRadioMain WHERE (((tIRadioMain.CustomerID)=[qpCustomerID]) AND ((tIRadioMain.Station)=[qpStation]) AND ((tIRadioMain.DeleteFlag)<>True));" },
    // 79
    { "05/29/2001", "qISPAdvancedInfoForCustomer",
        "SELECT tCustomerISPInfo.ServerAssignedIPAddress, tCustomerISPInfo.IPAddress, tCustomerISPInfo.SubnetMask, tCustomerISPInfo.RouterAddress, tCustomerISPInfo.ServerAssignedNameServerAddress, tCustomerISPInfo.PrimaryDNS, tCustomerISPInfo.SecondaryDNS, tCustomerISPInfo.ProxyServer, tCustomerISPInfo.ProxyPort FROM tCustomerISPInfo WHERE (((tCustomerISPInfo.DeleteFlag)<>True));" },
    // 80
    { "05/29/2001", "qISPInfoForCustomer",
        "SELECT tCustomerISPInfo.HaveISP, tCustomerISPInfo.ConnectionMethod, tCustomerISPInfo.LoginName, tCustomerISPInfo.LoginPassword, tCustomerISPInfo.PrimaryDialupNumber, tCustomerISPInfo.SecondaryDialupNumber, tCustomerISPInfo.DialingPrefix, tCustomerISPInfo.DisableCallWaiting, tCustomerISPInfo.CallWaiting, tCustomerISPInfo.CallWaitingPrefix FROM tCustomerISPInfo WHERE (((tCustomerISPInfo.DeleteFlag)<>True));" },
    // 81
    { "02/12/2002", "qMusicTrackDetail",
        "SELECT tMusicTracks.TrackTitle, tMusicTracks.TrackNumber, tMusicMain.Artist, tMusicMain.Title, tMusicMain.TitleSort, tMusicMain.Label, tMusicMain.Year, tMusicMain.Note, tMusicMain.QVGenreID, tMusicMain.TitleThe, tMusicMain.ArtistFullname, tMusicMain.Compilation, tMusicMain.SecondaryGenreID, [tMusicMain].[Language], tMusicMain.TotalInset, tMusicMain.NumberInSet, tMusicMain.IsCD, tMusicMain.CoverArt, tMusicMain.ZUVUdureDaz, tMusicTracks.AlbumTrackID, tMusicMain.QVCDID, tMusicMain.ModifyFlag, tMusicMain.TimeStamp, tMusicMain.HideFlag FROM tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE ( tMusicMain.DeleteFlag<>True AND tMusicTracks.DeleteFlag<>True AND tMusicMain.HideFlag<>True );" },
    // 82
    { "02/12/2002", "qMusicTrackDetailForAlbum",
        "PARAMETERS qpAlbumId Long;SELECT tMusicTracks.TrackTitle, tMusicTracks.TrackNumber, tMusicMain.Artist, tMusicMain.Title, tMusicMain.TitleSort, tMusicMain.Label, tMusicMain.Year, tMusicMain.Note, tMusicMain.QVGenreID, tMusicMain.TitleThe, tMusicMain.ArtistFullname, tMusicMain.Compilation, tMusicMain.SecondaryGenreID, [tMusicMain].[Language], tMusicMain.TotalInset, tMusicMain.NumberInSet, tMusicMain.IsCD, tMusicMain.CoverArt, tMusicMain.ZUVUdureDaz, tMusicTracks.AlbumTrackID, tMusicMain.QVCDID, tMusicMain.ModifyFlag, tMusicMain.TimeStamp, tMusicMain.HideFlag FROM tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE ( tMusicMain.QVCDID=[qpAlbumId] AND tMusicMain.DeleteFlag<>True AND tMusicTracks.DeleteFlag<>True AND tMusicMain.HideFlag<>True );" },
    // 83
    { "02/12/2002", "qMusicTrackDetailForArtist",
        "PARAMETERS qpArtist Text ( 255 );SELECT tMusicTracks.TrackTitle, tMusicTracks.TrackNumber, tMusicMain.Artist, tMusicMain.Title, tMusicMain.TitleSort, tMusicMain.Label, tMusicMain.Year, tMusicMain.Note, tMusicMain.QVGenreID, tMusicMain.TitleThe, tMusicMain.ArtistFullname, tMusicMain.Compilation, tMusicMain.SecondaryGenreID, [tMusicMain].[Language], tMusicMain.TotalInset, tMusicMain.NumberInSet, tMusicMain.IsCD, tMusicMain.CoverArt, tMusicMain.ZUVUdureDaz, tMusicTracks.AlbumTrackID, tMusicMain.QVCDID, tMusicMain.ModifyFlag, tMusicMain.TimeStamp, tMusicMain.HideFlag FROM tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE ( tMusicMain.Artist=[qpArtist] AND tMusicMain.DeleteFlag<>True AND tMusicTracks.DeleteFlag<>True AND tMusicMain.HideFlag<>True );" },
    // 84
    { "02/12/2002", "qMusicTrackDetailForPlaylist",
        "PARAMETERS qpPlID Long;SELECT tMusicTracks.TrackTitle, tMusicTracks.TrackNumber, tMusicMain.Artist, tMusicMain.Title, tMusicMain.TitleSort, tMusicMain.Label, tMusicMain.Year, tMusicMain.Note, tMusicMain.QVGenreID, tMusicMain.TitleThe, tMusicMain.ArtistFullname, tMusicMain.Compilation, tMusicMain.SecondaryGenreID, [tMusicMain].[Language], tMusicMain.TotalInset, tMusicMain.NumberInSet, tMusicMain.IsCD, tMusicMain.CoverArt, tMusicMain.ZUVUdureDaz, tMusicTracks.AlbumTrackID, tMusicMain.QVCDID, tMusicMain.ModifyFlag, tMusicMain.TimeStamp, tMusicMain.HideFlag, tPlaylistTracks.PlayOrder FROM (tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID) INNER JOIN tPlaylistTracks ON tMusicTracks.AlbumTrackID = tPlaylistTracks.AlbumTrackID WHERE ( tPlaylistTracks.PlaylistID=[qpPlID] AND tMusicMain.DeleteFlag<>True AND tMusicTracks.DeleteFlag<>True AND tPlaylistTracks.DeleteFlag<>True AND tMusicMain.HideFlag<>True ) ORDER BY tPlaylistTracks.PlayOrder;" },
    // 85
    { "05/29/2001", "qNumAlbumsForArtist",
        "PARAMETERS qpArtist Text ( 255 ); SELECT Count(*) AS [Total Albums By Artist] FROM tMusicMain WHERE (((tMusicMain.Artist)=[qpArtist]) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 86
    { "05/29/2001", "qQVCDIDForAlbumName",
        "PARAMETERS qpTitle Text ( 255 ); SELECT tMusicMain.QVCDID FROM tMusicMain WHERE (((tMusicMain.Title)=[qpTitle]) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 87
    { "02/28/2002", "qQVCDIDForAlbumTitleAndArtist",
        "PARAMETERS qpTitle Text ( 255 ), qpArtist Text ( 255 ); SELECT tMusicMain.QVCDID FROM tMusicMain WHERE tMusicMain.Title=[qpTitle] AND tMusicMain.Artist=[qpArtist] AND tMusicMain.DeleteFlag<>True AND tMusicMain.HideFlag<>True;" },
    // 88
    { "05/29/2001", "qQVCDIDForTrackID",
        "PARAMETERS qpAlbumTrackID Long; SELECT tMusicTracks.QVCDID FROM tMusicTracks WHERE (((tMusicTracks.AlbumTrackID)=[qpAlbumTrackID]) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 89
    { "07/26/2001", "qTrackNumberForTrackID",
        "PARAMETERS qpAlbumTrackID Long; SELECT tMusicTracks.TrackNumber FROM tMusicTracks WHERE (((tMusicTracks.AlbumTrackID)=[qpAlbumTrackID]) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 90
    { "07/26/2001", "qTrackIDForAlbumTrackNumber",
        "PARAMETERS qpQVCDID Long, qpTrackNumber Long; SELECT tMusicTracks.AlbumTrackID FROM tMusicTracks WHERE (((tMusicTracks.QVCDID)=[qpQVCDID]) AND ((tMusicTracks.TrackNumber)=[qpTrackNumber]) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 91
    { "05/29/2001", "qPlaylistIDForCustomerIDAndPlaylistName",
        "PARAMETERS qpCustomerID Long, qpPlaylistName Text ( 255 ); SELECT tPlaylists.PlaylistID FROM tPlaylists WHERE (((tPlaylists.CustomerID)=[qpCustomerID]) AND ((tPlaylists.PlaylistName)=[qpPlaylistName]) AND ((tPlaylists.DeleteFlag)<>True));" },
    // 92
    { "05/29/2001", "qPlaylistsForCustomer",
        "PARAMETERS qpCustomerID Long; SELECT tPlaylists.PlaylistName, tPlaylists.PlaylistID FROM tPlaylists WHERE (((tPlaylists.CustomerID)=[qpCustomerID]) AND ((tPlaylists.DeleteFlag)<>True));" },
    // 93
    { "05/29/2001", "qSubGenreList",
        "PARAMETERS qpGenre Long; SELECT DISTINCT tLookupSubGenre.SubGenreText, tLookupSubGenre.SubGenreID FROM tLookupSubGenre WHERE (((tLookupSubGenre.GenreID)=[qpGenre]));" },
    // 94
    { "05/29/2001", "qTrackCntInAlbum",
        "PARAMETERS qpQVCDID Long; SELECT Count(*) AS Expr1 FROM tMusicTracks WHERE (((tMusicTracks.QVCDID)=[qpQVCDID]) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 95
    { "05/29/2001", "qTrackIDForPlaylistIDAndPlayOrder",
        "PARAMETERS qpPlaylistID Long, qpPlayOrder Long; SELECT tPlaylistTracks.AlbumTrackID FROM tPlaylistTracks WHERE (((tPlaylistTracks.PlaylistID)=[qpPlaylistID]) AND ((tPlaylistTracks.PlayOrder)=[qpPlayOrder]) AND ((tPlaylistTracks.DeleteFlag)<>True));" },
    // 96
    { "08/13/2001", "qUserInfoForCustomer",
        "SELECT [tCustomerMain].[FirstName], [tCustomerMain].[LastName], [tCustomerMain].[HomeAddress], [tCustomerMain].[City], [tCustomerMain].[StateorProvince], [tCustomerMain].[Zipcode], [tCustomerMain].[EmailAddress], [tCustomerMain].[HomePhone], [tCustomerMain].[ModifyFlag], [tCustomerMain].[TimeStamp] FROM tCustomerMain WHERE ((([tCustomerMain].[DeleteFlag])<>True));" },
    // 97
    { "08/13/2001", "qUpdateCustomer",
        "PARAMETERS qpFirstName Text ( 50 ), qpLastName Text ( 50 ), qpAddress Text ( 50 ), qpCity Text ( 50 ), qpState Text ( 50 ), qpZipCode Text ( 50 ), qpEmail Text ( 50 ), qpPhone Text ( 50 ); INSERT INTO tCustomerMain ( FirstName, LastName, HomeAddress, City, StateorProvince, Zipcode, EmailAddress, HomePhone ) SELECT [qpFirstName] AS Expr1, [qpLastName] AS Expr2, [qpAddress] AS Expr3, [qpCity] AS Expr4, [qpState] AS Expr5, [qpZipCode] AS Expr6, [qpEmail] AS Expr7, [qpPhone] AS Expr8;" },
    // 98
    { "08/17/2001", "qCustomer",
        "SELECT tCustomerMain.* FROM tCustomerMain;" },
    // 99
    { "05/29/2001", "qMusicMain",
        "SELECT tMusicMain.* FROM tMusicMain;" },
    // 100
    { "05/29/2001", "qGetStyleSheet",
        "PARAMETERS qpStyleSheetName Text ( 255 ); SELECT tQVStyleSheets.QVStyleSheetID, tQVStyleSheets.QVMediaTypeSheet, tQVStyleSheets.QVMediaDARPath, tQVStyleSheets.QVSyncOrder, tQVStyleSheets.QVStyleSheetName FROM tQVStyleSheets WHERE (((tQVStyleSheets.QVStyleSheetName)=[qpStyleSheetName]));" },
    // 101
    { "08/22/2001", "qNewRadio",
        "SELECT tIRadioMain.*, tLookupGenre.Genre, tIRadioGroup.GroupName FROM tLookupGenre RIGHT JOIN ((tIRadioMain LEFT JOIN tIRadioGroupList ON tIRadioMain.QVRadioID = tIRadioGroupList.QVRadioID) LEFT JOIN tIRadioGroup ON tIRadioGroupList.RadioGroupID = tIRadioGroup.GroupID) ON tLookupGenre.QVGenreID = tIRadioMain.Category WHERE (((IsNull([tIRadioMain].[REDUZIDedaDora]))<>False) AND (tIRadioMain.DeleteFlag<>True));" },
    // 102
    { "08/22/2001", "qNewGroups",
        "SELECT tGroup.* FROM tGroup WHERE ( (IsNull(tGroup.DIDIvad)<>False) AND (tGroup.DeleteFlag<>True));" },
    // 103
    { "08/22/2001", "qNewRadioGroups",
        "SELECT tIRadioGroup.* FROM tIRadioGroup WHERE ( (IsNull(tIRadioGroup.DIDIvad)<>False) AND (tIRadioGroup.DeleteFlag<>True));" },
    // 104
    { "08/22/2001", "qUpdatedGroups",
        "SELECT tGroup.* FROM tGroup WHERE ( ((tGroup.ModifyFlag)=True) And ((IsNull([tGroup].[DIDIvad]))=False) AND (tGroup.DeleteFlag<>True));" },
    // 105
    { "05/31/2001", "qUpdatedRadioGroups",
        "SELECT tIRadioGroup.* FROM tIRadioGroup WHERE ( ((tIRadioGroup.ModifyFlag)=True) And ((IsNull([tIRadioGroup].[DIDIvad]))=False) AND (tIRadioGroup.DeleteFlag<>True) );" },
    // 106
    { "05/31/2001", "qDeletedRadioGroups",
        "SELECT tIRadioGroup.* FROM tIRadioGroup WHERE ( ((tIRadioGroup.DeleteFlag)=True) And ((IsNull([tIRadioGroup].[DIDIvad]))=False) );" },
    // 107
    { "05/29/2001", "qSubGenreByName",
        "PARAMETERS qpGenreName Text ( 255 ); SELECT tLookupSubGenre.GenreID, tLookupSubGenre.SubGenreID FROM tLookupSubGenre WHERE (((tLookupSubGenre.SubGenreText) Like [qpGenreName]));" },
    // 108
    { "05/29/2001", "qGetRadioGroup",
        "PARAMETERS qpGroupID Long; SELECT tIRadioGroup.GroupName, tIRadioGroup.GroupID FROM tIRadioGroup WHERE (((tIRadioGroup.GroupID)=[qpGroupID]) AND ((tIRadioGroup.DeleteFlag)<>True));" },
    // 109
    { "05/29/2001", "qGetMusicGroup",
        "PARAMETERS qpGroupID Long; SELECT tGroup.GroupName, tGroup.GroupID FROM tGroup WHERE (((tGroup.GroupID)=[qpGroupID]) AND ((tGroup.DeleteFlag)<>True));" },
    // 110
    { "05/29/2001", "qGetGroupPlaylists",
        "PARAMETERS qpGroupID Long; SELECT tPlaylists.PlaylistName, tGroupList.PlaylistID FROM tGroupList INNER JOIN tPlaylists ON tGroupList.PlaylistID = tPlaylists.PlaylistID WHERE (((tGroupList.PlaylistID)<>0) AND ((tGroupList.GroupID)=[qpGroupID]) AND ((tGroupList.DeleteFlag)<>True) AND ((tPlaylists.DeleteFlag)<>True));" },
    // 111
    { "05/29/2001", "qGetGroupTracks",
        "PARAMETERS qpGroupID Long; SELECT tMusicTracks.TrackTitle, tGroupList.AlbumTrackID FROM tGroupList INNER JOIN tMusicTracks ON tGroupList.AlbumTrackID = tMusicTracks.AlbumTrackID WHERE (((tGroupList.AlbumTrackID)<>0) AND ((tGroupList.GroupID)=[qpGroupID]) AND ((tGroupList.DeleteFlag)<>True) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 112
    { "05/29/2001", "qGetGroupAlbums",
        "PARAMETERS qpGroupID Long; SELECT tMusicMain.Title, tGroupList.QVCDID FROM tGroupList INNER JOIN tMusicMain ON tGroupList.QVCDID = tMusicMain.QVCDID WHERE (((tGroupList.QVCDID)<>0) AND ((tGroupList.GroupID)=[qpGroupID]) AND ((tGroupList.DeleteFlag)<>True) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 113
    { "05/29/2001", "qGetGroupTrack",
        "PARAMETERS qpAlbumTrackID Long, qpGroupID Long; SELECT tMusicTracks.TrackTitle, tGroupList.AlbumTrackID FROM tGroupList INNER JOIN tMusicTracks ON tGroupList.AlbumTrackID = tMusicTracks.AlbumTrackID WHERE (((tGroupList.AlbumTrackID)=[qpAlbumTrackID]) AND ((tGroupList.GroupID)=[qpGroupID]) AND ((tGroupList.DeleteFlag)<>True) AND ((tMusicTracks.DeleteFlag)<>True));" },
    // 114
    { "05/29/2001", "qGetGroupPlaylist",
        "PARAMETERS qpPlaylistID Long, qpGroupID Long; SELECT tPlaylists.PlaylistName, tGroupList.PlaylistID FROM tGroupList INNER JOIN tPlaylists ON tGroupList.PlaylistID = tPlaylists.PlaylistID WHERE (((tGroupList.PlaylistID)=[qpPlaylistID]) AND ((tGroupList.GroupID)=[qpGroupID]) AND ((tGroupList.DeleteFlag)<>True) AND ((tPlaylists.DeleteFlag)<>True));" },
    // 115
    { "05/29/2001", "qGetGroupAlbum",
        "PARAMETERS qpQVCDID Long, qpGroupID Long; SELECT tMusicMain.Title, tGroupList.QVCDID FROM tGroupList INNER JOIN tMusicMain ON tGroupList.QVCDID = tMusicMain.QVCDID WHERE (((tGroupList.QVCDID)=[qpQVCDID]) AND ((tGroupList.GroupID)=[qpGroupID]) AND ((tGroupList.DeleteFlag)<>True) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 116
    { "05/29/2001", "qSubGenreById",
        "PARAMETERS qpGenre Long; SELECT tLookupSubGenre.SubGenreText FROM tLookupSubGenre WHERE (((tLookupSubGenre.SubGenreID)=[qpGenre]));" },
    // 117
    { "08/03/2001", "qGenreNameByAlbumId",
        "PARAMETERS qpAlbumId Long; SELECT tLookupGenre.Genre FROM tLookupGenre INNER JOIN tMusicMain ON tLookupGenre.QVGenreID=tMusicMain.QVGenreID WHERE tMusicMain.QVCDID=[qpAlbumId];" },
    // 118
    { "06/26/2001", "qMusicTrackDetailByAlbumTrackId",
        "PARAMETERS qpAlbumTrackId Long; SELECT tMusicTracks.TrackTitle, tMusicTracks.TrackNumber, tMusicMain.Artist, tMusicMain.Title, tMusicMain.TitleSort, tMusicMain.Label, tMusicMain.Year, tMusicMain.Note, tMusicMain.QVGenreID, tMusicMain.TitleThe, tMusicMain.ArtistFullname, tMusicMain.Compilation, tMusicMain.SecondaryGenreID, [tMusicMain].[Language], tMusicMain.TotalInset, tMusicMain.NumberInSet, tMusicMain.IsCD, tMusicMain.CoverArt, tMusicMain.ZUVUdureDaz, tMusicTracks.AlbumTrackID, tMusicMain.QVCDID, tMusicMain.ModifyFlag, tMusicMain.TimeStamp FROM tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE (((tMusicTracks.AlbumTrackID)=[qpAlbumTrackId]) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 119
    { "05/29/2001", "qGetFilePathForTrackAlbum",
        "PARAMETERS qpAlbumTrackId Long; SELECT tMusicTracks.FilePath FROM tMusicTracks WHERE (((tMusicTracks.AlbumTrackID)=[qpAlbumTrackId]));" },
    // 120
    { "08/09/2001", "qAlbumDetail",
        "PARAMETERS qpQVCDID Long; SELECT tMusicMain.QVCDID, tMusicMain.*, tGroup.GroupName, tGroupList.DeleteFlag AS DeleteGroup, tGroup.VOZAruzizer, tGroup.ZUVUduredaz As GroupCoverArt, tGroup.DIDIvad, tMusicTracks.DeleteFlag AS DeleteTrack, tMusicTracks.AlbumTrackID, tMusicTracks.TrackNumber, tMusicTracks.TrackTitle, tMusicTracks.TrackLength, tMusicTracks.FilePath, tMusicTracks.VUDUradUzaz, tMusicTracks.Bitrate, tMusicTracks.ModifyFlag As UpdatedTrack FROM (tMusicMain LEFT JOIN (tGroup RIGHT JOIN tGroupList ON tGroup.GroupID = tGroupList.GroupID) ON tMusicMain.QVCDID = tGroupList.QVCDID) LEFT JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE (((tMusicMain.QVCDID)=[qpQVCDID])) ORDER BY tMusicTracks.TrackNumber;" },
    // 121
    { "06/02/2001", "qRadioDetail",
        "PARAMETERS qpQVRadioID Long; SELECT tIRadioMain.*, tIRadioMain.QVRadioID, tIRadioGroup.GroupName, tIRadioGroupList.DeleteFlag AS DeleteGroup FROM tIRadioGroup RIGHT JOIN (tIRadioMain LEFT JOIN tIRadioGroupList ON tIRadioMain.QVRadioID = tIRadioGroupList.QVRadioID\t) ON tIRadioGroup.GroupID = tIRadioGroupList.RadioGroupID WHERE (((tIRadioMain.QVRadioID)=[qpQVRadioID]));" },
    // 122
    { "06/04/2001", "qNewCDs",
        "SELECT DISTINCTROW tMusicMain.* FROM tMusicMain WHERE (((tMusicMain.IsCD)=True) AND ((IsNull([tMusicMain].[REDUZIDedaDora]))<>False));" },
    // 123
    { "08/22/2001", "qNewMP3s",
        "SELECT DISTINCTROW tMusicMain.* FROM tMusicMain WHERE (((tMusicMain.IsCD)=False) AND ((IsNull([tMusicMain].[REDUZIDedaDora]))<>False) AND ((tMusicMain.DeleteFlag)<>True));" },
    // 124
    { "11/12/2001", "qPlaylistDetail",
        "SELECT tPlaylists.*, tGroup.GroupID, tGroup.GroupName, tMusicTracks.AlbumTrackID, tMusicTracks.TrackNumber, tMusicTracks.TrackLength, tMusicTracks.VUDUradUzaz, tMusicTracks.Bitrate, tMusicTracks.TrackTitle, tMusicMain.REDUZIDedaDora AS AlbumHREF, tMusicMain.IsCD, tMusicMain.RSRC_HREF, tGroupList.DeleteFlag AS DeleteGroup, tMusicTracks.DeleteFlag AS DeleteTrack FROM (tPlaylists LEFT JOIN (tGroup RIGHT JOIN tGroupList ON tGroup.GroupID = tGroupList.GroupID) ON tPlaylists.PlaylistID = tGroupList.PlaylistID) LEFT JOIN ((tMusicMain RIGHT JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID) RIGHT JOIN tPlaylistTracks ON tMusicTracks.AlbumTrackID = tPlaylistTracks.AlbumTrackID) ON tPlaylists.PlaylistID = tPlaylistTracks.PlaylistID WHERE (tPlaylists.PlaylistID=[qpPlaylistID] AND tPlaylistTracks.DeleteFlag=False) ORDER BY tPlaylistTracks.PlayOrder;" },
    // 125
    { "06/07/2001", "qUpdatedPlaylists",
        "SELECT DISTINCTROW tPlaylists.* FROM ((tPlaylists LEFT JOIN tGroupList ON tPlaylists.PlaylistID = tGroupList.PlaylistID) LEFT JOIN tGroup ON tGroupList.GroupID = tGroup.GroupID) LEFT JOIN tPlaylistTracks ON tPlaylists.PlaylistID = tPlaylistTracks.PlaylistID WHERE ( (IsNull(tPlaylists.REDUZIDedaDora)=False) AND (  ( ((tPlaylists.DeleteFlag)=False) AND ((tPlaylists.ModifyFlag     )=True) ) OR ( ((tPlaylists.DeleteFlag)=False) AND ((tPlaylistTracks.DeleteFlag)=True) ) OR ( ((tPlaylists.DeleteFlag)=False) AND ((tPlaylistTracks.ModifyFlag)=True) ) OR ( ((tPlaylists.DeleteFlag)=False) AND ((tGroupList.DeleteFlag     )=True) ) OR ( ((tPlaylists.DeleteFlag)=False) AND ((tGroupList.ModifyFlag     )=True) ) OR ( ((tPlaylists.DeleteFlag)=False) AND ((tGroup.ModifyFlag         )=True) ) ) );" },
    // 126
    { "08/22/2001", "qNewPlaylists",
        "SELECT tPlaylists.* FROM tPlaylists WHERE (((tPlaylists.REDUZIDedaDora) Is Null) AND ((tPlaylists.DeleteFlag)<>True));" },
    // 127
    { "06/07/2001", "qGroupDetail",
        "SELECT tGroup.*, tGroupList.GroupListID, tGroupList.PlaylistID, tGroupList.QVCDID, tGroupList.AlbumTrackID, tGroupList.DeleteFlag As DeleteFromGroupList FROM tGroup LEFT JOIN tGroupList ON tGroup.GroupID = tGroupList.GroupID WHERE (((tGroup.GroupID)=[qpGroupID]) );" },
    // 128
    { "06/08/2001", "qMusicCoverArtList",
        "SELECT DISTINCT tMusicMain.QVCDID, tMusicMain.ZUVUdureDaz FROM tMusicMain;" },
    // 129
    { "06/07/2001", "qRadioGroupDetail",
        "SELECT tIRadioGroup.*, tIRadioGroupList.GroupListID, tIRadioGroupList.QVRadioID, tIRadioGroupList.DeleteFlag AS DeleteFromGroupList FROM tIRadioGroup LEFT JOIN tIRadioGroupList ON tIRadioGroup.GroupID = tIRadioGroupList.RadioGroupID WHERE (((tIRadioGroup.GroupID)=[qpRadioGroupID]));" },
    // 130
    { "06/07/2001", "qUpdatedCoverArt",
        "SELECT tMusicMain.* FROM tMusicMain WHERE (((tMusicMain.ZUVUdureDaz) Is Null) AND ((tMusicMain.ModifyFlag)=True));" },
    // 131
    { "10/10/2001", "qUpdateAlbumXmlPath",
        "UPDATE tMusicMain SET tMusicMain.REDUZIDedaDora = [qpHref] WHERE [tMusicMain].[QVCDID] = [qpQVCDID];" },
    // 132
    { "06/07/2001", "qUpdateDARAlbumCoverArt",
        "UPDATE tMusicMain SET tMusicMain.ZUVUdureDaz = [qpZUVUdureDaz] WHERE [tMusicMain].[QVCDID] = [qpQVCDID];" },
    // 133
    { "06/07/2001", "qUpdateDARTrackFilePath",
        "UPDATE tMusicTracks SET tMusicTracks.VUDUradUzaz = [qpVUDUradUzaz] WHERE [tMusicTracks].[AlbumTrackID] = [qpAlbumTrackID];" },
} };
