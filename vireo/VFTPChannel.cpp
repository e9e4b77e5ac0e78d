#include "vireo/VFTPChannel.h"

#include <algorithm>

#include "vireo/Process.h"

namespace vireo {

namespace {

long long NowSeconds() { return static_cast<long long>(TimeOfDay().sec()); }

} // namespace

VFTPChannel::VFTPChannel(Process& process, FilePtr stream, std::string fileName, std::string mode,
    const ACE_INET_Addr& peer, std::string peerName)
    : m_process(process)
    , m_peerAddress(peer)
    , m_peerName(std::move(peerName))
    , m_stream(std::move(stream))
    , m_localID(m_stream ? fileno(m_stream.get()) : 0)
    , m_fileName(std::move(fileName))
    , m_mode(std::move(mode))
    , m_startTime(NowSeconds())
{
}

VFTPChannel::~VFTPChannel()
{
    if (LogEnabled(LogLevel::Info)) {
        const long long elapsed = NowSeconds() - m_startTime;
        const long long bytes = m_previous ? static_cast<long long>(m_previous->position) + m_previous->size : 0;
        const long long rate = elapsed > 0 ? bytes / elapsed : bytes;
        LogPrint("Transferred file %s of %lld bytes using mode %s in %lld secs, %lld bytes/sec.\n", m_fileName.c_str(),
            bytes, m_mode.c_str(), elapsed, rate);
    }
}

bool VFTPChannel::IsReader() const { return m_mode.find('r') != std::string::npos; }

void VFTPChannel::OnOpen(int foreignID)
{
    m_foreignID = foreignID;
    SendMessage(MakeOpenAck());
}

void VFTPChannel::OnOpenSent()
{
    m_openSent = true;
    const int retries = m_process.GetIntProperty(kVFTPMaxRetriesKey, kDefaultVFTPMaxRetries);
    const long long due
        = NowSeconds() + static_cast<long long>(m_process.GetIntProperty(kVFTPPacketTimeoutKey, kDefaultVFTPPacketTimeout))
            * (retries < 0 ? 1 : retries + 1);
    m_process.AddTimer(due, MakeRetry());
}

void VFTPChannel::ExpireOpen()
{
    if (LogEnabled(LogLevel::Warning))
        LogPrint("VFTP open of %s on localID %d was never acknowledged.\n", m_fileName.c_str(), m_localID);
    SetStatus(kVFTPStatusNoRetries);
    CloseFile();
}

void VFTPChannel::OnOpenAck(int foreignID)
{
    // The open's own time limit gives way to the retry timer armed below.
    m_process.CancelTimer(TimerId());
    m_foreignID = foreignID;
    m_client = true;
    Transition(nullptr);
    const long long due = RetryDue();
    const Message retry = MakeRetry();
    m_process.AddTimer(due, retry);
    m_armedDue = due;
    if (LogEnabled(LogLevel::Info))
        LogPrint("Initializing timer for client side localID=%d at time %lld with message %s.\n", m_localID, due,
            retry.Describe().c_str());
}

bool VFTPChannel::Receive(const VFTPHeader& packet)
{
    DumpHeader(LogLevel::Debug, "File transfer receive", &packet);
    if (packet.foreignID != m_foreignID) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("File transfer error: received localID = %d, received foreignID = %d, foreignID associated with "
                     "received localID= %d.\n",
                packet.localID, packet.foreignID, m_foreignID);
        return false;
    }
    if (packet.control != kVFTPControl) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("VFTP received invalid control[1] %c.\n", packet.control);
        return true;
    }
    if (!m_stream)
        return true;

    // A transfer that has ended answers whatever still arrives by asking the peer to close again.
    if (!m_next || m_next->state != kVFTPDone) {
        switch (packet.state) {
        case kVFTPFailure:
            if (LogEnabled(LogLevel::Error))
                LogPrint("VFTP failed to successfully transfer file.\n");
            [[fallthrough]];
        case kVFTPEnd:
            if (!m_next)
                InitNextHeader();
            m_next->state = kVFTPDone;
            if (packet.state == kVFTPEnd && !IsReader() && packet.position != m_contiguous) {
                // An end of file announced anywhere but where the written data ends would pass a
                // truncated or padded copy off as complete.
                if (LogEnabled(LogLevel::Error))
                    LogPrint("File write for localID %d was told the file ends at %d after %lld bytes.\n", m_localID,
                        packet.position, m_contiguous);
                SetStatus(kVFTPStatusSeekFailed);
            } else {
                SetStatus(packet.size);
            }
            break;
        case kVFTPRequest:
            if (!AcceptsRequest(packet))
                return true;
            CheckReadPosition(packet);
            break;
        case kVFTPData:
            if (!AcceptsData(packet))
                return true;
            SetNextPosition(packet);
            break;
        default:
            if (LogEnabled(LogLevel::Warning))
                LogPrint("VFTP received invalid state %c.\n", packet.state);
            break;
        }
    }
    DumpHeader(LogLevel::Trace, "Pre-transition header", m_next.get());
    Transition(&packet);
    DumpHeader(LogLevel::Trace, "Post-transition header", m_next.get());
    return true;
}

