#pragma once
// Input as the display back-ends and the test harness feed it: pointer moves, buttons, the wheel,
// keys and dropped files, in screen coordinates. Each call finds the window the input is for
// (capture, then the window under the pointer and its hit test; the focus window for keys) and
// queues the message for that window's thread, as a person's input would arrive.

#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to a screen point.
void InjectMouseMove(POINT screen);
// Presses or releases a button where the pointer is (double clicks are recognised by time,
// distance and the class's CS_DBLCLKS).
void InjectMouseButton(MouseButton button, bool down);
// Turns the wheel by a multiple of WHEEL_DELTA (positive: away from the user).
void InjectMouseWheel(int delta);
// Presses or releases a key (a virtual-key code); a press of a key already down repeats.
void InjectKey(int vk, bool down);
// Drops files (program paths) at a screen point on the window under it that accepts files.
void InjectDropFiles(POINT screen, const std::vector<std::string>& paths);

// What a dropped-files handle (WM_DROPFILES wParam) holds: this header, then the names one after
// another, each ended by a zero, with one more zero after the last.
struct DROPFILES {
    DWORD pFiles { sizeof(DROPFILES) };
    POINT pt {};
    BOOL fNC { FALSE };
    BOOL fWide { FALSE };
};

// Builds a dropped-files handle holding the names and the drop point (client coordinates of the
// window it goes to, or of its frame when nonClient); null when memory runs out. The receiver frees it
// with DragFinish.
HGLOBAL MakeDropFiles(const std::vector<std::string>& paths, POINT client = {}, BOOL nonClient = FALSE);

// Forgets the state input left behind (buttons and keys down, capture, the last click), so that a
// test starts from a calm keyboard and mouse.
void ResetInputState();

} // namespace platform::user
