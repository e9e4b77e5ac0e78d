#include <gtest/gtest.h>

#include <vector>

#include "platform/user/DialogTemplate.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/DialogDriver.h"
#include "platform/user/tests/DialogTestIds.h"

using platform::user::TestScreen;
using usertest::DialogDriver;

namespace {

// What the dialog procedure of these tests saw.
struct Seen {
    std::vector<int> commands; // ids of WM_COMMAND for clicks (notifications of edits left out)
    LPARAM initParam { 0 };
    int initFocus { 0 };
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> extra;
};

Seen& seen()
{
    static Seen s;
    return s;
}

// Ends on OK and Cancel, as dialogs usually do.
INT_PTR CALLBACK FormProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (seen().extra)
        if (INT_PTR r = seen().extra(dlg, msg, wParam, lParam))
            return r;
    switch (msg) {
    case WM_INITDIALOG:
        seen().initParam = lParam;
        seen().initFocus = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        seen().commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { seen() = Seen {}; }
    void TearDown() override { seen() = Seen {}; }

    INT_PTR run(int id = IDD_FORM, LPARAM param = 0)
    {
        return DialogBoxParam(nullptr, MAKEINTRESOURCE(id), driver.owner, FormProc, param);
    }
    int focusId() const { return GetDlgCtrlID(GetFocus()); }

    TestScreen screen { 640, 480 };
    DialogDriver driver;
};

} // namespace

TEST_F(Dialogs, ModalDialogFromATemplateEndsWithThePressedButton)
{
    bool ownerDisabled = false;
    RECT ok {};
    driver.then([&] {
        ownerDisabled = !IsWindowEnabled(driver.owner);
        GetWindowRect(driver.item(IDOK), &ok);
        MapWindowPoints(nullptr, driver.dialog, reinterpret_cast<POINT*>(&ok), 2);
    });
    driver.click(IDCANCEL);
    EXPECT_EQ(run(IDD_FORM, 1234), IDCANCEL);
    EXPECT_EQ(seen().initParam, 1234);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(driver.owner));
    EXPECT_FALSE(IsWindow(driver.dialog));
    EXPECT_EQ(seen().commands, std::vector<int>({ IDCANCEL }));
    // Dialog units of the 8-point font are 6 by 13 pixels: OK sits at 90, 100 and is 50 by 14 units.
    EXPECT_EQ(ok.left, 135);
    EXPECT_EQ(ok.top, 163);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 23);
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
}

TEST_F(Dialogs, TabMovesThroughTabStopsAndTheFirstOneHasTheFocus)
{
    std::vector<int> order;
    auto note = [&] { order.push_back(focusId()); };
    driver.then(note);
    for (int i = 0; i < 7; ++i)
        driver.key(VK_TAB).then(note);
    driver.key(VK_TAB, { VK_SHIFT }).then(note);
    driver.key(VK_ESCAPE);
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_EQ(seen().initFocus, IDC_NAME);
    const std::vector<int> expected { IDC_NAME, IDC_COUNT, IDC_SHUFFLE, IDC_LOW, IDC_APPLY, IDOK, IDCANCEL, IDC_NAME,
        IDCANCEL };
    EXPECT_EQ(order, expected);
}

TEST_F(Dialogs, EnterPressesTheDefaultOrTheFocusedPushButton)
{
    DWORD applyStyle = 0, okStyle = 0;
    // Focus on Apply: Enter presses it, and it wears the default frame meanwhile.
    driver.key(VK_TAB, { VK_SHIFT }).key(VK_TAB, { VK_SHIFT }).key(VK_TAB, { VK_SHIFT });
    driver.then([&] {
        applyStyle = static_cast<DWORD>(GetWindowLong(driver.item(IDC_APPLY), GWL_STYLE)) & BS_TYPEMASK;
        okStyle = static_cast<DWORD>(GetWindowLong(driver.item(IDOK), GWL_STYLE)) & BS_TYPEMASK;
    });
    driver.key(VK_RETURN);
    // Back in an edit control, Enter presses the default button.
    driver.key(VK_TAB).key(VK_TAB).key(VK_TAB).key(VK_RETURN);
    EXPECT_EQ(run(), IDOK);
    EXPECT_EQ(applyStyle, BS_DEFPUSHBUTTON);
    EXPECT_EQ(okStyle, BS_PUSHBUTTON);
    EXPECT_EQ(seen().commands, std::vector<int>({ IDC_APPLY, IDOK }));
}

