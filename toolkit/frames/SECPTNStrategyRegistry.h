#pragma once
// A persistent tree in the registry: one key per node, the base key followed by each name of its
// path and a backslash (K\R\C\), the node's values as REG_SZ values of that key and its children as
// the key's subkeys. Saving a node first removes its key with the whole subtree, so nothing stale
// survives. Every step connects afresh and holds no handle afterwards.

#include "platform/afx/CString.h"
#include "platform/base/Registry.h"
#include "toolkit/frames/SECPTNStrategy.h"

class SECPTNStrategyRegistry : public SECPTNStrategy {
public:
    // lpszBaseKey: the key below hRoot under which the tree's root key lives (a trailing backslash is
    // added when missing).
    SECPTNStrategyRegistry(LPCTSTR lpszBaseKey, HKEY hRoot = HKEY_CURRENT_USER);

    // Deletes the node's key with everything below it; a key that is not there yet counts as removed.
    BOOL RemoveNode(const CStringList& path) override;
    // Creates the node's key when missing and sets the value as REG_SZ.
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    // Nothing to write: the subkeys are the children. TRUE.
    BOOL WriteChildNames(const CStringList& path, const CStringList& childNames) override;
    // The subkeys' names and every value as text, whole, in enumeration order; FALSE when the node's
    // key cannot be opened.
    BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values) override;

    // Each name of the path followed by a backslash.
    virtual void GetKeyPath(CString& strKeyPath, const CStringList& path);

    // The base key as kept (with its trailing backslash).
    const CString& GetBaseKey() const { return m_strBaseKey; }

private:
    // The node's full key below the root; empty for an empty path.
    CString NodeKey(const CStringList& path);

    CString m_strBaseKey;
    HKEY m_hRoot;
};
