// Feeds a sequence of arbitrary datagrams to one end of a file transfer, reader or writer, client or
// server: whatever arrives, the channel may not crash, read or write outside its file's blocks, or hang.
//
// Input: one byte of settings, two bytes of file length (reader), then datagrams each preceded by its
// length in one byte.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "vireo/VFTPChannel.h"
#include "vireo/VFTPHeader.h"
#include "vireo/fuzz/support/FuzzProcess.h"

namespace {

constexpr int kPeerID = 7;

void WriteSource(std::size_t length)
{
    vireo::FilePtr file(std::fopen("source.bin", "wb"));
    for (std::size_t i = 0; i < length; ++i)
        std::fputc(static_cast<int>(i * 31 % 251), file.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::uint8_t settings = data[0];
    const bool reader = settings & 1;
    const bool client = settings & 2;
    const bool retries = settings & 4;
    const std::size_t length = (static_cast<std::size_t>(data[1]) << 6) | data[2];

    const auto process = vireo::fuzz::MakeFuzzProcess();
    if (reader)
        WriteSource(length);
    vireo::FilePtr stream(std::fopen(reader ? "source.bin" : "received.bin", reader ? "rb" : "w+b"));
    if (!stream)
        return 0;
    const ACE_INET_Addr peer(static_cast<u_short>(vireo::test::FreeUdpPort()), "127.0.0.1");
    vireo::VFTPChannel channel(*process, std::move(stream), reader ? "source.bin" : "received.bin",
        reader ? "rb" : "wb", peer, "Peer");
    if (client)
        channel.OnOpenAck(kPeerID);
    else
        channel.OnOpen(kPeerID);

    std::size_t at = 3;
    while (at < size && channel.IsOpen()) {
        const std::size_t count = std::min<std::size_t>(data[at], size - at - 1);
        const char* bytes = reinterpret_cast<const char*>(data + at + 1);
        at += 1 + count;
        std::optional<vireo::VFTPHeader> packet = vireo::VFTPHeader::Parse(bytes, count);
        (void)vireo::HexDump(bytes, count);
        if (!packet)
            continue;
        (void)vireo::DescribeHeader("fuzz", &*packet);
        // The packet is addressed to this end; a zero peer identifier stands for the right one, so
        // that most packets get past the identifier check.
        packet->localID = channel.LocalID();
        if (packet->foreignID == 0)
            packet->foreignID = kPeerID;
        channel.Receive(*packet);
        if (retries && client)
            channel.Retry();
    }
    if (channel.IsOpen())
        channel.Close(vireo::kVFTPStatusOk);
    return 0;
}
