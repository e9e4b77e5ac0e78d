#include "toolkit/controls/SECBtnGroup.h"

IMPLEMENT_DYNAMIC(SECBtnGroup, CObject)

SECBtnGroup::SECBtnGroup(LPCTSTR lpszTitle, const UINT* pIDs, int nCount)
    : m_strTitle(lpszTitle ? lpszTitle : "")
{
    if (pIDs && nCount > 0)
        m_ids.assign(pIDs, pIDs + nCount);
}

SECBtnGroup::~SECBtnGroup() = default;
