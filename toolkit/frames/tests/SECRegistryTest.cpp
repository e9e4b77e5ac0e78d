// The registry wrapper on the test's own user hive: connecting, keys and their deletion, typed values.

#include "toolkit/frames/SECRegistry.h"

#include "platform/base/WinError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr LONG Code(DWORD error) { return static_cast<LONG>(error); }

// True when the key exists below HKEY_CURRENT_USER.
bool KeyExists(LPCTSTR name)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, name, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

void MakeKey(LPCTSTR name)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
        Code(ERROR_SUCCESS))
        << name;
    RegCloseKey(hKey);
}

TEST(SECRegistry, ConnectsLocallyAndRefusesRemoteUserRoots)
{
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER, nullptr, FALSE));
    EXPECT_EQ(registry.GetRoot(), HKEY_CURRENT_USER);
    EXPECT_EQ(registry.GetKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(registry.GetRootName(), CString("HKEY_CURRENT_USER"));
    EXPECT_FALSE(registry.GetComputerName().IsEmpty());
    EXPECT_FALSE(registry.IsRemote());

    // The failed connection first closes the old one (which enables closing the root again) and then
    // keeps that setting rather than the one it was asked for.
    EXPECT_FALSE(registry.Connect(HKEY_CURRENT_USER, "ELSEWHERE", FALSE));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(registry.GetCloseRoot());
    EXPECT_EQ(registry.GetRoot(), nullptr);

    EXPECT_FALSE(registry.Connect(HKEY_CLASSES_ROOT, "ELSEWHERE", TRUE));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(registry.Connect(HKEY_LOCAL_MACHINE, "ELSEWHERE", TRUE));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_BAD_NETPATH));

    ASSERT_TRUE(registry.Connect(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(registry.GetRootName(), CString("HKEY_LOCAL_MACHINE"));
    EXPECT_TRUE(registry.Close());
    EXPECT_EQ(registry.GetRoot(), nullptr);
}

TEST(SECRegistry, RootNamesAndKeyNameHelpers)
{
    EXPECT_EQ(SECRegistry::RootNameOf(HKEY_USERS), CString("HKEY_USERS"));
    EXPECT_EQ(SECRegistry::RootNameOf(HKEY_DYN_DATA), CString("HKEY_DYN_DATA"));
    EXPECT_TRUE(SECRegistry::RootNameOf(HKEY_PERFORMANCE_DATA).IsEmpty());
    EXPECT_EQ(SECRegistry::RootOfName("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(SECRegistry::RootOfName("HKEY_NOWHERE"), nullptr);
    EXPECT_EQ(SECRegistry::RootOfName(nullptr), nullptr);

    struct Case {
        LPCTSTR parent;
        LPCTSTR child;
        LPCTSTR joined;
    };
    const Case cases[] = {
        { "A\\B", "C", "A\\B\\C" },
        { "A\\B\\", "\\C\\", "A\\B\\C" },
        { "", "C\\D", "C\\D" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SECRegistry::ConcatenateKeyNames(c.parent, c.child), CString(c.joined)) << c.parent << " + " << c.child;
    EXPECT_EQ(SECRegistry::NormalizeKeyName("\\A\\"), CString("\\A"));
    EXPECT_EQ(SECRegistry::NormalizeKeyName("\\A\\", TRUE), CString("A"));
}

TEST(SECRegistry, OpensAndCreatesWithoutTheTrailingBackslash)
{
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    EXPECT_FALSE(registry.Open("Software\\Missing"));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(registry.GetKey(), nullptr); // no stale key stays current after a failed open

    DWORD dwDisposition = 0;
    ASSERT_TRUE(registry.Create("Software\\Test\\Key\\", nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
        &dwDisposition));
    EXPECT_EQ(dwDisposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(registry.GetKeyName(), CString("Software\\Test\\Key"));
    ASSERT_TRUE(registry.SetStringValue("Name", "value"));

    SECRegistry reader;
    ASSERT_TRUE(reader.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reader.Open("Software\\Test\\Key\\"));
    EXPECT_EQ(reader.GetKeyName(), CString("Software\\Test\\Key"));
    EXPECT_EQ(reader.GetNumberOfValues(), 1u);
    CString strValue;
    EXPECT_TRUE(reader.GetStringValue("Name", strValue));
    EXPECT_EQ(strValue, CString("value"));
}

TEST(SECRegistry, TypedValuesRoundTrip)
{
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Create("Software\\Test"));

    CByteArray bytes;
    for (BYTE b : { 0x00, 0xFF, 0x12 })
        bytes.Add(b);
    CStringArray strings;
    strings.Add("one");
    strings.Add("two words");
    ASSERT_TRUE(registry.SetValue("Bytes", bytes));
    ASSERT_TRUE(registry.SetValue("Empty", CByteArray()));
    ASSERT_TRUE(registry.SetValue("Number", DWORD { 0xDEADBEEF }));
    ASSERT_TRUE(registry.SetValue("List", strings));
    ASSERT_TRUE(registry.SetValue("Text", "text"));

    // Values written after the key was opened are read at their own size.
    CByteArray bytesRead;
    ASSERT_TRUE(registry.GetValue("Bytes", bytesRead));
    ASSERT_EQ(bytesRead.GetSize(), 3);
    EXPECT_EQ(bytesRead[1], 0xFF);
    ASSERT_TRUE(registry.GetValue("Empty", bytesRead));
    EXPECT_EQ(bytesRead.GetSize(), 0);
    DWORD dwRead = 0;
    ASSERT_TRUE(registry.GetValue("Number", dwRead));
    EXPECT_EQ(dwRead, 0xDEADBEEFu);
    CStringArray stringsRead;
    stringsRead.Add("stale");
    ASSERT_TRUE(registry.GetValue("List", stringsRead));
    ASSERT_EQ(stringsRead.GetSize(), 2);
    EXPECT_EQ(stringsRead[1], CString("two words"));

    // The stored forms: the text with its zero, the list with one more.
    DWORD dwType = 0;
    BYTE raw[64] {};
    DWORD dwSize = sizeof raw;
    ASSERT_TRUE(registry.QueryValue("Text", dwType, raw, dwSize));
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_EQ(dwSize, 5u);
    dwSize = sizeof raw;
    ASSERT_TRUE(registry.QueryValue("List", dwType, raw, dwSize));
    EXPECT_EQ(dwType, REG_MULTI_SZ);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw), dwSize), std::string("one\0two words\0\0", 15));

    ASSERT_TRUE(registry.DeleteValue("Text"));
    CString strText("kept?");
    EXPECT_FALSE(registry.GetValue("Text", strText));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(strText.IsEmpty());
}

TEST(SECRegistry, StringGetterReadsAtMost2047Characters)
{
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Create("Software\\Test"));
    ASSERT_TRUE(registry.SetStringValue("Fits", std::string(2047, 'x').c_str()));
    ASSERT_TRUE(registry.SetStringValue("Long", std::string(2048, 'x').c_str()));

    CString strValue;
    EXPECT_TRUE(registry.GetStringValue("Fits", strValue));
    EXPECT_EQ(strValue.GetLength(), 2047);
    EXPECT_FALSE(registry.GetStringValue("Long", strValue));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_MORE_DATA));
    EXPECT_TRUE(strValue.IsEmpty());
}

