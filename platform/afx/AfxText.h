#pragma once
// Text helpers the class library's sources share (not part of its interface).

#include <string_view>

#include "platform/base/WinTypes.h"

namespace afx {

// Copies text into a buffer of size bytes (zero included), cut at a character boundary; nothing for a null
// buffer or size 0. Returns true when the whole text fitted.
bool CopyText(LPSTR buffer, UINT size, std::string_view text);

} // namespace afx
