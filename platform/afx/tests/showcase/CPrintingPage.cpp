#include "platform/afx/tests/showcase/CPrintingPage.h"

#include "platform/afx/AfxDDX.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"

BEGIN_MESSAGE_MAP(CPrintingPage, COptionsPage)
ON_EN_CHANGE(IDC_SHOWCASE_LINES, OnChange)
ON_BN_CLICKED(IDC_SHOWCASE_HEADER, OnChange)
END_MESSAGE_MAP()

CPrintingPage::CPrintingPage(ShowcaseSettings& settings)
    : COptionsPage(IDD_SHOWCASE_PRINTING, settings)
    , m_nLines(settings.linesPerPage)
    , m_nHeader(settings.header)
{
}

BOOL CPrintingPage::OnInitDialog()
{
    COptionsPage::OnInitDialog();
    m_spin.SubclassDlgItem(IDC_SHOWCASE_LINES_SPIN, this);
    m_spin.SetRange(kFewestLines, kMostLines);
    UDACCEL steps[] = { { 0, 1 }, { 2, 5 } };
    m_spin.SetAccel(2, steps);
    m_spin.SetPos(m_nLines);
    return TRUE;
}

void CPrintingPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SHOWCASE_LINES, m_nLines);
    DDV_MinMaxInt(pDX, m_nLines, kFewestLines, kMostLines);
    DDX_Check(pDX, IDC_SHOWCASE_HEADER, m_nHeader);
}

BOOL CPrintingPage::OnApply()
{
    m_settings.linesPerPage = m_nLines;
    m_settings.header = m_nHeader;
    return COptionsPage::OnApply();
}
