// The list under the mouse and the keyboard: selection by clicks and keys, type-ahead, the wheel, the
// header's divider and buttons, and scrolling while something is dragged.
#include "toolkit/controls/tests/ListTestSupport.h"

using namespace listtest;

namespace {

TEST_F(ListWindow, ClicksSelectWithShiftRangesAndCtrlToggles)
{
    ClickLabel(1);
    EXPECT_EQ(Selected(list), std::vector<int> { 1 });
    EXPECT_EQ(list.GetCaretIndex(), 1);
    screen.keyDown(VK_SHIFT);
    ClickLabel(3);
    screen.keyUp(VK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int> { 1, 2, 3 }));
    // The anchor stays where the range began.
    screen.keyDown(VK_SHIFT);
    ClickLabel(0);
    screen.keyUp(VK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int> { 0, 1 }));
    screen.keyDown(VK_CONTROL);
    ClickLabel(3);
    ClickLabel(0);
    screen.keyUp(VK_CONTROL);
    EXPECT_EQ(Selected(list), (std::vector<int> { 1, 3 }));
    // A plain press on a selected row's label collapses the selection to it.
    ClickLabel(3);
    EXPECT_EQ(Selected(list), std::vector<int> { 3 });
    screen.key(VK_DOWN);
    EXPECT_EQ(Selected(list), std::vector<int> { 4 });
    screen.keyDown(VK_SHIFT);
    screen.key(VK_UP);
    screen.key(VK_UP);
    screen.keyUp(VK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int> { 2, 3, 4 }));
    screen.key(VK_HOME);
    EXPECT_EQ(Selected(list), std::vector<int> { 0 });
    screen.key(VK_END);
    EXPECT_EQ(Selected(list), std::vector<int> { 4 });
    EXPECT_EQ(owner.count(NM_CLICK), 6);
    EXPECT_GE(owner.count(LVN_KEYDOWN), 5);
}

TEST_F(ListWindow, DraggingFromASelectionKeepsItAndTellsTheOwner)
{
    ClickLabel(1);
    screen.keyDown(VK_CONTROL);
    ClickLabel(2);
    screen.keyUp(VK_CONTROL);
    ASSERT_EQ(Selected(list), (std::vector<int> { 1, 2 }));
    // Ctrl toggles on release, so a press that turns into a drag keeps the selection.
    const CPoint from = LabelPoint(1);
    screen.keyDown(VK_CONTROL);
    screen.drag(from.x, from.y, from.x, from.y + 30);
    screen.keyUp(VK_CONTROL);
    EXPECT_EQ(list.dragsBegun, 1);
    EXPECT_EQ(Selected(list), (std::vector<int> { 1, 2 }));
    EXPECT_EQ(owner.count(NM_CLICK), 2); // the drag's release is no click
}

TEST_F(ListWindow, TypeAheadFindsByPrefixAndEndsWithTheRun)
{
    list.SetFocus();
    screen.type("b");
    EXPECT_EQ(list.GetCaretIndex(), 1);
    screen.type("an");
    EXPECT_EQ(list.GetCaretIndex(), 2);
    EndRun();
    screen.type("b");
    EXPECT_EQ(list.GetCaretIndex(), 1); // a new run searches after the caret and wraps
    EndRun();
    screen.type("zb");
    EXPECT_EQ(list.GetCaretIndex(), 1); // a failed run swallows keys until it ends
    EndRun();
    screen.type("D");
    EXPECT_EQ(list.GetCaretIndex(), 4); // letters match whatever their case
    EndRun();
}

TEST_F(ListWindow, TypeAheadWithoutACaretEndsOnAMiss)
{
    // The owner refuses the selection a first key finds, so the caret stays at -1 while the run goes on:
    // the next key's search must still end after one pass over the rows.
    list.SetFocus();
    list.SetCaret(-1, FALSE);
    list.DeselectAll(-1);
    list.vetoSelection = TRUE;
    screen.type("a");
    ASSERT_EQ(list.GetCaretIndex(), -1);
    screen.type("x");
    EXPECT_EQ(list.GetCaretIndex(), -1);
    EndRun();
    list.vetoSelection = FALSE;
    screen.type("c");
    EXPECT_EQ(list.GetCaretIndex(), 3);
    EndRun();
}

