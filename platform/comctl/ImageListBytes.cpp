// The byte form of an image list that archives store: a tag and version, the image size, the mask
// flag, the background colour, the overlay table, then each image's pixels and mask.
// Every number is little-endian; reading checks each length against what is left before using it.

#include <cstring>

#include "platform/comctl/ImageList.h"

namespace platform::comctl {

namespace {

constexpr std::uint32_t kTag = 0x4C494D49; // "IMIL"
constexpr std::uint32_t kVersion = 1;
// Larger than any list the program keeps; a count or size past it marks damaged data.
constexpr std::uint32_t kMaxSide = 4096;
constexpr std::uint32_t kMaxImages = 65536;

void Put(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_left(data ? size : 0)
    {
    }

    bool get(std::uint32_t& value)
    {
        if (m_left < 4)
            return false;
        value = static_cast<std::uint32_t>(m_data[0]) | (static_cast<std::uint32_t>(m_data[1]) << 8)
            | (static_cast<std::uint32_t>(m_data[2]) << 16) | (static_cast<std::uint32_t>(m_data[3]) << 24);
        skip(4);
        return true;
    }
    bool bytes(std::uint8_t* out, std::size_t count)
    {
        if (m_left < count)
            return false;
        std::memcpy(out, m_data, count);
        skip(count);
        return true;
    }
    bool done() const { return m_left == 0; }

private:
    void skip(std::size_t count)
    {
        m_data += count;
        m_left -= count;
    }

    const std::uint8_t* m_data;
    std::size_t m_left;
};

} // namespace

std::vector<std::uint8_t> ImageList::serialize() const
{
    std::vector<std::uint8_t> out;
    for (std::uint32_t value : { kTag, kVersion, static_cast<std::uint32_t>(m_cx), static_cast<std::uint32_t>(m_cy),
             static_cast<std::uint32_t>(m_masked), static_cast<std::uint32_t>(m_bk),
             static_cast<std::uint32_t>(m_images.size()) })
        Put(out, value);
    for (int overlay : m_overlays)
        Put(out, static_cast<std::uint32_t>(overlay));
    for (const Image& image : m_images) {
        for (std::uint32_t pixel : image.pixels)
            Put(out, pixel);
        out.insert(out.end(), image.mask.begin(), image.mask.end());
    }
    return out;
}

ImageList* ImageList::Deserialize(const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    std::uint32_t tag = 0, version = 0, cx = 0, cy = 0, masked = 0, bk = 0, count = 0;
    if (!in.get(tag) || tag != kTag || !in.get(version) || version != kVersion || !in.get(cx) || !in.get(cy)
        || !in.get(masked) || !in.get(bk) || !in.get(count))
        return nullptr;
    if (cx == 0 || cy == 0 || cx > kMaxSide || cy > kMaxSide || masked > 1 || count > kMaxImages)
        return nullptr;
    int overlays[16] {};
    for (int& overlay : overlays) {
        std::uint32_t value = 0;
        if (!in.get(value) || value > count)
            return nullptr;
        overlay = static_cast<int>(value);
    }
    const std::size_t area = static_cast<std::size_t>(cx) * cy;
    const std::size_t perImage = area * 5;
    if (count > size / perImage)
        return nullptr; // claims more images than the data could hold
    std::vector<Image> images(count);
    for (Image& image : images) {
        image.pixels.resize(area);
        for (std::uint32_t& pixel : image.pixels)
            if (!in.get(pixel))
                return nullptr;
        image.mask.resize(area);
        if (!in.bytes(image.mask.data(), area))
            return nullptr;
    }
    if (!in.done())
        return nullptr;
    auto* list = new ImageList(static_cast<int>(cx), static_cast<int>(cy), masked != 0);
    list->m_bk = static_cast<COLORREF>(bk);
    list->m_images = std::move(images);
    std::copy(std::begin(overlays), std::end(overlays), std::begin(list->m_overlays));
    return list;
}

} // namespace platform::comctl
