#include "toolkit/frames/SECWorkspaceManagerEx.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFileDialog.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "toolkit/frames/ISECDockSite.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECDockableFrame.h"
#include "toolkit/frames/SECMDIChildWnd.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECFrameStrings.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECDocTemplateUtils.h"
#include "toolkit/frames/SECDockState.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECFrameResIds.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/SECPTNStrategyProfile.h"
#include "toolkit/frames/SECPTNStrategyRegistry.h"
#include "toolkit/frames/SECPersistentTreeNode.h"
#include "toolkit/frames/SECRegistry.h"
#include "toolkit/frames/SECWsMgrDialogEx.h"

using quorvale::foundation::SECWndPlugIn;

IMPLEMENT_DYNCREATE(SECWorkspaceManagerEx, SECWndPlugIn)

BEGIN_MESSAGE_MAP(SECWorkspaceManagerEx, SECWndPlugIn)
    ON_COMMAND(ID_WORKSPACE_OPEN, OnOpenWorkspace)
    ON_COMMAND(ID_WORKSPACE_SAVE, OnSaveWorkspaceCommand)
    ON_COMMAND(ID_WORKSPACE_CLOSE, OnCloseWorkspace)
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_CLOSE, OnUpdateCloseWorkspace)
    ON_COMMAND(ID_WORKSPACE_SAVESEL, OnSaveSelected)
    ON_COMMAND(ID_WORKSPACE_NEW, OnNothing)
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_NEW, OnUpdateEnabled)
    ON_COMMAND(ID_WORKSPACE_DELETE, OnNothing)
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_DELETE, OnUpdateEnabled)
    ON_COMMAND_RANGE(ID_WORKSPACE_MRU_FIRST, ID_WORKSPACE_MANAGER, OnRecentWorkspace)
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_MRU_FIRST, OnUpdateRecentWorkspaces)
END_MESSAGE_MAP()

namespace {

constexpr UINT kPlacementSize = 44;

CString Numbered(LPCTSTR lpszFormat, int nNumber)
{
    CString text;
    text.Format(lpszFormat, nNumber);
    return text;
}

void SetPlacement(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, CWnd* pWnd)
{
    WINDOWPLACEMENT wp;
    pWnd->GetWindowPlacement(&wp);
    pNode->SetBinaryValue(lpszKey, reinterpret_cast<const BYTE*>(&wp), kPlacementSize, TRUE);
}

// A placement of the workspace; FALSE unless exactly a placement's bytes are stored.
BOOL GetPlacement(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, WINDOWPLACEMENT& wp)
{
    BYTE* data = nullptr;
    UINT size = 0;
    const BOOL bRead = pNode->GetBinaryValue(lpszKey, &data, &size) == SECPersistentTreeNode::ptnSuccess
        && size == kPlacementSize;
    if (bRead)
        std::memcpy(&wp, data, kPlacementSize);
    delete[] data;
    return bRead;
}

SECPersistentTreeNode* RootOf(SECPersistentTreeNode* pNode)
{
    while (pNode && pNode->GetParentNode())
        pNode = pNode->GetParentNode();
    return pNode;
}

// The template that made the view's frame, keyed by its document-type id as the saved keys name it; null
// when none did.
CDocTemplate* FindTemplateById(SECDocTemplateUtils& utils, CDocument* pDoc, CView* pView, CFrameWnd* pFrame)
{
    utils.m_bKeyById = TRUE;
    return utils.FindTemplate(pDoc, pView, pFrame);
}

// The template a view node names: its document string and its place among the templates with it.
void WriteTemplateKeys(SECDocTemplateUtils& utils, CDocTemplate* pTemplate, SECPersistentTreeNode* pNode)
{
    CString key;
    pTemplate->GetDocString(key, CDocTemplate::regFileTypeId);
    pNode->SetStringValue("DocumentString", key, TRUE);
    if (const int nIndex = utils.GetTemplateIndex(pTemplate, key); nIndex >= 0)
        pNode->SetIntValue("DocTemplateIndex", nIndex, TRUE);
}

SECControlBarManager* ManagerOf(CFrameWnd* pFrame)
{
    if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(SECFrameWnd)))
        return static_cast<SECFrameWnd*>(pFrame)->GetControlBarManager();
    if (auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(pFrame))
        return pMDI->GetControlBarManager();
    return nullptr;
}

CPtrList* CreatedBarsOf(CFrameWnd* pFrame)
{
    if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(SECFrameWnd)))
        return &static_cast<SECFrameWnd*>(pFrame)->m_listCreatedBars;
    if (auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(pFrame))
        return &pMDI->m_listCreatedBars;
    return nullptr;
}

} // namespace

