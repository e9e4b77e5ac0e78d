#include "vireo/Process.h"
#include "vireo/TransferFolders.h"
#include "vireo/VFTPChannel.h"
#include "vireo/VFTPHeader.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/base/Clock.h"
#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;
namespace fs = std::filesystem;

namespace {

// A process that records the transfers it saw complete.
class TransferProcess : public TestProcess {
public:
    using TestProcess::TestProcess;

    void OnTransferComplete(int transferId, int status) override
    {
        completed.emplace_back(transferId, status);
        Process::OnTransferComplete(transferId, status);
    }

    std::vector<std::pair<int, int>> completed;
};

std::unique_ptr<TransferProcess> MakeTransferProcess(const std::string& name, std::vector<std::string> args)
{
    const std::string port = std::to_string(FreeUdpPort());
    args.insert(args.begin(),
        { name, "Process.interMessageGap=0", "Process.interFragmentGap=0", "port=" + port, "router.port=" + port });
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    auto process = std::make_unique<TransferProcess>(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(process->Init(), 0);
    return process;
}

std::string Bytes(std::size_t size, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

void WriteFile(const std::string& name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string Packet(char state, int count, int local, int foreign, int position, int size, const std::string& data = {})
{
    VFTPHeader header;
    header.state = state;
    header.sendCount = static_cast<std::int8_t>(count);
    header.localID = local;
    header.foreignID = foreign;
    header.position = position;
    header.size = size;
    std::copy(data.begin(), data.end(), header.data.begin());
    return header.Bytes();
}

// The packet with its size word replaced.
std::string WithSize(std::string packet, std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        packet[19 - i] = static_cast<char>(size >> (8 * i));
    return packet;
}

std::size_t PendingTimers(const Process& process)
{
    std::size_t n = 0;
    for (const auto& [due, list] : process.Timers())
        n += list.size();
    return n;
}

// Two processes on loopback: A starts transfers, B serves the folder "srv". Time stands still on a
// manual clock, so a retry happens only when a test moves it.
class Transfers : public ::testing::Test {
protected:
    std::shared_ptr<platform::ManualClock> clock { std::make_shared<platform::ManualClock>() };
    platform::ScopedClock scope { clock };
    std::unique_ptr<TransferProcess> a;
    std::unique_ptr<TransferProcess> b;

    void SetUp() override { Start({}, {}); }

    void Start(std::vector<std::string> argsA, std::vector<std::string> argsB)
    {
        fs::create_directories("srv");
        argsB.push_back("VFTP.folders=srv");
        a = MakeTransferProcess("A", std::move(argsA));
        b = MakeTransferProcess("B", std::move(argsB));
        a->Clients()["B"] = Loopback(*b);
        b->Clients()["A"] = Loopback(*a);
    }

    // Pumps both until the condition holds, moving the clock past the retry timeout whenever nothing
    // is left to handle; false when it never held.
    bool Run(const std::function<bool()>& done, int timeouts = 20)
    {
        for (int t = 0; t <= timeouts; ++t) {
            int idle = 0;
            while (!done() && idle < 3) {
                const bool any = (a->HandleEvents(ACE_Time_Value(0, 2000)) == 0)
                    | (b->HandleEvents(ACE_Time_Value(0, 2000)) == 0);
                idle = any ? 0 : idle + 1;
            }
            if (done())
                return true;
            clock->Advance(std::chrono::seconds(2));
        }
        return done();
    }

    bool BothCompleted(std::size_t n = 1) { return a->completed.size() >= n && b->completed.size() >= n; }
};

} // namespace

TEST(VFTPHeader, WireFormAndLogText)
{
    const std::string bytes = Packet('w', 1, 12, 34, 2048, 3, "abc");
    ASSERT_EQ(bytes.size(), 23u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("*tw\x01", 4));
    EXPECT_EQ(bytes.substr(12, 4), std::string("\0\0\x08\0", 4)) << "words are big-endian";
    const auto parsed = VFTPHeader::Parse(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->position, 2048);
    EXPECT_EQ(std::string(parsed->data.data(), 3), "abc");

    VFTPHeader request;
    request.sendCount = 1;
    request.localID = 12;
    request.foreignID = 34;
    request.position = 2048;
    EXPECT_EQ(DescribeHeader("File transfer send", &request),
        "File transfer send: control=*tr1, localID=12, foreignID=34, position=2048, size=1024.\n");
    EXPECT_EQ(DescribeHeader("x", nullptr), "x: null header.\n");
    EXPECT_EQ(HexDump("\x2a\x74\x72\x01\x00\x00", 6), "\n\t2a747201 0000");
    EXPECT_EQ(HexDump(std::string(17, '\x01').data(), 17),
        "\n\t01010101 01010101 01010101 01010101\n\t01");
}

TEST(VFTPHeader, PacketsThatLieAboutTheirSizeAreRefused)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool accepted;
    };
    const std::string block(1024, 'x');
    const Case cases[] = {
        { "shorter than a header", Packet('r', 1, 1, 2, 0, 1024).substr(0, 19), false },
        { "data of size 0", Packet('w', 1, 1, 2, 0, 0), false },
        { "data above a block", WithSize(Packet('w', 1, 1, 2, 0, 1024, block) + "x", 1025), false },
        { "data size beyond the datagram", Packet('w', 1, 1, 2, 0, 10, "0123456789").substr(0, 25), false },
        { "negative size", Packet('w', 1, 1, 2, 0, -5), false },
        { "request above a block", Packet('r', 1, 1, 2, 0, 1025), false },
        { "two gigabytes claimed", WithSize(Packet('w', 1, 1, 2, 0, 1024, block), 0x7f000400), false },
        { "full block", Packet('w', 1, 1, 2, 0, 1024, block), true },
        { "end of file", Packet('e', 1, 1, 2, 77, 0), true },
        { "failure with its status", Packet('n', 1, 1, 2, 0, 0x201F), true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(VFTPHeader::Parse(c.bytes.data(), c.bytes.size()).has_value(), c.accepted) << c.what;
}

TEST(TransferFolders, OnlyPathsInsideTheFoldersAreAllowed)
{
    fs::create_directories("srv/sub");
    fs::create_directories("other");
    WriteFile("srv/a.mp3", "a");
    WriteFile("other/secret", "s");
    fs::create_symlink(fs::absolute("other"), "srv/out");
    fs::create_symlink(fs::absolute("other/secret"), "srv/secret");
    fs::create_symlink(fs::absolute("other/new"), "srv/dangling");
    fs::create_symlink("a.mp3", "srv/alias");

    const TransferFolders folders({ "srv" });
    const std::pair<const char*, bool> cases[] = {
        { "srv/a.mp3", true },
        { "srv/new.mp3", true },
        { "srv/sub/new.mp3", true },
        { "./srv/a.mp3", true },
        { "srv/alias", true },
        { "srv", false },
        { "srv/", false },
        { "srv/.", false },
        { "other/secret", false },
        { "a.mp3", false },
        { "srv/../other/secret", false },
        { "srv/sub/../a.mp3", false },
        { "../srv/a.mp3", false },
        { "", false },
        { "srv/out/secret", false },
        { "srv/secret", false },
        { "srv/dangling", false },
    };
    for (const auto& [path, allowed] : cases)
        EXPECT_EQ(folders.Allows(path), allowed) << path;
    EXPECT_FALSE(folders.Allows(fs::absolute("srv/a.mp3").string())) << "absolute paths are refused";
    EXPECT_FALSE(TransferFolders({}).Allows("srv/a.mp3")) << "no folders, no access";
}

TEST_F(Transfers, FetchedAndSentFilesKeepEveryByte)
{
    const std::size_t sizes[] = { 0, 1, 1023, 1024, 1025, 1500, 5 * 1024 * 1024 };
    std::size_t n = 0;
    for (std::size_t size : sizes) {
        SCOPED_TRACE(size);
        const std::string content = Bytes(size, static_cast<unsigned>(size));
        const std::string name = std::to_string(size);
        WriteFile("srv/" + name, content);
        WriteFile("up" + name, content);

        const int fetch = a->GetFile("B", "srv/" + name, "down" + name, true);
        ASSERT_NE(fetch, 0);
        ASSERT_TRUE(Run([&] { return BothCompleted(n + 1); }, 0)) << "no retry is needed on a clean link";
        EXPECT_EQ(a->completed[n], std::make_pair(fetch, 0));
        EXPECT_EQ(b->completed[n].second, 0);
        EXPECT_TRUE(ReadFile("down" + name) == content);
        ++n;

        const int send = a->PutFile("B", "up" + name, "srv/copy" + name, false);
        ASSERT_NE(send, 0);
        ASSERT_TRUE(Run([&] { return BothCompleted(n + 1); }, 0));
        EXPECT_EQ(a->completed[n], std::make_pair(send, 0));
        EXPECT_EQ(b->completed[n].second, 0);
        EXPECT_TRUE(ReadFile("srv/copy" + name) == content);
        ++n;
    }
    EXPECT_TRUE(a->Transfers().empty());
    EXPECT_TRUE(b->Transfers().empty());
    EXPECT_TRUE(a->Timers().empty()) << "the retry timers went with their transfers";
}

TEST_F(Transfers, TwoTransfersAtOnceKeepTheirOwnChannelsAndTimers)
{
    const std::string one = Bytes(5000, 1);
    const std::string two = Bytes(9000, 2);
    WriteFile("srv/one", one);
    WriteFile("two", two);
    const int fetch = a->GetFile("B", "srv/one", "one", true);
    const int send = a->PutFile("B", "two", "srv/two", true);
    ASSERT_NE(fetch, send);
    ASSERT_TRUE(PumpUntil({ a.get(), b.get() }, [&] { return PendingTimers(*a) == 2; }));
    ASSERT_TRUE(Run([&] { return BothCompleted(2); }, 0));
    EXPECT_TRUE(ReadFile("one") == one);
    EXPECT_TRUE(ReadFile("srv/two") == two);
    std::vector<int> ids { a->completed[0].first, a->completed[1].first };
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int> { std::min(fetch, send), std::max(fetch, send) }));
}

TEST_F(Transfers, DroppedFirstSendsOfTheClientAreMadeUpByRetries)
{
    for (int period : { 1, 2 }) {
        SCOPED_TRACE(period);
        Start({ "VFTP.dropPeriod=" + std::to_string(period) }, {});
        const std::string content = Bytes(6000, static_cast<unsigned>(period));
        WriteFile("srv/f", content);
        WriteFile("up", content);
        ASSERT_NE(a->GetFile("B", "srv/f", "down", true), 0);
        ASSERT_TRUE(Run([&] { return BothCompleted(1); }));
        EXPECT_EQ(a->completed[0].second, 0);
        EXPECT_TRUE(ReadFile("down") == content);
        ASSERT_NE(a->PutFile("B", "up", "srv/copy", true), 0);
        ASSERT_TRUE(Run([&] { return BothCompleted(2); }));
        EXPECT_EQ(b->completed[1].second, 0);
        EXPECT_TRUE(ReadFile("srv/copy") == content);
    }
}

TEST_F(Transfers, AServerThatDropsItsAnswersEndsInAFailureNeverASuccess)
{
    Start({}, { "VFTP.dropPeriod=2" });
    WriteFile("srv/f", Bytes(3000));
    const int id = a->GetFile("B", "srv/f", "down", true);
    ASSERT_NE(id, 0);
    ASSERT_TRUE(Run([&] { return b->completed.size() == 1; }));
    EXPECT_EQ(b->completed[0].second, kVFTPStatusNoRetries);
    EXPECT_TRUE(a->completed.empty()) << "the client learns of it through its retry handler";
    ASSERT_EQ(a->unrecognised.size(), 1u);
    EXPECT_EQ(a->unrecognised[0].Name(), "File.retry");
    EXPECT_TRUE(a->Transfers().empty()) << "the given-up channel is gone with its file";
    EXPECT_FALSE(a->CloseTransfer(id));
}

TEST_F(Transfers, ALossyLinkStillDeliversEqualFiles)
{
    // A relay between the two that loses one packet in twenty; the messages that open and close a
    // transfer are not retried, so they pass.
    ACE_SOCK_Dgram socket(ACE_INET_Addr(static_cast<u_short>(0), "127.0.0.1"));
    ACE_INET_Addr relay;
    socket.get_local_addr(relay);
    a->Clients()["B"] = relay;
    b->Clients()["A"] = relay;
    const ACE_INET_Addr toA = Loopback(*a);
    const ACE_INET_Addr toB = Loopback(*b);
    std::mt19937 random(5);
    int lost = 0;
    auto forward = [&] {
        std::string buffer(65536, '\0');
        bool any = false;
        for (;;) {
            ACE_INET_Addr from;
            ACE_Time_Value wait(0, 1000);
            const ssize_t n = socket.recv(buffer.data(), buffer.size(), from, 0, &wait);
            if (n <= 0)
                return any;
            any = true;
            if (buffer[0] == '*' && random() % 20 == 0) {
                ++lost;
                continue;
            }
            socket.send(buffer.data(), static_cast<std::size_t>(n), from == toA ? toB : toA);
        }
    };
    const std::string content = Bytes(200 * 1024, 3);
    WriteFile("srv/f", content);
    WriteFile("up", content);
    auto run = [&](std::size_t n) {
        for (int t = 0; t < 200 && !BothCompleted(n); ++t) {
            int idle = 0;
            while (!BothCompleted(n) && idle < 3) {
                const bool any = forward() | (a->HandleEvents(ACE_Time_Value(0, 1000)) == 0)
                    | (b->HandleEvents(ACE_Time_Value(0, 1000)) == 0);
                idle = any ? 0 : idle + 1;
            }
            if (!BothCompleted(n))
                clock->Advance(std::chrono::seconds(2));
        }
        return BothCompleted(n);
    };
    ASSERT_NE(a->GetFile("B", "srv/f", "down", true), 0);
    ASSERT_TRUE(run(1));
    ASSERT_NE(a->PutFile("B", "up", "srv/copy", true), 0);
    ASSERT_TRUE(run(2));
    socket.close();
    EXPECT_GT(lost, 0);
    EXPECT_EQ(a->completed[0].second, 0);
    EXPECT_EQ(a->completed[1].second, 0);
    EXPECT_TRUE(ReadFile("down") == content);
    EXPECT_TRUE(ReadFile("srv/copy") == content);
}

namespace {

bool g_abortAfter2k(int, int position) { return position < 2048; }

} // namespace

TEST_F(Transfers, AnUploadGivenUpByItsCallbackIsAFailureOnBothSides)
{
    WriteFile("up", Bytes(10000));
    ASSERT_NE(a->PutFileWithProgress("B", "up", "srv/copy", true, &g_abortAfter2k), 0);
    ASSERT_TRUE(Run([&] { return BothCompleted(1); }, 0));
    EXPECT_EQ(a->completed[0].second, kVFTPStatusSeekFailed);
    EXPECT_EQ(b->completed[0].second, kVFTPStatusSeekFailed) << "the peer must not keep a partial file as complete";
    EXPECT_LT(fs::file_size("srv/copy"), 10000u);
}

TEST_F(Transfers, WriteAndReadErrorsEndInAFailure)
{
    fs::create_directories("srv/folder");
    struct Case {
        std::string source;
        std::size_t size;
        std::string destination;
    };
    const Case cases[] = {
        { "srv/small", 100, "/dev/full" }, // fails when the data is flushed
        { "srv/large", 40000, "/dev/full" }, // fails while blocks are written
        { "srv/folder", 0, "down" }, // a folder opens, but reading it fails
    };
    std::size_t n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        if (c.size)
            WriteFile(c.source, Bytes(c.size));
        ASSERT_NE(a->GetFile("B", c.source, c.destination, true), 0);
        ASSERT_TRUE(Run([&] { return BothCompleted(n + 1); }, 0));
        EXPECT_EQ(a->completed[n].second, kVFTPStatusSeekFailed);
        EXPECT_EQ(b->completed[n].second, kVFTPStatusSeekFailed);
        ++n;
    }
}

