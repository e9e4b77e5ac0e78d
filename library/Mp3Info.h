#pragma once
// Technical data of an MP3 file from its first MPEG audio frame header (and the Xing header of a
// variable-bit-rate file). Only the opening bytes of the file are read, so the cost is the same for
// every file size.

#include "platform/base/WinTypes.h"

#include <cstddef>

struct Mp3Info {
    WORD layer { 0 }; // 1, 2, 3 = Layer I, II, III; 4 = the reserved layer code
    LONG bitRate { 0 }; // bit/s; 0 when unknown (free format, bad index, Xing without frame count)
    LONG sampleRate { 0 }; // Hz
    LONG duration { 0 }; // whole seconds
    LONG channelMode { 0 }; // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    LONG vbrQuality { 0 }; // the Xing header's quality; -1 when it carries none
    WORD version { 0 }; // 1 = MPEG-1, 2 = MPEG-2, 3 = reserved, 4 = MPEG-2.5
    WORD isVbr { 0 }; // 1 when a Xing header was found
    LONG frameCount { 0 }; // from the Xing header, or estimated from the size
    LONG fileSize { 0 }; // length of the file in bytes; input of ParseMp3FrameHeader
};

// Bytes of the file that the reader looks at (once from the start, once more behind an ID3v2 tag).
inline constexpr std::size_t kMp3ScanBytes = 4096;

// Finds the first MPEG-1 Layer III frame in the opening bytes of the file (behind an ID3v2 tag) and decodes
// it. False when the file cannot be opened, is shorter than 256 bytes or holds no sync pair; every field is
// then zero except fileSize once the file was opened.
bool ReadMp3Info(LPCSTR path, Mp3Info& info);

// Decodes the frame header at header[0]; available is the number of valid bytes from there on (a Xing
// header is read only when it lies wholly inside them; header bytes past them count as zero). Returns 0
// and leaves info untouched when header[0] is not 0xFF, else fills info (fileSize must be set) and returns 1.
WORD ParseMp3FrameHeader(const BYTE* header, std::size_t available, Mp3Info& info);

// The 28-bit value of four bytes of which only the low seven bits count (ID3v2 sizes).
LONG SyncsafeInteger(const BYTE* bytes);

// Four bytes, most significant first.
DWORD BigEndianInteger(const BYTE* bytes);
