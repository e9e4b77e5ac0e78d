#include "app/CBaseToolBarSheet.h"

#include "app/CBasePropertySheet.h"

BOOL CBaseToolBarSheet::OnInitDialog()
{
    const BOOL result = SECToolBarSheet::OnInitDialog();
    HideSheetHelpButton(*this);
    return result;
}
