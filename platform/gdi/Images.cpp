// Loading bitmaps, icons and cursors from resources and files; drawing icons; pictures.

#include "platform/gdi/Images.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/base/Paths.h"
#include "platform/base/WinError.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PictureCodec.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SystemIcons.h"

using namespace platform::gdi;

namespace platform::gdi {
BOOL blit(DeviceContext& dst, RECT dr, bool mirrorX, bool mirrorY, DeviceContext* src, RECT sr, DWORD rop);
}

namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;
constexpr int kSystemIconSize = 32;

struct Bytes {
    const std::uint8_t* data { nullptr };
    std::size_t size { 0 };
};

Bytes resourceBytes(HINSTANCE module, LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResource(module, name, type);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    return { static_cast<const std::uint8_t*>(LockResource(loaded)), SizeofResource(module, found) };
}

bool readFile(LPCSTR path, std::vector<std::uint8_t>& out)
{
    if (!path)
        return false;
    std::ifstream in(platform::ToNativePath(path), std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileBytes)
        return false;
    out.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(out.data()), size));
}

WORD word(const std::uint8_t* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD dword(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }

std::uint32_t sysPixel(int index) { return pixelFromColor(GetSysColor(index)); }

// The greys of toolbar and button images become the 3-D colours of the colour table.
void recolour(DecodedImage& image, std::uint32_t from, std::uint32_t to)
{
    for (RGBQUAD& q : image.colorTable)
        if (((std::uint32_t { q.rgbRed } << 16) | (q.rgbGreen << 8) | q.rgbBlue) == from)
            q = RGBQUAD { static_cast<BYTE>(to), static_cast<BYTE>(to >> 8), static_cast<BYTE>(to >> 16), 0 };
    for (std::uint32_t& p : image.pixels)
        if (p == from)
            p = to;
}

void applyLoadFlags(DecodedImage& image, UINT flags)
{
    if (image.pixels.empty())
        return;
    const std::uint32_t first = image.pixels.front();
    if (flags & LR_LOADMAP3DCOLORS) {
        recolour(image, 0x808080, sysPixel(COLOR_3DSHADOW));
        recolour(image, 0xC0C0C0, sysPixel(COLOR_3DFACE));
        recolour(image, 0xDFDFDF, sysPixel(COLOR_3DLIGHT));
    }
    if (flags & LR_LOADTRANSPARENT) {
        const std::uint32_t to = sysPixel((flags & LR_LOADMAP3DCOLORS) ? COLOR_3DFACE : COLOR_WINDOW);
        if (!image.indices.empty() && image.indices.front() < image.colorTable.size()) {
            const std::uint8_t index = image.indices.front();
            image.colorTable[index] = RGBQUAD { static_cast<BYTE>(to), static_cast<BYTE>(to >> 8), static_cast<BYTE>(to >> 16), 0 };
            for (std::size_t i = 0; i < image.pixels.size(); ++i)
                if (image.indices[i] == index)
                    image.pixels[i] = to;
        } else {
            for (std::uint32_t& p : image.pixels)
                if (p == first)
                    p = to;
        }
    }
}

HBITMAP bitmapFromImage(DecodedImage& image, UINT flags)
{
    applyLoadFlags(image, flags);
    if (flags & LR_MONOCHROME) {
        auto s = Surface::create(image.width, image.height, true);
        if (!s)
            return nullptr;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                s->setPixel(x, y, image.pixels[static_cast<std::size_t>(y) * image.width + x]);
        return makeBitmap(std::move(s));
    }
    return makeBitmap(image, (flags & LR_CREATEDIBSECTION) != 0);
}

// ---- Icons and cursors -----------------------------------------------------------------------------

std::shared_ptr<Surface> scaled(const Surface& src, int w, int h)
{
    auto out = Surface::create(w, h, src.monochrome());
    if (!out)
        return nullptr;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out->setPixel(x, y, src.pixel(x * src.width() / w, y * src.height() / h));
    return out;
}

HICON addIcon(std::shared_ptr<Surface> color, std::shared_ptr<Surface> mask, bool isIcon, POINT hot, bool shared)
{
    if (!color || !mask)
        return nullptr;
    auto icon = std::make_shared<IconObject>();
    icon->color = std::move(color);
    icon->mask = std::move(mask);
    icon->isIcon = isIcon;
    icon->hotSpot = hot;
    icon->shared = shared;
    return addObject<HICON>(icon);
}

// One icon image: a DIB whose height counts the XOR image and the AND mask below it.
HICON iconFromImage(const std::uint8_t* data, std::size_t size, bool isIcon, POINT hot, int cx, int cy, bool shared)
{
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biHeight <= 0 || (h.biHeight & 1) || h.biWidth <= 0)
        return nullptr;
    const int width = h.biWidth, height = h.biHeight / 2;
    const std::size_t headerSize = dibHeaderSize(reinterpret_cast<const BITMAPINFO*>(data), size);
    if (!headerSize || headerSize > size)
        return nullptr;
    std::vector<std::uint8_t> header(data, data + headerSize);
    const LONG half = height;
    std::memcpy(header.data() + 8, &half, sizeof half);
    DecodedImage image;
    const std::size_t xorBytes = dibStride(width, h.biBitCount) * height;
    const std::size_t andBytes = dibStride(width, 1) * height;
    if (headerSize + xorBytes + andBytes > size)
        return nullptr;
    if (!decodeDib(reinterpret_cast<const BITMAPINFO*>(header.data()), header.size(), data + headerSize, xorBytes, image))
        return nullptr;
    auto color = Surface::create(width, height, false);
    auto mask = Surface::create(width, height, true);
    if (!color || !mask)
        return nullptr;
    const std::uint8_t* andBits = data + headerSize + xorBytes;
    const std::size_t andStride = dibStride(width, 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            color->setPixel(x, y, image.pixels[static_cast<std::size_t>(y) * width + x]);
            const std::uint8_t* row = andBits + andStride * static_cast<std::size_t>(height - 1 - y);
            mask->setPixel(x, y, (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0);
        }
    if (cx > 0 && cy > 0 && (cx != width || cy != height)) {
        hot = { hot.x * cx / width, hot.y * cy / height };
        color = scaled(*color, cx, cy);
        mask = scaled(*mask, cx, cy);
    }
    return addIcon(std::move(color), std::move(mask), isIcon, hot, shared);
}

struct DirEntry {
    int width;
    int height;
    int bits;
    std::size_t offsetOrId;
    std::size_t bytes;
    POINT hot;
};

// The entry nearest the wanted size, deepest colour first among equals.
const DirEntry* pick(const std::vector<DirEntry>& entries, int cx, int cy)
{
    const DirEntry* best = nullptr;
    long bestScore = 0;
    for (const DirEntry& e : entries) {
        const long score = (cx > 0 ? std::labs(e.width - cx) + std::labs(e.height - cy) : 0) * 1000 - e.bits;
        if (!best || score < bestScore) {
            best = &e;
            bestScore = score;
        }
    }
    return best;
}

int wantedSize(int requested, UINT flags) { return requested > 0 ? requested : (flags & LR_DEFAULTSIZE) ? kSystemIconSize : 0; }

HICON loadIconResource(HINSTANCE module, LPCSTR name, bool isIcon, int cx, int cy, UINT flags)
{
    const Bytes group = resourceBytes(module, name, isIcon ? RT_GROUP_ICON : RT_GROUP_CURSOR);
    if (!group.data || group.size < 6)
        return nullptr;
    const int count = word(group.data + 4);
    std::vector<DirEntry> entries;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* e = group.data + 6 + i * 14;
        if (static_cast<std::size_t>(6 + (i + 1) * 14) > group.size)
            break;
        DirEntry d {};
        if (isIcon) {
            d.width = e[0] ? e[0] : 256;
            d.height = e[1] ? e[1] : 256;
            d.bits = word(e + 6);
        } else {
            d.width = word(e);
            d.height = word(e + 2) / 2;
            d.bits = word(e + 6);
        }
        d.bytes = dword(e + 8);
        d.offsetOrId = word(e + 12);
        entries.push_back(d);
    }
    const DirEntry* chosen = pick(entries, wantedSize(cx, flags), wantedSize(cy, flags));
    if (!chosen)
        return nullptr;
    const Bytes image = resourceBytes(module, MAKEINTRESOURCE(chosen->offsetOrId), isIcon ? RT_ICON : RT_CURSOR);
    if (!image.data)
        return nullptr;
    POINT hot {};
    const std::uint8_t* dib = image.data;
    std::size_t size = image.size;
    if (!isIcon) {
        if (size < 4)
            return nullptr;
        hot = { word(dib), word(dib + 2) };
        dib += 4;
        size -= 4;
    }
    return iconFromImage(dib, size, isIcon, hot, wantedSize(cx, flags), wantedSize(cy, flags), (flags & LR_SHARED) != 0);
}

