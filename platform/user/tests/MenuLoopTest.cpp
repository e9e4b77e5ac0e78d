// The menu loop: popups chosen by mouse and keys, cascades, the message filter, what ends the loop,
// owner-drawn items, WM_MENUCHAR, and the menu bar of a window with its Alt, F10 and mouse access.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::InjectKey;
using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;
using platform::user::TestScreen;

namespace {

class MenuLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        usertest::reset();
        usertest::handler() = [this](HWND, UINT m, WPARAM w, LPARAM l, LRESULT& result) { return handle(m, w, l, result); };
        owner = CreateWindowEx(
            0, "Rec", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        SetFocus(owner);
        screen.pump();
    }
    void TearDown() override
    {
        if (hook)
            UnhookWindowsHookEx(hook);
        usertest::reset();
    }

    bool handle(UINT m, WPARAM w, LPARAM l, LRESULT& result)
    {
        switch (m) {
        case WM_ENTERMENULOOP:
            events.push_back("ENTERMENULOOP");
            return true;
        case WM_EXITMENULOOP:
            events.push_back("EXITMENULOOP");
            return true;
        case WM_INITMENU:
            events.push_back("INITMENU");
            return true;
        case WM_INITMENUPOPUP:
            events.push_back("INITMENUPOPUP " + std::to_string(LOWORD(l)));
            return true;
        case WM_UNINITMENUPOPUP:
            events.push_back("UNINITMENUPOPUP");
            return true;
        case WM_MENUSELECT:
            events.push_back(HIWORD(w) == 0xFFFF ? std::string("MENUSELECT end")
                                                 : "MENUSELECT " + std::to_string(LOWORD(w))
                        + ((HIWORD(w) & MF_MOUSESELECT) ? " mouse" : ""));
            return true;
        case WM_COMMAND:
            commands.push_back(static_cast<UINT>(w));
            return true;
        case WM_SYSCOMMAND:
            // The keys and clicks that open menus go on to the default handling; commands stop here.
            if ((w & 0xFFF0) == SC_KEYMENU || (w & 0xFFF0) == SC_MOUSEMENU)
                return false;
            commands.push_back(static_cast<UINT>(w));
            return true;
        case WM_ENTERIDLE:
            // Each idle moment runs the next step; with none left the menu is ended, so that a test
            // whose menu did not close never waits for input that will not come.
            if (step < steps.size())
                steps[step++]();
            else {
                ++idleAfterSteps;
                EndMenu();
            }
            return true;
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            events.push_back("MEASURE " + std::to_string(mis->itemID) + " " + std::to_string(mis->itemData));
            mis->itemWidth = 90;
            mis->itemHeight = 25;
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            drawn.push_back(*dis);
            result = TRUE;
            return true;
        }
        case WM_MENUCHAR:
            events.push_back("MENUCHAR " + std::to_string(LOWORD(w)));
            result = menuCharAnswer;
            return true;
        default:
            return false;
        }
    }

    // The middle of an item of a popup being shown.
    static POINT centre(HMENU menu, UINT position)
    {
        RECT r {};
        EXPECT_TRUE(GetMenuItemRect(nullptr, menu, position, &r));
        return POINT { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }
    static void clickAt(POINT pt)
    {
        InjectMouseMove(pt);
        InjectMouseButton(MouseButton::Left, true);
        InjectMouseButton(MouseButton::Left, false);
    }
    static void keys(std::initializer_list<int> vks)
    {
        for (int vk : vks) {
            InjectKey(vk, true);
            InjectKey(vk, false);
        }
    }

    // Open, separator, Save, Exit (grayed).
    static HMENU fileMenu()
    {
        HMENU menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, 10, "&Open");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING, 11, "&Save\tCtrl+S");
        AppendMenu(menu, MF_STRING | MF_GRAYED, 12, "E&xit");
        return menu;
    }

    TestScreen screen { 640, 480 };
    HWND owner { nullptr };
    HHOOK hook { nullptr };
    std::vector<std::function<void()>> steps;
    size_t step { 0 };
    int idleAfterSteps { 0 };
    std::vector<std::string> events;
    std::vector<UINT> commands;
    std::vector<DRAWITEMSTRUCT> drawn;
    LRESULT menuCharAnswer { 0 };
};

} // namespace

