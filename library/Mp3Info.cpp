#include "library/Mp3Info.h"

#include "platform/base/CaseFold.h"
#include "platform/base/FileApi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr LONG kMinimumFileSize = 256;
constexpr std::size_t kId3HeaderSize = 10;

// The frame size of a Layer III frame is 144 * bitRate / sampleRate; the estimates below use the same
// constant for every layer, in single precision.
constexpr float kInverseFrameFactor = 1.0f / 144.0f;
constexpr LONG kFrameFactor = 144;

// MPEG-1 bit rates in kbit/s by layer (I, II, III) and the header's four index bits; index 0 is free
// format and 15 is bad, both unknown.
constexpr std::array<std::array<LONG, 16>, 3> kBitRates { {
    { 0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0 },
    { 0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0 },
    { 0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0 },
} };

constexpr std::array<LONG, 4> kSampleRates { 44100, 48000, 32000, 0 };

constexpr DWORD kXingFrames = 0x1;
constexpr DWORD kXingBytes = 0x2;
constexpr DWORD kXingToc = 0x4;
constexpr DWORD kXingQuality = 0x8;
constexpr std::size_t kXingTocSize = 100;

LONG BitRateOf(WORD layer, int index)
{
    // The reserved layer code has no table: unknown rate.
    if (layer < 1 || layer > 3)
        return 0;
    return kBitRates[layer - 1][index] * 1000;
}

// Bytes the Xing header takes from its marker on, by its flags.
std::size_t XingSize(DWORD flags)
{
    std::size_t size = 8;
    if (flags & kXingFrames)
        size += 4;
    if (flags & kXingBytes)
        size += 4;
    if (flags & kXingToc)
        size += kXingTocSize;
    if (flags & kXingQuality)
        size += 4;
    return size;
}

// Seconds of audio in byteCount bytes at bitRate; computed wide so large files do not wrap.
LONG SecondsOf(std::int64_t byteCount, LONG bitRate) { return static_cast<LONG>(byteCount * 8 / bitRate); }

// Reads the Xing header at xing (its whole extent lies in the buffer) into info; the bit rate becomes the
// average over the frames, rounded down to whole kbit/s.
void ReadXingHeader(const BYTE* xing, Mp3Info& info)
{
    info.isVbr = 1;
    const DWORD flags = BigEndianInteger(xing + 4);
    const BYTE* field = xing + 8;
    info.frameCount = 0;
    DWORD byteTotal = 0;
    if (flags & kXingFrames) {
        info.frameCount = static_cast<LONG>(BigEndianInteger(field));
        field += 4;
    }
    if (flags & kXingBytes) {
        byteTotal = BigEndianInteger(field);
        field += 4;
    }
    if (flags & kXingToc)
        field += kXingTocSize;
    if (flags & kXingQuality)
        info.vbrQuality = static_cast<LONG>(BigEndianInteger(field));

    info.bitRate = 0;
    if (info.frameCount > 0) {
        const std::int64_t total = byteTotal != 0 ? std::int64_t { byteTotal } : std::int64_t { info.fileSize };
        const std::int64_t averageFrame = total / info.frameCount;
        std::int64_t rate = averageFrame * info.sampleRate / kFrameFactor;
        rate -= rate % 1000;
        // A header whose counts give no representable rate is as good as none.
        info.bitRate = rate > 0 && rate <= std::numeric_limits<LONG>::max() ? static_cast<LONG>(rate) : 0;
    }
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

} // namespace

LONG SyncsafeInteger(const BYTE* bytes)
{
    return ((bytes[0] & 0x7F) << 21) | ((bytes[1] & 0x7F) << 14) | ((bytes[2] & 0x7F) << 7) | (bytes[3] & 0x7F);
}

DWORD BigEndianInteger(const BYTE* bytes)
{
    return (DWORD { bytes[0] } << 24) | (DWORD { bytes[1] } << 16) | (DWORD { bytes[2] } << 8) | DWORD { bytes[3] };
}

