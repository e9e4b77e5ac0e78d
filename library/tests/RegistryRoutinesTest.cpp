// Settings in the registry: the program's key, other bases, and the confirmation flags.

#include "library/RegistryRoutines.h"

#include "platform/base/WinError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Stores a value of any type below HKEY_CURRENT_USER\Software\Corvane\Tune Steward\<subkey>.
void StoreRaw(const char* subkey, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    const std::string path = std::string("Software\\Corvane\\Tune Steward\\") + subkey;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

} // namespace

TEST(RegistryRoutines, ProgramKeyRoundTrip)
{
    EXPECT_STREQ(ReadRegistryValue("LastDevice", "Settings"), "");
    EXPECT_TRUE(WriteRegistryValue("Den Player", "LastDevice", "Settings"));
    EXPECT_STREQ(ReadRegistryValue("LastDevice", "Settings"), "Den Player");
    EXPECT_TRUE(WriteRegistryValue("x", "DataSource", "Aldercrest\\Den Player"));
    EXPECT_STREQ(ReadRegistryValue("DataSource", "Aldercrest\\Den Player"), "x");

    // The values land under the program's own key.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Corvane\\Tune Steward\\Settings", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_TRUE(DeleteRegistryValue("LastDevice", "Settings"));
    EXPECT_FALSE(DeleteRegistryValue("LastDevice", "Settings"));
    EXPECT_STREQ(ReadRegistryValue("LastDevice", "Settings"), "");

    EXPECT_TRUE(DeleteRegistryKey("Den Player", "Aldercrest"));
    EXPECT_STREQ(ReadRegistryValue("DataSource", "Aldercrest\\Den Player"), "");
    EXPECT_FALSE(DeleteRegistryKey("", "Aldercrest"));
}

TEST(RegistryRoutines, ReadsWholeTextsAndOnlyTexts)
{
    // Longer than any fixed buffer a reader might use.
    const std::string longText(1000, 'p');
    StoreRaw("Settings", "Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    EXPECT_EQ(std::string(ReadRegistryValue("Long", "Settings").GetString()), longText);

    const DWORD number = 0x46; // would read as "F" if its bytes were taken for text
    StoreRaw("ConfirmationFlags", "ConfirmDeleteTrack", REG_DWORD, &number, sizeof number);
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteTrack", "ConfirmationFlags"), "");
}

TEST(RegistryRoutines, OtherBases)
{
    ASSERT_TRUE(WriteRegistryValue("ADOX.Catalog.2.7", nullptr, "CurVer", "HKEY_CLASSES_ROOT\\ADOX.Catalog\\"));
    EXPECT_STREQ(ReadRegistryValue("", "CurVer", "hkey_classes_root\\ADOX.Catalog\\"), "ADOX.Catalog.2.7");
    EXPECT_STREQ(ReadRegistryValue("", "CurVer", "NOT_A_ROOT\\ADOX.Catalog\\"), "");
    EXPECT_FALSE(WriteRegistryValue("x", "v", "k", "HKEY_LOCAL_MACHINE")); // no backslash
}

TEST(RegistryPaths, SplitAndRootNames)
{
    HKEY root = nullptr;
    CString path;
    EXPECT_TRUE(SplitRegistryPath("HKEY_LOCAL_MACHINE\\Software\\X", &root, path));
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
    EXPECT_STREQ(path, "Software\\X");
    EXPECT_FALSE(SplitRegistryPath("HKEY_LOCAL_MACHINE", &root, path));
    EXPECT_FALSE(SplitRegistryPath("HKLM\\Software", &root, path));

    const std::pair<const char*, HKEY> names[] = { { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },
        { "hkey_current_user", HKEY_CURRENT_USER }, { "HKEY_USERS", HKEY_USERS },
        { "HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA }, { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
        { "HKEY_DYN_DATA", HKEY_DYN_DATA }, { "HKEY_NOWHERE", nullptr }, { "", nullptr } };
    for (const auto& [name, key] : names)
        EXPECT_EQ(ParseRootKeyName(name), key) << name;
}

TEST(RegistryRoutines, ConfirmFlags)
{
    const std::pair<const char*, BOOL> stored[] = { { "F", FALSE }, { "f", TRUE }, { "T", TRUE }, { "", TRUE } };
    for (const auto& [text, flag] : stored) {
        WriteRegistryValue(text, "ConfirmDeleteTrack", "ConfirmationFlags");
        BOOL value = 7;
        ReadConfirmFlag(&value, "ConfirmDeleteTrack", "ConfirmationFlags");
        EXPECT_EQ(value, flag) << "'" << text << "'";
    }

    DeleteRegistryValue("ConfirmDeleteAlbum", "ConfirmationFlags");
    BOOL confirm = TRUE;
    WriteConfirmFlag(TRUE, &confirm, "ConfirmDeleteAlbum", "ConfirmationFlags");
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteAlbum", "ConfirmationFlags"), ""); // unchanged: nothing written
    WriteConfirmFlag(FALSE, &confirm, "ConfirmDeleteAlbum", "ConfirmationFlags");
    EXPECT_EQ(confirm, FALSE);
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteAlbum", "ConfirmationFlags"), "F");
    WriteConfirmFlag(TRUE, &confirm, "ConfirmDeleteAlbum", "ConfirmationFlags");
    EXPECT_STREQ(ReadRegistryValue("ConfirmDeleteAlbum", "ConfirmationFlags"), "T");
}