BOOL SECWorkspaceManagerEx::IsValidWorkspaceName(const CString& strName)
{
    // An empty name is the base key of every workspace, and a backslash reaches into another key.
    return !strName.IsEmpty() && strName.Find('\\') < 0;
}

BOOL SECWorkspaceManagerEx::AttachToWindow(CWnd* pWnd)
{
    if (!SECWndPlugIn::AttachToWindow(pWnd))
        return FALSE;
    m_pFrame = dynamic_cast<CFrameWnd*>(pWnd);
    return TRUE;
}

void SECWorkspaceManagerEx::SetStorageMode(BOOL bRegistryMode, BOOL bAppSection)
{
    if (bRegistryMode != m_bRegistryMode) {
        m_bWorkspaceOpen = FALSE;
        m_strCurrentWorkspace.Empty();
    }
    m_bRegistryMode = bRegistryMode;
    m_bAppSection = bAppSection;
}

void SECWorkspaceManagerEx::Initialize(LPCTSTR lpszRegKey, BOOL bRegistryMode, HKEY hRootKey, BOOL bAppSection)
{
    m_strRegKey = lpszRegKey ? lpszRegKey : "";
    m_hRootKey = hRootKey;
    SetStorageMode(bRegistryMode, bAppSection);
    if (m_strRegKey.IsEmpty() || m_strRegKey[m_strRegKey.GetLength() - 1] != '\\')
        m_strRegKey += '\\';
}

SECPTNStrategy* SECWorkspaceManagerEx::CreateStrategy(LPCTSTR lpszName)
{
    if (m_bRegistryMode)
        return new SECPTNStrategyRegistry(m_strRegKey + lpszName, m_hRootKey);
    return new SECPTNStrategyProfile(lpszName);
}

// Saving ---------------------------------------------------------------------------------------------------------

BOOL SECWorkspaceManagerEx::SaveWorkspace(CString strName)
{
    if (strName.IsEmpty()) {
        PromptWorkspaceName(strName, TRUE);
        if (strName.IsEmpty())
            return FALSE;
    }
    if (m_bRegistryMode && !IsValidWorkspaceName(strName))
        return FALSE;
    SECPTNFactory factory;
    SECPersistentTreeNode root;
    root.Initialize(kRootName, nullptr);
    SaveDockState(factory, &root);
    SaveFrames(factory, &root);
    OnSaveWorkspaceTree(factory, &root, strName);
    std::unique_ptr<SECPTNStrategy> strategy(CreateStrategy(strName));
    if (!strategy || !root.Save(strategy.get()))
        return FALSE;
    // Only a workspace that was written becomes the current one.
    if (strName != m_strCurrentWorkspace) {
        m_strCurrentWorkspace = strName;
        CStringList list;
        ReadWorkspaceList(list);
        AddToWorkspaceList(strName, list);
        WriteWorkspaceList(list);
    }
    m_bWorkspaceOpen = TRUE;
    return TRUE;
}

void SECWorkspaceManagerEx::OnSaveWorkspace() { SaveWorkspace(m_strCurrentWorkspace); }

void SECWorkspaceManagerEx::SaveDockState(SECPTNFactory& factory, SECPersistentTreeNode* pRoot)
{
    SECControlBarManager* pManager = ManagerOf(m_pFrame);
    SECDockState state(pManager);
    if (state.GetFrameState(m_pFrame)) {
        state.RemoveDuplicateBarIds();
        state.SaveToTree(factory, pRoot);
    }
    if (pManager)
        pManager->SaveNodeState(factory, pRoot);
}

void SECWorkspaceManagerEx::SaveFrames(SECPTNFactory& factory, SECPersistentTreeNode* pRoot)
{
    if (!m_pFrame || !pRoot)
        return;
    SECPersistentTreeNode* pFrames = factory.CreateNode("Frames", pRoot);
    if (!pFrames)
        return;
    SaveMainFrameState(factory, pFrames);
    CFrameWnd* pActive = m_pFrame->GetActiveFrame();
    if (pActive == m_pFrame)
        pActive = nullptr;
    SaveChildFrames(factory, pFrames, pActive);
    // Saving a document activates its frame.
    if (pActive && m_pFrame->GetActiveFrame() != pActive)
        pActive->ActivateFrame();
}

void SECWorkspaceManagerEx::SaveMainFrameState(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode)
{
    SECPersistentTreeNode* pNode = factory.CreateNode("MainFrame", pFramesNode);
    if (!pNode)
        return;
    SetPlacement(pNode, "WindowPlacement", m_pFrame);
    CString title;
    m_pFrame->GetWindowText(title);
    pNode->SetStringValue("Title", title, TRUE);
}

