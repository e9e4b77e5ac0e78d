// The one table of system colours: the classic grey 3-D look.

#include <array>
#include <mutex>

#include "platform/gdi/GdiObject.h"

using namespace platform::gdi;

namespace {

constexpr int kColorCount = 31;

struct SysColorTable {
    std::mutex mutex;
    std::array<COLORREF, kColorCount> colors {
        RGB(192, 192, 192), // scroll bar
        RGB(0, 128, 128), // desktop
        RGB(0, 0, 128), // active caption
        RGB(128, 128, 128), // inactive caption
        RGB(192, 192, 192), // menu
        RGB(255, 255, 255), // window
        RGB(0, 0, 0), // window frame
        RGB(0, 0, 0), // menu text
        RGB(0, 0, 0), // window text
        RGB(255, 255, 255), // caption text
        RGB(192, 192, 192), // active border
        RGB(192, 192, 192), // inactive border
        RGB(128, 128, 128), // application workspace
        RGB(0, 0, 128), // highlight
        RGB(255, 255, 255), // highlight text
        RGB(192, 192, 192), // button face
        RGB(128, 128, 128), // button shadow
        RGB(128, 128, 128), // grey text
        RGB(0, 0, 0), // button text
        RGB(192, 192, 192), // inactive caption text
        RGB(255, 255, 255), // button highlight
        RGB(0, 0, 0), // 3-D dark shadow
        RGB(223, 223, 223), // 3-D light
        RGB(0, 0, 0), // tooltip text
        RGB(255, 255, 225), // tooltip background
        RGB(180, 180, 180), // (unused)
        RGB(0, 0, 255), // hot-tracked item
        RGB(16, 132, 208), // gradient of the active caption
        RGB(192, 192, 192), // gradient of the inactive caption
        RGB(0, 0, 128), // menu highlight
        RGB(192, 192, 192), // menu bar
    };
    std::array<std::shared_ptr<BrushObject>, kColorCount> brushes {};
    std::array<HBRUSH, kColorCount> handles {};

    SysColorTable()
    {
        for (int i = 0; i < kColorCount; ++i) {
            auto b = std::make_shared<BrushObject>();
            b->stock = true;
            b->log = LOGBRUSH { BS_SOLID, colors[static_cast<std::size_t>(i)], 0 };
            brushes[static_cast<std::size_t>(i)] = b;
            handles[static_cast<std::size_t>(i)] = addObject<HBRUSH>(b);
        }
    }
};

SysColorTable& table()
{
    static SysColorTable t;
    return t;
}

bool valid(int i) { return i >= 0 && i < kColorCount; }

} // namespace

DWORD GetSysColor(int nIndex)
{
    if (!valid(nIndex))
        return 0;
    std::lock_guard lock(table().mutex);
    return table().colors[static_cast<std::size_t>(nIndex)];
}

HBRUSH GetSysColorBrush(int nIndex)
{
    if (!valid(nIndex))
        return nullptr;
    return table().handles[static_cast<std::size_t>(nIndex)];
}

BOOL SetSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues)
{
    if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues)))
        return FALSE;
    for (int i = 0; i < cElements; ++i)
        if (!valid(lpaElements[i]))
            return FALSE;
    SysColorTable& t = table();
    std::lock_guard lock(t.mutex);
    for (int i = 0; i < cElements; ++i) {
        const auto k = static_cast<std::size_t>(lpaElements[i]);
        t.colors[k] = lpaRgbValues[i] & 0xFFFFFF;
        t.brushes[k]->log.lbColor = t.colors[k];
    }
    return TRUE;
}
