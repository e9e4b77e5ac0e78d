#pragma once
// The image files a script names (.bmp, .ico, .cur), checked against their own sizes and offsets and
// turned into the binary resource formats the platform's image loaders read. A damaged file ends
// the compilation with an error at the statement that names it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/rc/ScriptError.h"

namespace rc {

// One image of an icon or cursor file, ready to become its own RT_ICON or RT_CURSOR resource.
struct IconImage {
    std::vector<std::uint8_t> data; // a cursor's image starts with its hot spot, x and y as 16-bit values
    std::array<std::uint8_t, 12> groupEntry {}; // its entry in the group directory, without the trailing id
};

class ImageFile {
public:
    // `name` is the file as the script wrote it, for the messages; `where` is the statement naming it.
    ImageFile(std::vector<std::uint8_t> bytes, std::string name, SourceLocation where);

    // The RT_BITMAP data of a .bmp file: bitmap header, colour table and pixels, without the file header.
    std::vector<std::uint8_t> BitmapResource() const;
    // The images of an .ico file (cursor false) or a .cur file, in the file's order.
    std::vector<IconImage> IconImages(bool cursor) const;
    // The RT_GROUP_ICON or RT_GROUP_CURSOR data for `images`, each under the resource id at the same place in `ids`.
    static std::vector<std::uint8_t> GroupDirectory(
        const std::vector<IconImage>& images, const std::vector<std::uint16_t>& ids, bool cursor);

private:
    // What a bitmap header at some offset says about the bytes that follow it.
    struct DibLayout {
        std::size_t headerBytes { 0 }; // the header with its colour masks and colour table
        std::uint64_t bitsBytes { 0 }; // the pixels; for an icon image the XOR image and the AND mask
        std::int64_t width { 0 };
        std::int64_t height { 0 }; // as stored: an icon image's counts the image and its mask
        std::uint16_t planes { 1 };
        std::uint16_t bitCount { 0 };
    };

    DibLayout ReadDib(std::size_t offset, std::size_t available, bool iconImage, const std::string& what) const;
    IconImage ReadIconImage(std::size_t entryOffset, std::size_t index, std::size_t count, bool cursor) const;
    bool IsPng(std::size_t offset, std::size_t available) const;
    std::uint16_t Word(std::size_t offset) const;
    std::uint32_t Dword(std::size_t offset) const;
    [[noreturn]] void Fail(const std::string& problem) const;

    std::vector<std::uint8_t> m_bytes;
    std::string m_name;
    SourceLocation m_where;
};

} // namespace rc
