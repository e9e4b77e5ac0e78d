// The list's in-place label edit and the tips for clipped labels.
#include <cstdio>

#include "platform/afx/CEdit.h"
#include "toolkit/controls/tests/ListTestSupport.h"

using namespace listtest;

namespace {

constexpr auto kPastDoubleClick = std::chrono::milliseconds(600);

class EditableList : public ListWindow {
protected:
    void SetUp() override { Build(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS, 0); }
    BOOL Editing() { return list.GetEditControl()->m_hWnd != nullptr; }
    CString EditText()
    {
        CString text;
        list.GetEditControl()->GetWindowText(text);
        return text;
    }
    // Opens the edit on a row with F2.
    void OpenWithF2(int nRow)
    {
        list.SetFocus();
        list.SetCaret(nRow, TRUE);
        screen.key(VK_F2);
    }
};

TEST_F(EditableList, ASecondClickOnTheSelectedLabelEditsItHalfASecondLater)
{
    ClickLabel(1);
    screen.advance(kPastDoubleClick);
    EXPECT_FALSE(Editing());
    ClickLabel(1);
    screen.advance(std::chrono::milliseconds(499));
    EXPECT_FALSE(Editing());
    screen.advance(std::chrono::milliseconds(1));
    ASSERT_TRUE(Editing());
    EXPECT_EQ(list.editedRow(), 1);
    EXPECT_EQ(EditText(), CString("Bravo"));
    EXPECT_EQ(::GetFocus(), list.GetEditControl()->m_hWnd);
    EXPECT_EQ(owner.count(LVN_BEGINLABELEDIT), 1);
    screen.key(VK_ESCAPE);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(::GetFocus(), list.m_hWnd);
    // A double click on the selected label never starts the edit.
    screen.advance(kPastDoubleClick);
    screen.doubleClick(LabelPoint(1).x, LabelPoint(1).y);
    screen.advance(std::chrono::milliseconds(1000));
    EXPECT_FALSE(Editing());
    EXPECT_EQ(owner.count(NM_DBLCLK), 1);
}

TEST_F(EditableList, TheOwnerAcceptsRefusesOrRewritesTheNewLabel)
{
    enum class Owner { Accepts, Refuses, RewritesBuffer, SetsTheCellItself, DeletesTheRow };
    struct Case {
        Owner owner;
        int endKey;
        const char* want; // row 1's label afterwards
    };
    const Case cases[] = {
        { Owner::Accepts, VK_RETURN, "Omega" },
        { Owner::Refuses, VK_RETURN, "Bravo" },
        { Owner::RewritesBuffer, VK_RETURN, "OMEGA!" },
        { Owner::Accepts, VK_ESCAPE, "Bravo" }, // cancelled: the owner is told with no text
        { Owner::SetsTheCellItself, VK_RETURN, "by owner" },
        { Owner::DeletesTheRow, VK_RETURN, "Banjo" }, // the row after it keeps its own label
    };
    for (const Case& c : cases) {
        std::vector<bool> toldText;
        owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
            if (pHeader->code != LVN_ENDLABELEDIT)
                return 0;
            auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pHeader);
            toldText.push_back(pInfo->item.pszText != nullptr);
            switch (c.owner) {
            case Owner::Accepts: return 1;
            case Owner::Refuses: return 0;
            case Owner::RewritesBuffer:
                std::snprintf(pInfo->item.pszText, static_cast<size_t>(pInfo->item.cchTextMax), "%s", "OMEGA!");
                return 1;
            case Owner::SetsTheCellItself: list.SetItemText(pInfo->item.iItem, 0, "by owner"); return 0;
            case Owner::DeletesTheRow: list.DeleteItems(pInfo->item.iItem, 1); return 1;
            }
            return 0;
        };
        OpenWithF2(1);
        ASSERT_TRUE(Editing());
        screen.type("Omega");
        // Typing writes into the row at once.
        EXPECT_EQ(list.GetItemText(1, 0), CString("Omega"));
        screen.key(c.endKey);
        EXPECT_FALSE(Editing());
        EXPECT_EQ(list.GetItemText(1, 0), CString(c.want)) << static_cast<int>(c.owner);
        EXPECT_EQ(toldText, std::vector<bool> { c.endKey == VK_RETURN });
        EXPECT_EQ(list.editedRow(), -1);
        // Back to the fixture's rows.
        if (list.GetItemCount() == 4)
            list.InsertItem(1, "Bravo");
        list.SetItemText(1, 0, "Bravo");
        owner.onNotify = nullptr;
    }
}

