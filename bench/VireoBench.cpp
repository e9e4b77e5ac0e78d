// Messaging speed on loopback: a small message's round trip between two processes, beside a bare
// UDP ping-pong in the same run, and the time to move a 100 kB message in pieces.

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/FreeUdpPort.h"
#include "vireo/Process.h"
#include "vireo/vireo_log.h"

namespace {

using vireo::Message;
using vireo::Process;

// A process that answers "Bench.ping" with "Bench.pong" and counts what it receives.
class BenchProcess : public Process {
public:
    BenchProcess(int argc, const char* const* argv)
        : Process(argc, argv)
    {
        RegisterCommand("Bench.ping", this, &BenchProcess::OnPing);
        RegisterCommand("Bench.pong", this, &BenchProcess::OnPong);
        RegisterCommand("Bench.bulk", this, &BenchProcess::OnBulk);
    }

    int pongs { 0 };
    int bulks { 0 };

private:
    bool OnPing(Message message)
    {
        Message pong = MakeMessage(message.GetString("sender"), "Bench.pong");
        Send(pong);
        return true;
    }
    bool OnPong(Message)
    {
        ++pongs;
        return true;
    }
    bool OnBulk(Message)
    {
        ++bulks;
        return true;
    }
};

// Two processes that know each other's address directly, with the given gaps in milliseconds.
struct Pair {
    std::unique_ptr<BenchProcess> a;
    std::unique_ptr<BenchProcess> b;

    explicit Pair(int messageGap = 0, int fragmentGap = 0)
    {
        vireo::SetLogLevel(vireo::LogLevel::Error);
        a = Make("A", messageGap, fragmentGap);
        b = Make("B", messageGap, fragmentGap);
        a->Clients()["B"] = Loopback(*b);
        b->Clients()["A"] = Loopback(*a);
    }

    static std::unique_ptr<BenchProcess> Make(const std::string& name, int messageGap, int fragmentGap)
    {
        const std::string port = std::to_string(FreeUdpPort());
        const std::vector<std::string> args { name, "port=" + port, "router.port=" + port,
            "Process.interMessageGap=" + std::to_string(messageGap),
            "Process.interFragmentGap=" + std::to_string(fragmentGap), "Socket.SO_RCVBUF=1048576" };
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        auto process = std::make_unique<BenchProcess>(static_cast<int>(argv.size()), argv.data());
        process->Init();
        return process;
    }

    static ACE_INET_Addr Loopback(const Process& process)
    {
        return ACE_INET_Addr(process.LocalAddress().get_port_number(), "127.0.0.1");
    }
};

void Pump(Process& process, const int& counter, int target)
{
    while (counter < target)
        process.HandleEvents(ACE_Time_Value(1));
}

void BM_ProcessRoundTrip(benchmark::State& state)
{
    Pair pair;
    Message ping("B", "Bench.ping", "sender", "A");
    for (auto _ : state) {
        const int expected = pair.a->pongs + 1;
        pair.a->Send(ping);
        pair.b->HandleEvents(ACE_Time_Value(1));
        Pump(*pair.a, pair.a->pongs, expected);
    }
    state.counters["round_trips_per_s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ProcessRoundTrip)->UseRealTime();

void BM_RawUdpRoundTrip(benchmark::State& state)
{
    ACE_SOCK_Dgram a, b;
    a.open(ACE_INET_Addr(static_cast<u_short>(0), "127.0.0.1"));
    b.open(ACE_INET_Addr(static_cast<u_short>(0), "127.0.0.1"));
    ACE_INET_Addr aAddress, bAddress, from;
    a.get_local_addr(aAddress);
    b.get_local_addr(bAddress);
    // The same text a process sends, so that only the framework's own work differs.
    const std::string text = Message("B", "Bench.ping", "sender", "A").Text();
    char buffer[2048];
    for (auto _ : state) {
        a.send(text.data(), text.size(), bAddress);
        b.recv(buffer, sizeof buffer, from);
        b.send(text.data(), text.size(), aAddress);
        a.recv(buffer, sizeof buffer, from);
    }
    state.counters["round_trips_per_s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    a.close();
    b.close();
}
BENCHMARK(BM_RawUdpRoundTrip)->UseRealTime();

// 100 kB in pieces; the argument is the gap between pieces in milliseconds (0: wire speed, 20: the
// default pacing).
void BM_Process100kBMessage(benchmark::State& state)
{
    const int gap = static_cast<int>(state.range(0));
    Pair pair(gap, gap);
    Message bulk("B", "Bench.bulk", "data", std::string(100 * 1024, 'd'));
    for (auto _ : state) {
        const int expected = pair.b->bulks + 1;
        pair.a->Send(bulk);
        Pump(*pair.b, pair.b->bulks, expected);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 100 * 1024);
}
BENCHMARK(BM_Process100kBMessage)->Arg(0)->Arg(20)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
