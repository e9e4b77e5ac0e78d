#pragma once
// TOOLBAR statements, compiled into RT_TOOLBAR data: version 1, the button width and height, the
// number of entries and one command id per entry (0 for a separator), all 16-bit.
//
//   IDR_MAIN TOOLBAR 16, 15 BEGIN BUTTON ID_FILE_NEW SEPARATOR BUTTON ID_FILE_OPEN END

#include <cstdint>
#include <vector>

#include "tools/rc/TokenStream.h"

namespace rc {

constexpr std::uint16_t kTypeToolbar = 241;

class ToolbarResource {
public:
    // Reads "width, height" and the block of buttons; returns the resource data; throws ScriptError.
    static std::vector<std::uint8_t> Compile(TokenStream& tokens);
};

} // namespace rc
