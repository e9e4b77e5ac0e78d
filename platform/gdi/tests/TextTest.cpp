#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "GdiTestSupport.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The bounding box of every pixel that is not white.
RECT inkBox(const Canvas& c, int w, int h)
{
    RECT box { w, h, -1, -1 };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (c.at(x, y) != kWhite) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

int distinctColours(const Canvas& c, int w, int h)
{
    std::vector<COLORREF> seen;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (std::find(seen.begin(), seen.end(), c.at(x, y)) == seen.end())
                seen.push_back(c.at(x, y));
    return static_cast<int>(seen.size());
}

} // namespace

TEST(Text, StandInDialogFontHasTheClassicBaseUnits)
{
    Canvas c(10, 10);
    SelectObject(c.dc, guiFont());
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    char face[LF_FACESIZE];
    EXPECT_EQ(GetTextFace(c.dc, sizeof face, face), static_cast<int>(std::strlen("MS Sans Serif")));
    EXPECT_STREQ(face, "MS Sans Serif");
    // The same face asked for by point size at 96 dpi, and by a positive (cell) height.
    LOGFONT lf;
    lf.lfHeight = -MulDiv(8, GetDeviceCaps(c.dc, LOGPIXELSY), 72);
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    HFONT byPoints = CreateFontIndirect(&lf);
    HFONT byCell = CreateFont(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SIZE a, b, d;
    GetTextExtentPoint32(c.dc, "Hello, world", 12, &a);
    SelectObject(c.dc, byPoints);
    GetTextExtentPoint32(c.dc, "Hello, world", 12, &b);
    SelectObject(c.dc, byCell);
    GetTextExtentPoint32(c.dc, "Hello, world", 12, &d);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cx, d.cx);
    EXPECT_EQ(a.cy, 13);
    SelectObject(c.dc, guiFont());
    DeleteObject(byPoints);
    DeleteObject(byCell);
}

TEST(Text, BoldIsWiderAndExtentsAddUp)
{
    Canvas c(10, 10);
    SelectObject(c.dc, guiFont());
    SIZE ab, a, b;
    GetTextExtentPoint32(c.dc, "ab", 2, &ab);
    GetTextExtentPoint32(c.dc, "a", 1, &a);
    GetTextExtentPoint32(c.dc, "b", 1, &b);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    HFONT bold = CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(c.dc, bold);
    SIZE wide;
    GetTextExtentPoint32(c.dc, "Tune Steward", 12, &wide);
    SelectObject(c.dc, guiFont());
    SIZE normal;
    GetTextExtentPoint32(c.dc, "Tune Steward", 12, &normal);
    EXPECT_GT(wide.cx, normal.cx);
    DeleteObject(bold);
    // Tabs in a tabbed extent go to stops every 8 average characters.
    const DWORD tabbed = GetTabbedTextExtent(c.dc, "a\tb", 3, 0, nullptr);
    EXPECT_EQ(LOWORD(tabbed), 48 + b.cx);
    EXPECT_EQ(HIWORD(tabbed), 13);
}

TEST(Text, TextOutIsUnantialiasedAndRepeatable)
{
    Canvas c(80, 20);
    c.fill(kWhite);
    SelectObject(c.dc, guiFont());
    SetBkMode(c.dc, TRANSPARENT);
    ASSERT_TRUE(TextOut(c.dc, 2, 3, "Library", 7));
    EXPECT_EQ(distinctColours(c, 80, 20), 2); // black ink on white, nothing in between
    const RECT ink = inkBox(c, 80, 20);
    SIZE size;
    GetTextExtentPoint32(c.dc, "Library", 7, &size);
    EXPECT_GE(ink.left, 2);
    EXPECT_GE(ink.top, 3);
    EXPECT_LE(ink.right, 2 + size.cx);
    EXPECT_LE(ink.bottom, 3 + 13);
    std::vector<COLORREF> first;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            first.push_back(c.at(x, y));
    c.fill(kWhite);
    TextOut(c.dc, 2, 3, "Library", 7);
    std::size_t i = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(c.at(x, y), first[i++]);
    // Opaque mode fills the whole cell with the background colour.
    c.fill(kWhite);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    TextOut(c.dc, 2, 3, "Library", 7);
    EXPECT_EQ(c.at(2, 3), RGB(0, 0, 255));
    EXPECT_EQ(c.at(2 + size.cx - 1, 3 + 12), RGB(0, 0, 255));
    EXPECT_EQ(c.at(2 + size.cx, 3), kWhite);
}

