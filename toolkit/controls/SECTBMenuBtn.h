#pragma once
// A top-level item of a menu shown on the menu bar: the item's text in the bar's font, and a press
// that asks the bar to drop the item's popup below the button rather than firing a command.

#include "platform/afx/CString.h"
#include "toolkit/controls/SECStdBtn.h"

class SECTBMenuBtn : public SECStdBtn {
public:
    SECTBMenuBtn() { m_nType = kindMenu; }

    // The map entry's data: menu resource id (or handle), top-level position, text, menu bits.
    void Init(SECCustomToolBar* pToolBar, const UINT_PTR* pData) override;
    // A disabled button does nothing; otherwise it shows pressed and drops its popup. It takes no
    // capture: the popup's own loop has the mouse.
    BOOL BtnPressDown(CPoint point) override;
    // The text's extent in the bar's font, plus 10 across and 6 down.
    void AdjustSize() override;
    void DrawButton(SECBtnDrawContext& context, BOOL bPlain, int x, int y, int cx, int cy, int nImageWidth = -1) override;
    void SelectImage(SECBtnDrawContext&) override { }
    const SECButtonClass* GetButtonClass() const override { return &classSECTBMenuBtn; }

    // Asks the bar to open the popup (the bar sends the drop-down notification to the frame).
    virtual void DropDown();
    // The upper-cased letter after the text's first '&'; 0 without one or when the '&' ends the text.
    virtual void UpdateMnemonic();

    static const SECButtonClass classSECTBMenuBtn;

    CString m_strText;
    // A menu resource id, or a menu handle (then m_nPos is -1).
    UINT_PTR m_menu { 0 };
    int m_nPos { 0 };
    TCHAR m_cMnemonic { 0 };
    // The bits of the menus holding the item (SECMenuBar).
    DWORD m_dwMenuBits { 0 };

protected:
    // The bar's font, the default GUI font without a bar.
    HFONT TextFont() const;
};
