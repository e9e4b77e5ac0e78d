#include "toolkit/frames/SECDocTemplateUtils.h"

#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"

namespace {

// Whether the class is, or derives from, the class of that name. By name, because the dockable frame
// and its template live above this folder's lowest layer.
bool DerivesFromNamed(const CRuntimeClass* pClass, const char* lpszName)
{
    for (; pClass; pClass = pClass->m_pBaseClass)
        if (pClass->m_lpszClassName && std::strcmp(pClass->m_lpszClassName, lpszName) == 0)
            return true;
    return false;
}

// Keeps the templates for which keep() holds.
template <typename Predicate> void KeepIf(CPtrList& templates, Predicate keep)
{
    for (POSITION pos = templates.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        auto* pTemplate = static_cast<CDocTemplate*>(templates.GetNext(pos));
        if (!keep(pTemplate))
            templates.RemoveAt(current);
    }
}

} // namespace

CString SECDocTemplateUtils::GetKey(CDocTemplate* pTemplate) const
{
    CString key;
    pTemplate->GetDocString(key, m_bKeyById ? CDocTemplate::regFileTypeId : CDocTemplate::regFileTypeName);
    return key;
}

int SECDocTemplateUtils::GetTemplateIndex(CDocTemplate* pTemplate, const CString& strKey)
{
    CWinApp* pApp = AfxGetApp();
    if (!pTemplate || !pApp)
        return -1;
    int nCount = 0;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pCandidate = pApp->GetNextDocTemplate(pos);
        if (GetKey(pCandidate) == strKey)
            ++nCount;
        if (pCandidate == pTemplate)
            return nCount - 1;
    }
    return -1;
}

CDocTemplate* SECDocTemplateUtils::GetTemplate(const CString& strKey, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || nIndex < 0)
        return nullptr;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pCandidate = pApp->GetNextDocTemplate(pos);
        if (GetKey(pCandidate) == strKey && nIndex-- == 0)
            return pCandidate;
    }
    return nullptr;
}

CDocTemplate* SECDocTemplateUtils::FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame)
{
    if (!pDoc || !pView || !pFrame)
        return nullptr;
    CPtrList templates;
    GetAllTemplates(templates);
    CDocTemplate* pFound = nullptr;
    if (GetSingle(templates, pFound))
        return pFound;
    FilterByViewAndFrame(templates, pView, pFrame);
    if (GetSingle(templates, pFound))
        return pFound;
    FilterByResource(templates, pFrame);
    if (GetSingle(templates, pFound))
        return pFound;
    FilterByDocument(templates, pDoc);
    if (GetSingle(templates, pFound))
        return pFound;
    if (templates.Find(pDoc->GetDocTemplate()))
        return pDoc->GetDocTemplate();
    return static_cast<CDocTemplate*>(templates.GetHead());
}

UINT SECDocTemplateUtils::GetFrameResourceID(CFrameWnd* pFrame) { return pFrame ? pFrame->m_nIDHelp : 0; }

BOOL SECDocTemplateUtils::GetAllTemplates(CPtrList& templates)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos;)
        templates.AddTail(pApp->GetNextDocTemplate(pos));
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByViewAndFrame(CPtrList& templates, CView* pView, CFrameWnd* pFrame)
{
    if (!pView || !pFrame)
        return FALSE;
    CRuntimeClass* pViewClass = pView->GetRuntimeClass();
    CRuntimeClass* pFrameClass = pFrame->GetRuntimeClass();
    const BOOL bDockable = IsDockableFrameClass(pFrameClass);
    KeepIf(templates, [&](CDocTemplate* pTemplate) {
        return pTemplate->m_pViewClass == pViewClass && GetTemplateFrameClass(pTemplate, bDockable) == pFrameClass;
    });
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByResource(CPtrList& templates, CFrameWnd* pFrame)
{
    if (!pFrame)
        return FALSE;
    const UINT nID = GetFrameResourceID(pFrame);
    KeepIf(templates, [&](CDocTemplate* pTemplate) { return pTemplate->m_nIDResource == nID; });
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByDocument(CPtrList& templates, CDocument* pDoc)
{
    if (!pDoc)
        return FALSE;
    CRuntimeClass* pDocClass = pDoc->GetRuntimeClass();
    KeepIf(templates, [&](CDocTemplate* pTemplate) { return pTemplate->m_pDocClass == pDocClass; });
    return TRUE;
}

BOOL SECDocTemplateUtils::GetSingle(CPtrList& templates, CDocTemplate*& pTemplate)
{
    pTemplate = nullptr;
    if (templates.GetCount() > 1)
        return FALSE;
    if (!templates.IsEmpty())
        pTemplate = static_cast<CDocTemplate*>(templates.GetHead());
    return TRUE;
}

BOOL SECDocTemplateUtils::IsDockableFrameClass(CRuntimeClass* pClass)
{
    return DerivesFromNamed(pClass, "SECDockableFrame");
}

CRuntimeClass* SECDocTemplateUtils::GetTemplateFrameClass(CDocTemplate* pTemplate, BOOL bDockable)
{
    if (!pTemplate)
        return nullptr;
    if (!bDockable)
        return pTemplate->m_pFrameClass;
    // Only a dockable-view template names a dockable frame class; that template class is not part of
    // this build yet, so no template answers for a dockable frame.
    return nullptr;
}
