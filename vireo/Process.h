#pragma once
// The framework's endpoint: one named process with a UDP socket, its properties, a command table and
// the state of routing, fragments, timers and event registrations. It reacts to datagrams inside an
// event loop that its user pumps (HandleEvents) or runs (Run); it starts no thread of its own. Any
// thread may pump the loop, one at a time (EventLoopTurns): replies are handled on whichever thread
// waits for them. Only the property accessors and Wake may be used from other threads while the loop
// runs; everything else belongs to the thread that pumps it.

#include <ace/Event_Handler.h>
#include <ace/INET_Addr.h>
#include <ace/Recursive_Thread_Mutex.h>
#include <ace/Time_Value.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vireo/Dispatcher.h"
#include "vireo/EventLoopTurns.h"
#include "vireo/FragmentAssembler.h"
#include "vireo/Handler.h"
#include "vireo/Profiler.h"
#include "vireo/Properties.h"
#include "vireo/RecentSends.h"
#include "vireo/Registrations.h"

class ACE_Reactor;
class ACE_SOCK_Dgram;

namespace vireo {

class VFTPChannel;

// Told of every file-transfer packet the process receives, with the transfer's local id and the
// packet's position in bytes; false asks to give that transfer up.
using TransferProgressCallback = bool (*)(int localID, int position);

// Property keys and defaults of a process.
inline constexpr const char* kNameKey = "name";
inline constexpr const char* kDefaultProcessName = "VireoProcess";
inline constexpr const char* kPortKey = "port";
inline constexpr const char* kUdnKey = "udn";
inline constexpr const char* kRouterNameKey = "router.name";
inline constexpr const char* kRouterPortKey = "router.port";
inline constexpr const char* kRouterHostKey = "router.host";
inline constexpr const char* kDefaultRouterName = "System";
inline constexpr int kDefaultRouterPort = 1500;
inline constexpr const char* kDefaultRouterHost = "127.0.0.1";
inline constexpr const char* kSocketPrefix = "Socket";
inline constexpr const char* kBroadcastAddressKey = "Socket.broadcastAddress";
inline constexpr const char* kInterMessageGapKey = "Process.interMessageGap";
inline constexpr const char* kInterFragmentGapKey = "Process.interFragmentGap";
inline constexpr int kDefaultInterMessageGapMs = 50;
inline constexpr int kDefaultInterFragmentGapMs = 20;
inline constexpr const char* kDiscoveryPrefix = "discovery";
inline constexpr const char* kNetEventsPrefix = "Process.net.events";
inline constexpr const char* kDebugLevelKey = "Debug.level";
inline constexpr const char* kLogPrefix = "Log";
inline constexpr const char* kPropertiesFileSuffix = ".prp";
inline constexpr const char* kBackupFolder = "7.0.2/";
inline constexpr const char* kLoadCompleteKey = "~~~.Properties.LoadComplete";
// The folders whose files remote requests may read, write and delete (a list); unset refuses them all.
inline constexpr const char* kVFTPFoldersKey = "VFTP.folders";

// Wire limits: a datagram carries at most this many bytes of message text; a received datagram may
// be longer (broadcasts, pieces from senders with long names), up to what UDP can carry.
inline constexpr std::size_t kMaxDatagram = 2000;
inline constexpr std::size_t kMaxReceivedDatagram = 65536;
// How long Run waits for an event before it looks at its timers and stop flag again.
inline constexpr int kIdleWaitSeconds = 300;
// How long the event loop reads the socket directly, while a file transfer runs, before it sleeps in
// the reactor: the peer answers each block within microseconds.
inline constexpr int kTransferPollMicroseconds = 200;

class Process : public ACE_Event_Handler, public Dispatcher, public Handler {
public:
    // Where each known process is reached, by process key.
    using ClientMap = std::map<std::string, ACE_INET_Addr>;
    // Pending timers: due second -> messages in the order they were added.
    using TimerList = std::map<long long, std::vector<Message>>;

