#pragma once
// A thread's message queue: posted messages, input, messages sent by other threads, the quit request,
// timers, and the thread's active window, focus, caret and key state. Made on first use by a thread;
// when the thread ends, messages still waiting to be served are answered with 0 and the thread's
// windows leave the tree.

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/base/Wait.h"
#include "platform/user/WinUser.h"

namespace platform::user {

class MessageQueue;

// A message sent from one thread to another, answered by the receiving thread.
struct SentMessage {
    MSG msg;
    LRESULT result { 0 };
    bool done { false };
    bool started { false };
    // No one waits for the answer (SendNotifyMessage).
    bool notify { false };
    std::shared_ptr<WakeSignal> senderWake;
};

struct Timer {
    HWND hwnd { nullptr };
    UINT_PTR id { 0 };
    UINT elapse { 0 };
    TIMERPROC proc { nullptr };
    long long due { 0 };
};

struct Caret {
    HWND hwnd { nullptr };
    POINT pos {};
    int width { 1 };
    int height { 1 };
    int hideCount { 1 };
    bool drawn { false };
};

class MessageQueue {
public:
    explicit MessageQueue(DWORD threadId);

    // The calling thread's queue, made (and its wait hook installed) on first use.
    static std::shared_ptr<MessageQueue> Current();
    // The queue of a thread, if it has one.
    static std::shared_ptr<MessageQueue> OfThread(DWORD threadId);

    // Serves the messages other threads have sent to this thread; true when it served any. Called by
    // the owning thread only.
    bool serveSent();
    // Raises the owning thread's wake signal.
    void wake() const;

    // All below under the window manager's lock.
    DWORD threadId { 0 };
    std::shared_ptr<WakeSignal> wakeSignal;
    bool alive { true };
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::deque<std::shared_ptr<SentMessage>> sent;
    // The messages this thread is serving for senders, innermost last.
    std::vector<std::shared_ptr<SentMessage>> serving;
    bool quitPosted { false };
    int quitCode { 0 };
    std::vector<Timer> timers;
    UINT_PTR nextTimerId { 0x7FF0 };
    UINT changedBits { 0 };

    HWND active { nullptr };
    HWND focus { nullptr };
    Caret caret;
    std::array<BYTE, 256> keyState {};
    // Alt went down and no other key followed yet: its release opens the menu (SC_KEYMENU).
    bool altAlone { false };
    MSG last {};
};

// Answers a sent message (ReplyMessage, or at the end of serving); once.
void CompleteSent(SentMessage& sent, LRESULT result);

} // namespace platform::user
