#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CBitmap.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CMemFile.h"

namespace {

// A strip of two 4x3 images: the first red with a magenta (transparent) corner, the second blue.
HBITMAP MakeStrip()
{
    std::vector<std::uint32_t> pixels(8 * 3, 0x0000FF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            pixels[y * 8 + x] = 0xFF0000;
    pixels[0] = 0xFF00FF;
    return CreateBitmap(8, 3, 1, 32, pixels.data());
}

std::vector<BYTE> Stored(CImageList& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(list.Write(&ar));
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

BOOL ReadBack(CImageList& list, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    return list.Read(&ar);
}

} // namespace

TEST(ImageListArchive, AStoredListReadsBackWithItsImagesMasksAndBackground)
{
    CImageList list;
    ASSERT_TRUE(list.Create(4, 3, ILC_COLOR32 | ILC_MASK, 2, 2));
    CBitmap strip;
    strip.Attach(MakeStrip());
    ASSERT_EQ(list.Add(&strip, RGB(255, 0, 255)), 0);
    list.SetBkColor(RGB(1, 2, 3));
    const std::vector<BYTE> bytes = Stored(list);

    CImageList copy;
    ASSERT_TRUE(ReadBack(copy, bytes));
    EXPECT_EQ(copy.GetImageCount(), 2);
    EXPECT_EQ(copy.GetBkColor(), RGB(1, 2, 3));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(copy, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 3);
    // The copy stores to the same bytes: pixels and masks came through unchanged.
    EXPECT_EQ(Stored(copy), bytes);
}

TEST(ImageListArchive, DamagedOrTruncatedDataIsRefusedAndLeavesNoList)
{
    CImageList list;
    ASSERT_TRUE(list.Create(4, 3, ILC_COLOR32 | ILC_MASK, 2, 2));
    CBitmap strip;
    strip.Attach(MakeStrip());
    list.Add(&strip, RGB(255, 0, 255));
    const std::vector<BYTE> good = Stored(list);

    std::vector<BYTE> truncated(good.begin(), good.end() - 5);
    std::vector<BYTE> wrongTag = good;
    wrongTag[4] ^= 0xFF;
    std::vector<BYTE> hugeCount = good;
    // The image count sits after the length, tag, version, sizes, mask flag and background.
    hugeCount[4 + 6 * 4] = 0xFF;
    hugeCount[4 + 6 * 4 + 1] = 0xFF;
    std::vector<BYTE> hugeLength = good;
    hugeLength[3] = 0x7F;
    for (const auto& bytes : { truncated, wrongTag, hugeCount, hugeLength, std::vector<BYTE> { 1, 2 } }) {
        CImageList target;
        ASSERT_TRUE(target.Create(4, 3, ILC_COLOR32, 0, 1));
        EXPECT_FALSE(ReadBack(target, bytes));
        EXPECT_EQ(target.GetSafeHandle(), nullptr);
    }
    CImageList empty;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_FALSE(empty.Write(&ar));
}
