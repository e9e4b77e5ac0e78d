// A custom toolbar's part of its saved record: its title and its buttons.
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECCustomToolBarInfoEx.h"
#include "toolkit/frames/SECControlBarInfo.h"

void SECCustomToolBar::GetExtendedInfo(SECControlBarInfo* pInfo)
{
    if (!pInfo)
        return;
    auto pEx = std::make_unique<SECCustomToolBarInfoEx>();
    if (GetSafeHwnd())
        GetWindowText(pEx->m_strTitle);
    for (const auto& pBtn : m_btns) {
        SECBtnInfo info;
        const BOOL bSeparator = (pBtn->m_nStyle & TBBS_SEPARATOR) != 0;
        info.m_nID = bSeparator ? 0 : pBtn->m_nID;
        int nSize = 0;
        const BYTE* pData = nullptr;
        pBtn->GetExtraData(nSize, pData);
        if (pData && nSize > 0)
            info.m_extra.assign(pData, pData + nSize);
        pEx->m_btnInfo.push_back(std::move(info));
    }
    pInfo->m_pBarInfoEx = std::move(pEx);
}

void SECCustomToolBar::SetExtendedInfo(SECControlBarInfo* pInfo)
{
    auto* pEx = pInfo ? dynamic_cast<SECCustomToolBarInfoEx*>(pInfo->m_pBarInfoEx.get()) : nullptr;
    if (!pEx)
        return;
    RemoveAllButtons();
    ClearSelection(FALSE);
    if (!pEx->m_strTitle.IsEmpty() && GetSafeHwnd())
        SetWindowText(pEx->m_strTitle);
    for (const SECBtnInfo& info : pEx->m_btnInfo) {
        std::unique_ptr<SECStdBtn> pBtn(info.m_nID == 0 ? CreateSeparator() : CreateButton(info.m_nID));
        pBtn->SetExtraData(static_cast<int>(info.m_extra.size()), info.m_extra.data());
        m_btns.push_back(std::move(pBtn));
    }
}
