#include <map>
#include <mutex>

#include "platform/com/ObjBase.h"
#include "platform/gdi/Images.h"
#include "platform/shell/OleIdl.h"
#include "platform/user/WinUser.h"

namespace {

// Drop targets by window; each holds a reference until revoked.
class TargetRegistry {
public:
    static TargetRegistry& Instance()
    {
        static TargetRegistry registry;
        return registry;
    }

    HRESULT Add(HWND hwnd, IDropTarget* target)
    {
        std::lock_guard lock(m_mutex);
        if (m_targets.count(hwnd))
            return DRAGDROP_E_ALREADYREGISTERED;
        target->AddRef();
        m_targets[hwnd] = target;
        return S_OK;
    }
    IDropTarget* Remove(HWND hwnd)
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_targets.find(hwnd);
        if (it == m_targets.end())
            return nullptr;
        IDropTarget* target = it->second;
        m_targets.erase(it);
        return target;
    }
    IDropTarget* Find(HWND hwnd) const
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_targets.find(hwnd);
        return it == m_targets.end() ? nullptr : it->second;
    }

private:
    mutable std::mutex m_mutex;
    std::map<HWND, IDropTarget*> m_targets;
};

constexpr const char* kTrackerClass = "OleDragTracker";

DWORD CurrentKeyState()
{
    DWORD state = 0;
    const auto down = [](int vk) { return GetKeyState(vk) < 0; };
    if (down(VK_LBUTTON))
        state |= MK_LBUTTON;
    if (down(VK_RBUTTON))
        state |= MK_RBUTTON;
    if (down(VK_MBUTTON))
        state |= MK_MBUTTON;
    if (down(VK_SHIFT))
        state |= MK_SHIFT;
    if (down(VK_CONTROL))
        state |= MK_CONTROL;
    if (down(VK_MENU))
        state |= MK_ALT;
    return state;
}

bool IsPointerMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// One drag: a hidden window of its own holds the capture while the loop runs, so that every pointer
// message comes here whatever lies under the pointer.
class DragLoop {
public:
    DragLoop(IDataObject* data, IDropSource* source, DWORD allowed)
        : m_data(data)
        , m_source(source)
        , m_allowed(allowed)
    {
    }
    DragLoop(const DragLoop&) = delete;
    DragLoop& operator=(const DragLoop&) = delete;
    ~DragLoop()
    {
        setTarget(nullptr, nullptr);
        if (m_tracker) {
            if (GetCapture() == m_tracker)
                ReleaseCapture();
            DestroyWindow(m_tracker);
        }
    }

    HRESULT run(DWORD* effect)
    {
        *effect = DROPEFFECT_NONE;
        WNDCLASS wc {};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = kTrackerClass;
        RegisterClass(&wc); // fails harmlessly once the class exists
        m_tracker = CreateWindowEx(0, kTrackerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        if (!m_tracker)
            return E_OUTOFMEMORY;
        SetCapture(m_tracker);
        // Input may be queued past the press that started the drag: begin where that press was.
        const DWORD start = GetMessagePos();
        m_point = { static_cast<SHORT>(LOWORD(start)), static_cast<SHORT>(HIWORD(start)) };
        m_keyState = CurrentKeyState();

        HRESULT state = step(false);
        while (state == S_OK) {
            MSG msg;
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                // The outer loop must still see the quit.
                PostQuitMessage(static_cast<int>(msg.wParam));
                state = DRAGDROP_S_CANCEL;
                break;
            }
            if (GetCapture() != m_tracker) {
                state = DRAGDROP_S_CANCEL;
                break;
            }
            bool escape = false;
            if (IsPointerMessage(msg.message)) {
                m_point = msg.pt;
            } else if (IsKeyMessage(msg.message)) {
                escape = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
            } else {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
                continue;
            }
            m_keyState = CurrentKeyState();
            state = step(escape);
        }

        if (state == DRAGDROP_S_DROP && m_target && (m_effect & m_allowed) != DROPEFFECT_NONE) {
            DWORD dropped = m_allowed;
            IDropTarget* target = m_target;
            target->AddRef();
            const HRESULT result = target->Drop(m_data, m_keyState, pointl(), &dropped);
            target->Release();
            // The target has had its drop: no DragLeave follows.
            m_target->Release();
            m_target = nullptr;
            *effect = SUCCEEDED(result) ? dropped & m_allowed : DROPEFFECT_NONE;
        }
        return state == DRAGDROP_S_DROP || FAILED(state) ? state : DRAGDROP_S_CANCEL;
    }

private:
    POINTL pointl() const { return { m_point.x, m_point.y }; }

