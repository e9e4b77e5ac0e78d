#pragma once
// Options page: grid lines in the lists of items.

#include "platform/afx/tests/showcase/COptionsPage.h"

class CLayoutPage : public COptionsPage {
public:
    explicit CLayoutPage(ShowcaseSettings& settings);
    BOOL OnApply() override;

    int m_nGrid { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
