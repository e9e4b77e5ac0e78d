#include "toolkit/controls/SECMenuBarFeature.h"

#include "platform/afx/CMenu.h"
#include "toolkit/controls/SECCustomToolBar.h"

IMPLEMENT_DYNAMIC(SECMenuBarFeature, SECBmpMenuPlugIn)

BEGIN_MESSAGE_MAP(SECMenuBarFeature, SECBmpMenuPlugIn)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMsg)
    ON_REGISTERED_MESSAGE(WM_SEC_MENUPROD, OnMenuProdMsg)
    ON_MESSAGE(WM_INITMENUPOPUP, OnFeatureInitMenuPopup)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommandMsg)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMsg)
END_MESSAGE_MAP()

BOOL SECMenuBarFeature::PreTranslateMessage(MSG* pMsg)
{
    return SECMenuBarMessages::PreTranslateMessage(pMsg) || SECBmpMenuPlugIn::PreTranslateMessage(pMsg);
}

BOOL SECMenuBarFeature::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const DestructionWatch watch(*this);
    const BOOL bHandled = SECMenuBarMessages::OnNotify(wParam, lParam, pResult);
    // Messages handled inside a popup's loop reset the flag meanwhile: it is set after the loop.
    if (bHandled && !watch.Destroyed())
        m_bConsumed = TRUE;
    return bHandled;
}

LRESULT SECMenuBarFeature::OnMenuSelectMsg(WPARAM, LPARAM)
{
    SECMenuBarMessages::OnMenuSelect();
    return 0;
}

LRESULT SECMenuBarFeature::OnMenuProdMsg(WPARAM, LPARAM)
{
    const DestructionWatch watch(*this);
    const LRESULT result = SECMenuBarMessages::OnMenuProd();
    if (!watch.Destroyed())
        m_bConsumed = TRUE;
    return result;
}

LRESULT SECMenuBarFeature::OnFeatureInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    SECMenuBarMessages::OnInitMenuPopup();
    InitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT SECMenuBarFeature::OnSysCommandMsg(WPARAM wParam, LPARAM lParam)
{
    const DestructionWatch watch(*this);
    const BOOL bHandled = SECMenuBarMessages::OnSysCommand(static_cast<UINT>(wParam), lParam);
    if (bHandled && !watch.Destroyed())
        m_bConsumed = TRUE;
    return 0;
}

LRESULT SECMenuBarFeature::OnNcActivateMsg(WPARAM wParam, LPARAM)
{
    SECMenuBarMessages::OnNcActivate(static_cast<BOOL>(wParam));
    return 0;
}
