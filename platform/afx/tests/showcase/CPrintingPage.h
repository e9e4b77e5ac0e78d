#pragma once
// Options page: how many lines of notes a printed page holds (5 to 60, with an up-down control) and
// whether each page has a header.

#include "platform/afx/CSpinButtonCtrl.h"
#include "platform/afx/tests/showcase/COptionsPage.h"

class CPrintingPage : public COptionsPage {
public:
    static constexpr int kFewestLines = 5;
    static constexpr int kMostLines = 60;

    explicit CPrintingPage(ShowcaseSettings& settings);
    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    int m_nLines { 0 };
    int m_nHeader { TRUE };
    CSpinButtonCtrl m_spin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
