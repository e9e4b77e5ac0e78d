#pragma once
// ACCELERATORS statements, compiled into RT_ACCELERATOR data: one 8-byte entry per line (flags word,
// key word, command word, a zero word), the last entry's flags carrying 0x80.
//
//   "N", ID_FILE_NEW, VIRTKEY, CONTROL      a key by its letter
//   VK_F1, ID_HELP, VIRTKEY                 a key by its code (the VK_ names are known here)
//   "^Z", ID_UNDO                           a control character
//   "a", ID_A, ASCII, ALT                   a character

#include <cstdint>
#include <vector>

#include "tools/rc/TokenStream.h"

namespace rc {

constexpr std::uint16_t kTypeAccelerator = 9;

class AcceleratorTable {
public:
    // Reads the table's block (from BEGIN to its END) and returns the resource data; throws ScriptError.
    static std::vector<std::uint8_t> Compile(TokenStream& tokens);
};

} // namespace rc
