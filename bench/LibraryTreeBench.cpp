// Building the library tree of a large library (5,000 albums, 50,000 tracks, 500 playlists) and
// expanding one artist and one playlist, beside reading the same rows straight through SQLite. The
// library is made and filled by the library's own import and edit code (outside the timing). Goal: the
// tree costs at most 3 times the raw reads (the "ratio" counter: median against median over the
// iterations; "cold_ratio" is the first iteration's).

#include "app/CMainTreeCtrl.h"
#include "bench/LibraryBenchSupport.h"
#include "app/CPelicanApp.h"
#include "library/GroupEdits.h"
#include "library/ImportBatch.h"
#include "library/LibraryLocations.h"
#include "library/MusicImport.h"
#include "library/MusicImportHost.h"
#include "library/PlaylistEdits.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/com/ObjBase.h"
#include "platform/user/TestScreen.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kTracksPerAlbum = 10;
constexpr int kAlbumsPerArtist = 5;
constexpr int kTracksPerPlaylist = 20;

// Imports one tiny tagged file per track (each file is deleted once imported, so the disk holds one at
// a time) and makes the playlists; false when something could not be made.
bool FillLibrary(const std::filesystem::path& folder, long tracks, long playlists)
{
    const std::string wav = (folder / "tone.wav").string();
    const std::string tone = (folder / "tone.mp3").string();
    if (std::system(("sox -n -r 8000 -c 1 '" + wav + "' synth 0.05 sine 440").c_str()) != 0
        || std::system(("lame --quiet -b 8 --add-id3v2 --ta A --tl B --tt C '" + wav + "' '" + tone + "'").c_str())
            != 0)
        return false;
    QuietImportHost host;
    std::vector<long> trackIds;
    {
        ImportBatch batch;
        for (long i = 0; i < tracks; ++i) {
            const long album = i / kTracksPerAlbum;
            const std::string path = (folder / ("t" + std::to_string(i) + ".mp3")).string();
            std::filesystem::copy_file(tone, path, std::filesystem::copy_options::overwrite_existing);
            {
                TagLib::FileRef file(path.c_str());
                file.tag()->setArtist("Artist " + TagLib::String::number(static_cast<int>(album / kAlbumsPerArtist)));
                file.tag()->setAlbum("Album " + TagLib::String::number(static_cast<int>(album)));
                file.tag()->setTitle("Track " + TagLib::String::number(static_cast<int>(i)));
                file.tag()->setTrack(static_cast<unsigned>(i % kTracksPerAlbum + 1));
                file.save();
            }
            long trackId = 0;
            if (AddFileToLibrary(host, platform::ToProgramPath(path).c_str(), kAlbumFromTags, &trackId) != 1)
                return false;
            trackIds.push_back(trackId);
            std::filesystem::remove(path);
        }
    }
    for (long p = 0; p < playlists; ++p) {
        long playlistId = 0;
        if (!AddPlaylist(("Playlist " + std::to_string(p)).c_str(), &playlistId))
            return false;
        for (int t = 0; t < kTracksPerPlaylist; ++t)
            AddTrackToPlaylist(playlistId, trackIds[static_cast<size_t>((p * kTracksPerPlaylist + t) % tracks)]);
    }
    return true;
}