void SECWorkspaceManagerEx::SaveChildFrames(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode, CFrameWnd* pActiveFrame)
{
    CWinApp* app = AfxGetApp();
    SECPersistentTreeNode* pChildren = factory.CreateNode("ChildFrames", pFramesNode);
    if (!app || !pChildren)
        return;
    std::unordered_map<CFrameWnd*, SECPersistentTreeNode*> saved;
    int nDocument = 0;
    int nAdditional = 0;
    for (POSITION tpos = app->GetFirstDocTemplatePosition(); tpos;) {
        CDocTemplate* pTemplate = app->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos;) {
            CDocument* pDoc = pTemplate->GetNextDoc(dpos);
            SECPersistentTreeNode* pDocNode = factory.CreateNode(Numbered("Document-%d", nDocument++), pChildren);
            int nFrame = 0;
            for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos;) {
                CView* pView = pDoc->GetNextView(vpos);
                CFrameWnd* pFrame = pView->GetParentFrame();
                if (auto found = saved.find(pFrame); found != saved.end()) {
                    SaveAdditionalView(pDoc, pView, pFrame, factory, found->second, nAdditional++);
                    continue;
                }
                if (SECPersistentTreeNode* pNode = SaveViewFrame(pDoc, pView, pFrame, pActiveFrame, factory, pDocNode, nFrame)) {
                    saved[pFrame] = pNode;
                    ++nFrame;
                }
            }
        }
    }
}

SECPersistentTreeNode* SECWorkspaceManagerEx::SaveViewFrame(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
    CFrameWnd* pActiveFrame, SECPTNFactory& factory, SECPersistentTreeNode* pDocNode, int nNumber)
{
    if (!pDoc || !pFrame || !pDocNode)
        return nullptr;
    SECDocTemplateUtils utils;
    CDocTemplate* pTemplate = FindTemplateById(utils, pDoc, pView, pFrame);
    if (!pTemplate)
        return nullptr;
    SaveModifiedDocument(pFrame, pDoc);
    // A document the user did not give a path is left out.
    if (pDoc->GetPathName().IsEmpty())
        return nullptr;
    SECPersistentTreeNode* pNode = factory.CreateNode(Numbered("ViewFrame-%d", nNumber), pDocNode);
    if (!pNode)
        return nullptr;
    pNode->SetStringValue("DocPathName", pDoc->GetPathName(), TRUE);
    WriteTemplateKeys(utils, pTemplate, pNode);
    SaveDockedView(pFrame, pNode);
    pNode->SetBoolValue("IsActiveChildFrame", pFrame == pActiveFrame, TRUE);
    return pNode;
}

SECPersistentTreeNode* SECWorkspaceManagerEx::SaveAdditionalView(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
    SECPTNFactory& factory, SECPersistentTreeNode* pFrameNode, int nNumber)
{
    if (!pDoc || !pView || !pFrame || !pFrameNode)
        return nullptr;
    SECDocTemplateUtils utils;
    CDocTemplate* pTemplate = FindTemplateById(utils, pDoc, pView, pFrame);
    if (!pTemplate)
        return nullptr;
    SECPersistentTreeNode* pNode = factory.CreateNode(Numbered("AdditionalViewPerFrame-%d", nNumber), pFrameNode);
    if (!pNode)
        return nullptr;
    WriteTemplateKeys(utils, pTemplate, pNode);
    return pNode;
}

BOOL SECWorkspaceManagerEx::SaveDockedView(CFrameWnd* pFrame, SECPersistentTreeNode* pNode)
{
    SECDocTemplateUtils utils;
    CWnd* pParent = pFrame->GetParent();
    if (utils.IsDockableFrameClass(pFrame->GetRuntimeClass()) && pParent && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        pNode->SetIntValue("DockedViewBarID", pParent->GetDlgCtrlID(), TRUE);
        SaveDockedViewFloating(static_cast<CControlBar*>(pParent), pNode);
        return TRUE;
    }
    SetPlacement(pNode, "WindowPlacement", pFrame);
    return FALSE;
}

void SECWorkspaceManagerEx::SaveDockedViewFloating(CControlBar* pBar, SECPersistentTreeNode* pNode)
{
    CFrameWnd* pParent = pBar->GetParentFrame();
    if (pParent && pParent->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd))) {
        pNode->SetBoolValue("DockedViewFloating", TRUE, TRUE);
        SetPlacement(pNode, "DockedViewFloatingWP", pParent);
    } else {
        pNode->SetIntValue("DockedViewFloating", 0, TRUE);
    }
}

BOOL SECWorkspaceManagerEx::SaveModifiedDocument(CFrameWnd* pFrame, CDocument* pDoc)
{
    if (pDoc->IsModified() || pDoc->GetPathName().IsEmpty()) {
        pFrame->ActivateFrame();
        pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    }
    return TRUE;
}

// Loading --------------------------------------------------------------------------------------------------------

