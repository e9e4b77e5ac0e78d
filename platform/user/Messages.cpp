// Sending, posting and retrieving messages; nested loops are plain re-entrant calls of these.

#include <algorithm>
#include <map>
#include <string>

#include "platform/base/CaseFold.h"
#include "platform/base/Clock.h"
#include "platform/base/SystemTime.h"
#include "platform/base/Thread.h"
#include "platform/user/Internal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace platform::user {

long long UptimeMs() { return platform::CurrentUptime().count(); }

DWORD MessageTime() { return GetTickCount(); }

bool MessageFilter::accepts(const Window* w, HWND msgHwnd, UINT message) const
{
    if ((min || max) && (message < min || message > max))
        return false;
    if (!hwnd)
        return true;
    if (hwnd == reinterpret_cast<HWND>(-1))
        return msgHwnd == nullptr;
    if (msgHwnd == hwnd)
        return true;
    for (const Window* p = w ? w->parent : nullptr; p; p = p->parent)
        if (p->handle == hwnd)
            return true;
    return false;
}

} // namespace platform::user

namespace {

const HWND kThreadMessages = reinterpret_cast<HWND>(-1);

bool rangeHas(UINT min, UINT max, UINT message) { return (!min && !max) || (message >= min && message <= max); }

bool postTo(MessageQueue& queue, const MSG& msg)
{
    {
        auto lock = WindowManager::Acquire();
        if (!queue.alive)
            return false;
        queue.posted.push_back(msg);
        queue.changedBits |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    }
    queue.wake();
    return true;
}

MSG makeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = MessageTime();
    auto lock = WindowManager::Acquire();
    msg.pt = WindowManager::Instance().cursorPos;
    return msg;
}

// The kinds of message waiting in a queue (QS_* bits); with the lock held.
UINT queueKinds(MessageQueue& queue)
{
    UINT kinds = 0;
    if (!queue.posted.empty() || queue.quitPosted)
        kinds |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    for (const MSG& m : queue.input) {
        if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
            kinds |= QS_KEY;
        else if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE)
            kinds |= QS_MOUSEMOVE;
        else
            kinds |= QS_MOUSEBUTTON;
    }
    if (!queue.sent.empty())
        kinds |= QS_SENDMESSAGE;
    if (FindPaintWindow(queue, MessageFilter {}))
        kinds |= QS_PAINT;
    const long long due = NextTimerDue(queue);
    if (due >= 0 && due <= UptimeMs())
        kinds |= QS_TIMER;
    return kinds;
}

enum class Fetch { None, Found, Quit, Bad };

// With the lock held: the first message of the list that passes the filter, taken off it when remove.
bool takeFirst(std::deque<MSG>& list, const MessageFilter& filter, bool remove, MSG& msg)
{
    auto& manager = WindowManager::Instance();
    const auto it = std::find_if(list.begin(), list.end(),
        [&](const MSG& m) { return filter.accepts(manager.find(m.hwnd).get(), m.hwnd, m.message); });
    if (it == list.end())
        return false;
    msg = *it;
    if (remove)
        list.erase(it);
    return true;
}

Fetch fetch(MSG* out, HWND hwnd, UINT min, UINT max, UINT removeFlags, bool wait)
{
    auto queue = MessageQueue::Current();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (hwnd && hwnd != kThreadMessages && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return Fetch::Bad;
    }
    const MessageFilter filter { hwnd, min, max };
    for (;;) {
        PumpDisplay(0);
        queue->serveSent();
        MSG msg;
        enum { None, Posted, Input, Quit, Paint, TimerMsg } kind = None;
        long long nextDue = -1;
        {
            auto lock = WindowManager::Acquire();
            auto& manager = WindowManager::Instance();
            if (takeFirst(queue->posted, filter, remove, msg))
                kind = Posted;
            else if (takeFirst(queue->input, filter, remove, msg))
                kind = Input;
            if (kind == None && queue->quitPosted && rangeHas(min, max, WM_QUIT)) {
                msg = makeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(queue->quitCode), 0);
                if (remove)
                    queue->quitPosted = false;
                kind = Quit;
            }
            if (kind == None && rangeHas(min, max, WM_PAINT)) {
                if (HWND paint = FindPaintWindow(*queue, filter)) {
                    msg = makeMsg(paint, WM_PAINT, 0, 0);
                    kind = Paint;
                }
            }
            if (kind == None && rangeHas(min, max, WM_TIMER) && FetchTimer(*queue, filter, remove, msg)) {
                msg.time = MessageTime();
                msg.pt = manager.cursorPos;
                kind = TimerMsg;
            }
            if (kind == None)
                nextDue = NextTimerDue(*queue);
        }
        if (kind == Input)
            RetargetToCapture(msg);
        if (kind == Input && (!msg.hwnd || !TakeInputMessage(msg, remove))) {
            if (!remove) {
                auto lock = WindowManager::Acquire();
                auto it = std::find_if(queue->input.begin(), queue->input.end(),
                    [&](const MSG& m) { return m.time == msg.time && m.pt.x == msg.pt.x && m.pt.y == msg.pt.y; });
                if (it != queue->input.end())
                    queue->input.erase(it);
            }
            continue;
        }
        if (kind != None) {
            if (remove) {
                auto lock = WindowManager::Acquire();
                queue->last = msg;
            }
            if (HasHooks(WH_GETMESSAGE))
                CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg));
            if (out)
                *out = msg;
            return kind == Quit ? Fetch::Quit : Fetch::Found;
        }
        PresentScreen();
        if (!wait)
            return Fetch::None;
        DWORD timeout = INFINITE;
        if (nextDue >= 0)
            timeout = static_cast<DWORD>(std::max<long long>(0, nextDue - UptimeMs()));
        if (PumpDisplay(std::min<DWORD>(timeout, 10)))
            continue;
        if (platform::WaitForObjects({}, false, timeout, platform::WakeMode::Return) == WAIT_FAILED) {
            // The thread was asked to stop: its message loop ends as if told to quit.
            if (out) {
                *out = MSG {};
                out->message = WM_QUIT;
            }
            return Fetch::Quit;
        }
    }
}

