// File transfers: starting them, the "File." commands, and the packets that carry the files' bytes.

#include <cerrno>
#include <cstdio>

#include "vireo/Process.h"
#include "vireo/TransferFolders.h"
#include "vireo/VFTPChannel.h"
#include "vireo/vireo_log.h"

namespace vireo {

namespace {

// The only modes a peer may open a file with: anything else would reach the C library unchecked.
bool IsTransferMode(const std::string& mode) { return mode == "r" || mode == "rb" || mode == "w" || mode == "wb"; }

// The status a refused delete reports, in the C library's numbering like every other delete status.
constexpr int kRefusedStatus = EACCES;

} // namespace

int Process::GetFile(const std::string& peer, const std::string& source, const std::string& destination, bool binary)
{
    return StartTransfer(peer, destination, binary ? "wb" : "w", source, binary ? "rb" : "r");
}

int Process::PutFile(const std::string& peer, const std::string& source, const std::string& destination, bool binary)
{
    return StartTransfer(peer, source, binary ? "rb" : "r", destination, binary ? "wb" : "w");
}

int Process::PutFileWithProgress(const std::string& peer, const std::string& source, const std::string& destination,
    bool binary, TransferProgressCallback callback)
{
    m_transferProgress = callback;
    return PutFile(peer, source, destination, binary);
}

int Process::StartTransfer(const std::string& peer, const std::string& localFile, const std::string& localMode,
    const std::string& peerFile, const std::string& peerMode)
{
    // The packets go straight to the peer's address, never through a router, so a peer without one
    // could never be reached: refuse before the local file is touched.
    const auto client = m_clients.find(peer);
    if (client == m_clients.end()) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("VFTP has no address for %s to transfer file %s.\n", peer.c_str(), localFile.c_str());
        return 0;
    }
    FilePtr stream(std::fopen(localFile.c_str(), localMode.c_str()));
    if (!stream) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("VFTP could not open file %s for mode %s.\n", localFile.c_str(), localMode.c_str());
        return 0;
    }
    auto channel = std::make_unique<VFTPChannel>(*this, std::move(stream), localFile, localMode, client->second, peer);
    const int id = channel->LocalID();
    channel->OnOpenSent();
    m_transfers[id] = std::move(channel);
    if (LogEnabled(LogLevel::Info))
        LogPrint("VFTP opened file %s for mode %s on handle %d.\n", localFile.c_str(), localMode.c_str(), id);

    Message open = MakeMessage(peer, "File.open");
    open.SetArg("foreignID", id);
    open.SetArg("file", peerFile);
    open.SetArg("mode", peerMode);
    open.SetArg("sender", Name());
    Send(open);
    return id;
}

bool Process::CloseTransfer(int localID)
{
    const auto entry = m_transfers.find(localID);
    if (entry == m_transfers.end())
        return false;
    entry->second->CloseFile();
    CancelTimer(std::to_string(localID));
    m_transfers.erase(entry);
    return true;
}

bool Process::AllowsTransferPath(const std::string& path) const
{
    if (TransferFolders(GetListProperty(kVFTPFoldersKey)).Allows(path))
        return true;
    if (LogEnabled(LogLevel::Warning))
        LogPrint("VFTP refuses file %s: it is outside the transfer folders.\n", path.c_str());
    return false;
}

VFTPChannel* Process::FindTransfer(int localID)
{
    const auto entry = m_transfers.find(localID);
    return localID != 0 && entry != m_transfers.end() ? entry->second.get() : nullptr;
}

VFTPChannel* Process::FindClosingTransfer(const Message& message)
{
    const int localID = message.GetInt("localID", 0);
    VFTPChannel* channel = FindTransfer(localID);
    if (!channel) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("VFTP does not have an open file on handle %d.\n", localID);
        return nullptr;
    }
    // Handle numbers come back quickly: a late message of an earlier transfer on the same number
    // must not end the one running now.
    if (message.Has("foreignID") && message.GetInt("foreignID", 0) != channel->ForeignID()) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("VFTP ignores %s for handle %d from another transfer.\n", message.Name().c_str(), localID);
        return nullptr;
    }
    return channel;
}

bool Process::OnFileOpen(Message message)
{
    const int foreignID = message.GetInt("foreignID", 0);
    const std::string file = message.GetString("file");
    const std::string mode = message.GetString("mode");
    const std::string sender = message.GetString("sender");

    FilePtr stream;
    if (IsTransferMode(mode) && AllowsTransferPath(file))
        stream.reset(std::fopen(file.c_str(), mode.c_str()));
    if (!stream) {
        Message nack = MakeMessage(sender, "File.open.nack");
        nack.SetArg("localID", foreignID);
        Send(nack);
        if (LogEnabled(LogLevel::Info))
            LogPrint("VFTP could not open file %s for mode %s.\n", file.c_str(), mode.c_str());
        return true;
    }
    auto channel = std::make_unique<VFTPChannel>(*this, std::move(stream), file, mode, SourceAddress(), sender);
    VFTPChannel& opened = *channel;
    m_transfers[opened.LocalID()] = std::move(channel);
    opened.OnOpen(foreignID);
    if (LogEnabled(LogLevel::Info))
        LogPrint("VFTP opened file %s on handle %d for mode %s.\n", file.c_str(), opened.LocalID(), mode.c_str());
    return true;
}

