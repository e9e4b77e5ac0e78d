#pragma once
// Making bitmap objects from surfaces and decoded images (shared by the bitmap, image-loading and
// picture code).

#include <memory>
#include <vector>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/Surface.h"

namespace platform::gdi {

class BitmapObject;

HBITMAP makeBitmap(std::shared_ptr<Surface> surface);
// A 32-bit bitmap, or a DIB section keeping the image's depth and colour table.
HBITMAP makeBitmap(const DecodedImage& image, bool asSection);
std::vector<std::uint32_t> topDownPixels(const Surface& s);

// A DIB section's bits into its drawing surface (after the caller wrote them) and back (after
// drawing); both do nothing for 32-bit sections, whose bits are the surface.
void pullSection(BitmapObject& b);
void pushSection(BitmapObject& b);
// The memory the caller sees as the section's bits.
void* sectionMemory(BitmapObject& b);

} // namespace platform::gdi
