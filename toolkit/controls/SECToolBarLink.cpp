// What the frames ask of the customisable toolbars (see SECControlsLink), filled in when the toolbars
// are linked into the program.
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECControlsLink.h"

namespace {

const bool registered = [] {
    SECControlsLink& link = SECControlsLink::Get();
    link.inConfigMode = [](SECControlBarManager* pManager) -> BOOL {
        return pManager && pManager->IsKindOf(RUNTIME_CLASS(SECToolBarManager))
            && static_cast<SECToolBarManager*>(pManager)->InConfigMode();
    };
    link.sysColorChange = [](CControlBar* pBar) {
        if (SECCustomToolBar* pToolBar = SECCustomToolBar::FromObject(pBar))
            pToolBar->SysColorChange();
    };
    return true;
}();

} // namespace