bool Process::OnFileOpenAck(Message message)
{
    const int localID = message.GetInt("localID", 0);
    VFTPChannel* channel = FindTransfer(localID);
    if (!channel || channel->ForeignID() != 0) {
        // Unknown, or acknowledged before: a second start would run the transfer twice.
        if (LogEnabled(LogLevel::Notice))
            LogPrint("VFTP does not have an open file on handle %d.\n", localID);
        return true;
    }
    channel->OnOpenAck(message.GetInt("foreignID", 0));
    return true;
}

bool Process::OnFileClose(Message message)
{
    VFTPChannel* channel = FindClosingTransfer(message);
    if (!channel)
        return true;
    const int localID = channel->LocalID();
    if (LogEnabled(LogLevel::Trace))
        LogPrint("VFTP closing channel on handle %d.\n", localID);
    channel->Close(message.GetInt("status", 0));
    const int status = channel->Status();
    m_transfers.erase(localID);
    if (LogEnabled(LogLevel::Info))
        LogPrint("VFTP closed channel on handle %d.\n", localID);
    OnTransferComplete(localID, status);
    return true;
}

bool Process::OnFileCloseAck(Message message)
{
    VFTPChannel* channel = FindClosingTransfer(message);
    if (!channel)
        return true;
    const int localID = channel->LocalID();
    if (LogEnabled(LogLevel::Trace))
        LogPrint("VFTP acknowledging closed channel on handle %d.\n", localID);
    channel->OnCloseAck(message.GetInt("status", 0));
    const int status = channel->Status();
    m_transfers.erase(localID);
    if (LogEnabled(LogLevel::Info))
        LogPrint("VFTP acknowledged closed channel on handle %d.\n", localID);
    OnTransferComplete(localID, status);
    return true;
}

bool Process::OnFileDelete(Message message)
{
    const std::string sender = message.GetString("sender");
    const std::string file = message.GetString("file");
    int status = kRefusedStatus;
    if (AllowsTransferPath(file))
        status = std::remove(file.c_str()) == 0 ? 0 : errno;
    if (!sender.empty()) {
        Message ack = MakeMessage(sender, "File.delete.ack");
        ack.SetArg("localID", message.GetInt("foreignID", 0));
        ack.SetArg("status", status);
        Send(ack);
    }
    return true;
}

bool Process::OnFileDeleteAck(Message message)
{
    const int localID = message.GetInt("localID", 0);
    const int status = message.GetInt("status", 0);
    if (!CloseTransfer(localID)) {
        if (LogEnabled(LogLevel::Notice))
            LogPrint("VFTP does not have an open file on handle %d.\n", localID);
        return true;
    }
    OnTransferComplete(localID, status);
    return true;
}

bool Process::OnFileGet(Message message)
{
    const std::string local = message.GetString("writeFile");
    if (AllowsTransferPath(local))
        GetFile(message.GetString("subsystem"), message.GetString("readFile"), local, message.GetBool("binary", false));
    return true;
}

bool Process::OnFilePut(Message message)
{
    const std::string local = message.GetString("readFile");
    if (AllowsTransferPath(local))
        PutFile(message.GetString("subsystem"), local, message.GetString("writeFile"), message.GetBool("binary", false));
    return true;
}

bool Process::OnFileRetry(Message message)
{
    const int id = message.GetInt("id", 0);
    VFTPChannel* channel = FindTransfer(id);
    if (!channel) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("File transfer retry could not be processed: %s.\n", message.Describe().c_str());
        return true;
    }
    if (channel->AwaitsOpenAck()) {
        // The peer never answered the open: nothing else would ever end this transfer.
        channel->ExpireOpen();
        const int status = channel->Status();
        m_transfers.erase(id);
        OnTransferComplete(id, status);
        return false;
    }
    if (channel->Retry())
        return true;
    // Out of retries: the channel has closed its file and told the peer; nothing may reach it again.
    m_transfers.erase(id);
    return false;
}

bool Process::OnVFTPPacket(const char* bytes, std::size_t length)
{
    if (LogEnabled(LogLevel::Trace))
        LogPrint("VFTP receive:%s\n", HexDump(bytes, length).c_str());
    std::optional<VFTPHeader> packet = VFTPHeader::Parse(bytes, length);
    if (!packet) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("VFTP dropped a malformed packet of %d bytes from %s.\n", static_cast<int>(length),
                AddressText(SourceAddress()).c_str());
        return true;
    }
    // The sender wrote its own identifier first; from here on localID names this end.
    std::swap(packet->localID, packet->foreignID);
    VFTPChannel* channel = FindTransfer(packet->localID);
    if (channel) {
        channel->Receive(*packet);
    } else if (LogEnabled(LogLevel::Error)) {
        LogPrint("%s", DescribeHeader("File transfer error", &*packet).c_str());
    }
    if (m_transferProgress && !m_transferProgress(packet->localID, packet->position) && channel
        && channel->Status() == kVFTPStatusOk) {
        // The peer must not keep what it has as a complete file.
        channel->Abort(kVFTPStatusSeekFailed);
    }
    return true;
}

void Process::OnTransferComplete(int transferId, int status)
{
    if (LogEnabled(LogLevel::Notice))
        LogPrint("VFTP file transfer for %d completed with status 0x%x.\n", transferId, status);
}

} // namespace vireo