TEST(Text, BaselineAndRightAlignment)
{
    Canvas c(80, 30);
    c.fill(kWhite);
    SelectObject(c.dc, guiFont());
    SetBkMode(c.dc, TRANSPARENT);
    SetTextAlign(c.dc, TA_RIGHT | TA_BASELINE);
    TextOut(c.dc, 70, 20, "Hx", 2);
    const RECT ink = inkBox(c, 80, 30);
    EXPECT_LE(ink.right, 70);
    EXPECT_GE(ink.right, 67);
    EXPECT_EQ(ink.bottom, 20); // "H" and "x" sit on the baseline
}

TEST(Text, EscapementTurnsTextUpwards)
{
    Canvas c(30, 80);
    c.fill(kWhite);
    HFONT vertical = CreateFont(-11, 0, 900, 900, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(c.dc, vertical);
    SetBkMode(c.dc, TRANSPARENT);
    SIZE size;
    GetTextExtentPoint32(c.dc, "Tracks", 6, &size);
    TextOut(c.dc, 5, 70, "Tracks", 6);
    const RECT ink = inkBox(c, 30, 80);
    // Reading bottom to top: the run goes up from y = 70 and its cell lies right of x = 5.
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + 13);
    EXPECT_LE(ink.bottom, 70);
    EXPECT_GE(ink.top, 70 - size.cx);
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
    SelectObject(c.dc, guiFont());
    DeleteObject(vertical);
}