    // Reads the name and properties from the command line (name, then key=value items) and fills
    // the command table; opens nothing.
    Process(int argc, const char* const* argv);
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // Leaves the reactor, closes the socket and frees what the process owns; sends nothing.
    ~Process() override;

    // Accessors.
    // The property "name".
    std::string Name() const;
    // The property "router.name", empty when unset.
    std::string RouterName() const;
    // The property "udn", made from the discovery attributes first when it is empty.
    std::string OwnUdn();
    // "//udn/name", or the name alone when the udn is empty.
    std::string OwnAddress();
    // a.b.c.d:port of an address.
    static std::string AddressText(const ACE_INET_Addr& address);
    // a.b.c.d of an address.
    static std::string IpText(const ACE_INET_Addr& address);
    // One " name = key address = a.b.c.d:port" line per client-map entry.
    std::string ClientMapText() const;
    // The client map, the registrations store, the timer list and the lines of a loaded URI script.
    const ClientMap& Clients() const { return m_clients; }
    ClientMap& Clients() { return m_clients; }
    const std::map<std::string, std::unique_ptr<Registrations>>& RegistrationStore() const { return m_registrations; }
    const TimerList& Timers() const { return m_timers; }
    const std::vector<std::string>& ScriptList() const { return m_scriptList; }
    // The socket's local address (port 0 before Init).
    ACE_INET_Addr LocalAddress() const;

    // Dispatcher: message builders and sending.
    bool Send(Message& message) override;
    void RegisterForEvents(const std::string& source, const std::string& type) override;
    void UnregisterForEvents(const std::string& source, const std::string& type) override;
    Event MakeEvent(const std::string& type) override;
    Message MakeMessage(
        const std::string& target, const std::string& name, const std::string& key, const std::string& value) override;
    Message MakeMessage(const std::string& target, const std::string& name) override;
    Message MakeTimerRequestAt(const std::string& type, const VireoTime& time, const std::string& id) override;
    Message MakeTimerRequest(const std::string& type, int seconds, int milliseconds, const std::string& id) override;
    Message MakeTimerCancel(const std::string& id) override;

    // Socket and event loop.
    // Decides the router, opens the socket with its options, registers with the reactor and sends the
    // identity to the router; 0 when ready to receive, -1 when the socket or the registration failed.
    int Init();
    // Fires due timers, then waits at most the given time (shortened to the next timer) for input,
    // on the calling thread whichever it is; 0 when an event was handled (by this thread, or by the
    // thread that was pumping meanwhile), -1 on time-out or error.
    int HandleEvents(int seconds);
    int HandleEvents(const ACE_Time_Value& wait);
    // Ends the wait of the thread pumping the loop now (or of the next pump) as an event would, so that
    // it looks at its own state again; callable from any thread. Nothing happens before Init.
    void Wake();
    // Runs the loop until Stop; 0 on a clean end.
    virtual int Run();
    // True until Stop.
    virtual bool IsRunning() const;
    // Makes Run leave its loop after the current wait.
    virtual void Stop();
    // Sets the log threshold from "Debug.level" and the sinks from the "Log" sub-maps.
    void ApplyLogSettings();
    // Passes a sink's level name and comma-separated field names to the logger.
    static void SetSinkFromText(int sinkBits, const std::string& levelText, const std::string& fieldsText);

    // Wire.
    // Sends text bytes to the address; the socket's result (bytes sent or -1).
    int SendDatagram(const std::string& text, const ACE_INET_Addr& address);
    // Sends the message's wire text as one datagram to the broadcast address; the send's result.
    int Broadcast(const Message& message);
    // Sleeps out what is left of the gap since the last send; true when it slept.
    static bool WaitForGap(const ACE_Time_Value& gap, const ACE_Time_Value& last);
    // Makes a message of a received text and handles it; an empty text is ignored.
    void HandleText(const std::string& text);
    // Dispatches a message addressed to this process, or sends it on when it names another one. The
    // message comes from within this process (a timer), so it goes wherever its target is.
    void HandleMessage(Message message);
    // Called for every message the command table did not handle; the base handles nothing.
    virtual bool HandleUnrecognised(const Message& message);

