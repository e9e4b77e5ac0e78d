#include "toolkit/frames/SECWsMgrDialogEx.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CListBox.h"
#include "toolkit/controls/SECListBoxEditorHelper.h"
#include "toolkit/controls/SECListBoxSelection.h"
#include "toolkit/frames/SECFrameStrings.h"
#include "toolkit/frames/SECFrameResIds.h"
#include "toolkit/frames/SECWSLBEditorEx.h"

BEGIN_MESSAGE_MAP(SECWsMgrDialogEx, CDialog)
    ON_COMMAND(IDC_SEC_WS_OPEN, OnOpenOrSave)
    ON_COMMAND(IDC_SEC_WS_SAVE, OnOpenOrSave)
    ON_COMMAND(IDC_SEC_WS_DONE, OnDone)
END_MESSAGE_MAP()

SECWsMgrDialogEx::SECWsMgrDialogEx(CStringList& names, CStringList& currentNames, CStringList& deleted,
    CString& strActiveName, BOOL bOpenAllowed, BOOL bSaveAllowed, CWnd* pParent)
    : CDialog(IDD_SEC_WORKSPACE, pParent)
    , m_pEditor(std::make_unique<SECWSLBEditorEx>(names, currentNames, deleted, this))
    , m_names(names)
    , m_strActiveName(strActiveName)
    , m_bOpenAllowed(bOpenAllowed)
    , m_bSaveAllowed(bSaveAllowed)
{
}

SECWsMgrDialogEx::~SECWsMgrDialogEx() = default;

BOOL SECWsMgrDialogEx::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (HWND hList = ::GetDlgItem(m_hWnd, IDC_SEC_WS_LIST)) {
        for (POSITION pos = m_names.GetHeadPosition(); pos;)
            ::SendMessage(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_names.GetNext(pos))));
    }
    EnableButtons(TRUE, TRUE);
    m_pEditor->Initialize(this, IDC_SEC_WS_LIST, m_bSaveAllowed ? kSaveEditorStyle : kOpenEditorStyle);
    if (m_bOpenAllowed)
        SetWindowText(SECLoadStringOr(IDS_SEC_WS_OPEN, "Open Workspace"));
    else if (m_bSaveAllowed)
        SetWindowText(SECLoadStringOr(IDS_SEC_WS_SAVE, "Save Workspace"));
    else
        SetWindowText(SECLoadStringOr(IDS_SEC_WS_MANAGER, "Workspace Manager"));
    if (m_pEditor->m_hWnd)
        m_pEditor->SetWindowText(SECLoadStringOr(IDS_SEC_WS_HEADER, "Workspaces"));
    SetDlgItemText(IDC_SEC_WS_ACTIVE, m_strActiveName.IsEmpty() ? SECLoadStringOr(IDS_SEC_WS_NOACTIVE, "<None>") : m_strActiveName);
    return TRUE;
}

void SECWsMgrDialogEx::EnableButtons(BOOL bOpen, BOOL bSave)
{
    if (CWnd* pOpen = GetDlgItem(IDC_SEC_WS_OPEN))
        pOpen->EnableWindow(m_bOpenAllowed && bOpen);
    if (CWnd* pSave = GetDlgItem(IDC_SEC_WS_SAVE))
        pSave->EnableWindow(m_bSaveAllowed && bSave);
}

void SECWsMgrDialogEx::EnableDone(BOOL bEnable)
{
    if (CWnd* pDone = GetDlgItem(IDC_SEC_WS_DONE))
        pDone->EnableWindow(bEnable);
}

void SECWsMgrDialogEx::OnOpenOrSave()
{
    CListBox* pList = m_pEditor->GetListBox();
    const int nSel = pList ? SECGetSelectedItem(*pList) : LB_ERR;
    if (nSel == LB_ERR) {
        MessageBox(SECLoadStringOr(IDS_SEC_WS_SELECT, "You must select an item for this operation"), AfxGetAppName(), MB_OK);
        return;
    }
    CString text;
    pList->GetText(nSel, text);
    if (text.IsEmpty()) {
        MessageBox(SECLoadStringOr(IDS_SEC_WS_BADNAME, "Invalid workspace name."), AfxGetAppName(), MB_OK);
        return;
    }
    m_strActiveName = text;
    EndDialog(IDOK);
}

void SECWsMgrDialogEx::OnDone() { EndDialog(IDOK); }
