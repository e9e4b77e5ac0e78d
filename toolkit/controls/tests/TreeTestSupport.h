#pragma once
// What the tree control's tests share: a tree that opens its rows to the tests, and a window with a
// small tree in it (client and screen points are the same).

#include "toolkit/controls/SECTreeCtrl.h"
#include "toolkit/controls/tests/ListTestSupport.h"

namespace treetest {

using listtest::Owner;
using platform::user::TestScreen;

class ProbeTree : public SECTreeCtrl {
public:
    // The items of the rows, top to bottom, by text.
    std::vector<std::string> RowTexts()
    {
        std::vector<std::string> texts;
        for (int n = 0; n < GetItemCount(); ++n)
            texts.emplace_back(static_cast<LPCTSTR>(GetItemText(ItemOfRow(n), 0)));
        return texts;
    }
    // The texts of an item's children in order.
    std::vector<std::string> ChildTexts(HTREEITEM hParent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM h = GetChildItem(hParent); h != nullptr; h = GetNextSiblingItem(h))
            texts.emplace_back(static_cast<LPCTSTR>(GetItemText(h, 0)));
        return texts;
    }
    // Every shown node has exactly its row, in depth-first order.
    bool RowsMatchShownNodes()
    {
        int nRow = 0;
        for (_Node* p = m_pRoot->FirstChild(); p != nullptr; p = NextInOrder(p)) {
            if (!IsShown(p))
                continue;
            if (NodeOfRow(nRow++) != p)
                return false;
        }
        return nRow == GetItemCount();
    }
    UINT_PTR hoverTimerId() const { return m_nHoverTimer; }
    // The horizontal scroll bar, null until the list first needs one.
    CScrollBar* HorzBar() const { return GetScrollBarCtrl(SB_HORZ); }
};

class TreeWindow : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Handlers may hold the test's locals, gone by now.
        owner.onNotify = nullptr;
        owner.DestroyWindow();
        screen.pump();
    }
    void Build(DWORD dwTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, DWORD dwExStyle = 0)
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 220, 200), nullptr, 0));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | dwTreeStyle, dwExStyle, CRect(0, 0, 220, 200), &owner, 9));
        screen.pump();
    }
    // Music / (Rock / (Alpha, Beta), Jazz), Podcasts: all collapsed.
    void Fill()
    {
        music = tree.InsertItem("Music");
        rock = tree.InsertItem("Rock", music);
        alpha = tree.InsertItem("Alpha", rock);
        beta = tree.InsertItem("Beta", rock);
        jazz = tree.InsertItem("Jazz", music);
        podcasts = tree.InsertItem("Podcasts");
        screen.pump();
    }
    CPoint LabelPoint(HTREEITEM hItem)
    {
        CRect rect;
        EXPECT_TRUE(tree.GetItemRect(tree.RowOfItem(hItem), rect, LVIR_LABEL));
        return rect.CenterPoint();
    }

    TestScreen screen { 320, 240 };
    Owner owner;
    ProbeTree tree;
    HTREEITEM music {}, rock {}, alpha {}, beta {}, jazz {}, podcasts {};
};

} // namespace treetest
