#pragma once
// An image list: equally sized images kept as 32-bit pixels, each with a mask when the list is
// masked, drawn onto any DC through the usual AND/OR blits so transparency works on every surface.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class ImageList {
public:
    ImageList(int cx, int cy, bool masked);
    ~ImageList();
    ImageList(const ImageList& other);
    ImageList& operator=(const ImageList&) = delete;

    // The list behind a handle, null for anything that is not a live list.
    static ImageList* FromHandle(HIMAGELIST himl);
    HIMAGELIST handle() { return reinterpret_cast<HIMAGELIST>(this); }

    int width() const { return m_cx; }
    int height() const { return m_cy; }
    bool masked() const { return m_masked; }
    int count() const { return static_cast<int>(m_images.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }

    // Appends the images of a strip; the first index, -1 when the bitmap cannot be read.
    int add(HBITMAP image, HBITMAP mask);
    // Appends a strip whose pixels of one colour are transparent.
    int addMasked(HBITMAP image, COLORREF key);
    // Replaces image i with the first image of a strip.
    bool replace(int i, HBITMAP image, HBITMAP mask);
    // Replaces image i (or appends, for -1) with an icon; the index, -1 on failure.
    int replaceIcon(int i, HICON icon);
    bool remove(int i);
    void removeAll();
    void setCount(int n);
    void setSize(int cx, int cy);

    COLORREF bkColor() const { return m_bk; }
    COLORREF setBkColor(COLORREF bk);
    bool setOverlay(int image, int overlay);

    // Draws image i (see ImageList_DrawEx for the meaning of the arguments).
    bool draw(int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg, UINT style) const;
    // An icon of image i.
    HICON icon(int i) const;
    // The cached strips of all images (owned by the list) and where image i lies in them.
    bool info(int i, IMAGEINFO& out);
    // Appends an image with every pixel transparent (black and unmasked for an unmasked list).
    void appendTransparent();
    // Draws image `from` of another list over image i of this one at dx, dy, through its mask.
    void overlay(int i, const ImageList& other, int from, int dx, int dy);

    // The whole list as bytes (sizes, mask flag, background, overlays, pixels, masks), for archives.
    std::vector<std::uint8_t> serialize() const;
    // A new list from bytes serialize made; null for data that is damaged, truncated or oversized.
    static ImageList* Deserialize(const std::uint8_t* data, std::size_t size);

private:
    struct Image {
        std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top-down
        std::vector<std::uint8_t> mask; // 1: transparent
    };

    // The pixels of a bitmap, rows top-down, and its size; empty when it cannot be read.
    static std::vector<std::uint32_t> ReadBitmap(HBITMAP bitmap, int& width, int& height);
    Image cut(const std::vector<std::uint32_t>& pixels, int width, int height, int column) const;
    // Appends or replaces from a strip; `maskOf` decides the transparency of a pixel.
    template <class MaskOf> int takeStrip(HBITMAP image, int at, bool firstOnly, MaskOf maskOf);
    void dropCache() const;

    int m_cx { 0 };
    int m_cy { 0 };
    bool m_masked { false };
    COLORREF m_bk { CLR_NONE };
    std::vector<Image> m_images;
    int m_overlays[16] {};
    mutable HBITMAP m_imageStrip { nullptr };
    mutable HBITMAP m_maskStrip { nullptr };
};

} // namespace platform::comctl
