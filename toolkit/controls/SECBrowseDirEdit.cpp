#include "toolkit/controls/SECBrowseDirEdit.h"

#include "platform/afx/CFile.h"
#include "platform/base/FileApi.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECDirSelectDlg.h"

IMPLEMENT_DYNAMIC(SECBrowseDirEdit, SECBrowseEditBase)

SECBrowseDirEdit::SECBrowseDirEdit()
{
    m_strTitle.LoadString(IDS_SEC_SELECTDIR);
}

void SECBrowseDirEdit::OnBrowse()
{
    CString text;
    GetWindowText(text);
    if (!text.IsEmpty() && !IsExistingDirectory(text))
        text.Empty();
    SECDirSelectDlg dialog(m_nMode, m_strTitle, text, GetParent());
    if (dialog.DoModal() != IDOK)
        return;
    CString folder;
    dialog.GetPath(folder);
    SetWindowText(folder);
}

BOOL SECBrowseDirEdit::IsExistingDirectory(CString& rPath) const
{
    const int nLength = rPath.GetLength();
    if (nLength > 0 && rPath[nLength - 1] == '\\')
        rPath = rPath.Left(nLength - 1);
    if (!rPath.IsEmpty() && rPath[rPath.GetLength() - 1] == ':') {
        // A drive is a folder when its root is: what a pattern inside the root finds first may be a file.
        rPath += '\\';
        const DWORD dwAttributes = ::GetFileAttributes(rPath);
        return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    CFileStatus status;
    return CFile::GetStatus(rPath, status) && (status.m_attribute & CFile::directory);
}
