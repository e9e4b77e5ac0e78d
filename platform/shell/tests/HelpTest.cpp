#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/base/Registry.h"
#include "platform/com/ComErrors.h"
#include "platform/shell/DesktopOpener.h"
#include "platform/shell/Help.h"

namespace {

namespace fs = std::filesystem;

class Help : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = platform::SetDesktopOpener([this](const std::string& target) {
            opened.push_back(target);
            return true;
        });
        std::ofstream("Tune Steward.chm") << "help";
        helpFile = platform::ToProgramPath((fs::current_path() / "Tune Steward.chm").string());
        nativeHelpFile = (fs::current_path() / "Tune Steward.chm").string();
    }
    void TearDown() override { platform::SetDesktopOpener(m_previous); }

    std::vector<std::string> opened;
    std::string helpFile;
    std::string nativeHelpFile;

private:
    platform::DesktopOpener m_previous;
};

// A library loaded for the test's length.
class Library {
public:
    explicit Library(const char* name)
        : module(LoadLibrary(name))
    {
    }
    ~Library()
    {
        if (module)
            FreeLibrary(module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE module;
};

} // namespace

TEST(HelpFileOf, TopicAndWindowArePartsOfTheArgumentNotOfTheFile)
{
    EXPECT_EQ(platform::HelpFileOf("C:\\Help\\a.chm"), "C:\\Help\\a.chm");
    EXPECT_EQ(platform::HelpFileOf("C:\\Help\\a.chm::/topic.htm"), "C:\\Help\\a.chm");
    EXPECT_EQ(platform::HelpFileOf("a.chm::/t.htm>main"), "a.chm");
    EXPECT_EQ(platform::HelpFileOf("a.chm>main"), "a.chm");
    EXPECT_EQ(platform::HelpFileOf(""), "");
}

TEST_F(Help, WinHelpOpensAnExistingFileAndFailsQuietlyOtherwise)
{
    EXPECT_TRUE(WinHelp(nullptr, helpFile.c_str(), HELP_CONTEXT, 1234));
    EXPECT_TRUE(WinHelp(nullptr, helpFile.c_str(), HELP_FINDER, 0));
    EXPECT_EQ(opened, (std::vector<std::string> { nativeHelpFile, nativeHelpFile }));
    opened.clear();
    EXPECT_TRUE(WinHelp(nullptr, helpFile.c_str(), HELP_QUIT, 0));
    EXPECT_FALSE(WinHelp(nullptr, "C:\\Help\\Tune Steward.chm", HELP_CONTEXT, 1));
    EXPECT_FALSE(WinHelp(nullptr, nullptr, HELP_FINDER, 0));
    EXPECT_TRUE(opened.empty());
}

TEST_F(Help, TheHelpControlIsFoundByNameAndByItsRegisteredClass)
{
    Library control("hhctrl.ocx");
    ASSERT_NE(control.module, nullptr);
    const auto entry = platform::ProcCast<HtmlHelpProc>(GetProcAddress(control.module, MAKEINTRESOURCE(14)));
    ASSERT_NE(entry, nullptr);
    EXPECT_NE(GetProcAddress(control.module, "HtmlHelpA"), nullptr);

    EXPECT_EQ(entry(nullptr, (helpFile + "::/intro.htm").c_str(), HH_HELP_CONTEXT, 42), nullptr);
    EXPECT_EQ(entry(nullptr, "Z:\\no\\such.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_EQ(entry(nullptr, helpFile.c_str(), HH_CLOSE_ALL, 0), nullptr);
    EXPECT_EQ(opened, (std::vector<std::string> { nativeHelpFile }));

    using ServerProc = HRESULT (*)();
    const auto registerServer = platform::ProcCast<ServerProc>(GetProcAddress(control.module, "DllRegisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
    char path[MAX_PATH] {};
    LONG size = sizeof path;
    ASSERT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", path, &size), ERROR_SUCCESS);
    Library registered(path);
    EXPECT_EQ(registered.module, control.module);
}

TEST(StartupHelpLibrary, ExportTwoLetsStartUpGoOn)
{
    Library library("CsHtml.dll");
    ASSERT_NE(library.module, nullptr);
    using StartProc = int (*)(LPCSTR, int);
    const auto start = platform::ProcCast<StartProc>(GetProcAddress(library.module, MAKEINTRESOURCE(2)));
    ASSERT_NE(start, nullptr);
    EXPECT_NE(start("C:\\Help\\Tune Steward.chm", 1), 0);
}
