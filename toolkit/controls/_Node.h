#pragma once
// The tree control's item node: the item's TVITEM record (hItem is the node's own address), the
// label split at its heading marker when measured in multi-line mode, and the node's extended state.
// The node owns its text copy.

#include <string>

#include "platform/afx/CString.h"
#include "platform/comctl/CommCtrl.h"
#include "toolkit/controls/SECTreeNodeX.h"

class _Node : public SECTreeNodeX {
public:
    // The image value that means "no image".
    static constexpr int noImage = -12;
    // Extended state bits that descendants inherit.
    static constexpr UINT exGrey = 0x100;
    static constexpr UINT exHidden = 0x200;

    _Node();

    BOOL IsExpanded() const override { return (item.state & TVIS_EXPANDED) != 0; }
    void SetExpanded(BOOL bExpanded) override;
    virtual int GetReserved2() const { return 0; }

    _Node* Parent() const { return static_cast<_Node*>(GetParent()); }
    _Node* Next() const { return static_cast<_Node*>(GetNextSibling()); }
    _Node* Prev() const { return static_cast<_Node*>(GetPrevSibling()); }
    _Node* FirstChild() const { return static_cast<_Node*>(GetFirstChild()); }
    _Node* LastChild() const { return static_cast<_Node*>(GetLastChild()); }
    HTREEITEM Handle() { return reinterpret_cast<HTREEITEM>(this); }

    // Replaces the text by a copy, or makes it a callback for LPSTR_TEXTCALLBACK.
    void SetText(LPCTSTR lpszText);
    BOOL IsTextCallback() const { return item.pszText == LPSTR_TEXTCALLBACK; }
    // The extended state with the inherited bits of the ancestors added.
    UINT GetInheritedStateEx() const;
    BOOL IsHidden() const { return (GetInheritedStateEx() & exHidden) != 0; }

    TVITEM item {};
    BOOL m_bHasHeading { FALSE };
    CString m_strHeading;
    CString m_strBody;
    int m_nHeadingWidth { 0 };
    UINT m_nStateEx { 0 };
    // Where the node's row was last found; only a hint, checked before it is trusted.
    int m_nRowHint { -1 };

private:
    std::string m_text;
};
