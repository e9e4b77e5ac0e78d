#pragma once
// A font made ready for drawing: the face that fontconfig found for a LOGFONT (through the
// stand-ins of the classic faces), at a pixel size and rotation, with its metrics and a cache of
// glyphs rendered one bit per pixel so that text pixels are exact and repeatable.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gdi/WinGdi.h"

typedef struct FT_FaceRec_* FT_Face;

namespace platform::gdi {

class FontFace {
public:
    struct Glyph {
        unsigned index { 0 };
        int left { 0 }; // bitmap offset from the pen position, x right
        int top { 0 }; // bitmap offset from the pen position, y up
        int width { 0 };
        int rows { 0 };
        std::vector<std::uint8_t> bits; // one byte per pixel, 1 = ink
        int advanceX { 0 }; // pen movement in whole pixels, screen orientation (y down)
        int advanceY { 0 };
        int advance { 0 }; // movement along the baseline, for measuring
    };

    // The face for a font description at a height in device pixels (already mapped). Never null:
    // when nothing matches, the default sans face is used.
    static std::shared_ptr<FontFace> get(const LOGFONT& lf, int deviceHeight);

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const TEXTMETRIC& metrics() const { return m_metrics; }
    const std::string& faceName() const { return m_faceName; }
    const std::string& file() const { return m_file; }
    int pixelSize() const { return m_ppem; }
    // Escapement in tenths of a degree.
    int escapement() const { return m_escapement; }
    bool underline() const { return m_underline; }
    bool strikeOut() const { return m_strikeOut; }
    int underlinePosition() const { return m_underlinePos; }
    int underlineThickness() const { return m_underlineThickness; }

    // The glyph of a character (rendered at the face's rotation); the caller holds `lock()`.
    const Glyph& glyph(char32_t c);
    std::unique_lock<std::mutex> lock();

private:
    FontFace() = default;
    bool open(const std::string& file, int index, int ppem, int escapement, bool emboldenSynth, bool italicSynth);

    FT_Face m_face { nullptr };
    std::string m_file;
    std::string m_faceName;
    int m_ppem { 11 };
    int m_escapement { 0 };
    bool m_embolden { false };
    bool m_oblique { false };
    bool m_underline { false };
    bool m_strikeOut { false };
    int m_underlinePos { 1 };
    int m_underlineThickness { 1 };
    TEXTMETRIC m_metrics {};
    std::unordered_map<char32_t, Glyph> m_glyphs;
};

// UTF-8 bytes to characters; a byte that starts no valid sequence becomes U+FFFD on its own.
std::u32string decodeUtf8(std::string_view text);
} // namespace platform::gdi
