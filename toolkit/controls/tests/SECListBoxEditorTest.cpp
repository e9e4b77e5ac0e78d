#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECListBoxEdit.h"
#include "toolkit/controls/SECListBoxEditorHelper.h"
#include "toolkit/controls/tests/ListBoxTestSupport.h"

using namespace listbox_test;
using platform::user::TestScreen;

namespace {

using Strings = std::vector<std::string>;

constexpr int kListID = 20;
constexpr int kNextID = 21;
constexpr DWORD kAllButtons = SEC_LBE_NEWBUTTON | SEC_LBE_DELETEBUTTON | SEC_LBE_UPBUTTON | SEC_LBE_DOWNBUTTON;
constexpr DWORD kFull = SEC_LBE_EDITBUTTON | SEC_LBE_AUTOEDIT | SEC_LBE_BUTTONS | SEC_LBE_TOOLTIPS | SEC_LBE_SHORTCUTS | kAllButtons;

// A list of Alpha, Bravo and Charlie (item data 1 to 3) with an edit after it in the tab order.
class ListBoxEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Grey as a dialog is.
        LPCTSTR className = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(owner.CreateEx(0, className, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        const HWND hList = ::CreateWindowEx(0, "listbox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | m_listStyle,
            10, 10, 200, 150, owner.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListID)), nullptr, nullptr);
        ::CreateWindowEx(0, "edit", "next", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 220, 10, 70, 22,
            owner.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNextID)), nullptr, nullptr);
        const char* names[] = { "Alpha", "Bravo", "Charlie" };
        for (int i = 0; i < 3; ++i) {
            const LRESULT n = ::SendMessage(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i]));
            ::SendMessage(hList, LB_SETITEMDATA, static_cast<WPARAM>(n), i + 1);
        }
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    void init(DWORD flags)
    {
        ASSERT_TRUE(editor.Initialize(&owner, kListID, flags));
        editor.SetWindowText("Items");
        list().SetFocus();
        screen.pump();
        owner.notes.clear();
    }
    CListBox& list() { return *editor.GetListBox(); }
    CWnd* edit() { return list().GetDlgItem(SECListBoxEdit::kControlID); }
    std::string editText()
    {
        CString text;
        if (CWnd* pEdit = list().GetDlgItem(SECListBoxEdit::kControlID))
            pEdit->GetWindowText(text);
        return std::string(text);
    }
    void select(int nIndex)
    {
        list().SetCurSel(nIndex);
        list().SetFocus();
        screen.pump();
    }
    void chord(int modifier, int vk)
    {
        screen.keyDown(modifier);
        screen.key(vk);
        screen.keyUp(modifier);
    }
    void clickButton(int nButton)
    {
        CRect rect = editor.ButtonRect(nButton);
        editor.ClientToScreen(rect);
        screen.click(rect.CenterPoint().x, rect.CenterPoint().y);
    }

    DWORD m_listStyle { 0 };
    TestScreen screen { 320, 220 };
    Owner owner;
    RecordingEditor editor;
};

TEST_F(ListBoxEditor, TheHeaderTakesTheListsPlaceAndTheListGetsItsEmptyLastItem)
{
    ASSERT_TRUE(editor.Initialize(&owner, kListID, kFull));
    screen.pump();
    EXPECT_EQ(owner.take(kListID), (std::vector<int> { 1 }));
    CRect header, listRect;
    editor.GetWindowRect(header);
    list().GetWindowRect(listRect);
    const int nHeight = editor.CalcHeaderHeight();
    EXPECT_EQ(header, CRect(10, 10, 210, 10 + nHeight));
    EXPECT_EQ(listRect, CRect(10, 10 + nHeight + 2, 210, 160));
    EXPECT_EQ(editor.GetDlgCtrlID(), 32767);
    EXPECT_EQ(::GetWindow(editor.GetSafeHwnd(), GW_HWNDNEXT), list().GetSafeHwnd());
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "" }));
    // The buttons stand right-aligned, Move Down rightmost, each as wide as its picture, each with
    // its tooltip.
    EXPECT_EQ(editor.ButtonRect(3).right, 200);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(editor.ButtonRect(i).right, editor.ButtonRect(i + 1).left);
    EXPECT_EQ(editor.ToolTip().GetToolCount(), 4);
    TOOLINFO info;
    ASSERT_TRUE(editor.ToolTip().GetToolInfo(info, &editor, 20533));
    EXPECT_EQ(CRect(info.rect), editor.ButtonRect(2));

    RecordingEditor missing;
    EXPECT_FALSE(missing.Initialize(&owner, 99, kFull));
}

