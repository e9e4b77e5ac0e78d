#pragma once
// What the preferences pages share: the dirty flag set by the first click on a bound check box, and
// an OK that writes only when something changed.

#include "app/CBasePropertyPage.h"

class CPreferencePage : public CBasePropertyPage {
public:
    explicit CPreferencePage(UINT nIDTemplate);

    BOOL OnInitDialog() override;
    // Takes the data and writes what changed, only when dirty.
    void OnOK() override;

    BOOL m_bDirty { FALSE };

protected:
    // Writes the page's settings; the data is taken already.
    virtual void WriteSettings() = 0;
    // Marks the page changed: the sheet's Apply comes on and OK writes.
    void MarkDirty();
    afx_msg void OnCheckBoxClicked(UINT id);
    DECLARE_MESSAGE_MAP()
};

// "T" or "F".
const char* FlagText(BOOL value);
// Writes a Settings value through the application's profile when it changed, and keeps the new value.
void WriteSettingFlag(BOOL newValue, BOOL& setting, const char* valueName);
