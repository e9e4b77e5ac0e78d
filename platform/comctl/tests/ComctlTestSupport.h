#pragma once
// Small fixtures for control tests: bitmaps from pixel rows, a memory DC to draw into, and a parent
// window that writes down the notifications its children send.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace comctltest {

// A 32-bit bitmap of w by h colours given row by row (COLORREF values).
inline HBITMAP MakeBitmap(int w, int h, const std::vector<COLORREF>& colours)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(dc, x, y, colours[static_cast<std::size_t>(y) * w + x]);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// A memory DC over a w by h bitmap filled with one colour.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill)
        : m_w(w)
        , m_h(h)
    {
        m_bitmap = MakeBitmap(w, h, std::vector<COLORREF>(static_cast<std::size_t>(w) * h, fill));
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    std::vector<COLORREF> pixels() const
    {
        std::vector<COLORREF> out;
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                out.push_back(GetPixel(m_dc, x, y));
        return out;
    }

private:
    int m_w;
    int m_h;
    HBITMAP m_bitmap { nullptr };
    HDC m_dc { nullptr };
    HGDIOBJ m_old { nullptr };
};

// One notification as the parent saw it.
struct Notice {
    UINT_PTR id { 0 };
    UINT code { 0 };
};

// The notifications and commands a test parent received, and an optional answer to each.
struct ParentLog {
    std::vector<Notice> notices;
    std::vector<std::pair<WORD, WORD>> commands; // (id, code)
    std::function<LRESULT(NMHDR*)> answer;
    std::function<void(UINT, WPARAM, LPARAM)> other;
};

inline ParentLog& parentLog()
{
    static ParentLog log;
    return log;
}

inline LRESULT ParentProc(HWND hwnd, UINT m, WPARAM w, LPARAM l)
{
    if (parentLog().other)
        parentLog().other(m, w, l);
    if (m == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(l);
        parentLog().notices.push_back({ header->idFrom, header->code });
        return parentLog().answer ? parentLog().answer(header) : 0;
    }
    if (m == WM_COMMAND)
        parentLog().commands.emplace_back(LOWORD(w), HIWORD(w));
    return DefWindowProc(hwnd, m, w, l);
}

// A visible top-level parent window at 0,0 of the given client size, its log cleared.
inline HWND MakeParent(int w = 400, int h = 300)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc;
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "ComctlTestParent";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        RegisterClass(&wc);
        registered = true;
    }
    parentLog() = ParentLog {};
    InitCommonControls();
    return CreateWindowEx(0, "ComctlTestParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr,
        nullptr, nullptr);
}

// The codes of the notifications received, in order.
inline std::vector<UINT> codes()
{
    std::vector<UINT> out;
    for (const auto& n : parentLog().notices)
        out.push_back(n.code);
    return out;
}

} // namespace comctltest
