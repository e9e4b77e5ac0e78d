#pragma once
// Saves the whole working state of a frame under a name and brings it back: the main window's
// placement and title, every open document with the frames that show it, the bars' dock state and the
// control-bar manager's own state. A workspace is a persistent tree kept in the registry (a key per
// name) or in a "*.wsp" profile file; the names last used are kept, most recent first, in the registry.
// The manager is a plug-in of the frame and answers the frame's workspace commands.
//
// A workspace's name, the recent list and the open flag change only when a save or load succeeded, and
// renaming a workspace never deletes its old key before the copy under the new name is saved.

#include "platform/afx/CString.h"
#include "platform/afx/CStringList.h"
#include "platform/base/Registry.h"
#include "toolkit/frames/SECWndPlugIn.h"

class CCmdUI;
class CControlBar;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
class CMapPtrToPtr;
class CPtrList;
class SECControlBar;
class SECPTNFactory;
class SECPTNStrategy;
class SECPersistentTreeNode;

class SECWorkspaceManagerEx : public quorvale::foundation::SECWndPlugIn {
    DECLARE_DYNCREATE(SECWorkspaceManagerEx)
public:
    static constexpr LPCTSTR kRootName = "WorkState_v1_2";
    static constexpr LPCTSTR kOldRootName = "WorkState_v1_1";
    static constexpr int kMaxListSize = 8;

    SECWorkspaceManagerEx() = default;
    ~SECWorkspaceManagerEx() override = default;

    // Also records the frame.
    BOOL AttachToWindow(CWnd* pWnd) override;

    virtual void SetStorageMode(BOOL bRegistryMode, BOOL bAppSection);
    virtual void Initialize(LPCTSTR lpszRegKey, BOOL bRegistryMode, HKEY hRootKey, BOOL bAppSection);
    virtual BOOL CloseWorkspace();
    virtual BOOL SaveWorkspace(CString strName);
    virtual void OnSaveWorkspace();
    virtual BOOL LoadWorkspace(CString strName, BOOL bQuiet);
    virtual BOOL OpenWorkspace(BOOL bMostRecent, BOOL bQuiet);
    // A new strategy for the workspace, owned by the caller.
    virtual SECPTNStrategy* CreateStrategy(LPCTSTR lpszName);
    virtual void LoadDockState(SECPersistentTreeNode* pRoot);
    virtual void LoadFrames(SECPersistentTreeNode* pRoot, CFrameWnd*& pActiveFrame);
    virtual void SaveDockState(SECPTNFactory& factory, SECPersistentTreeNode* pRoot);
    virtual void SaveFrames(SECPTNFactory& factory, SECPersistentTreeNode* pRoot);
    virtual void PromptWorkspaceName(CString& strName, BOOL bSave);
    virtual void OnLoadWorkspaceTree(SECPersistentTreeNode*, const CString&) { }
    virtual void OnSaveWorkspaceTree(SECPTNFactory&, SECPersistentTreeNode*, const CString&) { }
    virtual BOOL CloseAllDocuments();
    virtual BOOL OnCloseWorkspaceBars(CPtrList&, CFrameWnd*) { return TRUE; }
    virtual BOOL LoadAdditionalView(SECPersistentTreeNode* pNode, CFrameWnd* pFrame, CDocument* pDoc);
    virtual SECPersistentTreeNode* SaveAdditionalView(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
        SECPTNFactory& factory, SECPersistentTreeNode* pFrameNode, int nNumber);
    virtual void LoadMainFrameState(SECPersistentTreeNode* pFramesNode);
    virtual void SaveMainFrameState(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode);
    virtual void LoadChildFrames(SECPersistentTreeNode* pFramesNode, CFrameWnd*& pActiveFrame);
    virtual void SaveChildFrames(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode, CFrameWnd* pActiveFrame);
    virtual BOOL LoadViewFrame(SECPersistentTreeNode* pNode, CDocument*& pDoc, CFrameWnd*& pFrame, CFrameWnd*& pActiveFrame);
    virtual SECPersistentTreeNode* SaveViewFrame(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
        CFrameWnd* pActiveFrame, SECPTNFactory& factory, SECPersistentTreeNode* pDocNode, int nNumber);
    virtual BOOL SaveDockedView(CFrameWnd* pFrame, SECPersistentTreeNode* pNode);
    virtual void SaveDockedViewFloating(CControlBar* pBar, SECPersistentTreeNode* pNode);
    // A document that is modified or has no path is saved first (File Save on its frame).
    virtual BOOL SaveModifiedDocument(CFrameWnd* pFrame, CDocument* pDoc);
    virtual CFrameWnd* OpenDocumentFrame(CDocTemplate* pTemplate, const CString& strPath, CDocument*& pDoc);
    // Docked views need a docking document template; without one there is none.
    virtual CDocument* OpenDockedView(SECPersistentTreeNode* pNode, CDocTemplate* pTemplate, const CString& strPath);
    virtual void RestoreDockedViewFloating(CFrameWnd* pFrame, SECPersistentTreeNode* pNode, CDocument* pDoc);
    virtual void RestoreDockedViewFloatingOf(SECPersistentTreeNode* pNode, CDocument* pDoc);
    virtual CFrameWnd* CreateAdditionalFrame(CDocTemplate* pTemplate, CDocument* pDoc, CFrameWnd* pFrame);
    virtual CFrameWnd* CreateDockedViewFrame(
        SECPersistentTreeNode* pNode, CDocTemplate* pTemplate, CDocument* pDoc, CFrameWnd* pFrame);
    virtual void ActivateChildFrame(CFrameWnd* pFrame);
    // After loading: the frame that was active, a docked view through the MDI frame, or, with none,
    // the MDI frame's first child that holds floating bars.
    void ActivateLoadedFrame(CFrameWnd* pActive);
    virtual BOOL ReadWorkspaceList(CStringList& list);
    virtual CString GetWorkspaceListName();
    virtual BOOL WriteWorkspaceList(CStringList& list);
    virtual void AddToWorkspaceList(const CString& strName, CStringList& list);
    virtual BOOL RemoveFromWorkspaceList(const CString& strName);
    virtual BOOL ShowWorkspaceManagerDialog(CString& strName, BOOL bOpen, BOOL bSave);
    // Deleted names lose their keys; renamed ones (where the lists differ) are copied to the new name,
    // and the old key is deleted only once the copy is saved and the names differ beyond letter case.
    virtual void ApplyWorkspaceChanges(CStringList& previous, CStringList& names, CStringList& deleted);
    virtual BOOL PromptWorkspaceFile(CString& strName, BOOL bSave);

