#include "platform/afx/CFileDialog.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/AfxState.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// The dialog being started on this thread: the hook's WM_INITDIALOG carries only the record.
thread_local CFileDialog* t_starting = nullptr;

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
    LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog)
    , m_strDefExt(lpszDefExt ? lpszDefExt : "")
{
    m_pParentWnd = pParentWnd;
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    if (lpszFileName)
        std::strncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
    if (lpszDefExt)
        m_ofn.lpstrDefExt = m_strDefExt;
    if (lpszFilter) {
        // The record wants the pairs separated by NULs.
        std::string filter(lpszFilter);
        for (char& c : filter)
            if (c == '|')
                c = '\0';
        m_strFilter = CString(filter.data(), static_cast<int>(filter.size()));
        m_ofn.lpstrFilter = m_strFilter;
    }
}

void CFileDialog::SetFileBufferSize(size_t size)
{
    m_fileBuffer.assign(std::max<size_t>(size, 2), '\0');
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
}

UINT_PTR CFileDialog::HookProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* dialog = dynamic_cast<CFileDialog*>(FromHandlePermanent(hwnd));
        return dialog ? static_cast<UINT_PTR>(dialog->OnFileNameOK()) : 0;
    }
    if (message != WM_INITDIALOG || !t_starting)
        return 0;
    CFileDialog* dialog = std::exchange(t_starting, nullptr);
    dialog->Attach(hwnd);
    dialog->OnInitDialog();
    return 1;
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && !m_ofn.hInstance)
        m_ofn.hInstance = AfxGetResourceHandle();
    // The class library's dialogs are Explorer-style: several chosen names come back separated by NULs.
    m_ofn.Flags |= OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = HookProc;
    t_starting = this;
    const BOOL ok = m_bOpenFileDialog ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
    t_starting = nullptr;
    if (m_hWnd)
        Detach();
    return ok ? IDOK : IDCANCEL;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_fileBuffer[0] ? reinterpret_cast<POSITION>(const_cast<char*>(m_fileBuffer.data())) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* at = reinterpret_cast<const char*>(pos);
    const char* buffer = m_fileBuffer.data();
    const char* end = buffer + m_fileBuffer.size();
    if (!at || at < buffer || at >= end) {
        pos = nullptr;
        return CString();
    }
    // One choice: the path itself. Several: the folder, then each name after its NUL.
    const size_t folderLength = strnlen(buffer, m_fileBuffer.size());
    const bool several = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && buffer + folderLength + 1 < end && buffer[folderLength + 1];
    if (!several) {
        pos = nullptr;
        return CString(buffer);
    }
    if (at == buffer)
        at += folderLength + 1;
    const size_t nameLength = strnlen(at, static_cast<size_t>(end - at));
    const char* next = at + nameLength + 1;
    pos = next < end && *next ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
    CString path(buffer);
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += "\\";
    return path + CString(at);
}

CString CFileDialog::GetPathName() const
{
    POSITION pos = GetStartPosition();
    return GetNextPathName(pos);
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    const CString path = GetPathName();
    return path.Left(std::max(0, path.ReverseFind('\\')));
}
