#pragma once
// A persistent tree in a profile (INI) file: one section per node, named by its path joined with
// "." (R, R.C, R.C.G). A section holds the node's values (key=value) and its children's names under
// "ptn_Child1", "ptn_Child2", ... in order. Values and key lists are read whole, however long.
//
// Saving clears only each node's own section, so sections of children that are gone stay in the file,
// unreachable. A node with neither values nor children leaves an empty section that reads back as
// nothing, so its Load fails.

#include "platform/afx/CString.h"
#include "toolkit/frames/SECPTNStrategy.h"

class SECPTNStrategyProfile : public SECPTNStrategy {
public:
    // Keys beginning with this name a child (in file order); every other key is a value.
    static constexpr LPCTSTR kChildKeyPrefix = "ptn_Child";
    static constexpr LPCTSTR kSectionSeparator = ".";
    // The first buffer for a section's key list; it doubles until the list fits.
    static constexpr DWORD kInitialKeyListSize = 512;

    // lpszFileName: a profile file (a bare name is a file in the platform's home folder).
    explicit SECPTNStrategyProfile(LPCTSTR lpszFileName);

    // Deletes the node's whole section; FALSE for an empty path.
    BOOL RemoveNode(const CStringList& path) override;
    // Writes key=value into the node's section; FALSE for an empty path.
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    // Writes ptn_Child<n>=name for n = 1, 2, ...; FALSE for an empty path or when any write failed.
    BOOL WriteChildNames(const CStringList& path, const CStringList& childNames) override;
    // FALSE for an empty path or a section with no entries.
    BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values) override;

    // Every key name of the section, in file order; FALSE when it has none.
    virtual BOOL ReadKeyNames(LPCTSTR lpszSection, CStringList& keyNames);

    // The path's names joined with "."; empty for an empty path.
    CString GetSectionName(const CStringList& path) const;

private:
    // The whole value of a key of the section.
    CString ReadValue(LPCTSTR lpszSection, LPCTSTR lpszKey) const;

    CString m_strFileName;
};
