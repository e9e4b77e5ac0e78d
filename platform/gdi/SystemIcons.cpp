#include "platform/gdi/SystemIcons.h"

#include <array>
#include <string_view>

namespace platform::gdi {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNavy = 0x000080;
constexpr std::uint32_t kTeal = 0x008080;
constexpr std::uint32_t kRed = 0xE00000;
constexpr std::uint32_t kYellow = 0xFFE000;
constexpr std::uint32_t kBlue = 0x0050C8;
constexpr std::uint32_t kGrey = 0xC0C0C0;

constexpr std::uintptr_t kHand = 32513;
constexpr std::uintptr_t kQuestion = 32514;
constexpr std::uintptr_t kExclamation = 32515;
constexpr std::uintptr_t kAsterisk = 32516;
constexpr std::uintptr_t kLogo = 32517;

// The signs' marks, 5 by 9 cells, each cell drawn 2 by 2 pixels.
using Mark = std::array<std::string_view, 9>;
constexpr Mark kCross { "     ", "#   #", "## ##", " ### ", "  #  ", " ### ", "## ##", "#   #", "     " };
constexpr Mark kQuestionMark { " ### ", "## ##", "   ##", "  ## ", "  #  ", "  #  ", "     ", "  #  ", "  #  " };
constexpr Mark kBang { "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  ", "  #  " };
constexpr Mark kInfo { "  #  ", "     ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### " };

void paintMark(const Mark& mark, int left, int top, std::uint32_t colour,
    const std::function<void(int, int, std::uint32_t)>& paint)
{
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 5; ++col)
            if (mark[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#')
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        paint(left + col * 2 + dx, top + row * 2 + dy, colour);
}

// A disc with a one-pixel dark rim, centred in the icon.
void paintDisc(std::uint32_t fill, const std::function<void(int, int, std::uint32_t)>& paint)
{
    constexpr int kCentre2 = 31; // twice the centre, so pixel centres are exact
    constexpr int kOuter2 = 29 * 29, kInner2 = 27 * 27;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int dx = 2 * x - kCentre2, dy = 2 * y - kCentre2;
            const int d = dx * dx + dy * dy;
            if (d <= kOuter2)
                paint(x, y, d <= kInner2 ? fill : kBlack);
        }
}

// A warning triangle, point up, with a dark rim.
void paintTriangle(const std::function<void(int, int, std::uint32_t)>& paint)
{
    for (int y = 2; y < 30; ++y) {
        const int half = (y - 2) / 2 + 1;
        for (int x = 16 - half; x < 16 + half; ++x) {
            const bool rim = y == 29 || x == 16 - half || x == 16 + half - 1;
            paint(x, y, rim ? kBlack : kYellow);
        }
    }
}

// A window: frame, navy caption with a close box, a teal client area with a grey pane. Drawn in cells of
// 2 by 2 pixels, so that the half-size picture in a caption keeps every line.
void paintApplication(bool logo, const std::function<void(int, int, std::uint32_t)>& paint)
{
    for (int cy = 2; cy < 14; ++cy)
        for (int cx = 1; cx < 15; ++cx) {
            std::uint32_t p = kTeal;
            if (cx == 1 || cx == 14 || cy == 2 || cy == 13)
                p = kBlack;
            else if (cy < 6)
                p = cx == 12 && cy == 4 ? kWhite : kNavy;
            else if (logo)
                p = cx < 8 ? (cy < 10 ? 0xFF0000 : 0x0000FF) : (cy < 10 ? 0x00C000 : 0xFFFF00);
            else if (cy >= 7 && cy < 12 && cx >= 3 && cx < 13)
                p = cy == 7 || cx == 3 ? kWhite : kGrey;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    paint(cx * 2 + dx, cy * 2 + dy, p);
        }
}

} // namespace

void PaintSystemIcon(std::uintptr_t id, const std::function<void(int x, int y, std::uint32_t pixel)>& paint)
{
    struct DiscSign {
        std::uintptr_t id;
        std::uint32_t fill;
        const Mark& mark;
        std::uint32_t ink;
    };
    static const DiscSign kDiscs[] = {
        { kHand, kRed, kCross, kWhite },
        { kQuestion, kWhite, kQuestionMark, kBlue },
        { kAsterisk, kWhite, kInfo, kBlue },
    };
    for (const DiscSign& sign : kDiscs)
        if (sign.id == id) {
            paintDisc(sign.fill, paint);
            paintMark(sign.mark, 11, 7, sign.ink, paint);
            return;
        }
    if (id == kExclamation) {
        paintTriangle(paint);
        paintMark(kBang, 11, 10, kBlack, paint);
        return;
    }
    paintApplication(id == kLogo, paint);
}

} // namespace platform::gdi
