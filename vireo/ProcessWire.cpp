// The wire: finding a target's address, cutting long texts into pieces, pacing, reading datagrams,
// joining pieces and handing messages to the command table or on to their target.

#include "vireo/Process.h"

#include <ace/OS_NS_sys_socket.h>
#include <ace/SOCK_Dgram.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/socket.h>

#include "vireo/WallClock.h"
#include "vireo/vireo_log.h"

namespace vireo {

namespace {

constexpr const char* kLimitedBroadcast = "255.255.255.255";

} // namespace

ACE_Time_Value TimeOfDay()
{
    const std::int64_t micros = WallClockMicros();
    return ACE_Time_Value(static_cast<time_t>(micros / 1'000'000), static_cast<suseconds_t>(micros % 1'000'000));
}

bool Process::Send(Message& message)
{
    if (message.HasPayloadFile() && message.PayloadRef() == m_currentSpill)
        m_currentSpill.clear();

    const std::string key = message.TargetName(VireoURI::LocalHostName());
    const ACE_INET_Addr* route = Route(message, key);
    if (!route) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s can't find %s and no other router is known. Send failed for %s.\n", Name().c_str(),
                key.c_str(), message.Describe().c_str());
        return false;
    }

    const ACE_INET_Addr peer = *route;
    m_profiler.ProfileMessage(message);
    std::string text;
    if (peer.get_ip_address() == INADDR_LOOPBACK) {
        if (LogEnabled(LogLevel::Trace))
            LogPrint("Encoding message for loopback delivery.\n");
        text = message.Text();
    } else {
        if (LogEnabled(LogLevel::Trace))
            LogPrint("Encoding message for non-loopback delivery.\n");
        text = message.WireText();
    }

    // A text that fits one datagram is sent as it is; only a longer one is cut into pieces.
    const bool whole = text.size() <= kMaxDatagram;
    const std::vector<std::string> pieces = whole ? std::vector<std::string>() : Datagrams(text);
    if (!whole && pieces.empty()) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s cannot cut %s into datagrams. Send failed for %s.\n", Name().c_str(), key.c_str(),
                message.Describe().c_str());
        return false;
    }
    const std::size_t count = whole ? 1 : pieces.size();
    for (std::size_t n = 0; n < count; ++n) {
        const std::string& datagram = whole ? text : pieces[n];
        if (LogEnabled(LogLevel::Debug)) {
            if (whole)
                LogPrint("%s sending %s to %s@%s.\n", Name().c_str(), message.Describe().c_str(), key.c_str(),
                    AddressText(peer).c_str());
            else
                LogPrint("%s sending %d bytes %s to %s@%s.\n", Name().c_str(), static_cast<int>(datagram.size()),
                    Fragment(datagram).Dump().c_str(), key.c_str(), AddressText(peer).c_str());
        }
        WaitForGap(n == 0 ? m_interMessageGap : m_interFragmentGap, m_lastSend);
        SendDatagram(datagram, peer);
    }
    m_recentSends.Remember(text, peer);
    return true;
}

const ACE_INET_Addr* Process::Route(const Message& message, const std::string& key) const
{
    auto entry = m_clients.find(key);
    if (entry == m_clients.end()) {
        std::string router = RouterName();
        if (router.empty())
            router = RouterKey(message.HostValue());
        if (LogEnabled(LogLevel::Trace))
            LogPrint("%s can't find %s, forwarding via router %s.\n", Name().c_str(), key.c_str(), router.c_str());
        if (router != Name())
            entry = m_clients.find(router);
    }
    return entry == m_clients.end() ? nullptr : &entry->second;
}

std::vector<std::string> Process::Datagrams(const std::string& text)
{
    const std::string id = Name() + "-" + std::to_string(++m_fragmentCounter);
    // Pieces carry 1936 bytes, leaving 64 for the header. A header that needs more (a long process
    // name, many pieces) takes its room from the body, so that no piece exceeds the datagram limit;
    // more pieces can lengthen the header again, hence the loop.
    std::size_t chunk = kMaxDatagram - kFragmentHeaderRoom;
    for (;;) {
        const std::size_t count = (text.size() + chunk - 1) / chunk;
        Fragment widest;
        widest.SetCount(static_cast<int>(count));
        widest.SetIndex(static_cast<int>(count));
        widest.SetMessageID(id);
        const std::size_t header = widest.Text().size();
        if (header <= kFragmentHeaderRoom)
            break;
        if (header >= kMaxDatagram)
            return {};
        const std::size_t fitting = kMaxDatagram - header;
        if (fitting >= chunk)
            break;
        chunk = fitting;
    }

    std::vector<std::string> pieces;
    std::string remaining = text;
    Fragment piece;
    const auto limit = static_cast<std::uint32_t>(chunk + kFragmentHeaderRoom);
    while (!remaining.empty())
        pieces.push_back(piece.Next(remaining, id, limit).Text());
    return pieces;
}

