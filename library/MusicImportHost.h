#pragma once
// What the music import needs from the main window: its import flags, the overwrite prompt, the status
// bar, the message pump, the library tree and the look-up's "Match" window. The main frame implements
// it; tests give their own.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

// Answers of the overwrite prompt besides IDYES, IDNO and IDCANCEL.
constexpr int IDYESTOALL = 8;

class MusicImportHost {
public:
    virtual ~MusicImportHost() = default;

    // The overwrite prompt's "Yes on All" answer, kept for the rest of an import.
    virtual bool YesToAll() const = 0;
    virtual void SetYesToAll(bool yesToAll) = 0;
    // While set, the main frame swallows every command (the CD look-up runs inside the control's call).
    virtual void SetSyncRunning(bool running) = 0;
    // Asks whether to overwrite the file of that name in the library's music folder: IDYES, IDYESTOALL,
    // IDNO or IDCANCEL.
    virtual int AskOverwrite(LPCTSTR fileName) = 0;
    // Shows a text in the status bar; the idle text when null.
    virtual void SetStatusText(LPCTSTR text) = 0;
    // Serves the messages waiting in the queue.
    virtual void PumpMessages() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void RestoreWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // A name made from baseName that no child of the tree's Albums node has yet.
    virtual CString MakeUniqueAlbumName(LPCTSTR baseName) = 0;
    // Shows a newly inserted album in the tree: its node under Albums, its artist under Artists when
    // missing, and its genre group.
    virtual void AddAlbumToTree(long albumId, LPCTSTR title, LPCTSTR artist, long genreId) = 0;
    // Rebuilds the tree's Playlists branch.
    virtual void RefreshPlaylists() = 0;
    // Refreshes the items of the tree control after files were imported from the folder view.
    virtual void RefreshTree() = 0;
    // Requeries the list view.
    virtual void RequeryView() = 0;
    // The progress bar in the status bar: made, moved to a percentage (kept within 1 to 100), set back to 0.
    virtual void BeginProgress() = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void EndProgress() = 0;
    // Brings the CD look-up's "Match" window to the top when it is shown; true when it was. Called from
    // the look-up's own thread.
    virtual bool RaiseMatchWindow() = 0;
};
