#pragma once
// Texts across the control's interfaces: UTF-8 inside, BSTR at the surface.

#include "platform/com/OleAuto.h"

#include <string>

namespace platform::cddb {

// Hands text out as a new BSTR; E_POINTER for a null out.
HRESULT ReturnText(const std::string& text, BSTR* out);
// The UTF-8 text of a BSTR (a null BSTR is empty).
std::string TextOf(BSTR text);

} // namespace platform::cddb
