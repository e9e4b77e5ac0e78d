// The sdl back-end: one real window the size of the screen, showing its pixels; the window's
// mouse, keyboard, resize and drop events become input of the window manager.

#include <SDL.h>

#include <array>
#include <map>
#include <thread>

#include "platform/base/Paths.h"
#include "platform/user/CursorImage.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

namespace {

int virtualKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + (key - SDLK_F1);
    struct Pair {
        SDL_Keycode sdl;
        int vk;
    };
    static const Pair keys[] = { { SDLK_RETURN, VK_RETURN }, { SDLK_ESCAPE, VK_ESCAPE }, { SDLK_BACKSPACE, VK_BACK },
        { SDLK_TAB, VK_TAB }, { SDLK_SPACE, VK_SPACE }, { SDLK_DELETE, VK_DELETE }, { SDLK_INSERT, VK_INSERT },
        { SDLK_HOME, VK_HOME }, { SDLK_END, VK_END }, { SDLK_PAGEUP, VK_PRIOR }, { SDLK_PAGEDOWN, VK_NEXT },
        { SDLK_LEFT, VK_LEFT }, { SDLK_RIGHT, VK_RIGHT }, { SDLK_UP, VK_UP }, { SDLK_DOWN, VK_DOWN },
        { SDLK_LSHIFT, VK_SHIFT }, { SDLK_RSHIFT, VK_SHIFT }, { SDLK_LCTRL, VK_CONTROL }, { SDLK_RCTRL, VK_CONTROL },
        { SDLK_LALT, VK_MENU }, { SDLK_RALT, VK_MENU }, { SDLK_CAPSLOCK, VK_CAPITAL }, { SDLK_SEMICOLON, VK_OEM_1 },
        { SDLK_EQUALS, VK_OEM_PLUS }, { SDLK_COMMA, VK_OEM_COMMA }, { SDLK_MINUS, VK_OEM_MINUS },
        { SDLK_PERIOD, VK_OEM_PERIOD }, { SDLK_SLASH, VK_OEM_2 }, { SDLK_BACKQUOTE, VK_OEM_3 },
        { SDLK_LEFTBRACKET, VK_OEM_4 }, { SDLK_BACKSLASH, VK_OEM_5 }, { SDLK_RIGHTBRACKET, VK_OEM_6 },
        { SDLK_QUOTE, VK_OEM_7 }, { SDLK_APPLICATION, VK_APPS } };
    for (const Pair& p : keys)
        if (p.sdl == key)
            return p.vk;
    return 0;
}

class SdlBackend final : public DisplayBackend {
public:
    SdlBackend(SDL_Window* window, SDL_Renderer* renderer)
        : m_window(window)
        , m_renderer(renderer)
    {
    }
    ~SdlBackend() override
    {
        if (m_texture)
            SDL_DestroyTexture(m_texture);
        for (SDL_Cursor* c : m_cursors)
            if (c)
                SDL_FreeCursor(c);
        for (const auto& [handle, c] : m_ownCursors)
            if (c)
                SDL_FreeCursor(c);
        SDL_DestroyRenderer(m_renderer);
        SDL_DestroyWindow(m_window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    const char* name() const override { return "sdl"; }

    void resize(int width, int height) override
    {
        if (std::this_thread::get_id() != m_thread)
            return;
        int w = 0, h = 0;
        SDL_GetWindowSize(m_window, &w, &h);
        if (w != width || h != height)
            SDL_SetWindowSize(m_window, width, height);
    }

    void setCursor(HCURSOR cursor) override
    {
        if (std::this_thread::get_id() != m_thread)
            return;
        struct Shape {
            LPCSTR id;
            SDL_SystemCursor sdl;
        };
        static const Shape shapes[] = { { IDC_IBEAM, SDL_SYSTEM_CURSOR_IBEAM }, { IDC_WAIT, SDL_SYSTEM_CURSOR_WAIT },
            { IDC_CROSS, SDL_SYSTEM_CURSOR_CROSSHAIR }, { IDC_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENWSE },
            { IDC_SIZENESW, SDL_SYSTEM_CURSOR_SIZENESW }, { IDC_SIZEWE, SDL_SYSTEM_CURSOR_SIZEWE },
            { IDC_SIZENS, SDL_SYSTEM_CURSOR_SIZENS }, { IDC_SIZEALL, SDL_SYSTEM_CURSOR_SIZEALL },
            { IDC_NO, SDL_SYSTEM_CURSOR_NO }, { IDC_HAND, SDL_SYSTEM_CURSOR_HAND },
            { IDC_APPSTARTING, SDL_SYSTEM_CURSOR_WAITARROW } };
        SDL_SystemCursor wanted = SDL_SYSTEM_CURSOR_ARROW;
        bool standard = !cursor || cursor == LoadCursor(nullptr, IDC_ARROW);
        for (const Shape& s : shapes)
            if (cursor && cursor == LoadCursor(nullptr, s.id)) {
                wanted = s.sdl;
                standard = true;
            }
        // A cursor of the program's own resources is drawn from its picture.
        if (!standard) {
            if (SDL_Cursor* own = ownCursor(cursor)) {
                SDL_SetCursor(own);
                SDL_ShowCursor(SDL_ENABLE);
                return;
            }
        }
        if (!m_cursors[wanted])
            m_cursors[wanted] = SDL_CreateSystemCursor(wanted);
        if (m_cursors[wanted])
            SDL_SetCursor(m_cursors[wanted]);
        SDL_ShowCursor(cursor ? SDL_ENABLE : SDL_DISABLE);
    }

    SDL_Cursor* ownCursor(HCURSOR cursor)
    {
        if (const auto it = m_ownCursors.find(cursor); it != m_ownCursors.end())
            return it->second;
        CursorImage image;
        SDL_Cursor* made = nullptr;
        if (CursorImageOf(cursor, image)) {
            if (SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(image.argb.data(), image.width, image.height,
                    32, image.width * 4, SDL_PIXELFORMAT_ARGB8888)) {
                made = SDL_CreateColorCursor(surface, image.hotSpot.x, image.hotSpot.y);
                SDL_FreeSurface(surface);
            }
        }
        m_ownCursors[cursor] = made;
        return made;
    }

    void present(const gdi::Surface& screen) override
    {
        if (std::this_thread::get_id() != m_thread)
            return;
        if (!m_texture || m_textureWidth != screen.width() || m_textureHeight != screen.height()) {
            if (m_texture)
                SDL_DestroyTexture(m_texture);
            m_texture = SDL_CreateTexture(
                m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, screen.width(), screen.height());
            m_textureWidth = screen.width();
            m_textureHeight = screen.height();
        }
        if (!m_texture)
            return;
        const int pitch = static_cast<int>((screen.height() > 1 ? screen.row(1) - screen.row(0) : screen.width()) * 4);
        SDL_UpdateTexture(m_texture, nullptr, screen.row(0), pitch);
        SDL_RenderClear(m_renderer);
        SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
        SDL_RenderPresent(m_renderer);
    }

    bool pump(unsigned timeoutMs) override
    {
        if (std::this_thread::get_id() != m_thread)
            return false;
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, static_cast<int>(timeoutMs))) {
            handle(event);
            while (SDL_PollEvent(&event))
                handle(event);
        }
        return true;
    }

