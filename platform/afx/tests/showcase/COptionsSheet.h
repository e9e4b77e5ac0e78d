#pragma once
// The showcase's options: three pages on one sheet, applied into the settings on OK or Apply.

#include "platform/afx/CPropertySheet.h"
#include "platform/afx/tests/showcase/CGeneralPage.h"
#include "platform/afx/tests/showcase/CLayoutPage.h"
#include "platform/afx/tests/showcase/CPrintingPage.h"

class COptionsSheet : public CPropertySheet {
public:
    COptionsSheet(ShowcaseSettings& settings, CWnd* pParentWnd);

    CGeneralPage m_general;
    CLayoutPage m_layout;
    CPrintingPage m_printing;
};