TEST_F(Transfers, RequestsTheServerRefuses)
{
    RawPeer client;
    b->Clients()["Raw"] = client.Address();
    fs::create_directories("elsewhere");
    WriteFile("elsewhere/secret", "secret");
    WriteFile("srv/kept", "kept");
    fs::create_symlink(fs::absolute("elsewhere"), "srv/link");

    auto ask = [&](const Message& request) {
        client.SendTo(request.Text(), Loopback(*b));
        PumpQuiet({ b.get() });
        std::vector<Message> answers;
        for (const std::string& text : client.ReceiveAll(20))
            answers.emplace_back(VireoURI(text));
        return answers;
    };
    auto open = [&](const std::string& file, const std::string& mode) {
        Message request("B", "File.open");
        request.SetArg("sender", "Raw");
        request.SetArg("file", file);
        request.SetArg("mode", mode);
        request.SetArg("foreignID", 42);
        return ask(request);
    };
    const std::pair<std::string, std::string> refused[] = {
        { "srv/missing", "rb" },
        { "srv/kept", "a" },
        { "srv/kept", "r+" },
        { "srv/kept", "" },
        { "../elsewhere/secret", "rb" },
        { "srv/../elsewhere/secret", "rb" },
        { fs::absolute("elsewhere/secret").string(), "rb" },
        { "srv/link/secret", "rb" },
        { "srv/link/new", "wb" },
    };
    for (const auto& [file, mode] : refused) {
        SCOPED_TRACE(file + " " + mode);
        const auto answers = open(file, mode);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0].Name(), "File.open.nack");
        EXPECT_EQ(answers[0].GetInt("localID", 0), 42);
    }
    EXPECT_TRUE(b->Transfers().empty());
    EXPECT_FALSE(fs::exists("elsewhere/new"));

    auto remove = [&](const std::string& file, const std::string& sender) {
        Message request("B", "File.delete");
        request.SetArg("sender", sender);
        request.SetArg("file", file);
        request.SetArg("foreignID", 7);
        return ask(request);
    };
    const std::pair<std::string, int> deletes[] = {
        { "srv/missing", ENOENT },
        { "srv/link/secret", EACCES },
        { "srv/../elsewhere/secret", EACCES },
        { "srv/kept", 0 },
    };
    for (const auto& [file, status] : deletes) {
        SCOPED_TRACE(file);
        const auto answers = remove(file, "Raw");
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0].Name(), "File.delete.ack");
        EXPECT_EQ(answers[0].GetInt("localID", 0), 7);
        EXPECT_EQ(answers[0].GetInt("status", -1), status);
    }
    EXPECT_TRUE(fs::exists("elsewhere/secret"));
    EXPECT_FALSE(fs::exists("srv/kept"));
    EXPECT_TRUE(remove("srv/missing", "").empty()) << "without a sender nobody is told";

    // Fetches and sends that a remote request starts name a local file too.
    WriteFile("srv/f", "f");
    Message get("B", "File.get");
    get.SetArg("subsystem", "A");
    get.SetArg("readFile", "anything");
    get.SetArg("writeFile", "elsewhere/secret");
    Message put("B", "File.put");
    put.SetArg("subsystem", "A");
    put.SetArg("readFile", "elsewhere/secret");
    put.SetArg("writeFile", "stolen");
    b->Receive(get);
    b->Receive(put);
    EXPECT_TRUE(b->Transfers().empty());
    EXPECT_EQ(ReadFile("elsewhere/secret"), "secret");
}

