#include "platform/comctl/ImageList.h"

#include <algorithm>
#include <mutex>
#include <set>

#include "platform/comctl/PixelBlit.h"

namespace platform::comctl {

namespace {

// Live lists, so a stale or made-up handle is refused instead of followed.
std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}

std::set<const ImageList*>& Registry()
{
    static std::set<const ImageList*> lists;
    return lists;
}

std::uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

} // namespace

ImageList::ImageList(int cx, int cy, bool masked)
    : m_cx(cx)
    , m_cy(cy)
    , m_masked(masked)
{
    std::lock_guard guard(RegistryLock());
    Registry().insert(this);
}

ImageList::ImageList(const ImageList& other)
    : m_cx(other.m_cx)
    , m_cy(other.m_cy)
    , m_masked(other.m_masked)
    , m_bk(other.m_bk)
    , m_images(other.m_images)
{
    std::copy(std::begin(other.m_overlays), std::end(other.m_overlays), std::begin(m_overlays));
    std::lock_guard guard(RegistryLock());
    Registry().insert(this);
}

ImageList::~ImageList()
{
    dropCache();
    std::lock_guard guard(RegistryLock());
    Registry().erase(this);
}

ImageList* ImageList::FromHandle(HIMAGELIST himl)
{
    auto* list = reinterpret_cast<ImageList*>(himl);
    std::lock_guard guard(RegistryLock());
    return Registry().count(list) ? list : nullptr;
}

std::vector<std::uint32_t> ImageList::ReadBitmap(HBITMAP bitmap, int& width, int& height)
{
    BITMAP bm {};
    if (!bitmap || GetObject(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return {};
    width = bm.bmWidth;
    height = bm.bmHeight;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != height)
        return {};
    for (auto& p : pixels)
        p &= 0x00FFFFFF;
    return pixels;
}

ImageList::Image ImageList::cut(const std::vector<std::uint32_t>& pixels, int width, int height, int column) const
{
    Image image;
    image.pixels.assign(static_cast<std::size_t>(m_cx) * m_cy, 0);
    image.mask.assign(image.pixels.size(), 0);
    for (int y = 0; y < std::min(m_cy, height); ++y)
        for (int x = 0; x < m_cx; ++x)
            image.pixels[y * m_cx + x] = pixels[static_cast<std::size_t>(y) * width + column * m_cx + x];
    return image;
}

template <class MaskOf> int ImageList::takeStrip(HBITMAP bitmap, int at, bool firstOnly, MaskOf maskOf)
{
    int width = 0;
    int height = 0;
    const auto pixels = ReadBitmap(bitmap, width, height);
    if (pixels.empty() || width < m_cx)
        return -1;
    const int images = firstOnly ? 1 : width / m_cx;
    const int first = at < 0 ? count() : at;
    for (int n = 0; n < images; ++n) {
        Image image = cut(pixels, width, height, n);
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x) {
                const std::size_t k = static_cast<std::size_t>(y) * m_cx + x;
                // A transparent pixel is stored black so the OR blit of drawing leaves the
                // background alone, whatever colour the caller's bitmap had there.
                if (m_masked && y < height && maskOf(n * m_cx + x, y, image.pixels[k])) {
                    image.mask[k] = 1;
                    image.pixels[k] = 0;
                }
            }
        if (at < 0)
            m_images.push_back(std::move(image));
        else
            m_images[at] = std::move(image);
    }
    dropCache();
    return first;
}

int ImageList::add(HBITMAP bitmap, HBITMAP maskBitmap)
{
    int mw = 0;
    int mh = 0;
    const auto mask = m_masked && maskBitmap ? ReadBitmap(maskBitmap, mw, mh) : std::vector<std::uint32_t> {};
    if (m_masked && maskBitmap && mask.empty())
        return -1;
    return takeStrip(bitmap, -1, false, [&](int x, int y, std::uint32_t) {
        return !mask.empty() && x < mw && y < mh && mask[static_cast<std::size_t>(y) * mw + x] != 0;
    });
}

int ImageList::addMasked(HBITMAP bitmap, COLORREF key)
{
    const std::uint32_t keyPixel = ToPixel(key);
    return takeStrip(bitmap, -1, false, [&](int, int, std::uint32_t p) { return key != CLR_NONE && p == keyPixel; });
}

