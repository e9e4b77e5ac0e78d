#pragma once
// One end of one file transfer. The writer asks for the block at a position; the reader answers with
// it (read ahead, so an in-order request is answered from memory) or with the end of the file. One
// packet is in flight at a time; only the side that started the transfer keeps a retry timer.

#include <ace/INET_Addr.h>

#include <cstdio>
#include <memory>
#include <string>

#include "vireo/Message.h"
#include "vireo/VFTPHeader.h"
#include "vireo/vireo_log.h"

namespace vireo {

class Process;

// Property keys of transfers, read from the owning process at each use.
inline constexpr const char* kVFTPPacketTimeoutKey = "VFTP.packetTimeout";
inline constexpr const char* kVFTPMaxRetriesKey = "VFTP.maxRetries";
inline constexpr const char* kVFTPDropPeriodKey = "VFTP.dropPeriod";
inline constexpr int kDefaultVFTPPacketTimeout = 2;
inline constexpr int kDefaultVFTPMaxRetries = 2;

// Closes a C stream when its owner goes.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class VFTPChannel {
public:
    // An open transfer end over the stream: the reader when the mode contains "r", else the writer.
    // Its identifier is the stream's handle number.
    VFTPChannel(Process& process, FilePtr stream, std::string fileName, std::string mode, const ACE_INET_Addr& peer,
        std::string peerName);
    VFTPChannel(const VFTPChannel&) = delete;
    VFTPChannel& operator=(const VFTPChannel&) = delete;
    // Logs the summary; a stream still open is closed.
    ~VFTPChannel();

    // This end's identifier, the peer's (0 until known), and the status (0, or what ended the transfer).
    int LocalID() const { return m_localID; }
    int ForeignID() const { return m_foreignID; }
    int Status() const { return m_status; }
    bool IsReader() const;
    // False once the local file has been closed.
    bool IsOpen() const { return m_stream != nullptr; }

    // Server side, on "File.open": records the peer's identifier and acknowledges.
    void OnOpen(int foreignID);
    // Client side, once "File.open" went out: arms the timer that gives the open up when the peer never
    // acknowledges it within the time of every retry (packet timeout x (retries + 1)); the retry timer
    // itself only runs once the peer has acknowledged.
    void OnOpenSent();
    // True while the open this side sent is unacknowledged.
    bool AwaitsOpenAck() const { return m_openSent && m_foreignID == 0; }
    // Gives up an open the peer never acknowledged: closes the local file with kVFTPStatusNoRetries.
    void ExpireOpen();
    // Client side, on "File.open.ack": records the peer's identifier, sends the first packet and arms
    // the retry timer.
    void OnOpenAck(int foreignID);
    // Handles one packet whose identifiers name this end as localID; false only when its foreignID is
    // not this transfer's peer.
    bool Receive(const VFTPHeader& packet);
    // Client side, on its retry timer: resends the last packet; false once the retries are used up,
    // after the transfer was closed with kVFTPStatusNoRetries.
    bool Retry();
    // On "File.close": closes the local file, acknowledges with the status and stops the retry timer.
    // A writer whose file cannot be flushed closes with kVFTPStatusSeekFailed instead of success.
    void Close(int status);
    // On "File.close.ack": closes the local file and stops the retry timer, sending nothing.
    void OnCloseAck(int status);
    // Gives the transfer up: marks it ended with the status and asks the peer to close it.
    void Abort(int status);
    // Flushes and closes the local stream; false when data could not be written out.
    bool CloseFile();

    // "File.close" to the peer with both identifiers as the peer sees them and the status.
    Message MakeClose();

private:
    // The closing and opening messages to the peer, and the retry timer's message to this process.
    Message MakeOpenAck();
    Message MakeCloseAck();
    Message MakeRetry();
    Message MakeTransferMessage(const char* name);

    // Whether a received request or data block moves the transfer on; others are dropped.
    bool AcceptsRequest(const VFTPHeader& packet);
    bool AcceptsData(const VFTPHeader& packet);
    // Makes the header to send next, after the one sent last; a reader reads its block ahead.
    void InitNextHeader();
    // Reads the next header's block: data, the end of the file, or a failure.
    bool ReadBlock();
    // Reader: answers from the block read ahead, or reads the requested one.
    void CheckReadPosition(const VFTPHeader& packet);
    // Writer: the next request asks for what follows the received block.
    void SetNextPosition(const VFTPHeader& packet);
    // Writer: writes the received block at its position; on failure the next header becomes one.
    bool WriteBlock(const VFTPHeader& packet);
    // Moves the stream to the position from the start of the file; false when it cannot go there.
    bool SeekTo(long long position);
    // Sends what the next header holds (a packet, or "File.close" once done) and re-arms the timer.
    void Transition(const VFTPHeader* received);
    // Client side: moves the retry timer to the timeout after now, if it is armed.
    void RearmRetryTimer();
    // Sends the next header, unless the drop setting leaves this first send out.
    void SendHeader();
    // The next header becomes the one sent last.
    void RotateHeaders();
    void SendMessage(Message message);
    // Records a failure without hiding one recorded earlier.
    void SetStatus(int status);
    // The retry timer's identifier and the second it falls due when armed now.
    std::string TimerId() const { return std::to_string(m_localID); }
    long long RetryDue() const;
    // Logs a header at the level.
    void DumpHeader(LogLevel level, const char* label, const VFTPHeader* header) const;

    Process& m_process;
    ACE_INET_Addr m_peerAddress;
    std::string m_peerName;
    FilePtr m_stream;
    int m_localID { 0 };
    std::string m_fileName;
    std::string m_mode;
    int m_foreignID { 0 };
    std::unique_ptr<VFTPHeader> m_previous;
    std::unique_ptr<VFTPHeader> m_next;
    // A header no longer in use, kept for the next one.
    std::unique_ptr<VFTPHeader> m_spare;
    int m_status { kVFTPStatusOk };
    // True on the side that started the transfer, the one that keeps the retry timer.
    bool m_client { false };
    // True on the side that sent "File.open".
    bool m_openSent { false };
    // The writer's count of bytes held without a gap: a block beyond it would leave a hole.
    long long m_contiguous { 0 };
    // Where the stream stands, as far as this channel moved it; -1 when unknown.
    long long m_streamPosition { 0 };
    long long m_startTime { 0 };
    // The second the retry timer was last armed for; 0 when this end has not armed it.
    long long m_armedDue { 0 };
};

} // namespace vireo
