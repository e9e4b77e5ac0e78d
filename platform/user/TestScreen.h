#pragma once
// The harness for tests of anything with windows: a headless screen of a chosen size, a clock that
// moves only when told, input as a person would give it, pumping until nothing is left to do, finding
// windows and saving the screen as a PNG. One per test; it destroys the windows the test's thread made
// and forgets input state when it ends.

#include <chrono>
#include <memory>
#include <string>

#include "platform/base/Clock.h"
#include "platform/user/Input.h"
#include "platform/user/WinUser.h"

namespace platform::user {

class TestScreen {
public:
    explicit TestScreen(int width = 640, int height = 480);
    ~TestScreen();
    TestScreen(const TestScreen&) = delete;
    TestScreen& operator=(const TestScreen&) = delete;

    platform::ManualClock& clock() { return *m_clock; }

    // Dispatches every message of the calling thread, painting included, until nothing is left and no
    // timer is due; gives up after maxMessages (a window that never validates its update region).
    // Returns the number of messages dispatched.
    int pump(int maxMessages = 10000);
    // Moves the clock forward and pumps, so due timers fire.
    void advance(std::chrono::milliseconds step);

    // Input at screen coordinates, each pumped through. A press that starts a nested loop (moving,
    // sizing, caption buttons) waits there for its release: use click or drag, which queue the whole
    // gesture before pumping.
    void moveTo(int x, int y);
    void press(MouseButton button = MouseButton::Left);
    void release(MouseButton button = MouseButton::Left);
    void click(int x, int y, MouseButton button = MouseButton::Left);
    void doubleClick(int x, int y);
    void drag(int fromX, int fromY, int toX, int toY);
    void wheel(int delta);
    void keyDown(int vk);
    void keyUp(int vk);
    void key(int vk);
    // Presses the keys that type the text (letters, digits, space, common punctuation).
    void type(const std::string& text);

    // A top-level window by class and title (null: any), or a descendant of parent.
    HWND find(LPCSTR className, LPCSTR title = nullptr, HWND parent = nullptr) const;
    // The colour at a screen point.
    COLORREF pixel(int x, int y) const;
    // Saves the screen; false when the file cannot be written.
    bool savePng(const std::string& path) const;
    // Compares a rectangle of the screen (screen coordinates) exactly with a golden picture. Empty when
    // every pixel matches; otherwise what differs, and the actual picture is written beside the golden
    // one as <name>.actual.png (a missing golden picture counts as a difference, which is how a new
    // one is made: look at the actual picture, then rename it).
    std::string compareWithGolden(const RECT& area, const std::string& goldenPath) const;

private:
    std::shared_ptr<platform::ManualClock> m_clock;
    std::unique_ptr<platform::ScopedClock> m_scoped;
};

} // namespace platform::user
