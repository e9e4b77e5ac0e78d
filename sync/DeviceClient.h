#pragma once
// The component's endpoint on the device's network: finds devices by broadcast, checks that the
// device answers, sends the device's requests and waits for their replies by pumping the framework's
// event loop on the calling thread, and moves files to and from the device. It starts no thread:
// reply handlers, the discovery handler, transfer completions and the upload progress callback run
// inside the waits of whichever thread calls it.
//
// The record tables that the replies fill, the reply flags and the upload progress state are
// process-wide and shared by every client of the process; one client at a time works with them.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "sync/AlbumList.h"
#include "sync/CustomerSetup.h"
#include "sync/DeviceClientLink.h"
#include "sync/FileReplyRecord.h"
#include "sync/GroupRecord.h"
#include "sync/PlaylistList.h"
#include "sync/RadioList.h"

struct IXMLDOMDocument2;

class DeviceClient : private DeviceClientLinkListener {
public:
    using ReplyFlagTable = std::map<std::string, bool>;
    using FileReplyTable = std::map<std::int32_t, std::unique_ptr<FileReplyRecord>>;
    // A reply handler: true when it handled the message.
    using ReplyHandler = bool (DeviceClient::*)(vireo::Message message);

    // Slices of the event loop, in seconds: discovery and initialisation, replies, and the least
    // time a reply is waited for.
    static constexpr int kDiscoverySliceSeconds = 3;
    static constexpr int kReplySliceSeconds = 5;
    static constexpr int kMinimumReplyLimitSeconds = 11;
    // How long a file check waits for the device's answer.
    static constexpr int kFileReplyLimitSeconds = 30;
    // The slice in which a transfer's end is waited for.
    static constexpr int kTransferSliceSeconds = 3;
    // The status of a transfer the device stopped answering (its retries, or the open's time, ran out).
    static constexpr int kTransferNoAnswerStatus = 0x2072;
    // The pause after each discovery broadcast.
    static constexpr std::chrono::milliseconds kDiscoveryPause { 1000 };

    // A client with the framework process made from the command line (the process name, then
    // key=value properties); no network work.
    DeviceClient(int argc, const char* const* argv);
    // A client on the given link (tests put their own link in place of the framework's).
    explicit DeviceClient(std::unique_ptr<DeviceClientLink> link);
    DeviceClient(const DeviceClient&) = delete;
    DeviceClient& operator=(const DeviceClient&) = delete;
    // Finalize, then the parser document and the process go. The process-wide tables stay: another
    // client (a run's) may be using them.
    virtual ~DeviceClient();

    // Brings the client onto the network once: true when the router answered within the first
    // slice and the parser document exists; otherwise the next call tries the whole sequence again.
    bool Initialize();
    // Leaves the network: the client is uninitialised and unconnected afterwards.
    void Finalize();
    // Deletes every record of the process-wide record tables and the file replies (not the flags).
    static void ResetState();
    // Broadcasts a discovery request to each address of the comma-separated mask (once to the
    // framework's default when it is empty) and adds each new device that answers to the device list.
    bool DiscoverDevices(const std::string& broadcastMask);
    // True when the router answers the client's registration ("Process.connected"); a connected
    // client answers at once unless forced to ask again. The label names the caller.
    bool WaitUntilReady(const std::string& label, bool force);
    // Pumps the event loop in slices until the reply's flag is set, the run is cancelled, or the
    // limit (at least kMinimumReplyLimitSeconds) has passed and a slice handled nothing, or the calling
    // thread is told to stop; clears the flag and returns whether it was set.
    bool WaitForReply(const std::string& replyName, int limitSeconds);

    // Uploads a local file described by the document to the device: asks the device where the file
    // goes ("File.check", not for covers), then starts the transfer. The device file name comes back
    // in deviceFileName; the current-file percent and the run's status word follow the transfer.
    // S_OK once the transfer started (TransferStatus() then leaves 0 when it ends); E_INVALIDARG when
    // the file cannot be read or a needed document is missing; E_FAIL when the device does not answer,
    // names no file, or the transfer cannot start.
    HRESULT UploadFile(const std::string& document, const std::string& localPath, const std::u16string& rootFolder,
        std::string& deviceFileName, WORD* percent, DWORD* status, LONG item, bool binary);
    // Starts fetching the device's file into the local path (created or truncated); always S_OK,
    // TransferStatus() tells how it ends (-1 at once when it could not start).
    HRESULT OpenFileTransfer(const std::string& devicePath, const std::string& localPath, bool binary);
    // 0 while a transfer started by this client runs, 1 when it completed, -1 when it failed.
    LONG TransferStatus() const { return m_transferStatus; }
    // True when the last transfer ended because the device stopped answering it.
    bool TransferUnanswered() const { return m_transferUnanswered; }
    // Pumps the event loop until the transfer this client started ends, or the calling thread is told
    // to stop, or (when the run's cancel applies) the run is cancelled; TransferStatus() afterwards.
    LONG WaitForTransfer(bool stopOnCancel);
    // The local id of the download OpenFileTransfer started; 0 after it ended.
    LONG CurrentTransferId() const { return m_currentTransferId; }

