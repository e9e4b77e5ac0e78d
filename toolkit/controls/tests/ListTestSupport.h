#pragma once
// What the list control's tests share: an owner that records notifications and may answer or act on
// them, a list that opens its inner state to the tests, and a window with a small report list in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECListCtrl.h"

namespace listtest {

using platform::user::TestScreen;

// The owner: records every notification, answers text requests for callback cells with "row N" (or
// "row N/k" for cell k), and lets a test act on a notification through onNotify.
class Owner : public CWnd {
public:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(pHeader->code);
        *pResult = 0;
        if (pHeader->code == LVN_GETDISPINFO) {
            auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
            asked.insert(pInfo->item.iItem);
            text = "row " + std::to_string(pInfo->item.iItem);
            if (pInfo->item.iSubItem > 0)
                text += "/" + std::to_string(pInfo->item.iSubItem);
            pInfo->item.pszText = text.data();
        }
        if (pHeader->code == LVN_DELETEITEM)
            deleted.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->iItem);
        if (onNotify)
            *pResult = onNotify(pHeader);
        return TRUE;
    }
    int count(UINT code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }

    std::vector<UINT> codes;
    std::set<int> asked;
    std::vector<int> deleted;
    std::string text;
    std::function<LRESULT(NMHDR*)> onNotify;
};

// A list whose inner state the tests may read, and whose owner-data texts it notes.
class ProbeList : public SECListCtrl {
public:
    void NotifySetDispInfo(LVITEM* pItem) override
    {
        if (pItem->pszText != LPSTR_TEXTCALLBACK)
            setDispInfo.push_back(pItem->pszText ? pItem->pszText : "");
    }
    LRESULT NotifySelChanging(int nRow, int nOld, BOOL bByMouse) override
    {
        return vetoSelection ? 1 : SECListCtrl::NotifySelChanging(nRow, nOld, bByMouse);
    }
    void NotifyBeginDrag() override { ++dragsBegun; }
    SECListTip& tip() { return *m_pTip; }
    int editedRow() const { return m_nEditedRow; }
    int horzScroll() const { return m_nHorzScroll; }
    using SECListBaseC::m_selection;

    std::vector<std::string> setDispInfo;
    BOOL vetoSelection { FALSE };
    int dragsBegun { 0 };
};

inline std::vector<int> Selected(SECListBaseC& list)
{
    std::vector<int> rows;
    for (int n = list.GetNextItem(-1, LVNI_SELECTED); n >= 0; n = list.GetNextItem(n, LVNI_SELECTED))
        rows.push_back(n);
    return rows;
}

inline std::string GoldenPath(const std::string& name)
{
    return std::string(TS_CONTROLS_TEST_DIR) + "/golden/" + name;
}

// Makes an owner window at the screen's top-left corner with the list filling it.
inline void CreateOwned(Owner& owner, SECListBaseC& list, const CRect& rect, DWORD dwStyle, DWORD dwExStyle = 0)
{
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, rect, nullptr, 0));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | dwStyle, dwExStyle, rect, &owner, 7));
}

// A report list of five rows in two columns, in an owner window at the screen's top-left corner (so
// client and screen points are the same).
class ListWindow : public ::testing::Test {
protected:
    void SetUp() override { Build(LVS_REPORT | LVS_NOLABELWRAP, 0); }
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    void Build(DWORD dwStyle, DWORD dwExStyle)
    {
        CreateOwned(owner, list, CRect(0, 0, 240, 140), dwStyle, dwExStyle);
        list.InsertColumn(0, "Title", LVCFMT_LEFT, 120);
        list.AddColumn("Artist", LVCFMT_LEFT, 100);
        const char* titles[] = { "Alpha", "Bravo", "Banjo", "Charlie", "Delta" };
        for (int i = 0; i < 5; ++i) {
            list.InsertItem(i, titles[i]);
            list.SetItem(i, 1, LVIF_TEXT | LVIF_DI_SETITEM, "Someone", 0, 0, 0, 0);
        }
        list.RecalcLayout();
        screen.pump();
    }
    // Enough rows for the list to scroll: 45 in all.
    void AddRows()
    {
        for (int i = 0; i < 40; ++i)
            list.InsertItem(5 + i, "more");
        list.RecalcLayout();
        screen.pump();
    }
    // A type-ahead run ends between one and two ticks after the last key.
    void EndRun()
    {
        for (int i = 0; i < 3; ++i)
            screen.advance(std::chrono::milliseconds(260));
    }
    // The middle of a row's label (client and screen coordinates are the same here).
    CPoint LabelPoint(int nRow)
    {
        CRect rect;
        EXPECT_TRUE(list.GetItemRect(nRow, rect, LVIR_LABEL));
        return rect.CenterPoint();
    }
    void ClickLabel(int nRow) { screen.click(LabelPoint(nRow).x, LabelPoint(nRow).y); }

    TestScreen screen { 320, 200 };
    Owner owner;
    ProbeList list;
};

} // namespace listtest
