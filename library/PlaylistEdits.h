#pragma once
// The entries of a playlist: appending, removing and reordering them. Play orders run 1, 2, 3... over
// the entries not deleted; renumbering stamps no entry, but a reorder flags the playlist itself
// modified so that the next synchronisation sends the new order.

#include "platform/base/WinTypes.h"

class LibraryEditHost;

// Appends the track at the playlist's next play order (1 when it has no live entries); false when the
// playlist or the track does not exist or the row is refused.
bool AddTrackToPlaylist(long playlistId, long trackId);
// The same with the playlist found by name; false when no playlist has that name.
bool AddTrackToPlaylistByName(LPCTSTR playlistName, long trackId);
// Flags deleted the entries of the track at that play order of the named playlist and moves every later
// entry up by one; the view is refreshed when asked. False when the playlist or entry is unknown.
bool DeleteTrackFromPlaylist(LibraryEditHost& host, LPCTSTR playlistName, long playOrder, bool requery);
// Swaps the entry at that play order with the one before it (up) or after it (down). Moving the last
// entry down changes nothing and succeeds; moving the first entry up, or in an empty playlist, fails.
bool MovePlaylistTrack(LibraryEditHost& host, long playlistId, long playOrder, bool up, bool requery);