TEST_F(Dialogs, DefaultIdCanMoveAndADisabledDefaultOnlyBeeps)
{
    LRESULT before = 0;
    driver.then([&] {
        before = SendMessage(driver.dialog, DM_GETDEFID, 0, 0);
        SendMessage(driver.dialog, DM_SETDEFID, IDC_APPLY, 0);
    });
    driver.key(VK_RETURN);
    driver.then([&] {
        SendMessage(driver.dialog, DM_SETDEFID, IDOK, 0);
        EnableWindow(driver.item(IDOK), FALSE);
    });
    driver.key(VK_RETURN).key(VK_ESCAPE);
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_EQ(before, MAKELONG(IDOK, DC_HASDEFID));
    EXPECT_EQ(seen().commands, std::vector<int>({ IDC_APPLY, IDCANCEL }));
}

TEST_F(Dialogs, ChecksAndRadioButtonsByMouseArrowsAndMnemonics)
{
    struct State {
        UINT shuffle, low, mid, high;
        int focus;
    };
    std::vector<State> states;
    auto note = [&] {
        states.push_back({ IsDlgButtonChecked(driver.dialog, IDC_SHUFFLE), IsDlgButtonChecked(driver.dialog, IDC_LOW),
            IsDlgButtonChecked(driver.dialog, IDC_MID), IsDlgButtonChecked(driver.dialog, IDC_HIGH), focusId() });
    };
    driver.then([&] { CheckRadioButton(driver.dialog, IDC_LOW, IDC_HIGH, IDC_LOW); });
    driver.click(IDC_SHUFFLE).then(note); // 0
    driver.click(IDC_HIGH).then(note); // 1
    driver.key(VK_LEFT).then(note); // 2: the arrow moves within the group and checks
    driver.key('S', { VK_MENU }).then(note); // 3: Alt+S toggles the check box and focuses it
    driver.key(VK_SPACE).then(note); // 4: space clicks the focused check box
    driver.key('C', { VK_MENU }).then(note); // 5: a label's mnemonic focuses the control after it
    driver.key(VK_ESCAPE);
    EXPECT_EQ(run(), IDCANCEL);
    ASSERT_EQ(states.size(), 6u);
    EXPECT_EQ(states[0].shuffle, BST_CHECKED);
    EXPECT_EQ(states[0].low, BST_CHECKED);
    EXPECT_EQ(states[1].low, BST_UNCHECKED);
    EXPECT_EQ(states[1].high, BST_CHECKED);
    EXPECT_EQ(states[1].focus, IDC_HIGH);
    EXPECT_EQ(states[2].mid, BST_CHECKED);
    EXPECT_EQ(states[2].high, BST_UNCHECKED);
    EXPECT_EQ(states[2].focus, IDC_MID);
    EXPECT_EQ(states[3].shuffle, BST_UNCHECKED);
    EXPECT_EQ(states[3].focus, IDC_SHUFFLE);
    EXPECT_EQ(states[4].shuffle, BST_CHECKED);
    EXPECT_EQ(states[5].focus, IDC_COUNT);
    // Tab stops at the checked radio button of a group.
    EXPECT_EQ(
        seen().commands, std::vector<int>({ IDC_SHUFFLE, IDC_HIGH, IDC_MID, IDC_SHUFFLE, IDC_SHUFFLE, IDCANCEL }));
}

TEST_F(Dialogs, TabStopsAtTheCheckedRadioButton)
{
    std::vector<int> order;
    driver.then([&] { CheckRadioButton(driver.dialog, IDC_LOW, IDC_HIGH, IDC_HIGH); });
    driver.key(VK_TAB).key(VK_TAB).key(VK_TAB).then([&] { order.push_back(focusId()); });
    driver.key(VK_ESCAPE);
    run();
    EXPECT_EQ(order, std::vector<int>({ IDC_HIGH }));
}