TEST_F(MenuLoop, PopupChosenByMouseReturnsItsCommandAfterTheNotifications)
{
    HMENU menu = fileMenu();
    steps.push_back([&] { clickAt(centre(menu, 2)); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 11);
    const std::vector<std::string> expected { "ENTERMENULOOP", "INITMENU", "INITMENUPOPUP 0", "MENUSELECT 11 mouse",
        "UNINITMENUPOPUP", "MENUSELECT end", "EXITMENULOOP" };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(FindWindow("#32768", nullptr), nullptr); // the popup is gone

    // Without TPM_RETURNCMD the command is posted to the owner; with TPM_NONOTIFY nothing is sent.
    steps.push_back([&] { clickAt(centre(menu, 0)); });
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr));
    screen.pump();
    EXPECT_EQ(commands, std::vector<UINT> { 10 });
    events.clear();
    steps.push_back([&] { clickAt(centre(menu, 0)); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, 0, owner, nullptr), 10);
    EXPECT_TRUE(events.empty());
    DestroyMenu(menu);
}

TEST_F(MenuLoop, ClicksOnSeparatorsAndGrayedItemsChooseNothingAndAClickOutsideDismisses)
{
    HMENU menu = fileMenu();
    steps.push_back([&] { clickAt(centre(menu, 1)); });
    steps.push_back([&] { clickAt(centre(menu, 3)); });
    steps.push_back([&] { clickAt(POINT { 600, 450 }); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
    EXPECT_EQ(step, 3U);
    DestroyMenu(menu);
}

TEST_F(MenuLoop, KeysMoveOverSeparatorsAndChooseByReturnOrMnemonic)
{
    struct Case {
        std::vector<int> keys;
        UINT expected;
    };
    const Case cases[] = {
        { { VK_DOWN, VK_RETURN }, 10 },
        { { VK_DOWN, VK_DOWN, VK_RETURN }, 11 },
        { { VK_UP, VK_UP, VK_RETURN }, 11 }, // from the end, wrapping
        { { 'S' }, 11 },
        { { VK_DOWN, VK_ESCAPE }, 0 },
        { { 'X' }, 0 }, // a grayed item is only highlighted
        { { VK_UP, VK_RETURN }, 0 },
    };
    HMENU menu = fileMenu();
    for (const Case& c : cases) {
        step = 0;
        idleAfterSteps = 0;
        for (int vk : c.keys)
            keys({ vk });
        EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), static_cast<BOOL>(c.expected))
            << c.keys.size() << " keys, first " << c.keys.front();
        screen.pump();
    }
    DestroyMenu(menu);
}

TEST_F(MenuLoop, CascadingPopupsOpenByKeysAndByMouse)
{
    HMENU menu = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    AppendMenu(recent, MF_STRING, 30, "&One");
    AppendMenu(recent, MF_STRING, 31, "&Two");
    AppendMenu(menu, MF_STRING, 10, "&Open");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");

    keys({ VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 31);
    keys({ VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_UP, VK_RETURN });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 10);
    keys({ 'R', 'T' });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 31);

    step = 0;
    events.clear();
    steps = { [&] { InjectMouseMove(centre(menu, 1)); }, [&] { clickAt(centre(recent, 0)); } };
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 30);
    EXPECT_NE(std::find(events.begin(), events.end(), "INITMENUPOPUP 1"), events.end());
    // The submenu sits beside its item, to the right of the popup.
    DestroyMenu(menu);
}

namespace {

std::vector<std::pair<int, UINT>> g_filtered;

LRESULT CALLBACK SwallowReturn(int code, WPARAM, LPARAM l)
{
    const auto* msg = reinterpret_cast<const MSG*>(l);
    g_filtered.emplace_back(code, msg->message);
    return msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
}

} // namespace

