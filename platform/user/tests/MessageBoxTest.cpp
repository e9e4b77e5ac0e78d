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

TEST(MessageBoxDialog, EachIconShowsBesideTheText)
{
    TestScreen screen { 640, 480 };
    struct Case {
        UINT icon;
        const char* golden;
    };
    const Case cases[] = {
        { MB_ICONSTOP, "MessageBoxStop.png" },
        { MB_ICONQUESTION, "MessageBoxQuestion.png" },
        { MB_ICONEXCLAMATION, "MessageBoxExclamation.png" },
        { MB_ICONINFORMATION, "MessageBoxInformation.png" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        DialogDriver driver;
        std::string difference = "not shown";
        driver.then([&] {
            RECT box {};
            GetWindowRect(driver.dialog, &box);
            difference = screen.compareWithGolden(box, std::string(TS_GOLDEN_DIR) + "/" + c.golden);
        });
        driver.key(VK_RETURN);
        EXPECT_EQ(MessageBox(driver.owner, "Sync finished.", "Device", MB_OK | c.icon), IDOK);
        EXPECT_EQ(difference, "");
    }
}

TEST(MessageBoxDialog, OwnerIsDisabledWhileTheBoxIsUpAndGetsTheFocusBack)
{
    TestScreen screen { 640, 480 };
    DialogDriver driver;
    HWND edit = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, driver.owner,
        nullptr, nullptr, nullptr);
    SetActiveWindow(driver.owner);
    SetFocus(edit);
    bool ownerEnabled = true;
    HWND boxOwner = nullptr;
    driver.then([&] {
        ownerEnabled = IsWindowEnabled(driver.owner);
        boxOwner = GetWindow(driver.dialog, GW_OWNER);
    });
    // Driven like any other dialog: the keys go to the box MessageBox shows on this screen.
    driver.key(VK_TAB).key(VK_RETURN);
    EXPECT_EQ(MessageBox(driver.owner, "Delete the playlist?", "Library", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(boxOwner, driver.owner);
    EXPECT_TRUE(IsWindowEnabled(driver.owner));
    EXPECT_EQ(GetActiveWindow(), driver.owner);
    EXPECT_EQ(GetFocus(), edit);

    // The owner given is the owner even when another window is the active one.
    HWND other = CreateWindowEx(
        0, "Rec", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    boxOwner = nullptr;
    driver.then([&] { boxOwner = GetWindow(driver.dialog, GW_OWNER); }).key(VK_TAB).key(VK_RETURN);
    EXPECT_EQ(MessageBox(driver.owner, "Keep the album?", "Library", MB_YESNO), IDNO);
    EXPECT_EQ(boxOwner, driver.owner);
}

TEST(MessageBoxDialog, NobodyAtTheScreenGetsTheDefaultButton)
{
    TestScreen screen { 640, 480 };
    // Without a driver the box answers by itself once nothing is left to do, owned or not.
    EXPECT_EQ(MessageBox(nullptr, "Continue?", "Sync", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    usertest::reset();
    HWND owner = CreateWindowEx(
        0, "Rec", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(MessageBox(owner, "Retry?", "Sync", MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDRETRY);
    EXPECT_TRUE(IsWindowEnabled(owner));
}
