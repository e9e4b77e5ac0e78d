#include <gtest/gtest.h>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::Canvas;
using comctltest::MakeBitmap;
using Pixels = std::vector<COLORREF>;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 2x2 masked list of one image: red, green / magenta (transparent), blue.
class MaskedList : public ::testing::Test {
protected:
    void SetUp() override
    {
        himl = ImageList_Create(2, 2, ILC_MASK | ILC_COLOR32, 1, 1);
        HBITMAP bitmap = MakeBitmap(2, 2, { kRed, kGreen, kMagenta, kBlue });
        ASSERT_EQ(ImageList_AddMasked(himl, bitmap, kMagenta), 0);
        DeleteObject(bitmap);
    }
    void TearDown() override { ImageList_Destroy(himl); }

    Pixels drawn(UINT style, COLORREF fg = CLR_DEFAULT)
    {
        Canvas canvas(2, 2, kGrey);
        EXPECT_TRUE(ImageList_DrawEx(himl, 0, canvas.dc(), 0, 0, 0, 0, CLR_DEFAULT, fg, style));
        return canvas.pixels();
    }

    HIMAGELIST himl { nullptr };
};

} // namespace

TEST_F(MaskedList, DrawingStylesAreBitExact)
{
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    struct Case {
        const char* name;
        COLORREF bk;
        UINT style;
        Pixels expected;
    } cases[] = {
        { "transparent", CLR_NONE, ILD_TRANSPARENT, { kRed, kGreen, kGrey, kBlue } },
        { "normal without background", CLR_NONE, ILD_NORMAL, { kRed, kGreen, kGrey, kBlue } },
        { "normal over background", kYellow, ILD_NORMAL, { kRed, kGreen, kYellow, kBlue } },
        { "transparent ignores background", kYellow, ILD_TRANSPARENT, { kRed, kGreen, kGrey, kBlue } },
        { "mask", CLR_NONE, ILD_MASK, { kBlack, kBlack, kWhite, kBlack } },
        { "selected dithers the highlight", CLR_NONE, ILD_SELECTED, { hl, kGreen, kGrey, hl } },
        { "focus dithers one in four", CLR_NONE, ILD_FOCUS, { hl, kGreen, kGrey, kBlue } },
    };
    for (const auto& c : cases) {
        ImageList_SetBkColor(himl, c.bk);
        EXPECT_EQ(drawn(c.style), c.expected) << c.name;
    }
    ImageList_SetBkColor(himl, CLR_NONE);
    EXPECT_EQ(drawn(ILD_SELECTED, kYellow), (Pixels { kYellow, kGreen, kGrey, kYellow }));
}

TEST_F(MaskedList, ExplicitMaskHidesWhatTheImageHasUnderIt)
{
    // The image is all red; the mask (white = transparent) clears the right column. The red under
    // the mask must not bleed into the destination.
    HBITMAP image = MakeBitmap(2, 2, { kRed, kRed, kRed, kRed });
    HBITMAP mask = MakeBitmap(2, 2, { kBlack, kWhite, kBlack, kWhite });
    ASSERT_EQ(ImageList_Add(himl, image, mask), 1);
    Canvas canvas(2, 2, kGrey);
    ImageList_Draw(himl, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.pixels(), (Pixels { kRed, kGrey, kRed, kGrey }));
    DeleteObject(image);
    DeleteObject(mask);
}

