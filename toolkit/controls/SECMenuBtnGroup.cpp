#include "toolkit/controls/SECMenuBtnGroup.h"

#include "platform/afx/CPropertyPage.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECTBMenuBtn.h"
#include "toolkit/controls/SECToolBarManager.h"

IMPLEMENT_DYNAMIC(SECMenuBtnGroup, SECBtnGroup)

namespace {

// Child, border, vertical scroll bar, no integral height, strings; shown by the page.
constexpr DWORD kListStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
// The longest menu name listed.
constexpr int kMaxText = 255;

} // namespace

const SECBtnMapEntry* SECMenuBtnGroup::FindMenuEntry(SECToolBarManager* pManager, UINT nID)
{
    if (!pManager)
        return nullptr;
    const SECBtnMapEntry* maps[2] = { nullptr, nullptr };
    pManager->GetButtonMaps(maps[0], maps[1]);
    for (const SECBtnMapEntry* pMap : maps)
        for (const SECBtnMapEntry* pEntry = pMap; pEntry && pEntry->m_pBtnClass; ++pEntry)
            if (pEntry->m_nID == nID)
                return pEntry->m_pBtnClass == &SECTBMenuBtn::classSECTBMenuBtn ? pEntry : nullptr;
    return nullptr;
}

BOOL SECMenuBtnGroup::Create(CPropertyPage* pPage, SECToolBarManager* pManager, UINT nID)
{
    if (!m_list.CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, kListStyle, CRect(), pPage, nID))
        return FALSE;
    m_list.m_pManager = pManager;
    m_list.SetFont(pPage->GetFont(), FALSE);
    for (const UINT nCmd : m_ids) {
        const SECBtnMapEntry* pEntry = FindMenuEntry(pManager, nCmd);
        const auto* pText = pEntry ? reinterpret_cast<LPCTSTR>(pEntry->m_nData[2]) : nullptr;
        if (!pText || !*pText)
            continue;
        CString strText = CString(pText).Left(kMaxText);
        if (const int nAmp = strText.Find('&'); nAmp >= 0)
            strText.Delete(nAmp);
        const int nItem = m_list.AddString(strText);
        if (nItem >= 0)
            m_list.SetItemData(nItem, nCmd);
    }
    return TRUE;
}