void SECWorkspaceManagerEx::ShowMainFrame()
{
    CWinApp* app = AfxGetApp();
    if (!m_pFrame || !app)
        return;
    if (app->m_nCmdShow <= 0)
        app->m_nCmdShow = SW_SHOWNORMAL;
    m_pFrame->ShowWindow(app->m_nCmdShow);
}

BOOL SECWorkspaceManagerEx::LoadWorkspace(CString strName, BOOL bQuiet)
{
    if (strName.IsEmpty()) {
        PromptWorkspaceName(strName, FALSE);
        if (strName.IsEmpty()) {
            ShowMainFrame();
            return FALSE;
        }
    }
    std::unique_ptr<SECPersistentTreeNode> pRoot;
    for (LPCTSTR lpszRoot : { kRootName, kOldRootName }) {
        if (m_bRegistryMode && !IsValidWorkspaceName(strName))
            break;
        auto pCandidate = std::make_unique<SECPersistentTreeNode>();
        pCandidate->Initialize(lpszRoot, nullptr);
        std::unique_ptr<SECPTNStrategy> strategy(CreateStrategy(strName));
        if (strategy && pCandidate->Load(strategy.get())) {
            pRoot = std::move(pCandidate);
            break;
        }
    }
    if (!pRoot) {
        if (!bQuiet)
            AfxMessageBox(SECLoadStringOr(IDS_SEC_WS_INVALID, "Invalid workspace. Operation has been cancelled."), MB_OK);
        RemoveFromWorkspaceList(strName);
        ShowMainFrame();
        return FALSE;
    }
    CloseWorkspace();
    CFrameWnd* pActive = nullptr;
    LoadFrames(pRoot.get(), pActive);
    LoadDockState(pRoot.get());
    if (m_pFrame) {
        for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos;) {
            auto* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
            if (pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)) && static_cast<SECControlBar*>(pBar)->IsMDIChild()
                && !pBar->IsVisible()) {
                if (CFrameWnd* pParent = pBar->GetParentFrame())
                    pParent->ShowControlBar(pBar, FALSE, FALSE);
            }
        }
    }
    ActivateLoadedFrame(pActive);
    OnLoadWorkspaceTree(pRoot.get(), strName);
    m_bWorkspaceOpen = TRUE;
    m_strCurrentWorkspace = strName;
    CStringList list;
    ReadWorkspaceList(list);
    AddToWorkspaceList(strName, list);
    WriteWorkspaceList(list);
    if (m_pFrame && m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        WINDOWPLACEMENT wp;
        m_pFrame->GetWindowPlacement(&wp);
        if (CWinApp* app = AfxGetApp())
            wp.showCmd = static_cast<UINT>(app->m_nCmdShow);
        m_pFrame->SetWindowPlacement(&wp);
    }
    return TRUE;
}

BOOL SECWorkspaceManagerEx::OpenWorkspace(BOOL bMostRecent, BOOL bQuiet)
{
    CString name;
    if (bMostRecent) {
        CStringList list;
        if (!ReadWorkspaceList(list) || list.IsEmpty())
            return FALSE;
        name = list.GetHead();
    } else {
        PromptWorkspaceName(name, FALSE);
        if (name.IsEmpty())
            return FALSE;
    }
    return LoadWorkspace(name, bQuiet);
}

void SECWorkspaceManagerEx::LoadDockState(SECPersistentTreeNode* pRoot)
{
    SECControlBarManager* pManager = ManagerOf(m_pFrame);
    if (pManager)
        pManager->LoadNodeState(pRoot);
    SECDockState state(pManager);
    state.SetCreatedBarList(CreatedBarsOf(m_pFrame));
    state.LoadFromTree(pRoot);
    state.SetFrameState(m_pFrame);
}

void SECWorkspaceManagerEx::LoadFrames(SECPersistentTreeNode* pRoot, CFrameWnd*& pActiveFrame)
{
    SECPersistentTreeNode* pFrames = pRoot ? pRoot->FindChild("Frames") : nullptr;
    if (!pFrames)
        return;
    LoadMainFrameState(pFrames);
    LoadChildFrames(pFrames, pActiveFrame);
}

void SECWorkspaceManagerEx::LoadMainFrameState(SECPersistentTreeNode* pFramesNode)
{
    if (!pFramesNode || !m_pFrame)
        return;
    SECPersistentTreeNode* pNode = pFramesNode->FindChild("MainFrame");
    if (!pNode)
        return;
    WINDOWPLACEMENT wp;
    if (GetPlacement(pNode, "WindowPlacement", wp)) {
        if (m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
            if (CWinApp* app = AfxGetApp())
                app->m_nCmdShow = static_cast<int>(wp.showCmd);
            wp.showCmd = SW_HIDE;
        }
        m_pFrame->SetWindowPlacement(&wp);
    }
    CString title;
    pNode->GetStringValue("Title", title, "");
    m_pFrame->SetWindowText(title);
}

