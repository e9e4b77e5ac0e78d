#include "toolkit/controls/SECCapMenuBtn.h"

#include "platform/afx/CMDIChildWnd.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECMDIMenuBar.h"
#include "toolkit/controls/SECMenuBarMessages.h"

const SECButtonClass SECCapMenuBtn::classSECCapMenuBtn = { []() -> SECStdBtn* { return new SECCapMenuBtn; } };

void SECCapMenuBtn::AdjustSize()
{
    m_cx = 16;
    m_cy = 16;
    if (m_pToolBar)
        m_pToolBar->GrowLargestButton(CSize(m_cx, m_cy));
}

void SECCapMenuBtn::DrawButton(SECBtnDrawContext& context, BOOL, int x, int y, int cx, int cy, int)
{
    CDC& dc = context.m_offscreenDC;
    dc.FillSolidRect(x, y, cx, cy, ::GetSysColor(COLOR_BTNFACE));
    context.m_rectFace = CRect(x, y, x + cx, y + cy);
    if (m_hIcon)
        ::DrawIconEx(dc, x, y, m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
}

void SECCapMenuBtn::DropDown()
{
    CMDIChildWnd* pChild = SECMDIMenuBar::ActiveChildOf(m_pToolBar);
    if (!pChild)
        return;
    HMENU hMenu = SECMenuBarMessages::GetSystemMenuWithDefault(pChild->GetSafeHwnd());
    if (hMenu)
        m_pToolBar->NotifyMenuButton(this, reinterpret_cast<WPARAM>(hMenu), -1);
}
