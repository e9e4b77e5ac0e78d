#pragma once
// The file dialog of the class library on the platform's chooser. The object is the dialog's window
// while it runs: the hook's window, which is the chooser's child (its parent holds the chooser's
// items) or, with a caller's template, the dialog itself; so a derived class's OnInitDialog works on
// the items. The choice is read back with GetPathName, or name by name with GetStartPosition and
// GetNextPathName when several were chosen.

#include <vector>

#include "platform/afx/CDialog.h"
#include "platform/shell/CommDlg.h"

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter is in pairs separated by "|" ("Music (*.mp3)|*.mp3|All Files|*.*||").
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
        DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK with the choice in m_ofn; IDCANCEL when cancelled or failed (CommDlgExtendedError says why).
    INT_PTR DoModal() override;

    // Called on OK with the choice made (Explorer-style dialogs); non-zero keeps the dialog open.
    virtual BOOL OnFileNameOK() { return FALSE; }

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    // Walks the chosen files (one, or several with OFN_ALLOWMULTISELECT).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;

protected:
    // Room for the chosen names in bytes (the folder and every name with its NUL); empties the buffer.
    void SetFileBufferSize(size_t size);

private:
    static UINT_PTR HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL m_bOpenFileDialog { TRUE };
    CString m_strFilter;
    CString m_strDefExt;
    // Big enough for several names.
    std::vector<char> m_fileBuffer = std::vector<char>(16 * MAX_PATH);
    char m_szFileTitle[MAX_PATH] {};
};
