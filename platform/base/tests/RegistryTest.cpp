#include "platform/base/Registry.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/ComputerName.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/RegistryHive.h"
#include "platform/base/WinError.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes bytesOf(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Opens (creating) a key and closes it at the end of the scope.
class Key {
public:
    Key(HKEY parent, const char* path, REGSAM access = KEY_ALL_ACCESS)
    {
        m_error = RegCreateKeyEx(
            parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_key, &m_disposition);
    }
    ~Key()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    operator HKEY() const { return m_key; }
    LONG error() const { return m_error; }
    DWORD disposition() const { return m_disposition; }

private:
    HKEY m_key { nullptr };
    LONG m_error { -1 };
    DWORD m_disposition { 0 };
};

LONG setValue(HKEY key, const char* name, DWORD type, const Bytes& data)
{
    return RegSetValueEx(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}

// The value's type and bytes read with the full size protocol, or the error.
LONG readValue(HKEY key, const char* name, DWORD& type, Bytes& data)
{
    DWORD size = 0;
    if (const LONG error = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size); error != ERROR_SUCCESS)
        return error;
    data.assign(size, 0xCC);
    return RegQueryValueEx(key, name, nullptr, &type, data.data(), &size);
}

std::string readText(HKEY key, const char* name)
{
    DWORD type = 0;
    Bytes data;
    if (readValue(key, name, type, data) != ERROR_SUCCESS || data.empty())
        return "<missing>";
    return std::string(reinterpret_cast<const char*>(data.data()), data.size() - 1);
}

std::vector<std::string> subkeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0; RegEnumKey(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.emplace_back(name);
    return names;
}

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Points TUNESTEWARD_HOME at a folder of its own for one test, so its hives start empty.
class ScopedHome {
public:
    explicit ScopedHome(const char* name)
    {
        const char* old = std::getenv("TUNESTEWARD_HOME");
        m_old = old ? old : "";
        m_folder
            = std::filesystem::path(m_old.empty() ? std::filesystem::temp_directory_path().string() : m_old) / name;
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        setenv("TUNESTEWARD_HOME", m_folder.c_str(), 1);
    }
    ~ScopedHome() { setenv("TUNESTEWARD_HOME", m_old.c_str(), 1); }
    const std::filesystem::path& folder() const { return m_folder; }

private:
    std::string m_old;
    std::filesystem::path m_folder;
};

TEST(Registry, ValuesRoundTripThroughTheHiveFileWithTheSizeProtocol)
{
    ScopedHome home("roundtrip");
    struct Case {
        const char* name;
        DWORD type;
        Bytes given;
        Bytes stored;
    };
    const std::string longText(5000, 'x');
    const Case cases[] = {
        { "Text", REG_SZ, bytesOf(std::string_view("abc", 4)), bytesOf(std::string_view("abc", 4)) },
        { "Text counted without its zero", REG_SZ, bytesOf("abc"), bytesOf(std::string_view("abc", 4)) },
        { "", REG_SZ, bytesOf(std::string_view("default", 8)), bytesOf(std::string_view("default", 8)) },
        { "Empty text", REG_SZ, {}, Bytes { 0 } },
        { "Path \"quoted\" \\ value", REG_EXPAND_SZ, bytesOf(std::string_view("%HOME%\\x\0", 10)),
            bytesOf(std::string_view("%HOME%\\x\0", 10)) },
        { "List", REG_MULTI_SZ, bytesOf(std::string_view("a\0bc\0", 5)), bytesOf(std::string_view("a\0bc\0\0", 6)) },
        { "Line breaks", REG_SZ, bytesOf(std::string_view("one\r\ntwo", 9)),
            bytesOf(std::string_view("one\r\ntwo", 9)) },
        { "Umlaut \xC3\xA4", REG_SZ, bytesOf(std::string_view("\xC3\xA4\xE2\x82\xAC", 6)),
            bytesOf(std::string_view("\xC3\xA4\xE2\x82\xAC", 6)) },
        { "Number", REG_DWORD, Bytes { 0x78, 0x56, 0x34, 0x12 }, Bytes { 0x78, 0x56, 0x34, 0x12 } },
        { "Short number", REG_DWORD, Bytes { 1, 2 }, Bytes { 1, 2 } },
        { "Binary", REG_BINARY, Bytes { 0, 0xFF, 0x12, 0, 0x80 }, Bytes { 0, 0xFF, 0x12, 0, 0x80 } },
        { "Nothing", REG_NONE, {}, {} },
        { "Long", REG_SZ, bytesOf(longText), bytesOf(std::string_view(longText.c_str(), longText.size() + 1)) },
    };

    Key key(HKEY_CURRENT_USER, "Software\\Tune Test\\Values");
    ASSERT_EQ(key.error(), ERROR_SUCCESS);
    EXPECT_EQ(key.disposition(), static_cast<DWORD>(REG_CREATED_NEW_KEY));
    for (const Case& c : cases)
        ASSERT_EQ(setValue(key, c.name, c.type, c.given), ERROR_SUCCESS) << c.name;

    // Another spelling opens the same key and finds the same values.
    Key again(HKEY_CURRENT_USER, "SOFTWARE\\tune test\\VALUES\\");
    ASSERT_EQ(again.error(), ERROR_SUCCESS);
    EXPECT_EQ(again.disposition(), static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string upper = c.name;
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        DWORD type = 0;
        Bytes data;
        ASSERT_EQ(readValue(again, upper.c_str(), type, data), ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(data, c.stored);
        if (!c.stored.empty()) {
            DWORD small = static_cast<DWORD>(c.stored.size() - 1);
            Bytes buffer(small + 1);
            EXPECT_EQ(RegQueryValueEx(again, c.name, nullptr, nullptr, buffer.data(), &small), ERROR_MORE_DATA);
            EXPECT_EQ(small, c.stored.size());
        }
    }

    // What reached the file reads back the same in a hive of its own (as another process would see it).
    platform::RegistryHive fresh(home.folder() / "user.reg", "HKEY_CURRENT_USER");
    ASSERT_EQ(fresh.refresh(), ERROR_SUCCESS);
    auto stored = fresh.root()->findSubkey("software")->findSubkey("TUNE TEST")->findSubkey("values");
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->values().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(stored->values()[i].name, cases[i].name);
        EXPECT_EQ(stored->values()[i].type, cases[i].type);
        EXPECT_EQ(stored->values()[i].data, cases[i].stored) << cases[i].name;
    }
}

