#include "toolkit/frames/SECDockState.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/afx/AfxDockStateIO.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarInfo.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECDialogBar.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECFrameBar.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/SECPersistentTreeNode.h"

IMPLEMENT_DYNCREATE(SECDockState, CDockState)

namespace {

// The placeholder a dock bar keeps for a bar that is docked elsewhere.
constexpr DWORD kPlaceholderFlag = 0x10000;

// The dock bars a bar without its own can go back to, in the order the frame lays them out.
constexpr UINT kFrameDockBars[]
    = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };

// The floating dock bar of a floating frame the state made.
CDockBar* FloatingDockBarOf(CMiniDockFrameWnd* pFloating)
{
    if (pFloating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)))
        return static_cast<SECMiniDockFrameWnd*>(pFloating)->GetDockBar();
    return &pFloating->m_wndDockBar;
}

} // namespace

SECControlBarInfo* SECDockState::GetBarInfo(INT_PTR nIndex) const
{
    return static_cast<SECControlBarInfo*>(static_cast<CControlBarInfo*>(m_arrBarInfo[nIndex]));
}

SECControlBarInfo* SECDockState::CreateBarInfo(SECControlBarManager* pManager) { return new SECControlBarInfo(pManager); }

SECControlBarManager* SECDockState::ManagerOf(CFrameWnd* pFrame)
{
    // The multiple-document frame keeps its own manager and answers here once it exists.
    if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(SECFrameWnd)))
        return static_cast<SECFrameWnd*>(pFrame)->GetControlBarManager();
    return nullptr;
}

// The archive form -----------------------------------------------------------------------------------------------

CControlBarInfo* SECDockState::NewBarInfo() { return CreateBarInfo(m_pControlBarManager); }

void SECDockState::SerializeBarInfo(CArchive& ar, CControlBarInfo* pInfo)
{
    static_cast<SECControlBarInfo*>(pInfo)->Serialize(ar, this);
}

// The profile form -----------------------------------------------------------------------------------------------

void SECDockState::SaveToProfile(LPCTSTR lpszProfileName) { SaveState(lpszProfileName); }

BOOL SECDockState::SaveBarState(CControlBarInfo* pInfo, LPCTSTR lpszProfileName, int nIndex)
{
    return static_cast<SECControlBarInfo*>(pInfo)->SaveToProfile(lpszProfileName, nIndex);
}

void SECDockState::LoadFromProfile(LPCTSTR lpszProfileName)
{
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName)
        return;
    const CString summary = afx::DockSummarySection(lpszProfileName);
    const int bars = std::min(static_cast<int>(app->GetProfileInt(summary, "Bars", 0)), kMaxBarRecords);
    CSize size(static_cast<int>(app->GetProfileInt(summary, "ScreenCX", 0)),
        static_cast<int>(app->GetProfileInt(summary, "ScreenCY", 0)));
    SetScreenSize(size);
    for (int i = 0; i < bars; ++i) {
        std::unique_ptr<SECControlBarInfo> info(CreateBarInfo(m_pControlBarManager));
        // A section that names no bar (removed or edited away) would stand for some bar of id 0.
        if (info->LoadFromProfile(lpszProfileName, i, this))
            m_arrBarInfo.Add(static_cast<CControlBarInfo*>(info.release()));
    }
}

// The tree form --------------------------------------------------------------------------------------------------

BOOL SECDockState::SaveToTree(SECPTNFactory& factory, SECPersistentTreeNode* pParent)
{
    if (!pParent)
        return FALSE;
    SECPersistentTreeNode* pNode = factory.CreateNode("DockState", pParent);
    if (!pNode)
        return FALSE;
    int written = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        if (GetBarInfo(i)->SaveStateToNode(factory, pNode, written))
            ++written;
    }
    pNode->SetIntValue("Bars", written, TRUE);
    const CSize size = GetScreenSize();
    pNode->SetIntValue("ScreenCX", size.cx, TRUE);
    pNode->SetIntValue("ScreenCY", size.cy, TRUE);
    return TRUE;
}

BOOL SECDockState::LoadFromTree(SECPersistentTreeNode* pParent)
{
    SECPersistentTreeNode* pNode = pParent ? pParent->FindChild("DockState") : nullptr;
    if (!pNode)
        return FALSE;
    int bars = 0;
    int cx = 0;
    int cy = 0;
    pNode->GetIntValue("Bars", bars, 0);
    pNode->GetIntValue("ScreenCX", cx, 0);
    pNode->GetIntValue("ScreenCY", cy, 0);
    CSize size(cx, cy);
    SetScreenSize(size);
    bars = std::min(bars, kMaxBarRecords);
    for (int i = 0; i < bars; ++i) {
        CString name;
        name.Format("Bar-%d", i);
        SECPersistentTreeNode* pBarNode = pNode->FindChild(name);
        if (!pBarNode)
            continue;
        std::unique_ptr<SECControlBarInfo> info(CreateBarInfo(m_pControlBarManager));
        info->LoadStateFromNode(pBarNode, this);
        m_arrBarInfo.Add(static_cast<CControlBarInfo*>(info.release()));
    }
    return TRUE;
}

