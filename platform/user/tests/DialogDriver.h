#pragma once
// Drives a modal dialog as a person would: each time the dialog's loop runs out of messages it tells
// its owner (WM_ENTERIDLE), and the driver then performs the next step (a key, a click, a check).
// When the steps run out the dialog is ended with kOutOfSteps, so a test that expects more never hangs.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/user/Input.h"
#include "platform/user/WinUser.h"
#include "platform/user/tests/UserTestSupport.h"

namespace usertest {

constexpr INT_PTR kOutOfSteps = -99;

class DialogDriver {
public:
    DialogDriver()
    {
        reset();
        owner = CreateWindowEx(
            0, "Rec", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 620, 460, nullptr, nullptr, nullptr, nullptr);
        handler() = [this](HWND h, UINT m, WPARAM, LPARAM l, LRESULT&) {
            if (h == owner && m == WM_ENTERIDLE) {
                dialog = reinterpret_cast<HWND>(l);
                if (steps.empty()) {
                    EndDialog(dialog, kOutOfSteps);
                } else {
                    auto step = std::move(steps.front());
                    steps.pop_front();
                    step();
                    // A step that gives no input still lets the loop come round to the next one.
                    PostMessage(dialog, WM_NULL, 0, 0);
                }
            }
            return false;
        };
    }
    ~DialogDriver() { reset(); }

    // Adds a step.
    DialogDriver& then(std::function<void()> step)
    {
        steps.push_back(std::move(step));
        return *this;
    }
    // Adds a key press and release (with modifiers held around it).
    DialogDriver& key(int vk, std::vector<int> modifiers = {})
    {
        return then([vk, modifiers] {
            for (int m : modifiers)
                platform::user::InjectKey(m, true);
            platform::user::InjectKey(vk, true);
            platform::user::InjectKey(vk, false);
            for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
                platform::user::InjectKey(*it, false);
        });
    }
    // Adds the keys that type a text of lower-case letters, digits and spaces (one step each).
    DialogDriver& type(const std::string& text)
    {
        for (char c : text) {
            const int vk = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c == ' ' ? VK_SPACE : c;
            if (c >= 'A' && c <= 'Z')
                key(c, { VK_SHIFT });
            else if (c == '-')
                key(VK_OEM_MINUS);
            else
                key(vk);
        }
        return *this;
    }
    // Adds a click at a point of a control of the dialog (its centre by default).
    DialogDriver& click(int id, POINT at = { -1, -1 }, bool twice = false)
    {
        return then([this, id, at, twice] {
            HWND control = GetDlgItem(dialog, id);
            RECT r {};
            GetWindowRect(control, &r);
            POINT p = at.x < 0 ? POINT { (r.left + r.right) / 2, (r.top + r.bottom) / 2 }
                               : POINT { r.left + at.x, r.top + at.y };
            clickAt(p, twice);
        });
    }
    // Adds a click at a screen point.
    static void clickAt(POINT p, bool twice = false)
    {
        platform::user::InjectMouseMove(p);
        for (int i = 0; i < (twice ? 2 : 1); ++i) {
            platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
            platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
        }
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }

    HWND owner { nullptr };
    HWND dialog { nullptr };
    std::deque<std::function<void()>> steps;
};

} // namespace usertest
