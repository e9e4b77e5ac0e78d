#include "platform/base/Paths.h"

#include <filesystem>
#include <fstream>

#include "platform/base/WinError.h"

#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

} // namespace

TEST(Paths, FullProgramPathWorksOnTheTextAlone)
{
    const std::string cwd = ToProgramPath(fs::current_path().string());
    struct Case {
        const char* given;
        std::string expected;
    } cases[] = {
        { "Z:\\Music\\.\\Pop\\..\\Rock", "Z:\\Music\\Rock" },
        { "/usr//lib/", "Z:\\usr\\lib\\" },
        { "\\a\\b", "Z:\\a\\b" },
        { "c:\\x\\..\\..\\y", "c:\\y" },
        { "\\\\server\\share\\a\\..\\b", "\\\\server\\share\\b" },
        { "Sub\\File.txt", cwd + "\\Sub\\File.txt" },
        { "z:Sub", cwd + "\\Sub" },
        { "..", fs::current_path().parent_path().string() == "/" ? "Z:\\" : cwd.substr(0, cwd.rfind('\\')) },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FullProgramPath(c.given), c.expected) << c.given;
}

TEST(Paths, ExistingNamesResolveWithoutRegardToCase)
{
    const fs::path cwd = fs::current_path();
    Touch(cwd / "Music" / "Song.MP3");
    Touch(cwd / "Music" / "Dup.txt");
    Touch(cwd / "Music" / "DUP.txt");
    const std::string base = ToProgramPath(cwd.string());

    struct Case {
        std::string given;
        std::string expected;
    } cases[] = {
        { base + "\\music\\song.mp3", (cwd / "Music/Song.MP3").string() },
        { "MUSIC/SONG.mp3", (cwd / "Music/Song.MP3").string() },
        { "music\\DUP.txt", (cwd / "Music/DUP.txt").string() }, // the exact spelling wins
        { "music\\Dup.txt", (cwd / "Music/Dup.txt").string() },
        { "music\\New\\sub\\..\\Cover.jpg", (cwd / "Music/New/Cover.jpg").string() }, // the missing part is kept
        { "Z:\\", "/" },
        { "\\tmp\\", "/tmp" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToNativePath(c.given), c.expected) << c.given;
}

TEST(Paths, OtherDrivesAndNetworkPathsDoNotExist)
{
    for (const char* given : { "C:\\Music", "d:", "\\\\server\\share\\x", "" }) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ToNativePath(given), "") << given;
        EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND) << given;
    }
}

TEST(Paths, NativePathsMapBackToDriveZ)
{
    EXPECT_EQ(ToProgramPath("/home/u/Music"), "Z:\\home\\u\\Music");
    EXPECT_EQ(ToProgramPath("/"), "Z:\\");
    EXPECT_EQ(ToProgramPath("/a/./b/../c/"), "Z:\\a\\c");
    EXPECT_EQ(ToProgramPath("rel/x"), ToProgramPath(fs::current_path().string()) + "\\rel\\x");
}
