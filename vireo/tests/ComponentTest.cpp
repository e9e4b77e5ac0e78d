#include "vireo/Access.h"
#include "vireo/Anchor.h"
#include "vireo/Authority.h"
#include "vireo/Component.h"
#include "vireo/Path.h"

#include <gtest/gtest.h>

using namespace vireo;

TEST(Component, ConvertsToTypedValues)
{
    EXPECT_TRUE(Component("Yes").ToBool());
    EXPECT_TRUE(Component("SET").ToBool());
    EXPECT_FALSE(Component("1").ToBool());
    EXPECT_FALSE(Component(" true").ToBool());
    EXPECT_FALSE(Component("").ToBool());

    EXPECT_EQ(Component("  -42abc").ToInt(), -42);
    EXPECT_EQ(Component("x").ToInt(), 0);
    EXPECT_EQ(Component(-7).Value(), "-7");
    EXPECT_EQ(Component(true).Value(), "true");

    EXPECT_EQ(Component("a,,b").ToList(), (StringList { "a", "", "b" }));
    EXPECT_EQ(Component("a,").ToList(), (StringList { "a" }));
    EXPECT_EQ(Component(",a").ToList(), (StringList { "", "a" }));
    EXPECT_TRUE(Component("").ToList().empty());
    EXPECT_EQ(Component(StringList { "x", "y" }).Value(), "x,y");
    EXPECT_EQ(Component(StringList {}).Value(), "");
}

TEST(Component, QuotesOnlyWhatAReaderWouldSplit)
{
    struct Case {
        const char* value;
        const char* encoded;
    };
    const Case cases[] = {
        { "abc", "abc" },
        { "a b", "a b" },
        { "", "" },
        { "x=1", "\"x=1\"" },
        { "line\nfeed", "\"line\nfeed\"" },
        { "a\"b:", "\"a\"\"b:\"" },
        { "host:1500", "\"host:1500\"" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Component(c.value).EncodedText(), c.encoded) << c.value;
}

TEST(Component, ReadTokenReadsBackWhatWasEncoded)
{
    // Values that begin with a quote are the hard case: their encoded form begins with three.
    const std::string values[] = { "plain", "a;b#c&d=e", "say \"hi\"", "\"", "\"\"", "\"x", "q?:\r\n", "" };
    for (const std::string& value : values) {
        const std::string encoded = Component(value).EncodedText() + ";rest";
        std::size_t pos = 0;
        EXPECT_EQ(ReadToken(encoded, pos).Value(), value);
        EXPECT_EQ(encoded.substr(pos), ";rest") << value;
    }
}

TEST(Component, ReadTokenStopsOnTheDelimiter)
{
    std::size_t pos = 0;
    EXPECT_EQ(ReadToken("ab;cd", pos).Value(), "ab");
    EXPECT_EQ(pos, 2u);
    pos = 3;
    EXPECT_EQ(ReadToken("ab;cd", pos).Value(), "cd");
    EXPECT_EQ(pos, 5u);
    // An unterminated quote runs to the end; a position past the end reads nothing.
    pos = 0;
    EXPECT_EQ(ReadToken("\"a;b", pos).Value(), "a;b");
    pos = 10;
    EXPECT_EQ(ReadToken("ab", pos).Value(), "");
    EXPECT_EQ(pos, 10u);
}

TEST(Component, UriPartsRenderThemselves)
{
    EXPECT_EQ(Access().EncodedText(), "");
    EXPECT_EQ(Access("vqp").EncodedText(), "vqp:");
    EXPECT_EQ(Authority("dev1").EncodedText(), "//dev1/");
    EXPECT_EQ(Authority().EncodedText(), "");
    EXPECT_EQ(Path("Library").EncodedText(), "Library");
    EXPECT_EQ(Anchor("Music.query").EncodedText(), "#Music.query");
    EXPECT_EQ(Anchor().EncodedText(), "");
    EXPECT_EQ(Authority("dev1").Describe(), "host:dev1");

    EXPECT_TRUE(Authority("").IsLocal("dev1"));
    EXPECT_TRUE(Authority("localhost").IsLocal("dev1"));
    EXPECT_TRUE(Authority("dev1").IsLocal("dev1"));
    EXPECT_FALSE(Authority("dev2").IsLocal("dev1"));
}

TEST(Component, ListOperationsKeepOrderAndDuplicates)
{
    EXPECT_EQ(ListDifference({ "a", "b", "a" }, { "b" }), (StringList { "a", "a" }));
    EXPECT_EQ(ListUnion({ "a", "a" }, { "a", "c" }), (StringList { "a", "a", "c" }));
    EXPECT_EQ(ListIntersection({ "a", "b" }, { "c", "b", "a" }), (StringList { "b", "a" }));
    EXPECT_FALSE(ListContains({}, "a"));
}
