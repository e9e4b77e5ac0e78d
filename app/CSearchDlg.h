#pragma once
// The search tab beside the library tree: it searches the library for tracks whose title, artist,
// album title or label match a text, or the disks for music and playlist files by name, and keeps what
// it found for the list's Search Results node, which the main frame then selects. It shows nothing
// itself.

#include "platform/afx/CButton.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CStringList.h"
#include "toolkit/controls/SECBrowseDirEdit.h"
#include "toolkit/controls/SECFileSystem.h"
#include "app/CBaseDialog.h"

class CSearchDlg : public CBaseDialog {
public:
    // What the last search found.
    static constexpr int resultNone = -1;
    static constexpr int resultTracks = 0;
    static constexpr int resultFiles = 1;
    // The entries of the search target.
    static constexpr int searchLibrary = 0;
    static constexpr int searchDisk = 1;

    explicit CSearchDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Sets the controls up for the open library: labels, targets, the last disk search's folder.
    void InitControls();
    // Chooses the target; with bUpdate the controls take the members first.
    void SetSearchIn(int nSearchIn, BOOL bUpdate);

    // Full paths of the files the last disk search found.
    CStringList m_files { 10 };
    // Not bound to controls: the combo boxes are reached by their ids.
    CComboBox m_cbSearchIn;
    CComboBox m_cbFileType;
    CButton m_btnStop;
    CButton m_btnSearch;
    BOOL m_bRecursive { FALSE };
    CString m_strLocation;
    CString m_strSearchString;
    int m_nSearchIn { -1 };
    int m_nField { 1 };
    int m_nMatch { 1 };
    int m_nResultKind { resultNone };
    // The statement of the last library search, opened by the list as its source.
    CString m_strSql;
    SECFileSystem m_fileSystem;
    SECBrowseDirEdit m_locationEdit;
    CString m_strFileType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The tab is a child window: Enter and Escape must not hide it.
    void OnOK() override { }
    void OnCancel() override { }
    // Called after each folder of a disk search: lets a click on Stop end the search there.
    virtual void AfterFolderSearched(const CString& folder);
    // Hands the results to the main frame, which selects the Search Results node.
    virtual void ShowResults();

    afx_msg void OnSelChangeSearchIn();
    afx_msg void OnSearch();
    afx_msg void OnStop();
    DECLARE_MESSAGE_MAP()

private:
    void SearchDisk();
    void SearchLibrary();
    // Fills m_files with the pattern's files, folder by folder (depth first, each folder's files before
    // its sub-folders'), until the folders are done or Stop was clicked.
    void CollectFiles(const CString& pattern);
    void ShowControl(int nID, bool bShow);
    void AddTarget(UINT nStringId);

    bool m_bStopRequested { false };
};
