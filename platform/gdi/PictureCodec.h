#pragma once
// Decoding the picture formats the program shows (BMP, JPEG, GIF) from memory into top-down
// 32-bit pixels. Damaged or truncated data fails; it never reads past the buffer.

#include <cstddef>
#include <cstdint>

#include "platform/gdi/DibFormat.h"

namespace platform::gdi {

bool decodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage& out);
// The first frame of a GIF; transparent pixels take the colour of the background index.
bool decodeGif(const std::uint8_t* data, std::size_t size, DecodedImage& out);
// Whichever of BMP, JPEG and GIF the data is.
bool decodePicture(const std::uint8_t* data, std::size_t size, DecodedImage& out);

} // namespace platform::gdi
