#include <gtest/gtest.h>

#include <cstring>

#include "platform/afx/CString.h"
#include "platform/com/OleAuto.h"

TEST(CString, TrimRemovesWhiteSpaceCharactersOrSets)
{
    CString s(" \t\r\n value \v\f");
    EXPECT_STREQ(s.Trim(), "value");

    CString x("xxaxbxx");
    EXPECT_STREQ(x.TrimLeft('x'), "axbxx");
    EXPECT_STREQ(x.TrimRight('x'), "axb");

    // Whole UTF-8 characters of the set are trimmed; a byte that only belongs to one of them is not.
    CString u("€€a€");
    EXPECT_STREQ(u.Trim("€"), "a");
    CString partial("é");
    EXPECT_STREQ(partial.Trim("\xC3"), "é");

    CString blank("   ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CString, FindFamily)
{
    const CString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find('.', 99), -1);
    EXPECT_EQ(s.Find('.', -1), -1);
    EXPECT_EQ(s.Find("b.c"), 2);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(CString("xé").FindOneOf("\xA9"), -1);
    EXPECT_EQ(CString("xé").FindOneOf("é"), 1);
}

TEST(CString, SubstringsClampOutOfRangeArguments)
{
    const CString s("abcdef");
    EXPECT_STREQ(s.Mid(2), "cdef");
    EXPECT_STREQ(s.Mid(2, 2), "cd");
    EXPECT_STREQ(s.Mid(-3, 2), "ab");
    EXPECT_STREQ(s.Mid(4, 100), "ef");
    EXPECT_STREQ(s.Mid(100), "");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Left(100), "abcdef");
    EXPECT_STREQ(s.Right(2), "ef");
    EXPECT_STREQ(s.Right(100), "abcdef");
    EXPECT_EQ(s.GetAt(6), '\0');
    EXPECT_EQ(s[-1], '\0');
}

TEST(CString, FormatReadsLongAs32Bits)
{
    CString s;
    const long long wide = 0x1'0000'0005LL;
    s.Format("%ld|%lu|%d|%s|%5.1f", -5, 4000000000u, 7, CString("text"), 2.25);
    EXPECT_STREQ(s, "-5|4000000000|7|text|  2.2");
    // A 64-bit argument under "%ld" gives its low 32 bits; "%I64d" reads all of it.
    s.Format("%ld %I64d %s", wide, wide, "x");
    EXPECT_STREQ(s, "5 4294967301 x");
    s.AppendFormat("-%c", 'y');
    EXPECT_STREQ(s, "5 4294967301 x-y");
}

TEST(CString, FormatMessageFillsNumberedInserts)
{
    CString s;
    s.FormatMessage("%2 before %1!s!, %3!ld! items", "first", CString("second"), 42);
    EXPECT_STREQ(s, "second before first, 42 items");
}

TEST(CString, CompareNoCaseFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(CString("Hello").CompareNoCase("hELLO"), 0);
    EXPECT_LT(CString("apple").CompareNoCase("Banana"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_NE(CString("Ä").CompareNoCase("ä"), 0);
    EXPECT_LT(CString("a").Compare("b"), 0);
    EXPECT_GT(CString("\xC3\xA9").Compare("z"), 0); // bytes compare unsigned
    EXPECT_EQ(CString("x").Compare(nullptr), 1);

    CString upper("straße Ab");
    EXPECT_STREQ(upper.MakeUpper(), "STRAßE AB");
    EXPECT_STREQ(upper.MakeLower(), "straße ab");
}

TEST(CString, EditingOperations)
{
    CString s("a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_STREQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('-', '+'), 4);
    EXPECT_EQ(s.Remove('+'), 4);
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(s.Insert(1, "XY"), 5);
    EXPECT_EQ(s.Insert(99, '!'), 6);
    EXPECT_STREQ(s, "aXYbc!");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(s.Delete(3, 50), 3);
    EXPECT_EQ(s.Delete(-5, 1), 2);
    EXPECT_STREQ(s, "bc");
    CString r("aé€");
    EXPECT_STREQ(r.MakeReverse(), "€éa");
}

TEST(CString, BufferProtocol)
{
    CString s("abc");
    char* buffer = s.GetBuffer(20);
    std::strcpy(buffer, "longer text");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "longer text");
    EXPECT_EQ(s.GetLength(), 11);

    buffer = s.GetBufferSetLength(3);
    buffer[0] = 'X';
    s.ReleaseBuffer(2);
    EXPECT_STREQ(s, "Xo");
    s.GetBuffer(4);
    s.ReleaseBuffer(100); // past the buffer: clamped
    EXPECT_EQ(s.GetLength(), 4);
}

TEST(CString, WideAndSystemStrings)
{
    const CString fromWide(u"Grüße \U0001F600");
    EXPECT_STREQ(fromWide, "Grüße 😀");
    EXPECT_STREQ(CString(u"\xD800x"), "\xEF\xBF\xBDx"); // a lone surrogate becomes U+FFFD

    BSTR b = fromWide.AllocSysString();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 8u);
    EXPECT_EQ(std::u16string_view(b), u"Grüße \U0001F600");
    SysFreeString(b);
}

TEST(CString, TokenizeWalksTokensAndEnds)
{
    const CString s(",,a,,b c,");
    int pos = 0;
    std::vector<std::string> tokens;
    for (CString t = s.Tokenize(", ", pos); pos >= 0; t = s.Tokenize(", ", pos))
        tokens.emplace_back(t.GetString());
    EXPECT_EQ(tokens, (std::vector<std::string> { "a", "b", "c" }));
}

TEST(CString, OperatorsAndConversions)
{
    const CString a("ab");
    EXPECT_TRUE(a == "ab");
    EXPECT_TRUE("ab" == a);
    EXPECT_TRUE(a != CString("aB"));
    EXPECT_TRUE(a < "b");
    EXPECT_STREQ(a + 'c' + "d" + CString("e"), "abcde");
    EXPECT_STREQ('x' + a, "xab");
    EXPECT_STREQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_STREQ(CString('z', 3), "zzz");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_STREQ(a.SpanIncluding("ba"), "ab");
    EXPECT_STREQ(CString("abc;d").SpanExcluding(";"), "abc");
}

TEST(CString, InvalidUtf8KeepsEveryByte)
{
    // A stray continuation byte, a cut sequence at the end and a byte that is never UTF-8.
    const std::string raw = "a\x80"
                            "b\xFF\xE2\x82";
    CString s(raw.c_str());
    EXPECT_EQ(s.GetLength(), 6);
    CString reversed(s);
    reversed.MakeReverse().MakeReverse();
    EXPECT_EQ(std::string(reversed.GetString()), raw);
    EXPECT_EQ(s.FindOneOf("\xFF"), 3);
    CString trimmed(s);
    EXPECT_EQ(std::string(trimmed.Trim("a\xE2\x82").GetString()),
        "\x80"
        "b\xFF");
    EXPECT_STREQ(s.Mid(4), "\xE2\x82");
    BSTR b = s.AllocSysString(); // each bad sequence becomes U+FFFD
    EXPECT_EQ(std::u16string_view(b),
        u"a\xFFFD"
        "b\xFFFD\xFFFD");
    SysFreeString(b);
}
