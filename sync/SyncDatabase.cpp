#include "sync/SyncDatabase.h"

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/base/Resources.h"
#include "platform/base/SystemTime.h"
#include "sync/ComponentUtilities.h"
#include "sync/SyncStrings.h"

namespace {

// Where the data-access objects may live.
constexpr DWORD kServerContexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
// A stored query's name is read into this many characters (its zero included).
constexpr int kQueryNameBuffer = 255;
// Error texts are cut to this many characters.
constexpr int kErrorTextBuffer = 128;
// The count statement is built in this many bytes (its zero included).
constexpr std::size_t kCountStatementBuffer = 256;

HMODULE ComponentModule() { return platform::ModuleFromAddress(reinterpret_cast<const void*>(&MissingKey)); }

bool IsMissing(const VARIANT& value) { return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND; }

bool IsOpen(_Recordset* recordset)
{
    LONG state = adStateClosed;
    return recordset && SUCCEEDED(recordset->get_State(&state)) && (state & adStateOpen) != 0;
}

bool IsOpen(_Connection* connection)
{
    LONG state = adStateClosed;
    return connection && SUCCEEDED(connection->get_State(&state)) && (state & adStateOpen) != 0;
}

// Raises a failed call as a COM error carrying the thread's error information.
void Check(HRESULT hr)
{
    if (FAILED(hr)) {
        IErrorInfo* info = nullptr;
        GetErrorInfo(0, &info);
        throw _com_error(hr, info);
    }
}

// Makes a new error information (no interface, no source) the thread's.
void SetThreadError(const std::u16string& description)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create)
        return;
    create->SetGUID(GUID_NULL);
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(&info)) && info) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
}

// The current time as the stored queries' time stamps take it: UTC as an OLE date.
bool NowUtc(_variant_t& stamp)
{
    SYSTEMTIME now {};
    GetSystemTime(&now);
    DOUBLE date = 0;
    if (!SystemTimeToVariantTime(&now, &date))
        return false;
    stamp = _variant_t(date, VT_DATE);
    return true;
}

_variant_t FieldValue(_Recordset* recordset, const _variant_t& key)
{
    FieldsPtr fields;
    FieldPtr field;
    _variant_t value;
    if (SUCCEEDED(recordset->get_Fields(&fields)) && fields && SUCCEEDED(fields->get_Item(key, &field)) && field)
        field->get_Value(&value);
    return value;
}

bool AtEnd(_Recordset* recordset)
{
    VARIANT_BOOL end = VARIANT_TRUE;
    return FAILED(recordset->get_EOF(&end)) || end != VARIANT_FALSE;
}

// The value as a 32-bit integer when it is one, else 0.
_variant_t IntegerOrZero(const _variant_t& value) { return value.vt == VT_I4 ? value : _variant_t(LONG { 0 }); }

QueryParameter Text(const char* name, const _variant_t& value) { return QueryParameter(name, value, adBSTR, adParamInput); }
QueryParameter Integer(const char* name, const _variant_t& value) { return QueryParameter(name, value, adInteger, adParamInput); }
QueryParameter Flag(const char* name, const _variant_t& value) { return QueryParameter(name, value, adBoolean, adParamInput); }
QueryParameter Stamp(const char* name, const _variant_t& value) { return QueryParameter(name, value, adDBTimeStamp, adParamInput); }

// The text of a value for comparing (empty when it has none).
std::u16string TextOf(const VARIANT& value)
{
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return {};
    std::u16string copy = text.bstrVal ? std::u16string(text.bstrVal, SysStringLen(text.bstrVal)) : std::u16string();
    VariantClear(&text);
    return copy;
}

} // namespace

_variant_t MissingKey()
{
    _variant_t missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    return missing;
}

bool AssignIfChanged(const VARIANT& source, VARIANT& target)
{
    const bool sourceEmpty = source.vt == VT_EMPTY || source.vt == VT_NULL;
    if (target.vt == VT_EMPTY || target.vt == VT_NULL) {
        if (sourceEmpty)
            return false;
        VariantCopy(&target, &source);
        return true;
    }
    if (sourceEmpty) {
        VariantClear(&target);
        return true;
    }
    if (platform::EqualsNoCase(TextOf(source), TextOf(target)))
        return false;
    VariantCopy(&target, &source);
    return true;
}

