// Track rows written through a parameterised stored query and read back through a record set,
// beside the same statements on SQLite's own interface with the same journal and sync settings
// (one autocommitted statement per row on both sides). The goal: within 1.5 times raw SQLite.

#include "platform/ado/Ado.h"
#include "platform/ado/CatalogStore.h"
#include "platform/ado/Database.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>
#include <string>

namespace {

constexpr const char* kInsertTrack
    = "PARAMETERS qpQVCDID Long, qpTrackNumber Long, qpTrackTitle Text ( 255 ), qpTrackLength Long, qpFilePath Text ( 255 ); "
      "INSERT INTO tMusicTracks ( QVCDID, TrackNumber, TrackTitle, TrackLength, FilePath, ModifyFlag ) "
      "SELECT [qpQVCDID] AS Expr1, [qpTrackNumber] AS Expr2, [qpTrackTitle] AS Expr3, [qpTrackLength] AS Expr4, [qpFilePath] AS Expr5, True AS Expr6;";

std::filesystem::path Folder()
{
    const auto folder = std::filesystem::temp_directory_path() / ("ado-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Title(long row) { return "Track title number " + std::to_string(row); }
std::string Path(long row) { return "Music\\Album " + std::to_string(row / 12) + "\\" + std::to_string(row) + ".mp3"; }

double RawSqlite(const std::string& path, long rows)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;"
                     "CREATE TABLE tMusicTracks (AlbumTrackID INTEGER PRIMARY KEY AUTOINCREMENT, QVCDID INTEGER, TrackNumber INTEGER,"
                     " TrackTitle TEXT(255) COLLATE NOCASE, TrackLength INTEGER, FilePath TEXT(255) COLLATE NOCASE,"
                     " ModifyFlag YESNO NOT NULL DEFAULT 0, DeleteFlag YESNO NOT NULL DEFAULT 0)",
        nullptr, nullptr, nullptr);
    const auto start = std::chrono::steady_clock::now();
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
        "INSERT INTO tMusicTracks (QVCDID, TrackNumber, TrackTitle, TrackLength, FilePath, ModifyFlag) VALUES (?1, ?2, ?3, ?4, ?5, -1)", -1,
        &insert, nullptr);
    for (long row = 0; row < rows; ++row) {
        const std::string title = Title(row);
        const std::string file = Path(row);
        sqlite3_bind_int(insert, 1, static_cast<int>(row / 12));
        sqlite3_bind_int(insert, 2, static_cast<int>(row % 12 + 1));
        sqlite3_bind_text(insert, 3, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, 240);
        sqlite3_bind_text(insert, 5, file.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM tMusicTracks", -1, &select, nullptr);
    long long sum = 0;
    while (sqlite3_step(select) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(select); ++c)
            sum += sqlite3_column_bytes(select, c);
    benchmark::DoNotOptimize(sum);
    sqlite3_finalize(select);
    const double seconds = Seconds(start);
    sqlite3_close_v2(db);
    return seconds;
}

// Seconds spent, or a negative value when a call failed (its result in 'failure').
double ThroughDataAccess(const std::string& path, long rows, HRESULT& failure)
{
    using namespace platform::ado;
    {
        auto db = Database::Open(path, true);
        CatalogStore catalog(*db);
        TableDefinition table;
        table.name = "tMusicTracks";
        table.columns = {
            { "AlbumTrackID", { adInteger, 0 }, true, false, "" },
            { "QVCDID", { adInteger, 0 }, false, false, "" },
            { "TrackNumber", { adInteger, 0 }, false, false, "" },
            { "TrackTitle", { adVarWChar, 255 }, false, true, "" },
            { "TrackLength", { adInteger, 0 }, false, false, "" },
            { "FilePath", { adVarWChar, 255 }, false, true, "" },
            { "ModifyFlag", { adBoolean, 2 }, false, false, "" },
            { "DeleteFlag", { adBoolean, 2 }, false, false, "" },
        };
        table.indexes = { { "NumIndex", true, true, { "AlbumTrackID" } } };
        catalog.CreateTable(table);
        catalog.CreateQuery("qAppendTrack", kInsertTrack);
    }
    const auto check = [&](HRESULT hr) {
        if (FAILED(hr) && SUCCEEDED(failure))
            failure = hr;
        return SUCCEEDED(hr);
    };
    _ConnectionPtr connection;
    if (!check(connection.CreateInstance(CLSID_Connection))
        || !check(connection->Open(_bstr_t(("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path).c_str()), nullptr, nullptr, adOptionUnspecified)))
        return -1;

    const auto start = std::chrono::steady_clock::now();
    for (long row = 0; row < rows; ++row) {
        // As the synchronisation layer does it: a command per row, parameters by position.
        _CommandPtr command;
        if (!check(command.CreateInstance(CLSID_Command)))
            return -1;
        command->putref_ActiveConnection(connection);
        command->put_CommandText(_bstr_t("qAppendTrack"));
        command->put_CommandType(adCmdStoredProc);
        ParametersPtr parameters;
        command->get_Parameters(&parameters);
        const _variant_t values[] = { _variant_t(static_cast<LONG>(row / 12)), _variant_t(static_cast<LONG>(row % 12 + 1)),
            _variant_t(Title(row).c_str()), _variant_t(LONG { 240 }), _variant_t(Path(row).c_str()) };
        const DataTypeEnum types[] = { adInteger, adInteger, adBSTR, adInteger, adBSTR };
        for (int i = 0; i < 5; ++i) {
            _ParameterPtr parameter;
            command->CreateParameter(_bstr_t(""), types[i], adParamInput, -1, values[i], &parameter);
            parameters->Append(parameter);
        }
        _RecordsetPtr none;
        if (!check(command->Execute(nullptr, nullptr, LONG { adCmdStoredProc } | LONG { adExecuteNoRecords }, &none)))
            return -1;
    }
    _RecordsetPtr recordset;
    if (!check(recordset.CreateInstance(CLSID_Recordset))
        || !check(recordset->Open(_variant_t("SELECT * FROM tMusicTracks"), _variant_t(static_cast<IDispatch*>(connection.GetInterfacePtr())),
            adOpenStatic, adLockReadOnly, adCmdText)))
        return -1;
    FieldsPtr fields;
    recordset->get_Fields(&fields);
    LONG count = 0;
    fields->get_Count(&count);
    long long sum = 0;
    VARIANT_BOOL eof = VARIANT_FALSE;
    while (recordset->get_EOF(&eof) == S_OK && !eof) {
        for (LONG c = 0; c < count; ++c) {
            FieldPtr field;
            _variant_t value;
            if (!check(fields->get_Item(_variant_t(c), &field)) || !check(field->get_Value(&value)))
                return -1;
            sum += value.vt;
        }
        recordset->MoveNext();
    }
    benchmark::DoNotOptimize(sum);
    const double seconds = Seconds(start);
    recordset->Close();
    connection->Close();
    return seconds;
}

void BM_StoredQueryInsertAndRead(benchmark::State& state)
{
    const auto folder = Folder();
    // The classes are registered in a home folder of the run's own, never in the user's.
    std::filesystem::create_directories(folder / "home");
    setenv("TUNESTEWARD_HOME", (folder / "home").c_str(), 1);
    CoInitialize(nullptr);
    if (FAILED(platform::EnsureDataAccessRegistered())) {
        state.SkipWithError("the data-access classes could not be registered");
        return;
    }
    const long rows = static_cast<long>(state.range(0));
    for (auto _ : state) {
        std::filesystem::remove(folder / "raw.db");
        std::filesystem::remove(folder / "ado.mdb");
        const double raw = RawSqlite((folder / "raw.db").string(), rows);
        HRESULT failure = S_OK;
        const double ado = ThroughDataAccess((folder / "ado.mdb").string(), rows, failure);
        if (ado < 0) {
            state.SkipWithError(("a data-access call failed: " + std::to_string(failure)).c_str());
            break;
        }
        state.counters["raw_s"] = raw;
        state.counters["objects_s"] = ado;
        state.counters["ratio"] = ado / raw;
    }
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(BM_StoredQueryInsertAndRead)->Arg(10'000)->Arg(100'000)->Iterations(1)->Unit(benchmark::kSecond);