TEST_F(ListBoxEditor, ItemsAreAddedRenamedAndDeletedByTheKeyboard)
{
    init(kFull);
    select(1);
    // Insert adds an item before the empty last one and edits it.
    screen.key(VK_INSERT);
    ASSERT_TRUE(editor.Editing());
    EXPECT_EQ(list().GetCurSel(), 3);
    screen.type("Delta");
    screen.key(VK_RETURN);
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "Delta", "" }));
    // F2 edits the selection, its text all selected; the item keeps its data.
    select(1);
    screen.key(VK_F2);
    EXPECT_EQ(editText(), "Bravo");
    screen.type("Beta");
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Beta", "Charlie", "Delta", "" }));
    EXPECT_EQ(list().GetItemData(1), 2u);
    EXPECT_EQ(list().GetCurSel(), 1);
    // Typing a letter starts an edit with it; a rename to nothing deletes the item.
    select(2);
    screen.type("x");
    EXPECT_EQ(editText(), "x");
    screen.key(VK_BACK);
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Beta", "Delta", "" }));
    // Delete deletes; the empty last item stays.
    select(0);
    screen.key(VK_DELETE);
    select(2);
    screen.key(VK_DELETE);
    EXPECT_EQ(Items(list()), (Strings { "Beta", "Delta", "" }));
    EXPECT_EQ(editor.hooks, (Strings { "added 3 Delta", "changed 1 Bravo>Beta", "changed 2 Charlie>", "delete 2 ", "delete 0 Alpha" }));
    // The selection notes come as each edit begins and ends, the deletions at once.
    EXPECT_EQ(owner.take(kListID), (std::vector<int> { 1, 1, 1, 1, 1, 10, 1, 10 }));
}

TEST_F(ListBoxEditor, TypingIntoTheEmptyLastItemAddsOneAndLeavesANewEmptyOne)
{
    init(kFull);
    select(3);
    screen.type("Echo");
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "Echo", "" }));
    // Blanks only are no item, and the list still ends with its empty item.
    select(4);
    screen.key(VK_F2);
    screen.type("  ");
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "Echo", "" }));
    EXPECT_EQ(editor.hooks, (Strings { "added 3 Echo", "added 4   ", "delete 4   " }));
}

TEST_F(ListBoxEditor, EscapeLeavesTheItemAndRemovesANewOne)
{
    init(kFull);
    select(1);
    screen.key(VK_INSERT);
    screen.type("Zulu");
    screen.key(VK_ESCAPE);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "" }));
    EXPECT_EQ(list().GetCurSel(), 1);
    screen.key(VK_F2);
    screen.type("Zulu");
    screen.key(VK_ESCAPE);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "" }));
    // A new item left empty goes again.
    screen.key(VK_INSERT);
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "" }));
    EXPECT_EQ(editor.hooks, (Strings { "added 3 ", "delete 3 " }));
}

TEST_F(ListBoxEditor, ItemsMoveWithAltArrowsButNeverPastTheEmptyLastItem)
{
    init(kFull);
    select(0);
    chord(VK_MENU, VK_DOWN);
    EXPECT_EQ(Items(list()), (Strings { "Bravo", "Alpha", "Charlie", "" }));
    EXPECT_EQ(ItemData(list()), (std::vector<DWORD_PTR> { 2, 1, 3, 0 }));
    EXPECT_EQ(list().GetCurSel(), 1);
    EXPECT_EQ(owner.take(kListID), (std::vector<int> { 11 }));
    EXPECT_EQ(editor.LastFrom(), 0);
    EXPECT_EQ(editor.LastTo(), 1);
    chord(VK_MENU, VK_DOWN);
    EXPECT_FALSE(editor.MoveItemDown()); // Alpha is the last real item now
    chord(VK_MENU, VK_UP);
    chord(VK_MENU, VK_UP);
    EXPECT_FALSE(editor.MoveItemUp()); // and now the first
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "" }));
    select(3);
    EXPECT_FALSE(editor.MoveItemUp());
    EXPECT_FALSE(editor.DeleteSelectedItems());
    EXPECT_EQ(editor.hooks, (Strings { "moved 0>1 Alpha", "moved 1>2 Alpha", "moved 2>1 Alpha", "moved 1>0 Alpha" }));
}

