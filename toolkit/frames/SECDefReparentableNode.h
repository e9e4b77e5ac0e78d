#pragma once
// The container a node lives in. Meant as a second base of a layout node: moving into a container also
// moves the node into its new tree's node pool, so that whoever deletes that tree deletes the node.

#include "toolkit/frames/ISECReparentableNode.h"

class SECLayoutNode;

class SECDefReparentableNode : public ISECReparentableNode {
public:
    BOOL SetContainer(ISECLNContainer* pContainer) override;
    ISECLNContainer* GetContainer() override { return m_pContainer; }
    void SetContainerWindow(HWND) override { }
    void AdoptRootNodePool() override;
    // FALSE for a container that does not show the tree in a window; the window is then kept.
    BOOL SetContainerFromObject(ISECLNContainer* pContainer) override;

    // Every reparentable node of root's subtree that lives in pContainer forgets it.
    static void ClearContainerInTree(SECLayoutNode* pRoot, ISECLNContainer* pContainer);

private:
    ISECLNContainer* m_pContainer { nullptr };
};
