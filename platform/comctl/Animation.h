#pragma once
// The animation control: plays a clip, frame after frame on the platform's timers, from a module's
// "AVI" resource. Clips are in our own small format (ClipFormat), which resource scripts carry as a
// file or a data block.

#include <memory>

#include "platform/comctl/ClipFormat.h"
#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class Animation {
public:
    explicit Animation(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static constexpr UINT_PTR kFrameTimer = 1;

    DWORD style() const { return static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE)); }
    bool open(HINSTANCE module, LPCSTR name);
    void close();
    bool play(int repeat, int from, int to);
    void stop();
    void tell(WORD code) const;
    void paint();

    HWND m_hwnd;
    std::unique_ptr<Clip> m_clip;
    int m_frame { 0 };
    int m_from { 0 };
    int m_to { 0 };
    int m_repeat { 0 }; // plays left; -1: for ever
    bool m_playing { false };
};

} // namespace platform::comctl
