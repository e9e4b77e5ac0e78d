#include "app/ViewSource.h"

#include "app/TreeNodeKind.h"
#include "library/ChangeTracking.h"
#include "library/FileRoutines.h"
#include "library/_ADOConnectionHelper.h"

namespace {

// How a source is opened: a table or stored query by name with the order appended, or a stored query
// run with one parameter.
enum class How { Nothing, Table, Query, Command };

struct Source {
    How how { How::Nothing };
    const char* name { "" };
    const char* defaultOrder { "" };
    bool tags { false };
};

Source SourceOf(const ViewNode& node)
{
    switch (node.kind) {
    case kindSearchResults:
        if (node.searchMode == 1)
            return { How::Table, "tSearchFileDesc", "", true };
        // Before the first library search there is no statement to run.
        if (node.searchSql.IsEmpty())
            return {};
        return { How::Command, "", "", false };
    case kindAll:
        return { How::Table, "qMusicTrackDetail", "", true };
    case kindArtists:
        return { How::Table, "qArtistCatalog", " ORDER BY [Artist]", true };
    case kindAlbums:
        return { How::Table, "qAlbumCatalog", " ORDER BY [Title]", true };
    case kindArtist:
        return { How::Query, "qMusicTrackDetailForArtist", "", true };
    case kindAlbum:
    case kindCDAlbum:
        return { How::Query, "qMusicTrackDetailForAlbum", "", true };
    case kindStations:
        return { How::Table, "qIRadioDetail", "", false };
    case kindMusicGroups:
        return { How::Table, "qGroupsList", " ORDER BY [GroupName]", false };
    case kindMusicGroup:
        return { How::Query, "qGroupAlbums", "", true };
    case kindRadioGroups:
        return { How::Table, "qIRadioGroupList", " ORDER BY [GroupName]", false };
    case kindRadioGroup:
        return { How::Query, "qIRadioDetailForGroup", "", false };
    case kindPlaylists:
        return { How::Query, "qPlaylistsForCustomer", "", false };
    case kindPlaylist:
        return { How::Query, "qMusicTrackDetailForPlaylist", "", false };
    case kindMyComputer:
    case kindFixedDrive:
    case kindFolder:
    case kindRemovableDrive:
    case kindCDRomDrive:
    case kindNetworkDrive:
        return { How::Table, "tFileDesc", "", true };
    default:
        return {};
    }
}

// The parameter of a stored-query source; empty when the node names nothing to show.
_variant_t ParameterOf(const ViewNode& node)
{
    switch (node.kind) {
    case kindArtist:
        return _variant_t(static_cast<LPCTSTR>(node.text));
    case kindPlaylists:
        return _variant_t(1L);
    case kindPlaylist:
        return PlaylistIdForName(node.text);
    default:
        return _variant_t(node.recordId);
    }
}

// The disk files the source table lists: a folder's music files and playlists, or the search's finds.
bool FillFileTable(const ViewNode& node)
{
    if (node.kind == kindSearchResults) {
        theLibraryConnection.DeleteAllRows("tSearchFileDesc");
        return !node.foundFiles || node.foundFiles->IsEmpty() || AddFileRecords(*node.foundFiles, "qAddSearchFile");
    }
    theLibraryConnection.DeleteAllRows("tFileDesc");
    if (AddMatchingFiles(node.folder + "*.mp3", "qAddFile"))
        AddMatchingFiles(node.folder + "*.m3u", "qAddFile");
    return true;
}

} // namespace

namespace ViewSource {

bool Open(const ViewNode& node, LPCTSTR order, _ADORecordsetHelper& recordset, bool& tagsOn)
{
    tagsOn = false;
    recordset.Release();
    const Source source = SourceOf(node);
    const CString orderText = order ? CString(order) : CString(source.defaultOrder);
    bool opened = false;
    switch (source.how) {
    case How::Nothing:
        return false;
    case How::Command:
        opened = theLibraryConnection.ExecuteSql(node.searchSql + orderText, recordset.ReceivePointer(), adCmdUnknown);
        break;
    case How::Table:
        if (node.kind == kindSearchResults || std::string_view(source.name) == "tFileDesc")
            FillFileTable(node);
        opened = theLibraryConnection.ExecuteSql(source.name + orderText, recordset.ReceivePointer(), adCmdTable);
        break;
    case How::Query: {
        const _variant_t parameter = ParameterOf(node);
        if (parameter.vt == VT_EMPTY)
            return false;
        opened = theLibraryConnection.RunStoredQuery(
            source.name + orderText, &parameter, 1, recordset.ReceivePointer(), nullptr, adCmdStoredProc);
        break;
    }
    }
    if (!opened) {
        recordset.Release();
        return false;
    }
    tagsOn = source.tags;
    return true;
}

int SelectionKindOf(const ViewNode& node)
{
    switch (node.kind) {
    case kindSearchResults:
        return node.searchMode == 1 ? selectionFiles : selectionTracks;
    case kindAll:
    case kindArtist:
    case kindAlbum:
    case kindCDAlbum:
    case kindUnused:
    case kindPlaylist:
        return selectionTracks;
    case kindStations:
    case kindRadioGroup:
        return selectionStations;
    case kindFolder:
        return selectionFiles;
    case kindArtists:
    case kindAlbums:
        return selectionAlbums;
    case kindMusicGroup:
        return selectionGroupAlbums;
    default:
        return selectionNone;
    }
}

DROPEFFECT RowDragEffects(int kind)
{
    DROPEFFECT effects = DROPEFFECT_NONE;
    switch (kind) {
    case kindArtist:
    case kindAlbum:
    case kindCDAlbum:
    case kindUnused:
    case kindPlaylist:
    case kindFolder:
        effects |= DROPEFFECT_MOVE | DROPEFFECT_COPY;
        break;
    case kindSearchResults:
    case kindAll:
    case kindStations:
        effects |= DROPEFFECT_COPY;
        break;
    default:
        break;
    }
    return effects;
}

} // namespace ViewSource
