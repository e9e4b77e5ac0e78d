#include "platform/afx/CMultiDocTemplate.h"

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