TEST_F(ListBoxEditor, ClickingTheListEndsAnEdit)
{
    init(kFull);
    select(1);
    screen.key(VK_F2);
    screen.type("Beta");
    // A click commits a non-empty edit (and selects where it was made).
    const CPoint alpha = ItemPoint(list(), 0);
    screen.click(alpha.x, alpha.y);
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Beta", "Charlie", "" }));
    EXPECT_EQ(list().GetCurSel(), 0);
    // ... and cancels an empty one (the clicks far enough apart in time to be no double click).
    screen.advance(std::chrono::seconds(1));
    screen.key(VK_F2);
    screen.key(VK_DELETE);
    const CPoint charlie = ItemPoint(list(), 2);
    screen.click(charlie.x, charlie.y);
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Beta", "Charlie", "" }));
    EXPECT_EQ(list().GetCurSel(), 2);
    // A double click edits.
    screen.advance(std::chrono::seconds(1));
    screen.doubleClick(alpha.x, alpha.y);
    EXPECT_EQ(editText(), "Alpha");
    // The focus going to another control commits the edit.
    screen.type("Ant");
    CRect next;
    owner.GetDlgItem(kNextID)->GetWindowRect(next);
    screen.click(next.CenterPoint().x, next.CenterPoint().y);
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Items(list()), (Strings { "Ant", "Beta", "Charlie", "" }));
}

TEST_F(ListBoxEditor, TabAndSpaceAdvanceMoveOnToTheNextControl)
{
    init(kFull);
    CWnd* next = owner.GetDlgItem(kNextID);
    select(0);
    screen.key(VK_F2);
    screen.type("Ant");
    screen.key(VK_TAB);
    EXPECT_EQ(Items(list())[0], "Ant");
    EXPECT_EQ(CWnd::GetFocus(), next);
    DWORD start = 0, end = 0;
    next->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD { 0 }, DWORD { 4 }));

    // With space advance a space in the list moves on, and a space after an edited text ends the edit.
    editor.SetSpaceAdvance(TRUE);
    select(1);
    screen.type(" ");
    EXPECT_EQ(CWnd::GetFocus(), next);
    EXPECT_FALSE(editor.Editing());
    select(1);
    screen.type("b");
    screen.type(" ");
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Items(list())[1], "b");
    EXPECT_EQ(CWnd::GetFocus(), next);
    // With a count of 2 the second trailing space does it.
    editor.SetSpaceAdvanceCount(2);
    select(1);
    screen.type("c ");
    EXPECT_TRUE(editor.Editing());
    screen.type(" ");
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Items(list())[1], "c ");
}

TEST_F(ListBoxEditor, TheBrowseButtonStandsAtTheEditsEnd)
{
    init(kFull);
    select(1);
    screen.key(VK_F2);
    CWnd* button = list().GetDlgItem(SECListBoxEdit::kBrowseID);
    ASSERT_NE(button, nullptr);
    CRect editRect, buttonRect, item;
    edit()->GetWindowRect(editRect);
    button->GetWindowRect(buttonRect);
    list().GetItemRect(1, item);
    list().ClientToScreen(item);
    EXPECT_EQ(editRect.top, item.top - 2);
    EXPECT_EQ(editRect.bottom, item.bottom + 2);
    EXPECT_EQ(editRect.right, buttonRect.left);
    EXPECT_EQ(buttonRect.right, item.right);
    // F2 in the edit presses it (the edit stays), as does a click.
    screen.key(VK_F2);
    EXPECT_TRUE(editor.Editing());
    screen.click(buttonRect.CenterPoint().x, buttonRect.CenterPoint().y);
    EXPECT_EQ(editor.hooks, (Strings { "browse", "browse" }));
    edit()->SetFocus();
    screen.key(VK_RETURN);
    EXPECT_EQ(list().GetDlgItem(SECListBoxEdit::kBrowseID), nullptr);
}