void SECWorkspaceManagerEx::LoadChildFrames(SECPersistentTreeNode* pFramesNode, CFrameWnd*& pActiveFrame)
{
    SECPersistentTreeNode* pChildren = pFramesNode ? pFramesNode->FindChild("ChildFrames") : nullptr;
    if (!pChildren)
        return;
    for (SECPersistentTreeNode* pDocNode : pChildren->GetChildren()) {
        CDocument* pDoc = nullptr;
        CFrameWnd* pFrame = nullptr;
        for (SECPersistentTreeNode* pFrameNode : pDocNode->GetChildren())
            LoadViewFrame(pFrameNode, pDoc, pFrame, pActiveFrame);
    }
}

BOOL SECWorkspaceManagerEx::LoadViewFrame(
    SECPersistentTreeNode* pNode, CDocument*& pDoc, CFrameWnd*& pFrame, CFrameWnd*& pActiveFrame)
{
    CString key;
    int nIndex = 0;
    pNode->GetStringValue("DocumentString", key, "");
    pNode->GetIntValue("DocTemplateIndex", nIndex, 0);
    SECDocTemplateUtils utils;
    // Workspaces of the first format named templates by their type names.
    SECPersistentTreeNode* pRoot = RootOf(pNode);
    utils.m_bKeyById = !(pRoot && pRoot->GetName() == kOldRootName);
    CDocTemplate* pTemplate = utils.GetTemplate(key, nIndex);
    if (!pTemplate)
        return FALSE;
    CString path;
    pNode->GetStringValue("DocPathName", path, "");
    if (!pDoc) {
        if (CDocument* pDocked = OpenDockedView(pNode, pTemplate, path)) {
            pDoc = pDocked;
            POSITION pos = pDoc->GetFirstViewPosition();
            CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
            pFrame = pView ? pView->GetParentFrame() : nullptr;
            if (!pFrame)
                return FALSE;
            pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
            BOOL bActive = FALSE;
            pNode->GetBoolValue("IsActiveChildFrame", bActive, FALSE);
            if (bActive)
                pActiveFrame = pFrame;
            return TRUE;
        }
        pFrame = OpenDocumentFrame(pTemplate, path, pDoc);
    } else {
        CFrameWnd* pNew = CreateDockedViewFrame(pNode, pTemplate, pDoc, pFrame);
        pFrame = pNew ? pNew : CreateAdditionalFrame(pTemplate, pDoc, pFrame);
    }
    if (!pFrame || !pDoc)
        return FALSE;
    pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
    WINDOWPLACEMENT wp;
    int nShowCmd = m_nActiveShowCmd;
    if (GetPlacement(pNode, "WindowPlacement", wp)) {
        pFrame->SetWindowPlacement(&wp);
        nShowCmd = static_cast<int>(wp.showCmd);
    }
    BOOL bActive = FALSE;
    pNode->GetBoolValue("IsActiveChildFrame", bActive, FALSE);
    if (bActive) {
        pActiveFrame = pFrame;
        m_nActiveShowCmd = nShowCmd;
    }
    for (SECPersistentTreeNode* pChild : pNode->GetChildren())
        LoadAdditionalView(pChild, pFrame, pDoc);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::LoadAdditionalView(SECPersistentTreeNode* pNode, CFrameWnd* pFrame, CDocument* pDoc)
{
    return pNode && pFrame && pDoc;
}

CFrameWnd* SECWorkspaceManagerEx::OpenDocumentFrame(CDocTemplate* pTemplate, const CString& strPath, CDocument*& pDoc)
{
    pDoc = pTemplate->OpenDocumentFile(strPath.IsEmpty() ? nullptr : static_cast<LPCTSTR>(strPath), FALSE);
    if (!pDoc)
        return nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
    return pView ? pView->GetParentFrame() : nullptr;
}

CDocument* SECWorkspaceManagerEx::OpenDockedView(SECPersistentTreeNode*, CDocTemplate*, const CString&) { return nullptr; }

CFrameWnd* SECWorkspaceManagerEx::CreateDockedViewFrame(SECPersistentTreeNode*, CDocTemplate*, CDocument*, CFrameWnd*)
{
    return nullptr;
}

void SECWorkspaceManagerEx::RestoreDockedViewFloating(CFrameWnd* pFrame, SECPersistentTreeNode* pNode, CDocument* pDoc)
{
    BOOL bFloating = FALSE;
    if (!pNode || !pDoc || !m_pFrame || pNode->GetBoolValue("DockedViewFloating", bFloating, FALSE) != 0 || !bFloating)
        return;
    CView* pView = nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos;) {
        CView* pCandidate = pDoc->GetNextView(pos);
        if (!pFrame || pFrame->IsChild(pCandidate)) {
            pView = pCandidate;
            break;
        }
    }
    CWnd* pViewParent = pView ? pView->GetParent() : nullptr;
    CWnd* pBar = pViewParent ? pViewParent->GetParent() : nullptr;
    WINDOWPLACEMENT wp;
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CControlBar)) || !GetPlacement(pNode, "DockedViewFloatingWP", wp))
        return;
    const CRect rect(wp.rcNormalPosition);
    if (pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)))
        static_cast<SECControlBar*>(pBar)->m_szFloat = rect.Size();
    if (auto* pDockSite = dynamic_cast<ISECDockSite*>(m_pFrame))
        pDockSite->FloatControlBar(static_cast<CControlBar*>(pBar), rect.TopLeft(), CBRS_ALIGN_TOP);
}

