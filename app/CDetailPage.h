#pragma once
// The editing rule every page of the detail sheet follows: the first keystroke after a write marks
// the page and the library changed; leaving a field writes the page's fields into the bound row
// (ModifyFlag and TimeStamp with them) and reloads it. A page is read-only while its row is hidden or
// there is no row.

#include "app/BindingFields.h"
#include "app/CBasePropertyPage.h"

class CMusicDetailInfoSheet;

class CDetailPage : public CBasePropertyPage {
public:
    CDetailPage(UINT nIDTemplate, CMusicDetailInfoSheet* pSheet);

    // With clear: every field emptied and the page read-only. Otherwise the fields from the bound row.
    // The controls follow when the page has a window.
    virtual void Load(BOOL clear) = 0;
    // Read-only edits, remembered; pages disable their other controls themselves.
    virtual void SetReadOnly(BOOL readOnly);
    // Writes the page into the bound row when it is dirty and editable.
    virtual void OnKillFocusField() = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CMusicDetailInfoSheet* m_pSheet;
    BOOL m_bDirty { FALSE };
    BOOL m_bReadOnly { FALSE };

protected:
    // Marks the page changed once: the page modified, the library modified, the dirty flag.
    void MarkDirty();
    // Puts the members into the controls without counting the changes that makes.
    void ShowMembers();
    // True, after putting stored back into the control, when a required text was emptied.
    bool RestoreEmptiedText(int id, const CString& typed, const CString& stored);
    // Marks the bound row modified now, writes it through the sheet, clears the dirty flag and shows
    // the row as stored.
    template <class Row> void WriteBackRow(Row& row)
    {
        MarkRowModified(row.m_bModifyFlag, row.m_lModifyFlagStatus, row.m_dtTimeStamp, row.m_lTimeStampStatus);
        UpdateSheetRow();
        m_bDirty = FALSE;
        Load(FALSE);
    }

    afx_msg void OnEditChange(UINT id);
    afx_msg void OnEditKillFocus(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateSheetRow();

    bool m_bShowing { false };
};