WORD ParseMp3FrameHeader(const BYTE* header, std::size_t available, Mp3Info& info)
{
    if (available == 0 || header[0] != 0xFF)
        return 0;
    auto byteAt = [&](std::size_t i) -> BYTE { return i < available ? header[i] : 0; };

    info.vbrQuality = -1;
    info.isVbr = 0;
    info.version = static_cast<WORD>(4 - ((byteAt(1) >> 3) & 3));
    info.layer = static_cast<WORD>(4 - ((byteAt(1) >> 1) & 3));
    info.bitRate = BitRateOf(info.layer, byteAt(2) >> 4);
    info.sampleRate = kSampleRates[(byteAt(2) >> 2) & 3];
    info.channelMode = byteAt(3) >> 6;

    const bool mono = info.channelMode == 3;
    const std::size_t xingOffset = (info.version % 2 == 1) ? (mono ? 21 : 36) : (mono ? 13 : 21);
    // The Xing header sits a fixed way into the frame; only one wholly inside the bytes read is believed.
    bool xing = false;
    if (xingOffset + 8 <= available && std::memcmp(header + xingOffset, "Xing", 4) == 0)
        xing = xingOffset + XingSize(BigEndianInteger(header + xingOffset + 4)) <= available;

    if (xing) {
        ReadXingHeader(header + xingOffset, info);
    } else {
        info.frameCount = 0;
        if (info.bitRate > 0)
            info.frameCount = static_cast<LONG>(
                double(info.fileSize) * info.sampleRate * double(kInverseFrameFactor) / info.bitRate);
    }

    info.duration = info.bitRate > 0 ? SecondsOf(info.fileSize, info.bitRate) : 0;
    return 1;
}

bool ReadMp3Info(LPCSTR path, Mp3Info& info)
{
    info = Mp3Info {};

    FileHandle file { platform::OpenFile(path, "rb") };
    if (!file)
        return false;
    struct stat status { };
    if (fstat(fileno(file.get()), &status) != 0)
        return false;
    info.fileSize = static_cast<LONG>(std::min<off_t>(status.st_size, std::numeric_limits<LONG>::max()));
    if (info.fileSize < kMinimumFileSize)
        return false;

    // Unread bytes (short files, the header of a frame at the very end) stay zero.
    std::array<BYTE, kMp3ScanBytes> buffer {};
    std::size_t bytesRead = std::fread(buffer.data(), 1, buffer.size(), file.get());

    // An ID3v2 tag: the audio is looked for from the tag's size on (the 10-byte tag header not added,
    // as the files this library has always stored were measured that way).
    if (bytesRead >= kId3HeaderSize
        && platform::EqualsNoCase(std::string_view(reinterpret_cast<const char*>(buffer.data()), 3), "ID3")) {
        const LONG tagSize = SyncsafeInteger(buffer.data() + 6);
        if (tagSize > 0 && tagSize < info.fileSize && std::fseek(file.get(), tagSize, SEEK_SET) == 0) {
            buffer.fill(0);
            bytesRead = std::fread(buffer.data(), 1, buffer.size(), file.get());
        }
    }
    file.reset();

    std::size_t position = 0;
    while (position + 1 < buffer.size()
        && !(buffer[position] == 0xFF && (buffer[position + 1] == 0xFA || buffer[position + 1] == 0xFB)))
        ++position;
    if (position + 1 >= buffer.size())
        return false;

    // The sync pair itself was read, so at least two bytes are available.
    ParseMp3FrameHeader(buffer.data() + position, bytesRead - position, info);
    // The playing time counts from the frame's place in the buffer, not in the file: behind a tag the
    // bytes between the seek offset and the frame count as audio.
    info.duration
        = info.bitRate > 0 ? SecondsOf(std::int64_t { info.fileSize } - std::int64_t(position), info.bitRate) : 0;
    return true;
}