// The rows the tree shows, read through SQLite alone: the same statements the stored queries hold.
long ReadRowsRaw(const std::string& database)
{
    sqlite3* db = nullptr;
    long cells = 0;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    const char* const statements[] = {
        "SELECT DISTINCT Artist FROM tMusicMain WHERE DeleteFlag = 0 AND HideFlag = 0",
        "SELECT DISTINCT Title, IsCD, QVCDID FROM tMusicMain WHERE DeleteFlag = 0 AND HideFlag = 0",
        "SELECT GroupName, GroupID FROM tGroup WHERE DeleteFlag = 0",
        "SELECT PlaylistName, PlaylistID FROM tPlaylists WHERE CustomerID = 1 AND DeleteFlag = 0",
    };
    for (const char* sql : statements) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
            continue;
        while (sqlite3_step(statement) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                cells += sqlite3_column_bytes(statement, c) >= 0 ? 1 : 0;
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return cells;
}

void BM_BuildLibraryTreeBesideRawReads(benchmark::State& state)
{
    const BenchRunFolder run("tree-bench");
    const auto& folder = run.path();
    const long tracks = static_cast<long>(state.range(0));
    const long playlists = static_cast<long>(state.range(1));
    {
        CPelicanApp app;
        app.SetRegistryKey("Corvane");
        app.m_strDataSource = (platform::ToProgramPath(folder.string()) + "\\").c_str();
        app.m_strMaker = "Aldercrest";
        app.m_strDeviceName = "Bench";
        app.m_strProduct = "Songvault"; // the drives are no part of the library
        app.m_bCDDBControlPresent = TRUE;
        // Filling a large library takes long: the filled file is kept for the next run of the same size.
        const auto kept = std::filesystem::temp_directory_path()
            / ("tree-bench-library-" + std::to_string(tracks) + "-" + std::to_string(playlists) + ".mdb");
        const std::string path = platform::ToNativePath(GetDatabasePath().GetString());
        bool ready = SUCCEEDED(platform::EnsureDataAccessRegistered()) && RegisterControl();
        if (ready && std::filesystem::exists(kept)) {
            std::filesystem::create_directories(std::filesystem::path(path).parent_path());
            std::filesystem::copy_file(kept, path);
            ready = theLibraryConnection.OpenDatabase(GetDatabasePath());
        } else if (ready) {
            ready = _ADODatabaseHelper().CreateLibraryDatabase(GetDatabasePath())
                && theLibraryConnection.OpenDatabase(GetDatabasePath()) && FillLibrary(folder, tracks, playlists);
            if (ready) {
                theLibraryConnection.Close();
                std::filesystem::copy_file(path, kept, std::filesystem::copy_options::overwrite_existing);
                ready = theLibraryConnection.OpenDatabase(GetDatabasePath());
            }
        }
        if (!ready) {
            state.SkipWithError("the library could not be made");
        } else {
            const std::string database = platform::ToNativePath(GetDatabasePath().GetString());
            platform::user::TestScreen screen { 320, 600 };
            CWnd owner;
            owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 600), nullptr, 0);
            // Each iteration times the tree and then the raw reads; the figures are the medians of both
            // sides, and the first iteration's ratio (cold caches, the heap's first growth) is kept apart.
            std::vector<double> treeTimes;
            std::vector<double> rawTimes;
            int shown = 0;
            for (auto _ : state) {
                CMainTreeCtrl tree;
                tree.Create(&owner, CRect(0, 0, 320, 600));
                const auto treeStart = std::chrono::steady_clock::now();
                tree.BuildTree();
                // Artist and playlist nodes have no children of their own: expanding them reads nothing.
                tree.Expand(tree.GetChildItem(tree.m_hArtists), TVE_EXPAND);
                tree.Expand(tree.GetChildItem(tree.m_hPlaylists), TVE_EXPAND);
                screen.pump();
                treeTimes.push_back(Seconds(treeStart));
                shown = tree.GetChildCount(tree.m_hAlbums);
                tree.DestroyWindow();

                const auto rawStart = std::chrono::steady_clock::now();
                const long cells = ReadRowsRaw(database);
                rawTimes.push_back(Seconds(rawStart));
                benchmark::DoNotOptimize(cells);
            }
            if (!treeTimes.empty()) {
                state.counters["albums_shown"] = shown;
                state.counters["tree_s"] = Median(treeTimes);
                state.counters["raw_s"] = Median(rawTimes);
                state.counters["ratio"] = Median(treeTimes) / Median(rawTimes);
                state.counters["cold_ratio"] = treeTimes.front() / rawTimes.front();
            }
            owner.DestroyWindow();
        }
        theLibraryConnection.Close();
    }
}

} // namespace

BENCHMARK(BM_BuildLibraryTreeBesideRawReads)
    ->Args({ 2000, 20 })
    ->Args({ 50000, 500 })
    ->Iterations(7)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
