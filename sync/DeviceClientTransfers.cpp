// File transfers of the device client: uploads with their file check and progress, downloads, and
// the framework's reports of transfers that ended.

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include <unistd.h>

#include "platform/base/CodePage.h"
#include "platform/base/FileApi.h"
#include "platform/base/Paths.h"
#include "platform/base/Thread.h"
#include "platform/base/WinError.h"
#include "sync/DeviceClient.h"
#include "sync/DeviceClientState.h"

namespace {

constexpr const char* kSystem = "System";
constexpr const char* kFileReply = "File.reply";
constexpr DWORD kCancelBit = 0x80000000u;
// Where the device keeps the library's cover files.
constexpr const char* kCoverFolder = "7.0.5/Database/";

// The upload whose packets the progress callback follows: the framework keeps one callback per
// process, so the callback finds its upload here.
struct UploadProgress {
    std::uint64_t size { 0 };
    WORD* percent { nullptr };
    DWORD* status { nullptr };
    // The transfer that sends the file; packets of any other transfer are not this upload's.
    int transferId { 0 };
};

UploadProgress g_upload;
// Incremented before each upload and never reset: the upload's id.
std::int32_t g_uploadCounter { 0 };

bool UploadProgressCallback(int transferId, int position)
{
    if (transferId == 0 || transferId != g_upload.transferId)
        return true;
    if (g_upload.percent && g_upload.size > 0) {
        const std::uint64_t done = position > 0 ? static_cast<std::uint64_t>(position) : 0;
        *g_upload.percent = static_cast<WORD>(std::min<std::uint64_t>(done * 100 / g_upload.size, 100));
    }
    return !(g_upload.status && (*g_upload.status & kCancelBit));
}

void EraseFirst(std::string& text, const std::string& part)
{
    const std::size_t at = text.find(part);
    if (at != std::string::npos)
        text.erase(at, part.size());
}

// The size of a readable regular file; none for a folder or a file that cannot be read.
std::optional<std::uint64_t> ReadableFileSize(const std::string& programPath)
{
    std::error_code error;
    const std::filesystem::path native = platform::ToNativePath(programPath);
    if (!std::filesystem::is_regular_file(native, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(native, error);
    if (error || ::access(native.c_str(), R_OK) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

} // namespace

HRESULT DeviceClient::FailUpload(HRESULT result)
{
    g_upload.percent = nullptr;
    g_upload.status = nullptr;
    g_upload.transferId = 0;
    return result;
}

HRESULT DeviceClient::UploadFile(const std::string& document, const std::string& localPath,
    const std::u16string& rootFolder, std::string& deviceFileName, WORD* percent, DWORD* status, LONG item, bool binary)
{
    deviceFileName.clear();
    g_upload.size = 0;

    std::string path = localPath;
    if (GetFileAttributes(localPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // A path the library keeps relative to its folder.
        EraseFirst(path, "Music\\");
        EraseFirst(path, "Radio\\");
        path = platform::Utf16ToUtf8(rootFolder) + "\\" + path;
    }
    const std::int32_t id = ++g_uploadCounter;

    const std::optional<std::uint64_t> size = ReadableFileSize(path);
    if (!size)
        return E_INVALIDARG;
    g_upload.size = *size;
    g_upload.percent = percent;
    g_upload.status = status;
    g_upload.transferId = 0;
    if (percent)
        *percent = 0;

    Initialize();

    FileReplyTable& replies = FileReplies();
    if (localPath.find("Covers\\") != std::string::npos) {
        // Covers go to the device's database folder under the library's own path; nothing to check.
        auto record = std::make_unique<FileReplyRecord>();
        record->fileName = kCoverFolder + localPath;
        std::replace(record->fileName.begin(), record->fileName.end(), '\\', '/');
        replies[id] = std::move(record);
    } else {
        if (document.empty() || !m_parser)
            return FailUpload(E_INVALIDARG);
        vireo::Message request = m_link->MakeMessage(kSystem, "File.check");
        request.SetArg("id", static_cast<int>(id));
        request.SetArg("sender", Name());
        request.SetArg("filesize", std::to_string(*size));
        request.SetArg("item", static_cast<int>(item));
        request.SetArg("return", MakeReply(kFileReply));
        request.SetPayload(DocumentPayload(document));
        SetReplyFlag(kFileReply, false);
        if (!m_link->Send(request))
            return FailUpload(E_FAIL);
        if (!WaitForReply(kFileReply, kFileReplyLimitSeconds) || replies.find(id) == replies.end())
            return FailUpload(E_FAIL);
    }

    FileReplyRecord& record = *replies[id];
    deviceFileName = record.fileName;
    if (deviceFileName.empty())
        return FailUpload(E_FAIL);

    m_transferStatus = 0;
    m_transferUnanswered = false;
    record.transferId = m_link->PutFileWithProgress(
        kSystem, platform::ToNativePath(path), deviceFileName, binary, &UploadProgressCallback);
    if (record.transferId == 0) {
        // Nothing will ever end a transfer that did not start: a waiting caller would wait for ever.
        m_transferStatus = -1;
        return FailUpload(E_FAIL);
    }
    g_upload.transferId = record.transferId;
    return S_OK;
}

HRESULT DeviceClient::OpenFileTransfer(const std::string& devicePath, const std::string& localPath, bool binary)
{
    m_transferStatus = 0;
    m_transferUnanswered = false;
    m_currentTransferId = m_link->GetFile(kSystem, devicePath, platform::ToNativePath(localPath), binary);
    if (m_currentTransferId == 0)
        m_transferStatus = -1;
    return S_OK;
}

void DeviceClient::OnTransferComplete(int transferId, int status)
{
    // A transfer closed with a failure status did not deliver its file.
    const LONG outcome = status == 0 ? 1 : -1;
    if (transferId == 0)
        return;
    if (status == kTransferNoAnswerStatus)
        m_transferUnanswered = true;
    if (transferId == m_currentTransferId) {
        m_transferStatus = outcome;
        m_currentTransferId = 0;
        return;
    }
    for (auto& [id, record] : FileReplies()) {
        if (record->transferId != transferId)
            continue;
        vireo::Message unreserve = m_link->MakeMessage(kSystem, "File.unreserve");
        unreserve.SetArg("spaceID", record->spaceID);
        m_link->Send(unreserve);
        m_transferStatus = outcome;
        record->transferId = 0;
    }
    if (transferId == g_upload.transferId)
        g_upload.transferId = 0;
}

LONG DeviceClient::WaitForTransfer(bool stopOnCancel)
{
    // The framework ends every transfer, one the device never answers included, so the wait needs no
    // limit of its own; it sleeps in the event loop between events.
    while (m_transferStatus == 0 && !(stopOnCancel && DeviceClientState::Cancelled()) && !platform::ThreadStopRequested())
        Pump(kTransferSliceSeconds);
    return m_transferStatus;
}

bool DeviceClient::OnFileReply(vireo::Message message)
{
    auto record = std::make_unique<FileReplyRecord>();
    record->fileName = message.GetString("filename");
    record->spaceID = message.GetString("spaceID");
    std::unique_ptr<FileReplyRecord>& entry = FileReplies()[message.GetInt("id", 0)];
    // A repeated answer must not lose the transfer already sending the file: its end is found
    // through this record.
    if (entry)
        record->transferId = entry->transferId;
    entry = std::move(record);
    SetReplyFlag(kFileReply);
    return true;
}

bool DeviceClient::OnFileOpenNack(vireo::Message message)
{
    const int localID = message.GetInt("localID", 0);
    // The refused transfer's local file stays open and its retries go on unless it is closed here.
    m_link->CloseTransfer(localID);
    ForgetTransfer(localID);
    m_transferStatus = -1;
    return true;
}

bool DeviceClient::OnFileRetry(vireo::Message message)
{
    if (m_link->RetryFile(message))
        return true;
    ForgetTransfer(message.GetInt("id", 0));
    m_transferStatus = -1;
    return false;
}

void DeviceClient::ForgetTransfer(int transferId)
{
    // Local ids are the numbers of open files, which the next transfer soon gets again: nothing may
    // still name an ended one.
    if (transferId == 0)
        return;
    if (transferId == m_currentTransferId)
        m_currentTransferId = 0;
    if (transferId == g_upload.transferId)
        g_upload.transferId = 0;
    for (auto& [id, record] : FileReplies()) {
        if (record->transferId == transferId)
            record->transferId = 0;
    }
}