TEST_F(Transfers, TransfersThatCannotStartSendNothing)
{
    RawPeer peer;
    a->Clients()["Raw"] = peer.Address();
    EXPECT_EQ(a->GetFile("Raw", "x", "no/such/folder/x", true), 0);
    EXPECT_EQ(a->PutFile("Raw", "no-such-file", "x", true), 0);
    EXPECT_EQ(a->GetFile("Nobody", "x", "x", true), 0) << "a peer without an address";
    EXPECT_FALSE(fs::exists("x"));
    EXPECT_TRUE(peer.ReceiveAll(20).empty());
    EXPECT_TRUE(a->Transfers().empty());
}

// The client side against a peer played by hand: the packets, a lost request, lies and silence.
class HandPlayedServer : public Transfers {
protected:
    RawPeer server;
    int id { 0 };

    void SetUp() override
    {
        Transfers::SetUp();
        a->Clients()["Raw"] = server.Address();
        id = a->GetFile("Raw", "remote", "down", true);
        ASSERT_NE(id, 0);
        const auto open = Received();
        ASSERT_EQ(open.size(), 1u);
        EXPECT_EQ(Message(VireoURI(open[0])).Name(), "File.open");
        Message ack("A", "File.open.ack");
        ack.SetArg("localID", id);
        ack.SetArg("foreignID", 99);
        ack.SetArg("status", 0);
        server.SendTo(ack.Text(), Loopback(*a));
    }

