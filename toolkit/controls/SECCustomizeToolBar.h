#pragma once
// A category of buttons on the customise sheet's commands page: a toolbar the user only takes buttons
// from. Every drag from it copies, it takes no drops, and it fills the width it is given without
// balancing its rows.

#include "toolkit/controls/SECCustomToolBar.h"

class SECCustomizeToolBar : public SECCustomToolBar {
    DECLARE_DYNCREATE(SECCustomizeToolBar)
public:
    BOOL IsCopyDrag() const override { return TRUE; }
    BOOL AcceptsDrop() const override { return FALSE; }
    void BalanceRows(Rows&) override { }
    // Lays the bar out to the rectangle's width.
    virtual void SetWidthFromRect(const CRect& rect);
};