// A shared icon or cursor is made once per module, name and size and lives as long as the process, so
// that loading it again (a window class's cursor, a button's icon on each paint) costs nothing.
HICON iconFromResource(HINSTANCE module, LPCSTR name, bool isIcon, int cx, int cy, UINT flags)
{
    if (!(flags & LR_SHARED))
        return loadIconResource(module, name, isIcon, cx, cy, flags);
    using Key = std::tuple<HINSTANCE, std::string, bool, int, int>;
    static std::mutex mutex;
    static std::map<Key, HICON> loaded;
    const std::string nameKey
        = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : std::string(name);
    const Key key { module, nameKey, isIcon, wantedSize(cx, flags), wantedSize(cy, flags) };
    std::lock_guard lock(mutex);
    if (auto it = loaded.find(key); it != loaded.end())
        return it->second;
    HICON icon = loadIconResource(module, name, isIcon, cx, cy, flags);
    if (icon)
        loaded.emplace(key, icon);
    return icon;
}

HICON iconFromFile(const std::vector<std::uint8_t>& file, bool isIcon, int cx, int cy, UINT flags)
{
    if (file.size() < 6 || word(file.data()) != 0 || (word(file.data() + 2) != 1 && word(file.data() + 2) != 2))
        return nullptr;
    const bool cursorFile = word(file.data() + 2) == 2;
    const int count = word(file.data() + 4);
    std::vector<DirEntry> entries;
    for (int i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(6 + (i + 1) * 16) > file.size())
            break;
        const std::uint8_t* e = file.data() + 6 + i * 16;
        DirEntry d {};
        d.width = e[0] ? e[0] : 256;
        d.height = e[1] ? e[1] : 256;
        d.bits = cursorFile ? 0 : word(e + 6);
        d.hot = cursorFile ? POINT { word(e + 4), word(e + 6) } : POINT {};
        d.bytes = dword(e + 8);
        d.offsetOrId = dword(e + 12);
        if (d.offsetOrId < file.size() && d.bytes <= file.size() - d.offsetOrId)
            entries.push_back(d);
    }
    const DirEntry* chosen = pick(entries, wantedSize(cx, flags), wantedSize(cy, flags));
    if (!chosen)
        return nullptr;
    return iconFromImage(file.data() + chosen->offsetOrId, chosen->bytes, isIcon && !cursorFile, chosen->hot,
        wantedSize(cx, flags), wantedSize(cy, flags), (flags & LR_SHARED) != 0);
}

