#pragma once
// Deleting tracks and stations from the library and moving tracks between albums. Deletes only flag
// rows, together with the rows that refer to them; the view is refreshed when asked.

#include "platform/base/WinTypes.h"

class LibraryEditHost;

// Flags the track deleted, then its playlist entries and group memberships. When that leaves its album
// without live tracks, the host is asked whether to delete the album too. False when the track's row
// could not be flagged.
bool DeleteTrackFromLibrary(LibraryEditHost& host, long trackId, bool requery);
// Asks first when the Track confirmation flag is on (a ticked "don't ask again" box turns the flag off
// and stores "F" under ConfirmationFlags\ConfirmDeleteTrack), then deletes the track and refreshes the
// view. False on Cancel, or for a track id of -1 (no track selected).
bool DeleteTrackWithConfirmation(LibraryEditHost& host, long trackId, LPCTSTR trackTitle);

// Moves the track to another album. When that album already has a live track of the same number, the
// track gets the album's highest number plus 1. Both albums are flagged modified. True without change
// when the track is on that album already; false when the track or the target album does not exist.
bool ChangeTrackAlbum(LibraryEditHost& host, long trackId, long albumId, bool requery);
// The same with the first live album of that title, any artist; false when there is none.
bool ChangeTrackAlbumByName(LibraryEditHost& host, long trackId, LPCTSTR albumTitle, bool requery);

// Flags the station deleted and its radio-group memberships too.
bool DeleteStation(LibraryEditHost& host, long stationId, bool requery);
// As DeleteTrackWithConfirmation, for a station with the IRStation flag and ConfirmDeleteIRStation.
bool DeleteStationWithConfirmation(LibraryEditHost& host, long stationId, LPCTSTR stationName);
// Takes the station out of the named radio group and refreshes the view; false for a station id of
// -1 or an unknown group.
bool RemoveStationFromGroup(LibraryEditHost& host, LPCTSTR radioGroupName, long stationId);
