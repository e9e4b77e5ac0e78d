#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/controls/SECSubItemTextStorage.h"

namespace {

HTREEITEM Item(INT_PTR n)
{
    return reinterpret_cast<HTREEITEM>(n * 16);
}

// An item's texts of columns 1 to n, as read back.
std::vector<std::string> Texts(const SECSubItemTextStorage& storage, HTREEITEM hItem, int n)
{
    std::vector<std::string> texts;
    char buffer[32];
    for (int col = 1; col <= n; ++col) {
        storage.GetText(hItem, col, buffer, sizeof(buffer));
        texts.push_back(buffer);
    }
    return texts;
}

TEST(SubItemTextStorage, KeepsTextsPerItemAndColumn)
{
    SECSubItemTextStorage storage;
    char buffer[8] = "junk";
    EXPECT_FALSE(storage.GetText(Item(1), 1, buffer, sizeof(buffer)));
    EXPECT_STREQ(buffer, "");
    ASSERT_TRUE(storage.SetText(Item(1), 3, "third"));
    EXPECT_EQ(Texts(storage, Item(1), 3), (std::vector<std::string> { "", "", "third" }));
    EXPECT_TRUE(storage.GetText(Item(1), 2, buffer, sizeof(buffer)));
    EXPECT_FALSE(storage.GetText(Item(1), 4, buffer, sizeof(buffer)));
    EXPECT_FALSE(storage.SetText(Item(1), 0, "label")); // column 0 is the item's own label
    // Long texts are cut on whole characters.
    storage.SetText(Item(1), 1, "caf\xC3\xA9s");
    char small[5];
    storage.GetText(Item(1), 1, small, sizeof(small));
    EXPECT_STREQ(small, "caf");
    storage.RemoveItem(Item(1));
    storage.RemoveItem(Item(2));
    EXPECT_FALSE(storage.GetText(Item(1), 3, buffer, sizeof(buffer)));
}

TEST(SubItemTextStorage, ColumnsMoveAndOpenUpAcrossItems)
{
    SECSubItemTextStorage storage;
    storage.SetText(Item(1), 1, "a");
    storage.SetText(Item(1), 2, "b");
    storage.SetText(Item(1), 3, "c");
    storage.SetText(Item(2), 1, "x");
    EXPECT_TRUE(storage.MoveText(Item(1), 1, 3));
    EXPECT_EQ(Texts(storage, Item(1), 3), (std::vector<std::string> { "b", "c", "a" }));
    EXPECT_TRUE(storage.MoveText(Item(2), 4, 1)); // a column never set moves as an empty text
    EXPECT_EQ(Texts(storage, Item(2), 2), (std::vector<std::string> { "", "x" }));
    EXPECT_FALSE(storage.MoveText(Item(3), 1, 2));
    EXPECT_FALSE(storage.MoveText(Item(1), 0, 2));
    EXPECT_TRUE(storage.InsertColumn(2));
    EXPECT_EQ(Texts(storage, Item(1), 4), (std::vector<std::string> { "b", "", "c", "a" }));
    EXPECT_EQ(Texts(storage, Item(2), 3), (std::vector<std::string> { "", "", "x" }));
    EXPECT_FALSE(storage.InsertColumn(0));
}

} // namespace
