// The tree helper: children per folder and per drive, item paths and finding children by text.
#include "toolkit/controls/SECTreeCtrlHelper.h"

#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"
#include "toolkit/controls/tests/TreeTestSupport.h"

using namespace treetest;

namespace {

using Texts = std::vector<std::string>;

class HelperTree : public TreeWindow {
protected:
    SECTreeCtrlHelper helper { &tree };
};

} // namespace

TEST_F(HelperTree, PathsRunFromBelowTheStopItemDownToTheItem)
{
    Build();
    Fill();
    struct Case {
        HTREEITEM item;
        HTREEITEM stop;
        const char* expected;
    };
    const Case cases[] = {
        { alpha, music, "Rock\\Alpha\\" },
        { alpha, nullptr, "Music\\Rock\\Alpha\\" },
        { alpha, podcasts, "Music\\Rock\\Alpha\\" }, // not an ancestor: up to the top
        { music, music, "" },
    };
    for (const Case& c : cases) {
        CString path = "C:";
        EXPECT_STREQ(helper.GetItemPath(c.item, path, c.stop, "\\"), (std::string("C:") + c.expected).c_str());
    }
}

TEST_F(HelperTree, ChildrenAreFoundByTheirExactText)
{
    Build();
    Fill();
    EXPECT_EQ(helper.FindChildItem(music, "Jazz"), jazz);
    EXPECT_EQ(helper.FindChildItem(music, "jazz"), nullptr);
    EXPECT_EQ(helper.FindChildItem(nullptr, "Podcasts"), podcasts);
    EXPECT_EQ(helper.FindChildItem(alpha, "Anything"), nullptr);
}

TEST_F(HelperTree, FoldersAndDrivesBecomeSortedChildrenThatDeclareChildren)
{
    Build();
    char buffer[MAX_PATH] {};
    GetCurrentDirectory(MAX_PATH, buffer);
    const CString root = CString(buffer) + "\\helper\\";
    for (const char* name : { "", "beta", "Alpha", "gamma", "Alpha\\inner" })
        CreateDirectory(root + name, nullptr);
    const HTREEITEM top = tree.InsertItem("top");
    TVITEM model;
    model.mask = TVIF_PARAM;
    model.lParam = 5;
    EXPECT_TRUE(helper.InsertFolderItems(top, root, FALSE, &model));
    EXPECT_EQ(tree.ChildTexts(top), (Texts { "Alpha", "beta", "gamma" }));
    const HTREEITEM alphaFolder = tree.GetChildItem(top);
    EXPECT_TRUE(tree.GetItemChildrenFlag(alphaFolder));
    EXPECT_EQ(tree.GetItemData(alphaFolder), 5);
    // A folder without subfolders adds nothing; the caller then clears the flag.
    const HTREEITEM gamma = helper.FindChildItem(top, "gamma");
    EXPECT_TRUE(helper.InsertFolderItems(gamma, root + "gamma", FALSE, &model));
    EXPECT_EQ(tree.GetChildItem(gamma), nullptr);
    helper.SetItemHasChildren(gamma, FALSE, TRUE);
    EXPECT_FALSE(tree.GetItemChildrenFlag(gamma));
    // Drives are shown by letter and colon.
    const HTREEITEM computer = tree.InsertItem("Computer");
    EXPECT_TRUE(helper.InsertFolderItems(computer, nullptr, TRUE, nullptr));
    for (HTREEITEM h = tree.GetChildItem(computer); h != nullptr; h = tree.GetNextSiblingItem(h)) {
        const CString name = tree.GetItemText(h);
        EXPECT_EQ(name.GetLength(), 2);
        EXPECT_EQ(name[1], ':');
    }
    for (const char* name : { "Alpha\\inner", "Alpha", "beta", "gamma", "" })
        RemoveDirectory(root + name);
}
