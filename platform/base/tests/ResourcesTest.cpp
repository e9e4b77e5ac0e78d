#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/base/Modules.h"
#include "platform/base/Resources.h"
#include "platform/base/WinError.h"
#include "platform/base/tests/ResourcesTestIds.h"

namespace {

std::string LoadText(HINSTANCE module, UINT id)
{
    char buffer[256];
    const int n = LoadString(module, id, buffer, sizeof buffer);
    EXPECT_EQ(static_cast<std::size_t>(n), std::strlen(buffer));
    return buffer;
}

std::vector<BYTE> ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC info = FindResource(module, name, type);
    if (!info)
        return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, info)));
    return std::vector<BYTE>(data, data + SizeofResource(module, info));
}

TEST(Resources, StringTableTextComesBackAsUtf8)
{
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        { IDS_ESCAPES, "Tab\there, quote \" and \\ backslash\nnext AA" },
        { IDS_ADJACENT, "first second" },
        { IDS_SIZE, "Größe €" },
        { IDS_WIDE, "☺ smile and 😀" },
        { IDS_BLOCK_END, "end of block" },
        { IDS_BLOCK_START, "start of next block" },
        { IDS_MISSING_IN_BLOCK, "" },
        { 9999, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadText(nullptr, c.id), c.text) << "string " << c.id;
}

TEST(Resources, LoadStringCutsToTheBufferWithoutSplittingACharacter)
{
    // "Größe €" is 11 bytes: ö and ß take two, € three.
    const struct {
        int bufferSize;
        const char* text;
    } cases[] = {
        { 12, "Größe €" },
        { 11, "Größe " }, // room for 10 bytes would end inside the €
        { 4, "Gr" }, // room for 3 would end inside the ö
        { 1, "" },
    };
    for (const auto& c : cases) {
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(LoadString(nullptr, IDS_SIZE, buffer, c.bufferSize), static_cast<int>(std::strlen(c.text)));
        EXPECT_STREQ(buffer, c.text) << "buffer of " << c.bufferSize;
    }

    // A buffer size of 0 hands out the read-only text itself.
    const char* text = nullptr;
    EXPECT_EQ(LoadString(nullptr, IDS_SIZE, reinterpret_cast<LPSTR>(&text), 0), 11);
    EXPECT_STREQ(text, "Größe €");
    EXPECT_EQ(LoadString(nullptr, 9999, reinterpret_cast<LPSTR>(&text), 0), 0);
    EXPECT_EQ(text, nullptr);
}

TEST(Resources, CustomTypeAndRawDataKeepTheirBytes)
{
    std::ifstream file(TS_TEST_SOURCE_DIR "/ResourcesTest.rgs", std::ios::binary);
    const std::vector<BYTE> script { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
    ASSERT_FALSE(script.empty());
    // Types and names compare without regard to case; "#101" is id 101.
    EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCE(IDR_TESTREGISTRY), "REGISTRY"), script);
    EXPECT_EQ(ResourceBytes(nullptr, "#101", "registry"), script);

    // 16-bit items, 32-bit items with L, narrow strings as bytes, wide strings as UTF-16; no terminators added.
    const std::vector<BYTE> raw { 1, 0, 0x34, 0x12, 0, 0, 'a', 'b', 'c', 0, MAX_PATH & 0xFF, MAX_PATH >> 8 };
    EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCE(IDR_RAWDATA), RT_RCDATA), raw);
}

