#include "platform/afx/tests/showcase/CGeneralPage.h"

#include "platform/afx/AfxDDX.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"

BEGIN_MESSAGE_MAP(CGeneralPage, COptionsPage)
ON_EN_CHANGE(IDC_SHOWCASE_AUTHOR, OnChange)
END_MESSAGE_MAP()

CGeneralPage::CGeneralPage(ShowcaseSettings& settings)
    : COptionsPage(IDD_SHOWCASE_GENERAL, settings)
    , m_strAuthor(settings.author)
{
}

void CGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SHOWCASE_AUTHOR, m_strAuthor);
    DDV_MaxChars(pDX, m_strAuthor, 40);
}

BOOL CGeneralPage::OnApply()
{
    m_settings.author = m_strAuthor;
    return COptionsPage::OnApply();
}