    // Asks the source whether to go on and, while it does, follows the pointer with the targets.
    HRESULT step(bool escape)
    {
        const HRESULT state = m_source->QueryContinueDrag(escape ? TRUE : FALSE, m_keyState);
        if (state != S_OK)
            return state;
        track();
        if (m_source->GiveFeedback(m_effect) == DRAGDROP_S_USEDEFAULTCURSORS)
            SetCursor(LoadCursor(nullptr, (m_effect & m_allowed) ? IDC_ARROW : IDC_NO));
        return S_OK;
    }

    void track()
    {
        HWND window = WindowFromPoint(m_point);
        IDropTarget* target = nullptr;
        while (window && !(target = TargetRegistry::Instance().Find(window)))
            window = (GetWindowLong(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;

        DWORD effect = m_allowed;
        if (window != m_targetWindow || target != m_target) {
            setTarget(window, target);
            if (m_target && FAILED(m_target->DragEnter(m_data, m_keyState, pointl(), &effect)))
                effect = DROPEFFECT_NONE;
        } else if (m_target) {
            if (FAILED(m_target->DragOver(m_keyState, pointl(), &effect)))
                effect = DROPEFFECT_NONE;
        }
        m_effect = m_target ? effect & (m_allowed | DROPEFFECT_SCROLL) : DROPEFFECT_NONE;
    }

    // Leaves the current target (telling it so) and takes another, holding a reference meanwhile.
    void setTarget(HWND window, IDropTarget* target)
    {
        if (m_target) {
            IDropTarget* left = m_target;
            m_target = nullptr;
            left->DragLeave();
            left->Release();
        }
        m_targetWindow = window;
        m_target = target;
        if (m_target)
            m_target->AddRef();
    }

    IDataObject* m_data;
    IDropSource* m_source;
    const DWORD m_allowed;
    HWND m_tracker { nullptr };
    HWND m_targetWindow { nullptr };
    IDropTarget* m_target { nullptr };
    DWORD m_effect { DROPEFFECT_NONE };
    DWORD m_keyState { 0 };
    POINT m_point {};
};

} // namespace

namespace platform {

IDropTarget* RegisteredDropTarget(HWND hwnd)
{
    return TargetRegistry::Instance().Find(hwnd);
}

} // namespace platform

HRESULT OleInitialize(LPVOID)
{
    return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

void OleUninitialize()
{
    CoUninitialize();
}

HRESULT RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget)
{
    if (!IsWindow(hwnd))
        return DRAGDROP_E_INVALIDHWND;
    if (!pDropTarget)
        return E_INVALIDARG;
    return TargetRegistry::Instance().Add(hwnd, pDropTarget);
}

HRESULT RevokeDragDrop(HWND hwnd)
{
    IDropTarget* target = TargetRegistry::Instance().Remove(hwnd);
    if (!target)
        return DRAGDROP_E_NOTREGISTERED;
    target->Release();
    return S_OK;
}

HRESULT DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects, LPDWORD pdwEffect)
{
    if (!pDataObj || !pDropSource || !pdwEffect)
        return E_INVALIDARG;
    pDataObj->AddRef();
    pDropSource->AddRef();
    HRESULT result;
    {
        DragLoop loop(pDataObj, pDropSource, dwOKEffects);
        result = loop.run(pdwEffect);
    }
    pDropSource->Release();
    pDataObj->Release();
    return result;
}