TEST(Resources, LanguagesAndFailuresAreTold)
{
    const LPCSTR block = MAKEINTRESOURCE(IDS_BLOCK_END / 16 + 1);
    // LoadString takes the neutral table; the German one is there for FindResourceEx.
    EXPECT_EQ(LoadText(nullptr, IDS_BLOCK_END), "end of block");
    EXPECT_NE(FindResourceEx(nullptr, RT_STRING, block, MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL)), nullptr);
    EXPECT_NE(FindResourceEx(nullptr, RT_STRING, block, MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT)),
        FindResource(nullptr, block, RT_STRING));

    const struct {
        HMODULE module;
        LPCSTR type;
        LPCSTR name;
        WORD language;
        DWORD error;
    } failures[] = {
        { nullptr, "NOSUCHTYPE", MAKEINTRESOURCE(1), LANG_NEUTRAL, ERROR_RESOURCE_TYPE_NOT_FOUND },
        { nullptr, RT_RCDATA, MAKEINTRESOURCE(8), LANG_NEUTRAL, ERROR_RESOURCE_NAME_NOT_FOUND },
        { nullptr, RT_STRING, block, MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL), ERROR_RESOURCE_LANG_NOT_FOUND },
        { reinterpret_cast<HMODULE>(0x1000), RT_RCDATA, MAKEINTRESOURCE(IDR_RAWDATA), LANG_NEUTRAL,
            ERROR_RESOURCE_DATA_NOT_FOUND },
    };
    for (const auto& f : failures) {
        SetLastError(0);
        EXPECT_EQ(FindResourceEx(f.module, f.type, f.name, f.language), nullptr);
        EXPECT_EQ(GetLastError(), f.error);
    }

    // A handle that is no resource is refused rather than read through.
    int notAResource = 0;
    const auto bogus = reinterpret_cast<HRSRC>(&notAResource);
    EXPECT_EQ(LoadResource(nullptr, bogus), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, bogus), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Resources, ResourceOnlyLibraryServesItsTableWhileLoaded)
{
    const HMODULE module = LoadLibrary("ResourceLibraryTest.dll");
    ASSERT_NE(module, nullptr);

    EXPECT_EQ(LoadText(module, IDS_LIBRARY_ONLY), "from the library");
    EXPECT_EQ(LoadText(nullptr, IDS_LIBRARY_ONLY), "");
    EXPECT_EQ(LoadText(module, IDS_SIZE), "");

    ASSERT_TRUE(FreeLibrary(module));
    SetLastError(0);
    EXPECT_EQ(FindResource(module, MAKEINTRESOURCE(IDS_LIBRARY_ONLY / 16 + 1), RT_STRING), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

struct CompilerRun {
    int exitCode { -1 };
    std::string output;
};

CompilerRun RunCompiler(const std::string& script)
{
    std::ofstream("bad.rc") << script;
    std::ofstream("ids.h") << "#define IDS_ONE 1\n";
    std::filesystem::remove("bad.cpp");
    CompilerRun run;
    FILE* pipe = popen("'" TS_TSRC_PATH "' -o bad.cpp bad.rc 2>&1", "r");
    if (!pipe)
        return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ResourceCompiler, ScriptFaultsNameFileAndLine)
{
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        { "#include \"ids.h\"\nSTRINGTABLE\nBEGIN\n  IDS_ONE \"no end\nEND\n", "bad.rc:4: error: unterminated string" },
        { "STRINGTABLE\nBEGIN\n  IDS_TWO \"x\"\nEND\n", "bad.rc:3: error: undefined symbol 'IDS_TWO'" },
        { "STRINGTABLE\nBEGIN\n  1 \"x\"\n  1 \"y\"\nEND\n",
            "bad.rc:4: error: string 1 is already defined at bad.rc:3" },
        { "\n\nSTRINGTABLE\nBEGIN\n  1 \"x\"\n", "bad.rc:3: error: STRINGTABLE without END" },
        { "101 REGISTRY \"missing.rgs\"\n", "bad.rc:1: error: cannot find file 'missing.rgs'" },
        { "#include \"missing.h\"\n", "bad.rc:1: error: cannot find include file 'missing.h'" },
        { "#ifdef X\n1 RCDATA { 1 }\n", "bad.rc:1: error: #if without #endif" },
        { "STRINGTABLE\nBEGIN\n  1 \"\\xE9t\\xE9\"\nEND\n",
            "bad.rc:3: error: the text of string 1 is not valid UTF-8" },
        { "1 RCDATA { 1 / (2 - 2) }\n", "bad.rc:1: error: division by zero" },
    };
    for (const auto& c : cases) {
        const CompilerRun run = RunCompiler(c.script);
        EXPECT_EQ(run.exitCode, 1) << c.script;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists("bad.cpp")) << c.script;
    }
}

TEST(ResourceCompiler, StatementsNotBuiltYetAreSkippedWithAWarning)
{
    std::ofstream("face.fnt") << "font";
    const CompilerRun run = RunCompiler("1 FONT \"face.fnt\"\nSTRINGTABLE { 1 \"kept\" }\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("bad.rc:1: warning: FONT"), std::string::npos) << run.output;
    EXPECT_TRUE(std::filesystem::exists("bad.cpp"));
}

} // namespace
