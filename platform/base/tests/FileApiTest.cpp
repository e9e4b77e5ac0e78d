#include "platform/base/FileApi.h"
#include "platform/base/DriveApi.h"
#include "platform/base/FindFile.h"
#include "platform/base/PathApi.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A folder of its own for each test, under the process's temporary current directory.
class FileApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::current_path() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(m_root);
    }

    // The program path of a name inside the test's folder.
    std::string P(const std::string& name) const { return platform::ToProgramPath((m_root / name).string()); }

    void Write(const std::string& name, const std::string& text) const
    {
        fs::create_directories((m_root / name).parent_path());
        std::ofstream(m_root / name, std::ios::binary) << text;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_root / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_root))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_root;
};

// Every entry a search returns, by name, with its attributes.
std::map<std::string, DWORD> FindAll(const std::string& pattern, std::vector<std::string>* order = nullptr)
{
    std::map<std::string, DWORD> found;
    WIN32_FIND_DATA data;
    HANDLE search = FindFirstFile(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        found[data.cFileName] = data.dwFileAttributes;
        if (order)
            order->push_back(data.cFileName);
    } while (FindNextFile(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return found;
}

} // namespace

TEST(Wildcards, MatchWithoutRegardToCase)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        { "*", "anything.txt", true },
        { "*.*", "noextension", true },
        { "*.*", ".hidden", true },
        { "*.mp3", "Song.MP3", true },
        { "*.mp3", "Song.mp3.bak", false },
        { "*.mp3", "mp3", false },
        { "song?.mp3", "SONG1.mp3", true },
        { "song?.mp3", "song.mp3", false },
        { "?.txt", "\xC3\xA4.txt", true }, // "?" is one character, not one byte
        { "a*b*c", "aXXbYYbc", true },
        { "a*b*c", "aXXbYYc", true },
        { "a*b*c", "acb", false },
        { "cover.*", "Cover", true },
        { "cover.*", "Cover.jpg", true },
        { "cover.*", "Covers", false },
        { "", "", true },
        { "", "x", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
}

TEST_F(FileApi, FindListsMatchingEntriesWithAttributes)
{
    Write("Music/Song.MP3", "12345");
    Write("Music/b.mp3", "");
    Write("Music/.hidden", "");
    Write("Music/noext", "");
    Write("Music/ReadOnly.txt", "");
    fs::create_directories(m_root / "Music/Sub");
    fs::permissions(m_root / "Music/ReadOnly.txt", fs::perms::owner_read | fs::perms::group_read);

    std::vector<std::string> order;
    const std::map<std::string, DWORD> all = FindAll(P("MUSIC\\*.*"), &order);
    const std::vector<std::string> expectedOrder
        = { ".", "..", ".hidden", "b.mp3", "noext", "ReadOnly.txt", "Song.MP3", "Sub" };
    EXPECT_EQ(order, expectedOrder);
    EXPECT_EQ(all.at("."), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(all.at(".."), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(all.at(".hidden"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(all.at("noext"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(all.at("ReadOnly.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(all.at("Sub"), FILE_ATTRIBUTE_DIRECTORY);

    const std::map<std::string, DWORD> mp3 = FindAll(P("music/*.MP3"));
    EXPECT_EQ(mp3.size(), 2u);
    EXPECT_TRUE(mp3.count("Song.MP3") && mp3.count("b.mp3"));

    // A name without wildcards finds that one entry, in its stored spelling, with size and times.
    WIN32_FIND_DATA data;
    HANDLE one = FindFirstFile(P("Music\\song.mp3").c_str(), &data);
    ASSERT_NE(one, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "Song.MP3");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    EXPECT_FALSE(FindNextFile(one, &data));
    EXPECT_TRUE(FindClose(one));
    EXPECT_FALSE(FindClose(one));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    // The root lists no "." and "..".
    const std::map<std::string, DWORD> root = FindAll("Z:\\*");
    EXPECT_FALSE(root.empty());
    EXPECT_EQ(root.count("."), 0u);
    EXPECT_EQ(root.count(".."), 0u);
}

TEST_F(FileApi, FindReportsWhatIsMissing)
{
    Write("Music/a.txt", "");
    WIN32_FIND_DATA data;
    struct Case {
        std::string pattern;
        DWORD error;
    } cases[] = {
        { P("Music\\*.mp3"), ERROR_FILE_NOT_FOUND },
        { P("Music") + "\\", ERROR_FILE_NOT_FOUND },
        { P("Nowhere\\*.*"), ERROR_PATH_NOT_FOUND },
        { P("Music\\a.txt\\*"), ERROR_PATH_NOT_FOUND },
        { "C:\\*.*", ERROR_PATH_NOT_FOUND },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindFirstFile(c.pattern.c_str(), &data), INVALID_HANDLE_VALUE) << c.pattern;
        EXPECT_EQ(GetLastError(), c.error) << c.pattern;
    }
    EXPECT_EQ(FindFirstFile(nullptr, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(FindNextFile(reinterpret_cast<HANDLE>(0x1234), &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FileApi, CopyKeepsOrReplacesTheTarget)
{
    Write("new.txt", "new contents");
    Write("old.txt", "old");

    EXPECT_FALSE(CopyFile(P("new.txt").c_str(), P("OLD.TXT").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(Read("old.txt"), "old");

    EXPECT_TRUE(CopyFile(P("NEW.txt").c_str(), P("Old.Txt").c_str(), FALSE));
    EXPECT_EQ(Read("old.txt"), "new contents");
    EXPECT_EQ(Names(), (std::vector<std::string> { "new.txt", "old.txt" })); // no temporary left behind

    EXPECT_TRUE(CopyFile(P("new.txt").c_str(), P("fresh.txt").c_str(), TRUE));
    EXPECT_EQ(Read("fresh.txt"), "new contents");

    // A read-only target is not overwritten; a missing source creates nothing.
    EXPECT_TRUE(SetFileAttributes(P("old.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    Write("other.txt", "other");
    EXPECT_FALSE(CopyFile(P("other.txt").c_str(), P("old.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Read("old.txt"), "new contents");
    EXPECT_FALSE(CopyFile(P("missing.txt").c_str(), P("made.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fs::exists(m_root / "made.txt"));
    EXPECT_FALSE(CopyFile(P("new.txt").c_str(), P("Nowhere\\x.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(CopyFile(nullptr, P("x.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(FileApi, MoveRenamesWithoutLosingTheTarget)
{
    Write("a.txt", "a");
    Write("b.txt", "b");

    EXPECT_FALSE(MoveFile(P("a.txt").c_str(), P("B.TXT").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(Read("b.txt"), "b");

    EXPECT_TRUE(MoveFileEx(P("a.txt").c_str(), P("B.TXT").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Names(), (std::vector<std::string> { "b.txt" }));
    EXPECT_EQ(Read("b.txt"), "a");

    // A new name that differs only in case renames the file to that spelling.
    EXPECT_TRUE(MoveFile(P("b.txt").c_str(), P("Final.TXT").c_str()));
    EXPECT_TRUE(MoveFile(P("final.txt").c_str(), P("FINAL.txt").c_str()));
    EXPECT_EQ(Names(), (std::vector<std::string> { "FINAL.txt" }));

    fs::create_directories(m_root / "Dir");
    EXPECT_TRUE(MoveFile(P("dir").c_str(), P("Folder").c_str()));
    EXPECT_FALSE(MoveFile(P("missing").c_str(), P("x").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileApi, FolderAndFileCallsReportDocumentedErrors)
{
    Write("Full/x.txt", "x");
    Write("file.txt", "x");
    EXPECT_TRUE(CreateDirectory(P("New").c_str(), nullptr));

    struct Case {
        const char* what;
        std::function<BOOL()> call;
        DWORD error;
    } cases[] = {
        { "create existing", [&] { return CreateDirectory(P("new").c_str(), nullptr); }, ERROR_ALREADY_EXISTS },
        { "create below missing", [&] { return CreateDirectory(P("a\\b").c_str(), nullptr); }, ERROR_PATH_NOT_FOUND },
        { "remove non-empty", [&] { return RemoveDirectory(P("FULL").c_str()); }, ERROR_DIR_NOT_EMPTY },
        { "remove a file", [&] { return RemoveDirectory(P("file.txt").c_str()); }, ERROR_DIRECTORY },
        { "remove missing", [&] { return RemoveDirectory(P("none").c_str()); }, ERROR_FILE_NOT_FOUND },
        { "delete a folder", [&] { return DeleteFile(P("Full").c_str()); }, ERROR_ACCESS_DENIED },
        { "delete missing", [&] { return DeleteFile(P("none.txt").c_str()); }, ERROR_FILE_NOT_FOUND },
        { "delete below missing", [&] { return DeleteFile(P("none\\x.txt").c_str()); }, ERROR_PATH_NOT_FOUND },
        { "delete on another drive", [&] { return DeleteFile("C:\\x.txt"); }, ERROR_PATH_NOT_FOUND },
        { "delete null", [&] { return DeleteFile(nullptr); }, ERROR_INVALID_PARAMETER },
        { "attributes of null", [&] { return SetFileAttributes(nullptr, 0); }, ERROR_INVALID_PARAMETER },
        { "current directory on a file", [&] { return SetCurrentDirectory(P("file.txt").c_str()); }, ERROR_DIRECTORY },
    };
    for (const Case& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }

    EXPECT_EQ(GetFileAttributes(P("missing.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributes(P("missing\\x.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    EXPECT_TRUE(DeleteFile(P("FULL\\X.TXT").c_str()));
    EXPECT_TRUE(RemoveDirectory(P("full").c_str()));
    EXPECT_FALSE(fs::exists(m_root / "Full"));

    // Read-only files refuse deletion until the attribute is cleared.
    EXPECT_TRUE(SetFileAttributes(P("file.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributes(P("FILE.TXT").c_str()), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(_access(P("file.txt").c_str(), 2), -1);
    EXPECT_EQ(_access(P("file.txt").c_str(), 4), 0);
    EXPECT_FALSE(DeleteFile(P("file.txt").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(SetFileAttributes(P("file.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributes(P("file.txt").c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(DeleteFile(P("file.txt").c_str()));
    EXPECT_EQ(_access(P("file.txt").c_str(), 0), -1);
}

TEST_F(FileApi, CurrentDirectoryAndFullPaths)
{
    fs::create_directories(m_root / "Work");
    const fs::path before = fs::current_path();
    char buffer[MAX_PATH];

    EXPECT_TRUE(SetCurrentDirectory(P("WORK").c_str()));
    EXPECT_EQ(fs::current_path(), m_root / "Work");
    const std::string expected = P("Work");
    EXPECT_EQ(GetCurrentDirectory(0, nullptr), expected.size() + 1);
    EXPECT_EQ(GetCurrentDirectory(static_cast<DWORD>(expected.size()), buffer), expected.size() + 1);
    EXPECT_EQ(GetCurrentDirectory(MAX_PATH, buffer), expected.size());
    EXPECT_EQ(buffer, expected);

    LPSTR filePart = nullptr;
    const DWORD length = GetFullPathName("sub\\..\\Song.mp3", MAX_PATH, buffer, &filePart);
    EXPECT_EQ(std::string(buffer, length), expected + "\\Song.mp3");
    EXPECT_STREQ(filePart, "Song.mp3");
    EXPECT_EQ(GetFullPathName("Z:\\a\\", MAX_PATH, buffer, &filePart), 5u);
    EXPECT_EQ(filePart, nullptr);
    fs::current_path(before);
}

TEST_F(FileApi, TemporaryPathsAndNames)
{
    char buffer[MAX_PATH];
    const char* saved = std::getenv("TMPDIR");
    const std::string savedValue = saved ? saved : "";
    setenv("TMPDIR", m_root.c_str(), 1);
    const DWORD length = GetTempPath(MAX_PATH, buffer);
    EXPECT_EQ(std::string(buffer, length), P("") + "\\");
    EXPECT_EQ(GetTempPath(3, buffer), length + 1);
    saved ? setenv("TMPDIR", savedValue.c_str(), 1) : unsetenv("TMPDIR");

    char first[MAX_PATH], second[MAX_PATH];
    const UINT a = GetTempFileName(P("").c_str(), "tsWX", 0, first);
    const UINT b = GetTempFileName(P("").c_str(), "tsWX", 0, second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(std::string(first), std::string(second));
    EXPECT_EQ(std::string(first).substr(P("").size(), 4), "\\tsW");
    EXPECT_NE(GetFileAttributes(first), INVALID_FILE_ATTRIBUTES); // created, so the name stays taken
    EXPECT_EQ(GetTempFileName("Z:\\x", "ab", 0x1F, first), 0x1Fu);
    EXPECT_STREQ(first, "Z:\\x\\ab001F.TMP");
    EXPECT_EQ(GetTempFileName(P("missing").c_str(), "ab", 0, first), 0u);
    EXPECT_EQ(GetLastError(), ERROR_DIRECTORY);
}

TEST(SplitPath, SplitsAndJoinsTheFourParts)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    } cases[] = {
        { "C:\\Music\\Pop\\song.mp3", "C:", "\\Music\\Pop\\", "song", ".mp3" },
        { "Z:/a/b.tar.gz", "Z:", "/a/", "b.tar", ".gz" },
        { "noext", "", "", "noext", "" },
        { "dir\\", "", "dir\\", "", "" },
        { "", "", "", "", "" },
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
        char joined[_MAX_PATH];
        _makepath(joined, drive, dir, fname, ext);
        EXPECT_STREQ(joined, c.path) << c.path;
    }

    // Parts longer than their buffers are cut, never written past them.
    const std::string longPath = "C:\\" + std::string(400, 'd') + "\\" + std::string(400, 'n') + ".ext";
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(longPath.c_str(), drive, dir, fname, ext);
    EXPECT_EQ(std::string(dir).size(), static_cast<std::size_t>(_MAX_DIR - 1));
    EXPECT_EQ(std::string(fname).size(), static_cast<std::size_t>(_MAX_FNAME - 1));
    char joined[_MAX_PATH];
    _makepath(joined, "c", "folder", "name", "txt");
    EXPECT_STREQ(joined, "c:folder\\name.txt");
    _splitpath(longPath.c_str(), nullptr, nullptr, nullptr, ext);
    EXPECT_STREQ(ext, ".ext");
}

TEST(Drives, OnlyZExists)
{
    struct Case {
        const char* root;
        UINT type;
    } cases[] = {
        { "Z:\\", DRIVE_FIXED },
        { "z:\\", DRIVE_FIXED },
        { "Z:", DRIVE_FIXED },
        { nullptr, DRIVE_FIXED },
        { "c:\\", DRIVE_NO_ROOT_DIR },
        { "A:\\", DRIVE_NO_ROOT_DIR },
        { "\\\\server\\share\\", DRIVE_NO_ROOT_DIR },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetDriveType(c.root), c.type) << (c.root ? c.root : "null");

    EXPECT_EQ(GetLogicalDrives(), 1u << 25);
    char strings[8];
    EXPECT_EQ(GetLogicalDriveStrings(4, strings), 5u);
    EXPECT_EQ(GetLogicalDriveStrings(sizeof strings, strings), 4u);
    EXPECT_EQ(std::string(strings, 5), std::string("Z:\\\0\0", 5));

    DWORD maxComponent = 0;
    EXPECT_TRUE(GetVolumeInformation("Z:\\", nullptr, 0, nullptr, &maxComponent, nullptr, nullptr, 0));
    EXPECT_GT(maxComponent, 0u);
    EXPECT_FALSE(GetVolumeInformation("C:\\", nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0));
}

TEST_F(FileApi, OpenFileTakesProgramPaths)
{
    Write("Lists/Favourites.m3u", "#EXTM3U\n");
    FILE* file = platform::OpenFile(P("lists\\FAVOURITES.M3U").c_str(), "rt");
    ASSERT_NE(file, nullptr);
    char line[16] = {};
    EXPECT_NE(std::fgets(line, sizeof line, file), nullptr);
    EXPECT_STREQ(line, "#EXTM3U\n");
    std::fclose(file);

    file = platform::OpenFile(P("LISTS\\new.m3u").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(fs::exists(m_root / "Lists/new.m3u"));

    EXPECT_EQ(platform::OpenFile(P("Lists").c_str(), "r"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(platform::OpenFile(P("Lists\\none.m3u").c_str(), "r"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(platform::OpenFile(nullptr, "r"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
