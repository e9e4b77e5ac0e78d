#pragma once
// The base of the options pages: each edits a copy of some settings, marks itself modified on any
// change of its controls (their notifications mapped to OnChange) and writes the copy back on Apply.

#include "platform/afx/CPropertyPage.h"
#include "platform/afx/tests/showcase/ShowcaseSettings.h"

class COptionsPage : public CPropertyPage {
public:
    COptionsPage(UINT nIDTemplate, ShowcaseSettings& settings)
        : CPropertyPage(nIDTemplate)
        , m_settings(settings)
    {
    }

protected:
    afx_msg void OnChange() { SetModified(); }

    ShowcaseSettings& m_settings;
};
