#include <gtest/gtest.h>

#include "platform/user/MessageBoxDialog.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/DialogDriver.h"

using platform::user::ShowMessageBoxDialog;
using platform::user::TestScreen;
using usertest::DialogDriver;

namespace {

std::string textOf(HWND h)
{
    char text[128] {};
    GetWindowText(h, text, sizeof text);
    return text;
}

} // namespace

TEST(MessageBoxDialog, ButtonsDefaultButtonAndEscape)
{
    TestScreen screen { 640, 480 };
    struct Case {
        UINT type;
        std::vector<int> keys;
        int expected;
    };
    const Case cases[] = {
        { MB_YESNOCANCEL | MB_DEFBUTTON2, { VK_RETURN }, IDNO },
        { MB_YESNOCANCEL, { VK_ESCAPE }, IDCANCEL },
        { MB_OK, { VK_ESCAPE }, IDOK },
        // Without a Cancel button Escape does nothing; Tab then moves on from the default button.
        { MB_YESNO, { VK_ESCAPE, VK_TAB, VK_RETURN }, IDNO },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, { VK_RETURN }, IDIGNORE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        DialogDriver driver;
        std::string caption, text;
        driver.then([&] {
            caption = textOf(driver.dialog);
            text = textOf(GetWindow(driver.dialog, GW_CHILD));
        });
        for (int k : c.keys)
            driver.key(k);
        EXPECT_EQ(ShowMessageBoxDialog(driver.owner, "Delete the album?", "Library", c.type), c.expected);
        EXPECT_EQ(caption, "Library");
        EXPECT_EQ(text, "Delete the album?");
        EXPECT_TRUE(IsWindowEnabled(driver.owner));
    }
    DialogDriver driver;
    EXPECT_EQ(ShowMessageBoxDialog(driver.owner, "x", "y", 0x0F), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MSGBOX_STYLE);
}