    // The framework process.
    // Pumps the event loop once for at most the time; 0 when an event was handled.
    int HandleEvents(int seconds);
    // Ends the slice of the event loop that another thread is waiting in, so that it looks at the
    // cancel bit at once; callable from any thread.
    void Wake();
    std::string Name() const;
    std::string GetProperty(const std::string& key, const std::string& def = {}) const;
    void SetProperty(const std::string& key, const std::string& value);
    bool HasProperty(const std::string& key) const;

    bool IsConnected() const { return m_connected; }
    bool IsInitialised() const { return m_initialised; }
    CustomerSetup& Setup() { return m_setup; }

    // Process-wide tables.
    static ReplyFlagTable& ReplyFlags();
    static AlbumList& Albums();
    static RadioList& Radios();
    static PlaylistList& Playlists();
    static GroupMap& MusicGroups();
    static GroupMap& RadioGroups();
    static FileReplyTable& FileReplies();

    // Requests that wait for their reply.
    // Fetches the eight Setup values into Setup(); false when nothing could be sent or no reply came.
    bool GetSetupProperties();
    // The device's albums (the table accumulates over queries); out is E_FAIL when the client could
    // not initialise or no reply came.
    AlbumList& QueryAlbums(HRESULT& out);
    // The device's music groups (mtype "music") or radio groups (any other mtype).
    GroupMap& QueryGroups(HRESULT& out, const std::string& mtype);
    // The device's stations and playlists; answered from the table once it holds entries, and empty
    // with S_OK when the device does not answer.
    RadioList& QueryRadioStations(HRESULT& out);
    PlaylistList& QueryPlaylists(HRESULT& out);
    // The listed record of the href with its details read; null with out = E_FAIL when there is none.
    // An album on another device is not fetched: it is marked (AlbumRecord::SetFlags) and returned.
    AlbumRecord* RetrieveAlbum(HRESULT& out, const std::u16string& href);
    RadioRecord* RetrieveRadioStation(HRESULT& out, const std::u16string& href);
    PlaylistRecord* RetrievePlaylist(HRESULT& out, const std::u16string& href);

    // Requests that do not wait.
    // Sends the Setup values whose send flag is set; true without sending when none is.
    bool SendSetupProperties();
    HRESULT RemoveRadioStation(const std::string& document, const std::string& identifier);
    HRESULT RemoveMusicGroup(const std::u16string& href);
    HRESULT RemoveRadioGroup(const std::u16string& href);
    // Re-reads the table from the container document and removes each album or playlist it lists.
    HRESULT RemoveAlbums(const std::string& containerDocument);
    HRESULT RemovePlaylist(const std::string& containerDocument);
    HRESULT ChangeAlbum(const std::string& document);
    HRESULT ChangePlaylist(const std::string& document);
    HRESULT ChangeMusicGroup(const std::string& document);
    HRESULT ChangeRadioGroup(const std::string& document);
    HRESULT ChangeRadioStation(const std::string& document);
    HRESULT CreateAlbum(const std::string& document);
    HRESULT CreateMusicGroup(const std::string& document);
    HRESULT CreateRadioGroup(const std::string& document);
    HRESULT CreateRadioStation(const std::string& document, const std::string& name);
    HRESULT CreatePlaylist(const std::string& document, const std::string& name);
    // Asks the device to delete its file; always S_OK.
    HRESULT DeleteFile(const std::string& path);

    // The desktop key of a playlist's track that refers to an album's track. An album track the
    // playlist names but the album lacks is added to the album and appended to the desktop database;
    // -1 when the album is not listed, the number is below 1 or the append fails.
    LONG AppendPlaylistTrackToAlbum(const std::u16string& albumUrl, LONG trackNumber,
        const std::u16string& connectionString, const std::u16string& trackHref, const std::u16string& trackTitle);