TEST_F(MaskedList, StripsReplaceRemoveAndOverlay)
{
    // A 5-wide strip holds two whole images; the odd column is dropped.
    HBITMAP strip = MakeBitmap(5, 2, { kBlue, kBlue, kGreen, kGreen, kRed, kBlue, kBlue, kGreen, kGreen, kRed });
    EXPECT_EQ(ImageList_AddMasked(himl, strip, CLR_NONE), 1);
    EXPECT_EQ(ImageList_GetImageCount(himl), 3);
    DeleteObject(strip);

    HBITMAP yellow = MakeBitmap(2, 2, Pixels(4, kYellow));
    EXPECT_TRUE(ImageList_Replace(himl, 2, yellow, nullptr));
    EXPECT_FALSE(ImageList_Replace(himl, 3, yellow, nullptr));
    DeleteObject(yellow);

    // Image 0 as overlay 1 drawn over image 2 (yellow): its transparent pixel lets yellow through.
    EXPECT_TRUE(ImageList_SetOverlayImage(himl, 0, 1));
    Canvas canvas(2, 2, kGrey);
    ImageList_Draw(himl, 2, canvas.dc(), 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(canvas.pixels(), (Pixels { kRed, kGreen, kYellow, kBlue }));

    EXPECT_TRUE(ImageList_Remove(himl, 1));
    EXPECT_FALSE(ImageList_Remove(himl, 5));
    EXPECT_EQ(ImageList_GetImageCount(himl), 2);
    EXPECT_TRUE(ImageList_Remove(himl, -1));
    EXPECT_EQ(ImageList_GetImageCount(himl), 0);
    EXPECT_FALSE(ImageList_Draw(himl, 0, canvas.dc(), 0, 0, ILD_NORMAL));
}

TEST_F(MaskedList, CopiesAreIndependentAndIconsRoundTrip)
{
    HIMAGELIST copy = ImageList_Duplicate(himl);
    ImageList_Remove(himl, 0);
    ASSERT_EQ(ImageList_GetImageCount(copy), 1);

    HICON icon = ImageList_GetIcon(copy, 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    HIMAGELIST fromIcon = ImageList_Create(2, 2, ILC_MASK, 1, 1);
    EXPECT_EQ(ImageList_AddIcon(fromIcon, icon), 0);
    Canvas canvas(2, 2, kGrey);
    ImageList_Draw(fromIcon, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.pixels(), (Pixels { kRed, kGreen, kGrey, kBlue }));
    DestroyIcon(icon);
    ImageList_Destroy(fromIcon);
    ImageList_Destroy(copy);
}

TEST(ImageListHandles, BadHandlesAndSizesAreRefused)
{
    EXPECT_EQ(ImageList_Create(0, 16, ILC_MASK, 1, 1), nullptr);
    HIMAGELIST himl = ImageList_Create(2, 2, 0, 1, 1);
    ASSERT_TRUE(ImageList_Destroy(himl));
    // The handle is dead now: every call refuses it instead of following it.
    EXPECT_FALSE(ImageList_Destroy(himl));
    EXPECT_EQ(ImageList_GetImageCount(himl), 0);
    EXPECT_EQ(ImageList_AddMasked(himl, nullptr, CLR_NONE), -1);
    EXPECT_EQ(ImageList_Add(nullptr, nullptr, nullptr), -1);
}

TEST(ImageListHandles, UnmaskedListsDrawEveryPixel)
{
    HIMAGELIST himl = ImageList_Create(2, 1, ILC_COLOR32, 1, 1);
    HBITMAP bitmap = MakeBitmap(2, 1, { kMagenta, kBlue });
    ImageList_AddMasked(himl, bitmap, kMagenta);
    Canvas canvas(2, 1, kGrey);
    ImageList_Draw(himl, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.pixels(), (Pixels { kMagenta, kBlue }));
    DeleteObject(bitmap);
    ImageList_Destroy(himl);
}

TEST(ImageListHandles, MergeLaysTheSecondImageOverTheFirst)
{
    HIMAGELIST a = ImageList_Create(2, 1, ILC_MASK, 1, 1);
    HIMAGELIST b = ImageList_Create(1, 1, ILC_MASK, 1, 1);
    HBITMAP ab = MakeBitmap(2, 1, { kRed, kMagenta });
    HBITMAP bb = MakeBitmap(1, 1, { kBlue });
    ImageList_AddMasked(a, ab, kMagenta);
    ImageList_AddMasked(b, bb, kMagenta);
    HIMAGELIST merged = ImageList_Merge(a, 0, b, 0, 2, 0);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(merged, &cx, &cy);
    EXPECT_EQ(cx, 3);
    Canvas canvas(3, 1, kGrey);
    ImageList_Draw(merged, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.pixels(), (Pixels { kRed, kGrey, kBlue }));
    for (HIMAGELIST h : { a, b, merged })
        ImageList_Destroy(h);
    DeleteObject(ab);
    DeleteObject(bb);
}

TEST(ImageListDrag, TheDragImageShowsOnTheScreenAndLeavesNoTrace)
{
    platform::user::TestScreen screen(64, 48);
    HIMAGELIST himl = ImageList_Create(2, 2, ILC_MASK, 1, 1);
    HBITMAP bitmap = MakeBitmap(2, 2, { kRed, kRed, kRed, kMagenta });
    ImageList_AddMasked(himl, bitmap, kMagenta);
    DeleteObject(bitmap);
    const COLORREF desk = screen.pixel(20, 20);

    ASSERT_TRUE(ImageList_BeginDrag(himl, 0, 1, 1));
    EXPECT_FALSE(ImageList_BeginDrag(himl, 0, 0, 0));
    ImageList_Destroy(himl); // the drag keeps its own copy
    ASSERT_TRUE(ImageList_DragEnter(nullptr, 21, 21));
    EXPECT_EQ(screen.pixel(20, 20), kRed);
    EXPECT_EQ(screen.pixel(21, 21), desk); // transparent corner

    ImageList_DragMove(31, 31);
    EXPECT_EQ(screen.pixel(20, 20), desk);
    EXPECT_EQ(screen.pixel(30, 30), kRed);
    POINT at {};
    EXPECT_NE(ImageList_GetDragImage(&at, nullptr), nullptr);
    EXPECT_EQ(at.x, 31);

    ImageList_DragShowNolock(FALSE);
    EXPECT_EQ(screen.pixel(30, 30), desk);
    ImageList_DragShowNolock(TRUE);
    EXPECT_EQ(screen.pixel(30, 30), kRed);

    ImageList_DragLeave(nullptr);
    EXPECT_EQ(screen.pixel(30, 30), desk);
    ImageList_EndDrag();
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
}
