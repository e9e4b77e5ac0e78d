// The interpreter of component registry scripts.

#include <gtest/gtest.h>

#include <string>

#include "platform/base/Registry.h"
#include "platform/com/RegistryScript.h"

namespace {

bool KeyExists(HKEY root, const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The value's type and raw bytes; type REG_NONE when missing.
std::pair<DWORD, std::string> ReadValue(HKEY root, const char* path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return { REG_NONE, "" };
    char data[256] {};
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    const LONG status = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return { REG_NONE, "" };
    return { type, std::string(data, size) };
}

void MakeKey(HKEY root, const char* path)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKey(root, path, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

} // namespace

TEST(RegistryScript, MalformedScriptsAreRefusedWithAMessage)
{
    const char* bad[] = {
        "HKCR { Thing = s 'unterminated }",
        "HKCR { Thing { }",
        "HKXX { Thing }",
        "HKCR { Thing = s '%NOPE%' }",
        "HKCR { Thing = q 'text' }",
        "HKCR { Thing = s bare }",
        "HKCR { val Loose = s 'x' }",
        "HKCR { Thing = s '%MODULE' }",
        "HKCR Thing",
    };
    for (const char* text : bad) {
        platform::RegistryScript script;
        std::string error;
        EXPECT_FALSE(script.Parse(text, { { "MODULE", "x" } }, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_TRUE(script.Roots().empty()) << text;
    }
}

TEST(RegistryScript, RegistersValuesAndReplacesForcedKeysWhole)
{
    MakeKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\Widget.1\\Stale");
    platform::RegistryScript script;
    std::string error;
    ASSERT_TRUE(script.Parse(R"(
        HKCR
        {
            ForceRemove Widget.1 = s 'Widget''s class'
            {
                CLSID = s '{11111111-2222-3333-4444-555555555555}'
                Path = s '%Module%' { val Share = s '100%% sure' }
                val Count = d '0x10'
                val Blob = b '0A0b'
                val List = m 'one\0two'
            }
        }
        HKCU { Software { Widgets = e '%%HOME%%\w' } }
    )",
        { { "MODULE", "Z:\\lib\\widget.so" } }, &error))
        << error;
    ASSERT_EQ(script.Apply(true), S_OK);

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Widget.1\\Stale"));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Widget.1", nullptr),
        (std::pair<DWORD, std::string>(REG_SZ, std::string("Widget's class\0", 15))));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\Widget.1\\Path", nullptr).second,
        std::string("Z:\\lib\\widget.so\0", 17));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Widget.1\\Path", "Share").second, std::string("100% sure\0", 10));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Widget.1", "Count"),
        (std::pair<DWORD, std::string>(REG_DWORD, std::string("\x10\0\0\0", 4))));
    EXPECT_EQ(
        ReadValue(HKEY_CLASSES_ROOT, "Widget.1", "Blob"), (std::pair<DWORD, std::string>(REG_BINARY, "\x0a\x0b")));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Widget.1", "List"),
        (std::pair<DWORD, std::string>(REG_MULTI_SZ, std::string("one\0two\0\0", 9))));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "Software", "Widgets").first, REG_NONE);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "Software\\Widgets", nullptr),
        (std::pair<DWORD, std::string>(REG_EXPAND_SZ, std::string("%HOME%\\w\0", 9))));
}

TEST(RegistryScript, RemovalKeepsWhatOthersOwn)
{
    platform::RegistryScript script;
    ASSERT_TRUE(script.Parse(R"(
        HKCR
        {
            NoRemove Shared { Mine = s 'x' }
            Plain = s 'p' { val Named = s 'v' }
            ForceRemove Forced { Inner }
        }
    )",
        {}));
    ASSERT_EQ(script.Apply(true), S_OK);
    MakeKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\Plain\\Foreign");
    MakeKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\Forced\\Foreign");

    ASSERT_EQ(script.Apply(false), S_OK);
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "Shared"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Shared\\Mine"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "Plain\\Foreign"));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Plain", "Named").first, REG_NONE);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Forced"));

    // Removing what is not there is no failure.
    EXPECT_EQ(script.Apply(false), S_OK);
}