bool ImageList::replace(int i, HBITMAP bitmap, HBITMAP maskBitmap)
{
    if (!valid(i))
        return false;
    int mw = 0;
    int mh = 0;
    const auto mask = m_masked && maskBitmap ? ReadBitmap(maskBitmap, mw, mh) : std::vector<std::uint32_t> {};
    if (m_masked && maskBitmap && mask.empty())
        return false;
    return takeStrip(bitmap, i, true, [&](int x, int y, std::uint32_t) {
        return !mask.empty() && x < mw && y < mh && mask[static_cast<std::size_t>(y) * mw + x] != 0;
    }) == i;
}

int ImageList::replaceIcon(int i, HICON icon)
{
    if (i < -1 || i >= count())
        return -1;
    ICONINFO ii;
    if (!icon || !GetIconInfo(icon, &ii))
        return -1;
    int result = -1;
    if (ii.hbmColor) {
        // The icon's mask says which pixels are transparent even when the list keeps no masks;
        // they are stored black either way.
        const bool wasMasked = m_masked;
        m_masked = true;
        result = i < 0 ? add(ii.hbmColor, ii.hbmMask) : (replace(i, ii.hbmColor, ii.hbmMask) ? i : -1);
        m_masked = wasMasked;
        if (!m_masked && result >= 0)
            std::fill(m_images[result].mask.begin(), m_images[result].mask.end(), 0);
        DeleteObject(ii.hbmColor);
    }
    DeleteObject(ii.hbmMask);
    return result;
}

bool ImageList::remove(int i)
{
    if (i == -1) {
        removeAll();
        return true;
    }
    if (!valid(i))
        return false;
    m_images.erase(m_images.begin() + i);
    dropCache();
    return true;
}

void ImageList::removeAll()
{
    m_images.clear();
    dropCache();
}

void ImageList::setCount(int n)
{
    Image blank;
    blank.pixels.assign(static_cast<std::size_t>(m_cx) * m_cy, 0);
    blank.mask.assign(blank.pixels.size(), 0);
    m_images.resize(static_cast<std::size_t>(std::max(n, 0)), blank);
    dropCache();
}

void ImageList::setSize(int cx, int cy)
{
    m_cx = cx;
    m_cy = cy;
    removeAll();
}

COLORREF ImageList::setBkColor(COLORREF bk)
{
    const COLORREF old = m_bk;
    m_bk = bk;
    return old;
}

bool ImageList::setOverlay(int image, int overlay)
{
    if (overlay < 1 || overlay > 15 || image < -1 || image >= count())
        return false;
    m_overlays[overlay] = image + 1;
    return true;
}

bool ImageList::draw(int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg, UINT style) const
{
    if (!valid(i) || !dc)
        return false;
    const int w = dx > 0 ? std::min(dx, m_cx) : m_cx;
    const int h = dy > 0 ? std::min(dy, m_cy) : m_cy;
    const Image& image = m_images[i];
    const COLORREF background = bk == CLR_DEFAULT ? m_bk : bk;
    const bool transparent = m_masked && ((style & ILD_TRANSPARENT) || background == CLR_NONE);
    const COLORREF blend = fg == CLR_DEFAULT || fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : fg;

    std::vector<std::uint32_t> colour(static_cast<std::size_t>(w) * h);
    std::vector<std::uint32_t> mask(colour.size());
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const std::size_t from = static_cast<std::size_t>(row) * m_cx + col;
            const std::size_t to = static_cast<std::size_t>(row) * w + col;
            const bool clear = m_masked && image.mask[from];
            std::uint32_t p = image.pixels[from];
            // The selection and focus looks dither the highlight colour into the opaque pixels:
            // every other pixel for a selection, one in four for focus.
            if (!clear && (style & ILD_BLEND50) && ((row + col) & 1) == 0)
                p = ToPixel(blend);
            else if (!clear && (style & ILD_BLEND25) && !(style & ILD_BLEND50) && (row & 1) == 0 && (col & 1) == 0)
                p = ToPixel(blend);
            if (clear)
                p = transparent ? 0 : ToPixel(background);
            colour[to] = p;
            mask[to] = clear ? 0x00FFFFFF : 0;
        }

    if (style & ILD_MASK) {
        BlitPixels(dc, x, y, w, h, mask.data(), SRCCOPY);
    } else if (transparent) {
        BlitPixels(dc, x, y, w, h, mask.data(), SRCAND);
        BlitPixels(dc, x, y, w, h, colour.data(), SRCPAINT);
    } else {
        BlitPixels(dc, x, y, w, h, colour.data(), SRCCOPY);
    }

    const UINT overlay = (style & ILD_OVERLAYMASK) >> 8;
    if (overlay && m_overlays[overlay] > 0 && m_overlays[overlay] - 1 != i)
        draw(m_overlays[overlay] - 1, dc, x, y, dx, dy, CLR_NONE, fg, (style & ILD_MASK) | ILD_TRANSPARENT);
    return true;
}

