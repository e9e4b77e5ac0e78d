#include "app/CMFileSubClassWnd.h"

#include "app/CMFileDialog.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"

namespace {

constexpr int kRadioLeft = 20;
constexpr int kRadioTop = 4;
constexpr int kRowStep = 21;
constexpr int kRadioHeight = 16;
constexpr int kListWidth = 150;
constexpr int kListHeight = 120;

} // namespace

BEGIN_MESSAGE_MAP(CMFileSubClassWnd, CWnd)
ON_BN_CLICKED(IDC_IMPORT_USE_ORIGINAL_ALBUM, OnUseOriginalAlbum)
ON_BN_CLICKED(IDC_IMPORT_ADD_TO_EXISTING, OnAddToExistingAlbum)
ON_BN_CLICKED(IDC_IMPORT_CREATE_NEW_ALBUM, OnCreateNewAlbum)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMFileSubClassWnd::Create(CWnd* pDialog, const CRect& strip)
{
    if (!CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, strip, pDialog, kStripId))
        return FALSE;
    CFont* font = pDialog->GetFont();
    const int listLeft = strip.Width() - kListWidth - kRadioLeft;
    const int radioWidth = listLeft - 1 - kRadioLeft;
    auto radio = [&](CButton& button, UINT id, int row) {
        // Only the middle button has the album list beside it.
        const int width = row == 1 ? radioWidth : strip.Width() - 2 * kRadioLeft;
        const CRect at(kRadioLeft, kRadioTop + row * kRowStep, kRadioLeft + width, kRadioTop + row * kRowStep + kRadioHeight);
        const BOOL made = button.Create(CString(MAKEINTRESOURCE(id)), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON, at, this, id);
        if (made && font)
            button.SetFont(font);
        return made;
    };
    if (!radio(m_useOriginal, IDC_IMPORT_USE_ORIGINAL_ALBUM, 0) || !radio(m_addToExisting, IDC_IMPORT_ADD_TO_EXISTING, 1))
        return FALSE;
    const CRect list(listLeft, kRadioTop + kRowStep, listLeft + kListWidth, kRadioTop + kRowStep + kListHeight);
    if (!m_albums.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_DISABLED | CBS_DROPDOWNLIST | CBS_SORT, list,
            this, IDC_IMPORT_ALBUM_LIST))
        return FALSE;
    if (font)
        m_albums.SetFont(font);
    if (!radio(m_createNew, IDC_IMPORT_CREATE_NEW_ALBUM, 2))
        return FALSE;
    FillComboFromSql(m_albums, "qAlbumTitleList", true);
    m_albums.SetCurSel(0);
    SetMode(CMFileDialog::useOriginalAlbum);
    return TRUE;
}

void CMFileSubClassWnd::OnUseOriginalAlbum() { SetMode(CMFileDialog::useOriginalAlbum); }

void CMFileSubClassWnd::OnAddToExistingAlbum() { SetMode(CMFileDialog::addToExistingAlbum); }

void CMFileSubClassWnd::OnCreateNewAlbum() { SetMode(CMFileDialog::createNewAlbum); }

void CMFileSubClassWnd::SetMode(int mode)
{
    m_dialog.m_nMode = mode;
    m_useOriginal.SetCheck(mode == CMFileDialog::useOriginalAlbum ? BST_CHECKED : BST_UNCHECKED);
    m_addToExisting.SetCheck(mode == CMFileDialog::addToExistingAlbum ? BST_CHECKED : BST_UNCHECKED);
    m_createNew.SetCheck(mode == CMFileDialog::createNewAlbum ? BST_CHECKED : BST_UNCHECKED);
    m_albums.EnableWindow(mode == CMFileDialog::addToExistingAlbum);
}

void CMFileSubClassWnd::OnDestroy()
{
    const int selected = m_albums.m_hWnd ? m_albums.GetCurSel() : CB_ERR;
    m_dialog.m_nListAlbumId = selected == CB_ERR ? -1 : static_cast<long>(m_albums.GetItemData(selected));
    CWnd::OnDestroy();
}
