// What the frames ask of the bitmap menus (see SECControlsLink), filled in when the menus are linked
// into the program.
#include "toolkit/controls/SECBmpMenuPlugIn.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECControlsLink.h"

namespace {

SECBmpMenuPlugIn* AsBmpMenuPlugIn(quorvale::foundation::SECWndPlugIn* pPlugIn)
{
    return pPlugIn && pPlugIn->IsKindOf(RUNTIME_CLASS(SECBmpMenuPlugIn)) ? static_cast<SECBmpMenuPlugIn*>(pPlugIn)
                                                                         : nullptr;
}

const bool registered = [] {
    SECControlsLink& link = SECControlsLink::Get();
    link.newBmpMenuPlugIn = []() -> quorvale::foundation::SECWndPlugIn* { return new SECBmpMenuPlugIn(TRUE); };
    link.shareBmpMgr = [](quorvale::foundation::SECWndPlugIn* pPlugIn, SECControlBarManager* pManager) {
        SECBmpMenuPlugIn* pMenus = AsBmpMenuPlugIn(pPlugIn);
        if (pMenus && pManager && pManager->IsKindOf(RUNTIME_CLASS(SECToolBarManager)))
            pMenus->SetBmpMgr(static_cast<SECToolBarManager*>(pManager)->GetBmpMgr());
    };
    link.bmpMenuInitPopup = [](quorvale::foundation::SECWndPlugIn* pPlugIn, WPARAM wParam, LPARAM lParam) {
        if (SECBmpMenuPlugIn* pMenus = AsBmpMenuPlugIn(pPlugIn))
            pMenus->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam);
    };
    return true;
}();

} // namespace
