#include "toolkit/controls/SECTBMenuBtn.h"

#include <cctype>

#include "platform/afx/CDC.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/controls/SECCustomToolBar.h"

const SECButtonClass SECTBMenuBtn::classSECTBMenuBtn = { []() -> SECStdBtn* { return new SECTBMenuBtn; } };

void SECTBMenuBtn::Init(SECCustomToolBar* pToolBar, const UINT_PTR* pData)
{
    m_pToolBar = pToolBar;
    if (pData) {
        m_menu = pData[0];
        m_nPos = static_cast<int>(pData[1]);
        m_strText = reinterpret_cast<LPCTSTR>(pData[2]);
        m_dwMenuBits = static_cast<DWORD>(pData[3]);
    }
    UpdateMnemonic();
    AdjustSize();
}

void SECTBMenuBtn::UpdateMnemonic()
{
    m_cMnemonic = 0;
    const int nAmp = m_strText.Find('&');
    if (nAmp >= 0 && nAmp + 1 < m_strText.GetLength())
        m_cMnemonic = static_cast<TCHAR>(std::toupper(static_cast<unsigned char>(m_strText[nAmp + 1])));
}

BOOL SECTBMenuBtn::BtnPressDown(CPoint)
{
    if (m_nStyle & TBBS_DISABLED)
        return FALSE;
    m_nStyle |= TBBS_PRESSED;
    Invalidate();
    if (m_pToolBar && m_pToolBar->GetSafeHwnd())
        m_pToolBar->UpdateWindow();
    DropDown();
    return FALSE;
}

void SECTBMenuBtn::DropDown()
{
    if (m_pToolBar)
        m_pToolBar->NotifyMenuButton(this, static_cast<WPARAM>(m_menu), static_cast<LPARAM>(m_nPos));
}

HFONT SECTBMenuBtn::TextFont() const
{
    HFONT hFont = m_pToolBar ? m_pToolBar->GetFont() : nullptr;
    return hFont ? hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void SECTBMenuBtn::AdjustSize()
{
    HDC hdc = ::GetDC(nullptr);
    if (!hdc)
        return;
    const HGDIOBJ hOld = ::SelectObject(hdc, TextFont());
    CRect rect(0, 0, 0, 0);
    ::DrawText(hdc, m_strText, m_strText.GetLength(), &rect, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_cx = rect.Width() + 10;
    m_cy = rect.Height() + 6;
    if (m_pToolBar)
        m_pToolBar->GrowLargestButton(CSize(m_cx, m_cy));
}

void SECTBMenuBtn::DrawButton(SECBtnDrawContext& context, BOOL bPlain, int x, int y, int cx, int cy, int)
{
    CDC& dc = context.m_offscreenDC;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
    dc.FillSolidRect(x, y, cx, cy, face);
    CRect rect(x, y, x + cx, y + cy);
    CPoint ptText(x + 4, y + 3);
    const BOOL bDown = (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) && !bPlain;
    if (bDown) {
        CRect inner(rect);
        dc.Draw3dRect(&inner, IsCoolLook() ? shadow : frame, highlight);
        if (!IsCoolLook()) {
            inner.DeflateRect(1, 1);
            dc.Draw3dRect(&inner, shadow, face);
        }
        ptText.Offset(1, 1);
    } else if (IsCoolLook()) {
        if ((m_nStyle & SEC_TBBS_HOT) && !bPlain)
            dc.Draw3dRect(&rect, highlight, shadow);
    } else {
        CRect inner(rect);
        dc.Draw3dRect(&inner, highlight, frame);
        inner.DeflateRect(1, 1);
        dc.Draw3dRect(&inner, face, shadow);
    }
    context.m_ptImage = ptText;
    context.m_rectFace = rect;
    const HGDIOBJ hOldFont = ::SelectObject(dc, TextFont());
    const COLORREF oldText = dc.SetTextColor(::GetSysColor(COLOR_MENUTEXT));
    const COLORREF oldBk = dc.SetBkColor(face);
    CRect rectText(ptText.x, ptText.y, x + cx, y + cy);
    ::DrawText(dc, m_strText, m_strText.GetLength(), &rectText, DT_SINGLELINE);
    dc.SetBkColor(oldBk);
    dc.SetTextColor(oldText);
    ::SelectObject(dc, hOldFont);
}
