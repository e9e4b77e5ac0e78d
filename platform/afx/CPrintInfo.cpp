#include "platform/afx/CPrintInfo.h"

#include <algorithm>

CPrintInfo::CPrintInfo()
    : m_pPD(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION))
    , m_strPageDesc("Page %u\nPages %u-%u\n")
{
}

CPrintInfo::~CPrintInfo()
{
    // The DC belongs to whoever printed; it is deleted there, never twice.
    m_pPD->m_pd.hDC = nullptr;
}

UINT CPrintInfo::GetFromPage() const
{
    if (m_pPD->PrintRange())
        return std::max<UINT>(m_pPD->m_pd.nFromPage, GetMinPage());
    return GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    if (m_pPD->PrintRange())
        return std::min<UINT>(m_pPD->m_pd.nToPage, GetMaxPage());
    return GetMaxPage();
}