    std::vector<std::string> Received()
    {
        PumpQuiet({ a.get() });
        return server.ReceiveAll(20);
    }
    void Send(const std::string& bytes) { server.SendTo(bytes, Loopback(*a)); }
    static VFTPHeader Header(const std::string& bytes)
    {
        auto header = VFTPHeader::Parse(bytes.data(), bytes.size());
        EXPECT_TRUE(header);
        return header.value_or(VFTPHeader {});
    }
};

TEST_F(HandPlayedServer, ALostRequestIsResentAndASilentPeerIsGivenUp)
{
    auto first = Received();
    ASSERT_EQ(first.size(), 1u);
    const VFTPHeader request = Header(first[0]);
    EXPECT_EQ(request.state, 'r');
    EXPECT_EQ(request.sendCount, 1);
    EXPECT_EQ(request.localID, id);
    EXPECT_EQ(request.foreignID, 99);

    clock->Advance(std::chrono::seconds(1));
    EXPECT_TRUE(Received().empty()) << "not before the timeout";
    clock->Advance(std::chrono::seconds(1));
    auto second = Received();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(Header(second[0]).sendCount, 2);
    clock->Advance(std::chrono::seconds(2));
    auto third = Received();
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(Header(third[0]).sendCount, 3);
    clock->Advance(std::chrono::seconds(2));
    auto last = Received();
    ASSERT_EQ(last.size(), 1u);
    const Message given { VireoURI(last[0]) };
    EXPECT_EQ(given.Name(), "File.close.ack");
    EXPECT_EQ(given.GetInt("status", 0), kVFTPStatusNoRetries);
    EXPECT_EQ(given.GetInt("localID", 0), 99);
    EXPECT_TRUE(a->Transfers().empty());
    EXPECT_TRUE(a->Timers().empty());
    EXPECT_EQ(fcntl(id, F_GETFD), -1) << "the local file is closed";
}

