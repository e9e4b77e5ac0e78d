#pragma once
// The IP address control: four number fields of up to three digits, each kept within a range (0-255
// unless the owner narrows it), typed into from the keyboard with the caret moving on by itself
// after three digits or a dot. Leaving a changed field tells the parent (IPN_FIELDCHANGED), which
// may rewrite the value.

#include <array>
#include <string>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class IpAddress {
public:
    explicit IpAddress(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static constexpr int kFields = 4;

    struct Field {
        std::string digits; // empty: blank
        BYTE low { 0 };
        BYTE high { 255 };
    };

    // Makes another field current, settling the one left.
    void enter(int field);
    // Clamps the current field into its range and tells the parent when it changed.
    void settle();
    void typeChar(char c);
    void keyDown(int vk);
    void changed();
    void setAddress(DWORD address);
    DWORD address() const;
    int filledCount() const;
    std::string text() const;
    RECT cell(int field) const;
    void paint();

    HWND m_hwnd;
    std::array<Field, kFields> m_fields {};
    int m_current { 0 };
    std::string m_entered; // the current field's digits when it was entered
    bool m_focused { false };
};

} // namespace platform::comctl
