#pragma once
// The workspace dialog: the saved workspaces in an editable list, to open one, save under a name typed
// or chosen, or rename, delete and reorder them. It edits the caller's lists; the caller applies them
// only when the dialog ends with OK.

#include <memory>

#include "platform/afx/CDialog.h"
#include "platform/afx/CStringList.h"

class SECWSLBEditorEx;

class SECWsMgrDialogEx : public CDialog {
public:
    // The editor's style: with saving, a New button and an empty row for a new name.
    static constexpr DWORD kSaveEditorStyle = 0xF3E;
    static constexpr DWORD kOpenEditorStyle = 0xE7E;

    SECWsMgrDialogEx(CStringList& names, CStringList& currentNames, CStringList& deleted, CString& strActiveName,
        BOOL bOpenAllowed, BOOL bSaveAllowed, CWnd* pParent = nullptr);
    ~SECWsMgrDialogEx() override;

    BOOL OnInitDialog() override;
    // Open and Save as far as the dialog allows them.
    void EnableButtons(BOOL bOpen, BOOL bSave);
    void EnableDone(BOOL bEnable);

    SECWSLBEditorEx* GetEditor() const { return m_pEditor.get(); }

protected:
    afx_msg void OnOpenOrSave();
    afx_msg void OnDone();

    std::unique_ptr<SECWSLBEditorEx> m_pEditor;
    CStringList& m_names;
    CString& m_strActiveName;
    BOOL m_bOpenAllowed { FALSE };
    BOOL m_bSaveAllowed { FALSE };

    DECLARE_MESSAGE_MAP()
};
