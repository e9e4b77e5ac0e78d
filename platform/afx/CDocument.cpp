#include "platform/afx/CDocument.h"

#include <algorithm>

#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/FileApi.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views outliving their document must not reach back into it.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    CString title = m_strPathName;
    const int cut = std::max(title.ReverseFind('\\'), title.ReverseFind('/'));
    if (cut >= 0)
        title = title.Mid(cut + 1);
    SetTitle(title);
    if (bAddToMRU && !m_strPathName.IsEmpty()) {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = pView ? m_viewList.Find(pView) : nullptr;
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    if (!lpszPathName || !file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    DeleteContents();
    SetModifiedFlag(TRUE);
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        // What was read of a bad file is not kept, and the document no longer names a file: saving
        // the emptied document must not overwrite the file it was meant to show.
        DeleteContents();
        m_strPathName.Empty();
        SetModifiedFlag(FALSE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName)
        return FALSE;
    const CString temporary = CString(lpszPathName) + ".saving";
    try {
        CFile file;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
            return FALSE;
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        ::DeleteFile(temporary);
        return FALSE;
    }
    if (!::MoveFileEx(temporary, lpszPathName, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFile(temporary);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    m_bClosing = true;
    // Keep the document alive while its frames go.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame->m_hWnd) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        }
        // A view whose window is gone or that has no frame is simply let go.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view)
            RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    m_bClosing = false;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty())
        name = "Untitled";
    switch (AfxMessageBox("Save changes to " + name + "?", MB_YESNOCANCEL)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Another frame still showing the document keeps it open without asking.
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame != pFrame)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete && !m_bClosing) {
        OnCloseDocument();
        return;
    }
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame())
            frame->DelayUpdateFrameTitle();
    }
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString path = lpszPathName ? lpszPathName : "";
    if (path.IsEmpty()) {
        path = m_strPathName;
        CWinApp* app = AfxGetApp();
        if (bReplace && path.IsEmpty())
            path = m_strTitle;
        if (!app || !app->DoPromptFileName(path, 0, 0, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(path)) {
        AfxMessageBox("The document could not be saved to " + path + ".", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (bReplace)
        SetPathName(path);
    return TRUE;
}

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString()); }

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
