#include "platform/afx/tests/showcase/CLayoutPage.h"

#include "platform/afx/AfxDDX.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"

BEGIN_MESSAGE_MAP(CLayoutPage, COptionsPage)
ON_BN_CLICKED(IDC_SHOWCASE_GRID, OnChange)
END_MESSAGE_MAP()

CLayoutPage::CLayoutPage(ShowcaseSettings& settings)
    : COptionsPage(IDD_SHOWCASE_LAYOUT, settings)
    , m_nGrid(settings.grid)
{
}

void CLayoutPage::DoDataExchange(CDataExchange* pDX) { DDX_Check(pDX, IDC_SHOWCASE_GRID, m_nGrid); }

BOOL CLayoutPage::OnApply()
{
    m_settings.grid = m_nGrid;
    return COptionsPage::OnApply();
}