SyncDatabase::SyncDatabase(const _bstr_t& connectionString)
    : m_connectionString(connectionString)
{
}

SyncDatabase::~SyncDatabase() { CloseBoth(); }

void SyncDatabase::CloseBoth()
{
    if (IsOpen(m_connection.GetInterfacePtr()))
        m_connection->Close();
    if (IsOpen(m_recordset.GetInterfacePtr()))
        m_recordset->Close();
}

HRESULT SyncDatabase::CreateAdoObjects()
{
    if (m_created)
        return S_OK;
    if (m_connectionString.length() == 0)
        return E_INVALIDARG;
    if (FAILED(m_connection.CreateInstance(CLSID_Connection, nullptr, kServerContexts)))
        return SetErrorFromString(IDS_CANNOT_CREATE_CONNECTION);
    if (FAILED(m_recordset.CreateInstance(CLSID_Recordset, nullptr, kServerContexts)))
        return SetErrorFromString(IDS_CANNOT_CREATE_RECORDSET);
    HRESULT hr = m_recordset->put_CursorType(adOpenStatic);
    if (SUCCEEDED(hr))
        hr = m_recordset->put_CursorLocation(adUseServer);
    if (FAILED(hr))
        return hr;
    m_created = true;
    return S_OK;
}

HRESULT SyncDatabase::OpenSyncDatabase()
{
    HRESULT hr = CreateAdoObjects();
    if (FAILED(hr))
        return hr;
    if (IsOpen(m_connection.GetInterfacePtr()))
        return S_OK;
    hr = m_connection->Open(m_connectionString, _bstr_t(""), _bstr_t(""), 0);
    if (SUCCEEDED(hr))
        return S_OK;
    IErrorInfo* info = nullptr;
    GetErrorInfo(0, &info);
    const HRESULT reported = Report(hr, info);
    CloseBoth();
    return reported;
}

HRESULT SyncDatabase::CloseSyncDatabase()
{
    if (!IsOpen(m_connection.GetInterfacePtr()))
        return S_OK;
    const HRESULT hr = m_connection->Close();
    if (SUCCEEDED(hr))
        return S_OK;
    IErrorInfo* info = nullptr;
    GetErrorInfo(0, &info);
    const HRESULT reported = Report(hr, info);
    CloseBoth();
    return reported;
}

HRESULT SyncDatabase::BeginTransaction()
{
    if (!IsOpen(m_connection.GetInterfacePtr()))
        return E_FAIL;
    LONG level = 0;
    return m_connection->BeginTrans(&level);
}

HRESULT SyncDatabase::CommitTransaction()
{
    if (!IsOpen(m_connection.GetInterfacePtr()))
        return E_FAIL;
    const HRESULT hr = m_connection->CommitTrans();
    if (FAILED(hr))
        m_connection->RollbackTrans();
    return hr;
}

HRESULT SyncDatabase::Report(HRESULT failure, IErrorInfo* info)
{
    const HRESULT provider = SetErrorFromAdoErrors(m_connection.GetInterfacePtr());
    if (provider != 0) {
        if (info)
            info->Release();
        return provider;
    }
    return SetComErrorInfo(_com_error(failure, info));
}