bool VFTPChannel::AcceptsRequest(const VFTPHeader& packet)
{
    if (!IsReader()) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("VFTP writer on localID %d ignores a request packet.\n", m_localID);
        return false;
    }
    if (!m_next)
        InitNextHeader();
    // The client side resends on its own timer, so a request for anything but the block it read
    // ahead is a late duplicate; answering it would start a second stream of packets.
    if (m_client && packet.position != m_next->position) {
        if (LogEnabled(LogLevel::Debug))
            LogPrint("VFTP on localID %d ignores a stale request for %d.\n", m_localID, packet.position);
        return false;
    }
    return true;
}

bool VFTPChannel::AcceptsData(const VFTPHeader& packet)
{
    // A block beyond the bytes held would leave a hole in the file; on the client side only the
    // answer to the last request counts, for the reason given above.
    const bool stale = m_client && m_previous && packet.position != m_previous->position;
    if (IsReader() || packet.position < 0 || packet.position > m_contiguous || stale) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("VFTP on localID %d ignores a data block at %d; it holds %lld bytes.\n", m_localID,
                packet.position, m_contiguous);
        return false;
    }
    return true;
}

bool VFTPChannel::Retry()
{
    m_next = std::move(m_previous);
    if (!m_next) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("Couldn't complete retry on localID %d.\n", m_localID);
        return true;
    }
    const int maxRetries = m_process.GetIntProperty(kVFTPMaxRetriesKey, kDefaultVFTPMaxRetries);
    if (m_next->sendCount > maxRetries) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("Retry #%d on localID %d greater than max of %d allowed.\n", static_cast<int>(m_next->sendCount),
                m_localID, maxRetries);
        Close(kVFTPStatusNoRetries);
        return false;
    }
    Transition(nullptr);
    m_armedDue = RetryDue();
    m_process.AddTimer(m_armedDue, MakeRetry());
    return true;
}

void VFTPChannel::Close(int status)
{
    SetStatus(status);
    if (!CloseFile())
        SetStatus(kVFTPStatusSeekFailed);
    SendMessage(MakeCloseAck());
    m_process.CancelTimer(TimerId());
}

void VFTPChannel::OnCloseAck(int status)
{
    SetStatus(status);
    if (!CloseFile())
        SetStatus(kVFTPStatusSeekFailed);
    m_process.CancelTimer(TimerId());
}

void VFTPChannel::Abort(int status)
{
    SetStatus(status);
    if (!m_next)
        InitNextHeader();
    m_next->state = kVFTPDone;
    SendMessage(MakeClose());
}

bool VFTPChannel::CloseFile()
{
    if (!m_stream)
        return true;
    std::FILE* file = m_stream.release();
    const bool written = IsReader() || (std::fflush(file) == 0 && !std::ferror(file));
    const bool closed = std::fclose(file) == 0;
    if (LogEnabled(LogLevel::Info))
        LogPrint("Closed file on handle %d.\n", m_localID);
    return written && (closed || IsReader());
}

Message VFTPChannel::MakeClose() { return MakeTransferMessage("File.close"); }

Message VFTPChannel::MakeOpenAck() { return MakeTransferMessage("File.open.ack"); }