TEST_F(Dialogs, ItemNumbersRoundTripAndReportBadText)
{
    HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_FORM), driver.owner, FormProc, 0);
    ASSERT_NE(dlg, nullptr);
    struct Case {
        const char* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    const Case cases[] = {
        { " 42 ", TRUE, TRUE, 42 },
        { "-5", TRUE, TRUE, static_cast<UINT>(-5) },
        { "-5", FALSE, FALSE, 0 },
        { "12a", TRUE, FALSE, 0 },
        { "", FALSE, FALSE, 0 },
        { "-", TRUE, FALSE, 0 },
        { "4294967295", FALSE, TRUE, 4294967295u },
        { "4294967296", FALSE, FALSE, 0 },
        { "2147483648", TRUE, FALSE, 0 },
        { "-2147483648", TRUE, TRUE, 0x80000000u },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetDlgItemText(dlg, IDC_NAMELABEL, c.text);
        BOOL translated = !c.translated;
        EXPECT_EQ(GetDlgItemInt(dlg, IDC_NAMELABEL, &translated, c.isSigned), c.value);
        EXPECT_EQ(translated, c.translated);
    }
    SetDlgItemInt(dlg, IDC_NAMELABEL, static_cast<UINT>(-17), TRUE);
    char text[16];
    EXPECT_EQ(GetDlgItemText(dlg, IDC_NAMELABEL, text, sizeof text), 3u);
    EXPECT_STREQ(text, "-17");
    SetDlgItemInt(dlg, IDC_NAMELABEL, static_cast<UINT>(-17), FALSE);
    EXPECT_EQ(GetDlgItemInt(dlg, IDC_NAMELABEL, nullptr, FALSE), 4294967279u);
    BOOL translated = TRUE;
    EXPECT_EQ(GetDlgItemInt(dlg, 4711, &translated, TRUE), 0u);
    EXPECT_FALSE(translated);
    EXPECT_EQ(GetDlgItemText(dlg, 4711, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");

    RECT r { 4, 8, 50, 14 };
    EXPECT_TRUE(MapDialogRect(dlg, &r));
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.top, 13);
    EXPECT_EQ(r.right, 75);
    EXPECT_EQ(r.bottom, 23);
    EXPECT_FALSE(MapDialogRect(driver.owner, &r));
    DestroyWindow(dlg);
}

TEST_F(Dialogs, ProcedureAnswersThroughTheMessageResultSlot)
{
    HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_FORM), driver.owner, FormProc, 0);
    ASSERT_NE(dlg, nullptr);
    seen().extra = [](HWND d, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_APP) {
            SetWindowLongPtr(d, DWLP_MSGRESULT, 77);
            return TRUE;
        }
        if (m == WM_CTLCOLORDLG)
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        return FALSE;
    };
    EXPECT_EQ(SendMessage(dlg, WM_APP, 0, 0), 77);
    EXPECT_EQ(SendMessage(dlg, WM_CTLCOLORDLG, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetWindowLongPtr(dlg, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(FormProc));
    char name[16] {};
    GetClassName(dlg, name, sizeof name);
    EXPECT_STREQ(name, "#32770");
    // Closing a dialog is pressing Cancel.
    seen().extra = nullptr;
    SendMessage(dlg, WM_CLOSE, 0, 0);
    EXPECT_EQ(seen().commands, std::vector<int>({ IDCANCEL }));
    DestroyWindow(dlg);
}

TEST_F(Dialogs, QuitEndsTheModalLoopAndIsPostedAgain)
{
    driver.then([] { PostQuitMessage(3); });
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(IsWindow(driver.dialog));
    EXPECT_TRUE(IsWindowEnabled(driver.owner));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Dialogs, EndingDuringInitialisationNeverShowsTheDialog)
{
    bool shown = false;
    seen().extra = [&](HWND d, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG)
            EndDialog(d, 5);
        if (m == WM_SHOWWINDOW)
            shown = true;
        return FALSE;
    };
    EXPECT_EQ(run(), 5);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(IsWindowEnabled(driver.owner));
}

TEST_F(Dialogs, ClassicTemplatesInMemoryAndDamagedTemplates)
{
    // A classic template: style, extended style, one item, position, size, no menu, no class, a caption,
    // then the item on a four-byte boundary: a push button with id 7 and text "Go".
    alignas(4) const WORD classic[] = {
        LOWORD(WS_POPUP | WS_CAPTION), HIWORD(WS_POPUP | WS_CAPTION), 0, 0, // style, extended style
        1, 0, 0, 100, 50, // items, x, y, cx, cy
        0, 0, 'T', 0, 0, // menu, class, caption "T", padding to the item
        LOWORD(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON), HIWORD(WS_CHILD | WS_VISIBLE), 0, 0, // item style, ex
        5, 6, 40, 14, 7, // x, y, cx, cy, id
        0xFFFF, 0x0080, 'G', 'o', 0, 0, // class Button, text, no creation data
    };
    HWND dlg = CreateDialogIndirectParam(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(classic), driver.owner, FormProc, 0);
    ASSERT_NE(dlg, nullptr);
    char text[8] {};
    GetDlgItemText(dlg, 7, text, sizeof text);
    EXPECT_STREQ(text, "Go");
    GetWindowText(dlg, text, sizeof text);
    EXPECT_STREQ(text, "T");
    DestroyWindow(dlg);

    // Cut short after the item count: refused, never read past its end.
    const WORD truncated[] = { 1, 0xFFFF, 0, 0, 0, 0, 0, 0, 3, 0, 0 };
    EXPECT_FALSE(platform::user::DialogTemplate::Parse(truncated, sizeof truncated).has_value());
    EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(4711), driver.owner, FormProc, 0), nullptr);
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(4711), driver.owner, FormProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(driver.owner));
}

TEST_F(Dialogs, TemplateMenuIsLoadedAndTheClientAreaKeepsItsSize)
{
    HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_MENUED), driver.owner, FormProc, 0);
    ASSERT_NE(dlg, nullptr);
    HMENU menu = GetMenu(dlg);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    RECT client;
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 65);
    DestroyWindow(dlg);
}
