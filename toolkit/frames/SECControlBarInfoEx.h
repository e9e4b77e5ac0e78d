#pragma once
// The part of a bar's saved record that only a particular kind of bar knows (a customisable toolbar's
// buttons, say). The frame's control-bar manager makes one for a record from the record's type id; this
// base stores nothing, and a derived record writes and reads its own data in each stored form.

#include "platform/afx/CObject.h"

class CArchive;
class CDockState;
class SECPTNFactory;
class SECPersistentTreeNode;

class SECControlBarInfoEx : public CObject {
    DECLARE_DYNCREATE(SECControlBarInfoEx)
public:
    SECControlBarInfoEx() = default;
    ~SECControlBarInfoEx() override = default;

    using CObject::Serialize;
    virtual void Serialize(CArchive&, CDockState*) { }
    // TRUE when there is a node to read from.
    virtual BOOL LoadFromNode(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
    virtual BOOL LoadFromProfile(LPCTSTR, CDockState*) { return FALSE; }
    // TRUE when there is a node to write to.
    virtual BOOL SaveToNode(SECPTNFactory&, SECPersistentTreeNode* pNode) { return pNode != nullptr; }
    virtual BOOL SaveToProfile(LPCTSTR) { return FALSE; }
};
