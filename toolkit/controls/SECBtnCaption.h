#pragma once
// The caption buttons (minimise, restore, close) of a maximised MDI child, drawn and operated as one
// button on the menu bar.

#include "toolkit/controls/SECStdBtn.h"

class SECBtnCaption : public SECStdBtn {
public:
    // Bits of m_nCaptionStyle: the caption buttons are shown; minimise and restore are available.
    static constexpr UINT kShown = 0x80000;
    static constexpr UINT kMinRestore = 0x20000;
    enum Part { partNone = -1, partMinimize = 0, partRestore = 1, partClose = 2 };

    SECBtnCaption();

    BOOL CanDrag() const override { return FALSE; }
    BOOL BtnPressDown(CPoint point) override;
    void BtnPressMouseMove(CPoint point) override;
    void BtnPressCancel() override;
    // Sends nothing: the command goes to the active MDI child as WM_SYSCOMMAND.
    UINT BtnPressUp(CPoint point) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // Three caption buttons wide (and two pixels between restore and close).
    void AdjustSize() override;
    void DrawButton(SECBtnDrawContext& context, BOOL bPlain, int x, int y, int cx, int cy, int nImageWidth = -1) override;
    const SECButtonClass* GetButtonClass() const override { return &classSECBtnCaption; }

    // The part under a point of the bar's client area (partNone when hidden or outside).
    int HitTest(CPoint point) const;

    static const SECButtonClass classSECBtnCaption;

    int m_nBtnWidth { 0 };
    int m_nBtnHeight { 0 };
    int m_nPressed { partNone };
    // Kept apart from the button's style, whose same bits mean hidden, pressed and checked to the bar.
    UINT m_nCaptionStyle { 0xB0000 };

private:
    CRect PartRect(int nPart) const;
};
