#include "platform/afx/tests/showcase/CShowcaseApp.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxStartup.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/tests/showcase/CItemsDoc.h"
#include "platform/afx/tests/showcase/CItemsView.h"
#include "platform/afx/tests/showcase/CNotesDoc.h"
#include "platform/afx/tests/showcase/CNotesView.h"
#include "platform/afx/tests/showcase/CShowcaseFrame.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"

BEGIN_MESSAGE_MAP(CShowcaseApp, CWinApp)
ON_COMMAND(ID_SHOWCASE_NEW_NOTES, OnNewNotes)
ON_COMMAND(ID_SHOWCASE_NEW_ITEMS, OnNewItems)
END_MESSAGE_MAP()

CLIPFORMAT ShowcaseItemFormat() { return static_cast<CLIPFORMAT>(::RegisterClipboardFormat("ShowcaseItem")); }

CShowcaseApp::CShowcaseApp()
    : CWinApp("Showcase")
{
}

CShowcaseApp& ShowcaseApp() { return *static_cast<CShowcaseApp*>(AfxGetApp()); }

CShowcaseFrame* CShowcaseApp::MainFrame() const { return static_cast<CShowcaseFrame*>(m_pMainWnd); }

BOOL CShowcaseApp::InitInstance()
{
    if (!AfxOleInit())
        return FALSE;
    m_pNotesTemplate = new CMultiDocTemplate(IDR_SHOWCASE_NOTES, RUNTIME_CLASS(CNotesDoc), RUNTIME_CLASS(CMDIChildWnd),
        RUNTIME_CLASS(CNotesView));
    AddDocTemplate(m_pNotesTemplate);
    m_pItemsTemplate = new CMultiDocTemplate(IDR_SHOWCASE_ITEMS, RUNTIME_CLASS(CItemsDoc), RUNTIME_CLASS(CMDIChildWnd),
        RUNTIME_CLASS(CItemsView));
    AddDocTemplate(m_pItemsTemplate);

    auto* frame = new CShowcaseFrame;
    if (!frame->LoadFrame(IDR_SHOWCASE_MAIN)) {
        // A frame that fails to load has deleted itself.
        return FALSE;
    }
    m_pMainWnd = frame;
    frame->ShowWindow(m_nCmdShow);
    if (!m_pItemsTemplate->OpenDocumentFile(nullptr) || !m_pNotesTemplate->OpenDocumentFile(nullptr))
        return FALSE;
    frame->MDITile(MDITILE_VERTICAL);
    frame->UpdateWindow();
    return TRUE;
}

void CShowcaseApp::OnNewNotes() { m_pNotesTemplate->OpenDocumentFile(nullptr); }

void CShowcaseApp::OnNewItems() { m_pItemsTemplate->OpenDocumentFile(nullptr); }
