#include "vireo/AttributeValueMap.h"

#include <gtest/gtest.h>

using namespace vireo;

TEST(AttributeValue, ReadsOneAttributeAndStopsOnItsDelimiter)
{
    struct Case {
        const char* text;
        const char* name;
        const char* value;
        std::size_t end;
    };
    const Case cases[] = {
        { "k", "k", "", 1 },
        { "=v", "", "v", 2 },
        { "a=b=c", "a", "b", 3 },
        { "#comment", "", "", 0 },
        { "b=\"x;y\";c", "b", "x;y", 7 },
        { "", "", "", 0 },
    };
    for (const Case& c : cases) {
        std::size_t pos = 0;
        const AttributeValue attribute(c.text, pos);
        EXPECT_EQ(attribute.Name().Value(), c.name) << c.text;
        EXPECT_EQ(attribute.Value().Value(), c.value) << c.text;
        EXPECT_EQ(pos, c.end) << c.text;
    }
    EXPECT_EQ(AttributeValue("k", "a;b").Text(), "k=\"a;b\"");
    EXPECT_EQ(AttributeValue("k", "v").Describe(), "[attribute:k value:v]");
}

TEST(AttributeValueMap, KeysAreInByteOrder)
{
    AttributeValueMap map;
    map.SetString("B", "1");
    map.SetString("a", "2");
    map.SetString("A", "3");
    map.SetString("\xC3\xA9", "4"); // bytes above 0x7f sort after ASCII
    EXPECT_EQ(map.Keys(), (StringList { "A", "B", "a", "\xC3\xA9" }));
}

TEST(AttributeValueMap, GettersUseTheDefaultOnlyForAbsentKeys)
{
    AttributeValueMap map;
    map.SetString("n", "x");
    map.SetInt("i", 12);
    map.SetBool("b", true);
    map.SetList("l", { "p", "q" });
    EXPECT_EQ(map.GetInt("n", 5), 0);
    EXPECT_EQ(map.GetInt("missing", 5), 5);
    EXPECT_EQ(map.GetInt("i"), 12);
    EXPECT_TRUE(map.GetBool("b"));
    EXPECT_TRUE(map.GetBool("missing", true));
    EXPECT_EQ(map.GetList("l"), (StringList { "p", "q" }));
    EXPECT_EQ(map.GetString("missing", "d"), "d");
    EXPECT_EQ(map.Get("missing", AttributeValue("d", "v")).Name().Value(), "d");
}

TEST(AttributeValueMap, SetAndMergeReplaceValues)
{
    AttributeValueMap map;
    map.SetString("k", "1");
    map.SetString("k", "2");
    EXPECT_EQ(map.Size(), 1u);
    EXPECT_EQ(map.GetString("k"), "2");

    AttributeValueMap other;
    other.SetString("k", "3");
    other.SetString("j", "4");
    EXPECT_EQ(map.Merge(other), 2u);
    EXPECT_EQ(map.GetString("k"), "3");
    EXPECT_EQ(map.Erase("j"), 1u);
    EXPECT_EQ(map.Erase("j"), 0u);

    AttributeValueMap replaced;
    replaced.SetString("old", "x");
    replaced.Assign(other);
    EXPECT_EQ(replaced.Keys(), (StringList { "j", "k" }));
}

TEST(AttributeValueMap, ParseSkipsExactlyOneSeparator)
{
    struct Case {
        const char* text;
        int count;
        std::size_t size;
    };
    const Case cases[] = {
        { "a=1;b=2", 2, 2 },
        { "a=1&b=2", 2, 2 },
        { "a=1;;b=2", 3, 3 },
        { "a=1;a=2", 2, 1 },
        { "", 0, 0 },
        { ";", 1, 1 },
        { "==", 1, 1 },
    };
    for (const Case& c : cases) {
        AttributeValueMap map;
        EXPECT_EQ(map.Parse(c.text), c.count) << c.text;
        EXPECT_EQ(map.Size(), c.size) << c.text;
    }
    AttributeValueMap map;
    map.Parse("a=1;a=2");
    EXPECT_EQ(map.GetString("a"), "2");
}

TEST(AttributeValueMap, TextQuotesAndReadsBack)
{
    AttributeValueMap map;
    map.SetString("k", "a;b");
    map.SetString("q", "say \"x\"");
    map.SetString("e", "");
    EXPECT_EQ(map.Text(";"), "e=;k=\"a;b\";q=\"say \"\"x\"\"\"");

    AttributeValueMap back;
    back.Parse(map.Text(";"));
    EXPECT_EQ(back.Text(";"), map.Text(";"));
    EXPECT_EQ(AttributeValueMap().Text(";"), "");

    AttributeValueMap nested;
    nested.SetMap("inner", map);
    EXPECT_EQ(nested.GetMap("inner").GetString("k"), "a;b");
}

TEST(AttributeValueMap, DumpNumbersEveryEntry)
{
    AttributeValueMap map;
    map.SetString("a", "1");
    map.SetString("b", "2");
    EXPECT_EQ(map.Dump(), "    #1[attribute:a value:1]\n    #2[attribute:b value:2]\n");
}

TEST(AttributeValueMap, SubMapsWorkOnADottedPrefix)
{
    AttributeValueMap map;
    map.SetString("Zone.x.DST", "none");
    map.SetString("Zone.x.GMTOffset", "1:0");
    map.SetString("Zone.xy.DST", "none");
    map.SetString("Zone.x", "self");
    const AttributeValueMap sub = map.SubMap("Zone.x");
    EXPECT_EQ(sub.Keys(), (StringList { "DST", "GMTOffset" }));

    AttributeValueMap added;
    added.SetSubMap("Zone.y", sub);
    EXPECT_EQ(added.GetString("Zone.y.GMTOffset"), "1:0");

    map.EraseSubKeys("Zone.x");
    EXPECT_EQ(map.Keys(), (StringList { "Zone.x", "Zone.xy.DST" }));
}

TEST(AttributeValueMap, ListContainsIgnoresAnEmptyKey)
{
    AttributeValueMap map;
    map.SetString("", "a");
    map.SetString("k", "a,b");
    EXPECT_FALSE(map.ListContains("", "a"));
    EXPECT_TRUE(map.ListContains("k", "b"));
    EXPECT_FALSE(map.ListContains("k", "c"));
}
