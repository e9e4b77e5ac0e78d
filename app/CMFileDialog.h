#pragma once
// The file dialog of Import Music File: several files at once, and the album they go into, chosen with
// three radio buttons and a list of albums below the file-type box.

#include <memory>
#include <vector>

#include "platform/afx/CButton.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CFileDialog.h"

class CMFileSubClassWnd;

class CMFileDialog : public CFileDialog {
public:
    // The album modes: each file's own album, the chosen album, one new album for all.
    enum Mode { useOriginalAlbum = 0, addToExistingAlbum = 1, createNewAlbum = 2 };
    static constexpr size_t kFileBufferSize = 8192;
    // How much taller the dialog's window grows for the choices.
    static constexpr int kExtraHeight = 60;

    CMFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
        CWnd* pParentWnd);
    ~CMFileDialog() override;

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    // Takes the chosen album for mode 1 (-1 when none is selected), -1 for the others; always accepts.
    BOOL OnFileNameOK() override;
    // The number of chosen files, and their full paths.
    int GetSelectedFiles() const;
    std::vector<CString> SelectedPaths() const;

    int m_nMode { useOriginalAlbum };
    long m_nAlbumId { -1 };
    // On the dialog's window, while it runs.
    CButton m_useOriginal;
    CButton m_addToExisting;
    CButton m_createNew;
    CComboBox m_albumList;

private:
    // Places the choices by the file-type box and Cancel on the dialog's window; false when it lacks them.
    bool CreateChoices(CWnd& frame);

    std::unique_ptr<CMFileSubClassWnd> m_pSubClassWnd;
};
