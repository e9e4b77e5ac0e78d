// Showing every track of a library of 100,000 tracks in the record list: opening the record set of
// the "all tracks" node and painting the list's first screen, beside reading the same query's rows
// into memory through SQLite's own interface. Goal: the list takes at most 2 times the raw read.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanView.h"
#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "bench/LibraryBenchSupport.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"
#include "platform/afx/AfxPriv.h"
#include "platform/com/ObjBase.h"
#include "platform/user/TestScreen.h"

namespace {

constexpr long kTracks = 100000;
constexpr long kAlbums = 1000;

// The stored query of every track, as SQLite's dialect writes it (true is -1).
constexpr const char* kAllTracks
    = "SELECT tMusicTracks.TrackTitle, tMusicTracks.TrackNumber, tMusicMain.Artist, tMusicMain.Title, tMusicMain.TitleSort, "
      "tMusicMain.Label, tMusicMain.Year, tMusicMain.Note, tMusicMain.QVGenreID, tMusicMain.TitleThe, tMusicMain.ArtistFullname, "
      "tMusicMain.Compilation, tMusicMain.SecondaryGenreID, tMusicMain.Language, tMusicMain.TotalInset, tMusicMain.NumberInSet, "
      "tMusicMain.IsCD, tMusicMain.CoverArt, tMusicMain.ZUVUdureDaz, tMusicTracks.AlbumTrackID, tMusicMain.QVCDID, "
      "tMusicMain.ModifyFlag, tMusicMain.TimeStamp, tMusicMain.HideFlag FROM tMusicMain INNER JOIN tMusicTracks ON "
      "tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE ( tMusicMain.DeleteFlag<>-1 AND tMusicTracks.DeleteFlag<>-1 AND "
      "tMusicMain.HideFlag<>-1 )";

// A library of kTracks tracks over kAlbums albums, written once through the library's stored queries.
class BenchLibrary {
public:
    BenchLibrary()
    {
        CoInitialize(nullptr);
        platform::EnsureDataAccessRegistered();
        m_folder = std::filesystem::temp_directory_path() / ("record-list-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        m_path = (m_folder / "library.mdb").string();
        _ADODatabaseHelper().CreateLibraryDatabase(m_path.c_str());
        theLibraryConnection.OpenDatabase(m_path.c_str());
        theLibraryConnection.BeginTrans();
        const _variant_t now(COleDateTimeNow(), VT_DATE);
        for (long album = 0; album < kAlbums; ++album) {
            const std::string title = "Album " + std::to_string(album);
            const std::string artist = "Artist " + std::to_string(album % 97);
            const _variant_t text("");
            const _variant_t parameters[] = { _variant_t(1L), text, _variant_t(artist.c_str()), _variant_t(title.c_str()), text,
                text, _variant_t("1999"), _variant_t(1L), text, text, text, _variant_t(kTracks / kAlbums), now, text, text,
                text, now, text, _variant_t(0L), _variant_t(0L) };
            theLibraryConnection.RunStoredQuery("qAppendMusicMain", parameters, 20, nullptr, nullptr, adCmdStoredProc);
        }
        const long firstAlbum = theLibraryConnection.ExecuteScalar("SELECT MIN(QVCDID) FROM tMusicMain", -1).lVal;
        for (long track = 0; track < kTracks; ++track) {
            const std::string title = "Track title number " + std::to_string(track);
            const std::string file = "C:\\Music\\" + std::to_string(track) + ".mp3";
            const _variant_t parameters[] = { _variant_t(firstAlbum + track % kAlbums), _variant_t(track / kAlbums + 1),
                _variant_t(title.c_str()), _variant_t(240L), _variant_t(file.c_str()), _variant_t(""), now, _variant_t(128L) };
            theLibraryConnection.RunStoredQuery("qAppendMusicTrack", parameters, 8, nullptr, nullptr, adCmdStoredProc);
        }
        theLibraryConnection.CommitTrans();
    }
    ~BenchLibrary()
    {
        theLibraryConnection.Close();
        CoUninitialize();
        std::filesystem::remove_all(m_folder);
    }
    const std::string& Path() const { return m_path; }

private:
    static DATE COleDateTimeNow() { return 45000.5; }

    std::filesystem::path m_folder;
    std::string m_path;
};

BenchLibrary& Library()
{
    static BenchLibrary library;
    return library;
}

// The rows of every track read into memory through SQLite alone; the number of rows.
long ReadAllTracksRaw(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, kAllTracks, -1, &select, nullptr);
    std::vector<std::vector<std::string>> table;
    while (sqlite3_step(select) == SQLITE_ROW) {
        std::vector<std::string>& row = table.emplace_back();
        for (int c = 0; c < sqlite3_column_count(select); ++c) {
            const auto* text = sqlite3_column_text(select, c);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
    }
    sqlite3_finalize(select);
    sqlite3_close_v2(db);
    return static_cast<long>(table.size());
}

// Each iteration shows the list and then reads the rows raw; the figures are the medians of both
// sides ("ratio": median against median), the first iteration's ratio kept apart as "cold_ratio".
void RecordListShowsAllTracksBesideRawRead(benchmark::State& state)
{
    const std::string path = Library().Path();
    platform::user::TestScreen screen { 1024, 768 };
    CPelicanApp app;
    auto* frame = new CMainFrame;
    frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW);
    app.m_pMainWnd = frame;
    auto* view = new CPelicanView;
    view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 1000, 700), frame, AFX_IDW_PANE_FIRST);
    view->OnInitialUpdate();
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    ViewNode all;
    all.kind = kindAll;
    std::vector<double> listTimes;
    std::vector<double> rawTimes;
    long rawRows = 0;
    for (auto _ : state) {
        const auto listStart = std::chrono::steady_clock::now();
        frame->ReloadView(all);
        view->UpdateWindow();
        listTimes.push_back(Seconds(listStart));

        const auto rawStart = std::chrono::steady_clock::now();
        rawRows = ReadAllTracksRaw(path);
        rawTimes.push_back(Seconds(rawStart));
    }
    state.counters["rows"] = view->GetRowCount();
    state.counters["raw_rows"] = static_cast<double>(rawRows);
    if (!listTimes.empty()) {
        state.counters["list_ms"] = Median(listTimes) * 1000;
        state.counters["raw_ms"] = Median(rawTimes) * 1000;
        state.counters["ratio"] = Median(listTimes) / Median(rawTimes);
        state.counters["cold_ratio"] = listTimes.front() / rawTimes.front();
    }
    frame->DestroyWindow();
}
BENCHMARK(RecordListShowsAllTracksBesideRawRead)->Unit(benchmark::kMillisecond)->Iterations(7)->UseRealTime();

} // namespace
