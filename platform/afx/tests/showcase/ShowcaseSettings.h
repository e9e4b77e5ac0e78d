#pragma once
// What the showcase's options sheet edits.

#include "platform/afx/CString.h"
#include "platform/shell/OleIdl.h"

struct ShowcaseSettings {
    CString author { "Ann" };
    int grid { FALSE };
    int linesPerPage { 25 };
    int header { TRUE };
};

// The clipboard format of an item dragged from a list of items.
CLIPFORMAT ShowcaseItemFormat();
