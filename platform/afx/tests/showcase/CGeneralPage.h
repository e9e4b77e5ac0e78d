#pragma once
// Options page: who wrote the notes (printed in the page header).

#include "platform/afx/tests/showcase/COptionsPage.h"

class CGeneralPage : public COptionsPage {
public:
    explicit CGeneralPage(ShowcaseSettings& settings);
    BOOL OnApply() override;

    CString m_strAuthor;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
