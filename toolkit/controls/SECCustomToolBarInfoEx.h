#pragma once
// The part of a saved bar record that a custom toolbar (or the menu bar) adds: its title and its
// buttons, in the archive of a dock state, in the profile and in a persistent tree. Profile and tree
// keep the buttons as one packed binary value: per button a little-endian command id (0: separator),
// one byte n and n bytes of the button's extra data.

#include <memory>
#include <vector>

#include "platform/afx/CString.h"
#include "toolkit/frames/SECControlBarInfoEx.h"

// One button of a saved bar.
struct SECBtnInfo {
    DWORD m_nID { 0 };
    std::vector<BYTE> m_extra;
};
using SECBtnInfoArray = std::vector<SECBtnInfo>;

class SECCustomToolBarInfoEx : public SECControlBarInfoEx {
    DECLARE_DYNCREATE(SECCustomToolBarInfoEx)
public:
    // More buttons than this in one stored bar is damage.
    static constexpr DWORD kMaxButtons = 0x10000;

    SECCustomToolBarInfoEx() = default;
    ~SECCustomToolBarInfoEx() override = default;

    using SECControlBarInfoEx::Serialize;
    // Loading appends the stored buttons; a damaged archive ends in CArchiveException.
    void Serialize(CArchive& ar, CDockState* pDockState) override;
    // FALSE without a node or without the child "ToolBarInfoEx".
    BOOL LoadFromNode(SECPersistentTreeNode* pNode) override;
    BOOL LoadFromProfile(LPCTSTR lpszSection, CDockState* pDockState) override;
    // FALSE without a parent or when the child cannot be made.
    BOOL SaveToNode(SECPTNFactory& factory, SECPersistentTreeNode* pNode) override;
    BOOL SaveToProfile(LPCTSTR lpszSection) override;

    // The packed form of the buttons (5 + n bytes each).
    static std::vector<BYTE> PackButtons(const SECBtnInfoArray& buttons);
    // Appends the buttons of a packed value; a record that runs past the end is damage and ends the
    // reading (what came before it stays). FALSE when the value was damaged.
    static BOOL UnpackButtons(const BYTE* pData, size_t nSize, SECBtnInfoArray& buttons);

    CString m_strTitle;
    SECBtnInfoArray m_btnInfo;
};
