#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

#include <dlfcn.h>

#include <string>

#include <gtest/gtest.h>

namespace {

using IntFunction = int (*)();

int FunctionInTheExecutable() { return 0; }

} // namespace

TEST(Modules, LoadByNameCallByNameAndOrdinalCountUses)
{
    // The file is TsTestModule.so beside the test program; the name's case and extension do not matter.
    HMODULE module = LoadLibrary("tstestmodule.DLL");
    ASSERT_NE(module, nullptr) << GetLastError();
    EXPECT_EQ(LoadLibraryEx("TSTESTMODULE", nullptr, LOAD_LIBRARY_AS_DATAFILE), module);
    EXPECT_EQ(GetModuleHandle("TsTestModule.ocx"), module);

    auto answer = platform::ProcCast<IntFunction>(GetProcAddress(module, "TestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    auto seventh = platform::ProcCast<IntFunction>(GetProcAddress(module, MAKEINTRESOURCE(7)));
    ASSERT_NE(seventh, nullptr);
    EXPECT_EQ(seventh(), 7);
    EXPECT_EQ(platform::ModuleFromAddress(reinterpret_cast<const void*>(answer)), module);

    // Only the module's own exports are found, not those of the libraries it uses.
    EXPECT_EQ(GetProcAddress(module, "Missing"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetProcAddress(module, "malloc"), nullptr);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCE(8)), nullptr);

    char name[MAX_PATH];
    const DWORD length = GetModuleFileName(module, name, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::string(name, length), platform::ToProgramPath(platform::ProgramFolder()) + "\\TsTestModule.so");
    // A path loads the same module, counted once more.
    EXPECT_EQ(LoadLibrary((platform::ToProgramPath(platform::ProgramFolder()) + "\\TSTESTMODULE.dll").c_str()), module);

    // Three uses: the module stays until the third FreeLibrary, then is gone.
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandle("TsTestModule.dll"), module);
    EXPECT_EQ(platform::ProcCast<IntFunction>(GetProcAddress(module, "TestModuleAnswer"))(), 42);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandle("TsTestModule.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Modules, MissingModulesAndTheExecutable)
{
    for (const char* name : { "NoSuchModule.dll", "Z:\\nowhere\\x.dll", "C:\\x.dll" }) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibrary(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND) << name;
    }
    EXPECT_EQ(LoadLibrary(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    // The executable's handle is its load base, as the loader reports it for any address inside.
    Dl_info info {};
    ASSERT_NE(dladdr(reinterpret_cast<const void*>(&FunctionInTheExecutable), &info), 0);
    EXPECT_EQ(static_cast<void*>(GetModuleHandle(nullptr)), info.dli_fbase);
    EXPECT_EQ(GetModuleHandle("platform_base_tests.exe"), GetModuleHandle(nullptr));
    EXPECT_NE(GetModuleHandle("tsbase.dll"), nullptr);

    // The size protocol: a cut text with its zero, nSize returned.
    char full[MAX_PATH];
    const DWORD length = GetModuleFileName(nullptr, full, MAX_PATH);
    ASSERT_GT(length, 10u);
    EXPECT_EQ(std::string(full, length), platform::ToProgramPath(platform::ProgramFolder()) + "\\platform_base_tests");
    char cut[8];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileName(nullptr, cut, sizeof cut), sizeof cut);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(cut), std::string(full, 7));
    EXPECT_EQ(GetModuleFileName(reinterpret_cast<HMODULE>(0x10), full, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

    const UINT before = SetErrorMode(SEM_FAILCRITICALERRORS);
    EXPECT_EQ(SetErrorMode(before), SEM_FAILCRITICALERRORS);
}
