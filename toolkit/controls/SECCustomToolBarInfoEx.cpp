#include "toolkit/controls/SECCustomToolBarInfoEx.h"

#include <memory>

#include "platform/afx/AfxDockStateIO.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECPTNFactory.h"
#include "toolkit/frames/SECPersistentTreeNode.h"

IMPLEMENT_DYNCREATE(SECCustomToolBarInfoEx, SECControlBarInfoEx)

namespace {

constexpr LPCTSTR kNodeName = "ToolBarInfoEx";
constexpr size_t kRecordHeader = 5;

// The stores refuse a null block, and an empty list is still written (it empties the bar when read).
BYTE* BlockOf(std::vector<BYTE>& packed)
{
    static BYTE empty = 0;
    return packed.empty() ? &empty : packed.data();
}

} // namespace

std::vector<BYTE> SECCustomToolBarInfoEx::PackButtons(const SECBtnInfoArray& buttons)
{
    std::vector<BYTE> packed;
    for (const SECBtnInfo& btn : buttons) {
        for (int shift = 0; shift < 32; shift += 8)
            packed.push_back(static_cast<BYTE>(btn.m_nID >> shift));
        // The size is one byte in every form: longer extra data cannot be kept.
        const size_t nExtra = std::min<size_t>(btn.m_extra.size(), 0xFF);
        packed.push_back(static_cast<BYTE>(nExtra));
        packed.insert(packed.end(), btn.m_extra.begin(), btn.m_extra.begin() + static_cast<std::ptrdiff_t>(nExtra));
    }
    return packed;
}

BOOL SECCustomToolBarInfoEx::UnpackButtons(const BYTE* pData, size_t nSize, SECBtnInfoArray& buttons)
{
    size_t nAt = 0;
    while (pData && nAt < nSize) {
        if (nSize - nAt < kRecordHeader || nSize - nAt - kRecordHeader < pData[nAt + 4])
            return FALSE;
        SECBtnInfo btn;
        btn.m_nID = static_cast<DWORD>(pData[nAt]) | static_cast<DWORD>(pData[nAt + 1]) << 8
            | static_cast<DWORD>(pData[nAt + 2]) << 16 | static_cast<DWORD>(pData[nAt + 3]) << 24;
        const size_t nExtra = pData[nAt + 4];
        btn.m_extra.assign(pData + nAt + kRecordHeader, pData + nAt + kRecordHeader + nExtra);
        buttons.push_back(std::move(btn));
        nAt += kRecordHeader + nExtra;
    }
    return TRUE;
}

void SECCustomToolBarInfoEx::Serialize(CArchive& ar, CDockState*)
{
    if (ar.IsStoring()) {
        ar << m_strTitle;
        ar << static_cast<DWORD>(m_btnInfo.size());
        for (const SECBtnInfo& btn : m_btnInfo) {
            const size_t nExtra = std::min<size_t>(btn.m_extra.size(), 0xFF);
            ar << btn.m_nID << static_cast<BYTE>(nExtra);
            if (nExtra)
                ar.Write(btn.m_extra.data(), static_cast<UINT>(nExtra));
        }
        return;
    }
    ar >> m_strTitle;
    const DWORD nCount = afx::ReadDword(ar);
    if (nCount > kMaxButtons)
        AfxThrowArchiveException(CArchiveException::badIndex);
    for (DWORD i = 0; i < nCount; ++i) {
        SECBtnInfo btn;
        btn.m_nID = afx::ReadDword(ar);
        BYTE nExtra = 0;
        ar >> nExtra;
        btn.m_extra.resize(nExtra);
        if (nExtra && ar.Read(btn.m_extra.data(), nExtra) != nExtra)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        m_btnInfo.push_back(std::move(btn));
    }
}

BOOL SECCustomToolBarInfoEx::LoadFromNode(SECPersistentTreeNode* pNode)
{
    if (!pNode)
        return FALSE;
    SECPersistentTreeNode* pMine = pNode->FindChild(kNodeName);
    if (!pMine)
        return FALSE;
    pMine->GetStringValue("Title", m_strTitle, "");
    BYTE* pData = nullptr;
    UINT nSize = 0;
    pMine->GetBinaryValue("Buttons", &pData, &nSize);
    const std::unique_ptr<BYTE[]> owned(pData);
    if (pData)
        UnpackButtons(pData, nSize, m_btnInfo);
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::LoadFromProfile(LPCTSTR lpszSection, CDockState*)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    m_strTitle = pApp->GetProfileString(lpszSection, "Title");
    BYTE* pData = nullptr;
    UINT nSize = 0;
    pApp->GetProfileBinary(lpszSection, "Buttons", &pData, &nSize);
    const std::unique_ptr<BYTE[]> owned(pData);
    if (pData)
        UnpackButtons(pData, nSize, m_btnInfo);
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveToNode(SECPTNFactory& factory, SECPersistentTreeNode* pNode)
{
    if (!pNode)
        return FALSE;
    SECPersistentTreeNode* pMine = pNode->FindChild(kNodeName);
    if (!pMine)
        pMine = factory.CreateNode(kNodeName, pNode);
    if (!pMine)
        return FALSE;
    pMine->SetStringValue("Title", m_strTitle, TRUE);
    std::vector<BYTE> packed = PackButtons(m_btnInfo);
    pMine->SetBinaryValue("Buttons", BlockOf(packed), static_cast<UINT>(packed.size()), TRUE);
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveToProfile(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    if (!m_strTitle.IsEmpty())
        pApp->WriteProfileString(lpszSection, "Title", m_strTitle);
    std::vector<BYTE> packed = PackButtons(m_btnInfo);
    pApp->WriteProfileBinary(lpszSection, "Buttons", BlockOf(packed), static_cast<UINT>(packed.size()));
    return TRUE;
}
