#pragma once
// The list's columns by database field name: which fields show and under which caption. Optional
// fields follow the user's GridViews settings, read once when the map is filled.

#include <map>

#include "app/CUIFieldDisplay.h"

class FieldDisplayMap {
public:
    // How a field's column is made: its caption and width, and whether it is shown.
    struct Column {
        CString caption;
        int width { 75 };
        bool shown { true };
    };

    // Fills the map from the built-in table and the GridViews settings; later calls change nothing.
    void Fill();
    bool IsFilled() const { return !m_fields.empty(); }
    // The column of a field: the map's caption when it has one, else the field's name; hidden (no
    // caption, width 0) when the map hides it or, outside the map, when the name begins with "Expr".
    Column ColumnFor(const CString& fieldName) const;

private:
    std::map<CString, CUIFieldDisplay> m_fields;
};
