#include "app/CMFileDialog.h"

#include "app/CMFileSubClassWnd.h"

namespace {

// The height of the chooser's name line along its bottom edge.
constexpr int kNameLineHeight = 28;

} // namespace

CMFileDialog::CMFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
    LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
{
}

CMFileDialog::~CMFileDialog() = default;

INT_PTR CMFileDialog::DoModal()
{
    SetFileBufferSize(kFileBufferSize);
    m_nListAlbumId = -1;
    const INT_PTR result = CFileDialog::DoModal();
    // The chooser has no notification of its OK: the choice is taken once it is made.
    if (result == IDOK)
        OnFileNameOK();
    m_pSubClassWnd.reset();
    return result;
}

BOOL CMFileDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    m_nMode = useOriginalAlbum;
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + CMFileSubClassWnd::kStripHeight,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    // The chooser keeps its name line at the bottom: the choices go just above it.
    const int bottom = client.bottom - kNameLineHeight;
    const CRect strip(client.left, bottom - CMFileSubClassWnd::kStripHeight, client.right, bottom);
    m_pSubClassWnd = std::make_unique<CMFileSubClassWnd>(*this);
    if (!m_pSubClassWnd->Create(this, strip))
        m_pSubClassWnd.reset();
    return TRUE;
}

BOOL CMFileDialog::OnFileNameOK()
{
    m_nAlbumId = m_nMode == addToExistingAlbum ? m_nListAlbumId : -1;
    return TRUE;
}

int CMFileDialog::GetSelectedFiles() const { return static_cast<int>(SelectedPaths().size()); }

std::vector<CString> CMFileDialog::SelectedPaths() const
{
    std::vector<CString> paths;
    for (POSITION pos = GetStartPosition(); pos != nullptr;)
        paths.push_back(GetNextPathName(pos));
    return paths;
}