    // A name a registry workspace can have: not empty, no backslash.
    static BOOL IsValidWorkspaceName(const CString& strName);

    const CString& GetCurrentWorkspace() const { return m_strCurrentWorkspace; }
    BOOL IsWorkspaceOpen() const { return m_bWorkspaceOpen; }
    const CString& GetRegistryKey() const { return m_strRegKey; }
    BOOL IsRegistryMode() const { return m_bRegistryMode; }

protected:
    // The workspace's tree under either root name; FALSE when neither can be read.
    BOOL LoadTree(LPCTSTR lpszName, SECPersistentTreeNode& root, SECPTNFactory& factory);
    // Shows the main frame with the application's show command (normal when it has none).
    void ShowMainFrame();
    // The recent list's key, opened (or created); null when it cannot be.
    HKEY OpenListKey(BOOL bCreate);
    void DeleteListKey();

    afx_msg void OnOpenWorkspace();
    afx_msg void OnSaveWorkspaceCommand();
    afx_msg void OnCloseWorkspace();
    afx_msg void OnUpdateCloseWorkspace(CCmdUI* pCmdUI);
    afx_msg void OnSaveSelected();
    afx_msg void OnNothing() { }
    afx_msg void OnUpdateEnabled(CCmdUI* pCmdUI);
    afx_msg void OnRecentWorkspace(UINT nID);
    afx_msg void OnUpdateRecentWorkspaces(CCmdUI* pCmdUI);

    CFrameWnd* m_pFrame { nullptr };
    CString m_strCurrentWorkspace;
    BOOL m_bWorkspaceOpen { FALSE };
    CString m_strFileFilter { "*.wsp" };
    CString m_strRegKey { "Software\\Quorvale\\DefWorkspace\\" };
    HKEY m_hRootKey { HKEY_CURRENT_USER };
    BOOL m_bRegistryMode { FALSE };
    BOOL m_bAppSection { FALSE };
    int m_nActiveShowCmd { 1 };
    int m_nListSize { kMaxListSize };

    DECLARE_MESSAGE_MAP()
};