TEST(SECRegistry, NullArgumentsFailWithInvalidParameter)
{
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Create("Software\\Test"));
    const auto calls = {
        +[](SECRegistry& r) { return r.Open(nullptr); },
        +[](SECRegistry& r) { return r.Create(nullptr); },
        +[](SECRegistry& r) { return r.DeleteKey(nullptr, TRUE); },
        +[](SECRegistry& r) { return r.DeleteValue(nullptr); },
        +[](SECRegistry& r) { return r.SetStringValue("Name", nullptr); },
        +[](SECRegistry& r) { return r.SetValue(nullptr, REG_BINARY, reinterpret_cast<const BYTE*>("x"), 1); },
        +[](SECRegistry& r) {
            CString s;
            return r.GetStringValue(nullptr, s);
        },
        +[](SECRegistry& r) {
            DWORD t = 0, n = 0;
            return r.QueryValue("Name", t, nullptr, n);
        },
        +[](SECRegistry& r) {
            DWORD n = 0;
            return r.GetSecurity(0, nullptr, n);
        },
    };
    int index = 0;
    for (auto call : calls) {
        EXPECT_FALSE(call(registry)) << index;
        EXPECT_EQ(registry.GetLastError(), Code(ERROR_INVALID_PARAMETER)) << index;
        ++index;
    }
}

