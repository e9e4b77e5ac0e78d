// Persistent trees through a profile file and through the registry, and back.

#include "toolkit/frames/SECPTNStrategyProfile.h"
#include "toolkit/frames/SECPTNStrategyRegistry.h"
#include "toolkit/frames/SECPersistentTreeNode.h"
#include "toolkit/frames/SECRegistry.h"

#include "platform/base/Profile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Node = SECPersistentTreeNode;
using Pairs = std::vector<std::pair<std::string, std::string>>;

constexpr LPCTSTR kProfile = "tree.ini";
constexpr LPCTSTR kBaseKey = "Software\\Test\\Trees";

const std::string kLongText(3000, 'w'); // beyond both stores' first buffers

// The sample tree: Root { Count=3, Title, Long, Bytes (two pieces) } with children First { Flag }
// and Second, whose only content is its child Leaf { Name }.
struct SampleTree {
    SampleTree()
    {
        root.Initialize("Root", nullptr);
        root.SetIntValue("Count", 3);
        root.SetStringValue("Title", "A title");
        root.SetStringValue("Long", kLongText.c_str());
        const std::vector<BYTE> bytes(126, 0x5A);
        root.SetBinaryValue("Bytes", bytes.data(), static_cast<UINT>(bytes.size()));
        Node* first = factory.CreateNode("First", &root);
        first->SetBoolValue("Flag", TRUE);
        Node* second = factory.CreateNode("Second", &root);
        factory.CreateNode("Leaf", second)->SetStringValue("Name", "leaf");
    }

    Node root;
    SECPTNFactory factory;
};

Pairs ValuesOf(Node& node)
{
    static const char* const kKeys[] = { "Count", "Title", "Long", "Bytes_BinCount", "Bytes_BinVal0", "Bytes_BinVal1",
        "Flag", "Name", "Extra" };
    Pairs pairs;
    for (const char* key : kKeys) {
        CString value;
        if (node.GetStringValue(key, value) == Node::ptnSuccess)
            pairs.emplace_back(key, value.GetString());
    }
    return pairs;
}

std::vector<std::string> ChildNames(const Node& node)
{
    std::vector<std::string> names;
    for (const Node* child : node.GetChildren())
        names.emplace_back(child->GetName().GetString());
    return names;
}

// Compares a loaded tree with the sample, node by node.
void ExpectSampleTree(Node& loaded)
{
    SampleTree sample;
    EXPECT_EQ(ValuesOf(loaded), ValuesOf(sample.root));
    ASSERT_EQ(ChildNames(loaded), (std::vector<std::string> { "First", "Second" }));
    EXPECT_EQ(ValuesOf(*loaded.FindChild("First")), ValuesOf(*sample.root.FindChild("First")));
    Node* leaf = loaded.FindChild("Second")->FindChild("Leaf");
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(ValuesOf(*leaf), Pairs({ { "Name", "leaf" } }));
    BYTE* pData = nullptr;
    UINT nSize = 0;
    ASSERT_EQ(loaded.GetBinaryValue("Bytes", &pData, &nSize), Node::ptnSuccess);
    delete[] pData;
    EXPECT_EQ(nSize, 126u);
}

std::string ProfileValue(LPCTSTR section, LPCTSTR key)
{
    char buffer[64] {};
    GetPrivateProfileString(section, key, "<none>", buffer, sizeof buffer, kProfile);
    return buffer;
}

TEST(ProfileStrategy, SavesOneSectionPerNodeAndLoadsTheSameTree)
{
    SampleTree sample;
    SECPTNStrategyProfile strategy(kProfile);
    ASSERT_TRUE(sample.root.Save(&strategy));

    EXPECT_EQ(ProfileValue("Root", "ptn_Child1"), "First");
    EXPECT_EQ(ProfileValue("Root", "ptn_Child2"), "Second");
    EXPECT_EQ(ProfileValue("Root", "Count"), "3");
    EXPECT_EQ(ProfileValue("Root.First", "Flag"), "True");
    EXPECT_EQ(ProfileValue("Root.Second", "ptn_Child1"), "Leaf");
    EXPECT_EQ(ProfileValue("Root.Second.Leaf", "Name"), "leaf");

    Node loaded;
    ASSERT_EQ(loaded.Initialize("Root", nullptr), Node::ptnSuccess);
    ASSERT_TRUE(loaded.Load(&strategy));
    ExpectSampleTree(loaded);
}

TEST(ProfileStrategy, ChildKeysAndEmptyNodes)
{
    Node root;
    root.Initialize("Root", nullptr);
    root.SetStringValue("ptn_ChildLike", "Ghost"); // read back as a child's name, not as a value
    SECPTNFactory factory;
    factory.CreateNode("Empty", &root);
    SECPTNStrategyProfile strategy(kProfile);
    ASSERT_TRUE(root.Save(&strategy));

    Node loaded;
    loaded.Initialize("Root", nullptr);
    ASSERT_TRUE(loaded.Load(&strategy)); // the empty child cannot be read, its parent still can
    CString value;
    EXPECT_EQ(loaded.GetStringValue("ptn_ChildLike", value), Node::ptnNoValue);
    EXPECT_EQ(ChildNames(loaded), (std::vector<std::string> { "Ghost", "Empty" }));

    Node empty;
    empty.Initialize("Root", nullptr);
    SECPTNStrategyProfile nothing("nothing.ini");
    EXPECT_FALSE(empty.Load(&nothing));
    EXPECT_FALSE(empty.Load(nullptr));
    Node uninitialised;
    EXPECT_FALSE(uninitialised.Save(&strategy));
}

