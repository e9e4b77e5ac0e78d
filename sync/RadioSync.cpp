#include "sync/RadioSync.h"

#include "sync/DeviceClient.h"
#include "sync/DevicePass.h"
#include "sync/StepRows.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncRunState.h"
#include "sync/SyncStrings.h"

namespace {

constexpr UINT kRadioInfoStylesheet = 6;
// The radio genre a station gets when its genre group is not in the desktop's radio genre table.
constexpr LONG kDefaultRadioCategory = 18;
constexpr LONG kCustomerId = 1;

} // namespace

LONG RadioSync::FindRadioGenreId(const std::string& name)
{
    return SyncRunState::FindRadioGenreId(name);
}

bool RadioSync::SyncFromDevice()
{
    DeviceClient* client = Client();
    if (!client || !client->WaitUntilReady("radio", false))
        return false;
    HRESULT hr = S_OK;
    // The client's list may change while replies arrive; the step walks its own copy of it, which
    // shares the records.
    const RadioList stations = client->QueryRadioStations(hr);
    if (stations.empty())
        return SUCCEEDED(hr);
    if (!SyncRunState::Step(1))
        return true;
    SyncDatabase database(ConnectionString());
    if (FAILED(database.OpenSyncDatabase()))
        return false;
    WriteStations(database, *client, stations);
    database.CloseSyncDatabase();
    return true;
}

void RadioSync::WriteStations(SyncDatabase& database, DeviceClient& client, const RadioList& stations)
{
    if (!SyncRunState::Step(1))
        return;
    for (const auto& [href, station] : stations) {
        if (!station->filled) {
            HRESULT hr = S_OK;
            client.RetrieveRadioStation(hr, href);
        }
        if (!SyncRunState::Step(1))
            return;
    }
    for (const auto& [href, station] : stations) {
        if (!station->filled)
            continue;
        const LONG genre = station->genreName.empty() ? -1 : FindRadioGenreId(station->genreName);
        station->category = _variant_t(genre == -1 ? kDefaultRadioCategory : genre);
        _variant_t key;
        const HRESULT hr = database.AppendRadioMain(_variant_t(kCustomerId), station->name, station->streamUrl, station->urlNumber,
            station->stereo, station->status, station->strength, station->bandwidth, station->streamType, station->callSign,
            station->href, station->resource, station->iconHref, station->category, station->identifier, station->location, key);
        if (SUCCEEDED(hr) && key.vt == VT_I4)
            station->stationKey = key;
        if (!SyncRunState::Step(1))
            return;
    }
    for (const auto& [href, station] : stations) {
        // A station whose row could not be appended has no key to link its groups to.
        LONG stationKey = 0;
        if (!station->filled || !KeyOf(station->stationKey, stationKey))
            continue;
        for (const std::string& name : station->groupNames) {
            const LONG group = SyncRunState::FindRadioGroupId(name);
            if (group == -1)
                continue;
            database.IRadioStationAppendToGroup(_variant_t(group), _variant_t(stationKey));
            if (!SyncRunState::Step(1))
                return;
        }
    }
}

bool RadioSync::SyncToDevice()
{
    return RunDevicePass(Client(), "radio", ConnectionString(),
        [this](SyncDatabase& database, DeviceClient& client) { return SendStations(database, client); });
}

bool RadioSync::SendStations(SyncDatabase& database, DeviceClient& client)
{
    enum class Change { Changed, Created, Removed };
    for (const auto& [queryId, change] : { std::pair { IDS_qUpdatedRadio, Change::Changed },
             std::pair { IDS_qNewRadio, Change::Created }, std::pair { IDS_qDeletedRadio, Change::Removed } }) {
        StepRows rows;
        if (database.OpenStoredQuery(queryId, rows.Recordset(), NoQueryParameters) != S_OK)
            continue;
        for (; !rows.AtEnd(); rows.Next()) {
            if (!SyncRunState::Step(1))
                return false;
            const QueryParameterList parameters { QueryParameter("[qpQVRadioID]", rows.Value("QVRadioID"), adInteger, adParamInput) };
            std::string detail;
            std::string document;
            if (FAILED(LoadDetailDocument(IDS_qRadioDetail, detail, parameters))
                || FAILED(TransformDocument(detail, {}, kRadioInfoStylesheet, document)))
                continue;
            switch (change) {
            case Change::Changed: client.ChangeRadioStation(document); break;
            case Change::Created: client.CreateRadioStation(document, TextOf(rows.Value("Station"))); break;
            case Change::Removed: client.RemoveRadioStation(document, TextOf(rows.Value("Identifier"))); break;
            }
        }
    }
    return true;
}
