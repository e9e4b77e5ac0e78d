// The album cover picture control: the size limit, keeping the last good picture, and the painting.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/CCArtStatic.h"
#include "app/CPelicanApp.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/tests/BmpFile.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// A BMP of one colour.
void WriteBmp(const std::filesystem::path& path, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    afxtest::WriteFile(path, afxtest::Bmp(w, h, r, g, b));
}

class CoverPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app.SetRegistryKey("Corvane");
        std::filesystem::create_directories(m_dir);
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(m_cover.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, CRect(10, 10, 110, 90), &m_parent, 2000));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        std::filesystem::remove_all(m_dir);
    }
    std::string File(const char* name) const { return (m_dir / name).string(); }

    TestScreen m_screen { 200, 200 };
    CPelicanApp m_app;
    std::filesystem::path m_dir { std::filesystem::temp_directory_path() / ("cover-" + std::to_string(::getpid())) };
    CWnd m_parent;
    CCArtStatic m_cover;
};

} // namespace

TEST(CoverPictureLimit, CountsTheAreaInTruncatedUnitsOf25)
{
    struct Case {
        long width;
        long height;
        bool tooLarge;
    };
    for (const Case& c : { Case { 8000, 8000, true }, Case { 7900, 7900, false }, Case { 7924, 7924, false },
             Case { 7925, 7925, true }, Case { 100000, 24, false }, Case { 0, 0, false } })
        EXPECT_EQ(IsPictureTooLarge(c.width, c.height), c.tooLarge) << c.width << " x " << c.height;
}

TEST_F(CoverPicture, RefusesTooLargePicturesAndKeepsTheLastGoodOne)
{
    // On the 96-dpi screen 299 pixels are 7911 HIMETRIC (316 units a side), 303 pixels 8017 (320).
    WriteBmp(File("good.bmp"), 299, 299, 255, 0, 0);
    WriteBmp(File("huge.bmp"), 303, 303, 0, 255, 0);
    std::ofstream(File("broken.jpg")) << "not a picture";
    MessageBoxRecorder boxes;

    EXPECT_FALSE(m_cover.IsBitmap());
    EXPECT_TRUE(m_cover.SetPicture(File("good.bmp").c_str()));
    EXPECT_TRUE(m_cover.IsBitmap());
    EXPECT_TRUE(boxes.Texts().empty());

    EXPECT_FALSE(m_cover.SetPicture(File("huge.bmp").c_str()));
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], "This image is too large to display properly on the client.\nPlease reduce the resolution or size.");
    EXPECT_TRUE(m_cover.IsBitmap());
    EXPECT_STREQ(m_cover.GetPath(), File("good.bmp").c_str());

    // A file that does not load says nothing and leaves the good picture too.
    EXPECT_FALSE(m_cover.SetPicture(File("broken.jpg").c_str()));
    EXPECT_FALSE(m_cover.SetPicture(File("missing.bmp").c_str()));
    EXPECT_EQ(boxes.Texts().size(), 1u);
    EXPECT_TRUE(m_cover.IsBitmap());
    EXPECT_STREQ(m_cover.GetPath(), File("good.bmp").c_str());

    // The picture fills the control inside its border, stretched.
    m_parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_screen.pump();
    EXPECT_EQ(m_screen.pixel(12, 12), RGB(255, 0, 0));
    EXPECT_EQ(m_screen.pixel(107, 87), RGB(255, 0, 0));
}

TEST_F(CoverPicture, WithoutAPictureTheControlIsGrey)
{
    MessageBoxRecorder boxes;
    EXPECT_FALSE(m_cover.SetPicture(File("missing.bmp").c_str()));
    EXPECT_TRUE(m_cover.GetPath().IsEmpty());
    m_parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_screen.pump();
    EXPECT_EQ(m_screen.pixel(60, 50), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_TRUE(boxes.Texts().empty());
}
