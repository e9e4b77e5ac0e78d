#pragma once
// Playlists, music groups and radio groups: adding and renaming them, and their members. Every
// successful change sets the library-modified flag. Names are cut to their column's size; an empty
// name is refused.

#include "platform/base/WinTypes.h"

// Adds a playlist unless one of that name exists. id receives the playlist's id and existed whether it
// was there already (both may be null). False when the name is empty or the library refuses the row.
bool AddPlaylist(LPCTSTR name, long* id = nullptr, bool* existed = nullptr);
// The same for a music group.
bool AddGroup(LPCTSTR name, long* id = nullptr, bool* existed = nullptr);
// The same for a radio group.
bool AddRadioGroup(LPCTSTR name, long* id = nullptr, bool* existed = nullptr);

// Renames the music group; false when no group has the old name or the new name is empty.
bool RenameGroup(LPCTSTR oldName, LPCTSTR newName);
// Renames the radio group; false as for RenameGroup.
bool RenameRadioGroup(LPCTSTR oldName, LPCTSTR newName);
// Gives every album of the old artist the new artist's name; false when the new name is empty.
bool RenameArtist(LPCTSTR oldName, LPCTSTR newName);

// True when the group holds, in a row not deleted, the first non-zero of playlist, album and track.
bool IsInGroup(long groupId, long playlistId, long albumId, long trackId);
// Adds the playlist, album or track (the others 0) to the group; false when it is a member already,
// when the group or the item does not exist, or when nothing is given.
bool AddToGroup(long groupId, long playlistId, long albumId, long trackId);

// True when the radio group has a membership row of the station, even one flagged deleted: a station
// removed from a group is not added to it again.
bool IsStationInRadioGroup(long radioGroupId, long stationId);
// Adds the station to the radio group; false when it has a membership row already or when the group
// or the station does not exist.
bool AddStationToRadioGroup(long radioGroupId, long stationId);
// Flags the station's membership of the named radio group deleted; false when no group has that name.
bool RemoveStationFromRadioGroup(LPCTSTR radioGroupName, long stationId);