TEST(Text, DrawTextMeasuresAndFormats)
{
    Canvas c(200, 100);
    SelectObject(c.dc, guiFont());
    SIZE word;
    GetTextExtentPoint32(c.dc, "Artist", 6, &word);

    // Single line: the calc rectangle is the text's size.
    RECT r { 10, 10, 11, 11 };
    EXPECT_EQ(DrawText(c.dc, "Artist", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX), 13);
    EXPECT_EQ(r.right - r.left, word.cx);
    EXPECT_EQ(r.bottom - r.top, 13);

    // Word break: three words that fit two per line make two lines; the width is the widest line.
    r = RECT { 0, 0, 2 * word.cx + 8, 0 };
    EXPECT_EQ(DrawText(c.dc, "Artist Artist Artist", -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS), 26);
    EXPECT_EQ(r.bottom, 26);
    SIZE two;
    GetTextExtentPoint32(c.dc, "Artist Artist", 13, &two);
    EXPECT_EQ(r.right, two.cx);
    // A word longer than the width stands alone on its line.
    r = RECT { 0, 0, 5, 0 };
    EXPECT_EQ(DrawText(c.dc, "Artist Artist", -1, &r, DT_CALCRECT | DT_WORDBREAK), 26);
    // Explicit line breaks, CR LF counted once.
    r = RECT { 0, 0, 100, 0 };
    EXPECT_EQ(DrawText(c.dc, "a\r\nb\nc", -1, &r, DT_CALCRECT), 39);
    // Prefixes: "&&" is one ampersand, "&F" is F; with DT_NOPREFIX both stay.
    SIZE plain;
    GetTextExtentPoint32(c.dc, "File & Folder", 13, &plain);
    r = RECT { 0, 0, 0, 0 };
    DrawText(c.dc, "&File && Folder", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right, plain.cx);
    SIZE raw;
    GetTextExtentPoint32(c.dc, "&File && Folder", 15, &raw);
    r = RECT { 0, 0, 0, 0 };
    DrawText(c.dc, "&File && Folder", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.right, raw.cx);
    // Tabs expand to stops of 8 average characters (48 pixels).
    SIZE b;
    GetTextExtentPoint32(c.dc, "b", 1, &b);
    r = RECT { 0, 0, 0, 0 };
    DrawText(c.dc, "a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    EXPECT_EQ(r.right, 48 + b.cx);
}

TEST(Text, DrawTextPlacesAndClips)
{
    Canvas c(120, 40);
    SelectObject(c.dc, guiFont());
    SetBkMode(c.dc, TRANSPARENT);
    SIZE word;
    GetTextExtentPoint32(c.dc, "Genre", 5, &word);

    const struct {
        UINT format;
        int left, right; // expected ink limits (inclusive/exclusive ranges are checked loosely)
    } cases[] = {
        { DT_SINGLELINE | DT_LEFT, 10, 10 + word.cx },
        { DT_SINGLELINE | DT_RIGHT, 110 - word.cx, 110 },
        { DT_SINGLELINE | DT_CENTER, 10 + (100 - word.cx) / 2, 10 + (100 - word.cx) / 2 + word.cx },
    };
    for (const auto& k : cases) {
        c.fill(kWhite);
        RECT r { 10, 0, 110, 40 };
        DrawText(c.dc, "Genre", -1, &r, k.format | DT_VCENTER);
        const RECT ink = inkBox(c, 120, 40);
        EXPECT_GE(ink.left, k.left) << k.format;
        EXPECT_LE(ink.right, k.right) << k.format;
        EXPECT_LE(ink.left - k.left, 2) << k.format;
        // Vertically centred: the 13-pixel cell starts at (40 - 13) / 2.
        EXPECT_GE(ink.top, 13);
        EXPECT_LE(ink.bottom, 13 + 13);
    }
    // Clipped to the rectangle unless DT_NOCLIP.
    c.fill(kWhite);
    RECT narrow { 0, 0, 10, 13 };
    DrawText(c.dc, "Genre Genre", -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(inkBox(c, 120, 40).right, 10);
    c.fill(kWhite);
    DrawText(c.dc, "Genre Genre", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(inkBox(c, 120, 40).right, 10);
}

TEST(Text, EndEllipsisShortensToFit)
{
    Canvas c(200, 20);
    SelectObject(c.dc, guiFont());
    SetBkMode(c.dc, TRANSPARENT);
    SIZE dots, full;
    GetTextExtentPoint32(c.dc, "...", 3, &dots);
    GetTextExtentPoint32(c.dc, "A rather long album title", 25, &full);
    const int width = full.cx / 2;
    c.fill(kWhite);
    RECT r { 0, 0, width, 20 };
    DrawText(c.dc, "A rather long album title", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    const RECT ink = inkBox(c, 200, 20);
    EXPECT_LE(ink.right, width);
    EXPECT_GT(ink.right, width - 12);
    // What fits is drawn as is.
    c.fill(kWhite);
    r = RECT { 0, 0, 200, 20 };
    DrawText(c.dc, "Short", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    SIZE shortSize;
    GetTextExtentPoint32(c.dc, "Short", 5, &shortSize);
    EXPECT_LE(inkBox(c, 200, 20).right, shortSize.cx);
}

TEST(Text, PrefixUnderlinesItsCharacter)
{
    Canvas c(60, 20);
    SelectObject(c.dc, guiFont());
    SetBkMode(c.dc, TRANSPARENT);
    c.fill(kWhite);
    RECT r { 0, 0, 60, 20 };
    DrawText(c.dc, "&Edit", -1, &r, DT_SINGLELINE);
    const RECT withPrefix = inkBox(c, 60, 20);
    c.fill(kWhite);
    DrawText(c.dc, "Edit", -1, &r, DT_SINGLELINE);
    const RECT without = inkBox(c, 60, 20);
    EXPECT_GT(withPrefix.bottom, without.bottom); // the underline sits below the baseline
    SIZE e;
    GetTextExtentPoint32(c.dc, "E", 1, &e);
    // Only under the "E".
    for (int x = e.cx + 1; x < 60; ++x)
        EXPECT_EQ(c.at(x, withPrefix.bottom - 1), kWhite);
}

TEST(Text, BadInputFailsCleanly)
{
    Canvas c(10, 10);
    SIZE s;
    EXPECT_FALSE(GetTextExtentPoint32(nullptr, "a", 1, &s));
    EXPECT_FALSE(GetTextExtentPoint32(c.dc, nullptr, 3, &s));
    EXPECT_FALSE(TextOut(c.dc, 0, 0, "abc", -1));
    RECT r {};
    EXPECT_EQ(DrawText(c.dc, nullptr, 4, &r, 0), 0);
    EXPECT_EQ(DrawText(c.dc, "abc", -1, nullptr, 0), 0);
    // Broken UTF-8 measures and draws without reading past the text.
    EXPECT_TRUE(GetTextExtentPoint32(c.dc, "\xE2\x82", 2, &s));
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
    LOGFONT huge;
    huge.lfHeight = -100000000;
    HFONT f = CreateFontIndirect(&huge);
    ASSERT_NE(f, nullptr);
    LOGFONT back;
    GetObject(f, sizeof back, &back);
    EXPECT_GE(back.lfHeight, -2048);
    DeleteObject(f);
}