TEST_F(HandPlayedServer, OnlyTheAnswerToTheLastRequestIsWritten)
{
    ASSERT_EQ(Received().size(), 1u);
    Send(std::string("*tr", 3)); // too short
    Send(Packet('w', 1, 99, id, 4096, 4, "hole")); // would leave a hole
    Send(Packet('w', 1, 98, id, 0, 4, "evil")); // another transfer's
    Send(Packet('w', 1, 99, id, 0, 0)); // empty data
    EXPECT_TRUE(Received().empty());

    Send(Packet('w', 1, 99, id, 0, 5, "hello"));
    auto next = Received();
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(Header(next[0]).position, 5);
    Send(Packet('w', 1, 99, id, 0, 5, "HELLO")); // a late duplicate on the client side
    EXPECT_TRUE(Received().empty());

    Send(Packet('e', 1, 99, id, 5, 0));
    auto close = Received();
    ASSERT_EQ(close.size(), 1u);
    EXPECT_EQ(Message(VireoURI(close[0])).Name(), "File.close");
    EXPECT_EQ(Message(VireoURI(close[0])).GetInt("status", -1), 0);
    Message ack("A", "File.close.ack");
    ack.SetArg("localID", id);
    ack.SetArg("foreignID", 99);
    ack.SetArg("status", 0);
    Send(ack.Text());
    Received();
    ASSERT_EQ(a->completed.size(), 1u);
    EXPECT_EQ(a->completed[0], std::make_pair(id, 0));
    EXPECT_EQ(ReadFile("down"), "hello");
}

