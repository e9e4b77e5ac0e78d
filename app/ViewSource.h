#pragma once
// What the record list shows for a selected tree node: the record source opened for each node kind,
// the kind of rows it gives, whether its rows carry tags, and how its rows may be dragged.

#include "library/_ADORecordsetHelper.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringList.h"
#include "platform/shell/OleIdl.h"

// The selected node as far as the list needs it.
struct ViewNode {
    int kind { 0 };
    CString text;      // the node's label (an artist's name, a playlist's name)
    long recordId { 0 };
    CString folder;    // for disk nodes the folder path, each level followed by "\"; empty for My Computer
    int searchMode { 0 };                   // search results: 0 a library search, 1 a disk search
    CString searchSql;                      // a library search's statement
    const CStringList* foundFiles { nullptr }; // a disk search's files
};

// What the rows of a selection are.
enum SelectionKind : int {
    selectionNone = 0,
    selectionTracks = 1,
    selectionStations = 2,
    selectionFiles = 3,
    selectionAlbums = 4,
    selectionGroupAlbums = 5,
};

namespace ViewSource {

// Opens the node's records into the record set (closing what it held), ordered by the order text
// (" ORDER BY [field]") or the kind's default. False when the kind shows nothing or the source could
// not be opened (the failure was shown); tagsOn tells whether the rows carry tags.
bool Open(const ViewNode& node, LPCTSTR order, _ADORecordsetHelper& recordset, bool& tagsOn);
int SelectionKindOf(const ViewNode& node);
// Moving rows out changes the node's contents; copying offers them to another node.
DROPEFFECT RowDragEffects(int kind);

} // namespace ViewSource