    // Router and client map.
    // "Process.identity" to the router with this process's name.
    Message MakeIdentityMessage();
    // The router's client-map key for a host (the router name, or own name when there is none).
    std::string RouterKey(const std::string& host) const;
    // Tells the current router goodbye, points the router properties elsewhere and runs Init again.
    int Reconnect(const std::string& host, int port, const std::string& name);
    // Stores the non-empty lines of a URI script; returns how many.
    int loadURIs(const std::string& fileName);

    // Readiness.
    // "Process.ready" to the router with this process's name and the state.
    Message MakeReadyMessage(bool state);
    // 0 none, 1 some, 2 all expected processes ready; stored as "Process.ready".
    int CheckReadyList();
    // Empties the properties files that the message's "clear" list names.
    void ClearPropertyFiles(const Message& message);
    // Tells the reserver that the reservation is complete.
    virtual void CompleteReservation();

    // Discovery.
    void Discover();
    void Announce();
    void DiscoverAndAnnounce();
    // The "discovery" sub-map plus "udn".
    AttributeValueMap DiscoveryAttributes();
    // Asks the peer for the events that "Process.net.events" lists.
    void RegisterNetEvents(const std::string& key);
    // Called with the attributes of every discovered process.
    virtual void OnDiscovered(AttributeValueMap& attributes);
    // Runs the broadcast that "Process.discover.init" names.
    virtual void StartConfiguredDiscovery();

    // Events.
    void AddRegistration(const std::string& source, const std::string& registrant, const std::string& type);
    void RemoveRegistration(const std::string& source, const std::string& registrant, const std::string& type);
    // Passes an event on to the processes registered for it; the number of registrants. A message
    // that is not an event is simply sent (1 when it went out).
    int ForwardEvent(Message message);

    // Timers.
    // Due second of a timer request; 0 when it has neither "time" nor a non-zero "seconds".
    long long TimerDueTime(const Message& message);
    void AddTimer(long long due, const Message& message);
    // Removes the first pending timer with the identifier ("ALL": every timer); true when one was removed.
    bool CancelTimer(const std::string& id);
    // Arms the timers kept in the properties.
    void ReloadTimers();
    // Fires every due timer; the wait until the next one (300 s when none is pending).
    ACE_Time_Value FireDueTimers();

    // Properties: each accessor takes the property lock for its one access, so other threads may use
    // them while the loop runs.
    void SetProperty(const std::string& key, const std::string& value);
    void SetIntProperty(const std::string& key, int value);
    void SetListProperty(const std::string& key, const StringList& value);
    void SetURIProperty(const std::string& key, const VireoURI& value);
    void SetAttribute(const AttributeValue& attribute);
    void SetMapProperty(const std::string& prefix, const AttributeValueMap& map);
    void RemoveProperty(const std::string& key);
    void RemoveMapProperty(const std::string& prefix);
    bool HasProperty(const std::string& key) const;
    std::string GetProperty(const std::string& key, const std::string& def = {}) const;
    int GetIntProperty(const std::string& key, int def = 0) const;
    StringList GetListProperty(const std::string& key) const;
    AttributeValue GetAttribute(const std::string& key, const AttributeValue& def = {}) const;
    AttributeValueMap GetMapProperty(const std::string& prefix) const;
    // A copy of every property.
    AttributeValueMap AllProperties() const;
    // The properties' multi-line listing.
    std::string PropertiesText() const;
    // Writes "<name>.prp" and its backup copy.
    void SaveProperties();
    // Called with the entries that "Properties.set" merged; the base does nothing.
    virtual void OnPropertiesChanged(AttributeValueMap& changed);

    // Ping.
    bool SendNextPing();
    std::string PingReport() const;

