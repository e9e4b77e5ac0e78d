#pragma once
// A node of a persistent tree: a name, a parent, children in the order they were added, and values
// kept as text under case-sensitive keys in the order they were set. The whole tree goes to a store
// and back through a strategy (a profile file or the registry). Operations report numeric result codes
// that combine as bit flags; 0 is success.
//
// Values are text: integers in decimal, Booleans as "True"/"False", bytes as two capital letters each
// ('A' + low nibble, then 'A' + high nibble). A byte text longer than kMaxBinaryPieceLength is kept in
// pieces: key + "_BinCount" holds the number of pieces, key + "_BinVal" + i (from 0) each piece.

#include <memory>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringList.h"
#include "toolkit/frames/SECPTNFactory.h"
#include "toolkit/frames/SECPTNStrategy.h"

class SECPersistentTreeNode : public CObject {
    DECLARE_DYNCREATE(SECPersistentTreeNode)
public:
    // Result codes.
    static constexpr UINT ptnSuccess = 0;
    static constexpr UINT ptnAlreadyInitialized = 0x1;
    static constexpr UINT ptnNotInitialized = 0x2;
    static constexpr UINT ptnInvalidArgument = 0x4; // empty name, null child
    static constexpr UINT ptnEmptyKey = 0x8;
    static constexpr UINT ptnKeyExists = 0x10;
    static constexpr UINT ptnDuplicateChild = 0x20;
    static constexpr UINT ptnNoValue = 0x40;
    static constexpr UINT ptnNullPointer = 0x80;
    static constexpr UINT ptnCannotEncode = 0x100;
    static constexpr UINT ptnFailure = 0xFFFF;

    // Byte texts longer than this are stored in pieces of this length.
    static constexpr int kMaxBinaryPieceLength = 250;

    // One value of a node.
    class SECPersTreeNodeKeyValuePair : public CObject {
    public:
        SECPersTreeNodeKeyValuePair(LPCTSTR lpszKey, LPCTSTR lpszValue)
            : m_strKey(lpszKey)
            , m_strValue(lpszValue)
        {
        }

        CString m_strKey;
        CString m_strValue;
    };

    // An uninitialised node: it takes nothing until Initialize succeeds.
    SECPersistentTreeNode();
    // Deletes the node's values and the children it loaded; children made by other factories stay
    // but lose their parent, and the node leaves its own parent's children.
    ~SECPersistentTreeNode() override;

    // Names the node and links it under pParent (null for a root). 1 when already initialised (with
    // 4 for an empty name), 4 for an empty name, 32 when pParent has a child of that name, 0xFFFF when
    // the parent refused it otherwise; the node then stays uninitialised.
    virtual UINT Initialize(LPCTSTR lpszName, SECPersistentTreeNode* pParent);
    // Stores the decimal text of nValue.
    virtual UINT SetIntValue(LPCTSTR lpszKey, int nValue, BOOL bOverwrite = TRUE);
    // Stores a text: 2 when uninitialised, 8 for an empty key, 16 when the key exists and bOverwrite is
    // FALSE (combined; nothing changes then). A new key goes to the end of the values.
    virtual UINT SetStringValue(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite = TRUE);
    // Stores "True" or "False".
    virtual UINT SetBoolValue(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite = TRUE);
    // Stores nSize bytes as letter pairs, in pieces when long; 128 for null data. Setting either form
    // removes the other, so the value read back is always the one set last.
    virtual UINT SetBinaryValue(LPCTSTR lpszKey, const BYTE* pData, UINT nSize, BOOL bOverwrite = TRUE);
    // Removes the value; 64 when there is none.
    virtual UINT RemoveValue(LPCTSTR lpszKey);
    // The text under the key, or lpszDefault with 64 when there is none.
    virtual UINT GetStringValue(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault = "");
    // The text as a decimal number with optional sign (0 when it is none, clamped to 32 bits), or the
    // default with 64 when there is no value.
    virtual UINT GetIntValue(LPCTSTR lpszKey, int& nValue, int nDefault = 0);
    virtual UINT GetUIntValue(LPCTSTR lpszKey, UINT& nValue, UINT nDefault = 0);
    virtual UINT GetLongValue(LPCTSTR lpszKey, LONG& lValue, LONG lDefault = 0);
    virtual UINT GetDWordValue(LPCTSTR lpszKey, DWORD& dwValue, DWORD dwDefault = 0);
    // TRUE exactly when the text upper-cased is "TRUE"; the default with 64 when there is no value.
    virtual UINT GetBoolValue(LPCTSTR lpszKey, BOOL& bValue, BOOL bDefault = FALSE);
    // The bytes under the key in a new block (*ppData, freed by the caller with delete[]) of *pnSize
    // bytes. 128 for a null argument, 64 when there is no value, 0xFFFF for an empty text; *ppData is
    // null unless the result is 0.
    virtual UINT GetBinaryValue(LPCTSTR lpszKey, BYTE** ppData, UINT* pnSize);
    // Writes the node and its subtree, parent before children; FALSE when uninitialised, without a
    // strategy, or when any step failed (the remaining steps still run).
    virtual BOOL Save(SECPTNStrategy* pStrategy);
    // Reads the node's values and makes and reads its children; FALSE when uninitialised, without a
    // strategy, or when the node itself cannot be read (a child that cannot be read is only skipped).
    virtual BOOL Load(SECPTNStrategy* pStrategy);
    // Appends pNode to the children without owning it: 2 when this node is uninitialised, 4 for null,
    // 32 when a child of that name exists, 0xFFFF for a node that does not name this one as its parent.
    virtual UINT AddChild(SECPersistentTreeNode* pNode);

    // The node's name.
    CString GetName() const { return m_strName; }
    // The first child of that name (case-sensitive); null for an empty name or when none has it.
    SECPersistentTreeNode* FindChild(LPCTSTR lpszName) const;
    // The node above this one; null for a root.
    SECPersistentTreeNode* GetParentNode() const { return m_pParent; }
    // The children in the order they were added.
    const std::vector<SECPersistentTreeNode*>& GetChildren() const { return m_children; }
    // TRUE once Initialize succeeded.
    BOOL IsInitialized() const { return m_bInitialized; }
    // The names from the root down to this node.
    void GetPath(CStringList& path) const;

private:
    SECPersTreeNodeKeyValuePair* FindPair(const CString& strKey) const;
    BOOL HasPiecedValue(const CString& strKey) const;
    // Removes key + "_BinCount" and its pieces.
    void RemovePiecedValue(const CString& strKey);
    // The decimal number of a value's text, or 64 with the default when the key has no value.
    UINT GetNumber(LPCTSTR lpszKey, int& nValue, int nDefault);

    CString m_strName;
    SECPersistentTreeNode* m_pParent { nullptr };
    SECPTNFactory m_factory; // owns the children that Load made
    std::vector<SECPersistentTreeNode*> m_children;
    std::vector<std::unique_ptr<SECPersTreeNodeKeyValuePair>> m_pairs;
    BOOL m_bInitialized { FALSE };
};
