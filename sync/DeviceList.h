#pragma once
// The devices of the last listing, process-wide, in the order their discovery replies arrived. The
// discovery handler fills it and the collection objects read it, all on the thread that lists, so it
// takes no lock. Handed-out entries are reference-counted and outlive the list.

#include <vector>

#include "sync/DeviceInfo.h"

class DeviceList {
public:
    DeviceList() = delete;

    // Appends a device unless one with the same address (ports aside) is listed; false when it was
    // listed already or could not be made.
    static bool Add(const DeviceInfo::Texts& reply);
    static std::size_t Count();
    // The entry at index (a new reference), or null outside the list.
    static IQVClient* Item(std::size_t index);
    // Drops every entry (what the destruction of a collection object does).
    static void Clear();

private:
    static std::vector<CComPtr<CComObject<DeviceInfo>>>& Entries();
};
