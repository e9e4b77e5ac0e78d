#pragma once
// The customer's eight setup values as the device keeps them ("Setup." + entry name), each with a
// flag that says whether the next SendSetupProperties sends it.

#include <array>
#include <string>

#include "platform/com/ComDef.h"

class CustomerSetup {
public:
    enum Entry {
        firstName,
        lastName,
        homeAddress1,
        homeCity,
        homeState,
        homeZipCode,
        emailAddress,
        phoneNumber,
    };
    static constexpr int kEntryCount = 8;

    CustomerSetup() = default;
    virtual ~CustomerSetup() = default;

    // The entry's name ("homeZipCode") and its device property ("Setup.homeZipCode").
    static const char* EntryName(int entry);
    static std::string PropertyName(int entry);

    // The entry's value (empty until filled, then a BSTR) and send flag; entries 0 to kEntryCount - 1,
    // std::out_of_range otherwise.
    _variant_t& Value(int entry) { return m_values.at(static_cast<std::size_t>(entry)); }
    const _variant_t& Value(int entry) const { return m_values.at(static_cast<std::size_t>(entry)); }
    bool& SendFlag(int entry) { return m_send.at(static_cast<std::size_t>(entry)); }
    bool SendFlag(int entry) const { return m_send.at(static_cast<std::size_t>(entry)); }

private:
    std::array<_variant_t, kEntryCount> m_values;
    std::array<bool, kEntryCount> m_send {};
};