bool Process::WaitForGap(const ACE_Time_Value& gap, const ACE_Time_Value& last)
{
    if (gap <= ACE_Time_Value::zero)
        return false;
    const ACE_Time_Value now = TimeOfDay();
    if (now < last)
        return false;
    const ACE_Time_Value rest = gap - (now - last);
    if (rest <= ACE_Time_Value::zero)
        return false;
    SleepMilliseconds(static_cast<std::int64_t>(rest.sec()) * 1000 + rest.usec() / 1000);
    return true;
}

int Process::SendDatagram(const std::string& text, const ACE_INET_Addr& address)
{
    ssize_t result = -1;
    if (m_socket)
        result = m_socket->send(text.data(), text.size(), address);
    else
        errno = EBADF;
    if (result == -1) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s returns error %x attempting socket send to %s.\n", Name().c_str(), errno,
                AddressText(address).c_str());
    } else if (LogEnabled(LogLevel::Trace)) {
        LogPrint("Sent message to %s.\n", AddressText(address).c_str());
    }
    // Only a pacing gap needs the time of the last send.
    if (m_interMessageGap > ACE_Time_Value::zero || m_interFragmentGap > ACE_Time_Value::zero)
        m_lastSend = TimeOfDay();
    return static_cast<int>(result);
}

int Process::Broadcast(const Message& message)
{
    const std::string text = message.WireText();
    int port = GetIntProperty(kRouterPortKey, 0);
    if (port == 0)
        port = GetIntProperty(kPortKey, 0);
    std::string host = GetProperty(kBroadcastAddressKey);
    if (host.empty())
        host = kLimitedBroadcast;
    ACE_INET_Addr address;
    if (address.set(static_cast<u_short>(port), host.c_str(), 1, AF_INET) != 0) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s cannot broadcast to unknown host %s.\n", Name().c_str(), host.c_str());
        return -1;
    }
    const int result = SendDatagram(text, address);
    if (result != -1 && LogEnabled(LogLevel::Debug))
        LogPrint("Broadcast %s to %s.\n", text.c_str(), AddressText(address).c_str());
    return result;
}

bool Process::ReadDatagram(std::string& bytes)
{
    // One buffer per thread for the largest datagram: making and clearing 64 kB for every datagram
    // would cost more than handling a file-transfer packet.
    thread_local std::vector<char> buffer(kMaxReceivedDatagram);
    bytes.clear();
    sockaddr_in from {};
    int fromLength = sizeof from;
    // MSG_TRUNC makes the call report the datagram's real length, so a datagram that did not fit is
    // recognised instead of being handled cut short; MSG_DONTWAIT keeps the retry from blocking.
    const ssize_t n = ACE_OS::recvfrom(m_socket->get_handle(), buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
        reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (n < 0) {
        bytes.clear();
        return false;
    }
    // Set from the IPv4 form, so that the address knows its family whatever its default was.
    m_source.set(&from, fromLength);
    if (static_cast<std::size_t>(n) > kMaxReceivedDatagram) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("%s dropped a datagram of %d bytes from %s: too long.\n", Name().c_str(), static_cast<int>(n),
                AddressText(m_source).c_str());
        bytes.clear();
        return true;
    }
    bytes.assign(buffer.data(), static_cast<std::size_t>(n));
    return true;
}

int Process::handle_input(ACE_HANDLE handle)
{
    if (!m_socket || handle != m_socket->get_handle()) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("%s got input event on unknown handle %d.\n", Name().c_str(), static_cast<int>(handle));
        return 0;
    }
    std::string bytes;
    if (!ReadDatagram(bytes)) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("%s got normal socket input event but couldn't read data due to error %X, retrying.\n",
                Name().c_str(), errno);
        if (!ReadDatagram(bytes)) {
            if (LogEnabled(LogLevel::Error))
                LogPrint("%s got normal socket input event but couldn't read data due to error %X.\n", Name().c_str(),
                    errno);
            return 0;
        }
    }
    HandleDatagram(bytes);
    return 0;
}

