#include "sync/GroupSync.h"

#include "sync/DeviceClient.h"
#include "sync/DevicePass.h"
#include "sync/StepRows.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncRunState.h"
#include "sync/SyncStrings.h"

namespace {

constexpr UINT kMusicGroupStylesheet = 8;
constexpr UINT kRadioGroupStylesheet = 9;

} // namespace

bool GroupSync::SyncFromDevice()
{
    return RunDevicePass(Client(), "groups", ConnectionString(),
        [this](SyncDatabase& database, DeviceClient& client) { return ReadFromDevice(database, client); });
}

bool GroupSync::ReadFromDevice(SyncDatabase& database, DeviceClient& client)
{
    // The genre names come from the desktop's own lookup tables; the album and radio steps map the
    // device's genre groups to desktop keys through them.
    for (const auto& [queryId, radio] : { std::pair { IDS_qGenreList, false }, std::pair { IDS_qRadioGenreList, true } }) {
        std::map<std::string, LONG> genres;
        if (FAILED(database.LoadGenreMap(queryId, genres)))
            continue;
        for (const auto& [name, key] : genres) {
            SyncRunState::AddGenre(radio ? SyncRunState::RadioGenres() : SyncRunState::MusicGenres(), name, key);
            if (!SyncRunState::Step(1))
                return false;
        }
    }
    if (!SyncRunState::Step(1))
        return false;
    // A device that does not give its setup data is not read any further: its groups would be
    // appended to a library that has no owner.
    if (!client.GetSetupProperties())
        return false;
    database.UpdateCustomer(client.Setup());
    if (!SyncRunState::Step(1))
        return false;

    HRESULT hr = S_OK;
    if (!AppendGroups(database, client.QueryGroups(hr, "music"), false))
        return false;
    if (!SyncRunState::Step(1))
        return false;
    return AppendGroups(database, client.QueryGroups(hr, "radio"), true);
}

bool GroupSync::AppendGroups(SyncDatabase& database, const GroupMap& groups, bool radio)
{
    for (const auto& [href, group] : groups) {
        if (!SyncRunState::Step(1))
            return false;
        _variant_t key;
        const _variant_t count(group->Count());
        const HRESULT hr = radio
            ? database.IRadioGroupAppend(group->Name(), group->Href(), count, group->Resource(), group->CoverArt(), key)
            : database.GroupAppend(group->Name(), group->Href(), count, group->Resource(), group->CoverArt(), key);
        if (FAILED(hr) || key.vt != VT_I4)
            continue;
        const std::string name = TextOf(group->Name());
        if (radio)
            SyncRunState::AddRadioGroup(name, key.lVal);
        else
            SyncRunState::AddMusicGroup(name, key.lVal);
    }
    return true;
}

bool GroupSync::SyncToDevice()
{
    return RunDevicePass(Client(), "groups", ConnectionString(),
        [this](SyncDatabase& database, DeviceClient& client) { return SendToDevice(database, client); });
}

bool GroupSync::SendToDevice(SyncDatabase& database, DeviceClient& client)
{
    SyncRunState::SetStepTotal(database.CountAllPendingChanges());
    if (!SendGroupDocuments(database, client, IDS_qUpdatedGroups, false, false)
        || !SendGroupDocuments(database, client, IDS_qNewGroups, false, true)
        || !RemoveGroups(database, client, IDS_qDeletedGroups, false)
        || !SendGroupDocuments(database, client, IDS_qUpdatedRadioGroups, true, false)
        || !SendGroupDocuments(database, client, IDS_qNewRadioGroups, true, true)
        || !RemoveGroups(database, client, IDS_qDeletedRadioGroups, true))
        return false;
    if (FAILED(database.ReadCustomer(client.Setup())))
        return false;
    return client.SendSetupProperties();
}

bool GroupSync::SendGroupDocuments(SyncDatabase& database, DeviceClient& client, UINT queryId, bool radio, bool create)
{
    StepRows rows;
    if (database.OpenStoredQuery(queryId, rows.Recordset(), NoQueryParameters) != S_OK)
        return true;
    for (; !rows.AtEnd(); rows.Next()) {
        if (!SyncRunState::Step(1))
            return false;
        const QueryParameterList parameters {
            QueryParameter(radio ? "[qpRadioGroupID]" : "[qpGroupID]", rows.Value("GroupID"), adInteger, adParamInput)
        };
        std::string detail;
        std::string document;
        if (FAILED(LoadDetailDocument(radio ? IDS_qRadioGroupDetail : IDS_qGroupDetail, detail, parameters))
            || FAILED(TransformDocument(detail, {}, radio ? kRadioGroupStylesheet : kMusicGroupStylesheet, document)))
            continue;
        if (!radio) {
            if (create)
                client.CreateMusicGroup(document);
            else
                client.ChangeMusicGroup(document);
            continue;
        }
        if (create) {
            client.CreateRadioGroup(document);
            continue;
        }
        client.ChangeRadioGroup(document);
        // A changed radio group counts twice: once when its row is taken, once when it is sent.
        if (!SyncRunState::Step(1))
            return false;
    }
    return true;
}

bool GroupSync::RemoveGroups(SyncDatabase& database, DeviceClient& client, UINT queryId, bool radio)
{
    StepRows rows;
    if (database.OpenStoredQuery(queryId, rows.Recordset(), NoQueryParameters) != S_OK)
        return true;
    for (; !rows.AtEnd(); rows.Next()) {
        const std::u16string href = WideTextOf(rows.Value("DIDIvad"));
        if (radio)
            client.RemoveRadioGroup(href);
        else
            client.RemoveMusicGroup(href);
        if (!SyncRunState::Step(1))
            return false;
    }
    return true;
}
