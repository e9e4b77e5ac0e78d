#include "platform/gdi/PrintJob.h"

#include <utility>

#include <cairo-pdf.h>

namespace platform::gdi {

PrintJob::PrintJob(SIZE pageDots, int dpi, std::string path)
    : m_page(pageDots)
    , m_dpi(dpi)
    , m_path(std::move(path))
{
}

PrintJob::~PrintJob()
{
    abort();
    if (m_preview)
        cairo_surface_destroy(m_preview);
}

bool PrintJob::startPreviewPage(SIZE pixels)
{
    if (m_cr || m_inPage || pixels.cx <= 0 || pixels.cy <= 0)
        return false;
    if (m_preview)
        cairo_surface_destroy(m_preview);
    m_preview = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels.cx, pixels.cy);
    m_cr = cairo_create(m_preview);
    cairo_set_source_rgb(m_cr, 1, 1, 1);
    cairo_paint(m_cr);
    cairo_scale(m_cr, static_cast<double>(pixels.cx) / m_page.cx, static_cast<double>(pixels.cy) / m_page.cy);
    m_inPage = true;
    return true;
}

cairo_surface_t* PrintJob::takePreview()
{
    if (m_inPage && !m_surface)
        return nullptr;
    return std::exchange(m_preview, nullptr);
}

bool PrintJob::startDoc(const std::string& file)
{
    if (m_surface || file.empty())
        return false;
    const double w = m_page.cx * 72.0 / m_dpi, h = m_page.cy * 72.0 / m_dpi;
    m_file = file;
    m_surface = cairo_pdf_surface_create(m_file.c_str(), w, h);
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
        return false;
    }
    m_cr = cairo_create(m_surface);
    cairo_scale(m_cr, 72.0 / m_dpi, 72.0 / m_dpi);
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_DEFAULT);
    return true;
}

bool PrintJob::startPage()
{
    if (!m_cr || m_inPage)
        return false;
    m_inPage = true;
    return true;
}

bool PrintJob::endPage()
{
    if (!m_cr || !m_inPage)
        return false;
    if (!m_surface) {
        // A preview page: its picture is kept, nothing is written.
        cairo_destroy(m_cr);
        m_cr = nullptr;
        m_inPage = false;
        cairo_surface_flush(m_preview);
        return true;
    }
    cairo_show_page(m_cr);
    m_inPage = false;
    return true;
}

bool PrintJob::endDoc()
{
    if (!m_surface)
        return false;
    if (m_inPage)
        endPage();
    cairo_destroy(m_cr);
    m_cr = nullptr;
    cairo_surface_finish(m_surface);
    const bool ok = cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(m_surface);
    m_surface = nullptr;
    return ok;
}

void PrintJob::abort()
{
    if (m_cr)
        cairo_destroy(m_cr);
    m_cr = nullptr;
    if (m_surface) {
        cairo_surface_finish(m_surface);
        cairo_surface_destroy(m_surface);
    }
    m_surface = nullptr;
    m_inPage = false;
}

void PrintJob::beginClip(const std::vector<RECT>& rects)
{
    if (!m_inPage)
        return;
    cairo_save(m_cr);
    cairo_new_path(m_cr);
    for (const RECT& r : rects)
        cairo_rectangle(m_cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(m_cr);
}

void PrintJob::endClip()
{
    if (m_inPage)
        cairo_restore(m_cr);
}

void PrintJob::setColor(std::uint32_t pixel)
{
    if (m_inPage)
        cairo_set_source_rgb(m_cr, ((pixel >> 16) & 0xFF) / 255.0, ((pixel >> 8) & 0xFF) / 255.0, (pixel & 0xFF) / 255.0);
}

void PrintJob::fillRect(const RECT& r, std::uint32_t pixel)
{
    if (!m_inPage)
        return;
    setColor(pixel);
    cairo_rectangle(m_cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(m_cr);
}

} // namespace platform::gdi
