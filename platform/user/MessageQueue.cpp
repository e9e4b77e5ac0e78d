#include "platform/user/MessageQueue.h"

#include "platform/base/Thread.h"
#include "platform/user/Internal.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

namespace {

// Ends the thread's part in the window manager when the thread ends.
struct QueueHolder {
    std::shared_ptr<MessageQueue> queue;

    ~QueueHolder()
    {
        if (!queue)
            return;
        std::deque<std::shared_ptr<SentMessage>> pending;
        {
            auto lock = WindowManager::Acquire();
            queue->alive = false;
            pending.swap(queue->sent);
            WindowManager::Instance().queues.erase(queue->threadId);
        }
        for (auto& sent : pending)
            CompleteSent(*sent, 0);
        DestroyThreadWindows(queue->threadId);
    }
};

thread_local QueueHolder t_holder;

} // namespace

MessageQueue::MessageQueue(DWORD id)
    : threadId(id)
    , wakeSignal(CurrentWakeSignal())
{
}

std::shared_ptr<MessageQueue> MessageQueue::Current()
{
    if (t_holder.queue)
        return t_holder.queue;
    auto queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
    {
        auto lock = WindowManager::Acquire();
        WindowManager::Instance().queues[queue->threadId] = queue;
    }
    t_holder.queue = queue;
    // Every wait of this thread serves the messages other threads send it, so that a thread blocked
    // in a plain wait cannot deadlock a sender.
    platform::SetWaitHook([] {
        if (t_holder.queue)
            t_holder.queue->serveSent();
    });
    return queue;
}

std::shared_ptr<MessageQueue> MessageQueue::OfThread(DWORD id)
{
    auto lock = WindowManager::Acquire();
    auto& queues = WindowManager::Instance().queues;
    auto it = queues.find(id);
    return it == queues.end() ? nullptr : it->second.lock();
}

void MessageQueue::wake() const
{
    if (wakeSignal)
        wakeSignal->Raise();
}

bool MessageQueue::serveSent()
{
    bool any = false;
    for (;;) {
        std::shared_ptr<SentMessage> item;
        {
            auto lock = WindowManager::Acquire();
            if (sent.empty())
                return any;
            item = sent.front();
            sent.pop_front();
            item->started = true;
            serving.push_back(item);
        }
        any = true;
        const LRESULT result = CallProcedure(item->msg.hwnd, item->msg.message, item->msg.wParam, item->msg.lParam);
        {
            auto lock = WindowManager::Acquire();
            serving.pop_back();
        }
        CompleteSent(*item, result);
    }
}

void CompleteSent(SentMessage& sent, LRESULT result)
{
    std::shared_ptr<WakeSignal> wake;
    {
        auto lock = WindowManager::Acquire();
        if (sent.done)
            return;
        sent.done = true;
        sent.result = result;
        wake = sent.senderWake;
    }
    if (wake)
        wake->Raise();
}

} // namespace platform::user
