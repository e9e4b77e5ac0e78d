#pragma once
// Options page: grid lines in the lists of items.

#include "platform/afx/CPropertyPage.h"
#include "platform/afx/tests/showcase/ShowcaseSettings.h"

class CLayoutPage : public CPropertyPage {
public:
    explicit CLayoutPage(ShowcaseSettings& settings);
    BOOL OnApply() override;

    int m_nGrid { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChange();
    DECLARE_MESSAGE_MAP()

private:
    ShowcaseSettings& m_settings;
};
