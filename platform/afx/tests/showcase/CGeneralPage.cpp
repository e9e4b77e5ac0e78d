#include "platform/afx/tests/showcase/CGeneralPage.h"

#include "platform/afx/AfxDDX.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"

BEGIN_MESSAGE_MAP(CGeneralPage, CPropertyPage)
ON_EN_CHANGE(IDC_SHOWCASE_AUTHOR, OnChange)
END_MESSAGE_MAP()

CGeneralPage::CGeneralPage(ShowcaseSettings& settings)
    : CPropertyPage(IDD_SHOWCASE_GENERAL)
    , m_strAuthor(settings.author)
    , m_settings(settings)
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
    return CPropertyPage::OnApply();
}

void CGeneralPage::OnChange() { SetModified(); }
