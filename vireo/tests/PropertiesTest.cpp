#include "vireo/Properties.h"
#include "vireo/Registrations.h"

#include <filesystem>
#include <fstream>

#include "platform/base/Debug.h"

#include <gtest/gtest.h>

using namespace vireo;

namespace {

void WriteFile(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

TEST(Properties, LoadReadsOneEntryPerLine)
{
    WriteFile("a.prp", "a=1\nb=\"x;y\"\r\nc\n\nd=a;b\ne=a=b\n#x\nlast=1");
    Properties props;
    EXPECT_EQ(props.Load("a.prp"), 7);
    EXPECT_EQ(props.GetString("a"), "1");
    EXPECT_EQ(props.GetString("b"), "x;y");
    EXPECT_TRUE(props.Has("c"));
    EXPECT_EQ(props.GetString("c"), "");
    // An empty line is skipped; the lines after it still load.
    EXPECT_EQ(props.GetString("d"), "a");
    EXPECT_EQ(props.GetString("e"), "a");
    EXPECT_TRUE(props.Has(""));
    EXPECT_EQ(props.GetString("last"), "1");
    EXPECT_EQ(Properties().Load("missing.prp"), 0);
}

TEST(Properties, ADamagedLineLoadsWhatItCanAndIsReported)
{
    using namespace std::string_literals;
    WriteFile("damaged.prp", "a=1\nb=\"unterminated;x\n\0\0\0\nc=3\n"s);
    std::string log;
    const auto previous = platform::SetDebugOutputHook([&](std::string_view text) { log += text; });
    const Properties props("damaged.prp");
    platform::SetDebugOutputHook(previous);
    EXPECT_EQ(props.GetString("a"), "1");
    EXPECT_EQ(props.GetString("b"), "unterminated;x");
    EXPECT_EQ(props.GetString("c"), "3");
    EXPECT_EQ(log, "Properties file damaged.prp line 2 has an unterminated quote.\n");
}

TEST(Properties, LongLinesLoadWhole)
{
    const std::string value(5000, 'v');
    WriteFile("long.prp", "k=" + value + "\nnext=1\n");
    const Properties props("long.prp");
    EXPECT_EQ(props.GetString("k"), value);
    EXPECT_EQ(props.GetString("next"), "1");
}

TEST(Properties, SaveWritesWhatLoadReadsBack)
{
    Properties props;
    props.SetString("b", "x;y");
    props.SetString("a", "say \"hi\"\nthere");
    props.SetString("empty", "");
    props.SetList("list", { "1", "2" });
    EXPECT_EQ(props.Save("out.prp"), 4u);
    EXPECT_EQ(ReadFile("out.prp"), "a=\"say \"\"hi\"\"\nthere\"\nb=\"x;y\"\nempty=\nlist=1,2\n");

    // A value holding a line feed is cut at it: one line per entry is the file's format.
    Properties back("out.prp");
    EXPECT_EQ(back.GetString("b"), "x;y");
    EXPECT_EQ(back.GetList("list"), (StringList { "1", "2" }));
    EXPECT_EQ(back.GetString("empty"), "");
}

TEST(Properties, ReadonlyPropertiesAreNotSaved)
{
    WriteFile("ro.prp", "keep=1\n");
    Properties props;
    props.SetBool(kPropertiesReadonly, true);
    props.SetString("x", "2");
    EXPECT_EQ(props.Save("ro.prp"), 0u);
    EXPECT_EQ(ReadFile("ro.prp"), "keep=1\n");
}

TEST(Properties, ArgumentsSkipTheProgramName)
{
    const char* argv[] = { "Library", "port=1600", "router.port=1500", "flag" };
    const Properties props(4, argv);
    EXPECT_EQ(props.Size(), 3u);
    EXPECT_EQ(props.GetInt("port"), 1600);
    EXPECT_FALSE(props.Has("Library"));
}

TEST(Properties, ChainedFilesLoadFirstAndTheNamingPropertiesWin)
{
    WriteFile("base.prp", "shared=base\nbaseOnly=1\n");
    WriteFile("mid.prp", "Properties.chain=base.prp\nshared=mid\nmidOnly=1\n");
    const char* argv[] = { "Library", "Properties.chain=mid.prp", "shared=args" };
    Properties props;
    props.LoadArguments(3, argv);
    EXPECT_EQ(props.GetString("shared"), "args");
    EXPECT_EQ(props.GetString("baseOnly"), "1");
    EXPECT_EQ(props.GetString("midOnly"), "1");
    EXPECT_EQ(props.GetList(kPropertiesChain), (StringList { "mid.prp" }));

    EXPECT_EQ(props.LoadChained("mid.prp"), 0u);
    WriteFile("late.prp", "late=1\n");
    EXPECT_GT(props.LoadChained("late.prp"), 0u);
    EXPECT_EQ(props.GetString("late"), "1");
}

TEST(Properties, ChainsThatLeadBackStop)
{
    WriteFile("self.prp", "Properties.chain=self.prp\nself=1\n");
    WriteFile("a.prp", "Properties.chain=b.prp\na=1\n");
    WriteFile("b.prp", "Properties.chain=a.prp\nb=1\n");
    Properties self;
    self.LoadChained("self.prp");
    EXPECT_EQ(self.GetString("self"), "1");

    Properties loop;
    loop.LoadChained("a.prp");
    EXPECT_EQ(loop.GetString("a"), "1");
    EXPECT_EQ(loop.GetString("b"), "1");

    Properties assigned;
    assigned.SetString("gone", "1");
    AttributeValueMap init;
    init.SetString(kPropertiesChain, "b.prp");
    assigned.AssignChained(init);
    EXPECT_FALSE(assigned.Has("gone"));
    EXPECT_EQ(assigned.GetString("a"), "1");
}

TEST(Registrations, PatternsMatchExactlyOrByTrailingWildcard)
{
    Registrations regs;
    EXPECT_EQ(regs.Register("r", "Process.*"), 1u);
    EXPECT_EQ(regs.Register("r", "Process.*"), 1u);
    regs.Register("star", "*");
    regs.Register("exact", "Message.x");
    EXPECT_EQ(regs.Registrants("Process.ready"), (StringList { "r" }));
    EXPECT_EQ(regs.Registrants("Process.connected"), (StringList { "r" }));
    EXPECT_EQ(regs.Registrants("Message.x"), (StringList { "exact" }));
    EXPECT_EQ(regs.Registrants("*"), (StringList { "star" }));
    EXPECT_TRUE(Registrations::Matches("Pro*cess", "Process.ready"));
    EXPECT_FALSE(Registrations::Matches("*ready", "Process.ready"));

    EXPECT_EQ(regs.Register("r", "File.*"), 2u);
    EXPECT_EQ(regs.Unregister("r", "Process.*"), 1u);
    EXPECT_EQ(regs.Unregister("r", "File.*"), 0u);
    EXPECT_FALSE(regs.Has("r"));
}
