#pragma once
// The clip format the animation control plays: little-endian, 16-bit aligned so a resource script
// can write it as a data block of words.
//
//   "TSCL"                    magic
//   u16 version               1
//   u16 width, u16 height     pixels, 1-1024 each
//   u16 frames                at least 1
//   u16 frameMs               time each frame shows, at least 1
//   u16 colours               palette size, 1-256
//   u32 palette[colours]      0x00RRGGBB
//   frames x (width*height bytes of palette indexes, rows top-down, padded to an even length)

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform::comctl {

struct Clip {
    int width { 0 };
    int height { 0 };
    int frameMs { 0 };
    // Per frame, 0x00RRGGBB pixels, rows top-down.
    std::vector<std::vector<std::uint32_t>> frames;
};

// Reads a clip; null for data that is not one or is cut short, or an index outside the palette.
std::unique_ptr<Clip> ParseClip(const void* data, std::size_t size);

} // namespace platform::comctl
