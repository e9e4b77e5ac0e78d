#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "platform/user/tests/DialogDriver.h"
#include "platform/user/tests/DialogTestIds.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;
using usertest::DialogDriver;

namespace {

struct Note {
    int id;
    WORD code;
    bool operator==(const Note&) const = default;
};

// Controls on a plain window whose WM_COMMAND notifications are written down.
class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        usertest::reset();
        parent = CreateWindowEx(
            0, "Rec", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        usertest::handler() = [this](HWND h, UINT m, WPARAM w, LPARAM, LRESULT&) {
            if (h == parent && m == WM_COMMAND)
                notes.push_back({ LOWORD(w), HIWORD(w) });
            return false;
        };
    }
    void TearDown() override { usertest::reset(); }

    HWND make(LPCSTR cls, DWORD style, RECT r, int id, LPCSTR text = "")
    {
        HWND h = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
        SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return h;
    }
    std::string text(HWND h) const
    {
        char buffer[256] {};
        GetWindowText(h, buffer, sizeof buffer);
        return buffer;
    }
    std::vector<WORD> codes(int id) const
    {
        std::vector<WORD> out;
        for (const Note& n : notes)
            if (n.id == id)
                out.push_back(n.code);
        return out;
    }
    POINT centreOf(HWND h, int dy = 0) const
    {
        RECT r;
        GetWindowRect(h, &r);
        return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 + dy };
    }
    void typeKeys(const std::string& keys)
    {
        for (char c : keys)
            screen.key(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }

    TestScreen screen { 640, 480 };
    HWND parent { nullptr };
    std::vector<Note> notes;
};

LRESULT selection(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return MAKELONG(start, end);
}

} // namespace

TEST_F(Controls, EditTypesMovesSelectsDeletesAndUndoes)
{
    HWND edit = make(WC_EDIT, WS_BORDER | ES_AUTOHSCROLL, { 10, 10, 200, 32 }, 7);
    SetFocus(edit);
    screen.pump();
    notes.clear();
    typeKeys("abcd");
    EXPECT_EQ(text(edit), "abcd");
    screen.key(VK_LEFT);
    screen.key(VK_LEFT);
    screen.key(VK_BACK);
    EXPECT_EQ(text(edit), "acd");
    EXPECT_EQ(selection(edit), MAKELONG(1, 1));
    // Shift+End selects to the end; typing replaces the selection.
    screen.keyDown(VK_SHIFT);
    screen.key(VK_END);
    screen.keyUp(VK_SHIFT);
    EXPECT_EQ(selection(edit), MAKELONG(1, 3));
    typeKeys("x");
    EXPECT_EQ(text(edit), "ax");
    // One level of undo, and undoing again redoes.
    EXPECT_TRUE(SendMessage(edit, EM_CANUNDO, 0, 0));
    SendMessage(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(text(edit), "acd");
    SendMessage(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(text(edit), "ax");
    screen.key(VK_HOME);
    screen.key(VK_DELETE);
    EXPECT_EQ(text(edit), "x");
    EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));
    // Every change is announced with EN_UPDATE then EN_CHANGE.
    const std::vector<WORD> c = codes(7);
    ASSERT_GE(c.size(), 2u);
    EXPECT_EQ(c[0], EN_UPDATE);
    EXPECT_EQ(c[1], EN_CHANGE);
    EXPECT_EQ(std::count(c.begin(), c.end(), EN_CHANGE), 9);
}

