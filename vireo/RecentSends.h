#pragma once
// A short-lived memory of the texts a process sent and to whom. Two processes whose client maps point
// at each other for a name (a stale entry, a reused port) would pass a message for that name back and
// forth for ever; the process that sees its own text come back from the peer it just sent it to
// recognises the loop by this memory and ends it. Texts are kept as digests, so a burst of large
// messages costs little.

#include <ace/INET_Addr.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace vireo {

class RecentSends {
public:
    // A return trip between two processes on one network takes far less; a memory that lasted
    // longer would only risk taking a later, deliberate repetition of the same text for a loop.
    static constexpr std::chrono::milliseconds kLifetime { 10'000 };
    // At most this many sends are remembered; beyond it the oldest are forgotten first.
    static constexpr std::size_t kCapacity = 1024;

    enum class Return {
        None, // the text was not sent to that peer lately
        First, // it was, and this is the first time it came back from there
        Again, // it came back from there before
    };

    // Notes that the text went to the peer now.
    void Remember(const std::string& text, const ACE_INET_Addr& peer);
    // Whether the text, arriving from the peer, is one this process sent there lately.
    Return CameBack(const std::string& text, const ACE_INET_Addr& peer);
    // Forgets the latest send of the text to the peer, if it is still remembered.
    void Forget(const std::string& text, const ACE_INET_Addr& peer);
    // The number of sends remembered.
    std::size_t Size() const { return m_sends.size(); }

private:
    struct Send {
        std::size_t digest { 0 };
        std::size_t length { 0 };
        // The peer's IPv4 address and port in one number (the process's socket is an IPv4 one): a
        // plain copy, where an address object would be copied through the library for every send.
        std::uint64_t peer { 0 };
        std::int64_t at { 0 };
        bool cameBack { false };
    };

    // Forgets what is older than the lifetime.
    void Expire(std::int64_t now);
    // The latest remembered send of the text to the peer, or end.
    std::deque<Send>::reverse_iterator Find(const std::string& text, const ACE_INET_Addr& peer);

    // Oldest first.
    std::deque<Send> m_sends;
};

} // namespace vireo
