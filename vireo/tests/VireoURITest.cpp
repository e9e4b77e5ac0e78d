#include "vireo/VireoURI.h"

#include <filesystem>
#include <fstream>
#include <thread>

#include "vireo/VireoTime.h"

#include <gtest/gtest.h>

using namespace vireo;

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

TEST(VireoURI, ParsesEveryPartAndWritesItBack)
{
    const VireoURI uri("vqp://dev1/Library?a=1;b=2#Music.query");
    EXPECT_EQ(uri.Access().Value(), "vqp");
    EXPECT_EQ(uri.HostValue(), "dev1");
    EXPECT_EQ(uri.PathValue(), "Library");
    EXPECT_EQ(uri.GetString("a"), "1");
    EXPECT_EQ(uri.GetString("b"), "2");
    EXPECT_EQ(uri.AnchorValue(), "Music.query");
    EXPECT_EQ(uri.Text(), "vqp://dev1/Library?a=1;b=2#Music.query");
    EXPECT_EQ(uri.Describe(),
        "URI[access:vqp host:dev1 path:Library args[[attribute:a value:1][attribute:b value:2]] anchor:Music.query]");
}

TEST(VireoURI, ParsingOverAUriChangesOnlyTheNamedParts)
{
    struct Case {
        const char* text;
        const char* scheme;
        const char* host;
        const char* path;
        const char* anchor;
    };
    // Parsed over a URI with scheme vqp, host base, path Old and anchor Name.
    const Case cases[] = {
        { "Library", "vqp", "base", "Library", "Name" },
        { "//dev1/Library", "vqp", "dev1", "Library", "Name" },
        { "#Name!x#y", "vqp", "base", "", "Name!x#y" },
        { "Library#", "vqp", "base", "Library", "Name" },
        { "x:Lib", "x", "base", "Lib", "Name" },
        // A colon always ends a scheme: ports never appear in URIs.
        { "//dev1:1500/Lib", "dev1", "base", "1500/Lib", "Name" },
        { "//dev1", "vqp", "dev1", "Old", "Name" },
        { "a/b", "vqp", "base", "a/b", "Name" },
    };
    for (const Case& c : cases) {
        VireoURI uri;
        uri.AssignParts("vqp", "base", "Old", "Name", {});
        uri.Parse(c.text);
        EXPECT_EQ(uri.Access().Value(), c.scheme) << c.text;
        EXPECT_EQ(uri.HostValue(), c.host) << c.text;
        EXPECT_EQ(uri.PathValue(), c.path) << c.text;
        EXPECT_EQ(uri.AnchorValue(), c.anchor) << c.text;
    }
}

TEST(VireoURI, FirstArgumentWinsAndExistingArgumentsStay)
{
    EXPECT_EQ(VireoURI("?a=1&a=2").GetString("a"), "1");
    VireoURI uri;
    uri.SetArg("a", "mine");
    uri.Parse("Lib?a=theirs;b=new");
    EXPECT_EQ(uri.GetString("a"), "mine");
    EXPECT_EQ(uri.GetString("b"), "new");
    EXPECT_EQ(uri.Resolve("?c=1").GetString("c"), "1");
    EXPECT_FALSE(uri.Has("c"));
}

TEST(VireoURI, QuotedArgumentsSurviveTheRoundTrip)
{
    VireoURI uri("Library", "Music.query");
    uri.SetArg("title", "a#b;c").SetArg("n", 5).SetArg("flag", true).SetArg("q", "\"quoted\"");
    const VireoURI back(uri.Text());
    EXPECT_EQ(back.GetString("title"), "a#b;c");
    EXPECT_EQ(back.GetInt("n"), 5);
    EXPECT_TRUE(back.GetBool("flag"));
    EXPECT_EQ(back.GetString("q"), "\"quoted\"");
    EXPECT_EQ(back.AnchorValue(), "Music.query");
    EXPECT_EQ(back.Text(), uri.Text());

    VireoURI outer("Router", "Forward");
    outer.SetArg("inner", uri);
    EXPECT_EQ(VireoURI(outer.Text()).GetURI("inner").GetString("title"), "a#b;c");
}

TEST(VireoURI, TargetsAreComparedWithTheLocalHost)
{
    VireoURI::SetLocalHostName("dev1");
    const VireoURI uri("//dev1/Library");
    EXPECT_EQ(uri.TargetName("dev1"), "Library");
    EXPECT_EQ(uri.TargetName("other"), "//dev1/Library");
    VireoURI noHost("Library");
    noHost.SetAuthority("");
    EXPECT_EQ(noHost.TargetName("other"), "Library");

    EXPECT_TRUE(uri.SameTarget("//localhost/Library"));
    EXPECT_TRUE(uri.SameTarget("Library"));
    EXPECT_FALSE(uri.SameTarget("//dev2/Library"));
    EXPECT_FALSE(uri.SameTarget("//dev1/System"));
    EXPECT_EQ(VireoURI().HostValue(), "dev1");
    // A text that names no host (or where "//" leads to no host) takes the local one; one that names
    // an empty host keeps it empty.
    const std::pair<const char*, const char*> hosts[] = { { "Library#Ping", "dev1" }, { "//dev2/Library", "dev2" },
        { "vqp:///Library", "" }, { "//dev2", "dev2" }, { "//dev2#Ping", "dev1" }, { "", "dev1" } };
    for (const auto& [text, host] : hosts)
        EXPECT_EQ(VireoURI(text).HostValue(), host) << text;
    VireoURI::SetLocalHostName("");
}

