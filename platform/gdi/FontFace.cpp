#include "platform/gdi/FontFace.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <map>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/base/CaseFold.h"

namespace platform::gdi {

namespace {

// FreeType and fontconfig are used from one lock: text is drawn mostly on one thread, and this
// keeps a worker that measures text from racing it.
std::mutex& engineMutex()
{
    static std::mutex m;
    return m;
}

FT_Library library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        FT_Init_FreeType(&l);
        return l;
    }();
    return lib;
}

struct StandIn {
    const char* name;
    const char* family;
};

// The classic faces the program names, and the metric-compatible faces that stand in for them.
constexpr StandIn kStandIns[] = {
    { "MS Sans Serif", "Liberation Sans" },
    { "MS Shell Dlg", "Liberation Sans" },
    { "MS Shell Dlg 2", "Liberation Sans" },
    { "Microsoft Sans Serif", "Liberation Sans" },
    { "Helv", "Liberation Sans" },
    { "System", "Liberation Sans" },
    { "Arial", "Liberation Sans" },
    { "Tahoma", "Liberation Sans" },
    { "Verdana", "Liberation Sans" },
    { "Arial Narrow", "Liberation Sans Narrow" },
    { "Times New Roman", "Liberation Serif" },
    { "Times", "Liberation Serif" },
    { "MS Serif", "Liberation Serif" },
    { "Courier New", "Liberation Mono" },
    { "Courier", "Liberation Mono" },
    { "Fixedsys", "Liberation Mono" },
    { "Terminal", "Liberation Mono" },
    { "Lucida Console", "Liberation Mono" },
};

std::string familyFor(const LOGFONT& lf)
{
    const std::string name(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    for (const StandIn& s : kStandIns)
        if (platform::EqualsNoCase(name, s.name))
            return s.family;
    if (!name.empty())
        return name;
    const int family = lf.lfPitchAndFamily & 0xF0;
    if (family == FF_ROMAN)
        return "Liberation Serif";
    if (family == FF_MODERN || (lf.lfPitchAndFamily & 3) == FIXED_PITCH)
        return "Liberation Mono";
    return "Liberation Sans";
}

struct Match {
    std::string file;
    int index { 0 };
    bool synthBold { false };
    bool synthItalic { false };
};

Match findFile(const std::string& family, bool bold, bool italic)
{
    // fontconfig keeps its configuration until FcFini; releasing it at exit keeps leak checkers quiet.
    static const bool initialised = [] {
        const bool ok = FcInit();
        std::atexit(FcFini);
        return ok;
    }();
    (void)initialised;
    Match m;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    if (found) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file)
            m.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(found, FC_SLANT, 0, &slant);
        m.synthBold = bold && weight < FC_WEIGHT_DEMIBOLD;
        m.synthItalic = italic && slant == FC_SLANT_ROMAN;
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return m;
}

struct DesignMetrics {
    int upem { 2048 };
    int winAscent { 1854 };
    int winDescent { 434 };
    int lineGap { 67 };
    int hheaHeight { 2288 };
    int avgWidth { 1176 };
    int maxWidth { 2000 };
};

DesignMetrics designMetrics(FT_Face face)
{
    DesignMetrics d;
    d.upem = face->units_per_EM ? face->units_per_EM : 2048;
    d.hheaHeight = face->ascender - face->descender;
    d.lineGap = std::max(0, face->height - d.hheaHeight);
    d.winAscent = face->ascender;
    d.winDescent = -face->descender;
    d.maxWidth = static_cast<int>(face->bbox.xMax - face->bbox.xMin);
    d.avgWidth = d.upem / 2;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
        d.winAscent = os2->usWinAscent;
        d.winDescent = os2->usWinDescent;
        if (os2->xAvgCharWidth > 0)
            d.avgWidth = os2->xAvgCharWidth;
    }
    return d;
}

int ceilScale(int units, int ppem, int upem) { return static_cast<int>((static_cast<long>(units) * ppem + upem - 1) / upem); }
int roundScale(int units, int ppem, int upem)
{
    return static_cast<int>(std::lround(static_cast<double>(units) * ppem / upem));
}

} // namespace

