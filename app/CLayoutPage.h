#pragma once
// Preferences: whether the window settings are saved, and which optional columns the record list
// shows (GridViews, one "T"/"F" value per field).

#include "app/CPreferencePage.h"

class ListColumnHost;

class CLayoutPage : public CPreferencePage {
public:
    // The optional columns, in the order they are written.
    static constexpr int kColumnCount = 16;

    explicit CLayoutPage(ListColumnHost* host = nullptr);

    BOOL OnInitDialog() override;
    // The field's visible flag in the list; FALSE when the list has no entry for it.
    BOOL GetColumnVisible(const char* field) const;
    // Sets the column's visible flag and writes GridViews when it changes; without an entry only
    // GridViews is written.
    void SetColumnVisible(const char* field, BOOL visible);

    BOOL m_bSaveWindowSettings { FALSE };
    BOOL m_bColumn[kColumnCount] {};
    BOOL m_bColumnsChanged { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void WriteSettings() override;

private:
    ListColumnHost* m_pHost;
};

// The field name of optional column i.
const char* LayoutColumnField(int column);