TEST(Registry, NamesKeepTheirFirstSpellingAndCreationOrder)
{
    Key parent(HKEY_CURRENT_USER, "Software\\Tune Test\\Order");
    for (const char* name : { "Zeta", "alpha", "Mid" })
        Key(parent, name);
    Key(parent, "ZETA"); // opens the existing key
    EXPECT_EQ(subkeyNames(parent), (std::vector<std::string> { "Zeta", "alpha", "Mid" }));

    ASSERT_EQ(setValue(parent, "Volume", REG_DWORD, Bytes { 1, 0, 0, 0 }), ERROR_SUCCESS);
    ASSERT_EQ(setValue(parent, "VOLUME", REG_DWORD, Bytes { 2, 0, 0, 0 }), ERROR_SUCCESS);
    char name[16];
    DWORD nameSize = sizeof name;
    BYTE data[4];
    DWORD dataSize = sizeof data;
    ASSERT_EQ(RegEnumValue(parent, 0, name, &nameSize, nullptr, nullptr, data, &dataSize), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Volume");
    EXPECT_EQ(data[0], 2);
}

TEST(Registry, EnumerationReportsShortBuffersAndTheEnd)
{
    Key key(HKEY_CURRENT_USER, "Software\\Tune Test\\Enum");
    Key(key, "Subkey");
    ASSERT_EQ(setValue(key, "Name", REG_SZ, bytesOf(std::string_view("value", 6))), ERROR_SUCCESS);

    char name[8];
    DWORD count = 6; // "Subkey" needs 7 with its zero
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    count = 7;
    FILETIME written {};
    ASSERT_EQ(RegEnumKeyEx(key, 0, name, &count, nullptr, nullptr, nullptr, &written), ERROR_SUCCESS);
    EXPECT_EQ(count, 6u);
    EXPECT_NE(written.dwHighDateTime, 0u);
    count = sizeof name;
    EXPECT_EQ(RegEnumKeyEx(key, 1, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

    count = 4; // "Name" needs 5
    EXPECT_EQ(RegEnumValue(key, 0, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    count = sizeof name;
    BYTE data[4];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    EXPECT_EQ(RegEnumValue(key, 0, name, &count, nullptr, &type, data, &dataSize), ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 6u);
    EXPECT_STREQ(name, "Name");
    EXPECT_EQ(type, REG_SZ);
    count = sizeof name;
    EXPECT_EQ(RegEnumValue(key, 1, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

    DWORD subkeys = 0, longestKey = 0, values = 0, longestName = 0, longestData = 0;
    ASSERT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, &longestKey, nullptr, &values, &longestName,
                  &longestData, nullptr, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 1u);
    EXPECT_EQ(longestKey, 6u);
    EXPECT_EQ(values, 1u);
    EXPECT_EQ(longestName, 4u);
    EXPECT_EQ(longestData, 6u);
}

TEST(Registry, DefaultValueThroughTheShortForms)
{
    Key key(HKEY_CURRENT_USER, "Software\\Tune Test\\Short");
    ASSERT_EQ(RegSetValue(key, "Sub", REG_SZ, "hello", 0), ERROR_SUCCESS);
    char text[16];
    LONG size = sizeof text;
    ASSERT_EQ(RegQueryValue(key, "Sub", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "hello");
    EXPECT_EQ(size, 6);
    size = 3;
    EXPECT_EQ(RegQueryValue(key, "Sub", text, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6);

    Key(key, "NoDefault");
    size = sizeof text;
    ASSERT_EQ(RegQueryValue(key, "NoDefault", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(RegQueryValue(key, "Missing", text, &size), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, DeleteRules)
{
    Key parent(HKEY_CURRENT_USER, "Software\\Tune Test\\Delete");
    Key(parent, "Branch\\Leaf");
    EXPECT_EQ(RegDeleteKey(parent, "Branch"), ERROR_ACCESS_DENIED); // it still has a subkey
    EXPECT_EQ(RegDeleteKey(parent, "Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);

    HKEY leaf = nullptr;
    ASSERT_EQ(RegOpenKeyEx(parent, "branch\\LEAF", 0, KEY_READ, &leaf), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(parent, "Branch\\Leaf"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(parent, "Branch"), ERROR_SUCCESS);
    EXPECT_TRUE(subkeyNames(parent).empty());

    // The handle outlives its key: every use says so, closing it still works.
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(leaf, nullptr, nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegSetValueEx(leaf, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(leaf), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(leaf), ERROR_INVALID_HANDLE);

    ASSERT_EQ(setValue(parent, "Gone", REG_DWORD, Bytes { 0, 0, 0, 0 }), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(parent, "GONE"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(parent, "Gone"), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, ClassesRootMergesTheUserClassesOverTheMachines)
{
    ScopedHome home("classes");
    {
        Key machine(HKEY_LOCAL_MACHINE, "Software\\Classes\\.tune");
        Key user(HKEY_CURRENT_USER, "Software\\Classes\\.tune");
        ASSERT_EQ(setValue(machine, nullptr, REG_SZ, bytesOf(std::string_view("machine", 8))), ERROR_SUCCESS);
        ASSERT_EQ(setValue(machine, "MachineOnly", REG_SZ, bytesOf(std::string_view("m", 2))), ERROR_SUCCESS);
        ASSERT_EQ(setValue(user, nullptr, REG_SZ, bytesOf(std::string_view("user", 5))), ERROR_SUCCESS);
        Key(HKEY_LOCAL_MACHINE, "Software\\Classes\\MachineKey");
        Key(HKEY_CURRENT_USER, "Software\\Classes\\UserKey");
    }

    Key tune(HKEY_CLASSES_ROOT, ".TUNE");
    EXPECT_EQ(readText(tune, nullptr), "user");
    EXPECT_EQ(readText(tune, "MachineOnly"), "m");
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKey(tune, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                  nullptr, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(subkeyNames(HKEY_CLASSES_ROOT), (std::vector<std::string> { ".tune", "UserKey", "MachineKey" }));

    // New keys go to the machine's classes; a key only the user has keeps its writes.
    Key created(HKEY_CLASSES_ROOT, "Tune.Document\\CurVer");
    ASSERT_EQ(setValue(created, nullptr, REG_SZ, bytesOf(std::string_view("Tune.Document.2", 16))), ERROR_SUCCESS);
    Key userKey(HKEY_CLASSES_ROOT, "UserKey");
    ASSERT_EQ(setValue(userKey, "Flag", REG_DWORD, Bytes { 1, 0, 0, 0 }), ERROR_SUCCESS);
    HKEY check = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Classes\\Tune.Document\\CurVer", 0, KEY_READ, &check),
        ERROR_SUCCESS);
    EXPECT_EQ(readText(check, nullptr), "Tune.Document.2");
    RegCloseKey(check);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Classes\\UserKey", 0, KEY_READ, &check), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(check, "Flag", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(check);

    // Deleting through the merged view removes the key on both sides.
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, ".tune"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".tune", 0, KEY_READ, &check), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Classes\\.tune", 0, KEY_READ, &check), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, CorruptHiveIsReportedAndLeftIntact)
{
    ScopedHome home("corrupt");
    const auto hive = home.folder() / "user.reg";
    const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex:0g\n";
    std::ofstream(hive, std::ios::binary) << damaged;

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_REGISTRY_CORRUPT);
    Key create(HKEY_CURRENT_USER, "Software\\New");
    EXPECT_EQ(create.error(), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(setValue(HKEY_CURRENT_USER, "x", REG_DWORD, Bytes { 1, 0, 0, 0 }), ERROR_REGISTRY_CORRUPT);
    char name[32];
    EXPECT_EQ(RegEnumKey(HKEY_CURRENT_USER, 0, name, sizeof name), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(fileText(hive), damaged);

    // The other hives are not affected, and a repaired file is used again.
    EXPECT_EQ(Key(HKEY_LOCAL_MACHINE, "Software\\Fine").error(), ERROR_SUCCESS);
    std::ofstream(hive, std::ios::binary) << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex:0f\n";
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(Registry, ParserRefusesMalformedHives)
{
    const char* const damaged[] = {
        "",
        "[HKEY_CURRENT_USER\\A]\n",
        "REGEDIT4\n\"Value\"=\"before any key\"\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Other root]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"open=\"text\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"n\"=\"bad \\q escape\"\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"n\"=dword:123456789\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"n\"=hex:01,02,\\\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"n\"=-\n",
        "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\njunk\n",
    };
    for (const char* text : damaged) {
        platform::RegistryKey root { std::string() };
        std::string problem;
        EXPECT_EQ(platform::RegistryHive::parse(text, "HKEY_CURRENT_USER", root, 0, problem), ERROR_REGISTRY_CORRUPT)
            << text;
        EXPECT_FALSE(problem.empty());
    }

    // What the format allows: comments, a value on the root, continued hex lists, any value type.
    platform::RegistryKey root { std::string() };
    std::string problem;
    ASSERT_EQ(platform::RegistryHive::parse("\xEF\xBB\xBFREGEDIT4\r\n; note\r\n[HKEY_CURRENT_USER]\r\n@=\"r\"\r\n"
                                            "[hkey_current_user\\A]\r\n\"b\"=hex(7):61,00,\\\r\n  00\r\n",
                  "HKEY_CURRENT_USER", root, 0, problem),
        ERROR_SUCCESS)
        << problem;
    EXPECT_EQ(root.findValue("")->data, bytesOf(std::string_view("r", 2)));
    EXPECT_EQ(root.findSubkey("a")->findValue("B")->type, REG_MULTI_SZ);
    EXPECT_EQ(root.findSubkey("a")->findValue("B")->data, (Bytes { 0x61, 0, 0 }));
}

TEST(Registry, TwoProcessesDoNotLoseEachOthersWrites)
{
    ScopedHome home("shared");
    constexpr int kWrites = 40;
    Key doomed(HKEY_CURRENT_USER, "Software\\Shared\\Doomed");
    ASSERT_EQ(doomed.error(), ERROR_SUCCESS);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        for (int i = 0; i < kWrites; ++i) {
            Key shared(HKEY_CURRENT_USER, "Software\\Shared");
            const std::string name = "child" + std::to_string(i);
            failures += setValue(shared, name.c_str(), REG_DWORD, Bytes { 1, 0, 0, 0 }) != ERROR_SUCCESS;
        }
        failures += RegDeleteKey(HKEY_CURRENT_USER, "Software\\Shared\\Doomed") != ERROR_SUCCESS;
        _exit(failures == 0 ? 0 : 1);
    }
    for (int i = 0; i < kWrites; ++i) {
        Key shared(HKEY_CURRENT_USER, "Software\\Shared");
        const std::string name = "parent" + std::to_string(i);
        EXPECT_EQ(setValue(shared, name.c_str(), REG_DWORD, Bytes { 2, 0, 0, 0 }), ERROR_SUCCESS);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    Key shared(HKEY_CURRENT_USER, "Software\\Shared");
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKey(shared, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                  nullptr, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(values, static_cast<DWORD>(2 * kWrites));
    // The other process deleted a key this one holds open.
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(doomed, nullptr, nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
}

TEST(Registry, FailedWriteLeavesFileAndTreeAsTheyWere)
{
    ScopedHome home("full");
    Key key(HKEY_CURRENT_USER, "Software\\Full");
    ASSERT_EQ(setValue(key, "Small", REG_DWORD, Bytes { 1, 0, 0, 0 }), ERROR_SUCCESS);
    const auto hive = home.folder() / "user.reg";
    const std::string before = fileText(hive);

    // A child process whose files may not grow: the write fails part way and must change nothing.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { before.size() + 16, before.size() + 16 };
        setrlimit(RLIMIT_FSIZE, &limit);
        int faults = 0;
        faults += setValue(key, "Big", REG_BINARY, Bytes(4096, 0xAB)) == ERROR_SUCCESS;
        DWORD size = 0;
        faults += RegQueryValueEx(key, "Big", nullptr, nullptr, nullptr, &size) != ERROR_FILE_NOT_FOUND;
        faults += RegQueryValueEx(key, "Small", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS;
        faults += Key(key, "New\\Deeper").error() == ERROR_SUCCESS;
        faults += !subkeyNames(key).empty();
        _exit(faults);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fileText(hive), before);
}

TEST(Registry, BadArgumentsGiveErrorsNotCrashes)
{
    Key key(HKEY_CURRENT_USER, "Software\\Tune Test\\Arguments");
    HKEY result = nullptr;
    DWORD size = 4;
    BYTE data[4];
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x7777));
    struct Case {
        const char* what;
        LONG got;
        LONG expected;
    };
    const Case cases[] = {
        { "query on an unknown handle", RegQueryValueEx(bogus, "x", nullptr, nullptr, data, &size),
            ERROR_INVALID_HANDLE },
        { "query on a null handle", RegQueryValueEx(nullptr, "x", nullptr, nullptr, data, &size),
            ERROR_INVALID_HANDLE },
        { "open without a result", RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, nullptr),
            ERROR_INVALID_PARAMETER },
        { "create without a name",
            RegCreateKeyEx(key, nullptr, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &result, nullptr),
            ERROR_INVALID_PARAMETER },
        { "data without a size", RegQueryValueEx(key, "x", nullptr, nullptr, data, nullptr), ERROR_INVALID_PARAMETER },
        { "set with null data", RegSetValueEx(key, "x", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER },
        { "value name with a line break", RegSetValueEx(key, "a\nb", 0, REG_BINARY, data, 1), ERROR_INVALID_PARAMETER },
        { "key name with a line break",
            RegCreateKeyEx(key, "a\nb", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &result, nullptr),
            ERROR_INVALID_PARAMETER },
        { "leading backslash", RegOpenKeyEx(HKEY_CURRENT_USER, "\\Software", 0, KEY_READ, &result),
            ERROR_BAD_PATHNAME },
        { "enumerate without a name", RegEnumKeyEx(key, 0, nullptr, &size, nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER },
        { "delete a null subkey", RegDeleteKey(key, nullptr), ERROR_INVALID_PARAMETER },
        { "write to an empty root", Key(HKEY_DYN_DATA, "x").error(), ERROR_ACCESS_DENIED },
        { "write through a read-only handle", setValue(Key(HKEY_CURRENT_USER, "Software", KEY_READ), "x", REG_NONE, {}),
            ERROR_ACCESS_DENIED },
        { "connect to the local machine", RegConnectRegistry(nullptr, HKEY_LOCAL_MACHINE, &result), ERROR_SUCCESS },
        { "connect to the local users", RegConnectRegistry(platform::LocalComputerName().c_str(), HKEY_USERS, &result),
            ERROR_SUCCESS },
        { "connect to another computer", RegConnectRegistry("\\\\elsewhere-host", HKEY_LOCAL_MACHINE, &result),
            ERROR_BAD_NETPATH },
        { "connect to the current user", RegConnectRegistry(nullptr, HKEY_CURRENT_USER, &result),
            ERROR_INVALID_HANDLE },
        { "save a key", RegSaveKey(key, "file", nullptr), ERROR_CALL_NOT_IMPLEMENTED },
        { "notify", RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, nullptr, FALSE),
            ERROR_CALL_NOT_IMPLEMENTED },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(ComputerName, ReportsTheSizeNeededWhenShort)
{
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = 1;
    EXPECT_FALSE(GetComputerName(name, &size));
    EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
    const std::string expected = platform::LocalComputerName();
    EXPECT_EQ(size, expected.size() + 1);
    size = sizeof name;
    ASSERT_TRUE(GetComputerName(name, &size));
    EXPECT_EQ(std::string(name), expected);
    EXPECT_EQ(size, expected.size());
    EXPECT_LE(size, MAX_COMPUTERNAME_LENGTH);
}

} // namespace