HRESULT SyncDatabase::ExecuteStoredQuery(const std::string& text, CursorTypeEnum cursorType, LockTypeEnum lockType,
    LONG options, const QueryParameterList& parameters, VARIANT& newKey)
{
    if (FAILED(CreateAdoObjects()))
        return E_FAIL;
    if (text.empty())
        return E_INVALIDARG;
    if (IsOpen(m_recordset.GetInterfacePtr())) {
        m_recordset->Close();
        if (IsOpen(m_recordset.GetInterfacePtr()))
            return E_FAIL;
    }
    const _variant_t connection(static_cast<IDispatch*>(m_connection.GetInterfacePtr()));
    try {
        if (parameters.empty()) {
            Check(m_recordset->Open(_variant_t(text.c_str()), connection, cursorType, lockType, options));
            return S_OK;
        }
        _CommandPtr command;
        const HRESULT created = command.CreateInstance(CLSID_Command, nullptr, kServerContexts);
        if (FAILED(created))
            return created;
        Check(command->putref_ActiveConnection(m_connection));
        Check(command->put_CommandText(_bstr_t(text.c_str())));
        Check(command->put_CommandType(static_cast<CommandTypeEnum>(options)));
        ParametersPtr list;
        Check(command->get_Parameters(&list));
        for (const QueryParameter& parameter : parameters) {
            _ParameterPtr bound;
            Check(command->CreateParameter(parameter.Name(), parameter.Type(), parameter.Direction(), parameter.Size(),
                parameter.ValueForBinding(), &bound));
            Check(list->Append(bound));
        }
        Check(m_recordset->Open(_variant_t(static_cast<IDispatch*>(command.GetInterfacePtr())), MissingKey(), cursorType,
            lockType, options));
        if (!IsMissing(newKey)) {
            if (IsOpen(m_recordset.GetInterfacePtr()))
                Check(m_recordset->Close());
            Check(m_recordset->Open(_variant_t("SELECT @@IDENTITY"), connection, adOpenForwardOnly, adLockReadOnly, adCmdText));
            _variant_t key = FieldValue(m_recordset, _variant_t(LONG { 0 }));
            Check(VariantChangeType(&key, &key, 0, VT_I4));
            VariantClear(&newKey);
            newKey = key.Detach();
        }
        return S_OK;
    } catch (const _com_error& error) {
        const HRESULT reported = Report(error.Error(), error.ErrorInfo());
        CloseBoth();
        // The next call starts over with new objects, whose connection must be opened again.
        m_connection = nullptr;
        m_recordset = nullptr;
        m_created = false;
        return reported;
    }
}

HRESULT SyncDatabase::RunStoredQueryById(UINT id, CursorTypeEnum cursorType, LockTypeEnum lockType, LONG options,
    const QueryParameterList& parameters, VARIANT& newKey)
{
    char name[kQueryNameBuffer] {};
    if (LoadString(ComponentModule(), id, name, kQueryNameBuffer) <= 0)
        return E_INVALIDARG;
    return ExecuteStoredQuery(name, cursorType, lockType, options, parameters, newKey);
}

HRESULT SyncDatabase::OpenStoredQuery(UINT id, _RecordsetPtr& recordset, const QueryParameterList& parameters)
{
    if (id < 1)
        return E_INVALIDARG;
    _variant_t none = MissingKey();
    HRESULT hr = RunStoredQueryById(id, adOpenStatic, adLockReadOnly, adCmdUnknown, parameters, none);
    if (FAILED(hr))
        return hr;
    LONG count = 0;
    if (FAILED(m_recordset->get_RecordCount(&count)) || !IsOpen(m_recordset.GetInterfacePtr()))
        return E_FAIL;
    if (count == 0)
        return kNoRows;
    if (!recordset && FAILED(hr = recordset.CreateInstance(CLSID_Recordset, nullptr, kServerContexts)))
        return hr;
    _RecordsetPtr clone;
    if (FAILED(hr = m_recordset->Clone(adLockUnspecified, &clone)))
        return hr;
    recordset = clone;
    return S_OK;
}

HRESULT SyncDatabase::RunWrapper(UINT id, LONG options, const QueryParameterList& parameters, VARIANT& newKey)
{
    return RunStoredQueryById(id, adOpenForwardOnly, adLockReadOnly, options, parameters, newKey);
}

HRESULT SyncDatabase::OpenWithTimeStamp(_variant_t& now)
{
    const HRESULT hr = OpenSyncDatabase();
    if (FAILED(hr))
        return hr;
    return NowUtc(now) ? S_OK : E_FAIL;
}

HRESULT SyncDatabase::OpenAndRun(UINT id, LONG options, const QueryParameterList& parameters)
{
    const HRESULT hr = OpenSyncDatabase();
    if (FAILED(hr))
        return hr;
    _variant_t none = MissingKey();
    return RunWrapper(id, options, parameters, none);
}

