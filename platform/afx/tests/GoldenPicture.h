#pragma once
// Compares a piece of the screen with a golden PNG, pixel for pixel. On a difference the actual
// picture is written next to the golden one (name.actual.png) to be looked at; a missing golden is
// written from the actual picture and the comparison fails, so a new golden is always looked at first.

#include <cairo.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/gdi/SurfaceDC.h"
#include "platform/user/WinUser.h"

namespace afx_test {

inline bool SameImage(const std::string& a, const std::string& b)
{
    cairo_surface_t* first = cairo_image_surface_create_from_png(a.c_str());
    cairo_surface_t* second = cairo_image_surface_create_from_png(b.c_str());
    bool same = cairo_surface_status(first) == CAIRO_STATUS_SUCCESS && cairo_surface_status(second) == CAIRO_STATUS_SUCCESS
        && cairo_image_surface_get_width(first) == cairo_image_surface_get_width(second)
        && cairo_image_surface_get_height(first) == cairo_image_surface_get_height(second);
    for (int y = 0; same && y < cairo_image_surface_get_height(first); ++y) {
        const auto* r1 = cairo_image_surface_get_data(first) + y * cairo_image_surface_get_stride(first);
        const auto* r2 = cairo_image_surface_get_data(second) + y * cairo_image_surface_get_stride(second);
        // Only the colour: the alpha byte of an opaque picture may be read back either way.
        for (int x = 0; same && x < cairo_image_surface_get_width(first); ++x)
            same = (std::memcmp(r1 + 4 * x, r2 + 4 * x, 3) == 0);
    }
    cairo_surface_destroy(first);
    cairo_surface_destroy(second);
    return same;
}

// The screen rectangle `area` matches golden/<name>.png; a message saying what happened otherwise.
inline std::string MatchGolden(const RECT& area, const std::string& name)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, old);
    const std::string golden = std::string(TS_AFX_GOLDEN_DIR) + "/" + name + ".png";
    const std::string actual = std::string(TS_AFX_GOLDEN_DIR) + "/" + name + ".actual.png";
    std::string result;
    if (!std::filesystem::exists(golden)) {
        platform::gdi::SaveBitmapPng(bitmap, golden.c_str());
        result = "no golden picture: written to " + golden + ", look at it";
    } else {
        const std::string temporary = (std::filesystem::temp_directory_path() / (name + ".png")).string();
        platform::gdi::SaveBitmapPng(bitmap, temporary.c_str());
        if (SameImage(golden, temporary)) {
            std::filesystem::remove(actual);
        } else {
            std::filesystem::copy_file(temporary, actual, std::filesystem::copy_options::overwrite_existing);
            result = "differs from " + golden + ": see " + actual;
        }
        std::filesystem::remove(temporary);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return result;
}

} // namespace afx_test