std::unique_lock<std::mutex> FontFace::lock() { return std::unique_lock(engineMutex()); }

FontFace::~FontFace()
{
    if (m_face)
        FT_Done_Face(m_face);
}

std::shared_ptr<FontFace> FontFace::get(const LOGFONT& lf, int deviceHeight)
{
    std::lock_guard guard(engineMutex());
    static std::map<std::string, std::shared_ptr<FontFace>> cache;
    static std::map<std::string, DesignMetrics> designs;
    // Asking fontconfig is slow, so a description seen before finds its face straight away.
    static std::map<std::string, std::shared_ptr<FontFace>> byDescription;
    std::string description(reinterpret_cast<const char*>(&lf), offsetof(LOGFONT, lfFaceName));
    description.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    description += '|' + std::to_string(deviceHeight);
    if (auto it = byDescription.find(description); it != byDescription.end())
        return it->second;

    const bool bold = lf.lfWeight >= FW_SEMIBOLD;
    const bool italic = lf.lfItalic != 0;
    const std::string family = familyFor(lf);
    Match match = findFile(family, bold, italic);
    if (match.file.empty())
        match = findFile("Liberation Sans", bold, italic);

    auto design = designs.find(match.file);
    if (design == designs.end()) {
        FT_Face probe = nullptr;
        DesignMetrics d;
        if (FT_New_Face(library(), match.file.c_str(), match.index, &probe) == 0) {
            d = designMetrics(probe);
            FT_Done_Face(probe);
        }
        design = designs.emplace(match.file, d).first;
    }
    const DesignMetrics& d = design->second;
    // A negative height is the character (em) height; a positive one the cell height.
    int ppem = 11;
    if (deviceHeight < 0)
        ppem = -deviceHeight;
    else if (deviceHeight > 0) {
        // The largest size whose cell (ascent + descent, as the metrics round them) fits the height.
        ppem = static_cast<int>(static_cast<long>(deviceHeight) * d.upem / (d.winAscent + d.winDescent)) + 1;
        while (ppem > 1 && ceilScale(d.winAscent, ppem, d.upem) + ceilScale(d.winDescent, ppem, d.upem) > deviceHeight)
            --ppem;
    }
    ppem = std::clamp(ppem, 1, 2048);
    const int escapement = ((lf.lfEscapement % 3600) + 3600) % 3600;

    const std::string key = match.file + '|' + std::to_string(match.index) + '|' + std::to_string(ppem) + '|'
        + std::to_string(escapement) + '|' + std::to_string(match.synthBold) + std::to_string(match.synthItalic)
        + std::to_string(lf.lfUnderline != 0) + std::to_string(lf.lfStrikeOut != 0) + '|' + std::to_string(lf.lfWeight);
    if (auto it = cache.find(key); it != cache.end()) {
        byDescription.emplace(description, it->second);
        return it->second;
    }

    std::shared_ptr<FontFace> face(new FontFace);
    if (!face->open(match.file, match.index, ppem, escapement, match.synthBold, match.synthItalic)) {
        // Keep going with a face that has no glyphs: text then measures and draws as nothing.
        face->m_metrics.tmHeight = ppem;
        face->m_metrics.tmAscent = ppem;
    }
    const std::string name(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    face->m_faceName = name.empty() ? family : name;
    face->m_underline = lf.lfUnderline != 0;
    face->m_strikeOut = lf.lfStrikeOut != 0;
    TEXTMETRIC& tm = face->m_metrics;
    tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm.tmItalic = italic ? 1 : 0;
    tm.tmUnderlined = face->m_underline ? 1 : 0;
    tm.tmStruckOut = face->m_strikeOut ? 1 : 0;
    cache.emplace(key, face);
    byDescription.emplace(description, face);
    return face;
}

bool FontFace::open(const std::string& file, int index, int ppem, int escapement, bool emboldenSynth, bool italicSynth)
{
    m_file = file;
    m_ppem = ppem;
    m_escapement = escapement;
    m_embolden = emboldenSynth;
    m_oblique = italicSynth;
    if (file.empty() || FT_New_Face(library(), file.c_str(), index, &m_face) != 0) {
        m_face = nullptr;
        return false;
    }
    FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(ppem));
    if (escapement) {
        const double a = escapement * M_PI / 1800.0;
        FT_Matrix m;
        m.xx = static_cast<FT_Fixed>(std::lround(std::cos(a) * 65536));
        m.xy = static_cast<FT_Fixed>(std::lround(-std::sin(a) * 65536));
        m.yx = static_cast<FT_Fixed>(std::lround(std::sin(a) * 65536));
        m.yy = static_cast<FT_Fixed>(std::lround(std::cos(a) * 65536));
        FT_Set_Transform(m_face, &m, nullptr);
    }
    const DesignMetrics d = designMetrics(m_face);
    TEXTMETRIC& tm = m_metrics;
    tm.tmAscent = ceilScale(d.winAscent, ppem, d.upem);
    tm.tmDescent = ceilScale(d.winDescent, ppem, d.upem);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0L, static_cast<long>(tm.tmHeight - ppem));
    tm.tmExternalLeading = std::max(0, roundScale(d.hheaHeight + d.lineGap - d.winAscent - d.winDescent, ppem, d.upem));
    tm.tmAveCharWidth = std::max(1, roundScale(d.avgWidth, ppem, d.upem));
    tm.tmMaxCharWidth = std::max(1, roundScale(d.maxWidth, ppem, d.upem));
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmCharSet = ANSI_CHARSET;
    // Bit 0 set means variable pitch; TrueType (4) and vector (2) outlines.
    const bool fixed = FT_IS_FIXED_WIDTH(m_face);
    const std::string fam = m_face->family_name ? m_face->family_name : "";
    const BYTE familyBits = fixed ? FF_MODERN : (fam.find("Serif") != std::string::npos ? FF_ROMAN : FF_SWISS);
    tm.tmPitchAndFamily = static_cast<BYTE>(familyBits | (fixed ? 0 : 1) | 2 | 4);
    m_underlinePos = std::max(1, roundScale(-m_face->underline_position, ppem, d.upem));
    m_underlineThickness = std::max(1, roundScale(m_face->underline_thickness, ppem, d.upem));
    return true;
}