void SECWorkspaceManagerEx::RestoreDockedViewFloatingOf(SECPersistentTreeNode* pNode, CDocument* pDoc)
{
    RestoreDockedViewFloating(nullptr, pNode, pDoc);
}

CFrameWnd* SECWorkspaceManagerEx::CreateAdditionalFrame(CDocTemplate* pTemplate, CDocument* pDoc, CFrameWnd* pFrame)
{
    return pTemplate->CreateNewFrame(pDoc, pFrame);
}

void SECWorkspaceManagerEx::ActivateLoadedFrame(CFrameWnd* pActive)
{
    auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(m_pFrame);
    if (!pActive) {
        // The MDI frame activates its first child holding a dock bar (a bar floating in the client).
        if (!pMDI)
            return;
        for (POSITION pos = pMDI->m_listControlBars.GetHeadPosition(); pos;) {
            auto* pBar = static_cast<CControlBar*>(pMDI->m_listControlBars.GetNext(pos));
            auto* pChild = pBar->IsKindOf(RUNTIME_CLASS(SECDockBar)) ? dynamic_cast<SECMDIChildWnd*>(pBar->GetParentFrame()) : nullptr;
            if (pChild && pMDI->m_hWndMDIClient) {
                ::SendMessage(pMDI->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pChild->m_hWnd), 0);
                break;
            }
        }
        ActivateChildFrame(nullptr);
        return;
    }
    if (pMDI && pActive->IsKindOf(RUNTIME_CLASS(SECDockableFrame)))
        pMDI->SetActiveFrame(pActive);
    else
        ActivateChildFrame(pActive);
}

void SECWorkspaceManagerEx::ActivateChildFrame(CFrameWnd* pFrame)
{
    if (!pFrame)
        return;
    WINDOWPLACEMENT wp;
    pFrame->GetWindowPlacement(&wp);
    wp.showCmd = static_cast<UINT>(m_nActiveShowCmd);
    pFrame->SetWindowPlacement(&wp);
    pFrame->ActivateFrame(-1);
}

BOOL SECWorkspaceManagerEx::CloseWorkspace()
{
    m_bWorkspaceOpen = FALSE;
    m_strCurrentWorkspace.Empty();
    const BOOL bDocuments = CloseAllDocuments();
    const BOOL bBars = m_pFrame ? OnCloseWorkspaceBars(m_pFrame->m_listControlBars, m_pFrame) : TRUE;
    return bDocuments && bBars;
}

BOOL SECWorkspaceManagerEx::CloseAllDocuments()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    std::vector<CFrameWnd*> frames;
    for (POSITION tpos = app->GetFirstDocTemplatePosition(); tpos;) {
        CDocTemplate* pTemplate = app->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos;) {
            CDocument* pDoc = pTemplate->GetNextDoc(dpos);
            for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos;) {
                CFrameWnd* pFrame = pDoc->GetNextView(vpos)->GetParentFrame();
                if (pFrame && pFrame != m_pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
                    frames.push_back(pFrame);
            }
        }
    }
    for (CFrameWnd* pFrame : frames)
        pFrame->SendMessage(WM_CLOSE);
    return TRUE;
}

// The recent list -------------------------------------------------------------------------------------------------

CString SECWorkspaceManagerEx::GetWorkspaceListName() { return m_bRegistryMode ? "__MRURegList" : "__MRUFileList"; }

HKEY SECWorkspaceManagerEx::OpenListKey(BOOL bCreate)
{
    HKEY hParent = HKEY_CURRENT_USER;
    CString subKey = m_strRegKey + GetWorkspaceListName();
    HKEY hSection = nullptr;
    if (m_bAppSection) {
        CWinApp* app = AfxGetApp();
        CString section = m_strRegKey;
        section.TrimRight('\\');
        hSection = app ? app->GetSectionKey(section) : nullptr;
        if (!hSection)
            return nullptr;
        hParent = hSection;
        subKey = GetWorkspaceListName();
    }
    HKEY hKey = nullptr;
    const LONG result = bCreate
        ? RegCreateKeyEx(hParent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, nullptr)
        : RegOpenKeyEx(hParent, subKey, 0, KEY_ALL_ACCESS, &hKey);
    if (hSection)
        RegCloseKey(hSection);
    return result == ERROR_SUCCESS ? hKey : nullptr;
}