TEST(ProfileStrategy, SavingAgainReplacesTheNodesSection)
{
    SampleTree sample;
    SECPTNStrategyProfile strategy(kProfile);
    ASSERT_TRUE(sample.root.Save(&strategy));
    sample.root.RemoveValue("Title");
    sample.root.SetStringValue("Extra", "new");
    ASSERT_TRUE(sample.root.Save(&strategy));
    EXPECT_EQ(ProfileValue("Root", "Title"), "<none>");
    EXPECT_EQ(ProfileValue("Root", "Extra"), "new");
}

TEST(ProfileStrategy, ReadsLongKeyListsWhole)
{
    // About 12 KB of key names in few keys: every key written rewrites the whole file.
    const std::string stem = "Key" + std::string(110, 'k');
    Node root;
    root.Initialize("Root", nullptr);
    for (int i = 0; i < 100; ++i)
        root.SetIntValue((stem + std::to_string(i)).c_str(), i);
    SECPTNStrategyProfile strategy(kProfile);
    ASSERT_TRUE(root.Save(&strategy));

    Node loaded;
    loaded.Initialize("Root", nullptr);
    ASSERT_TRUE(loaded.Load(&strategy));
    int nValue = 0;
    EXPECT_EQ(loaded.GetIntValue((stem + "99").c_str(), nValue), Node::ptnSuccess);
    EXPECT_EQ(nValue, 99);
}

bool KeyExists(const CString& name)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, name, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

TEST(RegistryStrategy, SavesOneKeyPerNodeAndLoadsTheSameTree)
{
    SampleTree sample;
    SECPTNStrategyRegistry strategy(kBaseKey, HKEY_CURRENT_USER);
    EXPECT_EQ(strategy.GetBaseKey(), CString("Software\\Test\\Trees\\"));
    // Nothing is stored yet: the first save still succeeds.
    ASSERT_TRUE(sample.root.Save(&strategy));

    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Open("Software\\Test\\Trees\\Root\\Second\\Leaf\\"));
    CString value;
    ASSERT_TRUE(registry.GetStringValue("Name", value));
    EXPECT_EQ(value, CString("leaf"));
    DWORD dwType = 0;
    BYTE data[16] {};
    DWORD dwSize = sizeof data;
    ASSERT_TRUE(registry.QueryValue("Name", dwType, data, dwSize));
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_EQ(dwSize, 5u);

    Node loaded;
    ASSERT_EQ(loaded.Initialize("Root", nullptr), Node::ptnSuccess);
    ASSERT_TRUE(loaded.Load(&strategy));
    ExpectSampleTree(loaded);
}

TEST(RegistryStrategy, SavingAgainLeavesNothingStale)
{
    SampleTree sample;
    SECPTNStrategyRegistry strategy(kBaseKey);
    ASSERT_TRUE(sample.root.Save(&strategy));
    ASSERT_TRUE(sample.factory.DestroyNode(sample.root.FindChild("Second")->FindChild("Leaf")));
    ASSERT_TRUE(sample.factory.DestroyNode(sample.root.FindChild("Second")));
    sample.root.RemoveValue("Title");
    ASSERT_TRUE(sample.root.Save(&strategy));

    EXPECT_FALSE(KeyExists("Software\\Test\\Trees\\Root\\Second"));
    EXPECT_TRUE(KeyExists("Software\\Test\\Trees\\Root\\First"));
    Node loaded;
    loaded.Initialize("Root", nullptr);
    ASSERT_TRUE(loaded.Load(&strategy));
    EXPECT_EQ(ChildNames(loaded), std::vector<std::string> { "First" });
    CString value;
    EXPECT_EQ(loaded.GetStringValue("Title", value), Node::ptnNoValue);
}

TEST(RegistryStrategy, TreesUnderTheSameBaseKeyStaySeparate)
{
    SampleTree sample;
    Node other;
    other.Initialize("Other", nullptr);
    other.SetStringValue("Kept", "yes");
    SECPTNStrategyRegistry strategy(kBaseKey);
    ASSERT_TRUE(other.Save(&strategy));
    ASSERT_TRUE(sample.root.Save(&strategy));
    ASSERT_TRUE(sample.root.Save(&strategy));

    Node loaded;
    loaded.Initialize("Other", nullptr);
    ASSERT_TRUE(loaded.Load(&strategy));
    EXPECT_EQ(ValuesOf(loaded), Pairs());
    CString value;
    EXPECT_EQ(loaded.GetStringValue("Kept", value), Node::ptnSuccess);

    Node missing;
    missing.Initialize("Missing", nullptr);
    EXPECT_FALSE(missing.Load(&strategy));
}

} // namespace
