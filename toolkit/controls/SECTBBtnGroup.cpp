#include "toolkit/controls/SECTBBtnGroup.h"

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPropertyPage.h"
#include "toolkit/controls/SECToolBarManager.h"

IMPLEMENT_DYNAMIC(SECTBBtnGroup, SECBtnGroup)

namespace {

// A floating-looking bar inside the page: child, visible, 3-D border, sized freely.
constexpr DWORD kGroupBarStyle = WS_CHILD | WS_VISIBLE | CBRS_BORDER_3D | CBRS_SIZE_DYNAMIC | CBRS_FLOATING;

} // namespace

BOOL SECTBBtnGroup::Create(CPropertyPage* pPage, SECToolBarManager* pManager, UINT nID)
{
    DWORD dwStyle = kGroupBarStyle;
    DWORD dwExStyle = 0;
    if (pManager) {
        dwStyle |= (pManager->ToolTipsEnabled() ? CBRS_TOOLTIPS | CBRS_FLYBY : 0);
        dwExStyle = pManager->GetExBarStyle();
    }
    if (!m_bar.CreateEx(dwExStyle, pPage, dwStyle, nID, m_strTitle))
        return FALSE;
    m_bar.EnterCustomizeMode(TRUE);
    if (pManager) {
        m_bar.SetManager(pManager);
        m_bar.SetBmpMgr(pManager->GetBmpMgr());
        pManager->SetBarImageSize(&m_bar);
        m_bar.SetOwner(pManager->GetFrame());
    }
    m_bar.ResetButtonSizes();
    m_bar.SetButtons(m_ids.data(), static_cast<int>(m_ids.size()));
    return TRUE;
}

void SECTBBtnGroup::Layout(const CRect& rect) { m_bar.SetWidthFromRect(rect); }

void SECTBBtnGroup::Activate(BOOL bOn) { m_bar.EnterCustomizeMode(bOn); }
