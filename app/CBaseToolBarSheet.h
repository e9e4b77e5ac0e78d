#pragma once
// The base of the toolbar customisation sheet: the toolkit's sheet without the stock Help button.

#include "toolkit/controls/SECToolBarSheet.h"

class CBaseToolBarSheet : public SECToolBarSheet {
public:
    using SECToolBarSheet::SECToolBarSheet;

    // The sheet's initialisation, then the Help button hidden; no context-help style.
    BOOL OnInitDialog() override;
};