HRESULT SyncDatabase::AppendMusicMain(const _variant_t& artist, const _variant_t& documentPath,
    const _variant_t& location, const _variant_t&, const _variant_t& toc, const _variant_t& title,
    const _variant_t& titleSort, const _variant_t& label, const _variant_t& year, const _variant_t& coverArt,
    const _variant_t& customerId, const _variant_t& genreKey, const _variant_t& trackCount,
    const _variant_t& resourcePath, const _variant_t& isCd, const _variant_t& hidden, VARIANT& newKey)
{
    _variant_t now;
    if (const HRESULT hr = OpenWithTimeStamp(now); FAILED(hr))
        return hr;
    const QueryParameterList parameters {
        Integer("[qpCustomerID]", customerId),
        Text("[qpTOC]", toc),
        Text("[qpArtist]", artist),
        Text("[qpTitle]", title),
        Text("[qpTitleSort]", titleSort),
        Text("[qpLabel]", label),
        Text("[qpYear]", year),
        Integer("[qpQVGenreID]", genreKey),
        Text("[qpZUVUdureDaz]", coverArt),
        Text("[qpTitleThe]", title),
        Text("[qpArtistFullname]", artist),
        Integer("[qpNumTracks]", trackCount),
        Stamp("[qpSyncDate]", now),
        Text("[qpXMLFilePath]", documentPath),
        Text("[qpREDUZIDedaDora]", documentPath),
        Text("[qpRSRC_HREF]", resourcePath),
        Stamp("[qpTimeStamp]", now),
        Text("[qpLocation]", location),
        Flag("[qpIsCD]", isCd),
        Flag("[qpIsHidden]", hidden),
    };
    return RunWrapper(IDS_qAppendMusicMain, adCmdUnknown, parameters, newKey);
}

HRESULT SyncDatabase::AppendMusicTrack(const _variant_t& albumKey, const _variant_t& title, const _variant_t& number,
    const _variant_t& length, const _variant_t& bitRate, const _variant_t& filePath, VARIANT& newKey)
{
    _variant_t now;
    if (const HRESULT hr = OpenWithTimeStamp(now); FAILED(hr))
        return hr;
    const QueryParameterList parameters {
        Integer("[qpQVCDID]", albumKey),
        Integer("[qpTrackNumber]", number),
        Text("[qpTrackTitle]", title),
        Integer("[qpTrackLength]", length),
        Text("[qpFilePath]", filePath),
        Text("[qpVUDUradUzaz]", filePath),
        Stamp("[qpTimeStamp]", now),
        Integer("[qpBitrate]", bitRate),
    };
    return RunWrapper(IDS_qAppendMusicTrack, adCmdStoredProc, parameters, newKey);
}

HRESULT SyncDatabase::AppendPlaylists(const _variant_t& customerId, const _variant_t& name, const _variant_t&,
    const _variant_t& coverArt, const _variant_t& documentPath, VARIANT& newKey)
{
    HRESULT hr = OpenSyncDatabase();
    if (FAILED(hr))
        return hr;
    const QueryParameterList parameters {
        Integer("[qpCustomerID]", customerId),
        Text("[qpPlaylistName]", name),
        Text("[qpZUVUdureDaz]", coverArt),
        Text("[qpREDUZIDedaDora]", documentPath),
    };
    return RunWrapper(IDS_qAppendPlaylists, adCmdStoredProc, parameters, newKey);
}

HRESULT SyncDatabase::AppendPlaylistTracks(const _variant_t& playlistKey, const _variant_t& trackKey, const _variant_t& playOrder)
{
    _variant_t now;
    if (const HRESULT hr = OpenWithTimeStamp(now); FAILED(hr))
        return hr;
    const QueryParameterList parameters {
        Integer("[qpPlaylistID]", playlistKey),
        Integer("[qpAlbumTrackID]", trackKey),
        Stamp("[qpTimeStamp]", now),
        Integer("[qpPlayOrder]", playOrder),
    };
    _variant_t none = MissingKey();
    return RunWrapper(IDS_qAppendPlaylistTracks, adCmdStoredProc, parameters, none);
}

namespace {

QueryParameterList GroupParameters(const _variant_t& name, const _variant_t& documentPath, const _variant_t& count,
    const _variant_t& resource, const _variant_t& coverArt, const _variant_t& now)
{
    return {
        Text("[qpGroupName]", name),
        Text("[qpDIDIvad]", documentPath),
        Integer("[qpCount]", count),
        Text("[qpVOZAruzizer]", resource),
        Text("[qpZUVUduredaz]", coverArt),
        Stamp("[qpTimeStamp]", now),
    };
}

} // namespace

