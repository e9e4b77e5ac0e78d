#include <gtest/gtest.h>

#include "platform/afx/CCheckListBox.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

constexpr UINT kListId = 43094;

// A page-like parent: passes the list's drawing back to it and counts check changes.
class CListParent : public CWnd {
public:
    int changes { 0 };
    int selectedAtChange { -1 };
    CCheckListBox* list { nullptr };

protected:
    afx_msg void OnCheckChange()
    {
        ++changes;
        selectedAtChange = list->GetCurSel();
    }
    afx_msg LRESULT OnDrawItem(WPARAM, LPARAM lParam)
    {
        ReflectLastMsg(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListParent, CWnd)
ON_CLBN_CHKCHANGE(kListId, OnCheckChange)
ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
END_MESSAGE_MAP()

class CheckList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr, 0));
        // Made as a dialog makes its control, then subclassed by the page.
        ASSERT_NE(::CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                      10, 10, 150, 120, parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)),
                      nullptr, nullptr),
            nullptr);
        ASSERT_TRUE(list.SubclassDlgItem(kListId, &parent));
        parent.list = &list;
        for (const char* bar : { "Standard", "Formatting", "Menu bar" })
            list.AddString(bar);
        screen.pump();
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        screen.pump();
    }
    // A screen point in the item: on its check box, or well into its text.
    CPoint at(int index, bool onBox)
    {
        CRect item;
        list.GetItemRect(index, &item);
        list.ClientToScreen(&item);
        return CPoint(onBox ? item.left + 6 : item.left + 60, item.CenterPoint().y);
    }
    // The dark pixels inside an item's check box.
    int darkInBox(int index)
    {
        const CPoint box = at(index, true);
        int dark = 0;
        for (int y = box.y - 3; y <= box.y + 3; ++y)
            for (int x = box.x - 3; x <= box.x + 3; ++x)
                dark += GetRValue(screen.pixel(x, y)) < 64 ? 1 : 0;
        return dark;
    }

    TestScreen screen { 320, 200 };
    CListParent parent;
    CCheckListBox list;
};

} // namespace

TEST_F(CheckList, ChecksFollowTheirItemsAndKeepTheItemData)
{
    list.SetItemData(1, 0xE801);
    list.SetCheck(1, 1);
    list.SetCheck(2, 7); // no such state
    list.SetCheck(5, 1); // no such item
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(list.GetCheck(5), LB_ERR);

    list.InsertString(0, "User bar");
    EXPECT_EQ(list.GetCheck(2), 1);
    EXPECT_EQ(list.GetItemData(2), 0xE801u);
    list.DeleteString(0);
    list.DeleteString(0);
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(list.GetCheck(1), 0);
    list.ResetContent();
    EXPECT_EQ(list.GetCheck(0), LB_ERR);
}

TEST_F(CheckList, AClickOnTheBoxOrTheSpaceBarTogglesAndTellsTheParentAClickOnTheTextOnlySelects)
{
    screen.click(at(2, false).x, at(2, false).y);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(parent.changes, 0);

    screen.click(at(1, true).x, at(1, true).y);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(parent.changes, 1);
    EXPECT_EQ(parent.selectedAtChange, 1);

    screen.key(VK_SPACE);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(parent.changes, 2);
}

TEST_F(CheckList, ACheckedItemDrawsAMarkInItsBox)
{
    const int unchecked = darkInBox(0);
    list.SetCheck(0, 1);
    screen.pump();
    EXPECT_GT(darkInBox(0), unchecked + 3);
    EXPECT_EQ(darkInBox(1), unchecked);
}
