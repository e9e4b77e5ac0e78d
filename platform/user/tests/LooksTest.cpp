// What dialogs and overlapping windows look like on the screen, compared with golden pictures.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "platform/user/tests/DialogTestIds.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;

namespace {

std::string golden(const char* name) { return std::string(TS_GOLDEN_DIR) + "/" + name; }

RECT windowRect(HWND h)
{
    RECT r {};
    GetWindowRect(h, &r);
    return r;
}

INT_PTR CALLBACK QuietProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class Looks : public ::testing::Test {
protected:
    void SetUp() override { usertest::reset(); }

    HWND showDialog(int id)
    {
        HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(id), nullptr, QuietProc, 0);
        EXPECT_NE(dlg, nullptr);
        SetWindowPos(dlg, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(dlg, SW_SHOWNORMAL);
        screen.pump();
        return dlg;
    }
    // The windows of the desktop from the top down.
    static std::vector<HWND> zOrder()
    {
        std::vector<HWND> out;
        for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            out.push_back(h);
        return out;
    }
    static bool above(HWND upper, HWND lower)
    {
        const auto order = zOrder();
        const auto u = std::find(order.begin(), order.end(), upper), l = std::find(order.begin(), order.end(), lower);
        return u != order.end() && l != order.end() && u < l;
    }

    TestScreen screen { 320, 240 };
};

} // namespace

TEST_F(Looks, DropDownComboInADialogIsAsHighAsItsField)
{
    HWND dlg = showDialog(IDD_COMBO);
    HWND combo = GetDlgItem(dlg, IDC_MOOD);
    HWND button = GetDlgItem(dlg, IDOK);
    const RECT field = windowRect(combo);
    // The template's 80 units are the dropped height; the field stops above the button below it.
    EXPECT_LT(field.bottom - field.top, 25);
    EXPECT_LT(field.bottom, windowRect(button).top);
    // The scroll bar belongs to the dropped list, never to the field.
    EXPECT_FALSE(GetWindowLong(combo, GWL_STYLE) & WS_VSCROLL);
    for (const char* mood : { "Calm", "Dark", "Happy", "Lively", "Mellow", "Sad", "Sleepy", "Tense", "Warm", "Wild" })
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mood));
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = screen.find("ComboLBox");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLong(combo, GWL_STYLE) & WS_VSCROLL);
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(windowRect(dlg), golden("ComboInADialog.png")), "");

    // A taller field makes the combo box taller; the dropped height stays what the template asked for.
    RECT dropped {};
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const int fieldHeight = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    SendMessage(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight + 10);
    EXPECT_EQ(windowRect(combo).bottom - windowRect(combo).top, field.bottom - field.top + 10);
    RECT droppedAfter {};
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&droppedAfter));
    EXPECT_EQ(droppedAfter.bottom - droppedAfter.top, dropped.bottom - dropped.top);
}

TEST_F(Looks, ThreeDDialogSinksItsBorderedControls)
{
    HWND dlg = showDialog(IDD_3DLOOK);
    for (int id : { IDC_NAME, IDC_SONGS }) {
        SCOPED_TRACE(id);
        HWND control = GetDlgItem(dlg, id);
        EXPECT_FALSE(GetWindowLong(control, GWL_STYLE) & WS_BORDER);
        EXPECT_TRUE(GetWindowLong(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    }
    SendDlgItemMessage(dlg, IDC_SONGS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Blue Train"));
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(windowRect(dlg), golden("ThreeDDialog.png")), "");
}

TEST_F(Looks, OwnedWindowsStayAboveTheirOwner)
{
    HWND owner = CreateWindowEx(0, "Rec", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150, nullptr,
        nullptr, nullptr, nullptr);
    HWND palette = CreateWindowEx(WS_EX_TOOLWINDOW, "Rec", "Bar", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
        150, 60, 100, 60, owner, nullptr, nullptr, nullptr);
    HWND stranger = CreateWindowEx(
        0, "Rec", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 120, 200, 100, nullptr, nullptr, nullptr, nullptr);
    screen.pump();
    ASSERT_TRUE(above(stranger, palette));

    struct Step {
        const char* what;
        std::function<void()> act;
    };
    const Step steps[] = {
        { "a click activates the owner", [&] { screen.click(30, 60); } },
        { "SetWindowPos to the top", [&] { SetWindowPos(stranger, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                                               SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); } },
        { "SetForegroundWindow", [&] { SetForegroundWindow(stranger); SetForegroundWindow(owner); } },
        { "the palette sent to the bottom", [&] { SetWindowPos(palette, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); } },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        screen.pump();
        EXPECT_TRUE(above(palette, owner));
    }
    SetActiveWindow(stranger);
    screen.click(30, 60);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_TRUE(above(palette, owner));
    EXPECT_TRUE(above(owner, stranger));
    // The palette's caption is its own, not the owner's under it.
    const RECT bar = windowRect(palette);
    EXPECT_EQ(WindowFromPoint(POINT { bar.left + 20, bar.top + 6 }), palette);
    EXPECT_EQ(screen.compareWithGolden(RECT { 0, 0, 270, 230 }, golden("OwnedAboveOwner.png")), "");
}
