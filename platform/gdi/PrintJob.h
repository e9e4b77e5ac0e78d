#pragma once
// The PDF behind a printer DC: one Cairo PDF surface whose pages are sized from the chosen paper
// and resolution. Drawing reaches it in device units (printer dots) and is scaled to points.

#include <cstdint>
#include <string>
#include <vector>

#include <cairo.h>

#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

class PrintJob {
public:
    // A printer of the given page size in dots at `dpi` dots per inch; `path` is where documents go
    // unless they name their own output.
    PrintJob(SIZE pageDots, int dpi, std::string path);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    SIZE pageSize() const { return m_page; }
    int dpi() const { return m_dpi; }
    const std::string& outputPath() const { return m_path; }
    // The file of the open document, empty when none is open.
    std::string currentFile() const { return m_surface ? m_file : std::string(); }
    void setOutputPath(std::string path) { m_path = std::move(path); }

    // Opens a document writing to `file` (a native path).
    bool startDoc(const std::string& file);
    bool startPage();
    // A page drawn into a picture of `pixels` (the whole page scaled) instead of a document: the
    // print preview's. The picture stays after endPage until takePreview.
    bool startPreviewPage(SIZE pixels);
    // The last preview page's picture (owned by the caller), or null.
    cairo_surface_t* takePreview();
    bool endPage();
    bool endDoc();
    void abort();

    // Drawing in dots; ignored outside a page.
    void fillRect(const RECT& r, std::uint32_t pixel);
    cairo_t* context() { return m_inPage ? m_cr : nullptr; }
    // Limits the following drawing to the rectangles (dots) until endClip().
    void beginClip(const std::vector<RECT>& rects);
    void endClip();
    void setColor(std::uint32_t pixel);

private:
    SIZE m_page {};
    int m_dpi { 300 };
    std::string m_path;
    std::string m_file;
    cairo_surface_t* m_surface { nullptr };
    cairo_t* m_cr { nullptr };
    bool m_inPage { false };
    cairo_surface_t* m_preview { nullptr };
};

} // namespace platform::gdi
