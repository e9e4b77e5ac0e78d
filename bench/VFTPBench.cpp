// File-transfer speed on loopback: a 20 MB fetch between two processes, beside the same file fetched
// from a TFTP server (in.tftpd, block size 1024) in the same run. Counters give MB/s of both and
// their ratio; the server is skipped, with a note, where it is not installed.

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/FreeUdpPort.h"
#include "vireo/Process.h"
#include "vireo/vireo_log.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kFileSize = 20 * 1024 * 1024;
constexpr const char* kServer = "/usr/sbin/in.tftpd";
constexpr int kBlock = 1024;

ACE_INET_Addr Loopback(const vireo::Process& process)
{
    return ACE_INET_Addr(process.LocalAddress().get_port_number(), "127.0.0.1");
}

class TransferProcess : public vireo::Process {
public:
    using Process::Process;
    void OnTransferComplete(int, int status) override
    {
        lastStatus = status;
        ++completed;
    }
    int completed { 0 };
    int lastStatus { 0 };
};

std::unique_ptr<TransferProcess> Make(const std::string& name, const std::string& folders)
{
    const std::string port = std::to_string(FreeUdpPort());
    const std::vector<std::string> args { name, "port=" + port, "router.port=" + port, "VFTP.folders=" + folders };
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    auto process = std::make_unique<TransferProcess>(static_cast<int>(argv.size()), argv.data());
    process->Init();
    return process;
}

// A folder of its own as the current directory for the run, with the file to move in it.
class Workspace {
public:
    Workspace()
    {
        char name[] = "/tmp/vftp-bench-XXXXXX";
        m_folder = mkdtemp(name);
        // The TFTP server reads as an unprivileged user.
        chmod(m_folder.c_str(), 0755);
        m_previous = fs::current_path();
        fs::current_path(m_folder);
        fs::create_directories("srv");
        chmod("srv", 0755);
        std::string bytes(kFileSize, '\0');
        std::mt19937 random(1);
        for (char& c : bytes)
            c = static_cast<char>(random());
        std::ofstream("srv/big", std::ios::binary) << bytes;
        chmod("srv/big", 0644);
    }
    ~Workspace()
    {
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    std::string Path(const std::string& name) const { return (m_folder / name).string(); }

private:
    fs::path m_folder;
    fs::path m_previous;
};

// The TFTP server, started for the run on its own port and stopped with it.
class TftpServer {
public:
    TftpServer(const std::string& root, int port)
    {
        if (access(kServer, X_OK) != 0)
            return;
        const std::string address = "127.0.0.1:" + std::to_string(port);
        m_pid = fork();
        if (m_pid == 0) {
            execl(kServer, kServer, "-L", "-s", root.c_str(), "-a", address.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        // Give it a moment to bind its port.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    ~TftpServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool Running() const { return m_pid > 0; }

private:
    pid_t m_pid { -1 };
};

// Fetches a file from a TFTP server with 1024-byte blocks into a local file; the bytes fetched, or
// -1 on an error.
long long TftpFetch(int port, const std::string& remote, const std::string& local)
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    timeval timeout { 2, 0 };
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in server {};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<uint16_t>(port));
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

    std::string request("\0\1", 2);
    request += remote + '\0' + "octet" + '\0' + "blksize" + '\0' + std::to_string(kBlock) + '\0';
    sendto(s, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&server), sizeof server);

    std::FILE* out = std::fopen(local.c_str(), "wb");
    char buffer[4 + kBlock + 16];
    char ack[4] = { 0, 4, 0, 0 };
    unsigned expected = 1;
    long long total = -1;
    for (;;) {
        sockaddr_in from {};
        socklen_t fromLength = sizeof from;
        const ssize_t n
            = recvfrom(s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 4)
            break;
        const int opcode = (static_cast<unsigned char>(buffer[0]) << 8) | static_cast<unsigned char>(buffer[1]);
        const unsigned block = (static_cast<unsigned char>(buffer[2]) << 8) | static_cast<unsigned char>(buffer[3]);
        if (opcode == 6) {
            ack[2] = ack[3] = 0;
        } else if (opcode == 3 && block == (expected & 0xffff)) {
            std::fwrite(buffer + 4, 1, static_cast<std::size_t>(n - 4), out);
            total = (total < 0 ? 0 : total) + (n - 4);
            ack[2] = buffer[2];
            ack[3] = buffer[3];
            ++expected;
        } else if (opcode != 3) {
            total = -1;
            break;
        }
        sendto(s, ack, sizeof ack, 0, reinterpret_cast<sockaddr*>(&from), fromLength);
        if (opcode == 3 && n - 4 < kBlock)
            break;
    }
    std::fclose(out);
    close(s);
    return total;
}

void BM_FetchBesideTftp(benchmark::State& state)
{
    vireo::SetLogLevel(vireo::LogLevel::Error);
    Workspace workspace;
    auto client = Make("A", "");
    // The serving process runs its own loop on a thread of its own, as a peer on another machine
    // would; it is made there, since an event loop belongs to the thread that made it.
    std::atomic<bool> stop { false };
    std::atomic<int> serverPort { 0 };
    std::thread serving([&] {
        auto server = Make("B", "srv");
        server->Clients()["A"] = Loopback(*client);
        serverPort = Loopback(*server).get_port_number();
        while (!stop)
            server->HandleEvents(ACE_Time_Value(0, 50000));
    });
    while (serverPort == 0)
        std::this_thread::yield();
    client->Clients()["B"] = ACE_INET_Addr(static_cast<u_short>(serverPort.load()), "127.0.0.1");
    const int tftpPort = FreeUdpPort();
    TftpServer tftp(workspace.Path("srv"), tftpPort);

    double vftpSeconds = 0;
    double tftpSeconds = 0;
    for (auto _ : state) {
        const int before = client->completed;
        auto start = Clock::now();
        client->GetFile("B", "srv/big", "vftp.copy", true);
        while (client->completed == before)
            client->HandleEvents(ACE_Time_Value(1));
        vftpSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        if (client->lastStatus != 0 || fs::file_size("vftp.copy") != kFileSize)
            state.SkipWithError("the fetch did not deliver the whole file");

        if (tftp.Running()) {
            start = Clock::now();
            const long long bytes = TftpFetch(tftpPort, "big", "tftp.copy");
            tftpSeconds += std::chrono::duration<double>(Clock::now() - start).count();
            if (bytes != static_cast<long long>(kFileSize))
                state.SkipWithError("the TFTP fetch did not deliver the whole file");
        }
    }
    stop = true;
    serving.join();

    const double megabytes = static_cast<double>(kFileSize) * static_cast<double>(state.iterations()) / 1e6;
    state.counters["VFTP_MB/s"] = megabytes / vftpSeconds;
    if (tftp.Running() && tftpSeconds > 0) {
        state.counters["TFTP_MB/s"] = megabytes / tftpSeconds;
        state.counters["VFTP/TFTP"] = tftpSeconds / vftpSeconds;
    } else {
        state.SetLabel("no TFTP server at /usr/sbin/in.tftpd");
    }
}
BENCHMARK(BM_FetchBesideTftp)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
