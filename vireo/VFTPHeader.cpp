#include "vireo/VFTPHeader.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>

namespace vireo {

namespace {

void PutWord(std::string& out, std::int32_t value)
{
    const std::uint32_t wire = htonl(static_cast<std::uint32_t>(value));
    out.append(reinterpret_cast<const char*>(&wire), sizeof wire);
}

std::int32_t GetWord(const char* bytes)
{
    std::uint32_t wire = 0;
    std::memcpy(&wire, bytes, sizeof wire);
    return static_cast<std::int32_t>(ntohl(wire));
}

} // namespace

std::string VFTPHeader::Bytes() const
{
    std::string out;
    out.reserve(kVFTPMaxPacket);
    out.push_back(marker);
    out.push_back(control);
    out.push_back(state);
    out.push_back(static_cast<char>(sendCount));
    PutWord(out, localID);
    PutWord(out, foreignID);
    PutWord(out, position);
    PutWord(out, size);
    if (state == kVFTPData && size > 0 && size <= kVFTPBlockSize)
        out.append(data.data(), static_cast<std::size_t>(size));
    return out;
}

std::optional<VFTPHeader> VFTPHeader::Parse(const char* bytes, std::size_t length)
{
    if (!bytes || length < kVFTPHeaderSize)
        return std::nullopt;
    VFTPHeader header;
    header.marker = bytes[0];
    header.control = bytes[1];
    header.state = bytes[2];
    header.sendCount = static_cast<std::int8_t>(bytes[3]);
    header.localID = GetWord(bytes + 4);
    header.foreignID = GetWord(bytes + 8);
    header.position = GetWord(bytes + 12);
    header.size = GetWord(bytes + 16);
    const bool sized = header.state == kVFTPData || header.state == kVFTPRequest;
    if (sized && (header.size < 1 || header.size > kVFTPBlockSize))
        return std::nullopt;
    if (header.state == kVFTPData) {
        if (length - kVFTPHeaderSize < static_cast<std::size_t>(header.size))
            return std::nullopt;
        std::memcpy(header.data.data(), bytes + kVFTPHeaderSize, static_cast<std::size_t>(header.size));
    }
    return header;
}

std::string DescribeHeader(const std::string& label, const VFTPHeader* header)
{
    char line[160];
    if (!header)
        std::snprintf(line, sizeof line, ": null header.\n");
    else
        std::snprintf(line, sizeof line, ": control=%c%c%c%d, localID=%d, foreignID=%d, position=%d, size=%d.\n",
            header->marker, header->control, header->state, static_cast<int>(header->sendCount), header->localID,
            header->foreignID, header->position, header->size);
    return label + line;
}

std::string HexDump(const char* bytes, std::size_t length)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 3 + length / 8 + 2);
    for (std::size_t i = 0; i < length; ++i) {
        if (i % 16 == 0)
            text += "\n\t";
        else if (i % 4 == 0)
            text += ' ';
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0f];
    }
    return text;
}

} // namespace vireo
