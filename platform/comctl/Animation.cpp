#include "platform/comctl/Animation.h"

#include <algorithm>

#include "platform/base/Resources.h"
#include "platform/comctl/PixelBlit.h"

namespace platform::comctl {

namespace {

// The resource type clips are kept under.
constexpr const char* kClipType = "AVI";

} // namespace

void Animation::tell(WORD code) const
{
    SendMessage(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID(m_hwnd)), code),
        reinterpret_cast<LPARAM>(m_hwnd));
}

bool Animation::open(HINSTANCE module, LPCSTR name)
{
    if (!name) {
        // No clip: the control is emptied.
        stop();
        close();
        return true;
    }
    // A clip that cannot be found or read leaves the one there is, playing or not.
    HRSRC found = FindResource(module, name, kClipType);
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    auto clip = ParseClip(LockResource(loaded), SizeofResource(module, found));
    if (!clip)
        return false;
    stop();
    m_clip = std::move(clip);
    m_frame = 0;
    if (!(style() & ACS_CENTER))
        SetWindowPos(m_hwnd, nullptr, 0, 0, m_clip->width, m_clip->height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    if (style() & ACS_AUTOPLAY)
        play(-1, 0, -1);
    return true;
}

void Animation::close()
{
    m_clip.reset();
    m_frame = 0;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

bool Animation::play(int repeat, int from, int to)
{
    if (!m_clip)
        return false;
    const int last = static_cast<int>(m_clip->frames.size()) - 1;
    if (to < 0 || to > last)
        to = last;
    if (from < 0 || from > to)
        return false;
    stop();
    if (repeat == 0)
        return true;
    m_from = from;
    m_to = to;
    m_repeat = repeat;
    m_frame = from;
    m_playing = true;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    tell(ACN_START);
    SetTimer(m_hwnd, kFrameTimer, static_cast<UINT>(m_clip->frameMs), nullptr);
    return true;
}

void Animation::stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    KillTimer(m_hwnd, kFrameTimer);
    tell(ACN_STOP);
}

void Animation::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client {};
    GetClientRect(m_hwnd, &client);
    // The background is what the parent gives statics, as the control stands in a dialog like one.
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessage(GetParent(m_hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hwnd)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    if (m_clip) {
        std::vector<std::uint32_t> pixels = m_clip->frames[static_cast<std::size_t>(m_frame)];
        const int x = (style() & ACS_CENTER) ? (client.right - m_clip->width) / 2 : 0;
        const int y = (style() & ACS_CENTER) ? (client.bottom - m_clip->height) / 2 : 0;
        if (style() & ACS_TRANSPARENT) {
            // The colour of the first pixel is the clip's background: let the window's show through.
            const std::uint32_t key = pixels.front();
            std::vector<std::uint32_t> mask(pixels.size());
            for (std::size_t k = 0; k < pixels.size(); ++k) {
                mask[k] = pixels[k] == key ? 0x00FFFFFF : 0;
                if (pixels[k] == key)
                    pixels[k] = 0;
            }
            BlitPixels(dc, x, y, m_clip->width, m_clip->height, mask.data(), SRCAND);
            BlitPixels(dc, x, y, m_clip->width, m_clip->height, pixels.data(), SRCPAINT);
        } else {
            BlitPixels(dc, x, y, m_clip->width, m_clip->height, pixels.data(), SRCCOPY);
        }
    }
    EndPaint(m_hwnd, &ps);
}

LRESULT Animation::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kFrameTimer && m_playing && m_clip) {
            if (m_frame < m_to) {
                ++m_frame;
            } else if (m_repeat != 1) {
                if (m_repeat > 0)
                    --m_repeat;
                m_frame = m_from;
            } else {
                stop();
            }
            InvalidateRect(m_hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_DESTROY:
        stop();
        return 0;
    case ACM_OPEN:
        return open(reinterpret_cast<HINSTANCE>(wParam), reinterpret_cast<LPCSTR>(lParam));
    case ACM_PLAY:
        return play(static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<short>(LOWORD(lParam)),
            static_cast<short>(HIWORD(lParam)));
    case ACM_STOP:
        stop();
        return TRUE;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
