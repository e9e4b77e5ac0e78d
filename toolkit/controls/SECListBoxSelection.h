#pragma once
// The one selected item of a list box, whatever its selection style: the list-box editor and the drag
// reordering both work on a single item.

#include "platform/afx/CListBox.h"

// TRUE for a list box with multiple or extended selection.
BOOL SECIsMultiSelect(const CListBox& listBox);
// The current selection; for a multiple-selection list box its one selected item. LB_ERR when there is
// none, or when several items are selected.
int SECGetSelectedItem(const CListBox& listBox);
// Selects the item: added to the selection of a multiple-selection list box, the current selection of
// any other.
void SECSelectItem(CListBox& listBox, int nIndex);
