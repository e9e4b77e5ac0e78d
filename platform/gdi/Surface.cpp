#include "platform/gdi/Surface.h"

#include <algorithm>

#include <cairo.h>

namespace platform::gdi {

std::shared_ptr<Surface> Surface::create(int width, int height, bool monochrome)
{
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension
        || std::int64_t { width } * height > kMaxPixels)
        return nullptr;
    std::shared_ptr<Surface> s(new Surface(nullptr, width, height, width, monochrome));
    s->m_owned.assign(static_cast<std::size_t>(width) * height, 0u);
    s->m_firstRow = s->m_owned.data();
    return s;
}

std::shared_ptr<Surface> Surface::wrap(std::uint32_t* firstRow, int width, int height, std::ptrdiff_t stride)
{
    if (!firstRow || width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return nullptr;
    return std::shared_ptr<Surface>(new Surface(firstRow, width, height, stride, false));
}

std::uint32_t Surface::store(std::uint32_t value) const
{
    value &= 0xFFFFFFu;
    return m_monochrome ? monoFromPixel(value) : value;
}

bool Surface::writePng(const char* path) const
{
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return false;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < m_height; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t { y } * stride);
        const std::uint32_t* in = row(y);
        for (int x = 0; x < m_width; ++x)
            out[x] = in[x] & 0xFFFFFFu;
    }
    cairo_surface_mark_dirty(image);
    const bool ok = cairo_surface_write_to_png(image, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(image);
    return ok;
}

std::shared_ptr<Surface> Surface::copy(int x, int y, int width, int height) const
{
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, m_width), bottom = std::min(y + height, m_height);
    auto out = create(right - left, bottom - top, m_monochrome);
    if (!out)
        return nullptr;
    for (int row = top; row < bottom; ++row)
        std::copy(this->row(row) + left, this->row(row) + right, out->row(row - top));
    return out;
}

std::shared_ptr<Surface> Surface::readPng(const char* path)
{
    cairo_surface_t* image = cairo_image_surface_create_from_png(path);
    std::shared_ptr<Surface> out;
    const cairo_format_t format = cairo_image_surface_get_format(image);
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS
        && (format == CAIRO_FORMAT_RGB24 || format == CAIRO_FORMAT_ARGB32))
        out = create(cairo_image_surface_get_width(image), cairo_image_surface_get_height(image), false);
    if (out) {
        const unsigned char* data = cairo_image_surface_get_data(image);
        const int stride = cairo_image_surface_get_stride(image);
        for (int y = 0; y < out->height(); ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t { y } * stride);
            for (int x = 0; x < out->width(); ++x)
                out->row(y)[x] = in[x] & 0xFFFFFFu;
        }
    }
    cairo_surface_destroy(image);
    return out;
}

} // namespace platform::gdi
