#pragma once
// What the Layout preferences need of the record list: which optional columns it knows and shows, and
// rebuilding it with new columns. The list view provides it; without one, no column has an entry and
// only the stored settings change.

class ListColumnHost {
public:
    virtual ~ListColumnHost() = default;
    // True when the list keeps an entry for the field.
    virtual bool HasColumn(const char* field) const = 0;
    virtual bool IsColumnVisible(const char* field) const = 0;
    virtual void SetColumnVisible(const char* field, bool visible) = 0;
    // Refills the list for the library tree's caret item, so that it shows the new columns.
    virtual void ReloadView() = 0;
};

// The list of the running program; null until the list view registers itself.
ListColumnHost*& TheListColumnHost();