const FontFace::Glyph& FontFace::glyph(char32_t c)
{
    if (auto it = m_glyphs.find(c); it != m_glyphs.end())
        return it->second;
    Glyph g;
    if (m_face && c >= 0x20 && c != 0x7F) {
        g.index = FT_Get_Char_Index(m_face, static_cast<FT_ULong>(c));
        if (FT_Load_Glyph(m_face, g.index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) == 0) {
            FT_GlyphSlot slot = m_face->glyph;
            if (m_embolden)
                FT_GlyphSlot_Embolden(slot);
            if (m_oblique)
                FT_GlyphSlot_Oblique(slot);
            g.advance = static_cast<int>((slot->metrics.horiAdvance + 32) >> 6);
            g.advanceX = static_cast<int>((slot->advance.x + 32) >> 6);
            g.advanceY = -static_cast<int>((slot->advance.y + 32) >> 6);
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0) {
                const FT_Bitmap& bm = slot->bitmap;
                g.left = slot->bitmap_left;
                g.top = slot->bitmap_top;
                g.width = static_cast<int>(bm.width);
                g.rows = static_cast<int>(bm.rows);
                g.bits.resize(static_cast<std::size_t>(g.width) * g.rows);
                for (int y = 0; y < g.rows; ++y) {
                    const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
                    for (int x = 0; x < g.width; ++x)
                        g.bits[static_cast<std::size_t>(y) * g.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
                }
            }
        }
    }
    return m_glyphs.emplace(c, std::move(g)).first->second;
}

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = len > 0 && i + len <= text.size();
        for (int k = 1; ok && k < len; ++k) {
            const auto cb = static_cast<unsigned char>(text[i + k]);
            ok = (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        if (ok && ((len == 2 && c < 0x80) || (len == 3 && c < 0x800) || (len == 4 && (c < 0x10000 || c > 0x10FFFF))
                || (c >= 0xD800 && c <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

} // namespace platform::gdi
