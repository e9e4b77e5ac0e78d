// Bitmaps, icons and cursors that the resource compiler took from image files (see ImagesTest.rc),
// loaded back through the image functions, and the compiler's answer to damaged image files.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GdiTestSupport.h"
#include "platform/base/Modules.h"
#include "platform/gdi/Images.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBackground = RGB(10, 200, 30);

HMODULE Self() { return GetModuleHandle(nullptr); }

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

std::vector<std::uint8_t> ResourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResource(Self(), name, type);
    if (!found)
        return {};
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(Self(), found)));
    return { data, data + SizeofResource(Self(), found) };
}

unsigned WordAt(const std::vector<std::uint8_t>& data, std::size_t at) { return data.at(at) | (data.at(at + 1) << 8); }

unsigned DwordAt(const std::vector<std::uint8_t>& data, std::size_t at)
{
    return WordAt(data, at) | (WordAt(data, at + 2) << 16);
}

std::vector<std::uint8_t> Fixture(const char* name)
{
    std::ifstream in(std::filesystem::path(TS_GDI_TEST_IMAGES) / name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

struct CompilerRun {
    int exitCode { -1 };
    std::string output;
};

// Compiles `script` as bad.rc beside an image file image.bin holding `image`.
CompilerRun Compile(const std::string& script, const std::vector<std::uint8_t>& image)
{
    std::ofstream("image.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    std::ofstream("bad.rc") << script;
    std::filesystem::remove("bad.cpp");
    CompilerRun run;
    FILE* pipe = popen("'" TS_TSRC_PATH "' -o bad.cpp bad.rc 2>&1", "r");
    if (!pipe)
        return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(ImageResources, BitmapsKeepTheirPixelsWithoutTheFileHeader)
{
    const struct {
        LPCSTR name;
        int width;
        int height;
        std::vector<COLORREF> pixels; // top row first
    } cases[] = {
        // The filler between header and pixels must not shift the pixels.
        { MAKEINTRESOURCE(110), 3, 2, { kRed, kGreen, kBlue, kWhite, kBlack, RGB(0, 0, 128) } },
        // Two colours in the table, not sixteen.
        { "ShortTable", 2, 2, { RGB(255, 255, 0), RGB(0, 128, 0), RGB(0, 128, 0), RGB(255, 255, 0) } },
    };
    for (const auto& c : cases) {
        HBITMAP b = LoadBitmap(Self(), c.name);
        ASSERT_NE(b, nullptr);
        BITMAP info {};
        GetObject(b, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.width);
        EXPECT_EQ(info.bmHeight, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(PixelOf(b, x, y), c.pixels[static_cast<std::size_t>(y * c.width + x)]) << x << "," << y;
        DeleteObject(b);
    }
}

TEST(ImageResources, IconGroupOffersEveryImageOfItsFile)
{
    // The system size picks the 4x4 image, drawn at 32x32 through its mask.
    HICON large = LoadIcon(Self(), MAKEINTRESOURCE(210));
    ASSERT_NE(large, nullptr);
    Canvas c(32, 32);
    c.fill(kBackground);
    ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, large, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.at(0, 0), kRed);
    EXPECT_EQ(c.at(31, 0), kBlue);
    EXPECT_EQ(c.at(0, 31), kRed);
    EXPECT_EQ(c.at(31, 31), kBackground);

    // Asked for 2x2, the small 1-bit image.
    HICON small = static_cast<HICON>(LoadImage(Self(), MAKEINTRESOURCE(210), IMAGE_ICON, 2, 2, 0));
    ASSERT_NE(small, nullptr);
    c.fill(kBackground);
    ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.at(0, 0), kWhite);
    EXPECT_EQ(c.at(1, 0), kBlack);
    EXPECT_EQ(c.at(0, 1), kBackground);
    EXPECT_EQ(c.at(2, 0), kBackground);
    DestroyIcon(small);
}

TEST(ImageResources, CursorKeepsItsHotSpot)
{
    HCURSOR cursor = static_cast<HCURSOR>(LoadImage(Self(), MAKEINTRESOURCE(310), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 1u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    Canvas c(4, 4);
    c.fill(kBackground);
    ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, cursor, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.row(0, 4, kBlack), ".###");
    EXPECT_EQ(c.row(2, 4, kWhite), ".###");
    EXPECT_EQ(c.at(0, 2), kBackground);
    DestroyCursor(cursor);

    // At the system size the hot spot scales with the image.
    HCURSOR shared = LoadCursor(Self(), MAKEINTRESOURCE(310));
    ASSERT_NE(shared, nullptr);
    ASSERT_TRUE(GetIconInfo(shared, &info));
    EXPECT_EQ(info.xHotspot, 24u);
    EXPECT_EQ(info.yHotspot, 8u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    // A shared cursor is loaded once: asked again it is the same handle, and destroying it keeps it.
    EXPECT_EQ(LoadCursor(Self(), MAKEINTRESOURCE(310)), shared);
    EXPECT_TRUE(DestroyCursor(shared));
    EXPECT_TRUE(GetIconInfo(shared, &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    HCURSOR own = static_cast<HCURSOR>(LoadImage(Self(), MAKEINTRESOURCE(310), IMAGE_CURSOR, 0, 0, 0));
    EXPECT_NE(own, shared);
    DestroyCursor(own);
}

TEST(ImageResources, GroupsListTheirImagesUnderTheirOwnIds)
{
    const auto icons = ResourceBytes(MAKEINTRESOURCE(210), RT_GROUP_ICON);
    ASSERT_EQ(icons.size(), 6u + 2 * 14);
    EXPECT_EQ(WordAt(icons, 2), 1u);
    EXPECT_EQ(WordAt(icons, 4), 2u);
    const struct {
        unsigned width, height, planes, bitCount;
    } expected[] = {
        { 2, 2, 1, 1 }, // planes and depth, left at 0 in the file, come from the image's header
        { 4, 4, 1, 32 },
    };
    std::vector<unsigned> ids;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t e = 6 + 14 * i;
        EXPECT_EQ(icons[e], expected[i].width);
        EXPECT_EQ(icons[e + 1], expected[i].height);
        EXPECT_EQ(WordAt(icons, e + 4), expected[i].planes);
        EXPECT_EQ(WordAt(icons, e + 6), expected[i].bitCount);
        const unsigned id = WordAt(icons, e + 12);
        ids.push_back(id);
        EXPECT_EQ(DwordAt(icons, e + 8), ResourceBytes(MAKEINTRESOURCE(id), RT_ICON).size());
    }
    EXPECT_NE(ids[0], ids[1]);

    // A cursor's entry has 16-bit width and height, the height counting image and mask, and the
    // image's size with the hot spot in front of it.
    const auto cursors = ResourceBytes(MAKEINTRESOURCE(310), RT_GROUP_CURSOR);
    ASSERT_EQ(cursors.size(), 6u + 14);
    EXPECT_EQ(WordAt(cursors, 2), 2u);
    EXPECT_EQ(WordAt(cursors, 4), 1u);
    EXPECT_EQ(WordAt(cursors, 6), 4u);
    EXPECT_EQ(WordAt(cursors, 8), 8u);
    EXPECT_EQ(WordAt(cursors, 10), 1u);
    EXPECT_EQ(WordAt(cursors, 12), 1u);
    const unsigned cursorId = WordAt(cursors, 18);
    EXPECT_NE(cursorId, ids[0]);
    EXPECT_NE(cursorId, ids[1]);
    const auto image = ResourceBytes(MAKEINTRESOURCE(cursorId), RT_CURSOR);
    EXPECT_EQ(DwordAt(cursors, 14), image.size());
    ASSERT_EQ(image.size(), 4u + 80);
    EXPECT_EQ(WordAt(image, 0), 3u);
    EXPECT_EQ(WordAt(image, 2), 1u);
    EXPECT_EQ(DwordAt(image, 4), 40u); // the image's header follows
}

TEST(ImageResources, CompiledImageIdsStepAroundIdsTheScriptUses)
{
    const CompilerRun run = Compile("1 3 { 1 }\n2 1 { 1 }\nAPP ICON \"image.bin\"\n", Fixture("TwoSizes.ico"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(std::filesystem::exists("bad.cpp"));
}

TEST(ImageResources, DamagedImageFilesStopTheCompilerAtTheirStatement)
{
    const auto bmp = Fixture("Gap.bmp"); // 14 + 40 bytes of headers, 6 of filler, 24 of pixels
    const auto ico = Fixture("TwoSizes.ico"); // images of 64 bytes at 38 and 120 bytes at 102
    const auto cur = Fixture("Corner.cur");
    ASSERT_EQ(bmp.size(), 84u);
    ASSERT_EQ(ico.size(), 222u);
    auto cut = [](std::vector<std::uint8_t> bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    auto patched = [](std::vector<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
        return bytes;
    };
    const struct {
        const char* statement;
        std::vector<std::uint8_t> file;
        const char* message;
    } cases[] = {
        { "BITMAP", cut(bmp, 70), "'image.bin': cut short: the pixels need 24 bytes from byte 60, the file has 70" },
        { "BITMAP", cut(bmp, 40), "'image.bin': the bitmap is cut short in its header" },
        { "BITMAP", patched(bmp, 10, 20),
            "'image.bin': the pixels are said to start at byte 20, inside the bitmap header" },
        { "BITMAP", ico, "'image.bin': not a bitmap file" },
        { "ICON", patched(ico, 4, 20), "'image.bin': cut short: the directory of 20 images does not fit in the file" },
        { "ICON", cut(ico, 221),
            "'image.bin': image 2 (120 bytes at byte 102) lies outside the image data of the file" },
        { "ICON", patched(ico, 6 + 8, 60),
            "'image.bin': image 1 is cut short: it needs 64 bytes, its directory entry gives 60" },
        { "ICON", patched(ico, 38 + 8, 3),
            "'image.bin': image 1 has a height of 3, where an icon image counts its rows twice" },
        { "ICON", cur, "'image.bin': a cursor file, where an icon is expected" },
        { "CURSOR", cut(cur, 5), "'image.bin': not a cursor file" },
    };
    for (const auto& c : cases) {
        const CompilerRun run = Compile(std::string("// damaged\n1 ") + c.statement + " \"image.bin\"\n", c.file);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_NE(run.output.find(std::string("bad.rc:2: error: ") + c.message), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists("bad.cpp")) << c.message;
    }
}
