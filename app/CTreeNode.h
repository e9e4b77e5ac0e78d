#pragma once
// The item data of every item of the library tree: the node's kind and, for a node that stands for one
// database record, that record's id. The tree's node list owns every node.

#include "app/TreeNodeKind.h"
#include "platform/afx/CCmdTarget.h"

class CTreeNode : public CCmdTarget {
    DECLARE_DYNCREATE(CTreeNode)
public:
    explicit CTreeNode(int nKind = 0) : m_nKind(nKind) { }
    ~CTreeNode() override = default;

    int m_nKind { 0 };     // TreeNodeKind
    int m_nRecordId { 0 }; // id of the record the node stands for; 0 when it stands for none
};
