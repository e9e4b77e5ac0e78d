#pragma once
// The names of window, dialog and control styles and of the standard dialog ids, which every script
// may use without including a header: the platform declares them as C++ constants, which the
// preprocessor does not read.

#include <span>
#include <utility>

namespace rc {

// Each name with the text of its value, defined as an object-like macro before a script is read.
std::span<const std::pair<const char*, const char*>> StandardNames();

} // namespace rc
