#pragma once
// The state that update handlers give one item of a bar (a button, a pane), kept in the item's style
// bits through the bar's own accessors.

#include "platform/afx/CCmdUI.h"

template <class Bar, UINT (Bar::*GetStyle)(int) const, void (Bar::*SetStyle)(int, UINT)>
class CBarItemCmdUI : public CCmdUI {
public:
    explicit CBarItemCmdUI(Bar& bar)
        : m_bar(bar)
    {
    }

protected:
    void ChangeStyle(UINT bit, bool set)
    {
        const int index = static_cast<int>(m_nIndex);
        const UINT style = (m_bar.*GetStyle)(index);
        (m_bar.*SetStyle)(index, set ? style | bit : style & ~bit);
    }

    Bar& m_bar;
};
