#pragma once
// What the generic dialogs share: a caption the caller may give before the window exists, shown in
// place of the template's when it is not empty.

#include "app/CBaseDialog.h"

class CGenericDialog : public CBaseDialog {
public:
    // Stores the caption and, while the window exists, shows it at once.
    void SetCaption(LPCTSTR lpszCaption);
    void SetCaptionFromId(UINT nStringId);

    BOOL OnInitDialog() override;

    CString m_strCaption;

protected:
    using CBaseDialog::CBaseDialog;
    static CString LoadText(UINT nStringId);
};
