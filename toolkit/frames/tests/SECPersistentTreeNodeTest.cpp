// The persistent tree node: result codes, value texts, the byte encoding and its pieces, ownership.

#include "toolkit/frames/SECPersistentTreeNode.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

using Node = SECPersistentTreeNode;

std::string Text(Node& node, LPCTSTR key)
{
    CString value;
    return node.GetStringValue(key, value, "<none>") == Node::ptnSuccess ? std::string(value.GetString()) : "<none>";
}

std::vector<BYTE> Bytes(Node& node, LPCTSTR key, UINT* pResult = nullptr)
{
    BYTE* pData = nullptr;
    UINT nSize = 0;
    const UINT nResult = node.GetBinaryValue(key, &pData, &nSize);
    if (pResult)
        *pResult = nResult;
    std::unique_ptr<BYTE[]> owned(pData);
    return pData ? std::vector<BYTE>(pData, pData + nSize) : std::vector<BYTE>();
}

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<BYTE>(i * 37 + 5);
    return data;
}

class TreeNodeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_root.Initialize("Root", nullptr), Node::ptnSuccess); }

    Node m_root;
};

TEST(TreeNodeCodes, InitializeAndAddChildReportTheirCodes)
{
    Node node;
    EXPECT_EQ(node.Initialize("", nullptr), Node::ptnInvalidArgument);
    EXPECT_EQ(node.Initialize(nullptr, nullptr), Node::ptnInvalidArgument);
    EXPECT_EQ(node.SetStringValue("", "x", TRUE), Node::ptnNotInitialized | Node::ptnEmptyKey);
    EXPECT_EQ(node.AddChild(&node), Node::ptnNotInitialized);
    EXPECT_FALSE(node.IsInitialized());

    ASSERT_EQ(node.Initialize("Root", nullptr), Node::ptnSuccess);
    EXPECT_EQ(node.Initialize("Again", nullptr), Node::ptnAlreadyInitialized);
    EXPECT_EQ(node.Initialize("", nullptr), Node::ptnAlreadyInitialized | Node::ptnInvalidArgument);
    EXPECT_EQ(node.GetName(), CString("Root"));
    EXPECT_EQ(node.AddChild(nullptr), Node::ptnInvalidArgument);

    Node child;
    ASSERT_EQ(child.Initialize("Child", &node), Node::ptnSuccess);
    Node twin;
    EXPECT_EQ(twin.Initialize("Child", &node), Node::ptnDuplicateChild);
    EXPECT_FALSE(twin.IsInitialized());
    Node other; // case counts: a different child
    EXPECT_EQ(other.Initialize("child", &node), Node::ptnSuccess);
    ASSERT_EQ(node.GetChildren().size(), 2u);
    EXPECT_EQ(node.FindChild("Child"), &child);
    EXPECT_EQ(node.FindChild(""), nullptr);
    EXPECT_EQ(node.FindChild("CHILD"), nullptr);

    // A node that names another parent (or none) would be saved under the wrong path.
    Node stray;
    ASSERT_EQ(stray.Initialize("Stray", nullptr), Node::ptnSuccess);
    EXPECT_EQ(node.AddChild(&stray), Node::ptnFailure);
    EXPECT_EQ(node.AddChild(&node), Node::ptnFailure);
    Node loop;
    EXPECT_EQ(loop.Initialize("Loop", &loop), Node::ptnFailure); // its own parent: refused, not linked
}

TEST_F(TreeNodeTest, SettersReportCodesAndKeepTheOldValue)
{
    EXPECT_EQ(m_root.SetStringValue("", "x"), Node::ptnEmptyKey);
    EXPECT_EQ(m_root.SetStringValue("Key", "old"), Node::ptnSuccess);
    EXPECT_EQ(m_root.SetStringValue("Key", "new", FALSE), Node::ptnKeyExists);
    EXPECT_EQ(Text(m_root, "Key"), "old");
    EXPECT_EQ(m_root.SetStringValue("key", "other", FALSE), Node::ptnSuccess); // keys are case-sensitive
    EXPECT_EQ(m_root.SetStringValue("Key", "new", TRUE), Node::ptnSuccess);
    EXPECT_EQ(Text(m_root, "Key"), "new");
    EXPECT_EQ(m_root.RemoveValue("Key"), Node::ptnSuccess);
    EXPECT_EQ(m_root.RemoveValue("Key"), Node::ptnNoValue);
    EXPECT_EQ(Text(m_root, "Key"), "<none>");
    EXPECT_EQ(Text(m_root, "key"), "other");

    CString strValue;
    EXPECT_EQ(m_root.GetStringValue("Missing", strValue, "fallback"), Node::ptnNoValue);
    EXPECT_EQ(strValue, CString("fallback"));
}

