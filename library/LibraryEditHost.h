#pragma once
// What the library edits need from the main window: its view refresh, its prompts and the library
// tree. The main frame implements it; tests give their own.

#include "app/CPelicanApp.h"
#include "platform/base/WinTypes.h"

class LibraryEditHost {
public:
    virtual ~LibraryEditHost() = default;

    // Refreshes the list view after an edit that asked for it.
    virtual void RequeryView() = 0;
    // Asks whether to delete the album that has just lost its last track; true for Yes (No is the default).
    virtual bool AskDeleteEmptyAlbum(LPCTSTR albumTitle) = 0;
    // Deletes the album through the library tree, which refreshes itself.
    virtual void DeleteAlbum(long albumId) = 0;
    // Shows the delete confirmation for a track or a station by name, its "don't ask again" box unticked;
    // false on Cancel. On OK, dontAskAgain tells whether the box was ticked.
    virtual bool ConfirmDelete(CPelicanApp::ConfirmKind kind, LPCTSTR name, bool& dontAskAgain) = 0;
};