void SECWorkspaceManagerEx::DeleteListKey()
{
    if (HKEY hKey = OpenListKey(FALSE)) {
        RegCloseKey(hKey);
        if (m_bAppSection) {
            CString section = m_strRegKey;
            section.TrimRight('\\');
            if (CWinApp* app = AfxGetApp(); HKEY hSection = app ? app->GetSectionKey(section) : nullptr) {
                RegDeleteKey(hSection, GetWorkspaceListName());
                RegCloseKey(hSection);
            }
        } else {
            RegDeleteKey(HKEY_CURRENT_USER, m_strRegKey + GetWorkspaceListName());
        }
    }
}

BOOL SECWorkspaceManagerEx::ReadWorkspaceList(CStringList& list)
{
    HKEY hKey = OpenListKey(FALSE);
    if (!hKey)
        return FALSE;
    for (int i = 0; i < kMaxListSize; ++i) {
        char buffer[SECRegistry::kStringBufferSize] = {};
        DWORD size = sizeof buffer - 1;
        DWORD type = 0;
        if (RegQueryValueEx(hKey, Numbered("Workspace%d", i), nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size)
                == ERROR_SUCCESS
            && type == REG_SZ)
            list.AddTail(CString(buffer));
    }
    RegCloseKey(hKey);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::WriteWorkspaceList(CStringList& list)
{
    DeleteListKey();
    HKEY hKey = OpenListKey(TRUE);
    if (!hKey)
        return FALSE;
    int i = 0;
    for (POSITION pos = list.GetHeadPosition(); pos && i < kMaxListSize; ++i) {
        const CString& name = list.GetNext(pos);
        RegSetValueEx(hKey, Numbered("Workspace%d", i), 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(name)),
            static_cast<DWORD>(name.GetLength() + 1));
    }
    RegCloseKey(hKey);
    return TRUE;
}

void SECWorkspaceManagerEx::AddToWorkspaceList(const CString& strName, CStringList& list)
{
    if (POSITION pos = list.Find(strName))
        list.RemoveAt(pos);
    list.AddHead(strName);
    while (list.GetCount() > m_nListSize)
        list.RemoveTail();
}

BOOL SECWorkspaceManagerEx::RemoveFromWorkspaceList(const CString& strName)
{
    CStringList list;
    ReadWorkspaceList(list);
    POSITION pos = list.Find(strName);
    if (!pos)
        return FALSE;
    list.RemoveAt(pos);
    return WriteWorkspaceList(list);
}

// Asking the user -------------------------------------------------------------------------------------------------

void SECWorkspaceManagerEx::PromptWorkspaceName(CString& strName, BOOL bSave)
{
    strName.Empty();
    if (m_bRegistryMode)
        ShowWorkspaceManagerDialog(strName, !bSave, bSave);
    else
        PromptWorkspaceFile(strName, bSave);
}

BOOL SECWorkspaceManagerEx::ShowWorkspaceManagerDialog(CString& strName, BOOL bOpen, BOOL bSave)
{
    CStringList previous;
    ReadWorkspaceList(previous);
    CStringList names;
    names.AddTail(&previous);
    CStringList deleted;
    CString active = m_strCurrentWorkspace;
    // The dialog shows the stored names and records renames in the working copy.
    SECWsMgrDialogEx dialog(previous, names, deleted, active, bOpen, bSave, m_pFrame);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    ApplyWorkspaceChanges(previous, names, deleted);
    WriteWorkspaceList(names);
    strName = active;
    return TRUE;
}

