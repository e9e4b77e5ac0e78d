#pragma once
// One file-transfer packet: a 20-byte header, followed in data packets by up to one block of the
// file. The words are kept in host order here and turned to network order only on the wire.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vireo {

// Sizes of the packet form.
inline constexpr std::size_t kVFTPHeaderSize = 20;
inline constexpr int kVFTPBlockSize = 1024;
inline constexpr std::size_t kVFTPMaxPacket = kVFTPHeaderSize + kVFTPBlockSize;

// Bytes 0 and 1 of every packet.
inline constexpr char kVFTPMarker = '*';
inline constexpr char kVFTPControl = 't';

// State letters (byte 2). Done never travels: it marks a transfer that has ended.
inline constexpr char kVFTPRequest = 'r';
inline constexpr char kVFTPData = 'w';
inline constexpr char kVFTPEnd = 'e';
inline constexpr char kVFTPFailure = 'n';
inline constexpr char kVFTPDone = 'd';

// Statuses that end a transfer.
inline constexpr int kVFTPStatusOk = 0;
inline constexpr int kVFTPStatusSeekFailed = 0x201F;
inline constexpr int kVFTPStatusNoRetries = 0x2072;

struct VFTPHeader {
    char marker { kVFTPMarker };
    char control { kVFTPControl };
    char state { kVFTPRequest };
    std::int8_t sendCount { 0 };
    std::int32_t localID { 0 };
    std::int32_t foreignID { 0 };
    std::int32_t position { 0 };
    std::int32_t size { kVFTPBlockSize };
    // The block behind a data packet; only the first size bytes count.
    std::array<char, kVFTPBlockSize> data {};

    // The datagram: 20 bytes, plus size bytes of data for a data packet.
    std::string Bytes() const;
    // Reads a received datagram. Nothing for one shorter than a header, for a data packet or request
    // whose size is not 1..1024, and for a data packet whose data the datagram does not hold: such a
    // packet would make the receiver read or write past what was sent.
    static std::optional<VFTPHeader> Parse(const char* bytes, std::size_t length);
};

// "<label>: control=*tr1, localID=12, ..." with a line end; "<label>: null header." without a header.
std::string DescribeHeader(const std::string& label, const VFTPHeader* header);
// Lower-case hex of the bytes: "\n\t" before every 16th byte (the first too), a blank before every
// other 4th.
std::string HexDump(const char* bytes, std::size_t length);

} // namespace vireo