// Collecting -----------------------------------------------------------------------------------------------------

BOOL SECDockState::GetFrameState(CFrameWnd* pFrame)
{
    if (!pFrame)
        return FALSE;
    Clear();
    if (!m_pControlBarManager)
        m_pControlBarManager = ManagerOf(pFrame);
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        // A frame bar floating in a frame of its own is a whole frame, not a bar of this one.
        if (CFrameWnd* pParent = pBar->GetParentFrame(); pParent && pParent->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd))) {
            CWnd* pLooked = pBar->IsDockBar() ? pBar->GetWindow(GW_CHILD) : pBar;
            if (pLooked && pLooked->IsKindOf(RUNTIME_CLASS(SECFrameBar)))
                continue;
        }
        std::unique_ptr<SECControlBarInfo> info;
        if (pBar->IsKindOf(RUNTIME_CLASS(SECDockBar))) {
            info.reset(CreateBarInfo(m_pControlBarManager));
            static_cast<SECDockBar*>(pBar)->GetBarInfoEx(info.get());
        } else if (pBar->IsKindOf(RUNTIME_CLASS(SECControlBar))) {
            info.reset(CreateBarInfo(m_pControlBarManager));
            static_cast<SECControlBar*>(pBar)->GetBarInfoEx(info.get());
        } else {
            continue;
        }
        m_arrBarInfo.Add(static_cast<CControlBarInfo*>(info.release()));
    }
    return TRUE;
}

void SECDockState::RemoveDuplicateBarIds()
{
    const INT_PTR count = m_arrBarInfo.GetSize();
    for (INT_PTR i = 0; i < count; ++i) {
        const SECControlBarInfo* pOwner = GetBarInfo(i);
        const DWORD placeholder = pOwner->m_nBarID + kPlaceholderFlag;
        for (INT_PTR j = 0; j < count; ++j) {
            SECControlBarInfo* pHolder = GetBarInfo(j);
            if (i == j || pOwner->m_uMRUDockID == pHolder->m_nBarID)
                continue;
            // The last entry is left alone: it ends the list.
            for (INT_PTR k = 0; k + 1 < pHolder->m_arrBarID.GetSize(); ++k) {
                if (pHolder->m_arrBarID[k] == placeholder)
                    pHolder->m_arrBarID[k] = 0;
            }
        }
    }
    for (INT_PTR i = 0; i < count; ++i) {
        CDWordArray& ids = GetBarInfo(i)->m_arrBarID;
        for (INT_PTR k = 0; k < ids.GetSize(); ++k) {
            if (ids[k] == 0)
                continue;
            for (INT_PTR earlier = 0; earlier < k; ++earlier) {
                if (ids[earlier] == ids[k]) {
                    ids[k] = 0;
                    break;
                }
            }
        }
        while (ids.GetSize() > 0 && ids[ids.GetSize() - 1] == 0)
            ids.RemoveAt(ids.GetSize() - 1);
        if (ids.GetSize() > 0)
            ids.Add(0);
    }
}

// Applying -------------------------------------------------------------------------------------------------------

BOOL SECDockState::SetFrameState(CFrameWnd* pFrame)
{
    if (!pFrame)
        return FALSE;
    if (!m_pControlBarManager)
        m_pControlBarManager = ManagerOf(pFrame);
    const BOOL bMDI = pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    AttachBars(pFrame, bMDI);
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        if (pInfo->m_pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)))
            static_cast<SECControlBar*>(pInfo->m_pBar)->SetBarInfoEx(pInfo, pFrame);
        else
            pInfo->m_pBar->SetBarInfo(pInfo, pFrame);
    }
    RepairFrame(pFrame);
    PlaceFloatingFrames();
    pFrame->RecalcLayout(TRUE);
    if (bMDI) {
        RestoreMDIChildPlacements(pFrame);
        pFrame->DelayRecalcLayout(TRUE);
    }
    return TRUE;
}

void SECDockState::ForgetRepeatedBars()
{
    std::vector<DWORD> seen;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        CDWordArray& ids = GetBarInfo(i)->m_arrBarID;
        for (INT_PTR k = 0; k < ids.GetSize(); ++k) {
            if (ids[k] == 0 || (ids[k] & kPlaceholderFlag))
                continue;
            if (std::find(seen.begin(), seen.end(), ids[k]) != seen.end())
                ids[k] = 0;
            else
                seen.push_back(ids[k]);
        }
    }
}

