// The device list and the password tokens kept in the device keys.

#include "library/CDes.h"
#include "library/CDeviceList.h"
#include "library/RegistryRoutines.h"

#include "support/AppFixture.h"

#include <gtest/gtest.h>

#include <string>

TEST(CDes, TokensOfKnownPasswords)
{
    const struct {
        const char* password;
        const char* token;
    } cases[] = {
        { "", "" },
        { "a", "XQ==" },
        { "ab", "XV8=" },
        { "abc", "XV9h" },
        { "abcd", "XV9hYw==" },
        { "secret pass", "b2JhcWV1InNleHk=" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        EXPECT_STREQ(CDes::Encode(c.password), c.token);
        EXPECT_STREQ(CDes::Decode(c.token), c.password);
    }
    EXPECT_STREQ(CDes::Decode(nullptr), "");
    EXPECT_STREQ(CDes::Encode(nullptr), "");
}

TEST(CDes, EveryByteAtEveryPositionSurvivesUnlessItScramblesToZero)
{
    // The filler 'x' would itself scramble to zero at position 140.
    for (int position = 0; position < 140; ++position) {
        for (int code = 1; code < 256; ++code) {
            std::string password(static_cast<size_t>(position) + 1, 'x');
            password[static_cast<size_t>(position)] = static_cast<char>(code);
            const bool scramblesToZero = (code + position - 4) % 256 == 0;
            const std::string back(CDes::Decode(CDes::Encode(password.c_str())));
            if (scramblesToZero)
                ASSERT_EQ(back, password.substr(0, static_cast<size_t>(position))) << code << " at " << position;
            else
                ASSERT_EQ(back, password) << code << " at " << position;
        }
    }
}

TEST(CDes, ZeroBytesAndForeignCharacters)
{
    // A byte that scrambles to zero becomes a pad character and ends the decoded password there.
    EXPECT_STREQ(CDes::Decode(CDes::Encode("\x04xyz")), "");
    EXPECT_STREQ(CDes::Decode(CDes::Encode("a\x03yz")), "a");
    EXPECT_STREQ(CDes::Decode(CDes::Encode("ab\x02z")), "ab");
    EXPECT_STREQ(CDes::Decode(CDes::Encode("abc\x01z")), "abc");
    EXPECT_STREQ(CDes::Decode(CDes::Encode("abcde\xff\x66g")), "abcde");
    EXPECT_STREQ(CDes::Encode("a\x03"), "XQ==");

    // Characters outside the alphabet are zero bits, and a short last group is filled with zeros.
    EXPECT_STREQ(CDes::Decode("X!9h"), CDes::Decode("XA9h"));
    EXPECT_STREQ(CDes::Decode("XV8"), "ab");
    EXPECT_EQ(CDes::Base64Value('='), 0);
    EXPECT_EQ(CDes::Base64Value('*'), 0);
    EXPECT_EQ(CDes::Base64Value('\xc3'), 0);
    EXPECT_EQ(CDes::Base64Value('/'), 63);
    EXPECT_EQ(CDes::Base64Char(26), 'a');
    EXPECT_EQ(CDes::Base64Char(62), '+');
}

using CDeviceListTest = AppFixture;

TEST_F(CDeviceListTest, DisplayNameComesFromTheDeviceKey)
{
    ASSERT_TRUE(WriteRegistryValue("Living Room", "DeviceName", "Aldercrest\\SN-1"));
    ASSERT_TRUE(WriteRegistryValue("", "DeviceName", "Aldercrest\\SN-2"));

    CDeviceList list;
    EXPECT_EQ(list.Add("Den Player", "SN-1", "pw", "Aldercrest", "10.1.2.3", "C:\\Libs\\", "Den", "uuid:1", 1), 0);
    EXPECT_EQ(list.Add("Kitchen Player", "SN-2", "", "Aldercrest", "10.1.2.4", "", "Den", "uuid:2", 0), 1);
    EXPECT_EQ(list.Add("Hall Player", "SN-3", "", "Aldercrest", "10.1.2.5", "", "Den", "uuid:3", 0), 2);

    EXPECT_STREQ(list.GetDisplayText(0), "Living Room");
    EXPECT_STREQ(list.GetDisplayText(1), "Kitchen Player"); // empty value
    EXPECT_STREQ(list.GetDisplayText(2), "Hall Player"); // no key at all

    const DeviceEntry* entry = list.GetAt(0);
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->m_strDeviceName, "SN-1");
    EXPECT_STREQ(entry->m_strPassword, "pw");
    EXPECT_STREQ(entry->m_strMaker, "Aldercrest");
    EXPECT_STREQ(entry->m_strAddress, "10.1.2.3");
    EXPECT_STREQ(entry->m_strDataSource, "C:\\Libs\\");
    EXPECT_STREQ(entry->m_strProduct, "Den");
    EXPECT_STREQ(entry->m_strUdn, "uuid:1");
    EXPECT_EQ(entry->m_bSavePassword, 1);

    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_STREQ(list.GetDisplayText(3), "");
    EXPECT_STREQ(list.GetDisplayText(-5), "");

    list.RemoveAll();
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(
        list.Add("Local", "DivideDuzereDud", nullptr, "Aldercrest", "127.0.0.1", nullptr, nullptr, "Local Library", 0),
        0);
    EXPECT_STREQ(list.GetAt(0)->m_strPassword, "");
}