std::map<std::string, UINT>& registeredMessages()
{
    static std::map<std::string, UINT> table;
    return table;
}

LRESULT sendAcross(const std::shared_ptr<Window>& window, const MSG& msg, DWORD timeoutMs, bool notify, bool* timedOut)
{
    auto self = MessageQueue::Current();
    auto target = window->queue;
    auto item = std::make_shared<SentMessage>();
    item->msg = msg;
    item->notify = notify;
    item->senderWake = notify ? nullptr : self->wakeSignal;
    {
        auto lock = WindowManager::Acquire();
        if (!target || !target->alive)
            return 0;
        target->sent.push_back(item);
        target->changedBits |= QS_SENDMESSAGE;
    }
    target->wake();
    if (notify)
        return 0;
    const long long deadline = timeoutMs == INFINITE ? -1 : UptimeMs() + timeoutMs;
    for (;;) {
        self->serveSent();
        {
            auto lock = WindowManager::Acquire();
            if (item->done)
                return item->result;
        }
        DWORD wait = INFINITE;
        if (deadline >= 0) {
            const long long left = deadline - UptimeMs();
            if (left <= 0) {
                auto lock = WindowManager::Acquire();
                if (!item->started) {
                    auto& list = target->sent;
                    list.erase(std::remove(list.begin(), list.end(), item), list.end());
                }
                item->senderWake = nullptr;
                if (timedOut)
                    *timedOut = true;
                return 0;
            }
            wait = static_cast<DWORD>(left);
        }
        if (platform::WaitForObjects({}, false, wait, platform::WakeMode::Return) == WAIT_FAILED) {
            auto lock = WindowManager::Acquire();
            item->senderWake = nullptr;
            return 0;
        }
    }
}

LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs, bool notify, bool* timedOut)
{
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : TopLevelWindows())
            sendMessage(h, message, wParam, lParam, timeoutMs, notify, nullptr);
        return 0;
    }
    std::shared_ptr<Window> window;
    bool local = false;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        if (hwnd == manager.desktop().handle) {
            local = true;
        } else {
            window = manager.find(hwnd);
            if (!window) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return 0;
            }
            local = window->threadId() == GetCurrentThreadId();
        }
    }
    if (local) {
        if (HasHooks(WH_CALLWNDPROC)) {
            CWPSTRUCT cwp { lParam, wParam, message, hwnd };
            CallHooks(WH_CALLWNDPROC, HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
        }
        return CallProcedure(hwnd, message, wParam, lParam);
    }
    return sendAcross(window, makeMsg(hwnd, message, wParam, lParam), timeoutMs, notify, timedOut);
}

} // namespace

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return sendMessage(hwnd, message, wParam, lParam, INFINITE, false, nullptr);
}

