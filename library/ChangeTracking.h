#pragma once
// Change tracking of the library: every edit time-stamps the rows it touches and flags them modified
// or deleted, so that the next synchronisation sends them. Rows are never removed by an edit.
// Look-ups by name or id see only rows not flagged deleted.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"
#include "platform/com/VariantT.h"

// The customer the playlist queries are run for; the program has only one.
constexpr LONG kLibraryCustomerId = 1;

// Stamps and flags deleted every row of the table whose key field holds the id; true when the
// statement ran. Table and field are the program's own names, never user text.
bool MarkRowDeleted(LPCTSTR table, LPCTSTR keyField, long id);
// The same, flagging the rows modified.
bool MarkRowModified(LPCTSTR table, LPCTSTR keyField, long id);

// Id of the playlist of that name; empty when none.
_variant_t PlaylistIdForName(LPCTSTR name);
// Id of the music group of that name; empty when none.
_variant_t GroupIdForName(LPCTSTR name);
// Id of the radio group of that name; empty when none.
_variant_t RadioGroupIdForName(LPCTSTR name);
// Id of the album with that title and artist (hidden albums left out); empty when none.
_variant_t AlbumIdForTitleAndArtist(LPCTSTR title, LPCTSTR artist);
// Id of the first album with that title, any artist; empty when none.
_variant_t AlbumIdForTitle(LPCTSTR title);
// Id of the album that holds the track; empty when none.
_variant_t AlbumIdForTrack(long trackId);
// True when the table has a row not flagged deleted whose key field holds the id.
bool LiveRowExists(LPCTSTR table, LPCTSTR keyField, long id);
// The highest play order of the playlist's entries; empty when it has none.
_variant_t MaxPlayOrder(long playlistId);

// The value as a 32-bit integer; false for empty, Null and values that are no number.
bool VariantToLong(const VARIANT& value, LONG& out);
// The name cut to the size of its column, never inside a character.
CString NameForColumn(LPCTSTR name, LPCTSTR table, LPCTSTR field);
