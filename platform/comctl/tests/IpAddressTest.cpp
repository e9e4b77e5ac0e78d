#include <gtest/gtest.h>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::parentLog;

namespace {

class IpAddressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = comctltest::MakeParent(300, 200);
        ip = CreateWindowEx(0, WC_IPADDRESS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 160, 22, parent,
            reinterpret_cast<HMENU>(7), nullptr, nullptr);
        parentLog().answer = [this](NMHDR* h) -> LRESULT {
            if (h->code == IPN_FIELDCHANGED) {
                auto* nm = reinterpret_cast<NMIPADDRESS*>(h);
                changes.emplace_back(nm->iField, nm->iValue);
                if (rewrite >= 0)
                    nm->iValue = rewrite;
            }
            return 0;
        };
    }
    // The windows outlive the fixture's members (the screen goes last), so nothing may answer for them.
    void TearDown() override { comctltest::parentLog() = comctltest::ParentLog {}; }

    std::string text() const
    {
        char buffer[32] {};
        GetWindowText(ip, buffer, sizeof buffer);
        return buffer;
    }
    DWORD address(int* filled = nullptr) const
    {
        DWORD a = 0;
        const int n = static_cast<int>(SendMessage(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a)));
        if (filled)
            *filled = n;
        return a;
    }

    platform::user::TestScreen screen { 640, 480 };
    HWND parent { nullptr };
    HWND ip { nullptr };
    std::vector<std::pair<int, int>> changes;
    int rewrite { -1 };
};

} // namespace

TEST_F(IpAddressTest, TypingMovesThroughTheFields)
{
    EXPECT_TRUE(SendMessage(ip, IPM_ISBLANK, 0, 0));
    SetFocus(ip);
    // Three digits move on by themselves; a dot moves on after fewer.
    screen.type("192168.1.20");
    EXPECT_EQ(text(), "192.168.1.20");
    int filled = 0;
    EXPECT_EQ(address(&filled), static_cast<DWORD>(MAKEIPADDRESS(192, 168, 1, 20)));
    EXPECT_EQ(filled, 4);
    // Each field left with a new value told the parent once, in order.
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>> { { 0, 192 }, { 1, 168 }, { 2, 1 } }));
    EXPECT_FALSE(parentLog().commands.empty()); // EN_CHANGE as the text changed

    // Backspace in an empty field goes back into the one before.
    screen.key(VK_BACK);
    screen.key(VK_BACK);
    screen.key(VK_BACK);
    EXPECT_EQ(text(), "192.168..");
    screen.key(VK_HOME);
    screen.key(VK_DELETE);
    EXPECT_EQ(text(), ".168..");
    EXPECT_EQ(address(&filled), static_cast<DWORD>(MAKEIPADDRESS(0, 168, 0, 0)));
    EXPECT_EQ(filled, 1);
}

TEST_F(IpAddressTest, RangesClampAndTheParentMayRewrite)
{
    EXPECT_TRUE(SendMessage(ip, IPM_SETRANGE, 0, MAKEIPRANGE(1, 223)));
    EXPECT_FALSE(SendMessage(ip, IPM_SETRANGE, 4, MAKEIPRANGE(0, 10)));
    EXPECT_FALSE(SendMessage(ip, IPM_SETRANGE, 1, MAKEIPRANGE(20, 10)));
    SendMessage(ip, IPM_SETFOCUS, 0, 0);
    screen.type("250");
    EXPECT_EQ(changes.front(), std::make_pair(0, 223));
    EXPECT_EQ(text(), "223...");

    rewrite = 7;
    screen.type("9");
    screen.key(VK_RIGHT);
    EXPECT_EQ(changes.back(), std::make_pair(1, 9));
    EXPECT_EQ(text(), "223.7..");

    // Leaving the control settles the field it was in.
    rewrite = -1;
    screen.type("300");
    SetFocus(parent);
    EXPECT_EQ(changes.back(), std::make_pair(2, 255));

    SendMessage(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(0, 1, 2, 3));
    EXPECT_EQ(text(), "1.1.2.3"); // the first field's range starts at 1
    EXPECT_FALSE(SendMessage(ip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1.2.3")));
    EXPECT_FALSE(SendMessage(ip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1.2.3.256")));
    EXPECT_EQ(text(), "1.1.2.3");
    SendMessage(ip, IPM_CLEARADDRESS, 0, 0);
    EXPECT_TRUE(SendMessage(ip, IPM_ISBLANK, 0, 0));
}

TEST_F(IpAddressTest, AClickPicksTheField)
{
    SendMessage(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 1));
    screen.click(10 + 130, 20); // the fourth quarter
    screen.type("9");
    EXPECT_EQ(text(), "10.0.0.19");
}
