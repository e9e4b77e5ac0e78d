#pragma once
// The bytes of a 24-bit BMP file of one colour, for the tests that load pictures, and writing them.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace afxtest {

inline void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// w x h pixels of the colour (r, g, b); mid grey unless told.
inline std::vector<std::uint8_t> Bmp(int w, int h, std::uint8_t r = 0x80, std::uint8_t g = 0x80, std::uint8_t b = 0x80)
{
    const int stride = (w * 3 + 3) & ~3;
    std::vector<std::uint8_t> out { 'B', 'M' };
    PutLittleEndian(out, static_cast<std::uint32_t>(54 + stride * h), 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(w), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(h), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLittleEndian(out, 0, 4);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < w; ++x) {
        row[static_cast<std::size_t>(x) * 3] = b;
        row[static_cast<std::size_t>(x) * 3 + 1] = g;
        row[static_cast<std::size_t>(x) * 3 + 2] = r;
    }
    for (int y = 0; y < h; ++y)
        out.insert(out.end(), row.begin(), row.end());
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace afxtest
