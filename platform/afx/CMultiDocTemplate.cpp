#include "platform/afx/CMultiDocTemplate.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(
    UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (POSITION pos = m_docList.GetHeadPosition(); pos;)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
    if (m_hMenuShared && ::IsMenu(m_hMenuShared))
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    LPCTSTR resource = MAKEINTRESOURCE(m_nIDResource);
    if (!m_hMenuShared) {
        if (HINSTANCE module = AfxFindResourceHandle(resource, RT_MENU); ::FindResource(module, resource, RT_MENU))
            m_hMenuShared = ::LoadMenu(module, resource);
    }
    if (!m_hAccelTable) {
        if (HINSTANCE module = AfxFindResourceHandle(resource, RT_ACCELERATOR);
            ::FindResource(module, resource, RT_ACCELERATOR))
            m_hAccelTable = ::LoadAccelerators(module, resource);
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    if (!pDoc || m_docList.Find(pDoc))
        return;
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    POSITION pos = pDoc ? m_docList.Find(pDoc) : nullptr;
    if (!pos)
        return;
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(const_cast<CPtrList&>(m_docList).GetNext(rPos));
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!lpszPathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    CString number;
    number.Format("%u", m_nUntitledCount + 1);
    pDocument->SetTitle(title + number);
}