LRESULT SendMessageTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT timeout, PDWORD_PTR result)
{
    if (!IsWindow(hwnd) && hwnd != HWND_BROADCAST) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    bool timedOut = false;
    const LRESULT r = sendMessage(hwnd, message, wParam, lParam, timeout, false, &timedOut);
    if (timedOut) {
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    if (result)
        *result = static_cast<DWORD_PTR>(r);
    return TRUE;
}

BOOL SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hwnd) && hwnd != HWND_BROADCAST) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    sendMessage(hwnd, message, wParam, lParam, INFINITE, true, nullptr);
    return TRUE;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd)
        return PostThreadMessage(GetCurrentThreadId(), message, wParam, lParam);
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : TopLevelWindows())
            PostMessage(h, message, wParam, lParam);
        return TRUE;
    }
    std::shared_ptr<MessageQueue> queue;
    {
        auto lock = WindowManager::Acquire();
        auto window = WindowManager::Instance().find(hwnd);
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        queue = window->queue;
    }
    return queue && postTo(*queue, makeMsg(hwnd, message, wParam, lParam)) ? TRUE : FALSE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto queue = threadId == GetCurrentThreadId() ? MessageQueue::Current() : MessageQueue::OfThread(threadId);
    if (!queue || !postTo(*queue, makeMsg(nullptr, message, wParam, lParam))) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT min, UINT max)
{
    switch (fetch(msg, hwnd, min, max, PM_REMOVE, true)) {
    case Fetch::Found:
        return TRUE;
    case Fetch::Quit:
        return FALSE;
    default:
        return -1;
    }
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT remove)
{
    const Fetch r = fetch(msg, hwnd, min, max, remove, false);
    return r == Fetch::Found || r == Fetch::Quit ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg)
        return FALSE;
    if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP)
        return TRUE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return FALSE;
    const int vk = static_cast<int>(msg->wParam);
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    int ch = 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl && !(msg->lParam & KF_ALTDOWN_BIT))
            ch = vk - 'A' + 1;
        else
            ch = (shift != caps) ? vk : vk - 'A' + 'a';
    } else if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        ch = shift ? shifted[vk - '0'] : vk;
    } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        ch = '0' + (vk - VK_NUMPAD0);
    } else {
        struct Key {
            int vk;
            char plain;
            char shifted;
        };
        static const Key keys[] = { { VK_SPACE, ' ', ' ' }, { VK_RETURN, '\r', '\r' }, { VK_BACK, 8, 8 },
            { VK_TAB, '\t', '\t' }, { VK_ESCAPE, 27, 27 }, { VK_OEM_1, ';', ':' }, { VK_OEM_PLUS, '=', '+' },
            { VK_OEM_COMMA, ',', '<' }, { VK_OEM_MINUS, '-', '_' }, { VK_OEM_PERIOD, '.', '>' }, { VK_OEM_2, '/', '?' },
            { VK_OEM_3, '`', '~' }, { VK_OEM_4, '[', '{' }, { VK_OEM_5, '\\', '|' }, { VK_OEM_6, ']', '}' },
            { VK_OEM_7, '\'', '"' }, { VK_MULTIPLY, '*', '*' }, { VK_ADD, '+', '+' }, { VK_SUBTRACT, '-', '-' },
            { VK_DECIMAL, '.', '.' }, { VK_DIVIDE, '/', '/' } };
        for (const Key& k : keys)
            if (k.vk == vk)
                ch = shift ? k.shifted : k.plain;
    }
    if (!ch)
        return TRUE;
    auto queue = MessageQueue::Current();
    MSG charMsg = *msg;
    charMsg.message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    charMsg.wParam = static_cast<WPARAM>(ch);
    {
        auto lock = WindowManager::Acquire();
        queue->posted.push_front(charMsg);
    }
    queue->wake();
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        TIMERPROC proc = nullptr;
        {
            auto lock = WindowManager::Acquire();
            auto queue = MessageQueue::Current();
            for (const Timer& t : queue->timers)
                if (t.hwnd == msg->hwnd && t.id == msg->wParam && reinterpret_cast<LPARAM>(t.proc) == msg->lParam)
                    proc = t.proc;
        }
        if (proc)
            proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    {
        auto window = LookupWindow(msg->hwnd);
        if (!window || window->threadId() != GetCurrentThreadId())
            return 0;
    }
    const LRESULT r = CallProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A procedure that validated without BeginPaint still gets its frame painted, so that the
        // frame does not ask for WM_PAINT for ever.
        bool frame = false;
        {
            auto lock = WindowManager::Acquire();
            if (auto window = WindowManager::Instance().find(msg->hwnd)) {
                window->internalPaint = false;
                frame = std::exchange(window->framePaintDue, false);
            }
        }
        if (frame)
            SendMessage(msg->hwnd, WM_NCPAINT, 1, 0);
    }
    return r;
}

