// What the frames ask of the menu bar (see SECControlsLink), filled in when the menu bar is linked
// into the program.
#include "toolkit/controls/SECMDIMenuBar.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECMenuBarFeature.h"
#include "toolkit/frames/SECControlsLink.h"

namespace {

const bool registered = [] {
    SECControlsLink& link = SECControlsLink::Get();
    link.newMenuBarFeature = [](SECMenuBar* pMenuBar) -> quorvale::foundation::SECWndPlugIn* {
        auto* pFeature = new SECMenuBarFeature;
        pFeature->SetMenuBar(pMenuBar);
        return pFeature;
    };
    link.isTrackingMenu = [] { return SECMenuBarFeature::IsTrackingMenu(); };
    link.menuBarWindow = [](SECMenuBar* pMenuBar) -> CControlBar* { return pMenuBar; };
    link.menuBarMenuId = [](SECMenuBar* pMenuBar) -> UINT { return pMenuBar ? pMenuBar->GetCurrentMenuId() : 0; };
    link.switchMenu = [](quorvale::foundation::SECWndPlugIn* pPlugIn, UINT nMenuID) {
        if (auto* pFeature = dynamic_cast<SECMenuBarFeature*>(pPlugIn))
            pFeature->SwitchMenu(nMenuID);
    };
    link.refreshMDIButtons = [](SECMenuBar* pMenuBar) -> BOOL {
        auto* pMDIMenuBar = dynamic_cast<SECMDIMenuBar*>(pMenuBar);
        return pMDIMenuBar ? pMDIMenuBar->RefreshMDIButtons() : FALSE;
    };
    return true;
}();

} // namespace
