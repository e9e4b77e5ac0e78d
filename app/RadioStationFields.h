#pragma once
// What the station dialog and the station page share: the labels they take from the string table and
// the category list of the radio genres.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

class CComboBox;
class CWnd;

// Puts the string-table texts into the station form's labels.
void SetRadioStationLabels(CWnd& form);
// Empties the combo and lists the radio genres with their ids as item data; nothing more when the
// genres cannot be read.
void FillRadioCategories(CComboBox& box);
// The row whose item data is the category id; -1 when none is.
int FindCategoryRow(CComboBox& box, long categoryId);
