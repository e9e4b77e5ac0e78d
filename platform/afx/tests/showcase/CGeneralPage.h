#pragma once
// Options page: who wrote the notes (printed in the page header).

#include "platform/afx/CPropertyPage.h"
#include "platform/afx/tests/showcase/ShowcaseSettings.h"

class CGeneralPage : public CPropertyPage {
public:
    explicit CGeneralPage(ShowcaseSettings& settings);
    BOOL OnApply() override;

    CString m_strAuthor;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChange();
    DECLARE_MESSAGE_MAP()

private:
    ShowcaseSettings& m_settings;
};
