// The MP3 frame reader: header decoding with and without a Xing header, where the reader looks for
// the first frame, and real files from lame.

#include "library/Mp3Info.h"
#include "platform/cddb/tests/Mp3Fixtures.h"

#include <gtest/gtest.h>

#include <vector>

using mp3fixtures::MakeMp3;
using mp3fixtures::WriteBytes;

namespace {

// An MPEG-1 Layer III header: 128 kbit/s, 44.1 kHz, the given channel mode.
std::vector<BYTE> FrameHeader(BYTE second = 0xFB, BYTE third = 0x90, BYTE mode = 0)
{
    return { 0xFF, second, third, static_cast<BYTE>(mode << 6) };
}

void PutBigEndian(std::vector<BYTE>& bytes, std::size_t at, DWORD value)
{
    bytes[at] = static_cast<BYTE>(value >> 24);
    bytes[at + 1] = static_cast<BYTE>(value >> 16);
    bytes[at + 2] = static_cast<BYTE>(value >> 8);
    bytes[at + 3] = static_cast<BYTE>(value);
}

// A frame of 417 bytes whose Xing header (at offset 36, stereo) carries the flags and the values in order.
std::vector<BYTE> XingFrame(DWORD flags, std::vector<DWORD> values, BYTE mode = 0)
{
    std::vector<BYTE> frame = FrameHeader(0xFB, 0x90, mode);
    frame.resize(417, 0);
    const std::size_t at = mode == 3 ? 21 : 36;
    std::copy_n("Xing", 4, frame.begin() + at);
    PutBigEndian(frame, at + 4, flags);
    std::size_t field = at + 8;
    for (DWORD flag : { 0x1u, 0x2u, 0x4u, 0x8u }) {
        if (!(flags & flag))
            continue;
        if (flag == 0x4) {
            field += 100;
            continue;
        }
        PutBigEndian(frame, field, values.front());
        values.erase(values.begin());
        field += 4;
    }
    return frame;
}

Mp3Info Parse(const std::vector<BYTE>& frame, LONG fileSize)
{
    Mp3Info info;
    info.fileSize = fileSize;
    EXPECT_EQ(ParseMp3FrameHeader(frame.data(), frame.size(), info), 1);
    return info;
}

} // namespace

TEST(Mp3Info, FourByteIntegers)
{
    const BYTE syncsafe[] = { 0x00, 0x00, 0x02, 0x01 };
    EXPECT_EQ(SyncsafeInteger(syncsafe), 257);
    const BYTE highBits[] = { 0xFF, 0xFF, 0xFF, 0xFF };
    EXPECT_EQ(SyncsafeInteger(highBits), 0x0FFFFFFF);
    EXPECT_EQ(BigEndianInteger(highBits), 0xFFFFFFFFu);
    const BYTE ordered[] = { 0x12, 0x34, 0x56, 0x78 };
    EXPECT_EQ(BigEndianInteger(ordered), 0x12345678u);
}

TEST(Mp3Info, ConstantRateHeaderGivesRateDurationAndEstimatedFrames)
{
    std::vector<BYTE> frame = FrameHeader(0xFB, 0x90, 1);
    frame.resize(417, 0);
    const Mp3Info info = Parse(frame, 5'000'000);
    EXPECT_EQ(info.version, 1);
    EXPECT_EQ(info.layer, 3);
    EXPECT_EQ(info.bitRate, 128000);
    EXPECT_EQ(info.sampleRate, 44100);
    EXPECT_EQ(info.channelMode, 1);
    EXPECT_EQ(info.duration, 312);
    EXPECT_EQ(info.frameCount, 11962);
    EXPECT_EQ(info.isVbr, 0);
    EXPECT_EQ(info.vbrQuality, -1);

    // Past 256 MiB the size in bits no longer fits 32 bits; the playing time must not wrap.
    const Mp3Info large = Parse(frame, 400'000'000);
    EXPECT_EQ(large.duration, 25000);
    EXPECT_EQ(large.frameCount, 957031);
}

