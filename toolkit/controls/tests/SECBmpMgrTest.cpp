// The shared image store: commands to images from toolbar resources, the two sizes, recolouring to the
// button colours, damaged resources and the reference count.
#include <gtest/gtest.h>

#include "platform/base/Resources.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECBmpMgr.h"

namespace {

// Resource ids of the test toolbars (see BmpMgrTest.rc).
constexpr UINT kBar = 900;        // 100, separator, 101: a black image and a light grey one
constexpr UINT kOtherBar = 901;   // 101, 102: white and dark grey
constexpr UINT kLargeBar = 902;   // 24 x 24 white images for kBar
constexpr UINT kLyingBar = 903;   // claims five buttons, holds one
constexpr UINT kHeaderOnly = 904; // a bitmap header without table or pixels
constexpr UINT kNarrowBar = 905;  // three buttons over two images

constexpr COLORREF kRed = RGB(255, 0, 0);

COLORREF PixelOf(HBITMAP hBmp, int x, int y)
{
    const HDC hMem = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
    const COLORREF color = ::GetPixel(hMem, x, y);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return color;
}

CSize SizeOf(HBITMAP hBmp)
{
    BITMAP bm {};
    ::GetObject(hBmp, sizeof bm, &bm);
    return { bm.bmWidth, bm.bmHeight };
}

class BmpMgr : public ::testing::Test {
protected:
    ~BmpMgr() override { ::SetSysColors(1, &kFace, &m_oldFace); }

    HBITMAP BitmapOf(UINT nID, int& nImage, BOOL bSmall = FALSE)
    {
        HBITMAP hBmp = nullptr;
        nImage = -1;
        return mgr.GetBitmap(nID, hBmp, nImage, bSmall) ? hBmp : nullptr;
    }