Message VFTPChannel::MakeCloseAck() { return MakeTransferMessage("File.close.ack"); }

Message VFTPChannel::MakeTransferMessage(const char* name)
{
    Message message = m_process.MakeMessage(m_peerName, name);
    message.SetArg("localID", m_foreignID);
    message.SetArg("foreignID", m_localID);
    message.SetArg("status", m_status);
    return message;
}

Message VFTPChannel::MakeRetry()
{
    Message message = m_process.MakeMessage(m_process.Name(), "File.retry");
    message.SetArg("id", m_localID);
    message.SetArg("transient", true);
    return message;
}

void VFTPChannel::InitNextHeader()
{
    if (!m_next) {
        // The header sent before last is no longer needed: reusing it saves an allocation per packet.
        if (m_spare) {
            m_next = std::move(m_spare);
            *m_next = VFTPHeader {};
        } else {
            m_next = std::make_unique<VFTPHeader>();
        }
        m_next->state = IsReader() ? kVFTPData : kVFTPRequest;
        m_next->localID = m_localID;
        m_next->foreignID = m_foreignID;
        m_next->size = kVFTPBlockSize;
        m_next->position = 0;
    }
    m_next->sendCount = 0;
    if (m_previous) {
        m_next->position = m_previous->position + m_previous->size;
        m_next->state = m_previous->state;
    }
    if (m_next->state == kVFTPData)
        ReadBlock();
    DumpHeader(LogLevel::Trace, "Initialized next header", m_next.get());
}

bool VFTPChannel::ReadBlock()
{
    VFTPHeader& header = *m_next;
    if (!m_stream || header.position < 0 || !SeekTo(header.position)) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("File read for localID %d requested data at %d which was not in the file.", m_localID,
                header.position);
        header.state = kVFTPFailure;
        header.size = kVFTPStatusSeekFailed;
        return false;
    }
    const std::size_t wanted
        = header.size > 0 && header.size <= kVFTPBlockSize ? static_cast<std::size_t>(header.size) : kVFTPBlockSize;
    const std::size_t n = std::fread(header.data.data(), 1, wanted, m_stream.get());
    m_streamPosition += static_cast<long long>(n);
    if (n < wanted && std::ferror(m_stream.get())) {
        // A read error is no end of file: ending here would hand the peer a truncated copy as complete.
        if (LogEnabled(LogLevel::Error))
            LogPrint("File read for localID %d failed at %d.\n", m_localID, header.position);
        std::clearerr(m_stream.get());
        m_streamPosition = -1;
        header.state = kVFTPFailure;
        header.size = kVFTPStatusSeekFailed;
        return false;
    }
    header.size = static_cast<std::int32_t>(n);
    header.state = n > 0 ? kVFTPData : kVFTPEnd;
    return true;
}

void VFTPChannel::CheckReadPosition(const VFTPHeader& packet)
{
    if (!m_next)
        InitNextHeader();
    if (packet.position == m_next->position && m_next->state != kVFTPFailure) {
        if (LogEnabled(LogLevel::Trace))
            LogPrint("VFTP requested read position %d for file %d matches pre-read buffer.", packet.position,
                m_localID);
        return;
    }
    if (LogEnabled(LogLevel::Trace))
        LogPrint("VFTP requested read position %d for file %d does not not match pre-read buffer position %d.",
            packet.position, m_localID, m_next->position);
    m_next->position = packet.position;
    m_next->size = packet.size;
    ReadBlock();
}

void VFTPChannel::SetNextPosition(const VFTPHeader& packet)
{
    if (!m_next)
        InitNextHeader();
    m_next->position = packet.position + packet.size;
}

bool VFTPChannel::WriteBlock(const VFTPHeader& packet)
{
    if (!m_stream || !SeekTo(packet.position)) {
        if (LogEnabled(LogLevel::Error))
            LogPrint("File write for localID %d received a data block at %d which was not contiguous with previously "
                     "received blocks.",
                m_localID, packet.position);
    } else if (std::fwrite(packet.data.data(), 1, static_cast<std::size_t>(packet.size), m_stream.get())
        == static_cast<std::size_t>(packet.size)) {
        m_streamPosition += packet.size;
        m_contiguous = std::max(m_contiguous, static_cast<long long>(packet.position) + packet.size);
        return true;
    } else if (LogEnabled(LogLevel::Error)) {
        // A full disk: going on would end with a truncated file reported as complete.
        LogPrint("File write for localID %d failed at %d.\n", m_localID, packet.position);
    }
    m_streamPosition = -1;
    m_next->state = kVFTPFailure;
    m_next->size = kVFTPStatusSeekFailed;
    return false;
}

