#include "platform/afx/tests/showcase/CShowcaseFrame.h"

#include <iterator>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/tests/showcase/CItemsView.h"
#include "platform/afx/tests/showcase/COptionsSheet.h"
#include "platform/afx/tests/showcase/CShowcaseApp.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"

IMPLEMENT_DYNCREATE(CShowcaseFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CShowcaseFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_SHOWCASE_OPTIONS, OnOptions)
ON_UPDATE_COMMAND_UI(kDocumentPane, OnUpdateDocumentPane)
END_MESSAGE_MAP()

namespace {

const UINT kButtons[] = { ID_SHOWCASE_NEW_NOTES, ID_SHOWCASE_NEW_ITEMS, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0,
    ID_SHOWCASE_OPTIONS };
const UINT kPanes[] = { 0, CShowcaseFrame::kDocumentPane };

} // namespace

int CShowcaseFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.Create(this, kButtons, static_cast<int>(std::size(kButtons)), AFX_IDW_TOOLBAR)
        || !m_wndStatusBar.Create(this, kPanes, static_cast<int>(std::size(kPanes))))
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

void CShowcaseFrame::OnOptions()
{
    ShowcaseSettings& settings = ShowcaseApp().m_settings;
    COptionsSheet sheet(settings, this);
    m_nLastOptions = sheet.DoModal();
    // The item lists show the grid as the options now say.
    for (CWnd* child = CWnd::FromHandle(::GetWindow(m_hWndMDIClient, GW_CHILD)); child;
         child = CWnd::FromHandle(::GetWindow(child->m_hWnd, GW_HWNDNEXT))) {
        auto* frame = dynamic_cast<CMDIChildWnd*>(child);
        if (auto* items = frame ? dynamic_cast<CItemsView*>(frame->GetActiveView()) : nullptr)
            items->ShowGrid(settings.grid);
    }
}

void CShowcaseFrame::OnUpdateDocumentPane(CCmdUI* pCmdUI)
{
    CMDIChildWnd* child = MDIGetActive();
    CDocument* document = child ? child->GetActiveDocument() : nullptr;
    pCmdUI->Enable(document != nullptr);
    pCmdUI->SetText(document ? static_cast<LPCTSTR>(document->GetTitle()) : "");
}