TEST(Mp3Info, XingHeaders)
{
    struct Case {
        const char* name;
        std::vector<BYTE> frame;
        LONG fileSize;
        LONG bitRate;
        LONG frameCount;
        LONG duration;
        LONG vbrQuality;
    };
    const Case cases[] = {
        { "frames and bytes", XingFrame(0x3, { 10'000, 4'000'000 }), 4'000'000, 122000, 10'000, 262, -1 },
        { "no byte total: the file size", XingFrame(0x1, { 10'000 }), 4'000'000, 122000, 10'000, 262, -1 },
        { "byte total wins over the size", XingFrame(0x3, { 10'000, 4'000'000 }), 9'000'000, 122000, 10'000, 590, -1 },
        { "no frame count: unknown rate", XingFrame(0x2, { 4'000'000 }), 4'000'000, 0, 0, 0, -1 },
        { "all fields past the table", XingFrame(0xF, { 10'000, 4'000'000, 78 }), 4'000'000, 122000, 10'000, 262, 78 },
        { "single channel at 21", XingFrame(0x3, { 10'000, 4'000'000 }, 3), 4'000'000, 122000, 10'000, 262, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Mp3Info info = Parse(c.frame, c.fileSize);
        EXPECT_EQ(info.isVbr, 1);
        EXPECT_EQ(info.bitRate, c.bitRate);
        EXPECT_EQ(info.frameCount, c.frameCount);
        EXPECT_EQ(info.duration, c.duration);
        EXPECT_EQ(info.vbrQuality, c.vbrQuality);
    }
}

TEST(Mp3Info, XingHeaderOutsideTheBytesReadIsIgnored)
{
    // The marker is there but its table of contents runs past the bytes available.
    const std::vector<BYTE> frame = XingFrame(0x7, { 10'000, 4'000'000 });
    Mp3Info info;
    info.fileSize = 4'000'000;
    ASSERT_EQ(ParseMp3FrameHeader(frame.data(), 36 + 8 + 8 + 50, info), 1);
    EXPECT_EQ(info.isVbr, 0);
    EXPECT_EQ(info.bitRate, 128000);

    // Even the marker alone cut short.
    ASSERT_EQ(ParseMp3FrameHeader(frame.data(), 38, info), 1);
    EXPECT_EQ(info.isVbr, 0);
}

TEST(Mp3Info, HeadersWithoutAKnownRate)
{
    // Reserved layer code (no table), free format, bad index: rate, duration and frames unknown.
    for (const std::vector<BYTE>& frame :
        { FrameHeader(0xF9, 0x90), FrameHeader(0xFB, 0x00), FrameHeader(0xFB, 0xF0) }) {
        const Mp3Info info = Parse(frame, 100'000);
        EXPECT_EQ(info.bitRate, 0);
        EXPECT_EQ(info.duration, 0);
        EXPECT_EQ(info.frameCount, 0);
    }
    EXPECT_EQ(Parse(FrameHeader(0xF9, 0x90), 1000).layer, 4);

    Mp3Info untouched;
    untouched.fileSize = 7;
    const BYTE notSync[] = { 0xFE, 0xFB, 0x90, 0x00 };
    EXPECT_EQ(ParseMp3FrameHeader(notSync, 4, untouched), 0);
    EXPECT_EQ(untouched.fileSize, 7);
    EXPECT_EQ(untouched.vbrQuality, 0);
}

TEST(Mp3Info, ShortMissingAndSyncFreeFilesGiveFalse)
{
    Mp3Info info;
    std::vector<BYTE> bytes = FrameHeader();
    bytes.resize(255, 0);
    EXPECT_FALSE(ReadMp3Info(WriteBytes("short.mp3", bytes).c_str(), info));
    EXPECT_EQ(info.fileSize, 255);
    EXPECT_EQ(info.bitRate, 0);

    bytes.resize(256, 0);
    EXPECT_TRUE(ReadMp3Info(WriteBytes("just.mp3", bytes).c_str(), info));
    EXPECT_EQ(info.bitRate, 128000);

    EXPECT_FALSE(ReadMp3Info(mp3fixtures::HerePath("missing.mp3").c_str(), info));
    EXPECT_EQ(info.fileSize, 0);

    // MPEG-2 Layer III and MPEG-1 Layer II sync pairs are not what the reader looks for; neither is a pair
    // that starts at the last byte of the buffer.
    std::vector<BYTE> other(8000, 0x11);
    other[100] = 0xFF;
    other[101] = 0xF3;
    other[200] = 0xFF;
    other[201] = 0xFD;
    other[4095] = 0xFF;
    other[4096] = 0xFB;
    EXPECT_FALSE(ReadMp3Info(WriteBytes("other.mp3", other).c_str(), info));
    EXPECT_EQ(info.fileSize, 8000);
    EXPECT_EQ(info.sampleRate, 0);
}

TEST(Mp3Info, SyncAtTheLastPairOfTheBufferIsFound)
{
    std::vector<BYTE> bytes(8000, 0x11);
    bytes[4094] = 0xFF;
    bytes[4095] = 0xFB;
    Mp3Info info;
    EXPECT_TRUE(ReadMp3Info(WriteBytes("late.mp3", bytes).c_str(), info));
    EXPECT_EQ(info.layer, 3);
    // The rest of its header lies beyond the bytes read.
    EXPECT_EQ(info.bitRate, 0);
}

TEST(Mp3Info, DurationCountsFromTheFramesPlaceInTheBuffer)
{
    std::vector<BYTE> bytes(5'000'000, 0);
    const std::vector<BYTE> header = FrameHeader();
    std::copy(header.begin(), header.end(), bytes.begin() + 1000);
    Mp3Info info;
    ASSERT_TRUE(ReadMp3Info(WriteBytes("big.mp3", bytes).c_str(), info));
    EXPECT_EQ(info.bitRate, 128000);
    EXPECT_EQ(info.frameCount, 11962);
    EXPECT_EQ(info.duration, (5'000'000 - 1000) * 8 / 128000);
}

TEST(Mp3Info, Id3v2TagIsSkippedBySizeWithoutItsHeader)
{
    // A lower-case marker counts; the scan starts at the tag size, so a frame in the tag's last ten
    // bytes is found, and a false sync earlier in the tag is not.
    std::vector<BYTE> bytes(20'000, 0);
    std::copy_n("id3", 3, bytes.begin());
    bytes[8] = 0x02; // syncsafe 0x100 = 256
    bytes[50] = 0xFF;
    bytes[51] = 0xFB;
    bytes[52] = 0xE0; // 320 kbit/s: the false one
    const std::vector<BYTE> header = FrameHeader();
    std::copy(header.begin(), header.end(), bytes.begin() + 260);
    Mp3Info info;
    ASSERT_TRUE(ReadMp3Info(WriteBytes("tagged.mp3", bytes).c_str(), info));
    EXPECT_EQ(info.bitRate, 128000);
    EXPECT_EQ(info.duration, (20'000 - 4) * 8 / 128000);

    // A size that reaches the end of the file is ignored: the false sync inside the tag wins.
    bytes[6] = 0x7F;
    ASSERT_TRUE(ReadMp3Info(WriteBytes("huge-tag.mp3", bytes).c_str(), info));
    EXPECT_EQ(info.bitRate, 320000);
}

TEST(Mp3Info, FilesFromTheEncoder)
{
    Mp3Info info;
    const std::string cbr = MakeMp3("cbr.mp3", "-b 128 --add-id3v2 --tt Song --ta Band", 3);
    ASSERT_TRUE(ReadMp3Info(cbr.c_str(), info));
    EXPECT_EQ(info.version, 1);
    EXPECT_EQ(info.layer, 3);
    EXPECT_EQ(info.bitRate, 128000);
    EXPECT_EQ(info.sampleRate, 44100);
    EXPECT_EQ(info.isVbr, 0);
    EXPECT_EQ(info.duration, 3);

    const std::string vbr = MakeMp3("vbr.mp3", "-V 2", 3);
    ASSERT_TRUE(ReadMp3Info(vbr.c_str(), info));
    EXPECT_EQ(info.isVbr, 1);
    EXPECT_GT(info.frameCount, 100);
    EXPECT_GT(info.bitRate, 0);
    EXPECT_EQ(info.bitRate % 1000, 0);
    EXPECT_GE(info.vbrQuality, 0);

    const std::string mono = MakeMp3("mono.mp3", "-V 4 -m m", 2, 1);
    ASSERT_TRUE(ReadMp3Info(mono.c_str(), info));
    EXPECT_EQ(info.channelMode, 3);
    EXPECT_EQ(info.isVbr, 1);
}
