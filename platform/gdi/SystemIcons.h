#pragma once
// The pictures of the system icons (LoadIcon with a null module), drawn pixel by pixel so they are the
// same everywhere: the application's window, and the stop, question, exclamation and information signs
// that message boxes show.

#include <cstdint>
#include <functional>

namespace platform::gdi {

// Paints the 32 by 32 picture of the system icon id through paint(x, y, 0x00RRGGBB); pixels not
// painted are transparent.
void PaintSystemIcon(std::uintptr_t id, const std::function<void(int x, int y, std::uint32_t pixel)>& paint);

} // namespace platform::gdi
