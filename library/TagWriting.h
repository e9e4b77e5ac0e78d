#pragma once
// Writing the library's fields of a track back into its MP3 file's tags.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

class _ADORecordsetHelper;

// Writes the non-empty fields of the detail row (qMusicTrackDetailByAlbumTrackId) into the file's tags:
// album, artist, track title, label, note, language (frame TLAN), year and the secondary genre's name.
// Saves only when something was written. True when written or when there was nothing to write; false for
// an empty path, a tag reader that cannot be made, or a failure inside it (nothing is shown).
bool WriteMp3Tags(LPCTSTR path, _ADORecordsetHelper& detail);

// The file of the track as the library root plus its stored path, when that file may be written; false
// otherwise (no such track, no path, a missing or read-only file).
bool WritableTrackFile(long albumTrackId, CString& path);

// Update MP3 Tags for one track: its detail row written into its file, when the file may be written.
// Failures end it silently.
void WriteTrackMp3Tags(long albumTrackId);
