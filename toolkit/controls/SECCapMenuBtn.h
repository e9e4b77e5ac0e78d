#pragma once
// The menu bar's button for a maximised MDI child's window menu: the child's small icon, and a press
// that drops the child's window menu.

#include "toolkit/controls/SECTBMenuBtn.h"

class SECCapMenuBtn : public SECTBMenuBtn {
public:
    SECCapMenuBtn() { m_nType = kindSysMenu; }

    BOOL CanDrag() const override { return FALSE; }
    // Always 16 x 16, the icon's size.
    void AdjustSize() override;
    void DrawButton(SECBtnDrawContext& context, BOOL bPlain, int x, int y, int cx, int cy, int nImageWidth = -1) override;
    const SECButtonClass* GetButtonClass() const override { return &classSECCapMenuBtn; }
    // The active MDI child's window menu (Close its default when it has none); nothing without one.
    void DropDown() override;

    static const SECButtonClass classSECCapMenuBtn;

    HICON m_hIcon { nullptr };
};