BOOL WaitMessage()
{
    return MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, 0) == WAIT_FAILED ? FALSE : TRUE;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD ms, DWORD mask, DWORD flags)
{
    if (count > MAXIMUM_WAIT_OBJECTS - 1 || (count && !handles)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    auto queue = MessageQueue::Current();
    const long long deadline = ms == INFINITE ? -1 : UptimeMs() + ms;
    for (;;) {
        // On the thread that shows the screen, a person's keys and clicks are the real window's events,
        // which arrive only when fetched: a modal loop idling here would otherwise never see them.
        const bool display = (mask & QS_INPUT) && PumpDisplay(0);
        queue->serveSent();
        long long nextDue = -1;
        {
            auto lock = WindowManager::Acquire();
            if (queueKinds(*queue) & mask & ~QS_SENDMESSAGE)
                return WAIT_OBJECT_0 + count;
            if (mask & QS_TIMER)
                nextDue = NextTimerDue(*queue);
        }
        long long until = deadline;
        if (nextDue >= 0 && (until < 0 || nextDue < until))
            until = nextDue;
        const DWORD wait = until < 0 ? INFINITE : static_cast<DWORD>(std::max<long long>(0, until - UptimeMs()));
        if (display) {
            // The objects are looked at without waiting and the display is waited on in short slices.
            const DWORD r = platform::WaitForObjects(
                std::span(handles, count), (flags & MWMO_WAITALL) != 0, 0, platform::WakeMode::Return);
            if (r != WAIT_TIMEOUT && r != WAIT_OBJECT_0 + count)
                return r;
            if (deadline >= 0 && UptimeMs() >= deadline)
                return WAIT_TIMEOUT;
            PresentScreen();
            PumpDisplay(std::min<DWORD>(wait, 10));
            continue;
        }
        const DWORD r = platform::WaitForObjects(
            std::span(handles, count), (flags & MWMO_WAITALL) != 0, wait, platform::WakeMode::Return);
        if (r == WAIT_OBJECT_0 + count)
            continue;
        if (r == WAIT_TIMEOUT) {
            if (deadline >= 0 && UptimeMs() >= deadline)
                return WAIT_TIMEOUT;
            continue;
        }
        return r;
    }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms, DWORD mask)
{
    return MsgWaitForMultipleObjectsEx(count, handles, ms, mask, waitAll ? MWMO_WAITALL : 0);
}

void PostQuitMessage(int code)
{
    auto queue = MessageQueue::Current();
    {
        auto lock = WindowManager::Acquire();
        queue->quitPosted = true;
        queue->quitCode = code;
    }
    queue->wake();
}

UINT RegisterWindowMessage(LPCSTR name)
{
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = WindowManager::Acquire();
    auto& table = registeredMessages();
    const std::string key = platform::FoldedCopy(name);
    auto it = table.find(key);
    if (it != table.end())
        return it->second;
    const UINT id = 0xC000 + static_cast<UINT>(table.size());
    if (id > 0xFFFF)
        return 0;
    table.emplace(key, id);
    return id;
}

BOOL InSendMessage()
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    return queue->serving.empty() ? FALSE : TRUE;
}

DWORD InSendMessageEx(LPVOID) { return InSendMessage() ? ISMEX_SEND : ISMEX_NOSEND; }

BOOL ReplyMessage(LRESULT result)
{
    auto queue = MessageQueue::Current();
    std::shared_ptr<SentMessage> current;
    {
        auto lock = WindowManager::Acquire();
        if (queue->serving.empty())
            return FALSE;
        current = queue->serving.back();
    }
    CompleteSent(*current, result);
    return TRUE;
}

DWORD GetMessagePos()
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    return static_cast<DWORD>(
        MAKELONG(static_cast<unsigned>(queue->last.pt.x), static_cast<unsigned>(queue->last.pt.y)));
}

LONG GetMessageTime()
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    return static_cast<LONG>(queue->last.time);
}

BOOL GetInputState()
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    return std::any_of(queue->input.begin(), queue->input.end(),
        [](const MSG& m) { return m.message != WM_MOUSEMOVE && m.message != WM_NCMOUSEMOVE; });
}

DWORD GetQueueStatus(UINT flags)
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    const UINT now = queueKinds(*queue) & flags;
    const UINT changed = queue->changedBits & flags;
    queue->changedBits = 0;
    return static_cast<DWORD>(MAKELONG(changed, now));
}

BOOL CallMsgFilter(LPMSG msg, int code)
{
    if (!msg)
        return FALSE;
    if (HasHooks(WH_SYSMSGFILTER) && CallHooks(WH_SYSMSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)))
        return TRUE;
    return HasHooks(WH_MSGFILTER) && CallHooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) ? TRUE : FALSE;
}
