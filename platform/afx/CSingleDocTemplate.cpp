#include "platform/afx/CSingleDocTemplate.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(
    UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    if (m_pOnlyDoc && m_pOnlyDoc != pDoc)
        return;
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc != m_pOnlyDoc)
        return;
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* doc = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return doc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = m_pOnlyDoc;
    bool createdDoc = false;
    CFrameWnd* frame = nullptr;
    if (doc) {
        if (!doc->SaveModified())
            return nullptr;
        if (CWnd* main = AfxGetMainWnd(); main && main->IsFrameWnd())
            frame = static_cast<CFrameWnd*>(main);
    } else {
        doc = CreateNewDocument();
        if (!doc)
            return nullptr;
        createdDoc = true;
    }

    bool createdFrame = false;
    if (!frame) {
        // While the frame is made the document must not close itself for want of views.
        const BOOL autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (!frame) {
            if (createdDoc)
                delete doc;
            return nullptr;
        }
        createdFrame = true;
    }

    if (!lpszPathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            if (createdFrame)
                frame->DestroyWindow();
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            if (createdFrame) {
                frame->DestroyWindow();
            } else if (doc->GetPathName().IsEmpty()) {
                // A damaged file emptied the document: it is a new one now.
                SetDefaultTitle(doc);
                doc->OnNewDocument();
            }
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }

    CWinThread* thread = AfxGetThread();
    if (createdFrame && thread && !thread->m_pMainWnd)
        thread->m_pMainWnd = frame;
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    pDocument->SetTitle(title);
}
