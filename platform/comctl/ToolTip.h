#pragma once
// The tooltip control: a topmost popup that shows a short text for a tool (a window, or a
// rectangle of one) after the pointer rests on it. The owner relays its mouse messages
// (TTM_RELAYEVENT, or TTF_SUBCLASS does it); the delays run on the platform's timers, so the
// replaceable clock drives them. A callback text is asked of the tool's window (TTN_GETDISPINFO).

#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class ToolTip {
public:
    explicit ToolTip(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Tool {
        UINT flags { 0 };
        HWND hwnd { nullptr };
        UINT_PTR id { 0 };
        RECT rect {};
        HINSTANCE hinst { nullptr };
        std::string text;
        bool callback { false };
        LPARAM lParam { 0 };
    };

    static constexpr UINT_PTR kInitialTimer = 1;
    static constexpr UINT_PTR kAutoPopTimer = 2;

    Tool* find(HWND hwnd, UINT_PTR id);
    Tool* toolAt(HWND hwnd, POINT pt);
    void fill(const Tool& tool, TOOLINFO& out) const;
    // Takes a tool's text from a TOOLINFO: a string, a string-table id or the callback mark.
    static void takeText(Tool& tool, const TOOLINFO& in);
    bool addTool(const TOOLINFO& info);
    void delTool(const TOOLINFO& info);
    void relay(const MSG& msg);
    // The text to show for the current tool; empty: nothing to show.
    std::string textFor(Tool& tool);
    void show();
    void hide();
    int delay(WPARAM which) const;
    void paint();
    static void Subclass(HWND tool, HWND tip);
    static void Unsubclass(HWND tool);
    static LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd;
    std::vector<Tool> m_tools;
    bool m_active { true };
    // The tool the pointer is on (by window and id, as tools may be added and removed meanwhile).
    HWND m_curHwnd { nullptr };
    UINT_PTR m_curId { 0 };
    bool m_hasCurrent { false };
    bool m_shown { false };
    std::string m_text;
    int m_delays[4] { -1, -1, -1, -1 }; // per TTDT_ (-1: the default)
    DWORD m_hiddenAt { 0 };
    bool m_everShown { false };
    int m_maxWidth { -1 };
    COLORREF m_bk { CLR_DEFAULT };
    COLORREF m_fg { CLR_DEFAULT };
    HFONT m_font { nullptr };
};

} // namespace platform::comctl
