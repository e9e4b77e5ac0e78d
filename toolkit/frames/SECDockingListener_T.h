#pragma once
// A layout listener that also lets the user drag the docked nodes of its tree: attaching it to a window
// lays the tree out there, registers a container for the tree with the docking manager when none is
// registered, and gives the drag task its docking feature.

#include <memory>

#include "platform/afx/CWnd.h"
#include "toolkit/frames/ISECDockingListenerConfig.h"
#include "toolkit/frames/SECDragDropDockingFeature.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNHwndContainer.h"

template<class Task> class SECDockingListener_T : public Task, public ISECDockingListenerConfig {
public:
    ~SECDockingListener_T() override
    {
        if (m_pDockingMgr && this->GetLayoutRoot())
            m_pDockingMgr->UnregisterContainer(this->GetLayoutRoot());
        this->SetDragFeature(nullptr);
    }

    virtual BOOL AttachDocking(SECLayoutNode* pRoot, CWnd* pWnd, SECLNDockingMgr* pMgr, BOOL bAttachFlag,
        BOOL bRecalc, BOOL bUseWindowRect)
    {
        if (!Task::AttachLayoutToWindow(pRoot, pWnd, bAttachFlag, bRecalc, bUseWindowRect))
            return FALSE;
        m_pDockingMgr = pMgr ? pMgr : SECLNDockingMgr::GetDefaultDockingMgr();
        if (m_pDockingMgr && m_bAutoRegister && !m_pDockingMgr->GetRegisteredContainer(pRoot))
            m_pDockingMgr->RegisterContainer(pRoot, new SECLNHwndContainer(pWnd));
        m_pFeature.reset(CreateDragDropFeature());
        m_pFeature->SetDockingMgr(m_pDockingMgr);
        this->SetDragFeature(m_pFeature.get());
        OnDockingAttached(pWnd);
        return TRUE;
    }
    virtual void OnDockingAttached(CWnd* /*pWnd*/) { }
    virtual SECDragDropDockingFeature* CreateDragDropFeature() { return new SECDragDropDockingFeature; }

    BOOL AttachLayoutToWindow(SECLayoutNode* pRoot, CWnd* pWnd, BOOL bAttachFlag, BOOL bRecalc,
        BOOL bUseWindowRect) override
    {
        return AttachDocking(pRoot, pWnd, nullptr, bAttachFlag, bRecalc, bUseWindowRect);
    }

    void SetAutoRegisterContainer(BOOL bAuto) override { m_bAutoRegister = bAuto; }
    BOOL GetAutoRegisterContainer() override { return m_bAutoRegister; }
    BOOL DetachDocking() override
    {
        this->DetachFromWindow();
        this->SetLayoutRoot(nullptr);
        return TRUE;
    }

    SECLNDockingMgr* GetDockingMgr() const { return m_pDockingMgr; }
    SECDragDropDockingFeature* GetDockingFeature() const { return m_pFeature.get(); }

protected:
    std::unique_ptr<SECDragDropDockingFeature> m_pFeature;
    SECLNDockingMgr* m_pDockingMgr { nullptr };
    BOOL m_bAutoRegister { TRUE };
};
