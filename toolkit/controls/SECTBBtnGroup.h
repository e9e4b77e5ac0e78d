#pragma once
// A category of the commands page shown as a toolbar of its buttons.

#include "toolkit/controls/SECBtnGroup.h"
#include "toolkit/controls/SECCustomizeToolBar.h"

class SECTBBtnGroup : public SECBtnGroup {
    DECLARE_DYNAMIC(SECTBBtnGroup)
public:
    using SECBtnGroup::SECBtnGroup;

    BOOL Create(CPropertyPage* pPage, SECToolBarManager* pManager, UINT nID) override;
    void Layout(const CRect& rect) override;
    void Activate(BOOL bOn) override;
    CWnd* GetWnd() const override { return const_cast<SECCustomizeToolBar*>(&m_bar); }
    SECCustomizeToolBar& GetBar() { return m_bar; }

private:
    SECCustomizeToolBar m_bar;
};
