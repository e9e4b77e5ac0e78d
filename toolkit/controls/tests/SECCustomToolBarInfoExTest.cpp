// The stored forms of a custom toolbar's title and buttons: the packed list, the archive, the tree
// (with its pieces) and the profile, written byte for byte as readers expect and read back; damaged
// lists are read up to the damage and no further.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/HomeFolder.h"
#include "toolkit/controls/SECCustomToolBarInfoEx.h"
#include "toolkit/frames/SECPTNFactory.h"
#include "toolkit/frames/SECPersistentTreeNode.h"

namespace {

using Bytes = std::vector<BYTE>;

SECBtnInfoArray Buttons(std::initializer_list<DWORD> ids)
{
    SECBtnInfoArray buttons;
    for (DWORD id : ids)
        buttons.push_back(SECBtnInfo { id, {} });
    return buttons;
}

std::vector<DWORD> Ids(const SECBtnInfoArray& buttons)
{
    std::vector<DWORD> ids;
    for (const SECBtnInfo& btn : buttons)
        ids.push_back(btn.m_nID);
    return ids;
}

TEST(ToolBarState, PackedListsAreFiveBytesPerPlainButton)
{
    const Bytes packed = SECCustomToolBarInfoEx::PackButtons(Buttons({ 100, 0, 101 }));
    EXPECT_EQ(packed, (Bytes { 0x64, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x65, 0, 0, 0, 0 }));

    SECBtnInfoArray read;
    EXPECT_TRUE(SECCustomToolBarInfoEx::UnpackButtons(packed.data(), packed.size(), read));
    EXPECT_EQ(Ids(read), (std::vector<DWORD> { 100, 0, 101 }));

    // Extra data rides along.
    SECBtnInfoArray withData { SECBtnInfo { 0x12345678, { 0xAA, 0xBB } } };
    const Bytes packedData = SECCustomToolBarInfoEx::PackButtons(withData);
    EXPECT_EQ(packedData, (Bytes { 0x78, 0x56, 0x34, 0x12, 2, 0xAA, 0xBB }));
}

TEST(ToolBarState, ListsThatLieAboutTheirSizeAreReadUpToTheDamage)
{
    struct Case {
        const char* name;
        Bytes bytes;
        std::vector<DWORD> ids;
    };
    const Case cases[] = {
        { "extra data past the end", { 0x64, 0, 0, 0, 0, 0x65, 0, 0, 0, 9, 1 }, { 100 } },
        { "a record cut in its id", { 0x64, 0, 0, 0, 0, 0x65, 0 }, { 100 } },
        { "a size byte of 255 and nothing after", { 0x64, 0, 0, 0, 0xFF }, {} },
    };
    for (const Case& c : cases) {
        // An exact copy, so that reading past it is caught.
        const auto data = std::make_unique<BYTE[]>(c.bytes.size());
        std::memcpy(data.get(), c.bytes.data(), c.bytes.size());
        SECBtnInfoArray read;
        EXPECT_FALSE(SECCustomToolBarInfoEx::UnpackButtons(data.get(), c.bytes.size(), read)) << c.name;
        EXPECT_EQ(Ids(read), c.ids) << c.name;
    }
}

Bytes Store(SECCustomToolBarInfoEx& info)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        info.Serialize(ar, nullptr);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(SECCustomToolBarInfoEx& info, Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    info.Serialize(ar, nullptr);
}

TEST(ToolBarState, TheArchiveFormKeepsTitleCountAndRecords)
{
    SECCustomToolBarInfoEx info;
    info.m_strTitle = "Std";
    info.m_btnInfo = Buttons({ 100, 0, 101 });
    const Bytes bytes = Store(info);
    EXPECT_EQ(bytes, (Bytes { 3, 'S', 't', 'd', 3, 0, 0, 0, 0x64, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x65, 0, 0, 0, 0 }));

    SECCustomToolBarInfoEx read;
    Load(read, bytes);
    EXPECT_EQ(read.m_strTitle, "Std");
    EXPECT_EQ(Ids(read.m_btnInfo), (std::vector<DWORD> { 100, 0, 101 }));

    // A count that claims more records than follow, or far more than a bar holds, is damage.
    for (const Bytes& damaged : { Bytes { 0, 5, 0, 0, 0, 0x64, 0, 0, 0, 0 }, Bytes { 0, 0xFF, 0xFF, 0xFF, 0xFF } }) {
        SECCustomToolBarInfoEx bad;
        try {
            Load(bad, damaged);
            ADD_FAILURE() << "damaged archive accepted";
        } catch (CArchiveException* e) {
            e->Delete();
        }
    }
}

TEST(ToolBarState, TheTreeFormKeepsLongListsInPieces)
{
    SECPTNFactory factory;
    SECPersistentTreeNode root;
    root.Initialize("Bar-0", nullptr);
    SECCustomToolBarInfoEx info;
    info.m_strTitle = "Tools";
    for (DWORD id = 1; id <= 26; ++id)
        info.m_btnInfo.push_back(SECBtnInfo { id, {} });
    ASSERT_TRUE(info.SaveToNode(factory, &root));

    SECPersistentTreeNode* pNode = root.FindChild("ToolBarInfoEx");
    ASSERT_NE(pNode, nullptr);
    // 26 buttons are 130 bytes, 260 letters: pieces of 250 and 10.
    CString piece;
    EXPECT_EQ(pNode->GetStringValue("Buttons_BinVal0", piece), 0U);
    EXPECT_EQ(piece.GetLength(), 250);
    EXPECT_STREQ(piece.Left(10), "BAAAAAAAAA") << "id 1, little-endian, low half of each byte first";
    EXPECT_EQ(pNode->GetStringValue("Buttons_BinVal1", piece), 0U);
    EXPECT_EQ(piece.GetLength(), 10);

    SECCustomToolBarInfoEx read;
    ASSERT_TRUE(read.LoadFromNode(&root));
    EXPECT_EQ(read.m_strTitle, "Tools");
    EXPECT_EQ(read.m_btnInfo.size(), 26U);
    EXPECT_EQ(read.m_btnInfo[25].m_nID, 26U);

    // An empty list is written too, and reads back empty; a record without the child reads nothing.
    SECPersistentTreeNode emptyRoot;
    emptyRoot.Initialize("Bar-1", nullptr);
    SECCustomToolBarInfoEx empty;
    ASSERT_TRUE(empty.SaveToNode(factory, &emptyRoot));
    CString text;
    EXPECT_EQ(emptyRoot.FindChild("ToolBarInfoEx")->GetStringValue("Buttons", text), 0U);
    SECCustomToolBarInfoEx readEmpty;
    EXPECT_TRUE(readEmpty.LoadFromNode(&emptyRoot));
    EXPECT_TRUE(readEmpty.m_btnInfo.empty());
    SECPersistentTreeNode bare;
    bare.Initialize("Bar-2", nullptr);
    EXPECT_FALSE(readEmpty.LoadFromNode(&bare));
    EXPECT_FALSE(readEmpty.LoadFromNode(nullptr));
}

TEST(ToolBarState, TheProfileFormWritesNoEmptyTitle)
{
    CWinApp app { "toolbarstate" };
    app.SetCurrentHandles();
    std::free(const_cast<char*>(app.m_pszProfileName));
    app.m_pszProfileName = ::strdup("toolbars.ini");
    const auto path = platform::HomeFolder() / "toolbars.ini";
    std::filesystem::remove(path);

    SECCustomToolBarInfoEx info;
    info.m_btnInfo = Buttons({ 100, 0, 101 });
    EXPECT_TRUE(info.SaveToProfile("Layout-Bar0"));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().find("Title"), std::string::npos);
    EXPECT_NE(text.str().find("Buttons=EGAAAAAAAAAAAAAAAAAAFGAAAAAAAA"), std::string::npos) << text.str();

    SECCustomToolBarInfoEx read;
    EXPECT_TRUE(read.LoadFromProfile("Layout-Bar0", nullptr));
    EXPECT_TRUE(read.m_strTitle.IsEmpty());
    EXPECT_EQ(Ids(read.m_btnInfo), (std::vector<DWORD> { 100, 0, 101 }));
    std::filesystem::remove(path);
}

} // namespace