TEST_F(ListWindow, EveryDeletedRowIsTold)
{
    list.DeleteItems(1, 3);
    EXPECT_EQ(owner.deleted, (std::vector<int> { 3, 2, 1 }));
    EXPECT_EQ(list.GetItemCount(), 2);
    // An owner that empties the list while told leaves a consistent, empty list.
    owner.onNotify = [this](NMHDR* pHeader) {
        if (pHeader->code == LVN_DELETEITEM)
            list.DeleteAllItems();
        return LRESULT { 0 };
    };
    EXPECT_TRUE(list.DeleteItems(0, 2));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetCaretIndex(), -1);
}

TEST_F(ListWindow, WheelNotchesAccumulate)
{
    AddRows();
    list.SetFocus();
    screen.moveTo(50, 60);
    screen.wheel(-60);
    EXPECT_EQ(list.GetTopIndex(), 0);
    screen.wheel(-60);
    EXPECT_EQ(list.GetTopIndex(), 1);
    screen.wheel(-250); // two notches and a dropped remainder
    EXPECT_EQ(list.GetTopIndex(), 3);
    screen.wheel(-60);
    EXPECT_EQ(list.GetTopIndex(), 3);
}

TEST_F(ListWindow, PageKeysMoveByTheShownRows)
{
    AddRows();
    list.SetFocus();
    const int nLast = list.GetLastFullyVisible(nullptr);
    // The first Page Down goes to the last shown row, the next one turns the page.
    screen.key(VK_NEXT);
    EXPECT_EQ(list.GetCaretIndex(), nLast);
    EXPECT_EQ(list.GetTopIndex(), 0);
    screen.key(VK_NEXT);
    EXPECT_GE(list.GetTopIndex(), nLast);
    EXPECT_EQ(list.GetCaretIndex(), list.GetLastFullyVisible(nullptr));
    screen.key(VK_PRIOR);
    EXPECT_EQ(list.GetCaretIndex(), list.GetTopIndex());
    const int nTop = list.GetTopIndex();
    screen.key(VK_PRIOR);
    EXPECT_LT(list.GetTopIndex(), nTop);
    EXPECT_EQ(list.GetCaretIndex(), list.GetTopIndex());
    screen.key(VK_END);
    EXPECT_EQ(list.GetCaretIndex(), 44);
    EXPECT_EQ(list.GetLastFullyVisible(nullptr), 44);
}

TEST_F(ListWindow, DividerDragsResizeWithinLimits)
{
    const int y = 10;
    const int x = list.GetColumnRight(0);
    screen.drag(x, y, x + 30, y);
    EXPECT_EQ(list.GetColumnWidth(0), 150);
    screen.drag(x + 30, y, -50, y);
    EXPECT_EQ(list.GetColumnWidth(0), 10); // never narrower than 10 pixels
    // Escape or the right button during the drag puts the divider back.
    for (const bool bEscape : { true, false }) {
        const int xNow = list.GetColumnRight(0);
        screen.moveTo(xNow, y);
        list.SetFocus();
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
        platform::user::InjectMouseMove(POINT { xNow + 40, y });
        if (bEscape) {
            platform::user::InjectKey(VK_ESCAPE, true);
            platform::user::InjectKey(VK_ESCAPE, false);
        } else {
            platform::user::InjectMouseButton(platform::user::MouseButton::Right, true);
            platform::user::InjectMouseButton(platform::user::MouseButton::Right, false);
        }
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
        screen.pump();
        EXPECT_EQ(list.GetColumnWidth(0), 10) << bEscape;
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

class FitWidthList : public ListWindow {
protected:
    void SetUp() override
    {
        Build(LVS_REPORT | LVS_NOLABELWRAP, 0);
        list.SetListStyleEx(LVXS_FITWIDTH, TRUE);
        screen.pump();
    }
};

TEST_F(FitWidthList, TheColumnsFillTheAreaAndTheLastHasNoDivider)
{
    CRect area;
    list.GetItemArea(area);
    EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(1), area.Width());
    UINT nFlags = 0;
    list.HitTest(list.GetColumnRight(1) - 1, 10, &nFlags, nullptr);
    EXPECT_FALSE(nFlags & LVHT_ONHEADERDIVIDER);
    // Widening the first column takes from the next; none drops below 5 pixels.
    const int x = list.GetColumnRight(0);
    screen.drag(x, 10, area.right - 1, 10);
    EXPECT_EQ(list.GetColumnWidth(1), 5);
    EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(1), area.Width());
}

