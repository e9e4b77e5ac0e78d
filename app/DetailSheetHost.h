#pragma once
// What the detail sheet asks of the window around it: the kind of rows the list shows and its record
// set, refilling the list, and the changes of the library tree that follow an edit. The main frame
// answers once the list view and the library tree stand; a sheet without a host shows nothing.

#include "platform/base/WinTypes.h"

class _ADORecordsetHelper;

class DetailSheetHost {
public:
    // The kinds of rows the list can show.
    enum SelectionKind { NoRows = 0, TrackRows = 1, StationRows = 2, FileRows = 3 };

    virtual ~DetailSheetHost() = default;
    virtual int GetSelectionKind() = 0;
    // The list's record set holder; null while the list has none.
    virtual _ADORecordsetHelper* GetListRecordset() = 0;
    // Refills the list from its record set and repaints it.
    virtual void RefreshListView() = 0;
    // Gives the album's items under Albums and Groups in the library tree the new title.
    virtual void RenameAlbumNodes(long albumId, LPCTSTR oldTitle, LPCTSTR newTitle) = 0;
    // Rebuilds the Artists branch of the library tree.
    virtual void RefreshArtists() = 0;
    // Moves the album's tree item into the music group of its new genre.
    virtual void MoveAlbumToGenreGroup(long genreId, long albumId, LPCTSTR title) = 0;
    // Adds a new radio group's item, last, below the radio groups of the library tree.
    virtual void InsertRadioGroupNode(long groupId, LPCTSTR name) = 0;
};
