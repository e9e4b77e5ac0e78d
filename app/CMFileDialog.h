#pragma once
// The file dialog of Import Music File: several files at once, and the album they go into.

#include <memory>
#include <vector>

#include "platform/afx/CFileDialog.h"

class CMFileSubClassWnd;

class CMFileDialog : public CFileDialog {
public:
    // The album modes: each file's own album, the chosen album, one new album for all.
    enum Mode { useOriginalAlbum = 0, addToExistingAlbum = 1, createNewAlbum = 2 };
    static constexpr size_t kFileBufferSize = 8192;

    CMFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
        CWnd* pParentWnd);
    ~CMFileDialog() override;

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    // Takes the chosen album for mode 1 (-1 when none is selected), -1 for the others; always accepts.
    virtual BOOL OnFileNameOK();
    // The number of chosen files, and their full paths.
    int GetSelectedFiles() const;
    std::vector<CString> SelectedPaths() const;

    int m_nMode { useOriginalAlbum };
    long m_nAlbumId { -1 };
    // The album list's selection as the strip last held it; -1 when none.
    long m_nListAlbumId { -1 };

private:
    std::unique_ptr<CMFileSubClassWnd> m_pSubClassWnd;
};
