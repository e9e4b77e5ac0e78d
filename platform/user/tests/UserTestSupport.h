#pragma once
// A window class whose procedure writes down the messages it gets, by name, for order tests; and a
// place for a test to hang its own handling in front of the default.

#include <functional>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace usertest {

struct Log {
    std::vector<std::string> entries;
    // The messages written down; others pass unseen.
    std::vector<UINT> watched;
    void clear() { entries.clear(); }
};

inline Log& log()
{
    static Log l;
    return l;
}

inline const char* messageName(UINT m)
{
    switch (m) {
    case WM_CREATE:
        return "CREATE";
    case WM_DESTROY:
        return "DESTROY";
    case WM_MOVE:
        return "MOVE";
    case WM_SIZE:
        return "SIZE";
    case WM_ACTIVATE:
        return "ACTIVATE";
    case WM_SETFOCUS:
        return "SETFOCUS";
    case WM_KILLFOCUS:
        return "KILLFOCUS";
    case WM_SHOWWINDOW:
        return "SHOWWINDOW";
    case WM_ACTIVATEAPP:
        return "ACTIVATEAPP";
    case WM_GETMINMAXINFO:
        return "GETMINMAXINFO";
    case WM_WINDOWPOSCHANGING:
        return "POSCHANGING";
    case WM_WINDOWPOSCHANGED:
        return "POSCHANGED";
    case WM_NCCREATE:
        return "NCCREATE";
    case WM_NCDESTROY:
        return "NCDESTROY";
    case WM_NCCALCSIZE:
        return "NCCALCSIZE";
    case WM_NCACTIVATE:
        return "NCACTIVATE";
    case WM_PARENTNOTIFY:
        return "PARENTNOTIFY";
    case WM_CAPTURECHANGED:
        return "CAPTURECHANGED";
    case WM_PAINT:
        return "PAINT";
    case WM_NCPAINT:
        return "NCPAINT";
    case WM_ERASEBKGND:
        return "ERASEBKGND";
    case WM_TIMER:
        return "TIMER";
    case WM_KEYDOWN:
        return "KEYDOWN";
    case WM_KEYUP:
        return "KEYUP";
    case WM_CHAR:
        return "CHAR";
    case WM_SYSKEYDOWN:
        return "SYSKEYDOWN";
    case WM_SYSKEYUP:
        return "SYSKEYUP";
    case WM_SYSCHAR:
        return "SYSCHAR";
    case WM_SYSCOMMAND:
        return "SYSCOMMAND";
    case WM_LBUTTONDOWN:
        return "LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "LBUTTONUP";
    case WM_LBUTTONDBLCLK:
        return "LBUTTONDBLCLK";
    case WM_MOUSEMOVE:
        return "MOUSEMOVE";
    case WM_MOUSEACTIVATE:
        return "MOUSEACTIVATE";
    case WM_NCLBUTTONDOWN:
        return "NCLBUTTONDOWN";
    case WM_NCLBUTTONDBLCLK:
        return "NCLBUTTONDBLCLK";
    case WM_ENTERSIZEMOVE:
        return "ENTERSIZEMOVE";
    case WM_EXITSIZEMOVE:
        return "EXITSIZEMOVE";
    case WM_CLOSE:
        return "CLOSE";
    case WM_STYLECHANGING:
        return "STYLECHANGING";
    case WM_STYLECHANGED:
        return "STYLECHANGED";
    case WM_MOUSEWHEEL:
        return "MOUSEWHEEL";
    case WM_DROPFILES:
        return "DROPFILES";
    case WM_DISPLAYCHANGE:
        return "DISPLAYCHANGE";
    default:
        return "?";
    }
}

// Handling a test puts in front of the default one: return true with a result to take the message.
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
inline Handler& handler()
{
    static Handler h;
    return h;
}

inline std::string nameOf(HWND hwnd)
{
    char text[64] {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

inline LRESULT RecordingProc(HWND hwnd, UINT m, WPARAM w, LPARAM l)
{
    auto& watched = log().watched;
    if (std::find(watched.begin(), watched.end(), m) != watched.end()) {
        std::string entry = messageName(m);
        const std::string name = m == WM_NCCREATE ? std::string() : nameOf(hwnd);
        if (!name.empty())
            entry = name + ":" + entry;
        log().entries.push_back(entry);
    }
    LRESULT result = 0;
    if (handler() && handler()(hwnd, m, w, l, result))
        return result;
    return DefWindowProc(hwnd, m, w, l);
}

// Registers the recording classes once: "Rec" (with double clicks and a white background) and
// "RecPlain".
inline void registerClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASS wc;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "Rec";
    wc.style = CS_DBLCLKS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    wc.cbWndExtra = DLGWINDOWEXTRA;
    RegisterClass(&wc);
    wc.lpszClassName = "RecPlain";
    wc.style = 0;
    wc.cbWndExtra = 0;
    RegisterClass(&wc);
}

inline void watch(std::vector<UINT> messages)
{
    log().watched = std::move(messages);
    log().clear();
}

inline void reset()
{
    registerClasses();
    log().watched.clear();
    log().clear();
    handler() = nullptr;
}

} // namespace usertest
