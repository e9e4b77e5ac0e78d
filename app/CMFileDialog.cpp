#include "app/CMFileDialog.h"

#include "app/CMFileSubClassWnd.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"

namespace {

// The file dialog's own items the choices are placed by.
constexpr int kFileTypeBox = 1136;

constexpr int kRadioLeft = 20;
constexpr int kFirstRadioDrop = 30;
constexpr int kRowStep = 21;
constexpr int kRadioHeight = 16;
constexpr int kListLeftOfCancel = 125;
constexpr int kListHeight = 120;

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
    m_nAlbumId = -1;
    const INT_PTR result = CFileDialog::DoModal();
    // The dialog's window went with the dialog: the subclass has nothing left to hold.
    if (m_pSubClassWnd && m_pSubClassWnd->m_hWnd)
        m_pSubClassWnd->UnsubclassWindow();
    m_pSubClassWnd.reset();
    return result;
}

BOOL CMFileDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    m_nMode = useOriginalAlbum;
    CWnd* frame = GetParent();
    if (frame == nullptr)
        return TRUE;
    m_pSubClassWnd = std::make_unique<CMFileSubClassWnd>(*this);
    if (!m_pSubClassWnd->SubclassWindow(frame->m_hWnd)) {
        m_pSubClassWnd.reset();
        return TRUE;
    }
    CRect window;
    frame->GetWindowRect(&window);
    frame->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + kExtraHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateChoices(*m_pSubClassWnd);
    return TRUE;
}

bool CMFileDialog::CreateChoices(CWnd& frame)
{
    CWnd* typeBox = frame.GetDlgItem(kFileTypeBox);
    CWnd* cancel = frame.GetDlgItem(IDCANCEL);
    if (typeBox == nullptr || cancel == nullptr)
        return false;
    CRect type;
    typeBox->GetWindowRect(&type);
    frame.ScreenToClient(&type);
    CRect cancelRect;
    cancel->GetWindowRect(&cancelRect);
    frame.ScreenToClient(&cancelRect);
    CFont* font = typeBox->GetFont();
    const int listLeft = cancelRect.left - kListLeftOfCancel;
    auto radio = [&](CButton& button, UINT id, int row, int right) {
        const int top = type.top + kFirstRadioDrop + row * kRowStep;
        const BOOL made = button.Create(CString(MAKEINTRESOURCE(id)), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON,
            CRect(kRadioLeft, top, right, top + kRadioHeight), &frame, id);
        if (made && font)
            button.SetFont(font);
        return made;
    };
    if (!radio(m_useOriginal, IDC_IMPORT_USE_ORIGINAL_ALBUM, 0, cancelRect.right)
        || !radio(m_addToExisting, IDC_IMPORT_ADD_TO_EXISTING, 1, listLeft - 1))
        return false;
    const int listTop = type.top + kFirstRadioDrop + kRowStep;
    if (!m_albumList.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_DISABLED | CBS_DROPDOWNLIST | CBS_SORT,
            CRect(listLeft, listTop, cancelRect.right, listTop + kListHeight), &frame, IDC_IMPORT_ALBUM_LIST))
        return false;
    if (font)
        m_albumList.SetFont(font);
    if (!radio(m_createNew, IDC_IMPORT_CREATE_NEW_ALBUM, 2, cancelRect.right))
        return false;
    FillComboFromSql(m_albumList, "qAlbumTitleList", true);
    m_albumList.SetCurSel(0);
    m_useOriginal.SetCheck(BST_CHECKED);
    return true;
}

BOOL CMFileDialog::OnFileNameOK()
{
    m_nAlbumId = -1;
    if (m_nMode == addToExistingAlbum && m_albumList.m_hWnd) {
        const int selected = m_albumList.GetCurSel();
        if (selected != CB_ERR)
            m_nAlbumId = static_cast<long>(m_albumList.GetItemData(selected));
    }
    return FALSE;
}

int CMFileDialog::GetSelectedFiles() const { return static_cast<int>(SelectedPaths().size()); }

std::vector<CString> CMFileDialog::SelectedPaths() const
{
    std::vector<CString> paths;
    for (POSITION pos = GetStartPosition(); pos != nullptr;)
        paths.push_back(GetNextPathName(pos));
    return paths;
}