    // Reply handlers, bound to message names by Initialize.
    virtual bool OnProcessConnected(vireo::Message message);
    virtual bool OnSetupProperties(vireo::Message message);
    virtual bool OnIdentity(vireo::Message message);
    virtual bool OnAlbumsListResults(vireo::Message message);
    virtual bool OnMusicFileResults(vireo::Message message);
    virtual bool OnRadioFileResults(vireo::Message message);
    virtual bool OnRadioListResults(vireo::Message message);
    virtual bool OnFileDeleteResults(vireo::Message message);
    virtual bool OnAlbumMetadeleteResults(vireo::Message message);
    virtual bool OnGroupsResults(vireo::Message message);
    virtual bool OnPlaylistFileResults(vireo::Message message);
    virtual bool OnPlaylistListResults(vireo::Message message);
    virtual bool OnPlaylistDeleteResults(vireo::Message message);
    virtual bool OnRadioDeleteResults(vireo::Message message);
    virtual bool OnGroupDeleteResults(vireo::Message message);
    virtual bool OnFileReply(vireo::Message message);
    virtual bool OnFileOpenNack(vireo::Message message);
    virtual bool OnFileRetry(vireo::Message message);
    virtual bool OnRadioUpdateResults(vireo::Message message);
    virtual bool OnAlbumUpdateResults(vireo::Message message);
    virtual bool OnGroupUpdateResults(vireo::Message message);
    virtual bool OnPlaylistUpdateResults(vireo::Message message);
    virtual bool OnRadioAddResults(vireo::Message message);
    virtual bool OnGroupAddResults(vireo::Message message);
    virtual bool OnAlbumAddResults(vireo::Message message);
    virtual bool OnPlaylistAddResults(vireo::Message message);
    virtual bool OnMusicGroupFileResults(vireo::Message message);
    virtual bool OnRadioGroupFileResults(vireo::Message message);

    // Called by the framework with a discovery reply's attributes and when a transfer closes.
    void OnDiscovered(vireo::AttributeValueMap& attributes) override;
    void OnTransferComplete(int transferId, int status) override;

private:
    struct ComRelease {
        void operator()(IXMLDOMDocument2* document) const;
    };
    using ParserDocument = std::unique_ptr<IXMLDOMDocument2, ComRelease>;

    void RegisterHandlers();
    void CreateParserDocument();
    // Pumps one slice of the event loop.
    int Pump(int seconds);
    // A message to this client named after the reply (the address a waiting request attaches).
    vireo::Message MakeReply(const std::string& replyName);
    // Sends a request to the device process whose reply address goes into the payload; then waits.
    bool SendAndWait(vireo::Message& request, vireo::Message& reply, int limitSeconds, bool replyAsPayload);
    // Sets the flag of a reply (or clears it).
    static void SetReplyFlag(const std::string& replyName, bool value = true);
    // The reply's payload as a document text without its document type, or empty.
    static std::string ReplyDocumentText(const vireo::Message& message);
    // Loads the text into the parser document; true when it parsed.
    bool LoadDocument(const std::string& text);
    // The handlers of documents: a container into a table, a document into the record of an href.
    bool OnListDocument(const vireo::Message& message, const std::string& replyName,
        bool (*parse)(DeviceClient& client, IXMLDOMDocument2* document));
    bool OnRecordDocument(const vireo::Message& message, const std::string& replyName,
        bool (*parse)(DeviceClient& client, const std::u16string& href, IXMLDOMNode* root));
    // Flag-only replies.
    bool OnFlagOnly(const std::string& replyName);
    // The request's text payload: the document in UTF-8 with the declaration naming that encoding.
    static std::string DocumentPayload(const std::string& document);
    // A change request: the document parsed into a temporary record for its href, then sent.
    HRESULT SendChange(const std::string& document, const std::string& requestName,
        bool (*hrefOf)(IXMLDOMNode* root, std::u16string& href));
    HRESULT SendCreate(const std::string& document, const std::string& requestName, const char* nameArg,
        const std::string& name);
    HRESULT SendRemoval(const std::string& requestName, const std::u16string& href, bool rejectEmpty);
    // Empties the table (its records retired), lists a container document's items in it and asks the
    // process to remove each, naming it by the href argument.
    template <class List>
    HRESULT RemoveListed(List& list, const std::string& containerDocument, const char* process, const char* hrefArg);
    // Asks the library for the document of an href and waits for its reply; true when it came.
    bool RequestDocument(const char* requestName, const char* replyName, const char* mediaType, const std::u16string& href);
    // Forgets a transfer that ended without its close: no download, upload or file reply names it.
    void ForgetTransfer(int transferId);
    // Upload failure: the progress state forgets the words and the result is returned.
    static HRESULT FailUpload(HRESULT result);

    std::unique_ptr<DeviceClientLink> m_link;
    // Whether this client started the networking library, which Finalize stops again.
    bool m_networking { false };
    bool m_connected { false };
    bool m_initialised { false };
    // Whether the process has its socket, which discovery needs even when no router answers.
    bool m_opened { false };
    ParserDocument m_parser;
    LONG m_transferStatus { 0 };
    bool m_transferUnanswered { false };
    LONG m_currentTransferId { 0 };
    CustomerSetup m_setup;
};
