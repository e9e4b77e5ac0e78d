#include "toolkit/frames/SECPersistentTreeNode.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

IMPLEMENT_DYNCREATE(SECPersistentTreeNode, CObject)

namespace {

constexpr LPCTSTR kBinCountSuffix = "_BinCount";
constexpr LPCTSTR kBinValueSuffix = "_BinVal";

CString PieceCountKey(const CString& strKey) { return strKey + kBinCountSuffix; }

CString PieceKey(const CString& strKey, int nPiece)
{
    CString strPieceKey;
    strPieceKey.Format("%s%s%d", static_cast<LPCTSTR>(strKey), kBinValueSuffix, nPiece);
    return strPieceKey;
}

// A decimal number with optional leading blanks and sign, as the C runtime's atoi reads it; the
// digits end at the first other character, and a value beyond 32 bits stays at the nearest limit.
int ParseDecimal(const CString& strText)
{
    const char* p = strText;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t { std::numeric_limits<int>::max() } + 1;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = std::min(value * 10 + (*p - '0'), kLimit);
    if (bNegative)
        value = -value;
    return static_cast<int>(std::clamp<std::int64_t>(
        value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

SECPersistentTreeNode::SECPersistentTreeNode() = default;

SECPersistentTreeNode::~SECPersistentTreeNode()
{
    // Children that other factories own outlive this node: they must not point at it afterwards.
    for (SECPersistentTreeNode* pChild : m_children)
        pChild->m_pParent = nullptr;
    m_children.clear();
    // Only a node that Initialize linked is in its parent's list; a parent that went first has
    // already cleared this pointer.
    if (m_bInitialized && m_pParent) {
        auto& siblings = m_pParent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    m_pParent = nullptr;
}

UINT SECPersistentTreeNode::Initialize(LPCTSTR lpszName, SECPersistentTreeNode* pParent)
{
    const bool bEmptyName = !lpszName || !*lpszName;
    if (m_bInitialized)
        return ptnAlreadyInitialized | (bEmptyName ? ptnInvalidArgument : 0);
    if (bEmptyName)
        return ptnInvalidArgument;
    m_strName = lpszName;
    m_pParent = pParent;
    if (pParent) {
        const UINT nResult = pParent->AddChild(this);
        if (nResult & ptnDuplicateChild)
            return ptnDuplicateChild;
        if (nResult != ptnSuccess)
            return ptnFailure;
    }
    m_bInitialized = TRUE;
    return ptnSuccess;
}

UINT SECPersistentTreeNode::SetIntValue(LPCTSTR lpszKey, int nValue, BOOL bOverwrite)
{
    CString strValue;
    strValue.Format("%d", nValue);
    return SetStringValue(lpszKey, strValue, bOverwrite);
}

UINT SECPersistentTreeNode::SetStringValue(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite)
{
    const CString strKey(lpszKey ? lpszKey : "");
    SECPersTreeNodeKeyValuePair* pPair = FindPair(strKey);
    const UINT nResult = (m_bInitialized ? 0 : ptnNotInitialized) | (strKey.IsEmpty() ? ptnEmptyKey : 0)
        | (pPair && !bOverwrite ? ptnKeyExists : 0);
    if (nResult != ptnSuccess)
        return nResult;
    if (pPair)
        pPair->m_strValue = lpszValue ? lpszValue : "";
    else
        m_pairs.push_back(std::make_unique<SECPersTreeNodeKeyValuePair>(strKey, lpszValue ? lpszValue : ""));
    return ptnSuccess;
}

UINT SECPersistentTreeNode::SetBoolValue(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite)
{
    return SetStringValue(lpszKey, bValue ? "True" : "False", bOverwrite);
}

UINT SECPersistentTreeNode::SetBinaryValue(LPCTSTR lpszKey, const BYTE* pData, UINT nSize, BOOL bOverwrite)
{
    if (!pData)
        return ptnNullPointer;
    const CString strKey(lpszKey ? lpszKey : "");
    if (nSize > static_cast<UINT>(std::numeric_limits<int>::max() / 2))
        return ptnCannotEncode;

    CString strText;
    LPTSTR pText = strText.GetBufferSetLength(static_cast<int>(nSize * 2));
    for (UINT i = 0; i < nSize; ++i) {
        pText[2 * i] = static_cast<char>('A' + (pData[i] & 0x0F));
        pText[2 * i + 1] = static_cast<char>('A' + (pData[i] >> 4));
    }
    strText.ReleaseBuffer(static_cast<int>(nSize * 2));

    if (strText.GetLength() <= kMaxBinaryPieceLength) {
        // A pieced value under the key counts as an existing value, and it would be read instead of
        // the plain one: it goes when the plain one is set.
        const bool bPieced = HasPiecedValue(strKey);
        if (bPieced && !bOverwrite && m_bInitialized && !strKey.IsEmpty())
            return ptnKeyExists;
        const UINT nResult = SetStringValue(strKey, strText, bOverwrite);
        if (nResult == ptnSuccess && bPieced)
            RemovePiecedValue(strKey);
        return nResult;
    }

    if (!m_bInitialized || strKey.IsEmpty())
        return (m_bInitialized ? 0 : ptnNotInitialized) | (strKey.IsEmpty() ? ptnEmptyKey : 0);
    int nOldPieces = 0;
    GetNumber(PieceCountKey(strKey), nOldPieces, 0);
    nOldPieces = std::clamp(nOldPieces, 0, static_cast<int>(m_pairs.size()));
    const int nPieces = (strText.GetLength() + kMaxBinaryPieceLength - 1) / kMaxBinaryPieceLength;
    if (const UINT nResult = SetIntValue(PieceCountKey(strKey), nPieces, TRUE); nResult != ptnSuccess)
        return nResult;
    for (int i = 0; i < nPieces; ++i)
        SetStringValue(PieceKey(strKey, i), strText.Mid(i * kMaxBinaryPieceLength, kMaxBinaryPieceLength), TRUE);
    // Pieces of a longer earlier value and a plain value under the key would only be stale copies.
    for (int i = nPieces; i < nOldPieces; ++i)
        RemoveValue(PieceKey(strKey, i));
    RemoveValue(strKey);
    return ptnSuccess;
}

UINT SECPersistentTreeNode::RemoveValue(LPCTSTR lpszKey)
{
    const CString strKey(lpszKey ? lpszKey : "");
    const auto removed = std::remove_if(
        m_pairs.begin(), m_pairs.end(), [&](const auto& pPair) { return pPair->m_strKey == strKey; });
    if (removed == m_pairs.end())
        return ptnNoValue;
    m_pairs.erase(removed, m_pairs.end());
    return ptnSuccess;
}

UINT SECPersistentTreeNode::GetStringValue(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault)
{
    strValue = lpszDefault ? lpszDefault : "";
    const SECPersTreeNodeKeyValuePair* pPair = FindPair(CString(lpszKey ? lpszKey : ""));
    if (!pPair)
        return ptnNoValue;
    strValue = pPair->m_strValue;
    return ptnSuccess;
}

UINT SECPersistentTreeNode::GetNumber(LPCTSTR lpszKey, int& nValue, int nDefault)
{
    nValue = nDefault;
    CString strText;
    if (GetStringValue(lpszKey, strText) != ptnSuccess)
        return ptnNoValue;
    nValue = ParseDecimal(strText);
    return ptnSuccess;
}

UINT SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, int& nValue, int nDefault)
{
    return GetNumber(lpszKey, nValue, nDefault);
}

UINT SECPersistentTreeNode::GetUIntValue(LPCTSTR lpszKey, UINT& nValue, UINT nDefault)
{
    int nNumber = 0;
    const UINT nResult = GetNumber(lpszKey, nNumber, static_cast<int>(nDefault));
    nValue = static_cast<UINT>(nNumber);
    return nResult;
}

UINT SECPersistentTreeNode::GetLongValue(LPCTSTR lpszKey, LONG& lValue, LONG lDefault)
{
    int nNumber = 0;
    const UINT nResult = GetNumber(lpszKey, nNumber, lDefault);
    lValue = nNumber;
    return nResult;
}

UINT SECPersistentTreeNode::GetDWordValue(LPCTSTR lpszKey, DWORD& dwValue, DWORD dwDefault)
{
    int nNumber = 0;
    const UINT nResult = GetNumber(lpszKey, nNumber, static_cast<int>(dwDefault));
    dwValue = static_cast<DWORD>(nNumber);
    return nResult;
}

UINT SECPersistentTreeNode::GetBoolValue(LPCTSTR lpszKey, BOOL& bValue, BOOL bDefault)
{
    bValue = bDefault;
    CString strText;
    if (GetStringValue(lpszKey, strText) != ptnSuccess)
        return ptnNoValue;
    strText.MakeUpper();
    bValue = strText == "TRUE";
    return ptnSuccess;
}

UINT SECPersistentTreeNode::GetBinaryValue(LPCTSTR lpszKey, BYTE** ppData, UINT* pnSize)
{
    if (!ppData || !pnSize)
        return ptnNullPointer;
    *ppData = nullptr;
    *pnSize = 0;
    const CString strKey(lpszKey ? lpszKey : "");

    CString strText;
    if (int nPieces = 0; GetNumber(PieceCountKey(strKey), nPieces, 0) == ptnSuccess) {
        // More pieces than the node has values cannot exist; the count is not trusted further.
        nPieces = std::clamp(nPieces, 0, static_cast<int>(m_pairs.size()));
        for (int i = 0; i < nPieces; ++i) {
            CString strPiece;
            GetStringValue(PieceKey(strKey, i), strPiece);
            strText += strPiece;
        }
    } else if (GetStringValue(strKey, strText) != ptnSuccess) {
        return ptnNoValue;
    }
    if (strText.IsEmpty())
        return ptnFailure;

    const UINT nSize = static_cast<UINT>(strText.GetLength() / 2); // a trailing odd letter is ignored
    auto pData = std::make_unique<BYTE[]>(nSize);
    for (UINT i = 0; i < nSize; ++i) {
        const auto low = static_cast<unsigned>(static_cast<unsigned char>(strText[static_cast<int>(2 * i)]) - 'A');
        const auto high = static_cast<unsigned>(static_cast<unsigned char>(strText[static_cast<int>(2 * i + 1)]) - 'A');
        pData[i] = static_cast<BYTE>((high * 16 + low) & 0xFF);
    }
    *ppData = pData.release();
    *pnSize = nSize;
    return ptnSuccess;
}

void SECPersistentTreeNode::GetPath(CStringList& path) const
{
    path.RemoveAll();
    for (const SECPersistentTreeNode* pNode = this; pNode; pNode = pNode->m_pParent)
        path.AddHead(pNode->m_strName);
}

BOOL SECPersistentTreeNode::Save(SECPTNStrategy* pStrategy)
{
    if (!m_bInitialized || !pStrategy)
        return FALSE;
    CStringList path;
    GetPath(path);
    CStringList childNames;
    for (const SECPersistentTreeNode* pChild : m_children)
        childNames.AddTail(pChild->m_strName);

    BOOL bResult = pStrategy->RemoveNode(path);
    for (const auto& pPair : m_pairs)
        bResult = pStrategy->WriteValue(path, pPair->m_strKey, pPair->m_strValue) && bResult;
    bResult = pStrategy->WriteChildNames(path, childNames) && bResult;
    // A copy: a strategy cannot change the list, but a child's save must not see it move either.
    const std::vector<SECPersistentTreeNode*> children = m_children;
    for (SECPersistentTreeNode* pChild : children)
        bResult = pChild->Save(pStrategy) && bResult;
    return bResult;
}

BOOL SECPersistentTreeNode::Load(SECPTNStrategy* pStrategy)
{
    if (!m_bInitialized || !pStrategy)
        return FALSE;
    CStringList path;
    GetPath(path);
    CStringList childNames;
    CStringList keys;
    CStringList values;
    if (!pStrategy->ReadNode(path, childNames, keys, values))
        return FALSE;

    POSITION keyPosition = keys.GetHeadPosition();
    POSITION valuePosition = values.GetHeadPosition();
    while (keyPosition && valuePosition) {
        const CString& strKey = keys.GetNext(keyPosition);
        SetStringValue(strKey, values.GetNext(valuePosition), TRUE);
    }
    for (POSITION position = childNames.GetHeadPosition(); position;) {
        if (SECPersistentTreeNode* pChild = m_factory.CreateNode(childNames.GetNext(position), this))
            pChild->Load(pStrategy);
    }
    return TRUE;
}

UINT SECPersistentTreeNode::AddChild(SECPersistentTreeNode* pNode)
{
    if (!m_bInitialized)
        return ptnNotInitialized;
    if (!pNode)
        return ptnInvalidArgument;
    if (FindChild(pNode->m_strName))
        return ptnDuplicateChild;
    // A child stores itself under its parent's path: one that names another parent (or none) would
    // be written over another node's data, and one of this node's ancestors would make a cycle.
    if (pNode->m_pParent != this || pNode == this)
        return ptnFailure;
    m_children.push_back(pNode);
    return ptnSuccess;
}

SECPersistentTreeNode* SECPersistentTreeNode::FindChild(LPCTSTR lpszName) const
{
    if (!lpszName || !*lpszName)
        return nullptr;
    const CString strName(lpszName);
    const auto found = std::find_if(
        m_children.begin(), m_children.end(), [&](const SECPersistentTreeNode* pChild) { return pChild->m_strName == strName; });
    return found == m_children.end() ? nullptr : *found;
}

SECPersistentTreeNode::SECPersTreeNodeKeyValuePair* SECPersistentTreeNode::FindPair(const CString& strKey) const
{
    const auto found = std::find_if(
        m_pairs.begin(), m_pairs.end(), [&](const auto& pPair) { return pPair->m_strKey == strKey; });
    return found == m_pairs.end() ? nullptr : found->get();
}

BOOL SECPersistentTreeNode::HasPiecedValue(const CString& strKey) const { return FindPair(PieceCountKey(strKey)) != nullptr; }

void SECPersistentTreeNode::RemovePiecedValue(const CString& strKey)
{
    int nPieces = 0;
    GetNumber(PieceCountKey(strKey), nPieces, 0);
    nPieces = std::clamp(nPieces, 0, static_cast<int>(m_pairs.size()));
    for (int i = 0; i < nPieces; ++i)
        RemoveValue(PieceKey(strKey, i));
    RemoveValue(PieceCountKey(strKey));
}
