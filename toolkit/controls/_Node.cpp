#include "toolkit/controls/_Node.h"

_Node::_Node()
{
    item.hItem = Handle();
    item.iImage = noImage;
    item.iSelectedImage = noImage;
    item.pszText = m_text.data();
}

void _Node::SetExpanded(BOOL bExpanded)
{
    if (bExpanded)
        item.state |= TVIS_EXPANDED;
    else
        item.state &= ~TVIS_EXPANDED;
}

void _Node::SetText(LPCTSTR lpszText)
{
    if (lpszText == LPSTR_TEXTCALLBACK) {
        m_text.clear();
        item.pszText = LPSTR_TEXTCALLBACK;
        return;
    }
    m_text = lpszText ? lpszText : "";
    item.pszText = m_text.data();
}

UINT _Node::GetInheritedStateEx() const
{
    UINT nState = m_nStateEx;
    for (const _Node* p = Parent(); p != nullptr; p = p->Parent())
        nState |= p->m_nStateEx & (exGrey | exHidden);
    return nState;
}