TEST_F(HandPlayedServer, AnEndOfFileAwayFromTheDataIsAFailure)
{
    ASSERT_EQ(Received().size(), 1u);
    Send(Packet('w', 1, 99, id, 0, 5, "hello"));
    ASSERT_EQ(Received().size(), 1u);
    Send(Packet('e', 1, 99, id, 3000, 0));
    auto close = Received();
    ASSERT_EQ(close.size(), 1u);
    EXPECT_EQ(Message(VireoURI(close[0])).GetInt("status", 0), kVFTPStatusSeekFailed);
}

TEST_F(HandPlayedServer, LateMessagesOfAnotherTransferChangeNothing)
{
    ASSERT_EQ(Received().size(), 1u);
    Message close("A", "File.close");
    close.SetArg("localID", id);
    close.SetArg("foreignID", 12345);
    close.SetArg("status", 0);
    Send(close.Text());
    Message unknown("A", "File.close");
    unknown.SetArg("localID", 4321);
    Send(unknown.Text());
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(a->Transfers().size(), 1u);
    EXPECT_TRUE(a->completed.empty());

    // The caller gives the transfer up: its file is closed and nothing more is sent.
    EXPECT_TRUE(a->CloseTransfer(id));
    EXPECT_EQ(fcntl(id, F_GETFD), -1);
    clock->Advance(std::chrono::seconds(10));
    EXPECT_TRUE(Received().empty());
}