TEST_F(Controls, EditLimitsDigitsCaseReadOnlyAndPassword)
{
    struct Case {
        DWORD style;
        int limit;
        const char* keys;
        const char* expected;
        bool maxText;
    };
    const Case cases[] = {
        { ES_AUTOHSCROLL, 3, "abcde", "abc", true },
        { ES_AUTOHSCROLL | ES_NUMBER, 0, "a1b2", "12", false },
        { ES_AUTOHSCROLL | ES_UPPERCASE, 0, "ab", "AB", false },
        { ES_AUTOHSCROLL | ES_READONLY, 0, "ab", "", false },
        { ES_AUTOHSCROLL | ES_PASSWORD, 0, "ab", "ab", false },
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        HWND edit = make(WC_EDIT, WS_BORDER | c.style, { 10, 10, 200, 32 }, ++id);
        if (c.limit)
            SendMessage(edit, EM_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
        SetFocus(edit);
        screen.pump();
        typeKeys(c.keys);
        EXPECT_EQ(text(edit), c.expected);
        const std::vector<WORD> got = codes(id);
        EXPECT_EQ(std::count(got.begin(), got.end(), EN_MAXTEXT) > 0, c.maxText);
        DestroyWindow(edit);
    }
    // The limit holds for pasted text too, cut without splitting a character; WM_SETTEXT is not limited.
    HWND edit = make(WC_EDIT, ES_AUTOHSCROLL, { 10, 10, 200, 32 }, 50);
    SendMessage(edit, EM_LIMITTEXT, 4, 0);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("abé€"));
    EXPECT_EQ(text(edit), "abé");
    SetWindowText(edit, "longer than four");
    EXPECT_EQ(text(edit), "longer than four");
    EXPECT_EQ(GetWindowTextLength(edit), 16);
    EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 4);
}

namespace {

// The clipboard messages an edit sends itself, seen by a subclass.
std::vector<UINT> g_clipboardMessages;
WNDPROC g_editProc = nullptr;

LRESULT CALLBACK ClipboardSpy(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_COPY || m == WM_CUT || m == WM_PASTE)
        g_clipboardMessages.push_back(m);
    return CallWindowProc(g_editProc, h, m, w, l);
}

} // namespace

TEST_F(Controls, EditClipboardKeysGoThroughTheClipboardMessages)
{
    HWND edit = make(WC_EDIT, WS_BORDER | ES_AUTOHSCROLL, { 10, 10, 200, 32 }, 8, "abc");
    g_clipboardMessages.clear();
    g_editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClipboardSpy)));
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 0, 2);
    const auto chord = [this](int modifier, int vk) {
        screen.keyDown(modifier);
        screen.key(vk);
        screen.keyUp(modifier);
    };
    chord(VK_CONTROL, 'C');
    chord(VK_CONTROL, 'X');
    EXPECT_EQ(text(edit), "c");
    chord(VK_CONTROL, 'V');
    EXPECT_EQ(text(edit), "abc");
    SendMessage(edit, EM_SETSEL, 0, 1);
    chord(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(text(edit), "bc");
    chord(VK_SHIFT, VK_INSERT);
    EXPECT_EQ(text(edit), "abc");
    SendMessage(edit, EM_SETSEL, 0, 3);
    chord(VK_CONTROL, VK_INSERT);
    EXPECT_EQ(g_clipboardMessages, (std::vector<UINT> { WM_COPY, WM_CUT, WM_PASTE, WM_CUT, WM_PASTE, WM_COPY }));
}

TEST_F(Controls, EditTextRoundTripsAndLines)
{
    HWND edit = make(WC_EDIT, ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, { 10, 10, 300, 100 }, 9);
    SetWindowText(edit, "first\r\nsecond line\r\nthird");
    EXPECT_EQ(codes(9), std::vector<WORD>({ EN_UPDATE, EN_CHANGE }));
    EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 1, 0), 7);
    EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 8, 0), 11);
    EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 20, 0), 2);
    char line[32] {};
    *reinterpret_cast<WORD*>(line) = 6;
    EXPECT_EQ(SendMessage(edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 6);
    EXPECT_EQ(std::string(line, 6), "second");
    SendMessage(edit, EM_SETSEL, 7, 13);
    SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("2nd"));
    EXPECT_EQ(text(edit), "first\r\n2nd line\r\nthird");
    EXPECT_FALSE(SendMessage(edit, EM_CANUNDO, 0, 0));
    // A selection never splits a line break or a character.
    SetWindowText(edit, "a\r\nü");
    SendMessage(edit, EM_SETSEL, 2, 4);
    EXPECT_EQ(selection(edit), MAKELONG(1, 3));
    // Text read into a short buffer is cut before a character that does not fit.
    char shortBuffer[5] {};
    EXPECT_EQ(GetWindowText(edit, shortBuffer, sizeof shortBuffer), 3);
    EXPECT_STREQ(shortBuffer, "a\r\n");
}

