#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/base/GlobalMemory.h"
#include "platform/user/TestScreen.h"
#include "platform/user/WinClipboard.h"
#include "toolkit/controls/SECMaskEdit.h"

using platform::user::TestScreen;

namespace {

constexpr const char* kPhone = "(###) ###-####";

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(memory));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

std::string WindowText(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

// A masked edit in a window of its own, focused.
class MaskEdit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 60), nullptr, 0)); }
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    void make(const char* mask, DWORD style = 0)
    {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | style, CRect(10, 10, 290, 34), &owner, 5));
        edit.SetMask(mask);
        edit.SetFocus();
        screen.pump();
    }
    void ctrl(int vk)
    {
        screen.keyDown(VK_CONTROL);
        screen.key(vk);
        screen.keyUp(VK_CONTROL);
    }
    std::pair<int, int> selection() const
    {
        int start = 0, end = 0;
        edit.GetSel(start, end);
        return { start, end };
    }

    TestScreen screen { 320, 80 };
    CWnd owner;
    SECMaskEdit edit;
};

TEST_F(MaskEdit, TypingAndPastingFollowTheMask)
{
    struct Case {
        const char* mask;
        DWORD style;
        const char* typed;
        const char* pasted; // at the start, after the typing; null: nothing pasted
        const char* shown;
    } const cases[] = {
        { kPhone, 0, "5551", nullptr, "(555) 1  -    " },
        { kPhone, 0, "a", nullptr, "(   )    -    " }, // a letter in a digit place is refused
        { kPhone, 0, "", "5551234567", "(555) 123-4567" },
        { kPhone, 0, "", "555-123", "(555) 123-    " }, // the hyphen is dropped
        { kPhone, 0, "", "call me", "(   )    -    " }, // nothing of it fits
        { kPhone, 0, "99", "5551234567", "(555) 123-4567" }, // pasted in front, the typed digits fall off
        { kPhone, 0, "", "12\xC3\xA9" "3", "(123)    -    " }, // a non-ASCII letter is no digit
        { "LLL", 0, "AbC", nullptr, "abc" },
        { "LLL", ES_UPPERCASE, "aBc", nullptr, "ABC" },
        { "UUU", 0, "a1b", nullptr, "AB " },
        { "\\##", 0, "7x", nullptr, "#7" }, // an escaped mask character is a literal
        { "?A&", 0, "1a1!", nullptr, "a1!" },
        { "&&&", 0, "", "x\xC3\xA9y", "xy " }, // a placeholder holds one ASCII character
        { "##\\", 0, "12", nullptr, "12" }, // a backslash at the end escapes nothing
        // Typing at the end of a full mask changes nothing.
        { kPhone, 0, "55512345678", nullptr, "(555) 123-4567" },
    };
    for (const Case& c : cases) {
        make(c.mask, c.style);
        screen.type(c.typed);
        if (c.pasted) {
            PutOnClipboard(c.pasted);
            screen.key(VK_HOME);
            ctrl('V');
        }
        EXPECT_EQ(std::string(edit.GetRawData()), c.shown) << c.mask << " typed " << c.typed;
        EXPECT_EQ(WindowText(edit), c.shown) << c.mask;
        edit.DestroyWindow();
    }
}

TEST_F(MaskEdit, TheCaretSkipsLiteralsAndStopsAtTheEndOfTheData)
{
    make(kPhone);
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    screen.type("555");
    EXPECT_EQ(selection(), std::make_pair(6, 6)); // over ") "
    screen.key(VK_RIGHT);
    EXPECT_EQ(selection(), std::make_pair(6, 6)); // not past the first empty place
    screen.key(VK_LEFT);
    EXPECT_EQ(selection(), std::make_pair(3, 3));
    screen.key(VK_HOME);
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    screen.key(VK_END);
    EXPECT_EQ(selection(), std::make_pair(6, 6));
    // A click past the text puts the caret after the entered digits.
    screen.click(280, 22);
    EXPECT_EQ(selection(), std::make_pair(6, 6));
    screen.type("1234567");
    screen.key(VK_END);
    EXPECT_EQ(selection(), std::make_pair(14, 14));
}

TEST_F(MaskEdit, InsertModeShiftsAndTheLastCharacterFallsOff)
{
    make(kPhone);
    screen.type("5551234567");
    screen.key(VK_HOME);
    screen.key(VK_INSERT);
    EXPECT_TRUE(edit.GetInsertMode());
    screen.type("9");
    EXPECT_EQ(std::string(edit.GetRawData()), "(955) 512-3456");
    // The end of a full mask takes nothing, in insert mode either.
    screen.key(VK_END);
    screen.type("8");
    EXPECT_EQ(std::string(edit.GetRawData()), "(955) 512-3456");
    EXPECT_FALSE(edit.InsertChar(14, '7'));
    EXPECT_FALSE(edit.InsertChar(0, '7')); // a literal
    EXPECT_TRUE(edit.InsertChar(13, '7'));
    EXPECT_EQ(std::string(edit.GetRawData()), "(955) 512-3457");
}