// The server side against a client played by hand: the blocks of a fetch as they go out.
TEST_F(Transfers, ServerAnswersEachRequestWithABlockThenTheEnd)
{
    RawPeer client;
    b->Clients()["Raw"] = client.Address();
    const std::pair<std::size_t, std::vector<std::pair<int, int>>> cases[] = {
        { 0, { { 0, 0 } } },
        { 1024, { { 0, 1024 }, { 1024, 0 } } },
        { 1500, { { 0, 1024 }, { 1024, 476 }, { 1500, 0 } } },
    };
    for (const auto& [size, blocks] : cases) {
        SCOPED_TRACE(size);
        const std::string content = Bytes(size);
        WriteFile("srv/f", content);
        Message open("B", "File.open");
        open.SetArg("sender", "Raw");
        open.SetArg("file", "srv/f");
        open.SetArg("mode", "rb");
        open.SetArg("foreignID", 5);
        client.SendTo(open.Text(), Loopback(*b));
        PumpQuiet({ b.get() });
        const auto acks = client.ReceiveAll(20);
        ASSERT_EQ(acks.size(), 1u);
        const Message ack { VireoURI(acks[0]) };
        ASSERT_EQ(ack.Name(), "File.open.ack");
        EXPECT_EQ(ack.GetInt("localID", 0), 5);
        const int server = ack.GetInt("foreignID", 0);

        std::string fetched;
        for (const auto& [position, length] : blocks) {
            client.SendTo(Packet('r', 1, 5, server, position, 1024), Loopback(*b));
            PumpQuiet({ b.get() });
            const auto answers = client.ReceiveAll(20);
            ASSERT_EQ(answers.size(), 1u);
            const auto header = VFTPHeader::Parse(answers[0].data(), answers[0].size());
            ASSERT_TRUE(header);
            EXPECT_EQ(header->state, length ? 'w' : 'e');
            EXPECT_EQ(header->position, position);
            EXPECT_EQ(header->size, length);
            EXPECT_EQ(header->localID, server);
            EXPECT_EQ(header->foreignID, 5);
            fetched.append(header->data.data(), static_cast<std::size_t>(length));
        }
        EXPECT_TRUE(fetched == content);
        Message close("B", "File.close");
        close.SetArg("localID", server);
        close.SetArg("foreignID", 5);
        close.SetArg("status", 0);
        client.SendTo(close.Text(), Loopback(*b));
        PumpQuiet({ b.get() });
        const auto closed = client.ReceiveAll(20);
        ASSERT_EQ(closed.size(), 1u);
        EXPECT_EQ(Message(VireoURI(closed[0])).Name(), "File.close.ack");
        EXPECT_TRUE(b->Transfers().empty());
    }
}