HICON ImageList::icon(int i) const
{
    if (!valid(i))
        return nullptr;
    const Image& image = m_images[i];
    std::vector<std::uint32_t> mask(image.pixels.size());
    for (std::size_t k = 0; k < mask.size(); ++k)
        mask[k] = image.mask[k] ? 0x00FFFFFF : 0;
    ICONINFO ii;
    ii.hbmColor = MakeBitmap(m_cx, m_cy, image.pixels.data());
    ii.hbmMask = MakeBitmap(m_cx, m_cy, mask.data());
    HICON result = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return result;
}

bool ImageList::info(int i, IMAGEINFO& out)
{
    if (!valid(i))
        return false;
    if (!m_imageStrip) {
        const int n = count();
        std::vector<std::uint32_t> strip(static_cast<std::size_t>(m_cx) * n * m_cy);
        std::vector<std::uint32_t> mask(strip.size());
        const std::size_t stride = static_cast<std::size_t>(m_cx) * n;
        for (int k = 0; k < n; ++k)
            for (int y = 0; y < m_cy; ++y)
                for (int x = 0; x < m_cx; ++x) {
                    const std::size_t from = static_cast<std::size_t>(y) * m_cx + x;
                    strip[y * stride + k * m_cx + x] = m_images[k].pixels[from];
                    mask[y * stride + k * m_cx + x] = m_images[k].mask[from] ? 0x00FFFFFF : 0;
                }
        m_imageStrip = MakeBitmap(m_cx * n, m_cy, strip.data());
        m_maskStrip = m_masked ? MakeBitmap(m_cx * n, m_cy, mask.data()) : nullptr;
    }
    out.hbmImage = m_imageStrip;
    out.hbmMask = m_maskStrip;
    SetRect(&out.rcImage, i * m_cx, 0, (i + 1) * m_cx, m_cy);
    return true;
}

void ImageList::appendTransparent()
{
    Image image;
    image.pixels.assign(static_cast<std::size_t>(m_cx) * m_cy, 0);
    image.mask.assign(image.pixels.size(), m_masked ? 1 : 0);
    m_images.push_back(std::move(image));
    dropCache();
}

void ImageList::overlay(int i, const ImageList& other, int from, int dx, int dy)
{
    if (!valid(i) || !other.valid(from))
        return;
    Image& to = m_images[i];
    const Image& src = other.m_images[from];
    for (int y = 0; y < other.m_cy; ++y)
        for (int x = 0; x < other.m_cx; ++x) {
            const int tx = x + dx;
            const int ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= m_cx || ty >= m_cy)
                continue;
            const std::size_t s = static_cast<std::size_t>(y) * other.m_cx + x;
            if (other.m_masked && src.mask[s])
                continue;
            const std::size_t t = static_cast<std::size_t>(ty) * m_cx + tx;
            to.pixels[t] = src.pixels[s];
            to.mask[t] = 0;
        }
    dropCache();
}

void ImageList::dropCache() const
{
    if (m_imageStrip)
        DeleteObject(m_imageStrip);
    if (m_maskStrip)
        DeleteObject(m_maskStrip);
    m_imageStrip = nullptr;
    m_maskStrip = nullptr;
}

} // namespace platform::comctl