TEST(SECRegistry, EnumeratesKeysAndValuesInOrder)
{
    // A key of its own: the hive lives as long as the test process, and other tests add keys below
    // "Software\\Test".
    MakeKey("Software\\Enumerated\\b");
    MakeKey("Software\\Enumerated\\a");
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Open("Software\\Enumerated"));
    ASSERT_TRUE(registry.SetValue("second", "2"));
    ASSERT_TRUE(registry.SetValue("first", DWORD { 1 }));

    CString strName;
    ASSERT_TRUE(registry.EnumerateKeys(0, strName));
    EXPECT_EQ(strName, CString("b"));
    ASSERT_TRUE(registry.EnumerateKeys(1, strName));
    EXPECT_EQ(strName, CString("a"));
    EXPECT_FALSE(registry.EnumerateKeys(2, strName));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_NO_MORE_ITEMS));

    DWORD dwType = 0;
    ASSERT_TRUE(registry.EnumerateValues(0, strName, dwType));
    EXPECT_EQ(strName, CString("second"));
    EXPECT_EQ(dwType, REG_SZ);
    BYTE data[1] {};
    DWORD dwSize = sizeof data;
    ASSERT_TRUE(registry.EnumerateValues(1, strName, dwType, data, dwSize)); // too small still counts
    EXPECT_EQ(strName, CString("first"));
    EXPECT_EQ(dwSize, 4u);
    EXPECT_FALSE(registry.EnumerateValues(2, strName, dwType));

    ASSERT_TRUE(registry.QueryInfo());
    EXPECT_EQ(registry.GetNumberOfSubkeys(), 2u);
    EXPECT_EQ(registry.GetNumberOfValues(), 2u);
    EXPECT_EQ(registry.GetLongestValueNameLength(), 6u);
}

TEST(SECRegistry, RecursiveDeleteTakesOnlyTheNamedSubtree)
{
    for (LPCTSTR name : { "Software\\App\\Tree\\B\\C", "Software\\App\\Tree\\B\\D\\E", "Software\\App\\Tree\\F",
             "B\\Kept", "C", "E", "F" })
        MakeKey(name);

    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    // Without recursion a key that has subkeys stays.
    EXPECT_FALSE(registry.DeleteKey("Software\\App\\Tree"));
    EXPECT_TRUE(KeyExists("Software\\App\\Tree\\B\\D\\E"));

    ASSERT_TRUE(registry.DeleteKey("Software\\App\\Tree\\", TRUE));
    EXPECT_FALSE(KeyExists("Software\\App\\Tree"));
    EXPECT_TRUE(KeyExists("Software\\App"));
    // Keys of the same names directly below the root are not touched.
    for (LPCTSTR name : { "B\\Kept", "C", "E", "F" })
        EXPECT_TRUE(KeyExists(name)) << name;
}

TEST(SECRegistry, RecursiveDeleteNeverTakesTheRoot)
{
    MakeKey("Software\\Kept");
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    for (LPCTSTR name : { "", "\\" }) {
        EXPECT_FALSE(registry.DeleteKey(name, TRUE)) << name;
        EXPECT_EQ(registry.GetLastError(), Code(ERROR_INVALID_PARAMETER));
    }
    EXPECT_TRUE(KeyExists("Software\\Kept"));
}

TEST(SECRegistry, InnerBackslashNamesAreTriedBelowTheCurrentKeyFirst)
{
    MakeKey("Parent\\X\\Y");
    MakeKey("X\\Y");
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Open("Parent"));
    ASSERT_TRUE(registry.DeleteKey("X\\Y"));
    EXPECT_FALSE(KeyExists("Parent\\X\\Y"));
    EXPECT_TRUE(KeyExists("X\\Y"));
    // Nothing left below the current key: the name is taken below the root.
    ASSERT_TRUE(registry.DeleteKey("X\\Y"));
    EXPECT_FALSE(KeyExists("X\\Y"));
    EXPECT_FALSE(registry.DeleteKey("X\\Y"));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_FILE_NOT_FOUND));
}

TEST(SECRegistry, DeletingTheOpenKeyReportsSuccess)
{
    MakeKey("Software\\Node\\Child");
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Open("Software\\Node\\"));
    EXPECT_TRUE(registry.DeleteKey("Software\\Node\\", TRUE));
    EXPECT_EQ(registry.GetLastError(), Code(ERROR_SUCCESS));
    EXPECT_FALSE(KeyExists("Software\\Node"));
    EXPECT_TRUE(registry.Close());
}

} // namespace