TEST_F(TreeNodeTest, NumbersAndBooleansAsText)
{
    ASSERT_EQ(m_root.SetIntValue("Negative", -42), Node::ptnSuccess);
    ASSERT_EQ(m_root.SetBoolValue("Yes", TRUE), Node::ptnSuccess);
    ASSERT_EQ(m_root.SetBoolValue("No", FALSE), Node::ptnSuccess);
    EXPECT_EQ(Text(m_root, "Negative"), "-42");
    EXPECT_EQ(Text(m_root, "Yes"), "True");
    EXPECT_EQ(Text(m_root, "No"), "False");

    struct NumberCase {
        LPCTSTR text;
        int value;
    };
    const NumberCase numbers[] = {
        { "17", 17 }, { "-3", -3 }, { "+8", 8 }, { "  12abc", 12 }, { "abc", 0 }, { "", 0 },
        { "99999999999", INT_MAX }, { "-99999999999", INT_MIN },
    };
    for (const NumberCase& c : numbers) {
        ASSERT_EQ(m_root.SetStringValue("N", c.text), Node::ptnSuccess);
        int nValue = 1;
        EXPECT_EQ(m_root.GetIntValue("N", nValue, 5), Node::ptnSuccess);
        EXPECT_EQ(nValue, c.value) << '"' << c.text << '"';
    }
    ASSERT_EQ(m_root.SetIntValue("N", -1), Node::ptnSuccess);
    DWORD dwValue = 0;
    UINT nValue = 0;
    LONG lValue = 0;
    EXPECT_EQ(m_root.GetDWordValue("N", dwValue), Node::ptnSuccess);
    EXPECT_EQ(m_root.GetUIntValue("N", nValue), Node::ptnSuccess);
    EXPECT_EQ(m_root.GetLongValue("N", lValue), Node::ptnSuccess);
    EXPECT_EQ(dwValue, 0xFFFFFFFFu);
    EXPECT_EQ(nValue, 0xFFFFFFFFu);
    EXPECT_EQ(lValue, -1);
    int nMissing = 0;
    EXPECT_EQ(m_root.GetIntValue("Missing", nMissing, 9), Node::ptnNoValue);
    EXPECT_EQ(nMissing, 9);

    struct BoolCase {
        LPCTSTR text;
        BOOL value;
    };
    const BoolCase booleans[] = {
        { "true", TRUE }, { "TRUE", TRUE }, { "True", TRUE }, { "1", FALSE }, { "False", FALSE }, { "yes", FALSE },
    };
    for (const BoolCase& c : booleans) {
        ASSERT_EQ(m_root.SetStringValue("B", c.text), Node::ptnSuccess);
        BOOL bValue = !c.value;
        EXPECT_EQ(m_root.GetBoolValue("B", bValue, !c.value), Node::ptnSuccess);
        EXPECT_EQ(bValue, c.value) << c.text;
    }
    BOOL bMissing = FALSE;
    EXPECT_EQ(m_root.GetBoolValue("Missing", bMissing, TRUE), Node::ptnNoValue);
    EXPECT_TRUE(bMissing);
}

