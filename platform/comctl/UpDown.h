#pragma once
// The up-down control: two arrows that step a position within a range, by an increment that grows
// the longer an arrow is held (the acceleration table), shown in a buddy window's text. The parent
// sees each step first (UDN_DELTAPOS) and may refuse it.

#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class UpDown {
public:
    explicit UpDown(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The first repeat comes this long after the press, the next ones at the repeat interval.
    static constexpr UINT kFirstRepeatMs = 500;
    static constexpr UINT kRepeatMs = 100;

private:
    static constexpr UINT_PTR kRepeatTimer = 1;

    DWORD style() const { return static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE)); }
    // Steps once towards the upper end (up) or the lower end, by the increment the time held gives.
    void step(bool up);
    // Moves to a position clamped into the range; true when it changed.
    bool setPosition(int position);
    int clampOrWrap(long long position) const;
    void setBuddy(HWND buddy);
    void updateBuddy() const;
    // Reads the buddy's number into the position; false when its text is no number.
    bool readBuddy();
    int increment() const;
    // Which arrow a client point is on: 1 the upper-end arrow, -1 the other, 0 none.
    int arrowAt(POINT pt) const;
    void paint();
    static LRESULT BuddyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd;
    HWND m_buddy { nullptr };
    WNDPROC m_buddyProc { nullptr };
    int m_lower { 100 };
    int m_upper { 0 };
    int m_pos { 0 };
    int m_base { 10 };
    std::vector<UDACCEL> m_accel { { 0, 1 }, { 2, 5 }, { 5, 20 } };
    int m_pressed { 0 };
    DWORD m_pressTick { 0 };
};

} // namespace platform::comctl