TEST_F(Controls, ListBoxSortsSelectsByMouseAndKeysAndNotifies)
{
    HWND list = make(WC_LISTBOX, LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER, { 10, 10, 150, 80 }, 20);
    for (const char* s : { "delta", "Alpha", "charlie", "bravo" })
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    char item[16] {};
    SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "bravo");
    EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("CH")), 2);
    EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ch")), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 3, 0), 3);
    EXPECT_TRUE(codes(20).empty()); // the program's own selection is not announced

    RECT second;
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const LRESULT hit = SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, second.top + 2));
    EXPECT_EQ(hit, MAKELONG(1, 0));
    EXPECT_EQ(HIWORD(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 70))), 1);

    POINT p { 5, second.top + 2 };
    ClientToScreen(list, &p);
    screen.click(p.x, p.y);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    screen.key(VK_DOWN);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    screen.key(VK_END);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
    screen.key('A');
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
    screen.doubleClick(p.x, p.y);
    const std::vector<WORD> c = codes(20);
    EXPECT_EQ(std::count(c.begin(), c.end(), LBN_SELCHANGE), 5);
    EXPECT_EQ(c.back(), LBN_DBLCLK);

    // Deleting items keeps the selection on its item; bad indexes are refused.
    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETITEMDATA, 1, 77), TRUE);
    EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 1, 0), 77);
}

TEST_F(Controls, ExtendedListSelectsRangesWithShiftAndCtrl)
{
    HWND list = make(WC_LISTBOX, LBS_NOTIFY | LBS_EXTENDEDSEL | WS_BORDER, { 10, 10, 150, 120 }, 21);
    for (const char* s : { "a", "b", "c", "d", "e" })
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    auto clickItem = [&](int i, WPARAM keys) {
        RECT r;
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        POINT p { 5, r.top + 2 };
        ClientToScreen(list, &p);
        if (keys & MK_SHIFT)
            screen.keyDown(VK_SHIFT);
        if (keys & MK_CONTROL)
            screen.keyDown(VK_CONTROL);
        screen.click(p.x, p.y);
        if (keys & MK_SHIFT)
            screen.keyUp(VK_SHIFT);
        if (keys & MK_CONTROL)
            screen.keyUp(VK_CONTROL);
    };
    clickItem(1, 0);
    clickItem(3, MK_SHIFT);
    clickItem(4, MK_CONTROL);
    int items[8] {};
    const LRESULT n = SendMessage(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(items));
    EXPECT_EQ(std::vector<int>(items, items + n), std::vector<int>({ 1, 2, 3, 4 }));
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 0, 0), LB_ERR);
    SendMessage(list, LB_SETSEL, FALSE, -1);
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(Controls, OwnerDrawnVariableListMeasuresDrawsAndDeletes)
{
    std::vector<UINT> measured, drawn, deleted;
    usertest::handler() = [&](HWND h, UINT m, WPARAM, LPARAM l, LRESULT& r) {
        if (h != parent)
            return false;
        if (m == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            measured.push_back(static_cast<UINT>(mis->itemData));
            mis->itemHeight = 20;
        } else if (m == WM_DRAWITEM) {
            drawn.push_back(static_cast<UINT>(reinterpret_cast<DRAWITEMSTRUCT*>(l)->itemData));
        } else if (m == WM_DELETEITEM) {
            deleted.push_back(static_cast<UINT>(reinterpret_cast<DELETEITEMSTRUCT*>(l)->itemData));
        } else {
            return false;
        }
        r = TRUE;
        return true;
    };
    HWND list = make(WC_LISTBOX, LBS_OWNERDRAWVARIABLE, { 10, 10, 150, 100 }, 22);
    SendMessage(list, LB_ADDSTRING, 0, 11);
    SendMessage(list, LB_ADDSTRING, 0, 12);
    EXPECT_EQ(measured, std::vector<UINT>({ 11, 12 }));
    EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 1, 0), 20);
    RECT r;
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 20);
    UpdateWindow(list);
    EXPECT_EQ(drawn, std::vector<UINT>({ 11, 12 }));
    EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), 12), 1);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(deleted, std::vector<UINT>({ 12, 11 }));
}