TEST_F(MenuLoop, FilterHookSeesEveryMessageAndASwallowedOneNeverReachesTheMenu)
{
    g_filtered.clear();
    hook = SetWindowsHookEx(WH_MSGFILTER, SwallowReturn, nullptr, GetCurrentThreadId());
    HMENU menu = fileMenu();
    keys({ VK_DOWN, VK_RETURN, VK_ESCAPE });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
    ASSERT_FALSE(g_filtered.empty());
    for (const auto& [code, message] : g_filtered)
        EXPECT_EQ(code, MSGF_MENU) << message;
    EXPECT_NE(std::find(g_filtered.begin(), g_filtered.end(), std::make_pair(MSGF_MENU, WM_KEYUP)), g_filtered.end());
    DestroyMenu(menu);
}

TEST_F(MenuLoop, EndMenuCancelModeLostCaptureAndQuitEndTheLoopAtOnce)
{
    const std::vector<std::function<void()>> enders {
        [] { EndMenu(); },
        [this] { SendMessage(owner, WM_CANCELMODE, 0, 0); },
        [this] { SetCapture(owner); },
        [] { PostQuitMessage(7); },
        [] {
            // Another window of the program becomes the active one.
            HWND other = CreateWindowEx(0, "RecPlain", "other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                nullptr, nullptr);
            SetActiveWindow(other);
        },
    };
    HMENU menu = fileMenu();
    for (size_t i = 0; i < enders.size(); ++i) {
        steps = { enders[i] };
        step = 0;
        idleAfterSteps = 0;
        EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0) << i;
        // Ended by the step itself, not by the safety net of the next idle moment.
        EXPECT_EQ(idleAfterSteps, 0) << i;
        EXPECT_EQ(FindWindow("#32768", nullptr), nullptr) << i;
        ReleaseCapture();
        SetActiveWindow(owner);
    }
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // posted again for the outer loop
    EXPECT_EQ(msg.wParam, 7U);
    DestroyMenu(menu);
}

TEST_F(MenuLoop, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner)
{
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_OWNERDRAW, 40, reinterpret_cast<LPCSTR>(0x1234));
    AppendMenu(menu, MF_STRING | MF_CHECKED, 41, "&Plain");
    keys({ VK_DOWN, VK_ESCAPE });
    TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
    EXPECT_EQ(std::count(events.begin(), events.end(), "MEASURE 40 4660"), 1);
    ASSERT_GE(drawn.size(), 2U);
    for (const DRAWITEMSTRUCT& d : drawn) {
        EXPECT_EQ(d.CtlType, ODT_MENU);
        EXPECT_EQ(d.itemID, 40U);
        EXPECT_EQ(d.itemData, 0x1234U);
        EXPECT_EQ(d.hwndItem, reinterpret_cast<HWND>(menu));
        EXPECT_EQ(d.rcItem.bottom - d.rcItem.top, 25);
        EXPECT_GE(d.rcItem.right - d.rcItem.left, 90);
    }
    EXPECT_EQ(drawn.front().itemState & ODS_SELECTED, 0U);
    EXPECT_EQ(drawn.front().itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(drawn.back().itemState & ODS_SELECTED, ODS_SELECTED);
    EXPECT_EQ(drawn.back().itemAction, ODA_SELECT);
    DestroyMenu(menu);
}

