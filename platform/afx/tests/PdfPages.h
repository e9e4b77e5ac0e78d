#pragma once
// Reads back what a print job wrote: the PDF file's pages, and a page rendered to pixels on white, so a
// test checks the page count and what a page shows.

#include <cairo.h>
#include <poppler.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/gdi/WinGdi.h"

namespace afx_test {

class PdfFile {
public:
    explicit PdfFile(const std::string& path)
    {
        std::error_code error;
        const std::string uri = "file://" + std::filesystem::absolute(path, error).string();
        m_document.reset(poppler_document_new_from_file(uri.c_str(), nullptr, nullptr));
    }
    bool IsOpen() const { return m_document != nullptr; }
    int PageCount() const { return m_document ? poppler_document_get_n_pages(m_document.get()) : 0; }

    // Renders page index (from 0) at `scale` pixels a point; false when there is no such page.
    bool Render(int index, double scale)
    {
        m_image.reset();
        if (!m_document || index < 0 || index >= PageCount())
            return false;
        PopplerPage* page = poppler_document_get_page(m_document.get(), index);
        double width = 0;
        double height = 0;
        poppler_page_get_size(page, &width, &height);
        m_image.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width * scale), static_cast<int>(height * scale)));
        cairo_t* cr = cairo_create(m_image.get());
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_scale(cr, scale, scale);
        poppler_page_render_for_printing(page, cr);
        cairo_destroy(cr);
        g_object_unref(page);
        cairo_surface_flush(m_image.get());
        return true;
    }
    int Width() const { return m_image ? cairo_image_surface_get_width(m_image.get()) : 0; }
    int Height() const { return m_image ? cairo_image_surface_get_height(m_image.get()) : 0; }
    // The colour at a point of the rendered page, at fractions of its width and height.
    COLORREF PixelAt(double fx, double fy) const
    {
        const int x = static_cast<int>(fx * Width());
        const int y = static_cast<int>(fy * Height());
        if (!m_image || x < 0 || y < 0 || x >= Width() || y >= Height())
            return CLR_INVALID;
        const auto* row = cairo_image_surface_get_data(m_image.get()) + y * cairo_image_surface_get_stride(m_image.get());
        const auto* px = row + 4 * x; // B, G, R, unused
        return RGB(px[2], px[1], px[0]);
    }

    // Compares the rendered page exactly with a golden PNG; empty when every pixel matches, else what
    // differs, with the rendered page written beside the golden one as <name>.actual.png.
    std::string CompareWithGolden(const std::string& goldenPath) const
    {
        if (!m_image)
            return "no page rendered";
        std::unique_ptr<cairo_surface_t, Unref> golden(cairo_image_surface_create_from_png(goldenPath.c_str()));
        const std::string actual = goldenPath.substr(0, goldenPath.rfind('.')) + ".actual.png";
        const auto differs = [&](const std::string& what) {
            cairo_surface_write_to_png(m_image.get(), actual.c_str());
            return what + "; the rendered page is in " + actual;
        };
        if (cairo_surface_status(golden.get()) != CAIRO_STATUS_SUCCESS)
            return differs("no golden picture " + goldenPath);
        const int width = cairo_image_surface_get_width(golden.get());
        const int height = cairo_image_surface_get_height(golden.get());
        if (width != Width() || height != Height())
            return differs("the size differs");
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (PixelOf(m_image.get(), x, y) != PixelOf(golden.get(), x, y))
                    return differs("pixel " + std::to_string(x) + "," + std::to_string(y) + " differs");
        std::filesystem::remove(actual);
        return {};
    }

private:
    static COLORREF PixelOf(cairo_surface_t* image, int x, int y)
    {
        cairo_surface_flush(image);
        const auto* px = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image) + 4 * x;
        return RGB(px[2], px[1], px[0]);
    }
    struct Unref {
        void operator()(PopplerDocument* d) const { g_object_unref(d); }
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    std::unique_ptr<PopplerDocument, Unref> m_document;
    std::unique_ptr<cairo_surface_t, Unref> m_image;
};

} // namespace afx_test
