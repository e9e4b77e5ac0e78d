#include "vireo/Event.h"
#include "vireo/Fragment.h"
#include "vireo/Message.h"

#include <gtest/gtest.h>

using namespace vireo;

TEST(Message, NameEndsAtThePayloadMarker)
{
    struct Case {
        const char* anchor;
        const char* name;
    };
    const Case cases[] = {
        { "Music.query!<x/>", "Music.query" },
        { "File.get@tf12", "File.get" },
        { "Process.identity", "Process.identity" },
        { "", "" },
        { "!only", "" },
    };
    for (const Case& c : cases) {
        Message message("Library", c.anchor);
        EXPECT_EQ(message.Name(), c.name) << c.anchor;
    }
}

TEST(Message, ConstructorsAddressTheTarget)
{
    VireoURI::SetLocalHostName("desk");
    const Message message("Library", "Music.query", "id", "7");
    EXPECT_EQ(message.Text(), "vqp://desk/Library?id=7#Music.query");
    const Message remote("//dev1/System", "Process.status");
    EXPECT_EQ(remote.Text(), "vqp://dev1/System#Process.status");

    const Message resolved = message.Resolve("//dev2/Media?id=8;extra=1");
    EXPECT_EQ(resolved.HostValue(), "dev2");
    EXPECT_EQ(resolved.PathValue(), "Media");
    EXPECT_EQ(resolved.GetString("id"), "7");
    EXPECT_EQ(resolved.GetString("extra"), "1");
    EXPECT_EQ(resolved.Name(), "Music.query");
    VireoURI::SetLocalHostName("");
}

TEST(Event, CarriesSenderAndType)
{
    const Event event("System", "//udn/Library", "Process.autoready");
    EXPECT_EQ(event.Name(), kEventNotify);
    EXPECT_EQ(event.Sender(), "//udn/Library");
    EXPECT_EQ(event.Type(), "Process.autoready");
    EXPECT_TRUE(IsEvent(event));

    const Event bare(Message("System", "Event.notify"));
    EXPECT_EQ(bare.Sender(), "");
    EXPECT_EQ(bare.Type(), "");
    EXPECT_FALSE(IsEvent(Message("System", "Event.notifyx")));
    EXPECT_FALSE(IsEvent(Message("System", "event.notify")));
    EXPECT_TRUE(IsEvent(Message("System", "Event.notify!payload")));
}

TEST(Fragment, CutsALongTextIntoNumberedPieces)
{
    std::string text(5000, 'm');
    text[1935] = 'A';
    text[1936] = 'B';
    Fragment fragment;
    std::vector<Fragment> pieces;
    while (!text.empty())
        pieces.push_back(fragment.Next(text, "Library-7", 2000));
    ASSERT_EQ(pieces.size(), 3u);
    const std::size_t sizes[] = { 1936, 1936, 1128 };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pieces[i].Index(), i + 1);
        EXPECT_EQ(pieces[i].Count(), 3);
        EXPECT_EQ(pieces[i].MessageID(), "Library-7");
        EXPECT_EQ(pieces[i].Body().size(), sizes[i]);
    }
    EXPECT_EQ(pieces[0].Body().back(), 'A');
    EXPECT_EQ(pieces[1].Body().front(), 'B');
    EXPECT_EQ(pieces[0].Text(), "!count=3;index=1;messageID=Library-7!" + pieces[0].Body());

    std::string exact(1936, 'e');
    Fragment single;
    single.Next(exact, "A-1", 2000);
    EXPECT_EQ(single.Count(), 1);
    EXPECT_TRUE(exact.empty());
}

TEST(Fragment, ParsesTheDatagramForm)
{
    struct Case {
        const char* text;
        int index;
        int count;
        const char* id;
        const char* body;
    };
    const Case cases[] = {
        { "!count=2;index=2;messageID=A-1!xyz", 2, 2, "A-1", "xyz" },
        { "!count=2;index=1;messageID=A-1!x!y", 1, 2, "A-1", "x!y" },
        { "!count=2;index=1", 1, 2, "", "" },
        { "!", 0, 0, "", "" },
        { "", 0, 0, "", "" },
        { "!!", 0, 0, "", "" },
    };
    for (const Case& c : cases) {
        const Fragment fragment { std::string(c.text) };
        EXPECT_EQ(fragment.Index(), c.index) << c.text;
        EXPECT_EQ(fragment.Count(), c.count) << c.text;
        EXPECT_EQ(fragment.MessageID(), c.id) << c.text;
        EXPECT_EQ(fragment.Body(), c.body) << c.text;
    }
    EXPECT_TRUE(IsFragmentText("!x"));
    EXPECT_FALSE(IsFragmentText(""));
    EXPECT_FALSE(IsFragmentText("vqp:x"));

    std::string text(3000, 'r');
    Fragment sent;
    sent.Next(text, "Lib-1", 2000);
    const Fragment received(sent.Text());
    EXPECT_EQ(received.Body(), sent.Body());
    EXPECT_EQ(received.Count(), 2);
}

TEST(Fragment, ATinyLimitStillMakesProgress)
{
    std::string text = "abc";
    Fragment fragment;
    int pieces = 0;
    while (!text.empty() && pieces < 10) {
        fragment.Next(text, "x", 10);
        ++pieces;
    }
    EXPECT_EQ(pieces, 3);
    EXPECT_EQ(fragment.Count(), 3);
}
