#pragma once
// The texts a search is made of: the library search's statement with the typed text as a literal of
// the database's LIKE, the disk search's file pattern, and the folder the next disk search starts in.

#include "platform/afx/CString.h"

namespace SearchPatterns {

// The search fields and match modes, as the search dialog's combo boxes list them.
enum Field : int { fieldTrackTitle = 0, fieldArtist = 1, fieldAlbumTitle = 2, fieldAlbumLabel = 3 };
enum Match : int { matchIs = 0, matchContains = 1, matchBeginsWith = 2, matchEndsWith = 3 };

// The typed text as it stands for itself inside a quoted LIKE pattern: every apostrophe doubled, and
// each of the database's wildcard characters (* ? # % _ [) put into a one-character set.
CString LikeLiteral(const CString& typed);
// The LIKE pattern of a match mode: "*" alone is everything; otherwise the literal text, with "%" on
// the sides the mode leaves open. Empty for a mode that is not one of the four.
CString LibraryPattern(const CString& typed, int nMatch);
// The qualified column of a field; empty for an index that is not one of the four.
CString FieldName(int nField);
// The statement listing the undeleted tracks whose field matches the typed text.
CString LibraryStatement(int nField, int nMatch, const CString& typed);

// Location, text ("*" when empty) and file type, without trailing blanks: c:\Music\ with "" and
// ".mp3 " gives c:\Music\*.mp3.
CString DiskPattern(const CString& location, const CString& typed, const CString& fileType);
// The location up to and including its last "\"; empty when it has none.
CString SavedSearchPath(const CString& location);

} // namespace SearchPatterns
