#include "platform/user/TestScreen.h"

#include <cctype>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/gdi/Surface.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

namespace {

void destroyThreadWindows()
{
    std::vector<HWND> mine;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM l) {
            reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&mine));
    for (HWND h : mine)
        if (IsWindow(h))
            DestroyWindow(h);
}

} // namespace

TestScreen::TestScreen(int width, int height)
    : m_clock(std::make_shared<platform::ManualClock>())
    , m_scoped(std::make_unique<platform::ScopedClock>(m_clock))
{
    destroyThreadWindows();
    ResetInputState();
    Screen::Instance().setBackend(nullptr);
    Screen::Instance().resize(width, height);
    {
        auto queue = MessageQueue::Current();
        auto lock = WindowManager::Acquire();
        queue->posted.clear();
        queue->timers.clear();
        queue->quitPosted = false;
        WindowManager::Instance().cursorPos = { width / 2, height / 2 };
    }
    pump();
}

TestScreen::~TestScreen()
{
    destroyThreadWindows();
    Screen::Instance().setBackend(nullptr);
    ResetInputState();
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    queue->posted.clear();
    queue->timers.clear();
    queue->quitPosted = false;
}

int TestScreen::pump(int maxMessages)
{
    int count = 0;
    MSG msg;
    while (count < maxMessages && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the test to see.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++count;
    }
    return count;
}

void TestScreen::advance(std::chrono::milliseconds step)
{
    m_clock->Advance(step);
    pump();
}

void TestScreen::moveTo(int x, int y)
{
    InjectMouseMove(POINT { x, y });
    pump();
}

void TestScreen::press(MouseButton button)
{
    InjectMouseButton(button, true);
    pump();
}

void TestScreen::release(MouseButton button)
{
    InjectMouseButton(button, false);
    pump();
}

void TestScreen::click(int x, int y, MouseButton button)
{
    moveTo(x, y);
    // Both halves are queued before pumping: a press may start a nested loop that waits for the release.
    InjectMouseButton(button, true);
    InjectMouseButton(button, false);
    pump();
}

void TestScreen::doubleClick(int x, int y)
{
    click(x, y);
    click(x, y);
}

void TestScreen::drag(int fromX, int fromY, int toX, int toY)
{
    moveTo(fromX, fromY);
    // The press starts nested loops (moving, sizing, tracking) that take the rest of the input from
    // the queue themselves, so the whole gesture is queued before pumping.
    InjectMouseButton(MouseButton::Left, true);
    InjectMouseMove(POINT { (fromX + toX) / 2, (fromY + toY) / 2 });
    InjectMouseMove(POINT { toX, toY });
    InjectMouseButton(MouseButton::Left, false);
    pump();
}

void TestScreen::wheel(int delta)
{
    InjectMouseWheel(delta);
    pump();
}

void TestScreen::keyDown(int vk)
{
    InjectKey(vk, true);
    pump();
}

void TestScreen::keyUp(int vk)
{
    InjectKey(vk, false);
    pump();
}

void TestScreen::key(int vk)
{
    keyDown(vk);
    keyUp(vk);
}

void TestScreen::type(const std::string& text)
{
    static const std::string shifted = ")!@#$%^&*(";
    for (char c : text) {
        int vk = 0;
        bool shift = false;
        if (std::isalpha(static_cast<unsigned char>(c))) {
            vk = std::toupper(static_cast<unsigned char>(c));
            shift = std::isupper(static_cast<unsigned char>(c)) != 0;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            vk = c;
        } else if (auto pos = shifted.find(c); pos != std::string::npos) {
            vk = '0' + static_cast<int>(pos);
            shift = true;
        } else if (c == ' ') {
            vk = VK_SPACE;
        } else if (c == '\n' || c == '\r') {
            vk = VK_RETURN;
        } else if (c == '.') {
            vk = VK_OEM_PERIOD;
        } else if (c == ',') {
            vk = VK_OEM_COMMA;
        } else if (c == '-') {
            vk = VK_OEM_MINUS;
        } else if (c == '\\') {
            vk = VK_OEM_5;
        } else if (c == '/') {
            vk = VK_OEM_2;
        } else if (c == ':') {
            vk = VK_OEM_1;
            shift = true;
        } else {
            continue;
        }
        if (shift)
            InjectKey(VK_SHIFT, true);
        InjectKey(vk, true);
        InjectKey(vk, false);
        if (shift)
            InjectKey(VK_SHIFT, false);
        pump();
    }
}

HWND TestScreen::find(LPCSTR className, LPCSTR title, HWND parent) const
{
    if (!parent)
        return FindWindow(className, title);
    struct Search {
        LPCSTR className;
        LPCSTR title;
        HWND found;
    } search { className, title, nullptr };
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM l) {
            auto* s = reinterpret_cast<Search*>(l);
            if (FindWindowEx(GetParent(h), GetWindow(h, GW_HWNDPREV), s->className, s->title) == h) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

COLORREF TestScreen::pixel(int x, int y) const
{
    auto surface = Screen::Instance().surface();
    if (!surface || !surface->contains(x, y))
        return CLR_INVALID;
    return gdi::colorFromPixel(surface->pixel(x, y));
}

bool TestScreen::savePng(const std::string& path) const
{
    auto surface = Screen::Instance().surface();
    return surface && surface->writePng(path.c_str());
}

std::string TestScreen::compareWithGolden(const RECT& area, const std::string& goldenPath) const
{
    auto screen = Screen::Instance().surface();
    auto actual
        = screen ? screen->copy(area.left, area.top, area.right - area.left, area.bottom - area.top) : nullptr;
    if (!actual)
        return "the area " + std::to_string(area.left) + "," + std::to_string(area.top) + " is off the screen";
    const auto golden = gdi::Surface::readPng(goldenPath.c_str());
    std::string difference;
    if (!golden) {
        difference = "no golden picture " + goldenPath;
    } else if (golden->width() != actual->width() || golden->height() != actual->height()) {
        difference = "the golden picture is " + std::to_string(golden->width()) + "x"
            + std::to_string(golden->height()) + ", the screen's area " + std::to_string(actual->width()) + "x"
            + std::to_string(actual->height());
    } else {
        int count = 0;
        POINT first { -1, -1 };
        for (int y = 0; y < actual->height(); ++y)
            for (int x = 0; x < actual->width(); ++x)
                if (actual->pixel(x, y) != golden->pixel(x, y) && count++ == 0)
                    first = { x, y };
        if (count)
            difference = std::to_string(count) + " pixels differ, the first at " + std::to_string(first.x) + ","
                + std::to_string(first.y);
    }
    if (difference.empty())
        return {};
    const std::string stem = goldenPath.ends_with(".png") ? goldenPath.substr(0, goldenPath.size() - 4) : goldenPath;
    const std::string actualPath = stem + ".actual.png";
    return difference + (actual->writePng(actualPath.c_str()) ? "; actual picture: " + actualPath : "");
}

} // namespace platform::user
