#pragma once
// Keys queued as a person presses them, for the window with the focus; nothing is dispatched here, so
// a modal loop that is waiting takes them through its own translation.

#include <cctype>
#include <string>

#include "platform/user/Input.h"

namespace typed_keys {

inline void Key(int vk)
{
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
}

// Queues the keys that type the text (letters, digits, dots, dashes, blanks and double quotes).
inline void Type(const std::string& text)
{
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        const bool shift = std::isupper(u) || c == '"';
        const int vk = c == '.' ? VK_OEM_PERIOD
            : c == '-'          ? VK_OEM_MINUS
            : c == ' '          ? VK_SPACE
            : c == '"'          ? VK_OEM_7
                                : std::toupper(u);
        if (shift)
            platform::user::InjectKey(VK_SHIFT, true);
        Key(vk);
        if (shift)
            platform::user::InjectKey(VK_SHIFT, false);
    }
}

} // namespace typed_keys
