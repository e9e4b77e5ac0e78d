#include "sync/DeviceList.h"

std::vector<CComPtr<CComObject<DeviceInfo>>>& DeviceList::Entries()
{
    static std::vector<CComPtr<CComObject<DeviceInfo>>> entries;
    return entries;
}

bool DeviceList::Add(const DeviceInfo::Texts& reply)
{
    CComObject<DeviceInfo>* info = nullptr;
    if (FAILED(CComObject<DeviceInfo>::CreateInstance(&info)))
        return false;
    CComPtr<CComObject<DeviceInfo>> entry(info);
    entry->SetTexts(reply);
    for (const auto& listed : Entries()) {
        if (listed->IpAddress() == entry->IpAddress())
            return false;
    }
    Entries().push_back(entry);
    return true;
}

std::size_t DeviceList::Count() { return Entries().size(); }

IQVClient* DeviceList::Item(std::size_t index)
{
    if (index >= Entries().size())
        return nullptr;
    IQVClient* item = Entries()[index];
    item->AddRef();
    return item;
}

void DeviceList::Clear()
{
    // Moved out first: releasing an entry must not meet a half-cleared list.
    auto entries = std::move(Entries());
    Entries().clear();
}