TEST(VFTPProcess, DestroyingAProcessClosesItsOpenTransfers)
{
    RawPeer peer;
    int id = 0;
    {
        auto process = MakeTransferProcess("A", {});
        process->Clients()["Raw"] = peer.Address();
        id = process->GetFile("Raw", "remote", "down", true);
        ASSERT_NE(id, 0);
        EXPECT_NE(fcntl(id, F_GETFD), -1);
    }
    EXPECT_EQ(fcntl(id, F_GETFD), -1);
}

TEST_F(HandPlayedServer, ADeleteAcknowledgementEndsTheTransferItNames)
{
    ASSERT_EQ(Received().size(), 1u);
    Message ack("A", "File.delete.ack");
    ack.SetArg("localID", id);
    ack.SetArg("status", ENOENT);
    Send(ack.Text());
    Received();
    ASSERT_EQ(a->completed.size(), 1u);
    EXPECT_EQ(a->completed[0], std::make_pair(id, ENOENT));
    EXPECT_TRUE(a->Transfers().empty());
    EXPECT_TRUE(a->Timers().empty());
    EXPECT_EQ(fcntl(id, F_GETFD), -1);
}

TEST_F(Transfers, AnOpenNobodyAcknowledgesEndsOnceEveryRetryWouldHaveRun)
{
    RawPeer silent;
    a->Clients()["Silent"] = silent.Address();
    const int id = a->GetFile("Silent", "remote", "down", true);
    ASSERT_NE(id, 0);
    PumpQuiet({ a.get() });
    // Two seconds per packet, three sends: the open is given up after six seconds, not before.
    clock->Advance(std::chrono::seconds(5));
    PumpQuiet({ a.get() });
    EXPECT_EQ(a->Transfers().size(), 1u);
    EXPECT_TRUE(a->completed.empty());
    clock->Advance(std::chrono::seconds(1));
    PumpQuiet({ a.get() });
    EXPECT_TRUE(a->Transfers().empty());
    EXPECT_TRUE(a->Timers().empty());
    EXPECT_EQ(a->completed, (std::vector<std::pair<int, int>> { { id, kVFTPStatusNoRetries } }));
    EXPECT_EQ(fcntl(id, F_GETFD), -1) << "the local file is closed";
}