TEST_F(MenuLoop, MenuCharAnswersExecuteSelectOrCloseForItemsWithoutMnemonics)
{
    struct Case {
        LRESULT answer;
        std::vector<int> keys;
        BOOL expected;
    };
    const Case cases[] = {
        { MAKELRESULT(1, MNC_EXECUTE), { 'B' }, 51 },
        { MAKELRESULT(1, MNC_SELECT), { 'B', VK_RETURN }, 51 },
        { MAKELRESULT(0, MNC_CLOSE), { 'B' }, 0 },
        { MAKELRESULT(0, MNC_IGNORE), { 'B', VK_DOWN, VK_RETURN }, 50 },
    };
    HMENU menu = CreatePopupMenu();
    // A text item made owner-drawn keeps no mnemonic of its old text: the owner answers for it.
    AppendMenu(menu, MF_STRING, 50, "&Bee");
    MENUITEMINFO drawn {};
    drawn.fMask = MIIM_TYPE;
    drawn.fType = MFT_OWNERDRAW;
    SetMenuItemInfo(menu, 0, TRUE, &drawn);
    AppendMenu(menu, MF_OWNERDRAW, 51, nullptr);
    for (const Case& c : cases) {
        menuCharAnswer = c.answer;
        events.clear();
        step = 0;
        idleAfterSteps = 0;
        for (int vk : c.keys)
            keys({ vk });
        EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), c.expected) << HIWORD(c.answer);
        EXPECT_NE(std::find(events.begin(), events.end(), "MENUCHAR 98"), events.end());
    }
    DestroyMenu(menu);
}

TEST_F(MenuLoop, PopupKeepsOnTheScreenAndOffTheExcludedRectangle)
{
    HMENU menu = fileMenu();
    RECT shown {};
    auto remember = [&] {
        RECT item;
        GetMenuItemRect(nullptr, menu, 0, &item);
        HWND popup = FindWindow("#32768", nullptr);
        GetWindowRect(popup, &shown);
        EndMenu();
    };
    steps = { remember };
    TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 300, 300, 0, owner, nullptr);
    EXPECT_EQ(shown.right, 300);
    EXPECT_EQ(shown.bottom, 300);

    step = 0;
    TrackPopupMenu(menu, TPM_RETURNCMD, 630, 470, 0, owner, nullptr);
    EXPECT_LE(shown.right, 640);
    EXPECT_LE(shown.bottom, 480);

    // The popup would cover the button it belongs to: it goes below it instead.
    TPMPARAMS params;
    params.rcExclude = RECT { 100, 100, 180, 130 };
    step = 0;
    TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_VERTICAL, 100, 110, owner, &params);
    EXPECT_EQ(shown.top, 130);
    EXPECT_EQ(shown.left, 100);
    DestroyMenu(menu);
}

namespace {

class MenuBar : public MenuLoop {
protected:
    void SetUp() override
    {
        MenuLoop::SetUp();
        frame = CreateWindowEx(0, "Rec", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr, nullptr,
            nullptr, nullptr);
        bar = LoadMenu(nullptr, MAKEINTRESOURCE(100));
        SetMenu(frame, bar);
        SetForegroundWindow(frame);
        SetFocus(frame);
        screen.pump();
    }