bool VFTPChannel::SeekTo(long long position)
{
    // In-order blocks need no seek, and leaving it out keeps the stream's buffering: a seek flushes
    // what a writer holds and drops what a reader has read ahead.
    if (position == m_streamPosition)
        return true;
    m_streamPosition = -1;
    if (std::fseek(m_stream.get(), static_cast<long>(position), SEEK_SET) != 0)
        return false;
    m_streamPosition = position;
    return true;
}

void VFTPChannel::Transition(const VFTPHeader* received)
{
    if (!m_next)
        InitNextHeader();
    switch (m_next->state) {
    case kVFTPDone:
        // The writer makes sure its data is out before it calls the transfer complete.
        if (!IsReader() && m_status == kVFTPStatusOk && m_stream
            && (std::fflush(m_stream.get()) != 0 || std::ferror(m_stream.get())))
            SetStatus(kVFTPStatusSeekFailed);
        SendMessage(MakeClose());
        return;
    case kVFTPEnd:
    case kVFTPRequest:
    case kVFTPData:
    case kVFTPFailure: {
        const bool fresh = m_next->sendCount == 0;
        // The block is written before the next request goes out, so a failed write is answered with
        // the failure instead of a request for more.
        if (fresh && received && received->state == kVFTPData && m_next->state == kVFTPRequest)
            WriteBlock(*received);
        if (m_next->state == kVFTPFailure)
            SetStatus(m_next->size);
        SendHeader();
        RotateHeaders();
        if (fresh)
            InitNextHeader();
        RearmRetryTimer();
        return;
    }
    default:
        if (LogEnabled(LogLevel::Debug))
            LogPrint("VFTP doing nothing for transition of %c.\n", m_next->state);
        return;
    }
}

void VFTPChannel::RearmRetryTimer()
{
    // Due times are whole seconds, so most packets would take the timer out and put it back at the
    // very second it already falls due; building a retry message for that costs more than the packet.
    const long long due = RetryDue();
    if (m_armedDue != 0 && due == m_armedDue)
        return;
    m_armedDue = 0;
    if (!m_process.CancelTimer(TimerId()))
        return;
    m_process.AddTimer(due, MakeRetry());
    m_armedDue = due;
}

void VFTPChannel::SendHeader()
{
    VFTPHeader& header = *m_next;
    ++header.sendCount;
    const int period = m_process.GetIntProperty(kVFTPDropPeriodKey, 0);
    if (period > 0 && header.sendCount == 1 && (header.position >> 10) % period == period / 2) {
        DumpHeader(LogLevel::Notice, "Deliberately dropping header", &header);
        return;
    }
    DumpHeader(LogLevel::Debug, "File transfer send", &header);
    const std::string bytes = header.Bytes();
    m_process.SendDatagram(bytes, m_peerAddress);
    if (LogEnabled(LogLevel::Trace))
        LogPrint("VFTP sent:%s\n", HexDump(bytes.data(), bytes.size()).c_str());
}

void VFTPChannel::RotateHeaders()
{
    if (m_previous)
        m_spare = std::move(m_previous);
    m_previous = std::move(m_next);
}

void VFTPChannel::SendMessage(Message message) { m_process.Send(message); }

void VFTPChannel::SetStatus(int status)
{
    if (m_status == kVFTPStatusOk)
        m_status = status;
}

long long VFTPChannel::RetryDue() const
{
    return NowSeconds() + m_process.GetIntProperty(kVFTPPacketTimeoutKey, kDefaultVFTPPacketTimeout);
}

void VFTPChannel::DumpHeader(LogLevel level, const char* label, const VFTPHeader* header) const
{
    if (LogEnabled(level))
        LogPrint("%s", DescribeHeader(label, header).c_str());
}

} // namespace vireo