class DraggableHeaderList : public ListWindow {
protected:
    // A header button pressed and dragged along the header: the first small step starts the drag.
    void DragHeader(int xFrom, int xTo)
    {
        screen.moveTo(xFrom, 10);
        screen.press();
        screen.moveTo(xFrom + 3, 10);
        screen.moveTo(xTo, 10);
        screen.release();
    }
    void SetUp() override
    {
        Build(LVS_REPORT | LVS_NOLABELWRAP, 0);
        list.SetListStyleEx(LVS_EX_HEADERDRAGDROP, FALSE);
        list.AddColumn("Album", LVCFMT_LEFT, 60);
        for (int i = 0; i < 5; ++i)
            list.SetItem(i, 2, LVIF_TEXT | LVIF_DI_SETITEM, "Record", 0, 0, 0, 0);
        list.RecalcLayout();
        screen.pump();
    }
};

TEST_F(DraggableHeaderList, HeaderButtonsClickAndDragToNewPlaces)
{
    std::vector<int> clicked;
    owner.onNotify = [&](NMHDR* pHeader) {
        if (pHeader->code == LVN_COLUMNCLICK)
            clicked.push_back(reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem);
        return LRESULT { 0 };
    };
    screen.click(30, 10);
    EXPECT_EQ(clicked, std::vector<int> { 0 });
    // The first column's button does not drag.
    DragHeader(30, 200);
    EXPECT_EQ(list.GetColumnHeading(0), CString("Title"));
    // Dropped on itself or on the gap after it, a column stays.
    DragHeader(170, 176);
    EXPECT_EQ(list.GetColumnHeading(1), CString("Artist"));
    DragHeader(170, 140);
    EXPECT_EQ(list.GetColumnHeading(1), CString("Artist"));
    // Dragged past the middle of the last column, it goes after it, and its cells with it.
    DragHeader(170, list.GetColumnRight(2) - 5);
    EXPECT_EQ(list.GetColumnHeading(1), CString("Album"));
    EXPECT_EQ(list.GetColumnHeading(2), CString("Artist"));
    EXPECT_EQ(list.GetItemText(0, list.GetColumnSubItem(1)), CString("Record"));
    EXPECT_EQ(list.GetItemText(0, list.GetColumnSubItem(2)), CString("Someone"));
    EXPECT_EQ(clicked, std::vector<int> { 0 });
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ListWindow, AnOwnerRemovingTheClickedColumnIsSafe)
{
    // An owner that sorts on a column click may rebuild its columns there and then.
    owner.onNotify = [this](NMHDR* pHeader) {
        if (pHeader->code == LVN_COLUMNCLICK)
            list.DeleteColumn(reinterpret_cast<NMLISTVIEW*>(pHeader)->iSubItem);
        return LRESULT { 0 };
    };
    screen.click(150, 10);
    EXPECT_EQ(list.GetColumnCount(), 1);
    screen.click(30, 10);
    EXPECT_EQ(list.GetColumnCount(), 0);
    ClickLabel(0);
    screen.pump();
}

TEST_F(ListWindow, DraggingOverTheLastRowScrollsDown)
{
    AddRows();
    const CPoint from = LabelPoint(0);
    screen.moveTo(from.x, from.y);
    screen.press();
    screen.moveTo(from.x, from.y + 10);
    ASSERT_EQ(list.dragsBegun, 1);
    list.StartAutoScrollTimer(50);
    const CPoint last = LabelPoint(list.GetLastFullyVisible(nullptr));
    screen.moveTo(last.x, last.y);
    screen.advance(std::chrono::milliseconds(50));
    EXPECT_EQ(list.GetTopIndex(), 1);
    screen.advance(std::chrono::milliseconds(50));
    EXPECT_EQ(list.GetTopIndex(), 2);
    // Outside the control nothing scrolls.
    screen.moveTo(300, 190);
    screen.advance(std::chrono::milliseconds(50));
    EXPECT_EQ(list.GetTopIndex(), 2);
    list.StopAutoScrollTimer();
    screen.release();
}

} // namespace
