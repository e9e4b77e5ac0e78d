// The rectangle the pointer is kept in.

#include <algorithm>
#include <optional>

#include "platform/user/Input.h"
#include "platform/user/Internal.h"
#include "platform/user/WindowManager.h"

namespace {

std::optional<RECT>& clipRect()
{
    static std::optional<RECT> rect;
    return rect;
}

RECT screenRect() { return RECT { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) }; }

} // namespace

namespace platform::user {

POINT ClipToCursorRect(POINT screen)
{
    auto lock = WindowManager::Acquire();
    if (const auto& clip = clipRect()) {
        screen.x = std::clamp<LONG>(screen.x, clip->left, std::max(clip->left, clip->right - 1));
        screen.y = std::clamp<LONG>(screen.y, clip->top, std::max(clip->top, clip->bottom - 1));
    }
    return screen;
}

} // namespace platform::user

BOOL ClipCursor(const RECT* rect)
{
    POINT now {};
    {
        auto lock = platform::user::WindowManager::Acquire();
        if (!rect) {
            clipRect().reset();
            return TRUE;
        }
        // The clip never reaches past the screen; a rectangle off it keeps the pointer at its edge.
        RECT clipped {};
        const RECT screen = screenRect();
        if (!IntersectRect(&clipped, rect, &screen))
            clipped = RECT { std::clamp<LONG>(rect->left, 0, screen.right - 1), std::clamp<LONG>(rect->top, 0, screen.bottom - 1), 0, 0 };
        if (IsRectEmpty(&clipped)) {
            clipped.right = clipped.left + 1;
            clipped.bottom = clipped.top + 1;
        }
        clipRect() = clipped;
        now = platform::user::WindowManager::Instance().cursorPos;
    }
    const POINT inside = platform::user::ClipToCursorRect(now);
    if (inside.x != now.x || inside.y != now.y)
        platform::user::InjectMouseMove(inside);
    return TRUE;
}

BOOL GetClipCursor(LPRECT rect)
{
    if (!rect)
        return FALSE;
    auto lock = platform::user::WindowManager::Acquire();
    *rect = clipRect() ? *clipRect() : screenRect();
    return TRUE;
}
