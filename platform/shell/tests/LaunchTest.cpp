#include <gtest/gtest.h>

#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/HandleTable.h"
#include "platform/base/Paths.h"
#include "platform/base/Wait.h"
#include "platform/base/WinError.h"
#include "platform/shell/DesktopOpener.h"
#include "platform/shell/Process.h"
#include "platform/shell/ShellApi.h"
#include "platform/user/WinUser.h"

namespace {

namespace fs = std::filesystem;

// Writes an executable shell script and gives its program path.
std::string MakeScript(const std::string& name, const std::string& body)
{
    const fs::path file = fs::current_path() / name;
    std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(file, fs::perms::owner_all);
    return platform::ToProgramPath(file.string());
}

// Captures what would go to the desktop's opener for the test's length.
class OpenerSpy {
public:
    explicit OpenerSpy(bool succeed = true)
    {
        m_previous = platform::SetDesktopOpener([this, succeed](const std::string& target) {
            opened.push_back(target);
            return succeed;
        });
    }
    ~OpenerSpy() { platform::SetDesktopOpener(m_previous); }
    std::vector<std::string> opened;

private:
    platform::DesktopOpener m_previous;
};

DWORD WaitForExit(HANDLE process)
{
    EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    return code;
}

} // namespace

TEST(SplitCommandLine, WordsAsAStartedProgramSeesThem)
{
    struct Case {
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        { "", {} },
        { "   ", {} },
        { "prog", { "prog" } },
        { "\"C:\\Program Files\\W\\Up.exe\" CorvaneTuneSteward", { "C:\\Program Files\\W\\Up.exe", "CorvaneTuneSteward" } },
        { "prog  a\tb", { "prog", "a", "b" } },
        { "prog \"a b\" c", { "prog", "a b", "c" } },
        { "prog a\\\\b", { "prog", "a\\\\b" } },
        { "prog a\\\"b", { "prog", "a\"b" } },
        { "prog \"a\\\\\" b", { "prog", "a\\", "b" } },
        { "prog \"say \"\"hi\"\"\"", { "prog", "say \"hi\"" } },
        { "C:\\dir\\ a", { "C:\\dir\\", "a" } },
        { "prog \"unclosed arg", { "prog", "unclosed arg" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::SplitCommandLine(c.line), c.words) << c.line;
}

TEST(CreateProcess, AMissingProgramFailsWithFileNotFound)
{
    for (const char* line : { "\"C:\\Program Files\\Common Files\\Updates\\WebUpdate.exe\" CorvaneTuneSteward",
             "Z:\\no\\such\\folder\\tool.exe", "no-such-program-here", "   " }) {
        std::string text(line);
        PROCESS_INFORMATION info;
        STARTUPINFO startup;
        GetStartupInfo(&startup);
        SetLastError(0);
        EXPECT_FALSE(CreateProcess(nullptr, text.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &info)) << line;
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << line;
        EXPECT_EQ(info.hProcess, nullptr);
    }
    EXPECT_EQ(WinExec("Z:\\no\\such\\tool", SW_SHOWNORMAL), ERROR_FILE_NOT_FOUND);
}

TEST(CreateProcess, StartsTheProgramWithItsArgumentsAndSignalsItsEnd)
{
    fs::create_directory("work dir");
    const std::string script = MakeScript("echo args.exe.sh", "printf '%s|' \"$@\" > out.txt; echo >> out.txt; pwd >> out.txt; exit 7");
    // Unquoted, the program's name is the shortest run of words that names a file.
    std::string line = script + " one \"two three\" a\\\"b";
    const std::string folder = platform::ToProgramPath((fs::current_path() / "work dir").string());
    PROCESS_INFORMATION info;
    ASSERT_TRUE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, folder.c_str(), nullptr, &info));
    EXPECT_EQ(WaitForExit(info.hProcess), 7u);
    EXPECT_EQ(WaitForSingleObject(info.hThread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(info.hThread));
    EXPECT_TRUE(CloseHandle(info.hProcess));

    std::ifstream out("work dir/out.txt");
    std::string args, pwd;
    std::getline(out, args);
    std::getline(out, pwd);
    EXPECT_EQ(args, "one|two three|a\"b|");
    EXPECT_EQ(fs::path(pwd).filename(), "work dir");
}

TEST(CreateProcess, AFileThatCannotRunIsRefused)
{
    std::ofstream("notes.txt") << "text";
    std::string line = "notes.txt";
    PROCESS_INFORMATION info;
    EXPECT_FALSE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(ShellExecute, ProgramsStartAndDocumentsGoToTheOpener)
{
    OpenerSpy spy;
    const std::string script = MakeScript("tool", "echo \"$1\" > ran.txt");
    std::ofstream("song list.txt") << "x";
    fs::create_directory("Covers");
    const std::string here = platform::ToProgramPath(fs::current_path().string());

    struct Case {
        const char* verb;
        std::string file;
        INT_PTR result;
        std::string opened; // what reached the opener, empty for nothing
    };
    const Case cases[] = {
        { nullptr, here + "\\song list.txt", 42, (fs::current_path() / "song list.txt").string() },
        { "open", here + "\\covers", 42, (fs::current_path() / "Covers").string() },
        { "explore", here + "\\Covers", 42, (fs::current_path() / "Covers").string() },
        { "open", "http://example.invalid/update", 42, "http://example.invalid/update" },
        { "open", here + "\\missing.txt", SE_ERR_FNF, "" },
        { "open", here + "\\missing\\x.txt", SE_ERR_PNF, "" },
        { "print", here + "\\song list.txt", SE_ERR_NOASSOC, "" },
        { "open", "", SE_ERR_FNF, "" },
    };
    for (const Case& c : cases) {
        spy.opened.clear();
        const auto result = reinterpret_cast<INT_PTR>(ShellExecute(nullptr, c.verb, c.file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        EXPECT_EQ(result > 32 ? 42 : result, c.result) << c.file;
        EXPECT_EQ(spy.opened, c.opened.empty() ? std::vector<std::string> {} : std::vector<std::string> { c.opened }) << c.file;
    }

    SHELLEXECUTEINFO info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = script.c_str();
    info.lpParameters = "\"an argument\"";
    ASSERT_TRUE(ShellExecuteEx(&info));
    ASSERT_NE(info.hProcess, nullptr);
    EXPECT_EQ(WaitForExit(info.hProcess), 0u);
    CloseHandle(info.hProcess);
    std::string ran;
    std::getline(std::ifstream("ran.txt"), ran);
    EXPECT_EQ(ran, "an argument");
    EXPECT_TRUE(spy.opened.empty());
}

TEST(ShellExecute, WithoutAnOpenerADocumentFailsQuietly)
{
    OpenerSpy spy(false);
    std::ofstream("help.chm") << "x";
    const std::string file = platform::ToProgramPath((fs::current_path() / "help.chm").string());
    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
    SHELLEXECUTEINFO info;
    info.lpFile = file.c_str();
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(GetLastError(), ERROR_NO_ASSOCIATION);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hInstApp), SE_ERR_NOASSOC);
}