HRESULT SyncDatabase::GroupAppend(const _variant_t& name, const _variant_t& documentPath, const _variant_t& count,
    const _variant_t& resource, const _variant_t& coverArt, VARIANT& newKey)
{
    _variant_t now;
    if (const HRESULT hr = OpenWithTimeStamp(now); FAILED(hr))
        return hr;
    return RunWrapper(
        IDS_qGroupAppend, adCmdStoredProc, GroupParameters(name, documentPath, count, resource, coverArt, now), newKey);
}

HRESULT SyncDatabase::IRadioGroupAppend(const _variant_t& name, const _variant_t& documentPath, const _variant_t& count,
    const _variant_t& resource, const _variant_t& coverArt, VARIANT& newKey)
{
    _variant_t now;
    if (const HRESULT hr = OpenWithTimeStamp(now); FAILED(hr))
        return hr;
    return RunWrapper(IDS_qIRadioGroupAppend, adCmdStoredProc,
        GroupParameters(name, documentPath, count, resource, coverArt, now), newKey);
}

HRESULT SyncDatabase::AppendMusicGroupList(
    const _variant_t& groupKey, const _variant_t& playlistKey, const _variant_t& albumKey, const _variant_t&)
{
    const QueryParameterList parameters {
        Integer("[qpGroupID]", groupKey),
        Integer("[qpPlaylistID]", IntegerOrZero(playlistKey)),
        Integer("[qpQVCDID]", IntegerOrZero(albumKey)),
    };
    return OpenAndRun(IDS_qAppendMusicGroupList, adCmdStoredProc, parameters);
}

HRESULT SyncDatabase::IRadioStationAppendToGroup(const _variant_t& groupKey, const _variant_t& stationKey)
{
    const QueryParameterList parameters {
        Integer("[qpGroupID]", groupKey),
        Integer("[qpQVRadio]", stationKey),
    };
    return OpenAndRun(IDS_qIRadioStationAppendToGroup, adCmdStoredProc, parameters);
}

HRESULT SyncDatabase::AppendRadioMain(const _variant_t& customerId, const _variant_t& station, const _variant_t& url,
    const _variant_t& urlNumber, const _variant_t& stereo, const _variant_t& status, const _variant_t& strength,
    const _variant_t& bandwidth, const _variant_t& streamType, const _variant_t& callSign,
    const _variant_t& documentPath, const _variant_t& resource, const _variant_t& icon, const _variant_t& category,
    const _variant_t& identifier, const _variant_t& location, VARIANT& newKey)
{
    _variant_t now;
    if (const HRESULT hr = OpenWithTimeStamp(now); FAILED(hr))
        return hr;
    const QueryParameterList parameters {
        Integer("[qpCustomerID]", customerId),
        Text("[qpStation]", station),
        Text("[qpURL]", url),
        Integer("[qpURLNo]", urlNumber),
        Text("[qpStereo]", stereo),
        Text("[qpStatus]", status),
        Integer("[qpStrength]", strength),
        Text("[qpBandwidth]", bandwidth),
        Integer("[qpStreamType]", streamType),
        Text("[qpRadioCallSign]", callSign),
        Text("[qpREDUZIDedaDora]", documentPath),
        Text("[qpVOZAruzizer]", resource),
        Text("[qpRARUzer]", icon),
        Integer("[qpCategory]", category),
        Stamp("[qpTimeStamp]", now),
        Text("[qpIdentifier]", identifier),
        Text("[qpLocation]", location),
    };
    return RunWrapper(IDS_qAppendRadioMain, adCmdStoredProc, parameters, newKey);
}

HRESULT SyncDatabase::UpdateAlbumXmlPath(const _variant_t& documentPath, const _variant_t& albumKey)
{
    const QueryParameterList parameters { Text("[qpHref]", documentPath), Integer("[qpQVCDID]", albumKey) };
    return OpenAndRun(IDS_qUpdateAlbumXmlPath, adCmdUnknown, parameters);
}