TEST_F(ListBoxEditor, HeaderButtonsRunTheirCommandsWhenReleasedOverThem)
{
    init(kFull);
    select(0);
    clickButton(3); // Move Down
    EXPECT_EQ(Items(list()), (Strings { "Bravo", "Alpha", "Charlie", "" }));
    clickButton(2); // Move Up
    EXPECT_EQ(Items(list()), (Strings { "Alpha", "Bravo", "Charlie", "" }));
    clickButton(1); // Delete
    EXPECT_EQ(Items(list()), (Strings { "Bravo", "Charlie", "" }));
    // Released elsewhere, a button does nothing.
    CRect down = editor.ButtonRect(3);
    editor.ClientToScreen(down);
    screen.drag(down.CenterPoint().x, down.CenterPoint().y, down.CenterPoint().x, down.bottom + 40);
    EXPECT_EQ(Items(list()), (Strings { "Bravo", "Charlie", "" }));
    clickButton(0); // New
    EXPECT_TRUE(editor.Editing());
    screen.type("Golf");
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Bravo", "Charlie", "Golf", "" }));
    // While an item is edited the buttons rest.
    select(0);
    screen.key(VK_F2);
    clickButton(1);
    EXPECT_EQ(list().GetCount(), 4);
    EXPECT_TRUE(editor.Editing());
}

TEST_F(ListBoxEditor, DisablingTheHeaderDisablesTheList)
{
    init(kFull);
    editor.EnableWindow(FALSE);
    EXPECT_FALSE(list().IsWindowEnabled());
    editor.EnableWindow(TRUE);
    EXPECT_TRUE(list().IsWindowEnabled());
    // Grown over the list's place, the header gives the list the room below it again.
    CRect all;
    editor.GetWindowRect(all);
    owner.ScreenToClient(all);
    editor.MoveWindow(all.left, all.top, all.Width(), 150);
    CRect header, listRect;
    editor.GetWindowRect(header);
    list().GetWindowRect(listRect);
    EXPECT_EQ(header.Height(), editor.CalcHeaderHeight());
    EXPECT_EQ(listRect, CRect(10, header.bottom + 2, 210, 160));
}

TEST_F(ListBoxEditor, LooksAsTheGoldenPicture)
{
    init(kFull);
    select(1);
    screen.key(VK_F2);
    screen.pump();
    const std::string golden = std::string(TS_CONTROLS_TEST_DIR) + "/golden/ListBoxEditor.png";
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 220, 170), golden), "");
}

class MultipleSelectionEditor : public ListBoxEditor {
protected:
    MultipleSelectionEditor() { m_listStyle = LBS_EXTENDEDSEL; }
};

TEST_F(MultipleSelectionEditor, TwoSelectedItemsAreDeletedButNotMoved)
{
    init(kFull | SEC_LBE_NOPLACEHOLDER);
    list().SetSel(0, TRUE);
    list().SetSel(2, TRUE);
    EXPECT_FALSE(editor.MoveItemUp());
    EXPECT_FALSE(editor.MoveItemDown());
    EXPECT_TRUE(editor.DeleteSelectedItems());
    EXPECT_EQ(Items(list()), (Strings { "Bravo" }));
    list().SetSel(0, TRUE);
    EXPECT_TRUE(editor.DeleteSelectedItems());
    EXPECT_EQ(list().GetCount(), 0);
    // An empty list: nothing to move, delete or edit, and a new item can still be added.
    EXPECT_FALSE(editor.MoveItemUp());
    EXPECT_FALSE(editor.DeleteSelectedItems());
    editor.EditItem('a');
    EXPECT_FALSE(editor.Editing());
    EXPECT_TRUE(editor.AddNewItem());
    screen.type("Hotel");
    screen.key(VK_RETURN);
    EXPECT_EQ(Items(list()), (Strings { "Hotel" }));
}

} // namespace
