// Accelerator tables and their translation, and the clipboard.

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/base/GlobalMemory.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::TestScreen;

namespace {

class Accelerators : public ::testing::Test {
protected:
    void SetUp() override
    {
        usertest::reset();
        usertest::handler() = [this](HWND, UINT m, WPARAM w, LPARAM, LRESULT&) {
            // Releasing Alt alone asks for the window menu; only commands count here.
            if (m == WM_COMMAND || (m == WM_SYSCOMMAND && w != SC_KEYMENU))
                commands.push_back({ m, w });
            return m == WM_SYSCOMMAND;
        };
        window = CreateWindowEx(0, "Rec", "accel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
            nullptr, nullptr, nullptr);
        screen.pump();
    }
    void TearDown() override { usertest::reset(); }

    // Translates one key message with the modifiers held down as given.
    int translate(HACCEL table, UINT message, WPARAM key, std::initializer_list<int> held = {})
    {
        for (int vk : held)
            screen.keyDown(vk);
        MSG msg;
        msg.hwnd = window;
        msg.message = message;
        msg.wParam = key;
        msg.lParam = message == WM_SYSKEYDOWN || message == WM_SYSCHAR ? KF_ALTDOWN_BIT : 0;
        const int result = TranslateAccelerator(window, table, &msg);
        for (int vk : held)
            screen.keyUp(vk);
        return result;
    }

    struct Command {
        UINT message;
        WPARAM wParam;
        bool operator==(const Command&) const = default;
    };
    std::vector<Command> commands;
    TestScreen screen { 640, 480 };
    HWND window { nullptr };
};

} // namespace

TEST_F(Accelerators, KeysBecomeCommandsOnlyWithTheirExactModifiers)
{
    HACCEL table = LoadAccelerators(nullptr, MAKEINTRESOURCE(102));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(102)), table); // one table per resource

    EXPECT_EQ(translate(table, WM_KEYDOWN, 'N', { VK_CONTROL }), 1);
    EXPECT_EQ(translate(table, WM_KEYDOWN, 'N'), 0);
    EXPECT_EQ(translate(table, WM_KEYDOWN, 'N', { VK_CONTROL, VK_SHIFT }), 0);
    EXPECT_EQ(translate(table, WM_CHAR, 17), 1); // "^Q" is the character Ctrl+Q makes
    EXPECT_EQ(translate(table, WM_KEYUP, 'N', { VK_CONTROL }), 0);
    EXPECT_EQ(translate(table, WM_SYSKEYDOWN, VK_F4, { VK_MENU }), 1);
    const std::vector<Command> expected { { WM_COMMAND, MAKEWPARAM(400, 1) }, { WM_COMMAND, MAKEWPARAM(401, 1) },
        { WM_SYSCOMMAND, SC_CLOSE } };
    EXPECT_EQ(commands, expected);
}

TEST_F(Accelerators, GrayedMenuCommandIsSwallowed)
{
    ACCEL entry { FVIRTKEY, VK_F5, 77 };
    HACCEL table = CreateAcceleratorTable(&entry, 1);
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING | MF_GRAYED, 77, "Refresh");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "View");
    SetMenu(window, bar);
    EXPECT_EQ(translate(table, WM_KEYDOWN, VK_F5), 1);
    EXPECT_TRUE(commands.empty());
    EnableMenuItem(bar, 77, MF_ENABLED);
    EXPECT_EQ(translate(table, WM_KEYDOWN, VK_F5), 1);
    EXPECT_EQ(commands.size(), 1U);
    DestroyAcceleratorTable(table);
}

TEST_F(Accelerators, TablesAreCopiedAndFreed)
{
    ACCEL entries[] = { { FVIRTKEY | FCONTROL, 'A', 1 }, { 0, 'b', 2 } };
    HACCEL table = CreateAcceleratorTable(entries, 2);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTable(table, nullptr, 0), 2);
    ACCEL copy[4] {};
    EXPECT_EQ(CopyAcceleratorTable(table, copy, 1), 1);
    EXPECT_EQ(copy[0].key, 'A');
    EXPECT_EQ(copy[1].key, 0);
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    EXPECT_EQ(translate(table, WM_KEYDOWN, 'A', { VK_CONTROL }), 0);
    EXPECT_EQ(CreateAcceleratorTable(entries, 0), nullptr);
}

namespace {

HGLOBAL Text(const char* text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    return memory;
}

std::string Read(HANDLE data)
{
    std::string out = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
    return out;
}

} // namespace

TEST(Clipboard, FormatsAreSetReadEnumeratedAndEmptied)
{
    TestScreen screen;
    const UINT custom = RegisterClipboardFormat("Tune Steward Rows");
    EXPECT_EQ(RegisterClipboardFormat("tune steward rows"), custom);
    EXPECT_GE(custom, 0xC000U);
    char name[64];
    EXPECT_GT(GetClipboardFormatName(custom, name, sizeof name), 0);
    EXPECT_STREQ(name, "Tune Steward Rows");

    EXPECT_EQ(SetClipboardData(CF_TEXT, Text("closed")), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_NE(SetClipboardData(CF_TEXT, Text("first")), nullptr);
    EXPECT_NE(SetClipboardData(custom, Text("rows")), nullptr);
    EXPECT_NE(SetClipboardData(CF_TEXT, Text("second")), nullptr); // replaces, keeps its place
    EXPECT_EQ(CountClipboardFormats(), 2);
    EXPECT_EQ(EnumClipboardFormats(0), CF_TEXT);
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), custom);
    EXPECT_EQ(EnumClipboardFormats(custom), 0U);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(custom));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(Read(GetClipboardData(CF_TEXT)), "second");
    EXPECT_EQ(Read(GetClipboardData(custom)), "rows");
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(CountClipboardFormats(), 0);
    CloseClipboard();
}

TEST(Clipboard, OnlyOneThreadHasItOpen)
{
    TestScreen screen;
    ASSERT_TRUE(OpenClipboard(nullptr));
    BOOL other = TRUE;
    std::thread([&] { other = OpenClipboard(nullptr); }).join();
    EXPECT_FALSE(other);
    CloseClipboard();
    std::thread([&] {
        other = OpenClipboard(nullptr);
        CloseClipboard();
    }).join();
    EXPECT_TRUE(other);
}
