// The text the controls cut, copy and paste, as CF_TEXT (UTF-8 with its terminating zero).

#include <cstring>

#include "platform/base/GlobalMemory.h"
#include "platform/user/ControlSupport.h"

namespace platform::user {

bool CopyTextToClipboard(HWND owner, const std::string& text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    bool done = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (auto* p = static_cast<char*>(GlobalLock(memory))) {
            std::memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
        }
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done)
            GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

std::string TextFromClipboard(HWND owner)
{
    if (!OpenClipboard(owner))
        return {};
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(data))) {
            text.assign(p, strnlen(p, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace platform::user
