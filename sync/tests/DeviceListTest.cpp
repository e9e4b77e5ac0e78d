// The device list that discovery fills and the collection objects that read it.

#include <gtest/gtest.h>

#include "sync/DeviceList.h"
#include "sync/QVSyncColl.h"

namespace {

DeviceInfo::Texts Reply(const char* ip, const char* friendly = "Den", const char* udn = "box-1")
{
    return { friendly, "Brightwell", ip, "SN-1", "Player", udn };
}

std::u16string Text(BSTR text)
{
    std::u16string copy = text ? std::u16string(text) : std::u16string();
    SysFreeString(text);
    return copy;
}

CComPtr<IQVClientCollection> NewCollection()
{
    CComObject<QVSyncColl>* object = nullptr;
    CComObject<QVSyncColl>::CreateInstance(&object);
    return CComPtr<IQVClientCollection>(object);
}

class DeviceListTest : public ::testing::Test {
protected:
    void SetUp() override { DeviceList::Clear(); }
    void TearDown() override { DeviceList::Clear(); }
};

} // namespace

TEST_F(DeviceListTest, OneEntryPerAddressAndTheReplysFallbacks)
{
    EXPECT_TRUE(DeviceList::Add(Reply("10.0.0.5:1500")));
    EXPECT_FALSE(DeviceList::Add(Reply("10.0.0.5:1600", "Second")));
    EXPECT_FALSE(DeviceList::Add(Reply("10.0.0.5")));
    EXPECT_TRUE(DeviceList::Add(Reply("10.0.0.6", "", "")));
    ASSERT_EQ(DeviceList::Count(), 2u);

    CComPtr<IQVClient> first;
    first.p = DeviceList::Item(0);
    BSTR text = nullptr;
    first->get_FriendlyName(&text);
    EXPECT_EQ(Text(text), u"Den");
    first->get_IPAddress(&text);
    EXPECT_EQ(Text(text), u"10.0.0.5");

    CComPtr<IQVClient> second;
    second.p = DeviceList::Item(1);
    second->get_FriendlyName(&text);
    EXPECT_EQ(Text(text), u"SN-1");
    second->get_UDN(&text);
    EXPECT_EQ(Text(text), u"localhost");
    second->get_OEMName(&text);
    EXPECT_EQ(Text(text), u"Brightwell");
    EXPECT_EQ(second->get_ProductName(nullptr), E_POINTER);
}

TEST_F(DeviceListTest, ItemRejectsIndexesOutsideTheListAndLeavesTheVariant)
{
    CComPtr<IQVClientCollection> collection = NewCollection();
    VARIANT item;
    VariantInit(&item);
    item.vt = VT_I4;
    item.lVal = 77;
    EXPECT_EQ(collection->Item(0, &item), E_INVALIDARG);

    DeviceList::Add(Reply("10.0.0.5"));
    EXPECT_EQ(collection->Item(-1, &item), E_INVALIDARG);
    EXPECT_EQ(collection->Item(1, &item), E_INVALIDARG);
    EXPECT_EQ(item.vt, VT_I4);
    EXPECT_EQ(item.lVal, 77);

    ASSERT_EQ(collection->Item(0, &item), S_OK);
    ASSERT_EQ(item.vt, VT_UNKNOWN);
    CComQIPtr<IQVClient> device(item.punkVal);
    EXPECT_TRUE(device);
    VariantClear(&item);
}

TEST_F(DeviceListTest, ReleasingAnyCollectionEmptiesTheListButNotHandedOutEntries)
{
    DeviceList::Add(Reply("10.0.0.5"));
    CComPtr<IQVClientCollection> kept = NewCollection();
    CComPtr<IQVClientCollection> released = NewCollection();
    CComPtr<IQVClient> device;
    device.p = DeviceList::Item(0);

    released.Release();
    LONG count = -1;
    EXPECT_EQ(kept->get_NumDevices(&count), S_OK);
    EXPECT_EQ(count, 0);

    BSTR text = nullptr;
    EXPECT_EQ(device->get_IPAddress(&text), S_OK);
    EXPECT_EQ(Text(text), u"10.0.0.5");
}