    POINT barItem(UINT position)
    {
        RECT r {};
        EXPECT_TRUE(GetMenuItemRect(frame, bar, position, &r));
        return POINT { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }

    HWND frame { nullptr };
    HMENU bar { nullptr };
};

} // namespace

TEST_F(MenuBar, TakesItsRowBelowTheCaptionAndAnswersHTMENU)
{
    RECT window, client;
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    POINT origin { 0, 0 };
    ClientToScreen(frame, &origin);
    const int border = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(origin.y - window.top, border + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));
    const POINT file = barItem(0);
    EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(file.x, file.y)), HTMENU);
    RECT help;
    GetMenuItemRect(frame, bar, 2, &help);
    EXPECT_EQ(help.right, window.right - border); // the help item keeps to the right end
    SetMenu(frame, nullptr);
    POINT bare { 0, 0 };
    ClientToScreen(frame, &bare);
    EXPECT_EQ(bare.y - window.top, border + GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(MenuBar, AltF10AndMnemonicsReachTheCommands)
{
    struct Case {
        std::vector<std::pair<int, bool>> input; // key, down
        std::vector<UINT> expected;
    };
    auto tap = [](int vk) { return std::vector<std::pair<int, bool>> { { vk, true }, { vk, false } }; };
    auto join = [](std::initializer_list<std::vector<std::pair<int, bool>>> parts) {
        std::vector<std::pair<int, bool>> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const std::vector<std::pair<int, bool>> altF { { VK_MENU, true }, { 'F', true }, { 'F', false }, { VK_MENU, false } };
    const Case cases[] = {
        { join({ tap(VK_MENU), tap(VK_DOWN), tap(VK_RETURN) }), { 200 } },
        { join({ tap(VK_F10), tap(VK_RIGHT), tap(VK_DOWN), tap(VK_RETURN) }), { 210 } },
        { join({ altF, tap(VK_RETURN) }), { 200 } },
        { join({ altF, tap(VK_RIGHT), tap(VK_RETURN) }), { 210 } },
        { join({ altF, tap(VK_LEFT), tap(VK_RETURN) }), { 220 } }, // wraps to the bar's own command
        { join({ tap(VK_MENU), tap('V'), tap('Z'), tap('I') }), { 211 } },
        { join({ tap(VK_MENU), tap(VK_MENU) }), {} }, // a second Alt leaves the menu
        { join({ tap(VK_MENU), tap(VK_ESCAPE) }), {} },
    };
    for (const Case& c : cases) {
        commands.clear();
        step = 0;
        idleAfterSteps = 0;
        for (const auto& [vk, down] : c.input)
            InjectKey(vk, down);
        screen.pump();
        EXPECT_EQ(commands, c.expected) << c.input.size() << " key events, first " << c.input.front().first;
        EXPECT_EQ(FindWindow("#32768", nullptr), nullptr);
    }
}

TEST_F(MenuBar, ClickOpensThePopupAndMovingAlongTheBarSwitchesIt)
{
    steps.push_back([&] { InjectMouseMove(barItem(1)); });
    steps.push_back([&] { clickAt(centre(GetSubMenu(bar, 1), 0)); });
    screen.click(barItem(0).x, barItem(0).y);
    screen.pump();
    EXPECT_EQ(commands, std::vector<UINT> { 210 });

    // A click on the open item closes the menu without a command.
    commands.clear();
    step = 0;
    steps = { [&] { clickAt(barItem(0)); } };
    screen.click(barItem(0).x, barItem(0).y);
    screen.pump();
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(step, 1U);
    EXPECT_EQ(idleAfterSteps, 0);
}

TEST_F(MenuBar, AltSpaceOpensTheWindowMenuWithItsItemsFollowingTheWindowState)
{
    InjectKey(VK_MENU, true);
    keys({ VK_SPACE });
    InjectKey(VK_MENU, false);
    keys({ VK_UP, VK_RETURN });
    screen.pump();
    EXPECT_EQ(commands, std::vector<UINT> { static_cast<UINT>(SC_CLOSE) });
    HMENU system = GetSystemMenu(frame, FALSE);
    EXPECT_EQ(GetMenuState(system, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, 0U);
    EXPECT_EQ(GetMenuItemCount(system), 7);
    EXPECT_EQ(GetSystemMenu(frame, TRUE), nullptr);
    EXPECT_FALSE(IsMenu(system));
}

TEST_F(MenuBar, ClickOnTheCaptionIconOpensTheWindowMenu)
{
    RECT window;
    GetWindowRect(frame, &window);
    const int border = GetSystemMetrics(SM_CXFRAME);
    const POINT icon { window.left + border + 2 + GetSystemMetrics(SM_CXSMICON) / 2,
        window.top + border + GetSystemMetrics(SM_CYCAPTION) / 2 };
    ASSERT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(icon.x, icon.y)), HTSYSMENU);
    HMENU system = GetSystemMenu(frame, FALSE);
    steps.push_back([&] { clickAt(centre(system, static_cast<UINT>(GetMenuItemCount(system) - 1))); });
    screen.click(icon.x, icon.y);
    screen.pump();
    EXPECT_EQ(commands, std::vector<UINT> { static_cast<UINT>(SC_CLOSE) });
}
