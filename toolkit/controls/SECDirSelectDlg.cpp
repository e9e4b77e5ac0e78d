#include "toolkit/controls/SECDirSelectDlg.h"

#include <cstring>
#include <string>

#include "platform/afx/AfxState.h"
#include "platform/base/CodePage.h"
#include "platform/base/PathApi.h"
#include "platform/shell/ShlObj.h"
#include "toolkit/controls/SECControlIds.h"

IMPLEMENT_DYNAMIC(SECDirSelectDlg, CFileDialog)

namespace {

// The classic dialog's items for a file name and file types, hidden while a folder is chosen.
constexpr int kNameItems[] = { 1090, 1152, 1120, 1089, 1136 };
constexpr int kNameField = 1152;
constexpr int kFolderList = 1121;

std::u16string Utf16(const CString& text)
{
    const int nLength = ::MultiByteToWideChar(CP_UTF8, 0, text, text.GetLength(), nullptr, 0);
    std::u16string wide(static_cast<size_t>(std::max(nLength, 0)), u'\0');
    if (nLength > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text, text.GetLength(), wide.data(), nLength);
    return wide;
}

// Copies text into a buffer of `size` bytes, cut short where needed without splitting a character.
void CopyPath(char* buffer, size_t size, const CString& text)
{
    size_t length = std::min(static_cast<size_t>(text.GetLength()), size - 1);
    while (length > 0 && length < static_cast<size_t>(text.GetLength()) && (static_cast<unsigned char>(text[static_cast<int>(length)]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, text.GetString(), length);
    buffer[length] = '\0';
}

} // namespace

SECDirSelectDlg::SECDirSelectDlg(UINT nMode, LPCTSTR lpszTitle, LPCTSTR lpszStartFolder, CWnd* pParent, DWORD dwFlags)
    : CFileDialog(FALSE, nullptr, nullptr, dwFlags ? dwFlags : kClassicFlags, "(nofiles)|NOFILES.$$$||", pParent)
    , m_nMode(nMode)
    , m_strTitle(lpszTitle ? lpszTitle : "")
    , m_strStartFolder(lpszStartFolder ? lpszStartFolder : "")
    , m_pParent(pParent)
{
    m_ofn.Flags &= ~OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_SEC_DIRSELECT);
    m_ofn.lpstrFile = m_szFile;
    m_ofn.nMaxFile = sizeof m_szFile;
    m_ofn.lpstrTitle = m_strTitle;
    m_ofn.lpstrInitialDir = m_strStartFolder;
}

INT_PTR SECDirSelectDlg::DoModal()
{
    if (m_nMode & kClassicMode)
        return CFileDialog::DoModal();
    CString path;
    if (!BrowseForFolder(path))
        return IDCANCEL;
    CopyPath(m_szFile, sizeof m_szFile, path);
    m_ofn.nFileOffset = kFolderOnly;
    return IDOK;
}

BOOL SECDirSelectDlg::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    for (int nID : kNameItems)
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->ShowWindow(SW_HIDE);
    // A name in the hidden name field makes OK accept the folder shown instead of asking for a file.
    CString noClose;
    noClose.LoadString(IDS_SEC_NOCLOSE);
    SetDlgItemText(kNameField, noClose);
    if (CWnd* pFolders = GetDlgItem(kFolderList))
        pFolders->SetFocus();
    return FALSE;
}

void SECDirSelectDlg::GetPath(CString& rPath) const
{
    const size_t nLength = strnlen(m_szFile, sizeof m_szFile);
    rPath = CString(m_szFile, static_cast<int>(m_ofn.nFileOffset < kFolderOnly ? std::min<size_t>(m_ofn.nFileOffset, nLength) : nLength));
}

int CALLBACK SECDirSelectDlg::BrowseCallback(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    if (uMsg == BFFM_INITIALIZED && lpData)
        ::SendMessage(hwnd, BFFM_SETSELECTION, FALSE, lpData);
    return 0;
}

BOOL SECDirSelectDlg::BrowseForFolder(CString& rPath)
{
    CString start = m_strStartFolder;
    if (start.IsEmpty()) {
        char current[MAX_PATH] {};
        ::GetCurrentDirectory(MAX_PATH, current);
        start = current;
    }
    IShellFolder* pDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)) || !pDesktop)
        return FALSE;
    std::u16string wide = Utf16(start);
    LPITEMIDLIST pidlStart = nullptr;
    // A starting folder that does not exist leaves the browser at its own default.
    pDesktop->ParseDisplayName(m_pParent ? m_pParent->GetSafeHwnd() : nullptr, nullptr, wide.data(), nullptr, &pidlStart, nullptr);

    char szDisplayName[MAX_PATH] {};
    BROWSEINFO info;
    info.hwndOwner = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = szDisplayName;
    info.lpszTitle = m_strTitle;
    info.ulFlags = 0;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(pidlStart);
    LPITEMIDLIST pidlChosen = ::SHBrowseForFolder(&info);

    BOOL bChosen = FALSE;
    char szPath[MAX_PATH] {};
    if (pidlChosen && ::SHGetPathFromIDList(pidlChosen, szPath)) {
        rPath = szPath;
        if (rPath.IsEmpty() || rPath[rPath.GetLength() - 1] != '\\')
            rPath += '\\';
        bChosen = TRUE;
    }
    IMalloc* pMalloc = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&pMalloc)) && pMalloc) {
        pMalloc->Free(pidlChosen);
        pMalloc->Free(pidlStart);
        pMalloc->Release();
    }
    pDesktop->Release();
    return bChosen;
}
