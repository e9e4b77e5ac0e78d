// Timers on the installed clock: a due timer produces WM_TIMER when the queue has nothing else, and
// only one at a time however long it was overdue.

#include <algorithm>

#include "platform/user/Internal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

constexpr UINT kMinimumElapse = 10;
constexpr UINT kMaximumElapse = 0x7FFFFFFF;

} // namespace

namespace platform::user {

bool FetchTimer(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG& msg)
{
    const long long now = UptimeMs();
    auto& manager = WindowManager::Instance();
    for (Timer& t : queue.timers) {
        if (t.due > now || !filter.accepts(manager.find(t.hwnd).get(), t.hwnd, WM_TIMER))
            continue;
        msg = MSG {};
        msg.hwnd = t.hwnd;
        msg.message = WM_TIMER;
        msg.wParam = t.id;
        msg.lParam = reinterpret_cast<LPARAM>(t.proc);
        if (remove)
            t.due = now + t.elapse;
        return true;
    }
    return false;
}

long long NextTimerDue(const MessageQueue& queue)
{
    long long next = -1;
    for (const Timer& t : queue.timers)
        if (next < 0 || t.due < next)
            next = t.due;
    return next;
}

void KillWindowTimers(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    for (auto& [id, weak] : WindowManager::Instance().queues) {
        if (auto queue = weak.lock()) {
            auto& list = queue->timers;
            list.erase(
                std::remove_if(list.begin(), list.end(), [&](const Timer& t) { return t.hwnd == hwnd; }), list.end());
        }
    }
}

} // namespace platform::user

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    std::shared_ptr<MessageQueue> queue;
    if (hwnd) {
        auto window = LookupWindow(hwnd, true);
        if (!window)
            return 0;
        queue = window->queue;
    } else {
        queue = MessageQueue::Current();
    }
    elapse = std::clamp(elapse, kMinimumElapse, kMaximumElapse);
    {
        auto lock = WindowManager::Acquire();
        auto& list = queue->timers;
        auto it = std::find_if(list.begin(), list.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
        if (!hwnd && (it == list.end() || id == 0)) {
            id = queue->nextTimerId++;
            it = list.end();
        }
        Timer timer { hwnd, id, elapse, proc, UptimeMs() + elapse };
        if (it == list.end())
            list.push_back(timer);
        else
            *it = timer;
    }
    queue->wake();
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    std::shared_ptr<MessageQueue> queue;
    if (hwnd) {
        auto window = LookupWindow(hwnd);
        if (!window)
            return FALSE;
        queue = window->queue;
    } else {
        queue = MessageQueue::Current();
    }
    auto lock = WindowManager::Acquire();
    auto& list = queue->timers;
    auto it = std::find_if(list.begin(), list.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == list.end())
        return FALSE;
    list.erase(it);
    return TRUE;
}
