#include "platform/base/Profile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/base/HomeFolder.h"
#include "platform/base/WinError.h"

namespace {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

const std::string kSample = "; kept as it is\n"
                            "[Options]\n"
                            "Color = \"blue\"  \n"
                            "Size=10\n"
                            "a line the reader does not understand\n"
                            "\n"
                            "[Empty]\n"
                            "[Other]\n"
                            "a=1\n";

TEST(Profile, NullSectionAndKeySemantics)
{
    writeFile("sample.ini", kSample);
    const char* file = ".\\sample.ini";
    using namespace std::string_literals;
    struct Case {
        const char* section;
        const char* key;
        const char* fallback;
        DWORD length;
        std::string expected;
    };
    const Case reads[] = {
        { nullptr, nullptr, nullptr, 20, "Options\0Empty\0Other\0\0"s },
        { "OPTIONS", nullptr, nullptr, 11, "Color\0Size\0\0"s },
        { "Empty", nullptr, nullptr, 0, "\0\0"s },
        { "Missing", nullptr, nullptr, 0, "\0\0"s },
        { "options", "COLOR", "x", 4, "blue\0"s },
        { "Options", "Missing", "fallback  ", 8, "fallback\0"s },
        { "Missing", "x", nullptr, 0, "\0"s },
    };
    for (const Case& c : reads) {
        std::string buffer(64, '#');
        const DWORD length = GetPrivateProfileString(c.section, c.key, c.fallback, buffer.data(), 64, file);
        SCOPED_TRACE(std::string(c.section ? c.section : "(null)") + "/" + (c.key ? c.key : "(null)"));
        EXPECT_EQ(length, c.length);
        EXPECT_EQ(buffer.substr(0, c.expected.size()), c.expected);
    }

    EXPECT_TRUE(WritePrivateProfileString("options", "SIZE", "12", file));
    EXPECT_TRUE(WritePrivateProfileString("Options", "New", "v", file));
    EXPECT_TRUE(WritePrivateProfileString("Options", "Color", nullptr, file));
    EXPECT_TRUE(WritePrivateProfileString("Options", "Never there", nullptr, file));
    EXPECT_TRUE(WritePrivateProfileString("other", nullptr, nullptr, file));
    EXPECT_TRUE(WritePrivateProfileString("Brand New", "k", "v", file));
    EXPECT_EQ(fileText("sample.ini"),
        "; kept as it is\n"
        "[Options]\n"
        "Size=12\n"
        "New=v\n"
        "a line the reader does not understand\n"
        "\n"
        "[Empty]\n"
        "[Brand New]\n"
        "k=v\n");
}

TEST(Profile, CutResultsReportTheCut)
{
    writeFile("cut.ini", "[Alpha]\nname=\xC3\xA4\xC3\xA4\xC3\xA4\n[Beta]\n[Gamma]\n");
    using namespace std::string_literals;
    struct Case {
        const char* section;
        const char* key;
        DWORD size;
        DWORD length;
        std::string expected;
    };
    const Case cases[] = {
        { nullptr, nullptr, 18, 17, "Alpha\0Beta\0Gamma\0\0"s }, // fits exactly
        { nullptr, nullptr, 10, 8, "Alpha\0Be\0\0"s },
        { nullptr, nullptr, 2, 0, "\0\0"s },
        { "Alpha", "name", 7, 6, "\xC3\xA4\xC3\xA4\xC3\xA4\0"s },
        { "Alpha", "name", 5, 4, "\xC3\xA4\xC3\xA4\0"s },
        { "Alpha", "name", 4, 2, "\xC3\xA4\0"s }, // a character is never split
        { "Alpha", "name", 1, 0, "\0"s },
    };
    for (const Case& c : cases) {
        std::string buffer(c.size, '#');
        const DWORD length = GetPrivateProfileString(c.section, c.key, "", buffer.data(), c.size, "./cut.ini");
        EXPECT_EQ(length, c.length) << c.size;
        EXPECT_EQ(buffer.substr(0, c.expected.size()), c.expected) << c.size;
    }
}

TEST(Profile, IntegersSectionsAndStructs)
{
    const char* file = "./numbers.ini";
    ASSERT_TRUE(WritePrivateProfileSection("Numbers",
        "ten=10\0negative=-3\0word=abc\0empty=\0"
        "padded=  42  \0",
        file));
    EXPECT_EQ(GetPrivateProfileInt("numbers", "TEN", 7, file), 10u);
    EXPECT_EQ(static_cast<INT>(GetPrivateProfileInt("Numbers", "negative", 7, file)), -3);
    EXPECT_EQ(GetPrivateProfileInt("Numbers", "word", 7, file), 0u);
    EXPECT_EQ(GetPrivateProfileInt("Numbers", "empty", 7, file), 7u);
    EXPECT_EQ(GetPrivateProfileInt("Numbers", "padded", 7, file), 42u);
    EXPECT_EQ(GetPrivateProfileInt("Numbers", "missing", 7, file), 7u);

    ASSERT_TRUE(WritePrivateProfileSection("Numbers", "one=1\0", file));
    char section[32];
    EXPECT_EQ(GetPrivateProfileSection("Numbers", section, sizeof section, file), 6u);
    EXPECT_EQ(std::string(section, 7), std::string("one=1\0", 7));

    const BYTE data[] = { 0x01, 0x02, 0xFF };
    ASSERT_TRUE(WritePrivateProfileStruct("Struct", "Bytes", data, sizeof data, file));
    char text[16];
    GetPrivateProfileString("Struct", "Bytes", "", text, sizeof text, file);
    EXPECT_STREQ(text, "0102FF02"); // checksum 0x102 modulo 256
    BYTE back[3] = {};
    EXPECT_TRUE(GetPrivateProfileStruct("Struct", "Bytes", back, sizeof back, file));
    EXPECT_EQ(std::memcmp(back, data, sizeof data), 0);
    EXPECT_FALSE(GetPrivateProfileStruct("Struct", "Bytes", back, 2, file));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    ASSERT_TRUE(WritePrivateProfileString("Struct", "Bytes", "0102FF03", file));
    EXPECT_FALSE(GetPrivateProfileStruct("Struct", "Bytes", back, sizeof back, file));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_FALSE(GetPrivateProfileStruct("Struct", "Missing", back, sizeof back, file));
}

TEST(Profile, PathsAndTheSystemProfile)
{
    // A bare name lives in the home folder, like the system's own win.ini.
    ASSERT_TRUE(WriteProfileString("Devices", "Player", "1"));
    EXPECT_EQ(GetProfileInt("devices", "player", 0), 1u);
    EXPECT_TRUE(std::filesystem::exists(platform::HomeFolder() / "win.ini"));
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", "tunes.ini"));
    EXPECT_TRUE(std::filesystem::exists(platform::HomeFolder() / "tunes.ini"));

    // Program paths: backslashes and existing folders matched without regard to case.
    std::filesystem::create_directory("settings");
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", "SETTINGS\\app.ini"));
    EXPECT_EQ(fileText("settings/app.ini"), "[S]\nk=v\n");
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", "no such folder\\app.ini"));
    EXPECT_FALSE(std::filesystem::exists("no such folder"));
}

TEST(Profile, WritesThatWouldBreakTheFileAreRefused)
{
    const std::string before = "[Keep]\r\nname=value\r\n";
    writeFile("keep.ini", before);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        { "Keep", "name", "two\nlines" },
        { "Keep", "new\r\nkey", "v" },
        { "Keep", "a=b", "v" },
        { "Keep", "[Injected]", "v" },
        { "Ke]ep", "name", "v" },
        { nullptr, "name", "v" },
    };
    for (const Case& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, c.value, "./keep.ini")) << c.key << "=" << c.value;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_FALSE(WritePrivateProfileSection("Keep", "a=1\0[Injected]\0", "./keep.ini"));
    EXPECT_EQ(fileText("keep.ini"), before);

    // A change keeps the file's line ends.
    ASSERT_TRUE(WritePrivateProfileString("Keep", "other", "x", "./keep.ini"));
    EXPECT_EQ(fileText("keep.ini"), "[Keep]\r\nname=value\r\nother=x\r\n");
}

} // namespace