// ---- What the platform draws itself -------------------------------------------------------------

// A glyph given as rows of text ('#' = ink) in a monochrome bitmap: ink is 0 (drawn in the text
// colour when copied onto colour), the rest 1.
HBITMAP glyphBitmap(const std::vector<const char*>& rows)
{
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(std::strlen(rows[0]));
    auto s = Surface::create(w, h, true);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s->setPixel(x, y, rows[static_cast<std::size_t>(y)][x] == '#' ? 0 : 0xFFFFFF);
    return makeBitmap(std::move(s));
}

HBITMAP systemBitmap(int id)
{
    switch (id) {
    case OBM_CHECK:
        return glyphBitmap({ ".............", ".............", ".............", ".........#...", "........##...",
            "...#...###...", "...##.###....", "...#####.....", "....###......", ".....#.......", ".............",
            ".............", "............." });
    case OBM_MNARROW:
        return glyphBitmap({ ".............", ".............", ".............", ".....#.......", ".....##......",
            ".....###.....", ".....####....", ".....###.....", ".....##......", ".....#.......", ".............",
            ".............", "............." });
    default:
        return nullptr;
    }
}

// System icons and cursors: drawn once, shared for the life of the process.
HICON systemIcon(UINT_PTR id, bool isIcon)
{
    static std::mutex mutex;
    static std::map<std::pair<UINT_PTR, bool>, HICON> made;
    std::lock_guard lock(mutex);
    if (auto it = made.find({ id, isIcon }); it != made.end())
        return it->second;
    const int size = kSystemIconSize;
    auto color = Surface::create(size, size, false);
    auto mask = Surface::create(size, size, true);
    POINT hot {};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            mask->setPixel(x, y, 0xFFFFFF);
    auto paint = [&](int x, int y, std::uint32_t p) {
        if (x >= 0 && y >= 0 && x < size && y < size) {
            color->setPixel(x, y, p);
            mask->setPixel(x, y, 0);
        }
    };
    if (isIcon) {
        PaintSystemIcon(id, paint);
    } else {
        // The arrow: black outline, white inside, hot spot at its tip; other shapes reuse it.
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x <= y && x < 12; ++x)
                paint(x, y, x == 0 || x == y || y == 16 ? 0x000000 : 0xFFFFFF);
    }
    HICON icon = addIcon(std::move(color), std::move(mask), isIcon, hot, true);
    made[{ id, isIcon }] = icon;
    return icon;
}

} // namespace