    static constexpr int kFace = COLOR_BTNFACE;
    platform::user::TestScreen screen;
    COLORREF m_oldFace { ::GetSysColor(COLOR_BTNFACE) };
    SECBmpMgr mgr;
};

TEST_F(BmpMgr, AToolbarGivesItsCommandsTheirImagesAndSeparatorsNone)
{
    std::vector<UINT> ids;
    int nWidth = 0;
    int nHeight = 0;
    ASSERT_TRUE(SECBmpMgr::ReadToolBarResource(kBar, ids, nWidth, nHeight, TRUE));
    EXPECT_EQ(ids, (std::vector<UINT> { 100, 0, 101 }));
    EXPECT_EQ(CSize(nWidth, nHeight), CSize(16, 15));

    ASSERT_TRUE(mgr.LoadToolbar(kBar));
    int nImage = -1;
    const HBITMAP hBmp = BitmapOf(100, nImage);
    ASSERT_NE(hBmp, nullptr);
    EXPECT_EQ(nImage, 0);
    EXPECT_EQ(BitmapOf(101, nImage), hBmp);
    EXPECT_EQ(nImage, 1);
    EXPECT_EQ(BitmapOf(0, nImage), nullptr);
    EXPECT_EQ(BitmapOf(102, nImage), nullptr);
    EXPECT_EQ(SizeOf(hBmp), CSize(32, 15));
    EXPECT_EQ(mgr.GetImageSize(), CSize(16, 15));
}

TEST_F(BmpMgr, TheFirstToolbarThatNamesACommandKeepsIt)
{
    ASSERT_TRUE(mgr.LoadToolbar(kBar));
    ASSERT_TRUE(mgr.LoadToolbar(kOtherBar));
    int nImage = -1;
    const HBITMAP hFirst = BitmapOf(100, nImage);
    EXPECT_EQ(BitmapOf(101, nImage), hFirst);
    EXPECT_EQ(nImage, 1);
    const HBITMAP hSecond = BitmapOf(102, nImage);
    EXPECT_NE(hSecond, hFirst);
    EXPECT_EQ(nImage, 1);
    EXPECT_EQ(PixelOf(hSecond, 16, 0), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(BmpMgr, PaletteColoursBecomeTheButtonColoursAndFollowTheirChange)
{
    ASSERT_TRUE(mgr.LoadToolbar(kBar));
    ASSERT_TRUE(mgr.AddBitmap(kBar, 0, std::vector<UINT> { 200, 201 }.data(), 2, FALSE));
    int nImage = -1;
    const HBITMAP hColored = BitmapOf(100, nImage);
    const HBITMAP hPlain = BitmapOf(200, nImage);
    struct Case {
        int x, y;
        COLORREF colored;
        COLORREF plain;
    };
    const Case cases[] = {
        { 0, 0, ::GetSysColor(COLOR_BTNTEXT), RGB(0, 0, 0) },
        { 15, 14, ::GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255) },
        { 16, 0, ::GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128) },
        { 17, 0, kRed, kRed },
        { 18, 5, ::GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PixelOf(hColored, c.x, c.y), c.colored) << c.x << "," << c.y;
        EXPECT_EQ(PixelOf(hPlain, c.x, c.y), c.plain) << c.x << "," << c.y;
    }

    const COLORREF newFace = RGB(10, 20, 30);
    ASSERT_TRUE(::SetSysColors(1, &kFace, &newFace));
    EXPECT_TRUE(mgr.SysColorChange(TRUE));
    EXPECT_EQ(PixelOf(BitmapOf(100, nImage), 18, 5), newFace);
    EXPECT_EQ(PixelOf(BitmapOf(200, nImage), 18, 5), RGB(192, 192, 192));
}

TEST_F(BmpMgr, LargeButtonsWithoutALargeResourceStretchTheSmallImages)
{
    ASSERT_TRUE(mgr.LoadToolbar(kBar));
    mgr.UseSmallImages(FALSE);
    EXPECT_EQ(mgr.GetImageSize(), CSize(22, 24));
    int nImage = -1;
    const HBITMAP hLarge = BitmapOf(101, nImage);
    ASSERT_NE(hLarge, nullptr);
    EXPECT_EQ(nImage, 1);
    EXPECT_EQ(SizeOf(hLarge), CSize(44, 24));
    // Image 0 is black with a white last pixel; image 1 starts at x = 22, not at 16.
    EXPECT_EQ(PixelOf(hLarge, 0, 0), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(PixelOf(hLarge, 21, 23), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(hLarge, 22, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(hLarge, 30, 12), ::GetSysColor(COLOR_BTNFACE));
    // Only the menus keep the small images while the bars show large ones.
    EXPECT_EQ(BitmapOf(101, nImage, TRUE), nullptr);
    mgr.KeepBothSizes(TRUE);
    EXPECT_NE(BitmapOf(101, nImage, TRUE), nullptr);
    EXPECT_NE(BitmapOf(101, nImage, FALSE), nullptr);

    mgr.UseSmallImages(TRUE);
    mgr.KeepBothSizes(FALSE);
    EXPECT_EQ(SizeOf(BitmapOf(101, nImage)), CSize(32, 15));
}

TEST_F(BmpMgr, ALargeResourceSetsTheLargeSizeAndIsUsedAsItIs)
{
    ASSERT_TRUE(mgr.LoadToolbar(kBar, kLargeBar));
    EXPECT_EQ(mgr.GetLargeImageSize(), CSize(24, 24));
    mgr.UseSmallImages(FALSE);
    int nImage = -1;
    const HBITMAP hLarge = BitmapOf(100, nImage);
    ASSERT_NE(hLarge, nullptr);
    EXPECT_EQ(SizeOf(hLarge), CSize(48, 24));
    EXPECT_EQ(PixelOf(hLarge, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(BmpMgr, BitmapsTheManagerDoesNotOwnAreNeverReloadedOrDeleted)
{
    ASSERT_TRUE(mgr.LoadToolbar(kBar));
    SECBmpMgr::BmpInfo* pInfo = mgr.GetBitmapInfo(0);
    ASSERT_NE(pInfo, nullptr);
    const HBITMAP hOwn = ::CreateBitmap(32, 15, 1, 32, nullptr);
    ::DeleteObject(pInfo->hSmallBmp);
    pInfo->hSmallBmp = hOwn;
    pInfo->bSmallNotOwned = TRUE;
    mgr.SysColorChange(TRUE);
    int nImage = -1;
    EXPECT_EQ(BitmapOf(100, nImage), hOwn);
    mgr.UseSmallImages(FALSE);
    EXPECT_EQ(BitmapOf(100, nImage, TRUE), hOwn);
    EXPECT_EQ(SizeOf(BitmapOf(100, nImage)), CSize(44, 24));
    mgr.UseSmallImages(TRUE);
    EXPECT_EQ(BitmapOf(100, nImage), hOwn);
    pInfo->bSmallNotOwned = FALSE; // the manager deletes it with the rest
}

TEST_F(BmpMgr, DamagedOrMissingResourcesAreRefused)
{
    // The damaged ones are there: it is their content that is refused.
    ASSERT_NE(::FindResource(nullptr, MAKEINTRESOURCE(kLyingBar), RT_TOOLBAR), nullptr);
    ASSERT_NE(::FindResource(nullptr, MAKEINTRESOURCE(kHeaderOnly), RT_BITMAP), nullptr);
    EXPECT_FALSE(mgr.LoadToolbar(kLyingBar));
    EXPECT_FALSE(mgr.LoadToolbar(999));
    EXPECT_FALSE(mgr.LoadToolbar(kBar, 999));
    EXPECT_EQ(mgr.GetBitmapCount(), 0);
    HBITMAP hBmp = nullptr;
    EXPECT_FALSE(SECBmpMgr::LoadSysColorBitmap(hBmp, kHeaderOnly));
    EXPECT_EQ(hBmp, nullptr);
    // A bitmap that fails to load leaves its commands registered but without an image.
    EXPECT_FALSE(mgr.AddBitmap(kHeaderOnly, 0, std::vector<UINT> { 300 }.data(), 1));
    int nImage = -1;
    EXPECT_EQ(BitmapOf(300, nImage), nullptr);
}

TEST_F(BmpMgr, ABitmapNarrowerThanItsButtonsStillLoadsAndStretches)
{
    ASSERT_TRUE(mgr.LoadToolbar(kNarrowBar));
    int nImage = -1;
    EXPECT_NE(BitmapOf(112, nImage), nullptr);
    EXPECT_EQ(nImage, 2);
    mgr.UseSmallImages(FALSE);
    const HBITMAP hLarge = BitmapOf(112, nImage);
    ASSERT_NE(hLarge, nullptr);
    EXPECT_EQ(SizeOf(hLarge), CSize(66, 24));
}

// Counts its own destruction, to see who deletes it.
class CountedBmpMgr : public SECBmpMgr {
public:
    explicit CountedBmpMgr(int& nDeleted)
        : m_nDeleted(nDeleted)
    {
    }
    ~CountedBmpMgr() override { ++m_nDeleted; }

private:
    int& m_nDeleted;
};

TEST(BmpMgrSharing, TheLastHolderDeletesTheManager)
{
    platform::user::TestScreen screen;
    int nDeleted = 0;
    auto* pShared = new CountedBmpMgr(nDeleted); // the toolbar manager's
    pShared->AddRef();                            // the bitmap menus'
    ASSERT_TRUE(pShared->LoadToolbar(kBar));
    pShared->Release(); // the toolbar manager goes
    EXPECT_EQ(nDeleted, 0);
    HBITMAP hBmp = nullptr;
    int nImage = -1;
    EXPECT_TRUE(pShared->GetBitmap(101, hBmp, nImage));
    pShared->Release();
    EXPECT_EQ(nDeleted, 1);
}

} // namespace
