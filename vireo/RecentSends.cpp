#include "vireo/RecentSends.h"

#include <functional>
#include <iterator>
#include <string_view>
#include <utility>

#include "vireo/WallClock.h"

namespace vireo {

namespace {

std::size_t Digest(const std::string& text) { return std::hash<std::string_view> {}(text); }

std::uint64_t PeerKey(const ACE_INET_Addr& peer)
{
    return static_cast<std::uint64_t>(peer.get_ip_address()) << 16 | peer.get_port_number();
}

} // namespace

void RecentSends::Remember(const std::string& text, const ACE_INET_Addr& peer)
{
    // A stamp for every send: the tick-wide clock is plenty against a lifetime of seconds.
    const std::int64_t now = CoarseUptimeMilliseconds();
    Expire(now);
    if (m_sends.size() >= kCapacity)
        m_sends.pop_front();
    m_sends.push_back(Send { Digest(text), text.size(), PeerKey(peer), now, false });
}

RecentSends::Return RecentSends::CameBack(const std::string& text, const ACE_INET_Addr& peer)
{
    Expire(CoarseUptimeMilliseconds());
    const auto send = Find(text, peer);
    if (send == m_sends.rend())
        return Return::None;
    // The entry stays until it expires: were it dropped now, a further copy from the peer would be
    // sent out again and start the loop anew.
    return std::exchange(send->cameBack, true) ? Return::Again : Return::First;
}

void RecentSends::Forget(const std::string& text, const ACE_INET_Addr& peer)
{
    const auto send = Find(text, peer);
    if (send != m_sends.rend())
        m_sends.erase(std::next(send).base());
}

void RecentSends::Expire(std::int64_t now)
{
    while (!m_sends.empty() && now - m_sends.front().at > kLifetime.count())
        m_sends.pop_front();
}

std::deque<RecentSends::Send>::reverse_iterator RecentSends::Find(const std::string& text, const ACE_INET_Addr& peer)
{
    const std::size_t digest = Digest(text);
    const std::uint64_t key = PeerKey(peer);
    for (auto send = m_sends.rbegin(); send != m_sends.rend(); ++send) {
        if (send->digest == digest && send->length == text.size() && send->peer == key)
            return send;
    }
    return m_sends.rend();
}

} // namespace vireo
