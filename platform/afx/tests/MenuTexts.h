#pragma once
// The texts of a menu's items as a test compares them: a checked item marked with '*', a separator "-".

#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace afx_test {

inline std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] {};
        GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const bool checked = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
        texts.push_back(std::string(checked ? "*" : "") + (text[0] ? text : "-"));
    }
    return texts;
}

} // namespace afx_test
