#pragma once
// One step's access to the library database: an ADO connection and one record set, stored queries run
// by their string-table ids with positional parameters, and the appends and updates the steps make,
// each reading back the new row's key. Nothing runs in a transaction: every query commits on its own.
// Failures come back as HRESULTs with the provider's description as the thread's error information.

#include <map>
#include <string>

#include "platform/ado/Ado.h"
#include "sync/QueryParameter.h"

class CustomerSetup;

// The component's "no rows" result of a query.
inline constexpr HRESULT kNoRows = static_cast<HRESULT>(0x80040001);

// Genre name to genre key.
using GenreMap = std::map<std::string, LONG>;

// The "missing" VARIANT: passed as a new key, it asks for none.
_variant_t MissingKey();
// Copies source into target when their values differ (texts compared without regard to case); an
// empty or null source empties a set target. Whether target changed.
bool AssignIfChanged(const VARIANT& source, VARIANT& target);

class SyncDatabase {
public:
    // Works on the library named by the connection string; nothing is opened yet.
    explicit SyncDatabase(const _bstr_t& connectionString);
    SyncDatabase(const SyncDatabase&) = delete;
    SyncDatabase& operator=(const SyncDatabase&) = delete;
    // Closes the connection and the record set when they are open.
    ~SyncDatabase();

    // Makes the connection and record set objects once; E_INVALIDARG for an empty connection string.
    HRESULT CreateAdoObjects();
    // Opens the connection unless it is open.
    HRESULT OpenSyncDatabase();
    HRESULT CloseSyncDatabase();
    // A transaction on the open connection, and its end; a commit that fails rolls the writes back.
    HRESULT BeginTransaction();
    HRESULT CommitTransaction();

    // Runs a statement or a stored query's name into the object's record set. With parameters it goes
    // through a command, and newKey (unless it is MissingKey()) receives the new row's key. The caller
    // must have opened the database.
    HRESULT ExecuteStoredQuery(const std::string& text, CursorTypeEnum cursorType, LockTypeEnum lockType,
        LONG options, const QueryParameterList& parameters, VARIANT& newKey);
    // The same with the stored query named by a string-table id.
    HRESULT RunStoredQueryById(UINT id, CursorTypeEnum cursorType, LockTypeEnum lockType, LONG options,
        const QueryParameterList& parameters, VARIANT& newKey);
    // The query's rows as a clone in recordset (which is left alone when there are none: kNoRows).
    HRESULT OpenStoredQuery(UINT id, _RecordsetPtr& recordset, const QueryParameterList& parameters);

    // The writing stored queries; each opens the database itself. Arguments are bound unchanged.
    HRESULT AppendMusicMain(const _variant_t& artist, const _variant_t& documentPath, const _variant_t& location,
        const _variant_t& cd, const _variant_t& toc, const _variant_t& title, const _variant_t& titleSort,
        const _variant_t& label, const _variant_t& year, const _variant_t& coverArt, const _variant_t& customerId,
        const _variant_t& genreKey, const _variant_t& trackCount, const _variant_t& resourcePath,
        const _variant_t& isCd, const _variant_t& hidden, VARIANT& newKey);
    HRESULT AppendMusicTrack(const _variant_t& albumKey, const _variant_t& title, const _variant_t& number,
        const _variant_t& length, const _variant_t& bitRate, const _variant_t& filePath, VARIANT& newKey);
    HRESULT AppendPlaylists(const _variant_t& customerId, const _variant_t& name, const _variant_t& unused,
        const _variant_t& coverArt, const _variant_t& documentPath, VARIANT& newKey);
    HRESULT AppendPlaylistTracks(const _variant_t& playlistKey, const _variant_t& trackKey, const _variant_t& playOrder);
    HRESULT GroupAppend(const _variant_t& name, const _variant_t& documentPath, const _variant_t& count,
        const _variant_t& resource, const _variant_t& coverArt, VARIANT& newKey);
    HRESULT IRadioGroupAppend(const _variant_t& name, const _variant_t& documentPath, const _variant_t& count,
        const _variant_t& resource, const _variant_t& coverArt, VARIANT& newKey);
    // A playlist or album key that is not a 32-bit integer is bound as 0.
    HRESULT AppendMusicGroupList(const _variant_t& groupKey, const _variant_t& playlistKey, const _variant_t& albumKey,
        const _variant_t& unused);
    HRESULT IRadioStationAppendToGroup(const _variant_t& groupKey, const _variant_t& stationKey);
    HRESULT AppendRadioMain(const _variant_t& customerId, const _variant_t& station, const _variant_t& url,
        const _variant_t& urlNumber, const _variant_t& stereo, const _variant_t& status, const _variant_t& strength,
        const _variant_t& bandwidth, const _variant_t& streamType, const _variant_t& callSign,
        const _variant_t& documentPath, const _variant_t& resource, const _variant_t& icon, const _variant_t& category,
        const _variant_t& identifier, const _variant_t& location, VARIANT& newKey);
    HRESULT UpdateCustomer(const CustomerSetup& setup);
    HRESULT UpdateAlbumXmlPath(const _variant_t& documentPath, const _variant_t& albumKey);
    HRESULT UpdateDARAlbumCoverArt(const _variant_t& coverArt, const _variant_t& albumKey);
    HRESULT UpdateDARTrackFilePath(const _variant_t& filePath, const _variant_t& trackKey);

    // Refreshes the setup values from the library's first customer row, marking the changed ones.
    HRESULT ReadCustomer(CustomerSetup& setup);
    // Fills map (emptied first) with genre name to key from the query's Genre and QVGenreID columns.
    HRESULT LoadGenreMap(UINT id, GenreMap& map);
    // Rows of the table marked modified or deleted (0 when the count cannot be read).
    LONG CountPendingChanges(const std::string& table);
    // The pending changes of the ten tables a run sends (the customer tables aside).
    LONG CountAllPendingChanges();

    // The string's text becomes the thread's error information; 0x80040000 + id.
    static HRESULT SetErrorFromString(UINT id);
    // The connection's last provider error becomes the thread's error information; its number, or 0
    // when there is none.
    static HRESULT SetErrorFromAdoErrors(_Connection* connection);

private:
    // Reports a failure (the provider's error, else the failure itself) and returns the result to give.
    HRESULT Report(HRESULT failure, IErrorInfo* info = nullptr);
    // Closes the connection and then the record set, when open.
    void CloseBoth();
    HRESULT RunWrapper(UINT id, LONG options, const QueryParameterList& parameters, VARIANT& newKey);
    // Opens the database and reads the time stamp a stored query takes; E_FAIL without the time.
    HRESULT OpenWithTimeStamp(_variant_t& now);
    // Opens the database and runs stored query `id` with `parameters`, asking no new key back.
    HRESULT OpenAndRun(UINT id, LONG options, const QueryParameterList& parameters);

    _bstr_t m_connectionString;
    _ConnectionPtr m_connection;
    _RecordsetPtr m_recordset;
    bool m_created { false };
};