HRESULT SyncDatabase::UpdateDARAlbumCoverArt(const _variant_t& coverArt, const _variant_t& albumKey)
{
    const QueryParameterList parameters { Text("[qpZUVUdureDaz]", coverArt), Integer("[qpQVCDID]", albumKey) };
    return OpenAndRun(IDS_qUpdateDARAlbumCoverArt, adCmdUnknown, parameters);
}

HRESULT SyncDatabase::UpdateDARTrackFilePath(const _variant_t& filePath, const _variant_t& trackKey)
{
    const QueryParameterList parameters { Text("[qpVUDUradUzaz]", filePath), Integer("[qpAlbumTrackID]", trackKey) };
    return OpenAndRun(IDS_qUpdateDARTrackFilePath, adCmdUnknown, parameters);
}

HRESULT SyncDatabase::LoadGenreMap(UINT id, GenreMap& map)
{
    map.clear();
    HRESULT hr = OpenSyncDatabase();
    if (FAILED(hr))
        return hr;
    _RecordsetPtr rows;
    if (FAILED(hr = OpenStoredQuery(id, rows, NoQueryParameters)))
        return hr;
    while (!AtEnd(rows)) {
        const _variant_t genre = FieldValue(rows, _variant_t("Genre"));
        _variant_t key = FieldValue(rows, _variant_t("QVGenreID"));
        if (genre.vt == VT_BSTR && SUCCEEDED(VariantChangeType(&key, &key, 0, VT_I4)))
            map[platform::Utf16ToUtf8(genre.bstrVal ? genre.bstrVal : u"")] = key.lVal;
        rows->MoveNext();
    }
    rows->Close();
    return S_OK;
}

LONG SyncDatabase::CountPendingChanges(const std::string& table)
{
    const std::string statement
        = "SELECT COUNT(*) As Expr1 FROM " + table + " WHERE [ModifyFlag]=True OR [DeleteFlag]=True;";
    // The statement never held more than its buffer; a longer table name names no table of the library.
    if (statement.size() >= kCountStatementBuffer)
        return 0;
    _variant_t none = MissingKey();
    // A count that cannot be read counts nothing (rather than adding a failure code to the total).
    if (FAILED(ExecuteStoredQuery(statement, adOpenStatic, adLockReadOnly, adCmdUnknown, NoQueryParameters, none)))
        return 0;
    LONG count = 0;
    if (IsOpen(m_recordset.GetInterfacePtr())) {
        if (!AtEnd(m_recordset)) {
            _variant_t value = FieldValue(m_recordset, _variant_t("Expr1"));
            if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
                count = value.lVal;
        }
        m_recordset->Close();
    }
    return count;
}

LONG SyncDatabase::CountAllPendingChanges()
{
    static const char* const tables[] { "tMusicMain", "tMusicTracks", "tGroup", "tGroupList", "tIRadioMain", "tPlaylists",
        "tPlaylistTracks", "tRadioStream", "tIRadioGroup", "tIRadioGroupList" };
    LONG total = 0;
    for (const char* table : tables)
        total += CountPendingChanges(table);
    return total;
}

HRESULT SyncDatabase::SetErrorFromString(UINT id)
{
    char text[kErrorTextBuffer] {};
    LoadString(ComponentModule(), id, text, kErrorTextBuffer);
    SetThreadError(platform::Utf8ToUtf16(text));
    return static_cast<HRESULT>(0x80040000u + id);
}

HRESULT SyncDatabase::SetErrorFromAdoErrors(_Connection* connection)
{
    if (!connection)
        return 0;
    ErrorsPtr errors;
    LONG count = 0;
    if (FAILED(connection->get_Errors(&errors)) || !errors || FAILED(errors->get_Count(&count)) || count == 0)
        return 0;
    ErrorPtr last;
    if (FAILED(errors->get_Item(_variant_t(count - 1), &last)) || !last)
        return 0;
    LONG number = 0;
    last->get_Number(&number);
    if (number == 0)
        return 0;
    BSTR description = nullptr;
    last->get_Description(&description);
    SetThreadError(description ? std::u16string(description) : std::u16string());
    SysFreeString(description);
    return number;
}
