#include "sync/CustomerSetup.h"

#include <stdexcept>

namespace {

constexpr const char* kEntryNames[CustomerSetup::kEntryCount] = {
    "firstName",
    "lastName",
    "homeAddress1",
    "homeCity",
    "homeState",
    "homeZipCode",
    "emailAddress",
    "phoneNumber",
};

} // namespace

const char* CustomerSetup::EntryName(int entry)
{
    if (entry < 0 || entry >= kEntryCount)
        throw std::out_of_range("CustomerSetup entry");
    return kEntryNames[entry];
}

std::string CustomerSetup::PropertyName(int entry) { return std::string("Setup.") + EntryName(entry); }