    // File transfers with a peer in the client map. Each returns the transfer's local id (the handle
    // number of the local file, which stays open until the transfer ends), or 0 when the peer has no
    // address or the local file cannot be opened; nothing is sent then.
    // Fetches the peer's source into the local destination, created or truncated.
    int GetFile(const std::string& peer, const std::string& source, const std::string& destination, bool binary);
    // Sends the local source to the peer's destination.
    int PutFile(const std::string& peer, const std::string& source, const std::string& destination, bool binary);
    // Keeps the callback for every later packet of the process, then PutFile.
    int PutFileWithProgress(const std::string& peer, const std::string& source, const std::string& destination,
        bool binary, TransferProgressCallback callback);
    // Closes the local file of a transfer its caller gives up (a refused open) and forgets the
    // transfer, sending nothing; false when there is no such transfer.
    bool CloseTransfer(int localID);
    // Handles one received file-transfer packet; always true.
    bool OnVFTPPacket(const char* bytes, std::size_t length);
    // The open transfer ends, by local id.
    const std::map<int, std::unique_ptr<VFTPChannel>>& Transfers() const { return m_transfers; }
    // Called once when a transfer's channel has been closed and removed; the base logs.
    virtual void OnTransferComplete(int transferId, int status);

    // The message profiler, told of every message sent and handled.
    Profiler& MessageProfiler() { return m_profiler; }

    // ACE_Event_Handler.
    ACE_HANDLE get_handle() const override;
    int handle_input(ACE_HANDLE handle) override;
    int handle_output(ACE_HANDLE handle) override;
    int handle_exception(ACE_HANDLE handle) override;
    int handle_timeout(const ACE_Time_Value& time, const void* argument) override;
    int handle_close(ACE_HANDLE handle, ACE_Reactor_Mask mask) override;
    int handle_signal(int signal, siginfo_t* information, ucontext_t* context) override;

protected:
    // Command handlers, in command-table order.
    bool OnProcessIdentity(Message message);
    bool OnProcessReconnect(Message message);
    bool OnProcessDisconnect(Message message);
    bool OnProcessReady(Message message);
    bool OnProcessTerminate(Message message);
    bool OnProcessConnected(Message message);
    bool OnReserveRequest(Message message);
    bool OnReserveComplete(Message message);
    bool OnProcessAutoready(Event event);
    bool OnEventRegister(Message message);
    bool OnEventUnregister(Message message);
    bool OnEventNotify(Message message);
    bool OnPropertiesChain(Message message);
    bool OnPropertiesInit(Message message);
    bool OnPropertiesSet(Message message);
    bool OnPropertiesGet(Message message);
    bool OnProcessStatus(Message message);
    bool OnDebugChange(Message message);
    bool OnProcessHelp(Message message);
    bool OnLogChange(Message message);
    bool OnProcessForward(Message message);
    bool OnProcessDiscover(Message message);
    bool OnProcessDiscovered(Message message);
    bool OnProcessDiscoverInit(Message message);
    bool OnPingStart(Message message);
    bool OnPingStop(Message message);
    bool OnPingRequest(Message message);
    bool OnPingAck(Message message);
    bool OnTimerRequest(Message message);
    bool OnFileOpen(Message message);
    bool OnFileOpenAck(Message message);
    bool OnFileClose(Message message);
    bool OnFileCloseAck(Message message);
    bool OnFileGet(Message message);
    bool OnFilePut(Message message);
    bool OnFileDelete(Message message);
    bool OnFileDeleteAck(Message message);
    // Resends a transfer's last packet; false once its retries are used up (the transfer is then closed).
    bool OnFileRetry(Message message);

    // The datagram source of the message being handled.
    const ACE_INET_Addr& SourceAddress() const { return m_source; }

private:
    struct PingState {
        bool running { false };
        int count { 0 };
        int sent { 0 };
        ACE_Time_Value sendTime;
        int packetSize { 0 };
        std::string target;
        int average { -1 };
        int low { -1 };
        int high { -1 };
    };

