#pragma once
// Drawing runs of text: the face of a DC's font, glyph plotting against the clip, and the text
// cell arithmetic shared by TextOut, ExtTextOut and DrawText.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontFace.h"

namespace platform::gdi {

// The face of the DC's selected font at its size in device pixels.
std::shared_ptr<FontFace> faceOf(DeviceContext& dc);

// Draws a run with its baseline starting at `origin` (surface coordinates) in the DC's text
// colour. `advances` (device pixels, one per character) replaces the font's advances when given;
// `underlined` marks characters to underline (prefix characters). `clip` (surface coordinates)
// further limits drawing when given. Returns the run's length along the baseline.
int drawRun(DeviceContext& dc, FontFace& face, POINT origin, std::u32string_view text, const std::vector<int>* advances,
    const std::vector<bool>* underlined, const RECT* clip);

// Fills the text cell of a run (its box from the top-left corner, rotated with the font) with the
// background colour.
void fillCell(DeviceContext& dc, FontFace& face, POINT topLeft, int length, const RECT* clip);

} // namespace platform::gdi
