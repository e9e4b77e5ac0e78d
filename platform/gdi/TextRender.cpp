#include "platform/gdi/TextRender.h"

#include <algorithm>
#include <cmath>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/Raster.h"

namespace platform::gdi {

namespace {

struct Axes {
    double ux { 1 }, uy { 0 }; // along the baseline
    double vx { 0 }, vy { 1 }; // down from it
};

Axes axesOf(const FontFace& face)
{
    const double a = face.escapement() * M_PI / 1800.0;
    const double c = std::cos(a), s = std::sin(a);
    auto snap = [](double v) { return std::fabs(v) < 1e-9 ? 0.0 : v; };
    return { snap(c), snap(-s), snap(s), snap(c) };
}

Region clipFor(DeviceContext& dc, const RECT* clip)
{
    const Region& base = dc.clipRegion();
    return clip ? base.intersected(*clip) : base;
}

void plotBits(DeviceContext& dc, const Region& clip, int left, int top, int w, int h, const std::vector<std::uint8_t>& bits,
    std::uint32_t pixel)
{
    for (const RECT& c : clip.rects()) {
        const int l = std::max<int>(c.left, left), r = std::min<int>(c.right, left + w);
        const int t = std::max<int>(c.top, top), b = std::min<int>(c.bottom, top + h);
        for (int y = t; y < b; ++y) {
            std::uint32_t* row = dc.surface->row(y);
            const std::uint8_t* src = bits.data() + static_cast<std::size_t>(y - top) * w - left;
            for (int x = l; x < r; ++x)
                if (src[x])
                    row[x] = dc.surface->store(pixel);
        }
    }
}

// Text on a printer goes into the PDF as real glyphs of the same face, so it stays text.
int drawRunOnPrinter(DeviceContext& dc, FontFace& face, POINT origin, std::u32string_view text,
    const std::vector<int>* advances, const RECT* clip)
{
    cairo_t* cr = dc.print->context();
    int pen = 0;
    std::vector<cairo_glyph_t> glyphs;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const FontFace::Glyph& g = face.glyph(text[i]);
        glyphs.push_back(cairo_glyph_t { g.index, static_cast<double>(pen), 0.0 });
        pen += advances && i < advances->size() ? (*advances)[i] : g.advance;
    }
    if (!cr)
        return pen;
    static cairo_user_data_key_t kFaceKey;
    FT_Library lib = nullptr;
    FT_Init_FreeType(&lib);
    FT_Face ft = nullptr;
    if (FT_New_Face(lib, face.file().c_str(), 0, &ft) != 0) {
        FT_Done_FreeType(lib);
        return pen;
    }
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
    // The FreeType face and its library go when Cairo lets go of the font face.
    struct Owned {
        FT_Library lib;
        FT_Face face;
    };
    auto* owned = new Owned { lib, ft };
    cairo_font_face_set_user_data(cf, &kFaceKey, owned, [](void* p) {
        auto* o = static_cast<Owned*>(p);
        FT_Done_Face(o->face);
        FT_Done_FreeType(o->lib);
        delete o;
    });
    dc.print->beginClip(clipFor(dc, clip).rects());
    cairo_save(cr);
    const std::uint32_t p = pixelFromColor(dc.state.textColor);
    cairo_set_source_rgb(cr, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0);
    cairo_set_font_face(cr, cf);
    cairo_set_font_size(cr, face.pixelSize());
    cairo_translate(cr, origin.x, origin.y);
    cairo_rotate(cr, -face.escapement() * M_PI / 1800.0);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr);
    dc.print->endClip();
    cairo_font_face_destroy(cf);
    return pen;
}

} // namespace

std::shared_ptr<FontFace> faceOf(DeviceContext& dc)
{
    auto font = lookup<FontObject>(dc.state.font);
    LOGFONT lf;
    if (font)
        lf = font->log;
    else
        lf.lfHeight = -11;
    int height = lf.lfHeight;
    if (height != 0 && dc.state.mapMode != MM_TEXT) {
        const int scaled = std::abs(dc.scaleY(std::abs(height)));
        height = height < 0 ? -scaled : scaled;
    }
    return FontFace::get(lf, height);
}

int drawRun(DeviceContext& dc, FontFace& face, POINT origin, std::u32string_view text, const std::vector<int>* advances,
    const std::vector<bool>* underlined, const RECT* clip)
{
    auto guard = face.lock();
    if (dc.print)
        return drawRunOnPrinter(dc, face, origin, text, advances, clip);
    const Axes ax = axesOf(face);
    const Region region = clipFor(dc, clip);
    const std::uint32_t ink = devicePixel(dc, dc.state.textColor);
    const int extra = dc.state.charExtra;
    double penX = origin.x, penY = origin.y;
    int length = 0;
    std::vector<std::pair<int, int>> underlineSpans;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const FontFace::Glyph& g = face.glyph(text[i]);
        const int px = static_cast<int>(std::lround(penX)), py = static_cast<int>(std::lround(penY));
        if (dc.surface && g.width > 0 && g.rows > 0)
            plotBits(dc, region, px + g.left, py - g.top, g.width, g.rows, g.bits, ink);
        const int step = advances && i < advances->size() ? (*advances)[i] : g.advance + extra;
        if (underlined && i < underlined->size() && (*underlined)[i])
            underlineSpans.push_back({ length, length + g.advance });
        length += step;
        penX += step * ax.ux;
        penY += step * ax.uy;
    }
    if (face.underline())
        underlineSpans.push_back({ 0, length });
    if (face.strikeOut() && face.escapement() == 0) {
        const int y = origin.y - face.metrics().tmAscent / 3;
        fillRegion(dc, Region(RECT { origin.x, y, origin.x + length, y + face.underlineThickness() }).intersected(region.bounds()),
            Pattern::solid(ink), 0xF0);
    }
    for (const auto& [from, to] : underlineSpans) {
        if (face.escapement() != 0)
            break;
        const int y = origin.y + face.underlinePosition();
        const Region line(RECT { origin.x + from, y, origin.x + to, y + face.underlineThickness() });
        fillRegion(dc, Region::combine(line, region, RGN_AND), Pattern::solid(ink), 0xF0);
    }
    return length;
}

void fillCell(DeviceContext& dc, FontFace& face, POINT topLeft, int length, const RECT* clip)
{
    const Axes ax = axesOf(face);
    const int h = face.metrics().tmHeight;
    const POINT corners[4] = {
        topLeft,
        { static_cast<LONG>(std::lround(topLeft.x + length * ax.ux)), static_cast<LONG>(std::lround(topLeft.y + length * ax.uy)) },
        { static_cast<LONG>(std::lround(topLeft.x + length * ax.ux + h * ax.vx)),
            static_cast<LONG>(std::lround(topLeft.y + length * ax.uy + h * ax.vy)) },
        { static_cast<LONG>(std::lround(topLeft.x + h * ax.vx)), static_cast<LONG>(std::lround(topLeft.y + h * ax.vy)) },
    };
    Region cell = Region::fromPolygon(corners, 4, false);
    if (clip)
        cell = cell.intersected(*clip);
    fillRegion(dc, cell, Pattern::solid(devicePixel(dc, dc.state.bkColor)), 0xF0);
}

} // namespace platform::gdi
