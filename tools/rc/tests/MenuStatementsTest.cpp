// MENU, MENUEX, ACCELERATORS, TOOLBAR and VERSIONINFO statements, compiled and compared byte for byte.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tools/rc/Preprocessor.h"
#include "tools/rc/ResourceSet.h"
#include "tools/rc/ScriptParser.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Compiles a script written to the test's working folder; the resources, or the ScriptError.
std::vector<rc::Resource> Compile(const std::string& script)
{
    {
        std::ofstream out("test.rc", std::ios::binary | std::ios::trunc);
        out << "#define ID_NEW 100\n#define ID_OPEN 101\n#define ID_EXIT 0xE141\n" << script;
    }
    rc::Preprocessor preprocessor({});
    rc::TokenStream tokens(preprocessor.Run("test.rc"));
    rc::ResourceSet resources;
    rc::ScriptParser(tokens, preprocessor, resources).Run();
    return resources.Build();
}

const rc::Resource& Only(const std::vector<rc::Resource>& resources)
{
    EXPECT_EQ(resources.size(), 1U);
    return resources.front();
}

// Little-endian words and the UTF-16 of ASCII texts, for writing the expected data readably.
struct Expected {
    Bytes bytes;
    Expected& w(std::uint32_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    Expected& d(std::uint32_t v) { return w(v & 0xFFFF).w(v >> 16); }
    Expected& s(const char* text)
    {
        for (; *text; ++text)
            w(static_cast<unsigned char>(*text));
        return w(0);
    }
    Expected& pad()
    {
        while (bytes.size() % 4)
            bytes.push_back(0);
        return *this;
    }
};

TEST(MenuStatements, MenuTemplateMarksPopupsAndTheLastItemOfEachLevel)
{
    const auto resources = Compile(R"(
1 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&New\tCtrl+N", ID_NEW
        MENUITEM SEPARATOR
        MENUITEM "E&xit", ID_EXIT, CHECKED, GRAYED
    END
    MENUITEM "&Help", 7 HELP INACTIVE
END
)");
    const rc::Resource& menu = Only(resources);
    EXPECT_EQ(menu.type.number, 4);
    EXPECT_EQ(menu.name.number, 1);
    Expected e;
    e.w(0).w(0);
    e.w(0x10).s("&File");
    e.w(0).w(100).s("&New\tCtrl+N");
    e.w(0).w(0).w(0);
    e.w(0x80 | 0x08 | 0x01).w(0xE141).s("E&xit");
    e.w(0x80 | 0x4000 | 0x02).w(7).s("&Help");
    EXPECT_EQ(menu.data, e.bytes);
}

TEST(MenuStatements, ExtendedMenuTemplateAlignsItemsAndCarriesTypeStateAndHelpIds)
{
    const auto resources = Compile(R"(
MAIN MENUEX
BEGIN
    POPUP "&Edit", 200, , , 55
    BEGIN
        MENUITEM "Cu&t", ID_NEW, 0, 3
        MENUITEM SEPARATOR
    END
    MENUITEM L"Wide", ID_OPEN
END
)");
    const rc::Resource& menu = Only(resources);
    EXPECT_EQ(menu.name.name, "MAIN");
    Expected e;
    e.w(1).w(4).d(0);
    e.d(0).d(0).d(200).w(0x01).s("&Edit").pad().d(55);
    e.d(0).d(3).d(100).w(0).s("Cu&t").pad();
    e.d(0x800).d(0).d(0).w(0x80).s("").pad();
    e.d(0).d(0).d(101).w(0x80).s("Wide").pad();
    EXPECT_EQ(menu.data, e.bytes);
}

TEST(MenuStatements, AcceleratorKeysFlagsAndTheEndMark)
{
    const auto resources = Compile(R"(
ACCEL ACCELERATORS
BEGIN
    "n", ID_NEW, VIRTKEY, CONTROL, NOINVERT
    VK_F4, ID_EXIT, VIRTKEY, ALT
    "^O", ID_OPEN
    "q", 300, ASCII, ALT
    46, 301, VIRTKEY, SHIFT
END
)");
    Expected e;
    e.w(0x01 | 0x08 | 0x02).w('N').w(100).w(0);
    e.w(0x01 | 0x10).w(0x73).w(0xE141).w(0);
    e.w(0).w(15).w(101).w(0);
    e.w(0x10).w('q').w(300).w(0);
    e.w(0x80 | 0x01 | 0x04).w(46).w(301).w(0);
    EXPECT_EQ(Only(resources).type.number, 9);
    EXPECT_EQ(Only(resources).data, e.bytes);
}

TEST(MenuStatements, ToolbarListsButtonsWithZeroForSeparators)
{
    const auto resources = Compile("128 TOOLBAR 16, 15\nBEGIN\n BUTTON ID_NEW\n SEPARATOR\n BUTTON ID_OPEN\nEND\n");
    Expected e;
    e.w(1).w(16).w(15).w(3).w(100).w(0).w(101);
    EXPECT_EQ(Only(resources).type.number, 241);
    EXPECT_EQ(Only(resources).data, e.bytes);
}

TEST(MenuStatements, LanguageOfTheStatementIsKept)
{
    const auto resources = Compile("2 MENU LANGUAGE 7, 1\nBEGIN\n MENUITEM \"A\", 1\nEND\n");
    EXPECT_EQ(Only(resources).language, (1 << 10) | 7);
}

TEST(MenuStatements, VersionInfoNestsItsBlocksAndValuesOnWordPairs)
{
    const auto resources = Compile(R"(
1 VERSIONINFO
FILEVERSION 1,2,4,1048
PRODUCTVERSION 1,2
FILEFLAGSMASK 0x3fL
FILEOS 0x40004L
FILETYPE 1
BEGIN
    BLOCK "SFI"
    BEGIN
        VALUE "A", "xy"
        VALUE "B", "z\0"
    END
    VALUE "T", 0x409, 1200, 7L
END
)");
    const rc::Resource& version = Only(resources);
    EXPECT_EQ(version.type.number, 16);
    EXPECT_EQ(version.name.number, 1);
    Expected e;
    e.w(164).w(52).w(0).s("VS_VERSION_INFO").pad();
    e.d(0xFEEF04BD).d(0x00010000).d(0x00010002).d(0x00040418).d(0x00010002).d(0);
    e.d(0x3F).d(0).d(0x40004).d(1).d(0).d(0).d(0);
    // A text value counts its units with the one terminating zero; a zero the script wrote is that zero.
    e.w(52).w(0).w(1).s("SFI").pad();
    e.w(18).w(3).w(1).s("A").pad().s("xy").pad();
    e.w(16).w(2).w(1).s("B").pad().s("z");
    // Binary values count bytes: 16-bit numbers, 32-bit with L.
    e.w(20).w(8).w(0).s("T").pad().w(0x409).w(1200).d(7);
    EXPECT_EQ(version.data, e.bytes);
}

TEST(MenuStatements, FaultsAreReportedAtTheirLine)
{
    struct Case {
        const char* script;
        int line;
        const char* message;
    };
    const Case cases[] = {
        { "1 MENU\nBEGIN\n POPUP \"x\"\n BEGIN\n END\nEND\n", 3, "at least one item" },
        { "1 MENU\nBEGIN\n MENUITEM \"x\", 1\n", 2, "without END" },
        { "1 MENU\nBEGIN\n MENUITEM \"x\"\nEND\n", 4, "command id" },
        { "1 MENU\nBEGIN\n BUTTON 1\nEND\n", 3, "expected MENUITEM" },
        { "1 MENU\nBEGIN\n MENUITEM \"x\", 70000\nEND\n", 3, "out of range" },
        { "1 ACCELERATORS\nBEGIN\n \"^C\", 1, VIRTKEY\nEND\n", 3, "'^'" },
        { "1 ACCELERATORS\nBEGIN\n \"c\", 1, SHIFT\nEND\n", 3, "need VIRTKEY" },
        { "1 ACCELERATORS\nBEGIN\n \"ab\", 1\nEND\n", 3, "one character" },
        { "1 ACCELERATORS\nBEGIN\n VK_NOPE, 1, VIRTKEY\nEND\n", 3, "undefined symbol 'VK_NOPE'" },
        { "1 ACCELERATORS\nBEGIN\n \"c\", 1, ASCII, VIRTKEY\nEND\n", 3, "either ASCII or VIRTKEY" },
        { "1 TOOLBAR 16, 15\nBEGIN\n BUTTON 0\nEND\n", 3, "out of range" },
        { "1 TOOLBAR 16\nBEGIN\nEND\n", 2, "between the button width and height" },
        { "1 VERSIONINFO FILEVERSION 1, 70000\nBEGIN\nEND\n", 1, "out of range" },
        { "1 VERSIONINFO\nBEGIN\n VALUE \"A\", \"x\", 1\nEND\n", 3, "mixes texts and numbers" },
        { "1 VERSIONINFO\nBEGIN\n BLOCK \"x\"\n BEGIN\n", 3, "without END" },
        { "1 VERSIONINFO\nBEGIN\n FILEOS 4\nEND\n", 3, "expected BLOCK, VALUE or END" },
        { "1 MENU\nBEGIN\n MENUITEM \"x\", 1\nEND\n1 MENU\nBEGIN\n MENUITEM \"y\", 2\nEND\n", 5, "already defined" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        try {
            Compile(c.script);
            ADD_FAILURE() << "no error";
        } catch (const rc::ScriptError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(e.Location().line, c.line + 3) << e.what(); // the three #define lines come first
        }
    }
}

} // namespace
