#include "library/CDeviceList.h"

#include "library/RegistryRoutines.h"

IMPLEMENT_DYNCREATE(CDeviceList, CObject)

namespace {

// Null texts from callers read as empty ones.
CString TextOf(LPCTSTR text) { return text != nullptr ? CString(text) : CString(); }

} // namespace

int CDeviceList::Add(LPCTSTR description, LPCTSTR deviceName, LPCTSTR password, LPCTSTR maker, LPCTSTR address,
    LPCTSTR dataSource, LPCTSTR product, LPCTSTR udn, BYTE savePassword)
{
    const CString deviceKey = TextOf(maker) + "\\" + TextOf(deviceName);
    auto entry = std::make_unique<DeviceEntry>();
    entry->m_strDisplay = ReadRegistryValue("DeviceName", deviceKey);
    if (entry->m_strDisplay.IsEmpty())
        entry->m_strDisplay = TextOf(description);
    entry->m_strDeviceName = TextOf(deviceName);
    entry->m_strPassword = TextOf(password);
    entry->m_strMaker = TextOf(maker);
    entry->m_strAddress = TextOf(address);
    entry->m_strDataSource = TextOf(dataSource);
    entry->m_strProduct = TextOf(product);
    entry->m_strUdn = TextOf(udn);
    entry->m_bSavePassword = savePassword;
    m_entries.push_back(std::move(entry));
    return GetCount() - 1;
}

DeviceEntry* CDeviceList::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_entries[static_cast<size_t>(index)].get();
}

CString CDeviceList::GetDisplayText(int index) const
{
    const DeviceEntry* entry = GetAt(index);
    return entry != nullptr ? entry->m_strDisplay : CString();
}

void CDeviceList::RemoveAll() { m_entries.clear(); }