TEST_F(Controls, ScrollBarControlKeepsItsStateAndTellsItsParent)
{
    HWND bar = make(WC_SCROLLBAR, SBS_VERT, { 10, 10, 27, 200 }, 30);
    std::vector<std::pair<WORD, LPARAM>> told;
    usertest::handler() = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT&) {
        if (h == parent && m == WM_VSCROLL)
            told.push_back({ LOWORD(w), l });
        return false;
    };
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95;
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &si, TRUE), 90); // kept within max - page + 1
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 90);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 40, TRUE), 90);
    int low = -1, high = -1;
    EXPECT_TRUE(GetScrollRange(bar, SB_CTL, &low, &high));
    EXPECT_EQ(high, 99);
    RECT r;
    GetWindowRect(bar, &r);
    screen.click(r.left + 5, r.bottom - 5);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].first, SB_LINEDOWN);
    EXPECT_EQ(told[0].second, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(told[1].first, SB_ENDSCROLL);
}

TEST_F(Controls, ButtonsClickByMouseSpaceAndMessage)
{
    HWND check = make(WC_BUTTON, BS_AUTO3STATE, { 10, 10, 100, 30 }, 40, "&Three");
    HWND push = make(WC_BUTTON, BS_PUSHBUTTON, { 10, 40, 100, 70 }, 41, "Push");
    const POINT c = centreOf(check);
    screen.click(c.x, c.y);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    screen.key(VK_SPACE);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessage(check, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // A press released outside the button is no click.
    const POINT p = centreOf(push);
    screen.drag(p.x, p.y, p.x + 200, p.y + 200);
    EXPECT_TRUE(codes(41).empty());
    screen.click(p.x, p.y);
    EXPECT_EQ(codes(41), std::vector<WORD>({ BN_CLICKED }));
    EXPECT_EQ(codes(40), std::vector<WORD>({ BN_CLICKED, BN_CLICKED, BN_CLICKED }));
    // A plain push button has no check state.
    SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// A group box only frames the controls it surrounds, which are made after it and lie under it: they
// and the parent's background show through.
TEST_F(Controls, AGroupBoxFramesWhatItSurroundsWithoutCoveringIt)
{
    HWND group = make(WC_BUTTON, BS_GROUPBOX, { 10, 10, 210, 150 }, 50, "Group");
    HWND inside = CreateWindowEx(0, "RecPlain", "", WS_CHILD | WS_VISIBLE, 40, 50, 100, 60, parent, nullptr, nullptr, nullptr);
    const COLORREF red = RGB(255, 0, 0);
    usertest::handler() = [inside, red](HWND h, UINT m, WPARAM w, LPARAM, LRESULT& result) {
        if (h != inside || m != WM_ERASEBKGND)
            return false;
        RECT r;
        GetClientRect(h, &r);
        HBRUSH brush = CreateSolidBrush(red);
        FillRect(reinterpret_cast<HDC>(w), &r, brush);
        DeleteObject(brush);
        result = 1;
        return true;
    };
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    screen.pump();
    // The group box repainted alone, as when its text changes or it is enabled.
    InvalidateRect(group, nullptr, TRUE);
    screen.pump();
    EXPECT_EQ(screen.pixel(90, 80), red);
    EXPECT_EQ(screen.pixel(25, 130), GetSysColor(COLOR_WINDOW));
}

// The combo boxes run inside a modal dialog, where a dropped list holds the mouse.
TEST(ComboBoxes, DropDownListPicksByMouseAndKeysWithItsNotifications)
{
    TestScreen screen { 640, 480 };
    DialogDriver driver;
    std::vector<Note> notes;
    static std::vector<Note>* sink = nullptr;
    sink = &notes;
    auto proc = [](HWND dlg, UINT msg, WPARAM w, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            for (const char* s : { "Rock", "Jazz", "Blues", "Pop" }) {
                SendDlgItemMessage(dlg, IDC_GENRE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
                SendDlgItemMessage(dlg, IDC_MOOD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            }
            return TRUE;
        }
        if (msg == WM_COMMAND) {
            if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)
                EndDialog(dlg, LOWORD(w));
            else if (LOWORD(w) == IDC_GENRE || LOWORD(w) == IDC_MOOD)
                sink->push_back({ LOWORD(w), HIWORD(w) });
            return TRUE;
        }
        return FALSE;
    };
    struct Seen {
        LRESULT selection { -2 };
        std::string text;
        BOOL dropped { FALSE };
    };
    std::vector<Seen> seen;
    auto note = [&] {
        HWND combo = driver.item(IDC_GENRE);
        char text[32] {};
        GetWindowText(combo, text, sizeof text);
        seen.push_back({ SendMessage(combo, CB_GETCURSEL, 0, 0), text,
            static_cast<BOOL>(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) });
    };
    POINT third {};
    driver.click(IDC_GENRE).then(note); // 0: dropped
    driver.then([&] {
        // The third item of the sorted list (Pop) in the dropped list.
        HWND combo = driver.item(IDC_GENRE);
        RECT field;
        GetWindowRect(combo, &field);
        const int itemHeight = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
        third = { field.left + 10, field.bottom + 1 + itemHeight * 2 + itemHeight / 2 };
        DialogDriver::clickAt(third);
    });
    driver.then(note); // 1: picked Pop, closed
    driver.key(VK_UP).then(note); // 2: Jazz
    driver.key(VK_F4).key(VK_DOWN).key(VK_ESCAPE).then(note); // 3: dropped, moved, cancelled: still Jazz
    driver.then([&] {
        HWND mood = driver.item(IDC_MOOD);
        SetFocus(mood);
        SendMessage(mood, CB_SETCURSEL, 1, 0);
    });
    driver.type("x").then([&] {
        char text[32] {};
        GetWindowText(driver.item(IDC_MOOD), text, sizeof text);
        seen.push_back({ SendMessage(driver.item(IDC_MOOD), CB_GETCURSEL, 0, 0), text, FALSE });
    });
    driver.key(VK_ESCAPE);
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_LISTS), driver.owner, proc, 0), IDCANCEL);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_TRUE(seen[0].dropped);
    EXPECT_EQ(seen[1].selection, 2);
    EXPECT_EQ(seen[1].text, "Pop");
    EXPECT_FALSE(seen[1].dropped);
    EXPECT_EQ(seen[2].selection, 1);
    EXPECT_EQ(seen[2].text, "Jazz");
    EXPECT_EQ(seen[3].selection, 1);
    EXPECT_FALSE(seen[3].dropped);
    // Typing in a drop-down's field: the text all selected by CB_SETCURSEL and focus is replaced.
    EXPECT_EQ(seen[4].text, "x");
    std::vector<WORD> genre;
    for (const Note& n : notes)
        if (n.id == IDC_GENRE && n.code != CBN_SETFOCUS && n.code != CBN_KILLFOCUS)
            genre.push_back(n.code);
    const std::vector<WORD> expected { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE, CBN_SELCHANGE,
        CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP };
    EXPECT_EQ(genre, expected);
    std::vector<WORD> mood;
    for (const Note& n : notes)
        if (n.id == IDC_MOOD)
            mood.push_back(n.code);
    EXPECT_NE(std::find(mood.begin(), mood.end(), CBN_EDITCHANGE), mood.end());
    sink = nullptr;
}

TEST_F(Controls, SimpleComboBoxShowsItsListAndFollowsClicks)
{
    HWND combo = make(WC_COMBOBOX, CBS_SIMPLE | CBS_SORT, { 10, 10, 160, 150 }, 60);
    for (const char* s : { "Rock", "Jazz", "Blues" })
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 0, 0), 0);
    EXPECT_EQ(text(combo), "Blues");
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("rock")), 2);
    notes.clear();
    // The list lies under the field; its second item is Jazz.
    HWND list = nullptr;
    for (HWND c = GetWindow(combo, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (SendMessage(c, LB_GETCOUNT, 0, 0) == 3)
            list = c;
    ASSERT_NE(list, nullptr);
    RECT item;
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT p { 5, item.top + 2 };
    ClientToScreen(list, &p);
    screen.click(p.x, p.y);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(text(combo), "Jazz");
    const std::vector<WORD> c = codes(60);
    EXPECT_NE(std::find(c.begin(), c.end(), CBN_SELCHANGE), c.end());
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(text(combo), "");
}