TEST_F(TreeNodeTest, BytesAreLetterPairsInPiecesOf250)
{
    const BYTE sample[] = { 0x00, 0xFF, 0x12 };
    ASSERT_EQ(m_root.SetBinaryValue("Sample", sample, 3), Node::ptnSuccess);
    EXPECT_EQ(Text(m_root, "Sample"), "AAPPCB");

    struct Case {
        size_t size;
        const char* count; // the piece count's text, or null for one plain value
        size_t lastPiece;
    };
    const Case cases[] = { { 125, nullptr, 250 }, { 126, "2", 2 }, { 250, "2", 250 }, { 251, "3", 2 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Node node;
        ASSERT_EQ(node.Initialize("Node", nullptr), Node::ptnSuccess);
        const std::vector<BYTE> data = Pattern(c.size);
        ASSERT_EQ(node.SetBinaryValue("Data", data.data(), static_cast<UINT>(data.size())), Node::ptnSuccess);
        if (!c.count) {
            EXPECT_EQ(Text(node, "Data").size(), 2 * c.size);
            EXPECT_EQ(Text(node, "Data_BinCount"), "<none>");
        } else {
            EXPECT_EQ(Text(node, "Data"), "<none>");
            EXPECT_EQ(Text(node, "Data_BinCount"), c.count);
            EXPECT_EQ(Text(node, "Data_BinVal0").size(), 250u);
            const std::string lastKey = std::string("Data_BinVal") + std::to_string(std::stoi(c.count) - 1);
            EXPECT_EQ(Text(node, lastKey.c_str()).size(), c.lastPiece);
        }
        EXPECT_EQ(Bytes(node, "Data"), data);
    }
}

TEST_F(TreeNodeTest, ByteValuesReportTheirFailures)
{
    BYTE* pData = reinterpret_cast<BYTE*>(this);
    UINT nSize = 7;
    EXPECT_EQ(m_root.GetBinaryValue("Never", &pData, &nSize), Node::ptnNoValue);
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(m_root.GetBinaryValue("Never", nullptr, &nSize), Node::ptnNullPointer);
    EXPECT_EQ(m_root.GetBinaryValue("Never", &pData, nullptr), Node::ptnNullPointer);
    EXPECT_EQ(m_root.SetBinaryValue("Null", nullptr, 4), Node::ptnNullPointer);
    ASSERT_EQ(m_root.SetStringValue("Empty", ""), Node::ptnSuccess);
    EXPECT_EQ(m_root.GetBinaryValue("Empty", &pData, &nSize), Node::ptnFailure);
    EXPECT_EQ(pData, nullptr);

    ASSERT_EQ(m_root.SetStringValue("Odd", "BAC"), Node::ptnSuccess); // the odd letter is ignored
    EXPECT_EQ(Bytes(m_root, "Odd"), std::vector<BYTE> { 0x01 });

    // A count far beyond the pieces that exist reads what is there and stops.
    ASSERT_EQ(m_root.SetStringValue("Huge_BinCount", "2000000000"), Node::ptnSuccess);
    ASSERT_EQ(m_root.SetStringValue("Huge_BinVal0", "BA"), Node::ptnSuccess);
    EXPECT_EQ(Bytes(m_root, "Huge"), std::vector<BYTE> { 0x01 });
}

TEST_F(TreeNodeTest, SettingOneByteFormRemovesTheOther)
{
    const std::vector<BYTE> longer = Pattern(400); // four pieces
    const std::vector<BYTE> shorter = Pattern(126); // two pieces
    const std::vector<BYTE> small = Pattern(3);

    ASSERT_EQ(m_root.SetBinaryValue("Data", longer.data(), 400), Node::ptnSuccess);
    ASSERT_EQ(m_root.SetBinaryValue("Data", shorter.data(), 126), Node::ptnSuccess);
    EXPECT_EQ(Text(m_root, "Data_BinVal2"), "<none>");
    EXPECT_EQ(Text(m_root, "Data_BinVal3"), "<none>");
    EXPECT_EQ(Bytes(m_root, "Data"), shorter);

    // Without overwriting, the pieced value counts as one that exists.
    EXPECT_EQ(m_root.SetBinaryValue("Data", small.data(), 3, FALSE), Node::ptnKeyExists);
    EXPECT_EQ(Bytes(m_root, "Data"), shorter);

    ASSERT_EQ(m_root.SetBinaryValue("Data", small.data(), 3), Node::ptnSuccess);
    EXPECT_EQ(Bytes(m_root, "Data"), small);
    for (LPCTSTR stale : { "Data_BinCount", "Data_BinVal0", "Data_BinVal1" })
        EXPECT_EQ(Text(m_root, stale), "<none>") << stale;

    ASSERT_EQ(m_root.SetBinaryValue("Data", longer.data(), 400), Node::ptnSuccess);
    EXPECT_EQ(Text(m_root, "Data"), "<none>");
    EXPECT_EQ(Bytes(m_root, "Data"), longer);

    Node uninitialised;
    EXPECT_EQ(uninitialised.SetBinaryValue("Data", longer.data(), 400), Node::ptnNotInitialized);
    EXPECT_EQ(m_root.SetBinaryValue("", longer.data(), 400), Node::ptnEmptyKey);
    EXPECT_EQ(Text(m_root, "_BinCount"), "<none>");
}

TEST(TreeNodeFactory, CreatesLinksAndDestroysNodes)
{
    SECPTNFactory factory;
    Node* pRoot = factory.CreateNode("Root", nullptr);
    ASSERT_NE(pRoot, nullptr);
    Node* pChild = factory.CreateNode("Child", pRoot);
    ASSERT_NE(pChild, nullptr);
    EXPECT_EQ(pChild->GetParentNode(), pRoot);
    EXPECT_EQ(pRoot->FindChild("Child"), pChild);

    // A refused node leaves nothing behind in the factory.
    EXPECT_EQ(factory.CreateNode("Child", pRoot), nullptr);
    EXPECT_EQ(factory.CreateNode("", pRoot), nullptr);
    EXPECT_EQ(factory.CreateNodeOfClass("Wrong", pRoot, RUNTIME_CLASS(CObject)), nullptr);
    EXPECT_EQ(factory.GetNodeCount(), 2);

    SECPTNFactory other;
    EXPECT_FALSE(other.DestroyNode(pChild));
    EXPECT_FALSE(factory.DestroyNode(nullptr));
    EXPECT_TRUE(factory.DestroyNode(pChild));
    EXPECT_EQ(pRoot->FindChild("Child"), nullptr); // the destroyed node left its parent
    EXPECT_FALSE(factory.DestroyNode(pChild));
}

TEST(TreeNodeFactory, NodesOfOtherOwnersMayDieInEitherOrder)
{
    // Children made by a caller's factory under a root that dies first, and the other way round.
    {
        SECPTNFactory factory;
        auto pRoot = std::make_unique<Node>();
        ASSERT_EQ(pRoot->Initialize("Root", nullptr), Node::ptnSuccess);
        Node* pChild = factory.CreateNode("Child", pRoot.get());
        ASSERT_NE(pChild, nullptr);
        pRoot.reset();
        EXPECT_EQ(pChild->GetParentNode(), nullptr);
    }
    {
        Node root;
        ASSERT_EQ(root.Initialize("Root", nullptr), Node::ptnSuccess);
        {
            SECPTNFactory factory;
            ASSERT_NE(factory.CreateNode("Child", &root), nullptr);
        }
        EXPECT_TRUE(root.GetChildren().empty());
    }
}

} // namespace
