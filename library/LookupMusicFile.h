#pragma once
// Tag reading and the CD-database look-up for one MP3 file being imported: the file's tags first, then,
// when they leave the genre unmapped and the settings allow it, the CD-database control. Runs on the
// user-interface thread; a second thread raises the control's "Match" window while a look-up runs.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

#include <atomic>

class MusicImportHost;

// The values gathered for one file, with the import's starting values.
struct MusicFileValues {
    CString albumTitle;
    CString artist;
    CString year;
    CString note;
    CString language;
    CString trackNumberText;
    CString trackTitle;
    CString trackLengthText; // seconds
    LONG genreId { 16 }; // "Other"
    LONG subGenreId { -1 };
};

// Set when a look-up's call has returned or the "Match" window has been raised; the raise thread ends on it.
extern std::atomic<bool> g_bStopRaiseMatchWindow;

// Fills values from the tags and, as the settings ask, the CD database. True when the control is absent
// or the work ended normally; false for an empty path, a component that cannot be created, a look-up
// that finds nothing, a failing genre query or a failure inside the control (the values already filled
// stay).
bool LookupMusicFile(MusicImportHost& host, LPCTSTR path, MusicFileValues& values);

// The raise thread's work: asks the host to raise the "Match" window until it has or the stop flag is
// set, without pausing between attempts. Returns 0.
UINT RaiseMatchWindow(MusicImportHost& host);