    void LoadProperties(int argc, const char* const* argv);
    void FillCommandTable();
    void ApplySocketOptions();
    // Reads one datagram without blocking; false on a read error.
    bool ReadDatagram(std::string& bytes);
    // Hands a received datagram to the transfer, fragment or message path.
    void HandleDatagram(const std::string& bytes);
    // Reads the socket directly and handles the first datagram; while transfers run it watches the
    // socket for up to the limit (at most kTransferPollMicroseconds). False when none came.
    bool ReadWaitingDatagram(const ACE_Time_Value& limit);
    void HandleFragment(const std::string& text);
    // HandleMessage for a message that arrived from the address, or from within when that is null.
    void HandleMessage(Message message, const ACE_INET_Addr* from);
    // Sends on a message for another process. One that would go straight back to the peer it came
    // from is delivered there (a client may address itself through its router), unless this
    // process sent that very text there a moment ago: then the two are passing it back and forth.
    void SendOn(Message& message, const ACE_INET_Addr* from);
    // One slice of the loop on the thread whose turn it is: timers, then the socket.
    int PumpEvents(const ACE_Time_Value& limit);
    // The address a message for the key goes to: the key's entry, else the router's; null when neither
    // is known.
    const ACE_INET_Addr* Route(const Message& message, const std::string& key) const;
    // A text too long for one datagram cut into numbered pieces; none when no header fits.
    std::vector<std::string> Datagrams(const std::string& text);
    // The process's properties file, empty when the name cannot name a file in the current folder.
    std::string PropertiesFileName() const;
    static std::string LevelName(int level);
    // Opens the local file, enters its channel and asks the peer to open its side; the local id or 0.
    int StartTransfer(const std::string& peer, const std::string& localFile, const std::string& localMode,
        const std::string& peerFile, const std::string& peerMode);
    // True when a remote request may use the path; logs a refusal.
    bool AllowsTransferPath(const std::string& path) const;
    // The channel of a local id, or null.
    VFTPChannel* FindTransfer(int localID);
    // The channel that a "File.close" or "File.close.ack" names, or null (logged).
    VFTPChannel* FindClosingTransfer(const Message& message);

    ClientMap m_clients;
    std::map<std::string, std::unique_ptr<Registrations>> m_registrations;
    int m_forwardCount { 0 };
    TimerList m_timers;
    FragmentAssembler m_fragments;
    RecentSends m_recentSends;
    std::unique_ptr<ACE_Reactor> m_reactor;
    EventLoopTurns m_loopTurns;
    ACE_INET_Addr m_source;
    std::vector<std::string> m_scriptList;
    std::string m_currentSpill;
    std::unique_ptr<ACE_SOCK_Dgram> m_socket;
    bool m_stopped { false };
    Properties m_properties;
    ACE_Time_Value m_lastSend { ACE_Time_Value::zero };
    int m_fragmentCounter { 0 };
    ACE_Time_Value m_interFragmentGap { ACE_Time_Value::zero };
    ACE_Time_Value m_interMessageGap { ACE_Time_Value::zero };
    mutable ACE_Recursive_Thread_Mutex m_propertyMutex;
    PingState m_ping;
    Profiler m_profiler;
    std::map<int, std::unique_ptr<VFTPChannel>> m_transfers;
    TransferProgressCallback m_transferProgress { nullptr };
};

// The process name a program path gives: the text after the last "/" or "\", cut at its first ".exe".
std::string ProgramNameFromPath(const std::string& path);
// The folder part of a path up to and including its last "/" or "\"; empty when there is none.
std::string DirectoryOfPath(const std::string& path);
// The level number of a level name (exact, case-sensitive); any other text gives NOTICE.
int LevelFromName(const std::string& name);
// A field mask from comma-separated field names; an empty text gives every field.
int FieldsFromText(const std::string& text);
// Padding text of exactly n characters (n at least 1) made of numbered 100-character ruler lines.
std::string MakePingPadding(int n);
// The current time of day on the platform clock.
ACE_Time_Value TimeOfDay();

} // namespace vireo
