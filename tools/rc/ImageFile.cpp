#include "tools/rc/ImageFile.h"

#include <algorithm>
#include <cstdlib>

namespace rc {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kDirectoryHeaderBytes = 6;
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
// Resources are limited to 2 GiB, so nothing larger can be pixels of a real file.
constexpr std::uint64_t kLargestData = 0x7FFFFFFF;

constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
constexpr std::uint32_t kCompressionBitfields = 3;

constexpr std::uint16_t kDirectoryOfIcons = 1;
constexpr std::uint16_t kDirectoryOfCursors = 2;

constexpr std::uint8_t kPngSignature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };

std::uint64_t Stride(std::int64_t width, unsigned bitCount)
{
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

// True when a * b stays within `limit`, without overflowing on the way.
bool ProductFits(std::uint64_t a, std::uint64_t b, std::uint64_t limit) { return a == 0 || b <= limit / a; }

void PutWord(std::uint8_t* out, std::uint32_t v)
{
    out[0] = static_cast<std::uint8_t>(v & 0xFF);
    out[1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void PutDword(std::uint8_t* out, std::uint32_t v)
{
    PutWord(out, v & 0xFFFF);
    PutWord(out + 2, v >> 16);
}

} // namespace

ImageFile::ImageFile(std::vector<std::uint8_t> bytes, std::string name, SourceLocation where)
    : m_bytes(std::move(bytes))
    , m_name(std::move(name))
    , m_where(std::move(where))
{
}

std::vector<std::uint8_t> ImageFile::BitmapResource() const
{
    if (m_bytes.size() < kFileHeaderBytes || m_bytes[0] != 'B' || m_bytes[1] != 'M')
        Fail("not a bitmap file");
    const DibLayout dib = ReadDib(kFileHeaderBytes, m_bytes.size() - kFileHeaderBytes, false, "the bitmap");
    const std::size_t headerEnd = kFileHeaderBytes + dib.headerBytes;
    std::size_t bitsAt = Dword(10);
    if (bitsAt == 0)
        bitsAt = headerEnd; // a writer that left the offset out; the pixels follow the colour table
    if (bitsAt < headerEnd)
        Fail("the pixels are said to start at byte " + std::to_string(bitsAt) + ", inside the bitmap header");
    if (bitsAt > m_bytes.size() || m_bytes.size() - bitsAt < dib.bitsBytes)
        Fail("cut short: the pixels need " + std::to_string(dib.bitsBytes) + " bytes from byte "
            + std::to_string(bitsAt) + ", the file has " + std::to_string(m_bytes.size()));
    if (bitsAt == headerEnd)
        return { m_bytes.begin() + kFileHeaderBytes, m_bytes.end() };
    // The loaders find the pixels right after the colour table, so a gap before them is closed.
    std::vector<std::uint8_t> out(m_bytes.begin() + kFileHeaderBytes, m_bytes.begin() + headerEnd);
    const auto bits = m_bytes.begin() + static_cast<std::ptrdiff_t>(bitsAt);
    out.insert(out.end(), bits, bits + static_cast<std::ptrdiff_t>(dib.bitsBytes));
    return out;
}

std::vector<IconImage> ImageFile::IconImages(bool cursor) const
{
    const char* const kind = cursor ? "cursor" : "icon";
    if (m_bytes.size() < kDirectoryHeaderBytes || Word(0) != 0
        || (Word(2) != kDirectoryOfIcons && Word(2) != kDirectoryOfCursors))
        Fail(cursor ? "not a cursor file" : "not an icon file");
    if (Word(2) != (cursor ? kDirectoryOfCursors : kDirectoryOfIcons))
        Fail(std::string(cursor ? "an icon" : "a cursor") + " file, where " + (cursor ? "a cursor" : "an icon")
            + " is expected");
    const std::size_t count = Word(4);
    if (count == 0)
        Fail(std::string("the ") + kind + " holds no images");
    if (kDirectoryHeaderBytes + kDirectoryEntryBytes * count > m_bytes.size())
        Fail("cut short: the directory of " + std::to_string(count) + " images does not fit in the file");
    std::vector<IconImage> images;
    for (std::size_t i = 0; i < count; ++i)
        images.push_back(ReadIconImage(kDirectoryHeaderBytes + kDirectoryEntryBytes * i, i + 1, count, cursor));
    return images;
}

IconImage ImageFile::ReadIconImage(std::size_t entryOffset, std::size_t index, std::size_t count, bool cursor) const
{
    const std::string what = "image " + std::to_string(index);
    const std::uint8_t* entry = m_bytes.data() + entryOffset;
    const std::uint32_t bytes = Dword(entryOffset + 8);
    const std::uint32_t offset = Dword(entryOffset + 12);
    const std::size_t directoryEnd = kDirectoryHeaderBytes + kDirectoryEntryBytes * count;
    if (bytes == 0)
        Fail(what + " is empty");
    if (offset < directoryEnd || offset > m_bytes.size() || bytes > m_bytes.size() - offset)
        Fail(what + " (" + std::to_string(bytes) + " bytes at byte " + std::to_string(offset)
            + ") lies outside the image data of the file");

    // A 0 in the directory's width or height byte stands for 256.
    std::uint32_t width = entry[0] ? entry[0] : 256;
    std::uint32_t storedHeight = (entry[1] ? entry[1] : 256) * 2;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 32;
    if (!IsPng(offset, bytes)) {
        const DibLayout dib = ReadDib(offset, bytes, true, what);
        if (dib.headerBytes + dib.bitsBytes > bytes)
            Fail(what + " is cut short: it needs " + std::to_string(dib.headerBytes + dib.bitsBytes)
                + " bytes, its directory entry gives " + std::to_string(bytes));
        if (dib.width > 0xFFFF || dib.height > 0xFFFF)
            Fail(what + " is too large for an icon or cursor");
        width = static_cast<std::uint32_t>(dib.width);
        storedHeight = static_cast<std::uint32_t>(dib.height);
        planes = dib.planes;
        bitCount = dib.bitCount;
    }

    IconImage image;
    std::uint8_t* out = image.groupEntry.data();
    if (cursor) {
        // A cursor file keeps the hot spot where an icon file has planes and depth; the resource carries
        // it in front of the image (below), and its group entry gives the size as the image's header has it.
        PutWord(out, width);
        PutWord(out + 2, storedHeight);
        PutWord(out + 4, planes);
        PutWord(out + 6, bitCount);
        PutDword(out + 8, bytes + 4);
    } else {
        std::copy(entry, entry + 4, out); // width, height, colour count, reserved
        // Many files leave planes and depth at 0; the image's own header knows them.
        const bool entryHasDepth = Word(entryOffset + 6) != 0;
        PutWord(out + 4, entryHasDepth ? Word(entryOffset + 4) : planes);
        PutWord(out + 6, entryHasDepth ? Word(entryOffset + 6) : bitCount);
        PutDword(out + 8, bytes);
    }
    const std::size_t hotSpotBytes = cursor ? 4 : 0;
    image.data.resize(hotSpotBytes + bytes);
    std::copy_n(entry + 4, hotSpotBytes, image.data.begin());
    std::copy_n(m_bytes.begin() + offset, bytes, image.data.begin() + hotSpotBytes);
    return image;
}

std::vector<std::uint8_t> ImageFile::GroupDirectory(
    const std::vector<IconImage>& images, const std::vector<std::uint16_t>& ids, bool cursor)
{
    std::vector<std::uint8_t> out(kDirectoryHeaderBytes);
    PutWord(out.data() + 2, cursor ? kDirectoryOfCursors : kDirectoryOfIcons);
    PutWord(out.data() + 4, static_cast<std::uint32_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.insert(out.end(), images[i].groupEntry.begin(), images[i].groupEntry.end());
        out.resize(out.size() + 2);
        PutWord(out.data() + out.size() - 2, ids.at(i));
    }
    return out;
}

ImageFile::DibLayout ImageFile::ReadDib(
    std::size_t offset, std::size_t available, bool iconImage, const std::string& what) const
{
    if (available < 4)
        Fail(what + " is cut short in its header");
    const std::uint32_t size = Dword(offset);
    DibLayout dib;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t colorBytes = 4;
    if (size == kCoreHeaderBytes) {
        if (available < size)
            Fail(what + " is cut short in its header");
        dib.width = Word(offset + 4);
        dib.height = static_cast<std::int16_t>(Word(offset + 6));
        dib.planes = Word(offset + 8);
        dib.bitCount = Word(offset + 10);
        colorBytes = 3;
    } else if (size >= kInfoHeaderBytes) {
        if (available < size)
            Fail(what + " is cut short in its header");
        dib.width = static_cast<std::int32_t>(Dword(offset + 4));
        dib.height = static_cast<std::int32_t>(Dword(offset + 8));
        dib.planes = Word(offset + 12);
        dib.bitCount = Word(offset + 14);
        compression = Dword(offset + 16);
        sizeImage = Dword(offset + 20);
        colorsUsed = Dword(offset + 32);
    } else {
        Fail(what + " has a header of an unknown kind (" + std::to_string(size) + " bytes)");
    }

    switch (dib.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Fail(what + " has an unsupported depth of " + std::to_string(dib.bitCount) + " bits");
    }
    if (dib.width <= 0 || dib.height == 0)
        Fail(what + " has no pixels (" + std::to_string(dib.width) + " by " + std::to_string(dib.height) + ")");
    if (iconImage && (dib.height < 0 || dib.height % 2 != 0))
        Fail(what + " has a height of " + std::to_string(dib.height)
            + ", where an icon image counts its rows twice, for the image and its mask");

    const bool rle = (compression == kCompressionRle8 && dib.bitCount == 8)
        || (compression == kCompressionRle4 && dib.bitCount == 4);
    const bool bitfields = compression == kCompressionBitfields && (dib.bitCount == 16 || dib.bitCount == 32);
    if (compression != kCompressionNone && !bitfields && !(rle && !iconImage))
        Fail(what + " uses a compression (" + std::to_string(compression) + ") that cannot be read at "
            + std::to_string(dib.bitCount) + " bits");

    std::uint64_t colors = colorsUsed; // deeper images may carry a palette for the display's sake
    if (dib.bitCount <= 8) {
        const std::uint32_t full = 1u << dib.bitCount;
        if (colorsUsed > full)
            Fail(what + " claims " + std::to_string(colorsUsed) + " colours for " + std::to_string(dib.bitCount)
                + "-bit pixels");
        colors = (colorsUsed && size != kCoreHeaderBytes) ? colorsUsed : full;
    }
    const std::uint64_t masks = (size == kInfoHeaderBytes && bitfields) ? 12 : 0;
    const std::uint64_t headerBytes = size + masks + colors * colorBytes;
    if (headerBytes > available)
        Fail(what + " is cut short in its colour table");
    dib.headerBytes = static_cast<std::size_t>(headerBytes);

    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(dib.height));
    if (rle) {
        if (sizeImage == 0)
            Fail(what + " is compressed but does not give the size of its pixels");
        dib.bitsBytes = sizeImage;
    } else {
        // An icon image is its colour rows, then as many rows of the 1-bit mask.
        const std::uint64_t stride = Stride(dib.width, dib.bitCount) + (iconImage ? Stride(dib.width, 1) : 0);
        const std::uint64_t storedRows = iconImage ? rows / 2 : rows;
        if (!ProductFits(stride, storedRows, kLargestData))
            Fail(what + " is too large: " + std::to_string(dib.width) + " by " + std::to_string(dib.height));
        dib.bitsBytes = stride * storedRows;
    }
    return dib;
}

bool ImageFile::IsPng(std::size_t offset, std::size_t available) const
{
    return available >= sizeof kPngSignature
        && std::equal(std::begin(kPngSignature), std::end(kPngSignature), m_bytes.begin() + offset);
}

std::uint16_t ImageFile::Word(std::size_t offset) const
{
    return static_cast<std::uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
}

std::uint32_t ImageFile::Dword(std::size_t offset) const
{
    return Word(offset) | (static_cast<std::uint32_t>(Word(offset + 2)) << 16);
}

void ImageFile::Fail(const std::string& problem) const { throw ScriptError(m_where, "'" + m_name + "': " + problem); }

} // namespace rc
