#pragma once
// The one plug-in a frame with a menu bar attaches to itself: the menu-bar messages (keyboard, mouse
// and popups of the bar) together with the bitmap menus, and the routing of the frame's messages to
// both.

#include "toolkit/controls/SECBmpMenuPlugIn.h"
#include "toolkit/controls/SECMenuBarMessages.h"

class SECMenuBarFeature : public SECBmpMenuPlugIn, public SECMenuBarMessages {
    DECLARE_DYNAMIC(SECMenuBarFeature)
public:
    // The popups draw with the plug-in's own check and radio bitmaps.
    SECMenuBarFeature()
        : SECBmpMenuPlugIn(TRUE)
    {
    }
    // The messages part lets go of its hooks and loop state before the bitmap menus restore the texts.
    ~SECMenuBarFeature() override = default;

    void SetMenuBar(SECMenuBar* pMenuBar) { SECMenuBarMessages::SetMenuBar(pMenuBar); }
    // While the frame's window menu is tracked from the menu bar.
    static BOOL IsTrackingMenu() { return SECMenuBarMessages::IsTrackingSystemMenu(); }

    // The bar's keys first, then the class library's pre-translation.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The plug-in borrows the frame's handle, so it is the frame's window object.
    CWnd* GetHostWnd() override { return this; }

protected:
    // The bar's notifications; a handled one is the feature's alone.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg LRESULT OnMenuSelectMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuProdMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFeatureInitMenuPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysCommandMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcActivateMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
