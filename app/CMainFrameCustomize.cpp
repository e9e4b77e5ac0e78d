// Customize Toolbar: the toolkit's customisation sheet over the frame's toolbar manager, captioned
// "Customize", without Help and Apply, with the toolbars page and the commands page; the commands page
// offers the default toolbar's buttons as the group "Default" and the menu's commands as "Menu".
#include "app/CMainFrame.h"

void CMainFrame::OnViewCustomizeToolbar()
{
    // The toolkit's customisation pages and the frame's toolbar manager are not part of the toolkit
    // yet; the sheet is shown here once they are.
}
