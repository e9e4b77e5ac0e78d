#include "platform/afx/CDocTemplate.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CCreateContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/CaseFold.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(
    UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource)
    , m_pDocClass(pDocClass)
    , m_pFrameClass(pFrameClass)
    , m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0)
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0)
            return FALSE;
        ++start;
    }
    int end = m_strDocStrings.Find('\n', start);
    if (end < 0)
        end = m_strDocStrings.GetLength();
    rString = m_strDocStrings.Mid(start, end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc)
        pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc && pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    if (!lpszPathName)
        return noAttempt;
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        if (platform::EqualsNoCase(doc->GetPathName().GetString(), lpszPathName)) {
            rpDocMatch = doc;
            return yesAlreadyOpen;
        }
    }
    CString extension;
    if (GetDocString(extension, filterExt)) {
        // The filter may name several extensions ("*.txt;*.log") or one (".txt").
        const CString path(lpszPathName);
        int start = 0;
        while (start < extension.GetLength()) {
            int end = extension.Find(';', start);
            if (end < 0)
                end = extension.GetLength();
            CString one = extension.Mid(start, end - start);
            one.TrimLeft('*');
            if (!one.IsEmpty() && path.GetLength() >= one.GetLength()
                && platform::EqualsNoCase(path.Right(one.GetLength()).GetString(), one.GetString()))
                return yesAttemptNative;
            start = end + 1;
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    auto* doc = dynamic_cast<CDocument*>(object);
    if (!doc) {
        delete object;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_pFrameClass)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    // A frame that fails to load has already deleted itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        doc->OnCloseDocument();
    }
}
