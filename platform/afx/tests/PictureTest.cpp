#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/afx/CDC.h"
#include "platform/afx/CPictureHolder.h"
#include "platform/afx/tests/BmpFile.h"
#include "platform/base/CodePage.h"
#include "platform/user/WinUser.h"

namespace {

using afxtest::Bmp;

std::vector<std::uint8_t> Jpeg(int w, int h)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr err {};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3, 200);
    while (info.next_scanline < info.image_height) {
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&info, &p, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// The smallest GIF: one white pixel with a two-colour table.
const std::vector<std::uint8_t> kGif { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0,
    0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B };

class Pictures : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::u16string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
        return platform::Utf8ToUtf16(path.string());
    }

    std::filesystem::path dir { std::filesystem::temp_directory_path()
        / ("afx-pictures-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name()) };
};

} // namespace

TEST_F(Pictures, LoadedPicturesGiveTheirSizeInHimetricAtTheScreensResolution)
{
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        LONG width;
        LONG height;
    } cases[] = {
        // 96 pixels per inch: one pixel is 2540 / 96 hundredths of a millimetre.
        { "a.jpg", Jpeg(96, 48), 2540, 1270 },
        { "b.bmp", Bmp(30, 20), 794, 529 },
        { "c.gif", kGif, 26, 26 },
    };
    for (const auto& c : cases) {
        CPictureHolder holder;
        ASSERT_EQ(OleLoadPicturePath(write(c.name, c.bytes).c_str(), nullptr, 0, 0, IID_IPicture,
                      reinterpret_cast<void**>(&holder.m_pPict)),
            S_OK)
            << c.name;
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        holder.m_pPict->get_Width(&width);
        holder.m_pPict->get_Height(&height);
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
        EXPECT_EQ(holder.GetType(), PICTYPE_BITMAP);
        OLE_HANDLE handle = 0;
        holder.m_pPict->get_Handle(&handle);
        EXPECT_NE(handle, 0u);
    }
}

TEST_F(Pictures, RenderStretchesThePictureIntoTheTarget)
{
    CPictureHolder holder;
    ASSERT_EQ(OleLoadPicturePath(write("p.bmp", Bmp(4, 4)).c_str(), nullptr, 0, 0, IID_IPicture,
                  reinterpret_cast<void**>(&holder.m_pPict)),
        S_OK);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP target = ::CreateCompatibleBitmap(screen, 40, 40);
    HGDIOBJ old = ::SelectObject(dc, target);
    ::PatBlt(dc, 0, 0, 40, 40, WHITENESS);
    holder.Render(CDC::FromHandle(dc), CRect(0, 0, 20, 30), CRect(0, 0, 20, 30));
    EXPECT_EQ(::GetPixel(dc, 19, 29), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(::GetPixel(dc, 21, 10), RGB(255, 255, 255));
    EXPECT_EQ(holder.m_pPict->Render(dc, 0, 0, 0, 10, 0, 0, 10, 10, nullptr), E_INVALIDARG);
    ::SelectObject(dc, old);
    ::DeleteObject(target);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);

    EXPECT_TRUE(holder.CreateEmpty());
    EXPECT_EQ(holder.GetType(), PICTYPE_NONE);
}

TEST_F(Pictures, DamagedOrMissingFilesAreRefusedWithNoPicture)
{
    std::vector<std::uint8_t> cutJpeg = Jpeg(64, 64);
    cutJpeg.resize(cutJpeg.size() / 3);
    std::vector<std::uint8_t> badBmp = Bmp(8, 8);
    badBmp[18] = 0xFF; // a width far beyond the pixels present
    badBmp[21] = 0x7F;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        { "cut.jpg", cutJpeg },
        { "bad.bmp", badBmp },
        { "text.gif", { 'G', 'I', 'F', '8', '9', 'a', 0 } },
        { "empty.bmp", {} },
    };
    for (const auto& c : cases) {
        IPicture* picture = reinterpret_cast<IPicture*>(1);
        EXPECT_EQ(OleLoadPicturePath(write(c.name, c.bytes).c_str(), nullptr, 0, 0, IID_IPicture,
                      reinterpret_cast<void**>(&picture)),
            CTL_E_INVALIDPICTURE)
            << c.name;
        EXPECT_EQ(picture, nullptr);
    }
    IPicture* picture = nullptr;
    EXPECT_EQ(OleLoadPicturePath(u"/no/such/picture.jpg", nullptr, 0, 0, IID_IPicture,
                  reinterpret_cast<void**>(&picture)),
        CTL_E_FILENOTFOUND);
}
