#pragma once
// Chooses a folder: with bit 0 of the mode set, the classic file dialog reduced to its folder list and
// drives (OK takes the folder shown); otherwise the shell's folder browser. The chosen folder ends in
// "\".

#include "platform/afx/CFileDialog.h"

class SECDirSelectDlg : public CFileDialog {
    DECLARE_DYNAMIC(SECDirSelectDlg)
public:
    // dwFlags 0 asks for the classic dialog's usual flags with its template.
    SECDirSelectDlg(UINT nMode, LPCTSTR lpszTitle, LPCTSTR lpszStartFolder, CWnd* pParent, DWORD dwFlags = 0);

    // IDOK with the folder chosen, IDCANCEL otherwise.
    INT_PTR DoModal() override;
    // The folder chosen, with its trailing "\".
    void GetPath(CString& rPath) const;
    // Runs the folder browser from the starting folder (the current one when none is given); TRUE with
    // the chosen folder's path when one with a file-system path was chosen.
    virtual BOOL BrowseForFolder(CString& rPath);

protected:
    BOOL OnInitDialog() override;

private:
    static constexpr DWORD kClassicFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE;
    // The name offset that says the buffer holds the folder alone.
    static constexpr WORD kFolderOnly = 0xFFFF;
    static constexpr UINT kClassicMode = 0x1;

    static int CALLBACK BrowseCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    char m_szFile[MAX_PATH] {};
    UINT m_nMode { kClassicMode };
    CString m_strTitle;
    CString m_strStartFolder;
    CWnd* m_pParent { nullptr };
};
