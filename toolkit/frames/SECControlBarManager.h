#pragma once
// The frame's control-bar manager: what the dock state and the workspace manager ask of the bars a
// frame manages besides their docking. The base manages nothing of its own; the toolbar manager
// derives from it.

#include "platform/afx/CObject.h"

class CControlBar;
class CFrameWnd;
class SECControlBarInfo;
class SECControlBarInfoEx;
class SECPTNFactory;
class SECPersistentTreeNode;

class SECControlBarManager : public CObject {
    DECLARE_DYNAMIC(SECControlBarManager)
public:
    explicit SECControlBarManager(CFrameWnd* pFrameWnd = nullptr)
        : m_pFrameWnd(pFrameWnd)
    {
    }

    virtual CFrameWnd* GetFrame() const { return m_pFrameWnd; }
    // Reads the manager's own state from below the node; TRUE when there is a node.
    virtual BOOL LoadNodeState(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
    virtual void LoadState(LPCTSTR) { }
    // Writes the manager's own state below the parent node; TRUE when there is a parent.
    virtual BOOL SaveNodeState(SECPTNFactory&, SECPersistentTreeNode* pParent) { return pParent != nullptr; }
    virtual void SaveState(LPCTSTR) { }
    // The type of a bar's record in a saved dock state (0: a plain toolkit bar).
    virtual DWORD GetBarTypeId(CControlBar*) { return 0; }
    // The extension record of a bar record's type; none here.
    virtual SECControlBarInfoEx* CreateBarInfoEx(SECControlBarInfo*) { return nullptr; }
    // A new bar for a bar record that names no class of its own; none here.
    virtual CControlBar* CreateBarFromInfo(SECControlBarInfo*) { return nullptr; }

protected:
    CFrameWnd* m_pFrameWnd { nullptr };
};
