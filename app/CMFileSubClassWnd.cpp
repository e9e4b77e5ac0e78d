#include "app/CMFileSubClassWnd.h"

#include "app/CMFileDialog.h"
#include "app/TuneStewardIds.h"

BEGIN_MESSAGE_MAP(CMFileSubClassWnd, CWnd)
ON_BN_CLICKED(IDC_IMPORT_USE_ORIGINAL_ALBUM, OnUseOriginalAlbum)
ON_BN_CLICKED(IDC_IMPORT_ADD_TO_EXISTING, OnAddToExistingAlbum)
ON_BN_CLICKED(IDC_IMPORT_CREATE_NEW_ALBUM, OnCreateNewAlbum)
END_MESSAGE_MAP()

void CMFileSubClassWnd::OnUseOriginalAlbum() { SetMode(CMFileDialog::useOriginalAlbum); }

void CMFileSubClassWnd::OnAddToExistingAlbum() { SetMode(CMFileDialog::addToExistingAlbum); }

void CMFileSubClassWnd::OnCreateNewAlbum() { SetMode(CMFileDialog::createNewAlbum); }

void CMFileSubClassWnd::SetMode(int mode)
{
    m_dialog.m_nMode = mode;
    m_dialog.m_useOriginal.SetCheck(mode == CMFileDialog::useOriginalAlbum ? BST_CHECKED : BST_UNCHECKED);
    m_dialog.m_addToExisting.SetCheck(mode == CMFileDialog::addToExistingAlbum ? BST_CHECKED : BST_UNCHECKED);
    m_dialog.m_createNew.SetCheck(mode == CMFileDialog::createNewAlbum ? BST_CHECKED : BST_UNCHECKED);
    m_dialog.m_albumList.EnableWindow(mode == CMFileDialog::addToExistingAlbum);
}