void SECWorkspaceManagerEx::ApplyWorkspaceChanges(CStringList& previous, CStringList& names, CStringList& deleted)
{
    SECRegistry registry;
    const BOOL bConnected = registry.Connect(m_hRootKey);
    for (POSITION pos = deleted.GetHeadPosition(); pos;) {
        const CString& name = deleted.GetNext(pos);
        if (bConnected && IsValidWorkspaceName(name))
            registry.DeleteKey(m_strRegKey + name, TRUE);
    }
    for (POSITION oldPos = previous.GetHeadPosition(), newPos = names.GetHeadPosition(); oldPos && newPos;) {
        const CString oldName = previous.GetNext(oldPos);
        const CString newName = names.GetNext(newPos);
        if (oldName == newName || !IsValidWorkspaceName(oldName) || !IsValidWorkspaceName(newName))
            continue;
        // The tree is copied within one root, and the old key goes only once the copy is saved; a
        // rename in letter case only names the same key, which keeps the data.
        SECPersistentTreeNode root;
        root.Initialize(kRootName, nullptr);
        SECPTNStrategyRegistry from(m_strRegKey + oldName, m_hRootKey);
        if (!root.Load(&from))
            continue;
        SECPTNStrategyRegistry to(m_strRegKey + newName, m_hRootKey);
        if (!root.Save(&to))
            continue;
        if (bConnected && oldName.CompareNoCase(newName) != 0)
            registry.DeleteKey(m_strRegKey + oldName, TRUE);
    }
    for (POSITION pos = deleted.GetHeadPosition(); pos;) {
        if (POSITION found = names.Find(deleted.GetNext(pos)))
            names.RemoveAt(found);
    }
}

BOOL SECWorkspaceManagerEx::PromptWorkspaceFile(CString& strName, BOOL bSave)
{
    DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    flags |= bSave ? OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    CString filter;
    filter.Format("%s (%s)|%s|%s (%s)|%s||", static_cast<LPCTSTR>(SECLoadStringOr(IDS_SEC_WS_FILES, "Workspaces")),
        static_cast<LPCTSTR>(m_strFileFilter), static_cast<LPCTSTR>(m_strFileFilter),
        static_cast<LPCTSTR>(SECLoadStringOr(IDS_SEC_WS_ALLFILES, "All Files")), "*.*", "*.*");
    const CString extension = m_strFileFilter.Mid(2);
    CFileDialog dialog(!bSave, extension, nullptr, flags, filter, m_pFrame);
    const CString title = bSave ? SECLoadStringOr(IDS_SEC_WS_SAVE, "Save Workspace") : SECLoadStringOr(IDS_SEC_WS_OPEN, "Open Workspace");
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strName = dialog.GetPathName();
    return TRUE;
}

// Commands --------------------------------------------------------------------------------------------------------

void SECWorkspaceManagerEx::OnOpenWorkspace()
{
    OpenWorkspace(FALSE, FALSE);
    m_bConsumed = TRUE;
}

void SECWorkspaceManagerEx::OnSaveWorkspaceCommand() { OnSaveWorkspace(); }

void SECWorkspaceManagerEx::OnCloseWorkspace()
{
    CloseWorkspace();
    m_bConsumed = TRUE;
}

void SECWorkspaceManagerEx::OnUpdateCloseWorkspace(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bWorkspaceOpen); }

void SECWorkspaceManagerEx::OnSaveSelected() { SaveWorkspace(CString()); }

void SECWorkspaceManagerEx::OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void SECWorkspaceManagerEx::OnRecentWorkspace(UINT nID)
{
    m_bConsumed = TRUE;
    CStringList list;
    ReadWorkspaceList(list);
    POSITION pos = list.FindIndex(static_cast<INT_PTR>(nID - ID_WORKSPACE_MRU_FIRST));
    if (pos)
        LoadWorkspace(list.GetAt(pos), FALSE);
}

void SECWorkspaceManagerEx::OnUpdateRecentWorkspaces(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (!pMenu || pMenu->GetMenuItemID(static_cast<int>(pCmdUI->m_nIndex)) != ID_WORKSPACE_MRU_FIRST)
        return;
    for (int i = static_cast<int>(pMenu->GetMenuItemCount()) - 1; i >= static_cast<int>(pCmdUI->m_nIndex); --i) {
        const UINT nID = pMenu->GetMenuItemID(i);
        if (nID >= ID_WORKSPACE_MRU_FIRST && nID <= ID_WORKSPACE_MANAGER)
            pMenu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
    }
    CStringList list;
    if (!ReadWorkspaceList(list) || list.IsEmpty()) {
        pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_WORKSPACE_MRU_FIRST,
            SECLoadStringOr(IDS_SEC_WS_NONE, "(none)"));
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        pCmdUI->m_bEnableChanged = TRUE;
        return;
    }
    int n = 0;
    for (POSITION pos = list.GetHeadPosition(); pos && n < m_nListSize; ++n) {
        const CString& name = list.GetNext(pos);
        CString text;
        text.Format("&%d %s", n + 1, static_cast<LPCTSTR>(name));
        const UINT flags = MF_BYPOSITION | MF_STRING | (name == m_strCurrentWorkspace ? MF_CHECKED : MF_UNCHECKED);
        pMenu->InsertMenu(pCmdUI->m_nIndex + static_cast<UINT>(n), flags, ID_WORKSPACE_MRU_FIRST + static_cast<UINT>(n), text);
    }
    pCmdUI->m_nIndex += static_cast<UINT>(n - 1);
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
