// Customize Toolbar: the toolkit's customisation sheet over the frame's toolbar manager, captioned
// "Customize", without Help and Apply, with the toolbars page and the commands page; the commands page
// offers the default toolbar's buttons as the group "Default" and the menu's commands as "Menu".
#include "app/CBaseToolBarSheet.h"
#include "app/CMainFrame.h"
#include "app/TuneStewardIds.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECToolBarCmdPage.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/SECToolBarsPage.h"

void CMainFrame::OnViewCustomizeToolbar()
{
    if (!m_pToolBarManager)
        return;
    CBaseToolBarSheet sheet(CString(MAKEINTRESOURCE(IDS_CUSTOMIZE_CAPTION)));
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    SECToolBarsPage toolbars;
    toolbars.SetManager(m_pToolBarManager.get());
    SECToolBarCmdPage commands(IDD_SEC_TOOLBAR_COMMANDS, IDS_COMMAND_PAGE);
    commands.SetManager(m_pToolBarManager.get());
    commands.DefineBtnGroup(CString(MAKEINTRESOURCE(IDS_TOOLBAR_DEFAULT)), static_cast<int>(m_defaultToolBarButtons.size()),
        m_defaultToolBarButtons.data());
    commands.DefineMenuGroup(CString(MAKEINTRESOURCE(IDS_MENU_GROUP)));
    sheet.AddPage(&toolbars);
    sheet.AddPage(&commands);
    sheet.DoModal();
}