void SECDockState::AttachBars(CFrameWnd* pFrame, BOOL)
{
    // A bar named by two dock bars would be taken from the first by the second, and a floating
    // frame left empty so goes away under a record that still points at it.
    ForgetRepeatedBars();
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize();) {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bFloating) {
            // A bar floating as an MDI child floats in a frame of its own until the multiple-document
            // frame offers its floating operation.
            CMiniDockFrameWnd* pFloating = pFrame->CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            CDockBar* pDockBar = FloatingDockBarOf(pFloating);
            pDockBar->m_pDockBar = nullptr;
            pInfo->m_pBar = pDockBar;
        } else {
            // Floating dock bars belong to floating records only.
            CControlBar* pBar
                = pInfo->m_nBarID == AFX_IDW_DOCKBAR_FLOAT ? nullptr : pFrame->GetControlBar(pInfo->m_nBarID);
            if (!pBar && m_pControlBarManager)
                pBar = m_pControlBarManager->CreateBarFromInfo(pInfo);
            if (!pBar)
                pBar = CreateBarFromInfo(pInfo->m_strClassName, pFrame, pInfo);
            pInfo->m_pBar = pBar;
        }
        if (!pInfo->m_pBar) {
            delete pInfo;
            m_arrBarInfo.RemoveAt(i);
            continue;
        }
        ++i;
    }
}

void SECDockState::RepairFrame(CFrameWnd* pFrame)
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        if (!pInfo->m_bFloating || !pInfo->m_pBar->IsDockBar())
            continue;
        auto* pDockBar = static_cast<CDockBar*>(pInfo->m_pBar);
        if (pDockBar->GetDockedCount() > 0)
            continue;
        if (CFrameWnd* pFloating = pDockBar->GetParentFrame(); pFloating && pFloating != pFrame)
            pFloating->DestroyWindow();
        delete pInfo;
        m_arrBarInfo.RemoveAt(i--);
    }
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        CWnd* pParent = pBar->GetParent();
        if (pBar->IsDockBar() || pBar->m_pDockBar || !pParent || !pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        if (pFrame->IsKindOf(RUNTIME_CLASS(SECFrameWnd)))
            static_cast<SECFrameWnd*>(pFrame)->DockControlBar(pBar);
        for (UINT nID : kFrameDockBars) {
            CControlBar* pDockBar = pBar->m_pDockBar ? nullptr : pFrame->GetControlBar(nID);
            if (pDockBar && pDockBar->IsDockBar())
                static_cast<CDockBar*>(pDockBar)->DockControlBar(pBar);
        }
    }
}

void SECDockState::PlaceFloatingFrames()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)))
            static_cast<SECControlBar*>(pBar)->SetExBarStyle(pInfo->m_dwExStyle, FALSE);
        if (!pInfo->m_bFloating || !pBar->IsDockBar())
            continue;
        CFrameWnd* pFloating = pBar->GetParentFrame();
        if (!pFloating)
            continue;
        CRect rect(pInfo->m_pointPos, CSize(10, 10));
        pFloating->CalcWindowRect(&rect);
        pFloating->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const int visible = pBar->IsKindOf(RUNTIME_CLASS(SECDockBar))
            ? static_cast<SECDockBar*>(pBar)->GetVisibleBarCount()
            : static_cast<CDockBar*>(pBar)->GetDockedVisibleCount();
        if (visible > 0) {
            pFloating->RecalcLayout(TRUE);
            pFloating->ShowWindow(SW_SHOWNA);
        }
    }
}

void SECDockState::RestoreMDIChildPlacements(CFrameWnd*)
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        if (!pInfo->m_bMDIChild)
            continue;
        if (CFrameWnd* pParent = pInfo->m_pBar->GetParentFrame())
            pParent->SetWindowPlacement(&pInfo->m_wpMDIChild);
    }
}

CRuntimeClass* SECDockState::FindRuntimeClass(LPCTSTR lpszClassName)
{
    if (!lpszClassName || !*lpszClassName)
        return nullptr;
    CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClassName);
    return pClass && pClass->m_pfnCreateObject ? pClass : nullptr;
}

CControlBar* SECDockState::CreateBarFromInfo(LPCTSTR lpszClassName, CFrameWnd* pFrame, SECControlBarInfo* pInfo)
{
    CRuntimeClass* pClass = FindRuntimeClass(lpszClassName);
    // The name comes from a store a user can edit: only a toolkit bar is made from it.
    if (!pClass || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECControlBar)))
        return nullptr;
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    auto* pBar = dynamic_cast<SECControlBar*>(pObject.get());
    if (!pBar)
        return nullptr;
    // A dialog bar is made again from the template its record names.
    auto* pDialogBar = dynamic_cast<SECDialogBar*>(pBar);
    const BOOL bCreated = pDialogBar
        ? pDialogBar->Create(pFrame, LOWORD(pInfo->m_dwResourceID), pInfo->m_dwStyle, pInfo->m_dwExStyle, pInfo->m_nBarID)
        : pBar->Create(pFrame, pInfo->m_strWindowName, pInfo->m_dwStyle, pInfo->m_dwExStyle, pInfo->m_nBarID);
    if (!bCreated)
        return nullptr;
    pObject.release();
    if (m_pCreatedBars)
        m_pCreatedBars->AddTail(pBar);
    pBar->SetWindowText(pInfo->m_strWindowName);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}
