#pragma once
// Real processes on loopback for the tests: each test picks free ports, builds processes from
// command lines, and pumps their event loops in turn until what it waits for has happened.

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vireo/Process.h"
#include "vireo/tests/support/FreeUdpPort.h"
#include "vireo/tests/support/LogCapture.h"
#include "vireo/vireo_log.h"

#include <gtest/gtest.h>

namespace vireo::test {

// A process that records the messages of the commands a test registers, and those nobody handled.
class TestProcess : public Process {
public:
    TestProcess(int argc, const char* const* argv)
        : Process(argc, argv)
    {
    }

    // Records every message named name.
    void Record(const std::string& name) { RegisterCommand(name, this, &TestProcess::OnRecorded); }

    bool HandleUnrecognised(const Message& message) override
    {
        unrecognised.push_back(message);
        return false;
    }
    void OnDiscovered(AttributeValueMap& attributes) override
    {
        discovered.push_back(attributes);
        Process::OnDiscovered(attributes);
    }

    // Counts what the process sends, by message name.
    bool Send(Message& message) override
    {
        ++sent[message.Name()];
        return Process::Send(message);
    }

    // Test access to the handling of a message from within the process, as a timer hands it over.
    void Receive(const Message& message) { HandleMessage(message); }

    std::vector<Message> received;
    std::vector<std::string> payloads;
    std::vector<Message> unrecognised;
    std::vector<AttributeValueMap> discovered;
    std::map<std::string, int> sent;

private:
    bool OnRecorded(Message message)
    {
        // The payload is read while the message is handled: its spill file goes afterwards.
        payloads.push_back(message.Payload());
        received.push_back(std::move(message));
        return true;
    }
};

// Builds a process from a name and key=value arguments; the gaps are 0 unless the arguments say
// otherwise, so that tests do not wait out the pacing.
inline std::unique_ptr<TestProcess> MakeProcess(const std::string& name, std::vector<std::string> args)
{
    args.insert(args.begin(), { name, "Process.interMessageGap=0", "Process.interFragmentGap=0" });
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    return std::make_unique<TestProcess>(static_cast<int>(argv.size()), argv.data());
}

// A process that is its own router on a fresh port, so that it sends nothing anywhere by itself.
inline std::unique_ptr<TestProcess> StandAlone(const std::string& name, std::vector<std::string> args = {})
{
    const std::string port = std::to_string(FreeUdpPort());
    args.push_back("port=" + port);
    args.push_back("router.port=" + port);
    auto process = MakeProcess(name, std::move(args));
    EXPECT_EQ(process->Init(), 0);
    return process;
}

// The process's socket as a peer on loopback reaches it.
inline ACE_INET_Addr Loopback(const Process& process)
{
    return ACE_INET_Addr(process.LocalAddress().get_port_number(), "127.0.0.1");
}

// A message to target whose text is exactly length bytes long.
inline Message MessageOfLength(const std::string& target, std::size_t length, const std::string& name = "Test.size")
{
    Message message(target, name, "pad", "");
    const std::size_t base = message.Text().size();
    message.SetArg("pad", std::string(length - base, 'x'));
    return message;
}

// Pumps the processes in turn until the condition holds; false when it never did.
inline bool PumpUntil(std::initializer_list<Process*> processes, const std::function<bool()>& done, int rounds = 400)
{
    for (int i = 0; i < rounds; ++i) {
        if (done())
            return true;
        for (Process* process : processes)
            process->HandleEvents(ACE_Time_Value(0, 5000));
    }
    return done();
}

// Pumps the processes until none of them has had anything to handle for a few rounds.
inline void PumpQuiet(std::initializer_list<Process*> processes)
{
    int idle = 0;
    for (int i = 0; i < 2000 && idle < 4; ++i) {
        bool any = false;
        for (Process* process : processes)
            any = process->HandleEvents(ACE_Time_Value(0, 5000)) == 0 || any;
        idle = any ? 0 : idle + 1;
    }
}

// Raises the log threshold for a test and restores it afterwards.
class LogLevelScope {
public:
    explicit LogLevelScope(LogLevel level) { SetLogLevel(level); }
    ~LogLevelScope() { SetLogLevel(m_saved); }

private:
    int m_saved { GetLogLevel() };
};

// A bare UDP socket on loopback for tests that play a peer or a relay by hand.
class RawPeer {
public:
    explicit RawPeer(const char* host = "127.0.0.1") { m_socket.open(ACE_INET_Addr(static_cast<u_short>(0), host)); }
    ~RawPeer() { m_socket.close(); }

    ACE_INET_Addr Address() const
    {
        ACE_INET_Addr local;
        m_socket.get_local_addr(local);
        return local;
    }
    void SendTo(const std::string& bytes, const ACE_INET_Addr& to) { m_socket.send(bytes.data(), bytes.size(), to); }
    // Every datagram that arrives within the wait, in order.
    std::vector<std::string> ReceiveAll(int waitMs = 50)
    {
        std::vector<std::string> datagrams;
        std::string buffer(65536, '\0');
        for (;;) {
            ACE_INET_Addr from;
            ACE_Time_Value wait(0, waitMs * 1000);
            const ssize_t n = m_socket.recv(buffer.data(), buffer.size(), from, 0, &wait);
            if (n < 0)
                return datagrams;
            datagrams.emplace_back(buffer.data(), static_cast<std::size_t>(n));
            m_lastFrom = from;
        }
    }
    const ACE_INET_Addr& LastFrom() const { return m_lastFrom; }

private:
    ACE_SOCK_Dgram m_socket;
    ACE_INET_Addr m_lastFrom;
};

} // namespace vireo::test
