// Synchronising a library to the device emulator on loopback, the component's whole run (new albums
// with their music files, flags 0x4), beside uploading the same files with the framework's file
// transfer alone to the same device in the same run. Albums of 10 tracks of 100 kB each. The
// arguments are the message gap in milliseconds on both sides (0: wire speed; -1: the framework's
// defaults of 50 and 20 ms) and the number of albums: 200 at gap 0; at the default gaps every request
// waits its gaps, so a run of 200 albums takes a quarter of an hour and the run uses 20. Goal at gap
// 0: the synchronisation, to its end (SyncDone), costs at most 1.25 times the bare transfer.
//
// Counters: seconds of the bare transfer before and after the run (the ratios take their mean: the
// load of a shared machine changes in between), of the run to its worker's end (percent 100) and to
// SyncDone (the event thread notices the end only at its next periods); the ratios; and the requests
// the device received per track, in all and by name (the device answers most of them once more).
// SyncDone and the last progress come one progress period after the event thread first reads 100%:
// "tail_s" is that wait, and "ratio_worker" the ratio without it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "bench/FreeUdpPort.h"
#include "bench/VftpUploader.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/ado/Ado.h"
#include "platform/base/CodePage.h"
#include "platform/com/ObjBase.h"
#include "platform/xml/MsXml.h"
#include "sync/DeviceClient.h"
#include "sync/QVSyncConnection.h"
#include "sync/QVSyncDevice.h"
#include "sync/SyncRunState.h"
#include "sync/tests/device/DoneSink.h"
#include "tools/device-emulator/DeviceEmulator.h"
#include "tools/device-emulator/DeviceLibrary.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTracksPerAlbum = 10;
constexpr std::size_t kFileSize = 100 * 1024;
constexpr const char* kLibraryPath = "library\\Tune Steward.mdb";

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A folder of its own as the current directory (the device's folder must lie in it), removed after.
class Workspace {
public:
    Workspace()
    {
        m_folder = fs::temp_directory_path() / ("sync-bench-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "home");
        // The classes are registered in a home folder of the run's own, never in the user's.
        setenv("TUNESTEWARD_HOME", (m_folder / "home").c_str(), 1);
        m_previous = fs::current_path();
        fs::current_path(m_folder);
    }
    ~Workspace()
    {
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

private:
    fs::path m_folder;
    fs::path m_previous;
};

// The music files, "Music/A<album>T<track>.mp3", as the library names them; their native paths.
std::vector<std::string> WriteMusicFiles(int albums)
{
    fs::create_directories("Music");
    std::string bytes(kFileSize, '\0');
    std::mt19937 random(1);
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    std::vector<std::string> files;
    for (int album = 1; album <= albums; ++album) {
        for (int track = 1; track <= kTracksPerAlbum; ++track) {
            std::string name = "A";
            name += std::to_string(album);
            name += 'T';
            name += std::to_string(track);
            // Each file differs from the others in its first bytes.
            bytes.replace(0, name.size(), name);
            const fs::path path = fs::current_path() / "Music" / (name + ".mp3");
            std::ofstream(path, std::ios::binary) << bytes;
            files.push_back(path.string());
        }
    }
    return files;
}

// A library with the albums and their tracks, new to the device; its connection string, or empty.
std::string MakeLibrary(int albums)
{
    if (FAILED(platform::EnsureDataAccessRegistered()) || !_ADODatabaseHelper().CreateLibraryDatabase(kLibraryPath))
        return {};
    const std::string connectionString = std::string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + kLibraryPath;
    _ConnectionPtr connection;
    if (FAILED(connection.CreateInstance(CLSID_Connection))
        || FAILED(connection->Open(_bstr_t(connectionString.c_str()), nullptr, nullptr, 0)))
        return {};
    LONG level = 0;
    connection->BeginTrans(&level);
    bool written = true;
    const auto execute = [&](const std::string& sql) {
        _RecordsetPtr none;
        written = written && SUCCEEDED(connection->Execute(_bstr_t(sql.c_str()), nullptr, adCmdText, &none));
    };
    for (int album = 1; album <= albums; ++album) {
        const std::string id = std::to_string(album);
        execute("INSERT INTO tMusicMain (QVCDID, Artist, Title, IsCD) VALUES (" + id + ", 'Artist " + id + "', 'Album "
            + id + "', False)");
        for (int track = 1; track <= kTracksPerAlbum; ++track) {
            const std::string number = std::to_string(track);
            execute("INSERT INTO tMusicTracks (AlbumTrackID, QVCDID, TrackNumber, TrackTitle, FilePath) VALUES ("
                + std::to_string(album * 100 + track) + ", " + id + ", " + number + ", 'Track " + number + "', 'Music\\A"
                + id + "T" + number + ".mp3')");
        }
    }
    connection->CommitTrans();
    connection->Close();
    return written ? connectionString : std::string();
}

// The component's device clients reach the emulated router on its port, with the benchmark's gaps.
void RouteClientsTo(int port, int gapMilliseconds)
{
    QVSyncConnection::SetClientFactory([port, gapMilliseconds](const std::vector<std::string>& arguments) {
        std::vector<std::string> changed;
        for (const std::string& argument : arguments)
            changed.push_back(argument.starts_with("router.port=") ? "router.port=" + std::to_string(port) : argument);
        if (gapMilliseconds >= 0) {
            changed.push_back("Process.interMessageGap=" + std::to_string(gapMilliseconds));
            changed.push_back("Process.interFragmentGap=" + std::to_string(gapMilliseconds));
        }
        std::vector<const char*> argv;
        for (const std::string& argument : changed)
            argv.push_back(argument.c_str());
        return std::make_shared<DeviceClient>(static_cast<int>(argv.size()), argv.data());
    });
}

struct RunTimes {
    double worker { 0 }; // until the worker set the percent to 100
    double done { 0 }; // until SyncDone
};

// Opens the device as the program does and runs the synchronisation to it; false when it failed.
bool SyncToDevice(const std::string& connectionString, RunTimes& times)
{
    CComObject<QVSyncConnection>* made = nullptr;
    CComObject<QVSyncConnection>::CreateInstance(&made);
    CComPtr<IQVClientConnection> connection(made);
    VARIANT opened;
    if (connection->OpenDevice(CComBSTR(u"127.0.0.1"), nullptr,
            CComBSTR(platform::Utf8ToUtf16(connectionString).c_str()), 1, nullptr, &opened)
        != S_OK)
        return false;
    CComQIPtr<IQVClientDevice> device(opened.punkVal);
    VariantClear(&opened);
    device->put_OEMName(CComBSTR(u"Aldercrest"));
    device->put_DeviceName(CComBSTR(u"Bench"));
    device->put_MusicFolder(CComBSTR(platform::Utf8ToUtf16((fs::current_path() / "Music").string()).c_str()));

    DoneSink sink;
    CComQIPtr<IConnectionPointContainer> container(device.p);
    CComPtr<IConnectionPoint> point;
    container->FindConnectionPoint(platform::IidOf<IQVClientDeviceEvents>(), &point.p);
    DWORD cookie = 0;
    point->Advise(&sink, &cookie);

    const auto start = Clock::now();
    LONG result = 0;
    bool done = device->SyncClientDeviceFromTuneSteward(QVSYNC_ALBUMS_FILES, &result) == S_OK;
    for (SHORT percent = 0; done && percent < 100;) {
        SHORT filePercent = 0;
        DWORD status = 0;
        SyncRunState::GetProgress(percent, filePercent, status);
        if (percent < 100)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    times.worker = Seconds(start);
    done = done && sink.WaitDone(std::chrono::minutes(60));
    times.done = Seconds(start);
    point->Unadvise(cookie);
    return done;
}

void BM_SyncToDeviceBesideVftp(benchmark::State& state)
{
    const int gap = static_cast<int>(state.range(0));
    const int albums = static_cast<int>(state.range(1));
    Workspace workspace;
    CoInitialize(nullptr);
    platform::EnsureXmlRegistered();
    const std::vector<std::string> files = WriteMusicFiles(albums);
    const std::string connectionString = MakeLibrary(albums);
    if (connectionString.empty()) {
        state.SkipWithError("the library could not be made");
        CoUninitialize();
        return;
    }

    emulator::EmulatorOptions options;
    options.port = FreeUdpPort();
    if (gap >= 0)
        options.frameworkProperties = { { "Process.interMessageGap", std::to_string(gap) },
            { "Process.interFragmentGap", std::to_string(gap) } };
    emulator::DeviceEmulator device(options);
    std::string error;
    if (!device.Start(error)) {
        state.SkipWithError(error.c_str());
        CoUninitialize();
        return;
    }
    RouteClientsTo(options.port, gap);

    // The bare transfer runs before and after the synchronisation: the machine's load changes meanwhile.
    const auto transferBare = [&](int round) {
        VftpUploader uploader(options.port, gap);
        if (!uploader.Start())
            return -1.0;
        const auto start = Clock::now();
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!uploader.Put(files[i], "Music/bare" + std::to_string(round) + "_" + std::to_string(i) + ".mp3"))
                return -1.0;
        }
        const double seconds = Seconds(start);
        // The device's copies make no difference to what follows but disk room.
        for (std::size_t i = 0; i < files.size(); ++i)
            fs::remove(fs::path(options.folder) / ("Music/bare" + std::to_string(round) + "_" + std::to_string(i) + ".mp3"));
        return seconds;
    };

    for (auto _ : state) {
        const double bareBefore = transferBare(0);
        const std::map<std::string, int> before = device.Rules().Received();
        RunTimes run;
        if (!SyncToDevice(connectionString, run)) {
            state.SkipWithError("the synchronisation did not end with SyncDone");
            break;
        }
        const std::map<std::string, int> after = device.Rules().Received();
        if (device.Library().Count(emulator::ItemKind::Mp3Album) != static_cast<std::size_t>(albums))
            state.SkipWithError("the device did not get every album");
        const double bareAfter = transferBare(1);
        if (bareBefore < 0 || bareAfter < 0) {
            state.SkipWithError("a bare upload failed");
            break;
        }
        const double bare = (bareBefore + bareAfter) / 2;

        const double tracks = static_cast<double>(files.size());
        state.counters["bare_before_s"] = bareBefore;
        state.counters["bare_after_s"] = bareAfter;
        state.counters["sync_worker_s"] = run.worker;
        state.counters["sync_done_s"] = run.done;
        state.counters["ratio_worker"] = run.worker / bare;
        state.counters["ratio_done"] = run.done / bare;
        state.counters["tail_s"] = run.done - run.worker;
        int requests = 0;
        std::string byName;
        for (const auto& [name, count] : after) {
            const auto earlier = before.find(name);
            const int during = count - (earlier == before.end() ? 0 : earlier->second);
            if (during == 0)
                continue;
            requests += during;
            char share[64];
            std::snprintf(share, sizeof share, "%.2f", during / tracks);
            byName += (byName.empty() ? "" : " ") + name + "=" + share;
        }
        state.counters["requests_per_track"] = requests / tracks;
        state.SetLabel(byName);
    }
    QVSyncConnection::SetClientFactory(nullptr);
    device.Stop();
    CoUninitialize();
}

} // namespace

BENCHMARK(BM_SyncToDeviceBesideVftp)->Args({ 0, 200 })->Args({ -1, 20 })->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
