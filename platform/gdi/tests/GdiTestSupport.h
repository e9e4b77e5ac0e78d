#pragma once
// A memory DC over a colour (or monochrome) bitmap of a given size, freed at the end of a test.

#include <cstdint>
#include <vector>

#include "platform/gdi/WinGdi.h"

class Canvas {
public:
    Canvas(int w, int h, bool mono = false)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateBitmap(w, h, 1, 32, nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void fill(COLORREF c)
    {
        HBRUSH b = CreateSolidBrush(c);
        RECT r { 0, 0, 10000, 10000 };
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // One character per pixel of a row: '#' for the given colour, '.' for anything else.
    std::string row(int y, int w, COLORREF ink) const
    {
        std::string s;
        for (int x = 0; x < w; ++x)
            s += at(x, y) == ink ? '#' : '.';
        return s;
    }

    HDC dc { nullptr };
    HBITMAP bitmap { nullptr };
    HGDIOBJ old { nullptr };
};