void Process::HandleDatagram(const std::string& bytes)
{
    if (bytes.empty())
        return;
    if (bytes[0] == '*') {
        OnVFTPPacket(bytes.data(), bytes.size());
        return;
    }
    if (LogEnabled(LogLevel::Trace))
        LogPrint("%s received data %s from @%s.\n", Name().c_str(), bytes.c_str(), AddressText(m_source).c_str());
    if (IsFragmentText(bytes))
        HandleFragment(bytes);
    else
        HandleText(bytes);
}

bool Process::ReadWaitingDatagram(const ACE_Time_Value& limit)
{
    // A datagram that waits already is read at once: asking the reactor first costs a system call of
    // its own, as much as the read, for every message. While a transfer runs the socket is watched a
    // moment longer: a transfer moves one block per round trip, and sleeping in the reactor between
    // blocks makes the system put this thread to sleep and wake it again for every block, which costs
    // more than the block itself.
    if (!m_socket)
        return false;
    const bool watch = !m_transfers.empty();
    const auto budget = std::chrono::microseconds(watch
            ? std::min<long long>(kTransferPollMicroseconds, static_cast<long long>(limit.sec()) * 1000000 + limit.usec())
            : 0);
    const auto deadline = watch ? std::chrono::steady_clock::now() + budget : std::chrono::steady_clock::time_point {};
    std::string bytes;
    do {
        if (ReadDatagram(bytes)) {
            HandleDatagram(bytes);
            return true;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
    } while (watch && std::chrono::steady_clock::now() < deadline);
    return false;
}

void Process::HandleFragment(const std::string& text)
{
    const Fragment piece(text);
    std::string whole;
    switch (m_fragments.Add(AddressText(m_source), piece, whole)) {
    case FragmentAssembler::Outcome::Complete:
        HandleText(whole);
        break;
    case FragmentAssembler::Outcome::Held:
        break;
    case FragmentAssembler::Outcome::Duplicate:
        if (LogEnabled(LogLevel::Debug))
            LogPrint("%s received fragment #%d of message %s twice.\n", Name().c_str(), piece.Index(),
                piece.MessageID().c_str());
        break;
    case FragmentAssembler::Outcome::Invalid:
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s dropped fragment #%d of %d of message %s from %s: bad header.\n", Name().c_str(),
                piece.Index(), piece.Count(), piece.MessageID().c_str(), AddressText(m_source).c_str());
        break;
    }
}

void Process::HandleText(const std::string& text)
{
    if (text.empty())
        return;
    // The handlers get a message of their own: one that pumps the event loop again handles the next
    // message while it still works on this one.
    Message message { VireoURI(text) };
    const ACE_INET_Addr from = m_source;
    HandleMessage(std::move(message), &from);
}

void Process::HandleMessage(Message message) { HandleMessage(std::move(message), nullptr); }

void Process::HandleMessage(Message message, const ACE_INET_Addr* from)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("%s received %s from @%s.\n", Name().c_str(), message.Describe().c_str(),
            from ? AddressText(*from).c_str() : Name().c_str());
    if (message.PathValue() != Name()) {
        SendOn(message, from);
        return;
    }
    // Kept per message, so that a handler that pumps the loop again does not lose this spill file
    // or remove another's.
    const std::string spill = message.HasPayloadFile() ? message.PayloadRef() : std::string();
    const std::string outer = std::exchange(m_currentSpill, spill);
    m_profiler.ProfileMessage(message);
    if (!Dispatch(message) && !HandleUnrecognised(message)) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s did not successfully process %s.\n", Name().c_str(), message.Describe().c_str());
    }
    if (!spill.empty() && m_currentSpill == spill)
        VireoURI::RemoveSpillFile(spill);
    m_currentSpill = outer;
}

void Process::SendOn(Message& message, const ACE_INET_Addr* from)
{
    const ACE_INET_Addr* route = from ? Route(message, message.TargetName(VireoURI::LocalHostName())) : nullptr;
    if (!route || *route != *from) {
        Send(message);
        return;
    }
    const std::string text = message.Text();
    switch (m_recentSends.CameBack(text, *from)) {
    case RecentSends::Return::First:
        if (LogEnabled(LogLevel::Notice))
            LogPrint("%s drops %s from %s: it sent that message there a moment ago, and the two would pass it "
                     "back and forth.\n",
                Name().c_str(), message.Describe().c_str(), AddressText(*from).c_str());
        return;
    case RecentSends::Return::Again:
        return;
    case RecentSends::Return::None:
        break;
    }
    Send(message);
    // Handing a message back to the peer it came from delivers it; it is no send of this process's
    // own for the memory to recognise, and the peer may well send the same text again.
    m_recentSends.Forget(text, *from);
}

} // namespace vireo