HANDLE LoadImage(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (fuLoad & LR_LOADFROMFILE) {
        std::vector<std::uint8_t> file;
        if (!readFile(name, file)) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        if (type == IMAGE_BITMAP) {
            DecodedImage image;
            if (!decodeBmpFile(file.data(), file.size(), image)) {
                SetLastError(ERROR_INVALID_DATA);
                return nullptr;
            }
            return bitmapFromImage(image, fuLoad);
        }
        if (type == IMAGE_ICON || type == IMAGE_CURSOR)
            return iconFromFile(file, type == IMAGE_ICON, cx, cy, fuLoad);
        return nullptr;
    }
    if (!hInst && IS_INTRESOURCE(name)) {
        const auto id = reinterpret_cast<UINT_PTR>(name);
        if (type == IMAGE_BITMAP)
            return systemBitmap(static_cast<int>(id));
        if (type == IMAGE_ICON || type == IMAGE_CURSOR)
            return systemIcon(id, type == IMAGE_ICON);
    }
    switch (type) {
    case IMAGE_BITMAP: {
        const Bytes data = resourceBytes(hInst, name, RT_BITMAP);
        if (!data.data)
            return nullptr;
        const std::size_t header = dibHeaderSize(reinterpret_cast<const BITMAPINFO*>(data.data), data.size);
        if (!header || header > data.size) {
            SetLastError(ERROR_INVALID_DATA);
            return nullptr;
        }
        DecodedImage image;
        if (!decodeDib(reinterpret_cast<const BITMAPINFO*>(data.data), header, data.data + header, data.size - header, image)) {
            SetLastError(ERROR_INVALID_DATA);
            return nullptr;
        }
        return bitmapFromImage(image, fuLoad);
    }
    case IMAGE_ICON:
    case IMAGE_CURSOR:
        return iconFromResource(hInst, name, type == IMAGE_ICON, cx, cy, fuLoad);
    default:
        return nullptr;
    }
}

HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName)
{
    return static_cast<HBITMAP>(LoadImage(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0));
}

HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName)
{
    return static_cast<HICON>(LoadImage(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    return static_cast<HCURSOR>(LoadImage(hInstance, lpCursorName, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HICON CreateIconIndirect(PICONINFO info)
{
    if (!info)
        return nullptr;
    auto maskBmp = lookup<BitmapObject>(info->hbmMask);
    if (!maskBmp || !maskBmp->surface)
        return nullptr;
    const Surface& m = *maskBmp->surface;
    auto copyOf = [](const Surface& s, int top, int h, bool mono) {
        auto out = Surface::create(s.width(), h, mono);
        if (out)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < s.width(); ++x)
                    out->setPixel(x, y, s.pixel(x, top + y));
        return out;
    };
    std::shared_ptr<Surface> color, mask;
    if (auto colorBmp = lookup<BitmapObject>(info->hbmColor); colorBmp && colorBmp->surface) {
        color = copyOf(*colorBmp->surface, 0, colorBmp->surface->height(), false);
        mask = copyOf(m, 0, std::min(m.height(), colorBmp->surface->height()), true);
    } else {
        if (m.height() < 2)
            return nullptr;
        mask = copyOf(m, 0, m.height() / 2, true);
        color = copyOf(m, m.height() / 2, m.height() / 2, false);
    }
    return addIcon(std::move(color), std::move(mask), info->fIcon != FALSE,
        POINT { static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot) }, false);
}

BOOL GetIconInfo(HICON hIcon, PICONINFO info)
{
    auto icon = lookup<IconObject>(hIcon);
    if (!icon || !info)
        return FALSE;
    auto copy = [](const Surface& s) {
        auto out = Surface::create(s.width(), s.height(), s.monochrome());
        for (int y = 0; y < s.height(); ++y)
            std::copy_n(s.row(y), s.width(), out->row(y));
        return makeBitmap(out);
    };
    info->fIcon = icon->isIcon ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(icon->hotSpot.x);
    info->yHotspot = static_cast<DWORD>(icon->hotSpot.y);
    info->hbmMask = copy(*icon->mask);
    info->hbmColor = copy(*icon->color);
    return TRUE;
}

HICON CopyIcon(HICON hIcon)
{
    auto icon = lookup<IconObject>(hIcon);
    if (!icon)
        return nullptr;
    return addIcon(icon->color, icon->mask, icon->isIcon, icon->hotSpot, false);
}

BOOL DestroyIcon(HICON hIcon)
{
    auto icon = lookup<IconObject>(hIcon);
    if (!icon)
        return FALSE;
    if (icon->shared)
        return TRUE;
    return HandleTable::instance().remove(hIcon) ? TRUE : FALSE;
}

BOOL DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
    HBRUSH hbrFlickerFreeDraw, UINT diFlags)
{
    auto dc = lookupDC(hdc);
    auto icon = lookup<IconObject>(hIcon);
    if (!dc || !icon)
        return FALSE;
    int w = cxWidth, h = cyWidth;
    if (w == 0)
        w = (diFlags & DI_DEFAULTSIZE) ? kSystemIconSize : icon->color->width();
    if (h == 0)
        h = (diFlags & DI_DEFAULTSIZE) ? kSystemIconSize : icon->color->height();
    if (w < 0 || h < 0)
        return FALSE;
    const UINT parts = (diFlags & DI_NORMAL) ? (diFlags & DI_NORMAL) : DI_NORMAL;
    const POINT p0 = dc->toSurface(xLeft, yTop);
    const RECT dr { p0.x, p0.y, p0.x + dc->scaleX(w), p0.y + dc->scaleY(h) };
    // The mask goes on as black and white whatever the DC's colours are.
    const COLORREF text = std::exchange(dc->state.textColor, RGB(0, 0, 0));
    const COLORREF back = std::exchange(dc->state.bkColor, RGB(255, 255, 255));
    if (hbrFlickerFreeDraw)
        fillRect(*dc, dr, Pattern(*dc, hbrFlickerFreeDraw), 0xF0);
    DeviceContext maskDC, colorDC;
    maskDC.surface = icon->mask;
    colorDC.surface = icon->color;
    const RECT sr { 0, 0, icon->color->width(), icon->color->height() };
    if (parts & DI_MASK)
        blit(*dc, dr, false, false, &maskDC, sr, SRCAND);
    if (parts & DI_IMAGE)
        blit(*dc, dr, false, false, &colorDC, sr, (parts & DI_MASK) ? SRCINVERT : SRCCOPY);
    dc->state.textColor = text;
    dc->state.bkColor = back;
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) { return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL); }

namespace platform::gdi {

HBITMAP DecodePicture(const void* data, std::size_t bytes, SIZE* size)
{
    DecodedImage image;
    if (!decodePicture(static_cast<const std::uint8_t*>(data), bytes, image))
        return nullptr;
    if (size)
        *size = SIZE { image.width, image.height };
    image.bitsPerPixel = 32;
    image.colorTable.clear();
    image.indices.clear();
    return makeBitmap(image, true);
}

HBITMAP LoadPictureFile(LPCSTR path, SIZE* size)
{
    std::vector<std::uint8_t> file;
    if (!readFile(path, file))
        return nullptr;
    return DecodePicture(file.data(), file.size(), size);
}

} // namespace platform::gdi
