#pragma once
// The libraries the chooser offers, in the order they were found. The list owns its entries.

#include "library/DeviceEntry.h"

#include "platform/afx/CObject.h"

#include <memory>
#include <vector>

class CDeviceList : public CObject {
    DECLARE_DYNCREATE(CDeviceList)
public:
    CDeviceList() = default;

    // Adds an entry; it is shown under the "DeviceName" value of the device key maker\deviceName when
    // that is set, otherwise under the description. Returns the new entry's index.
    int Add(LPCTSTR description, LPCTSTR deviceName, LPCTSTR password, LPCTSTR maker, LPCTSTR address,
        LPCTSTR dataSource, LPCTSTR product, LPCTSTR udn, BYTE savePassword);
    // The entry at that index; null outside the list.
    DeviceEntry* GetAt(int index) const;
    // A copy of the entry's display text; empty outside the list.
    CString GetDisplayText(int index) const;
    // Deletes every entry; the next Add returns index 0 again.
    void RemoveAll();
    // The number of entries.
    int GetCount() const { return static_cast<int>(m_entries.size()); }

private:
    std::vector<std::unique_ptr<DeviceEntry>> m_entries;
};