TEST(VireoURI, SmallPayloadsTravelInline)
{
    const auto spillCount = [] {
        std::error_code ec;
        const auto entries = std::filesystem::directory_iterator(kSpillDirectory, ec);
        return ec ? 0 : std::distance(begin(entries), end(entries));
    };
    const auto spilledBefore = spillCount();
    VireoURI uri("Library", "Music.create");
    uri.SetPayload(std::string(kInlinePayloadLimit - 1, 'p'));
    EXPECT_FALSE(uri.HasPayloadFile());
    EXPECT_EQ(uri.AnchorValue(), "Music.create!" + std::string(kInlinePayloadLimit - 1, 'p'));
    EXPECT_EQ(uri.Payload().size(), kInlinePayloadLimit - 1);
    EXPECT_EQ(uri.WireText(), uri.Text());
    EXPECT_EQ(spillCount(), spilledBefore);

    VireoURI empty("Library", "Music.create");
    empty.SetPayload("");
    EXPECT_EQ(empty.PayloadRef(), "");
}

TEST(VireoURI, LargePayloadsSpillToAFileAndInlineOnTheWire)
{
    const std::string payload(kInlinePayloadLimit, 'q');
    VireoURI uri("Library", "Music.create");
    uri.SetPayload(payload);
    ASSERT_TRUE(uri.HasPayloadFile());
    const std::string name = uri.PayloadRef();
    EXPECT_EQ(uri.AnchorValue(), "Music.create@" + name);
    EXPECT_EQ(ReadFile(std::filesystem::path(kSpillDirectory) / name), payload);
    EXPECT_EQ(uri.Payload(), payload);

    VireoURI inline_("Library", "Music.create");
    inline_.SetAnchor("Music.create!" + payload);
    EXPECT_EQ(uri.WireText(), inline_.Text());

    VireoURI::RemoveSpillFile(name);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(kSpillDirectory) / name));

    // The folder comes back when it has gone, as it does when the current directory changes.
    std::filesystem::remove_all(kSpillDirectory);
    VireoURI again("Library", "Music.create");
    again.SetPayload(payload);
    EXPECT_EQ(again.Payload(), payload);
}

TEST(VireoURI, PayloadsAboveAMegabyteReadBackWhole)
{
    std::string payload(3 * 1000 * 1000 + 17, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(i * 31);
    VireoURI uri("Library", "File.data");
    uri.SetPayload(payload);
    EXPECT_EQ(uri.Payload(), payload);
}

TEST(VireoURI, ConcurrentSpillsNeverShareAFile)
{
    constexpr int kThreads = 8;
    constexpr int kEach = 40;
    std::vector<std::vector<std::string>> names(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &names] {
            for (int i = 0; i < kEach; ++i)
                names[t].push_back(VireoURI::WriteSpillFile(std::string(kInlinePayloadLimit, static_cast<char>('a' + t))));
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t) {
        for (const std::string& name : names[t])
            ASSERT_EQ(VireoURI::ReadSpillFile(name), std::string(kInlinePayloadLimit, static_cast<char>('a' + t)));
    }
}

TEST(VireoURI, AFullSpillFolderGivesTheErrorNameAndAnEmptyPayload)
{
    std::filesystem::create_directory(kSpillDirectory);
    for (int i = 0; i < 1000; ++i)
        std::ofstream(std::filesystem::path(kSpillDirectory) / ("tf" + std::to_string(i))) << "old";
    VireoURI uri("Library", "Music.create");
    uri.SetPayload(std::string(kInlinePayloadLimit, 'x'));
    EXPECT_EQ(uri.PayloadRef(), kSpillError);
    EXPECT_EQ(uri.Payload(), "");
    EXPECT_EQ(ReadFile(std::filesystem::path(kSpillDirectory) / "tf5"), "old");
}

TEST(VireoURI, SpillNamesCannotLeaveTheSpillFolder)
{
    std::ofstream("secret") << "keep";
    const VireoURI uri("Library#Music.create@../secret");
    EXPECT_TRUE(uri.HasPayloadFile());
    EXPECT_EQ(uri.Payload(), "");
    VireoURI::RemoveSpillFile("../secret");
    VireoURI::RemoveSpillFile("..");
    EXPECT_EQ(ReadFile("secret"), "keep");
    EXPECT_EQ(VireoURI::ReadSpillFile("tf-missing"), "");
}

TEST(VireoURI, KnownHostsKeepOneRecordPerHost)
{
    EXPECT_FALSE(VireoURI::HasHost("udn-1"));
    AttributeValueMap record;
    record.SetString("IPaddress", "127.0.0.1");
    VireoURI::SetHost("udn-1", record);
    VireoURI::SetHostOnline("udn-1", true);
    VireoURI::SetHostAttribute("udn-1", "friendlyName", "Den; upstairs");
    const AttributeValueMap stored = VireoURI::HostRecord("udn-1");
    EXPECT_EQ(stored.GetString("IPaddress"), "127.0.0.1");
    EXPECT_EQ(stored.GetString("online"), "true");
    EXPECT_EQ(stored.GetString("friendlyName"), "Den; upstairs");
}