    std::shared_ptr<gdi::Surface> shown() override
    {
        if (std::this_thread::get_id() != m_thread)
            return nullptr;
        int w = 0, h = 0;
        if (SDL_GetRendererOutputSize(m_renderer, &w, &h) != 0 || w <= 0 || h <= 0)
            return nullptr;
        auto surface = gdi::Surface::create(w, h, false);
        if (!surface)
            return nullptr;
        const int pitch = static_cast<int>((h > 1 ? surface->row(1) - surface->row(0) : w) * 4);
        if (SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGB888, surface->row(0), pitch) != 0)
            return nullptr;
        return surface;
    }

private:
    void handle(const SDL_Event& e)
    {
        switch (e.type) {
        case SDL_MOUSEMOTION:
            InjectMouseMove(POINT { e.motion.x, e.motion.y });
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            InjectMouseMove(POINT { e.button.x, e.button.y });
            if (e.button.button == SDL_BUTTON_LEFT)
                InjectMouseButton(MouseButton::Left, down);
            else if (e.button.button == SDL_BUTTON_RIGHT)
                InjectMouseButton(MouseButton::Right, down);
            else if (e.button.button == SDL_BUTTON_MIDDLE)
                InjectMouseButton(MouseButton::Middle, down);
            break;
        }
        case SDL_MOUSEWHEEL:
            InjectMouseWheel(e.wheel.y * WHEEL_DELTA);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (int vk = virtualKey(e.key.keysym.sym))
                InjectKey(vk, e.type == SDL_KEYDOWN);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                Screen::Instance().resize(e.window.data1, e.window.data2);
            break;
        case SDL_DROPFILE:
            if (e.drop.file) {
                POINT at;
                GetCursorPos(&at);
                InjectDropFiles(at, { platform::ToProgramPath(e.drop.file) });
                SDL_free(e.drop.file);
            }
            break;
        case SDL_QUIT: {
            // Closing the real window closes the program's main windows.
            const auto mainWindows = [](const Window& top) { return top.visibleFlag() && !top.owner; };
            for (HWND top : TopLevelWindows(mainWindows))
                PostMessage(top, WM_CLOSE, 0, 0);
            break;
        }
        default:
            break;
        }
    }

    SDL_Window* m_window { nullptr };
    SDL_Renderer* m_renderer { nullptr };
    SDL_Texture* m_texture { nullptr };
    std::array<SDL_Cursor*, SDL_NUM_SYSTEM_CURSORS> m_cursors {};
    // Cursors of resources, made once each (null when the picture could not be read).
    std::map<HCURSOR, SDL_Cursor*> m_ownCursors;
    int m_textureWidth { 0 };
    int m_textureHeight { 0 };
    std::thread::id m_thread { std::this_thread::get_id() };
};

} // namespace

std::unique_ptr<DisplayBackend> CreateSdlBackend(int width, int height)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_Window* window = SDL_CreateWindow(
        "Tune Steward", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, SDL_WINDOW_RESIZABLE);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::make_unique<SdlBackend>(window, renderer);
}

} // namespace platform::user