TEST_F(EditableList, TheOwnerMayRefuseTheEditAndLosingTheFocusCommits)
{
    owner.onNotify = [](NMHDR* pHeader) { return LRESULT { pHeader->code == LVN_BEGINLABELEDIT ? 1 : 0 }; };
    EXPECT_EQ(list.EditLabel(2, 0), nullptr);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(list.editedRow(), -1);
    std::string told;
    owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
        if (pHeader->code != LVN_ENDLABELEDIT)
            return 0;
        const auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pHeader);
        told = pInfo->item.pszText ? pInfo->item.pszText : "(none)";
        return 1;
    };
    ASSERT_NE(list.EditLabel(2, 1), nullptr);
    EXPECT_EQ(list.EditLabel(3, 0), nullptr); // one edit at a time
    screen.type("Nobody");
    owner.SetFocus();
    screen.pump();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(told, "Nobody");
    EXPECT_EQ(list.GetItemText(2, list.GetColumnSubItem(1)), CString("Nobody"));
    EXPECT_EQ(list.GetItemText(2, 0), CString("Banjo"));
    // A scroll message ends an edit the same way; deleting the edited row ends it without a word.
    ASSERT_NE(list.EditLabel(3, 0), nullptr);
    list.SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_FALSE(Editing());
    ASSERT_NE(list.EditLabel(3, 0), nullptr);
    told.clear();
    list.DeleteItems(3, 1);
    screen.pump();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(told, "");
}

class WrappingEditableList : public EditableList {
protected:
    void SetUp() override { Build(LVS_REPORT | LVS_EDITLABELS, 0); }
};

TEST_F(WrappingEditableList, EnterBreaksTheLineAndTheRowGrows)
{
    owner.onNotify = [](NMHDR* pHeader) { return LRESULT { pHeader->code == LVN_ENDLABELEDIT ? 1 : 0 }; };
    CRect before;
    list.GetItemRect(1, before, LVIR_BOUNDS);
    OpenWithF2(1);
    ASSERT_TRUE(Editing());
    screen.type("one");
    screen.key(VK_RETURN);
    screen.type("two");
    EXPECT_TRUE(Editing());
    CRect after;
    list.GetItemRect(1, after, LVIR_BOUNDS);
    EXPECT_GT(after.Height(), before.Height());
    CRect edit;
    list.GetEditControl()->GetWindowRect(&edit);
    EXPECT_GE(edit.Height(), after.Height());
    owner.SetFocus();
    screen.pump();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(list.GetItemText(1, 0), CString("one\r\ntwo"));
}

// A report list whose labels stay on one line and show tips when clipped.
class TippedList : public ListWindow {
protected:
    void SetUp() override
    {
        Build(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS, LVXS_LABELTIPS);
        list.SetItemText(3, 0, "Charlie and the Chocolate Factory");
        list.RecalcLayout();
        ::SetActiveWindow(owner.m_hWnd);
        screen.pump();
    }
    SECListTip& tip() { return list.tip(); }
};

TEST_F(TippedList, AClippedLabelShowsItsWholeTextInATip)
{
    CPoint pt = LabelPoint(3);
    pt.x = 60;
    screen.moveTo(pt.x, pt.y);
    ASSERT_TRUE(tip().IsShown());
    EXPECT_EQ(tip().GetRow(), 3);
    EXPECT_EQ(tip().GetText(), CString("Charlie and the Chocolate Factory"));
    EXPECT_NE(::GetFocus(), tip().m_hWnd);
    CRect rect;
    tip().GetWindowRect(&rect);
    EXPECT_GT(rect.right, 120);
    // A label that fits has none.
    screen.moveTo(LabelPoint(1).x, LabelPoint(1).y);
    EXPECT_FALSE(tip().IsShown());
    // Nor the row under edit.
    ASSERT_NE(list.EditLabel(3, 0), nullptr);
    screen.moveTo(pt.x, pt.y + 1);
    EXPECT_FALSE(tip().IsShown());
    list.EndLabelEdit(FALSE);
    // Leaving the control hides it at the next tick of its timer.
    screen.moveTo(pt.x, pt.y);
    ASSERT_TRUE(tip().IsShown());
    screen.moveTo(300, 180);
    screen.advance(std::chrono::milliseconds(SECListTip::timerPeriod));
    EXPECT_FALSE(tip().IsShown());
}

TEST_F(TippedList, AClickOnTheTipActsOnTheListBeneath)
{
    screen.moveTo(60, LabelPoint(3).y);
    ASSERT_TRUE(tip().IsShown());
    ASSERT_EQ(list.GetCaretIndex(), 0);
    // The program's message loop offers each message to the window's pre-translation first.
    for (const UINT message : { WM_LBUTTONDOWN, WM_LBUTTONUP }) {
        MSG msg {};
        msg.hwnd = tip().m_hWnd;
        msg.message = message;
        msg.lParam = MAKELPARAM(20, 4);
        EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    }
    screen.pump();
    EXPECT_EQ(list.GetCaretIndex(), 3);
    EXPECT_EQ(owner.count(NM_CLICK), 1);
}

TEST_F(TippedList, TheTipStaysOnTheScreen)
{
    // The list sits near the screen's right edge, so the label's end lies beyond it.
    const int xOwner = 150;
    owner.MoveWindow(xOwner, 0, 160, 140);
    list.MoveWindow(0, 0, 160, 140);
    screen.pump();
    screen.moveTo(xOwner + 60, LabelPoint(3).y);
    ASSERT_TRUE(tip().IsShown());
    CRect rect;
    tip().GetWindowRect(&rect);
    // Moved left so that the label's rectangle ends at the screen's edge (the window adds its border).
    EXPECT_EQ(rect.right, 320 + 2);
    EXPECT_LT(rect.left, xOwner + 3);
}

} // namespace
