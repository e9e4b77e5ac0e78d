#include "platform/comctl/ClipFormat.h"

#include <cstring>

namespace platform::comctl {

namespace {

constexpr int kMaxSide = 1024;
constexpr int kMaxColours = 256;

// Reads little-endian values and remembers whether it ran past the end.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool ok() const { return m_ok; }
    bool take(std::size_t n)
    {
        if (!m_ok || m_size - m_at < n) {
            m_ok = false;
            return false;
        }
        m_at += n;
        return true;
    }
    std::uint16_t u16()
    {
        const std::size_t at = m_at;
        return take(2) ? static_cast<std::uint16_t>(m_data[at] | (m_data[at + 1] << 8)) : 0;
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    const std::uint8_t* bytes(std::size_t n)
    {
        const std::size_t at = m_at;
        return take(n) ? m_data + at : nullptr;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at { 0 };
    bool m_ok { true };
};

} // namespace

std::unique_ptr<Clip> ParseClip(const void* data, std::size_t size)
{
    if (!data)
        return nullptr;
    Reader in(static_cast<const std::uint8_t*>(data), size);
    const std::uint8_t* magic = in.bytes(4);
    if (!magic || std::memcmp(magic, "TSCL", 4) != 0 || in.u16() != 1)
        return nullptr;
    auto clip = std::make_unique<Clip>();
    clip->width = in.u16();
    clip->height = in.u16();
    const int frames = in.u16();
    clip->frameMs = in.u16();
    const int colours = in.u16();
    if (!in.ok() || clip->width < 1 || clip->width > kMaxSide || clip->height < 1 || clip->height > kMaxSide
        || frames < 1 || clip->frameMs < 1 || colours < 1 || colours > kMaxColours)
        return nullptr;
    std::vector<std::uint32_t> palette(static_cast<std::size_t>(colours));
    for (auto& c : palette)
        c = in.u32() & 0x00FFFFFF;
    const std::size_t pixels = static_cast<std::size_t>(clip->width) * clip->height;
    for (int f = 0; f < frames; ++f) {
        const std::uint8_t* indexes = in.bytes(pixels + (pixels & 1));
        if (!indexes)
            return nullptr;
        std::vector<std::uint32_t> frame(pixels);
        for (std::size_t k = 0; k < pixels; ++k) {
            if (indexes[k] >= colours)
                return nullptr;
            frame[k] = palette[indexes[k]];
        }
        clip->frames.push_back(std::move(frame));
    }
    return in.ok() ? std::move(clip) : nullptr;
}

} // namespace platform::comctl
