// The pattern matcher: what compiles, where matches begin, and the groups they record.

#include "library/RegExp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kEmailPattern = "^[a-zA-Z][a-zA-Z_0-9\\.]+@[a-zA-Z_0-9\\.]+\\.[a-zA-Z][a-zA-Z]+$";

struct MatchCase {
    const char* pattern;
    const char* text;
    int offset;
    const char* matched; // the whole match, when offset >= 0
};

} // namespace

TEST(RegExp, EmailAddressCheck)
{
    RegExp re;
    ASSERT_NE(re.Compile(kEmailPattern), nullptr);
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        { "ann.lee@mail.example.com", true },
        { "a1_b@x_y.org", true },
        { "ab\\c@host.net", true }, // the backslash is an ordinary member of the sets
        { "ab@c.de", true },
        { "a@c.de", false },        // one or more characters between the first letter and "@"
        { "1ab@c.de", false },      // starts with a digit
        { "abc@mailhost", false },  // no full stop after the at-sign
        { "abc@mail.c", false },    // last part a single letter
        { "abc@mail.c1", false },
        { "ab c@mail.com", false }, // a blank
        { "abc@mail.com ", false },
        { "", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(re.Match(c.text), c.valid ? 0 : -1);
    }
}

TEST(RegExp, WhereMatchesBegin)
{
    const MatchCase cases[] = {
        { "b+", "aabbb", 2, "bbb" },
        { "x*", "abc", 0, "" },
        { "", "abc", 0, "" },
        { "a|ab", "abc", 0, "a" }, // the first alternative wins, not the longest
        { "(a|ab)c", "abc", 0, "abc" },
        { "^abc", "xabc", -1, nullptr },
        { "^abc", "abcd", 0, "abc" },
        { "abc$", "abcabc", 3, "abc" },
        { "a.c", "xxabcx", 2, "abc" },
        { "[]a]+", "x]a]", 1, "]a]" },
        { "[a-]", "xx-", 2, "-" },
        { "[^a-c]+", "abcde", 3, "de" },
        { "[\\]", "a\\", 1, "\\" },
        { "a\\*", "aaa*", 2, "a*" },
        { "a\\.b", "axb a.b", 4, "a.b" },
        { "ab+", "abbbc", 0, "abbb" }, // "+" takes the run's last character only
        { "ab?c", "xac", 1, "ac" },
        { "(ab)+c", "xababc", 1, "ababc" },
        { "(ab)*c", "abababx c", 8, "c" },
        { "a(b|c)?d", "ad acd", 0, "ad" },
        { "(a?)?b", "b", 0, "b" },
        { "x.*y", "x1y2y3", 0, "x1y2y" }, // greedy, giving back one character at a time
        { "a[0-9]*b", "a123b", 0, "a123b" },
        { "{}-", "a{}-", 1, "{}-" },
        { "abc", "ab", -1, nullptr },
        { "b*c", "aaa", -1, nullptr }, // the required literal is missing
        { "A", "a", -1, nullptr },     // case matters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " in " + c.text);
        RegExp re;
        ASSERT_NE(re.Compile(c.pattern), nullptr);
        EXPECT_EQ(re.Match(c.text), c.offset);
        if (c.offset >= 0)
            EXPECT_EQ(re.MatchedText(), c.matched);
        else
            EXPECT_EQ(re.MatchedText(), "");
    }
}

TEST(RegExp, InvalidPatternsDoNotCompile)
{
    const char* invalid[] = {
        "a**", "a+*", "a?+", "*a", "+a", "?a", "a)", "(a", ")", "(a?)*", "(a*)+", "(|a)*", "x|*",
        "[z-a]", "[abc", "[", "a\\", "(((((((((((a)))))))))))", "()()()()()()()()()()", "^*",
    };
    for (const char* pattern : invalid) {
        SCOPED_TRACE(pattern);
        RegExp re;
        EXPECT_EQ(re.Compile(pattern), nullptr);
        EXPECT_EQ(re.Match("a"), -1); // nothing left to match with
    }
    RegExp re;
    EXPECT_EQ(re.Compile(nullptr), nullptr);
    // A range from below 128 to above 127 is empty when bytes compare signed.
    EXPECT_EQ(re.Compile("[a-\xc3\xa9]"), nullptr);
    EXPECT_NE(re.Compile("(a?)?"), nullptr);
    EXPECT_NE(re.Compile("()()()()()()()()()"), nullptr);
}

TEST(RegExp, FailedCompileForgetsTheEarlierProgram)
{
    RegExp re;
    EXPECT_EQ(re.Match("abc"), -1); // never compiled
    ASSERT_NE(re.Compile("b"), nullptr);
    EXPECT_EQ(re.Match("abc"), 1);
    EXPECT_EQ(re.Match(nullptr), -1);
    EXPECT_EQ(re.Compile("b**"), nullptr);
    EXPECT_EQ(re.Match("abc"), -1);
}

TEST(RegExp, TenSubMatches)
{
    RegExp re;
    ASSERT_NE(re.Compile("(a)(b)(c)(d)(e)(f)(g)(h)(i)"), nullptr);
    ASSERT_EQ(re.Match("xxabcdefghi"), 2);
    EXPECT_EQ(re.SubMatchStart(0), 2);
    EXPECT_EQ(re.SubMatchEnd(0), 11);
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(re.SubMatchStart(n), n + 1);
        EXPECT_EQ(re.SubMatchEnd(n), n + 2);
    }
    EXPECT_EQ(re.SubMatchStart(10), -1);
    EXPECT_EQ(re.SubMatchStart(-1), -1);

    // Nested groups, a group that took no part, and a repeated group keeping its last pass.
    ASSERT_NE(re.Compile("((a)|(b))+c"), nullptr);
    ASSERT_EQ(re.Match("abc"), 0);
    EXPECT_EQ(re.SubMatchStart(1), 1);
    EXPECT_EQ(re.SubMatchEnd(1), 2);
    EXPECT_EQ(re.SubMatchStart(2), 0);
    EXPECT_EQ(re.SubMatchStart(3), 1);

    ASSERT_NE(re.Compile("x(y)?z"), nullptr);
    ASSERT_EQ(re.Match("xz"), 0);
    EXPECT_EQ(re.SubMatchStart(1), -1);
    EXPECT_EQ(re.Match("nothing"), -1);
    EXPECT_EQ(re.SubMatchStart(0), -1);
}

TEST(RegExp, OversizedProgramIsRefused)
{
    RegExp re;
    // Each range expands to every character it spans; enough of them outgrow the 16-bit links.
    std::string pattern;
    for (int i = 0; i < 300; ++i)
        pattern += "[\x01-\x7f]";
    EXPECT_EQ(re.Compile(pattern.c_str()), nullptr);
    EXPECT_EQ(re.Match("abc"), -1);

    // A long plain literal that still fits compiles and matches.
    const std::string literal(30000, 'q');
    ASSERT_NE(re.Compile(literal.c_str()), nullptr);
    EXPECT_EQ(re.Match(("x" + literal).c_str()), 1);
}

TEST(RegExp, DeepBacktrackingOnLongTextDoesNotCrash)
{
    // Each pass through a repeated group nests the search one level deeper; a search too deep for the
    // stack is given up as no match instead of overflowing it.
    RegExp re;
    ASSERT_NE(re.Compile("(ab)*c"), nullptr);
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "ab";
    text += "c";
    EXPECT_EQ(re.Match(text.c_str()), -1);
    EXPECT_EQ(re.Match("ababc"), 0); // an ordinary text still matches afterwards
}