TEST_F(MaskEdit, DeletingMovesTheFollowingDataLeft)
{
    make(kPhone);
    screen.type("5551234");
    edit.SetSel(2, 2);
    screen.key(VK_DELETE);
    EXPECT_EQ(std::string(edit.GetRawData()), "(551) 234-    ");
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    screen.key(VK_BACK);
    EXPECT_EQ(std::string(edit.GetRawData()), "(512) 34 -    ");
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    screen.key(VK_BACK); // at the first placeholder
    EXPECT_EQ(std::string(edit.GetRawData()), "(512) 34 -    ");
    // A selection goes whole, literals staying.
    edit.SetSel(2, 7);
    screen.key(VK_BACK);
    EXPECT_EQ(std::string(edit.GetRawData()), "(54 )    -    ");
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    // Undo goes back one step, and undoing again redoes it.
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(std::string(edit.GetRawData()), "(512) 34 -    ");
    edit.Undo();
    EXPECT_EQ(std::string(edit.GetRawData()), "(54 )    -    ");
}

TEST_F(MaskEdit, TypingOverASelectionReplacesIt)
{
    make(kPhone);
    screen.type("5551234567");
    edit.SetSel(4, 9); // ") 123": starts on a literal, its first placeholder is inside
    screen.type("8");
    EXPECT_EQ(std::string(edit.GetRawData()), "(555) 845-67  ");
    edit.SetSel(4, 6); // ") " holds no placeholder: refused
    screen.type("7");
    EXPECT_EQ(std::string(edit.GetRawData()), "(555) 845-67  ");
}

TEST_F(MaskEdit, TheClipboardSeesOnlyThePlaceholders)
{
    make(kPhone);
    screen.type("5551234");
    edit.SetSel(0, -1);
    ctrl('C');
    EXPECT_EQ(ClipboardText(), "5551234   ");
    edit.SetSel(2, 7);
    ctrl('X');
    EXPECT_EQ(ClipboardText(), "551");
    EXPECT_EQ(std::string(edit.GetRawData()), "(523) 4  -    ");
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    // Pasting replaces a selection and inserts in front of what follows.
    PutOnClipboard("99");
    edit.SetSel(1, 2);
    ctrl('V');
    EXPECT_EQ(std::string(edit.GetRawData()), "(992) 34 -    ");
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    // A read-only control changes neither by keys nor by the clipboard.
    edit.SetReadOnly(TRUE);
    ctrl('V');
    screen.key(VK_DELETE);
    screen.type("1");
    edit.SendMessage(WM_CUT);
    edit.SendMessage(WM_CLEAR);
    EXPECT_EQ(std::string(edit.GetRawData()), "(992) 34 -    ");
}

TEST_F(MaskEdit, DataTravelsWithoutTheLiteralsAndThePromptShowsInEmptyPlaces)
{
    make(kPhone);
    screen.type("5551");
    CString data;
    edit.GetData(data, FALSE);
    EXPECT_STREQ(data, "5551      ");
    edit.GetData(data, TRUE);
    EXPECT_STREQ(data, "5551");
    edit.SetPromptChar('_');
    EXPECT_EQ(WindowText(edit), "(555) 1__-____");
    edit.GetData(data, FALSE);
    EXPECT_STREQ(data, "5551      ");
    edit.SetPromptChar('\0');
    EXPECT_EQ(edit.GetPromptChar(), '_');

    // A dialog's exchange: loading fills the places from the start, saving gives both forms.
    CString raw;
    data = "8005550199";
    CDataExchange load(&owner, FALSE);
    DDX_MaskEdit(&load, edit, data, raw);
    CDataExchange save(&owner, TRUE);
    DDX_MaskEdit(&save, edit, data, raw);
    EXPECT_STREQ(raw, "(800) 555-0199");
    EXPECT_STREQ(data, "8005550199");

    // Without drop prompts a prompt in the data leaves its place empty.
    EXPECT_TRUE(edit.SetData("1_3", 0, FALSE, FALSE));
    EXPECT_EQ(WindowText(edit), "(1_3) 555-0199");
    EXPECT_FALSE(edit.SetData("1", 14));
    EXPECT_FALSE(edit.SetData("1", -1));
}

TEST_F(MaskEdit, AnEmptyMaskTakesNothing)
{
    make("");
    screen.type("12");
    PutOnClipboard("34");
    ctrl('V');
    EXPECT_EQ(WindowText(edit), "");
    EXPECT_FALSE(edit.SetData("1"));
    CString data;
    edit.GetData(data, TRUE);
    EXPECT_STREQ(data, "");
}

} // namespace
