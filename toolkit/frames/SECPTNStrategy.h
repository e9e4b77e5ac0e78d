#pragma once
// Where a persistent tree is kept. A node is named by its path, the names from the root down; the
// node hands its values and child names to the strategy as text and asks for them back, and knows
// nothing else of the store.

#include "platform/afx/CStringList.h"

class SECPTNStrategy {
public:
    virtual ~SECPTNStrategy() = default;

    // Removes what the store holds for the node at path.
    virtual BOOL RemoveNode(const CStringList& path) = 0;
    // Stores one value of the node at path.
    virtual BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
    // Stores the names of the node's children, in order.
    virtual BOOL WriteChildNames(const CStringList& path, const CStringList& childNames) = 0;
    // Reads the node's child names and its values (keys and values in step); the lists are emptied first.
    virtual BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values) = 0;

protected:
    SECPTNStrategy() = default;
    SECPTNStrategy(const SECPTNStrategy&) = default;
    SECPTNStrategy& operator=(const SECPTNStrategy&) = default;
};
