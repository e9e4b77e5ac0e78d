#pragma once
// The PDF behind a printer DC: one Cairo PDF surface whose pages are sized from the chosen paper
// and resolution. Drawing reaches it in device units (printer dots) and is scaled to points.

#include <cstdint>
#include <string>

#include <cairo.h>

#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

class PrintJob {
public:
    // A printer of the given page size in dots at `dpi` dots per inch, writing to `path` when a
    // document is started without an output name.
    PrintJob(SIZE pageDots, int dpi, std::string path);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    SIZE pageSize() const { return m_page; }
    int dpi() const { return m_dpi; }
    const std::string& outputPath() const { return m_path; }
    void setOutputPath(std::string path) { m_path = std::move(path); }

    bool startDoc(const std::string& output);
    bool startPage();
    bool endPage();
    bool endDoc();
    void abort();
    bool inPage() const { return m_inPage; }
    int pagesPrinted() const { return m_pages; }

    // Drawing in dots; ignored outside a page.
    void fillRect(const RECT& r, std::uint32_t pixel);
    cairo_t* context() { return m_inPage ? m_cr : nullptr; }

private:
    SIZE m_page {};
    int m_dpi { 300 };
    std::string m_path;
    cairo_surface_t* m_surface { nullptr };
    cairo_t* m_cr { nullptr };
    bool m_inPage { false };
    int m_pages { 0 };
};

} // namespace platform::gdi
