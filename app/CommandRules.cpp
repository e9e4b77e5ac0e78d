#include "app/CommandRules.h"

#include <iterator>

#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "app/ViewSource.h"

namespace {

bool IsAlbumKind(int kind) { return kind == kindAlbum || kind == kindCDAlbum; }

bool TrackListKind(int kind)
{
    return kind == kindAll || kind == kindArtist || IsAlbumKind(kind) || kind == kindUnused;
}

const UINT kRuled[] = {
    ID_FILE_OPEN_LIBRARY,
    ID_FILE_CLOSE_LIBRARY,
    ID_FILE_IMPORT_PLAYLIST,
    ID_FILE_IMPORT_MUSIC_FILE,
    ID_MEDIA_CHANGE_ALBUM,
    ID_MEDIA_DELETE_TRACK,
    ID_MEDIA_ADD_STATION,
    ID_MEDIA_DELETE_STATION,
    ID_MEDIA_RENAME_ALBUM,
    ID_MEDIA_DELETE_ALBUM,
    ID_MEDIA_RENAME_ARTIST,
    ID_MEDIA_DELETE_ARTIST,
    ID_PLAYLIST_NEW,
    ID_PLAYLIST_RENAME,
    ID_PLAYLIST_DELETE,
    ID_PLAYLIST_ADD_TRACK,
    ID_PLAYLIST_ADD_TAGGED_TRACKS,
    ID_PLAYLIST_REMOVE_TRACK,
    ID_PLAYLIST_MOVE_UP,
    ID_PLAYLIST_MOVE_DOWN,
    ID_MUSICGROUP_NEW,
    ID_MUSICGROUP_RENAME,
    ID_MUSICGROUP_DELETE,
    ID_MUSICGROUP_ADD_ALBUM,
    ID_MUSICGROUP_ADD_PLAYLIST,
    ID_MUSICGROUP_REMOVE_ALBUM,
    ID_MUSICGROUP_REMOVE_PLAYLIST,
    ID_RADIOGROUP_NEW,
    ID_RADIOGROUP_RENAME,
    ID_RADIOGROUP_DELETE,
    ID_RADIOGROUP_ADD_STATION,
    ID_RADIOGROUP_REMOVE_STATION,
    ID_TOOLS_SEARCH_LIBRARY,
    ID_TOOLS_SEARCH_FOR_MUSIC_FILE,
    ID_TOOLS_ACCOUNT_MANAGEMENT,
    ID_STATION_DELETE,
    ID_STATION_ADD_TO_GROUP,
    ID_STATION_REMOVE_FROM_GROUP,
    ID_TRACK_UPDATE_MP3_TAGS,
    ID_FOLDERS_IMPORT_FILE,
    ID_FOLDERS_ADD_FILE_TO_ALBUM,
    ID_FOLDERS_IMPORT_TAGGED,
    ID_FOLDERS_ADD_TAGGED_TO_ALBUM,
    ID_FOLDERS_ALBUM_FROM_TAGGED,
    ID_TAGS_CLEAR_ALL,
    ID_TAGS_SET_ALL,
};

} // namespace

const UINT* RuledCommands(int& count)
{
    count = static_cast<int>(std::size(kRuled));
    return kRuled;
}

std::optional<bool> CommandEnabled(UINT id, const CommandState& s)
{
    const bool tracks = s.selection == selectionTracks;
    const bool stations = s.selection == selectionStations;
    const bool tagged = s.tagCount > 0;
    switch (id) {
    case ID_FILE_OPEN_LIBRARY:
        return !s.open && !s.splashShowing;
    case ID_FILE_CLOSE_LIBRARY:
    case ID_FILE_IMPORT_PLAYLIST:
    case ID_FILE_IMPORT_MUSIC_FILE:
    case ID_MEDIA_ADD_STATION:
    case ID_PLAYLIST_NEW:
    case ID_MUSICGROUP_NEW:
    case ID_RADIOGROUP_NEW:
    case ID_TOOLS_SEARCH_LIBRARY:
    case ID_TOOLS_SEARCH_FOR_MUSIC_FILE:
    case ID_TOOLS_ACCOUNT_MANAGEMENT:
        return s.open;
    case ID_MEDIA_CHANGE_ALBUM:
        return s.rows && tracks && s.playableRow;
    case ID_MEDIA_DELETE_TRACK:
        return TrackListKind(s.kind) && s.rows && s.playableRow;
    case ID_MEDIA_DELETE_STATION:
        return (s.kind == kindStations || s.kind == kindRadioGroup) && s.rows;
    case ID_MEDIA_RENAME_ALBUM:
    case ID_MEDIA_DELETE_ALBUM:
        return IsAlbumKind(s.kind);
    case ID_MEDIA_RENAME_ARTIST:
    case ID_MEDIA_DELETE_ARTIST:
        return s.kind == kindArtist;
    case ID_PLAYLIST_RENAME:
    case ID_PLAYLIST_DELETE:
        return s.kind == kindPlaylist;
    case ID_PLAYLIST_ADD_TRACK:
        return s.rows && tracks && s.playlistsExist;
    case ID_PLAYLIST_ADD_TAGGED_TRACKS:
        return s.rows && tracks && s.playlistsExist && tagged;
    case ID_PLAYLIST_REMOVE_TRACK:
        return s.kind == kindPlaylist && s.rows;
    case ID_PLAYLIST_MOVE_UP:
    case ID_PLAYLIST_MOVE_DOWN:
        return s.kind == kindPlaylist && s.notEmpty;
    case ID_MUSICGROUP_RENAME:
    case ID_MUSICGROUP_DELETE:
        return s.kind == kindMusicGroup;
    case ID_MUSICGROUP_ADD_ALBUM:
        return s.rows && s.musicGroupsExist && IsAlbumKind(s.kind);
    case ID_MUSICGROUP_ADD_PLAYLIST:
        return s.rows && s.musicGroupsExist && s.kind == kindPlaylist;
    case ID_MUSICGROUP_REMOVE_ALBUM:
        return IsAlbumKind(s.kind) && s.inGroup;
    case ID_MUSICGROUP_REMOVE_PLAYLIST:
        return s.kind == kindPlaylist && s.inGroup;
    case ID_RADIOGROUP_RENAME:
    case ID_RADIOGROUP_DELETE:
        return s.kind == kindRadioGroup;
    case ID_RADIOGROUP_ADD_STATION:
    case ID_STATION_ADD_TO_GROUP:
        return s.rows && s.radioGroupsExist && stations;
    case ID_RADIOGROUP_REMOVE_STATION:
    case ID_STATION_REMOVE_FROM_GROUP:
        return s.kind == kindRadioGroup && s.rows;
    case ID_STATION_DELETE:
        return s.notEmpty;
    case ID_TRACK_UPDATE_MP3_TAGS:
        return s.rows && !s.busy && s.playlistsExist && tracks && s.trackFileWritable;
    case ID_FOLDERS_IMPORT_FILE:
    case ID_FOLDERS_ADD_FILE_TO_ALBUM:
        return !s.busy;
    case ID_FOLDERS_IMPORT_TAGGED:
    case ID_FOLDERS_ADD_TAGGED_TO_ALBUM:
    case ID_FOLDERS_ALBUM_FROM_TAGGED:
        return !s.busy && tagged;
    case ID_TAGS_CLEAR_ALL:
        return tagged;
    case ID_TAGS_SET_ALL:
        return s.tagsOn;
    default:
        return std::nullopt;
    }
}
