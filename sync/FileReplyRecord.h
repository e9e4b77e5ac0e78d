#pragma once
// The device's answer to a file check: where the file goes, the space it reserved for it, and the
// transfer that sends it.

#include <cstdint>
#include <string>

struct FileReplyRecord {
    // The device file name; empty when the device named none.
    std::string fileName;
    // The device's reservation for the file; empty when none was made.
    std::string spaceID;
    // The framework's local id of the transfer that sends the file; 0 when none runs.
    std::int32_t transferId { 0 };
};
