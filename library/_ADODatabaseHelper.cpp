#include "library/_ADODatabaseHelper.h"

#include "library/FileRoutines.h"
#include "library/LibraryStrings.h"
#include "library/LookupTables.h"
#include "library/RegistryRoutines.h"
#include "library/StoredQueryCatalogue.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/ado/Ado.h"
#include "platform/ado/Jro.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/CString.h"
#include "platform/base/CaseFold.h"
#include "platform/base/Debug.h"
#include "platform/base/MessageBox.h"
#include "platform/base/PathApi.h"
#include "platform/com/BstrT.h"
#include "platform/com/ComError.h"
#include "platform/com/OleAuto.h"
#include "platform/com/VariantT.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace ADOX;
using JRO::IJetEnginePtr;

namespace {

// The provider's connection text for the catalog and the compaction.
constexpr const char* kCatalogProvider = "Provider=Microsoft.JET.OLEDB.4.0;Data source=";
// The look-up of a name that a collection lacks.
constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A0CC1u);
// The oldest catalog component that makes complete library files.
constexpr int kMinimumCatalogMajor = 2;
constexpr int kMinimumCatalogMinor = 5;
// The tables that a device fills again, emptied in this order.
constexpr const char* kTablesToEmpty[] = { "tCustomerMain", "tMusicTracks", "tMusicMain", "tPlaylistTracks", "tPlaylists",
    "tGroupList", "tGroup", "tIRadioMain", "tIRadioGroupList", "tIRadioGroup", "tRadioStream" };

// Throws _com_error for a failed result, as the steps below report their failures.
void Check(HRESULT result)
{
    if (FAILED(result))
        throw _com_error(result);
}

// A failed step of the maintenance: logged, the work goes on as the step's caller decides.
void LogFailure(const char* step, const char* name, HRESULT result = S_OK)
{
    CString line;
    line.Format("Library maintenance: %s %s failed (0x%08x)\n", step, name != nullptr ? name : "", static_cast<unsigned>(result));
    OutputDebugStringA(line);
}

_variant_t Name(const char* name) { return _variant_t(name != nullptr ? name : ""); }

bool IsKey(const SchemaField& field) { return std::strcmp(field.keyFlag, "True") == 0; }

// Sets a provider property of a column ("AutoIncrement", "Description", "Jet OLEDB:Allow Zero Length").
void SetColumnProperty(_Column* column, const char* property, const _variant_t& value)
{
    PropertiesPtr properties;
    Check(column->get_Properties(&properties));
    PropertyPtr item;
    Check(properties->get_Item(Name(property), &item));
    Check(item->put_Value(value));
}

_variant_t ColumnProperty(_Column* column, const char* property)
{
    PropertiesPtr properties;
    Check(column->get_Properties(&properties));
    PropertyPtr item;
    Check(properties->get_Item(Name(property), &item));
    _variant_t value;
    Check(item->get_Value(&value));
    return value;
}

// The properties a new column of a field gets, in the order they are set.
void SetFieldProperties(_Column* column, const SchemaField& field)
{
    if (std::strcmp(field.typeWord, "AutoNumber") == 0)
        SetColumnProperty(column, "AutoIncrement", _variant_t(true));
    if (field.description[0] != '\0')
        SetColumnProperty(column, "Description", _variant_t(field.description));
    if (std::strcmp(field.typeWord, "Text") == 0)
        SetColumnProperty(column, "Jet OLEDB:Allow Zero Length", _variant_t(true));
}

// Appends a column for a field to a column list and gives it the field's properties.
void AppendFieldColumn(Columns* columns, const SchemaField& field)
{
    Check(columns->Append(Name(field.name), _ADODatabaseHelper::AdoxTypeOf(field.typeWord), std::atol(field.sizeText)));
    _ColumnPtr column;
    Check(columns->get_Item(Name(field.name), &column));
    SetFieldProperties(column, field);
}

DATE DateOf(const _variant_t& value)
{
    _variant_t date;
    if (FAILED(VariantChangeType(&date, &value, 0, VT_DATE)))
        throw _com_error(DISP_E_TYPEMISMATCH);
    return date.date;
}

// The modification date of a stored query found at a place; the look-up's result when it fails.
HRESULT StoredQueryDate(_Catalog* catalog, const char* name, _ADODatabaseHelper::QueryPlace place, DATE& modified)
{
    _variant_t date;
    if (place == _ADODatabaseHelper::QueryPlace::Procedures) {
        ProceduresPtr procedures;
        Check(catalog->get_Procedures(&procedures));
        ProcedurePtr procedure;
        const HRESULT found = procedures->get_Item(Name(name), &procedure);
        if (FAILED(found) || procedure == nullptr)
            return FAILED(found) ? found : kItemNotFound;
        Check(procedure->get_DateModified(&date));
    } else {
        ViewsPtr views;
        Check(catalog->get_Views(&views));
        ViewPtr view;
        const HRESULT found = views->get_Item(Name(name), &view);
        if (FAILED(found) || view == nullptr)
            return FAILED(found) ? found : kItemNotFound;
        Check(view->get_DateModified(&date));
    }
    modified = DateOf(date);
    return S_OK;
}

// The catalog's table of that name; throws when there is none.
_TablePtr TableNamed(_Catalog* catalog, const char* name)
{
    TablesPtr tables;
    Check(catalog->get_Tables(&tables));
    _TablePtr table;
    Check(tables->get_Item(Name(name), &table));
    return table;
}

// Gives a table, appended or not, the indexes of LibrarySchemaIndexes it lacks. One that cannot be
// made is logged and left out: the file works without it, only slower.
bool AppendListedIndexes(_Table* table, const char* tableName)
{
    bool complete = true;
    for (const SchemaIndex& wanted : LibrarySchemaIndexes) {
        if (!platform::EqualsNoCase(wanted.table, tableName))
            continue;
        try {
            IndexesPtr indexes;
            Check(table->get_Indexes(&indexes));
            _IndexPtr existing;
            const HRESULT found = indexes->get_Item(Name(wanted.name), &existing);
            if (SUCCEEDED(found) && existing != nullptr)
                continue;
            if (found != kItemNotFound)
                Check(found); // the look-up failed otherwise: the list cannot be trusted to take one more
            Check(indexes->Append(Name(wanted.name), Name(wanted.field)));
        } catch (const _com_error& error) {
            LogFailure("indexing", wanted.name, error.Error());
            complete = false;
        }
    }
    return complete;
}

} // namespace

bool _ADODatabaseHelper::CreateLibraryDatabase(LPCTSTR path)
{
    if (path == nullptr || *path == '\0')
        return false;
    char drive[_MAX_DRIVE] {};
    char folder[_MAX_DIR] {};
    _splitpath(path, drive, folder, nullptr, nullptr);
    if (!CreateDirectoryPath(CString(drive) + folder)) {
        LogFailure("making the folder of", path);
        return false;
    }
    if (!CreateCatalog(path))
        return false;
    try {
        for (const SchemaTable& table : LibrarySchemaTable) {
            if (!CreateTable(table.name, table.fields, static_cast<int>(table.fieldCount)))
                LogFailure("creating table", table.name);
        }
        for (const StoredQueryEntry& entry : StoredQueryCatalogue) {
            if (!CreateStoredQuery(entry.name, entry.statement))
                LogFailure("storing query", entry.name);
        }
        // The fills log their own failures; the file is complete without the rows that failed.
        FillLookupGenre();
        FillLookupMaritalStatus();
        FillLookupMovieRating();
        FillLookupTimeZone();
        FillLookupSubGenre();
        FillLookupRadioGenre();
        if (!CloseCatalogConnection())
            return false;
    } catch (const _com_error& error) {
        LogFailure("creating", path, error.Error());
        return false;
    }
    return true;
}

bool _ADODatabaseHelper::CreateCatalog(LPCTSTR path)
{
    m_pCatalog.Attach(nullptr);
    CString version = ReadRegistryValue("", "CurVer", "HKEY_CLASSES_ROOT\\ADOX.Catalog\\");
    version.MakeUpper();
    version.Replace("ADOX.CATALOG.", "");
    const int dot = version.Find('.');
    const int major = std::atoi(dot < 0 ? version.GetString() : version.Left(dot).GetString());
    const int minor = dot < 0 ? 0 : std::atoi(version.Mid(dot + 1));
    if (major < kMinimumCatalogMajor || (major == kMinimumCatalogMajor && minor < kMinimumCatalogMinor)) {
        AfxMessageBox(IDS_ADOX_VERSION_TOO_OLD, MB_OK);
        return false;
    }
    try {
        _CatalogPtr catalog;
        Check(catalog.CreateInstance(CLSID_Catalog, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER));
        _variant_t connection;
        Check(catalog->Create(_bstr_t((CString(kCatalogProvider) + path).GetString()), &connection));
        m_pCatalog = catalog;
    } catch (const _com_error& error) {
        LogFailure("creating the database", path, error.Error());
        return false;
    }
    return true;
}

bool _ADODatabaseHelper::CreateTable(LPCTSTR name, const SchemaField* fields, int count)
{
    if (m_pCatalog == nullptr || fields == nullptr)
        return false;
    try {
        _TablePtr table;
        Check(table.CreateInstance(CLSID_Table));
        _IndexPtr index;
        Check(index.CreateInstance(CLSID_Index));
        Check(table->put_Name(_bstr_t(name)));
        // With its catalog set, the table's columns take provider properties before it is appended.
        Check(table->putref_ParentCatalog(m_pCatalog));
        ColumnsPtr columns;
        Check(table->get_Columns(&columns));
        for (int i = 0; i < count; ++i) {
            AppendFieldColumn(columns, fields[i]);
            if (IsKey(fields[i]))
                CreateIndex(table, index, fields, i);
        }
        AppendListedIndexes(table, name);
        TablesPtr tables;
        Check(m_pCatalog->get_Tables(&tables));
        Check(tables->Append(_variant_t(static_cast<IDispatch*>(table.GetInterfacePtr()))));
    } catch (const _com_error& error) {
        LogFailure("creating table", name, error.Error());
        return false;
    }
    return true;
}

void _ADODatabaseHelper::CreateIndex(_Table* table, _Index* index, const SchemaField* fields, int keyPosition)
{
    if (table == nullptr || index == nullptr || fields == nullptr)
        return;
    const SchemaField& key = fields[keyPosition];
    try {
        Check(index->put_Name(_bstr_t("NumIndex")));
        ColumnsPtr indexColumns;
        Check(index->get_Columns(&indexColumns));
        Check(indexColumns->Append(Name(key.name), AdoxTypeOf(key.typeWord), 0));
        Check(index->put_PrimaryKey(VARIANT_TRUE));
        Check(index->put_Unique(VARIANT_TRUE));
        IndexesPtr indexes;
        Check(table->get_Indexes(&indexes));
        Check(indexes->Append(_variant_t(static_cast<IDispatch*>(index)), _variant_t()));
        Check(indexes->Append(Name("TextIndex"), Name(key.name)));
    } catch (const _com_error& error) {
        LogFailure("indexing", key.name, error.Error());
    }
}

bool _ADODatabaseHelper::CreateStoredQuery(LPCTSTR name, LPCTSTR statement)
{
    if (m_pCatalog == nullptr)
        return false;
    try {
        _CommandPtr command;
        Check(command.CreateInstance(CLSID_Command));
        Check(command->put_CommandText(_bstr_t(statement != nullptr ? statement : "")));
        ProceduresPtr procedures;
        Check(m_pCatalog->get_Procedures(&procedures));
        Check(procedures->Append(_bstr_t(name != nullptr ? name : ""), command));
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool _ADODatabaseHelper::FillLookup(const char* tableName)
{
    const LookupTable* rows = nullptr;
    for (const LookupTable& table : LookupRowTables) {
        if (std::strcmp(table.tableName, tableName) == 0)
            rows = &table;
    }
    if (rows == nullptr || m_pCatalog == nullptr)
        return false;
    try {
        _variant_t connection;
        Check(m_pCatalog->get_ActiveConnection(&connection));
        _RecordsetPtr recordset;
        Check(recordset.CreateInstance(CLSID_Recordset));
        Check(recordset->Open(Name(tableName), connection, adOpenKeyset, adLockOptimistic, adCmdTable));
        VARIANT missing;
        VariantInit(&missing);
        missing.vt = VT_ERROR;
        missing.scode = DISP_E_PARAMNOTFOUND;
        FieldsPtr fields;
        Check(recordset->get_Fields(&fields));
        for (std::size_t row = 0; row < rows->rowCount; ++row) {
            Check(recordset->AddNew(missing, missing));
            for (std::size_t column = 0; column < rows->columnCount; ++column) {
                FieldPtr field;
                Check(fields->get_Item(_variant_t(static_cast<LONG>(column)), &field));
                Check(field->put_Value(_variant_t(rows->Value(row, column))));
            }
            Check(recordset->Update(missing, missing));
        }
        recordset->Close();
    } catch (const _com_error& error) {
        LogFailure("filling", tableName, error.Error());
        return false;
    }
    return true;
}

bool _ADODatabaseHelper::FillLookupGenre() { return FillLookup("tLookupGenre"); }
bool _ADODatabaseHelper::FillLookupMaritalStatus() { return FillLookup("tLookupMaritalStatus"); }
bool _ADODatabaseHelper::FillLookupMovieRating() { return FillLookup("tLookupMovieRating"); }
bool _ADODatabaseHelper::FillLookupTimeZone() { return FillLookup("tLookupTimeZone"); }
bool _ADODatabaseHelper::FillLookupSubGenre() { return FillLookup("tLookupSubGenre"); }
bool _ADODatabaseHelper::FillLookupRadioGenre() { return FillLookup("tLookupRadioGenre"); }

bool _ADODatabaseHelper::CloseCatalogConnection()
{
    if (m_pCatalog == nullptr)
        return false;
    _variant_t active;
    Check(m_pCatalog->get_ActiveConnection(&active));
    _ConnectionPtr connection(active);
    if (connection == nullptr)
        return false;
    Check(connection->Close());
    return true;
}

bool _ADODatabaseHelper::UpgradeLibraryDatabase(LPCTSTR path)
{
    m_pCatalog.Attach(nullptr);
    try {
        _CatalogPtr catalog;
        Check(catalog.CreateInstance(CLSID_Catalog, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER));
        Check(catalog->put_ActiveConnection(_variant_t((CString(kCatalogProvider) + (path != nullptr ? path : "")).GetString())));
        m_pCatalog = catalog;
    } catch (const _com_error& error) {
        LogFailure("opening for the upgrade", path, error.Error());
        return false; // every look-up would fail: nothing can be renewed
    }

    for (std::size_t i = 0; i < StoredQueryCatalogue.size(); ++i) {
        if (IsLeftOutOfUpgrade(i))
            continue;
        const StoredQueryEntry& entry = StoredQueryCatalogue[i];
        QueryPlace place = QueryPlace::Procedures;
        if (EnsureStoredQuery(entry.name, entry.statement, entry.date, &place)
            && !ReplaceStoredQuery(entry.name, entry.statement, place))
            LogFailure("renewing query", entry.name);
    }

    for (const SchemaTable& table : LibrarySchemaTable) {
        TablesPtr tables;
        _TablePtr found;
        HRESULT lookUp = FAILED(m_pCatalog->get_Tables(&tables)) ? E_FAIL : tables->get_Item(Name(table.name), &found);
        if (FAILED(lookUp) && lookUp != kItemNotFound) {
            LogFailure("looking up table", table.name, lookUp);
            return false;
        }
        const int count = static_cast<int>(table.fieldCount);
        if (EnsureTable(table.name, table.fields, count, table.schemaDate) && !EnsureColumns(table.name, table.fields, count))
            LogFailure("reconciling the columns of", table.name);
        // After the columns: a column made again loses the indexes on it.
        EnsureIndexes(table.name);
    }

    try {
        return CloseCatalogConnection();
    } catch (const _com_error& error) {
        LogFailure("closing", path, error.Error());
        return false;
    }
}

bool _ADODatabaseHelper::EnsureStoredQuery(LPCTSTR name, LPCTSTR statement, LPCTSTR date, QueryPlace* place)
{
    if (m_pCatalog == nullptr)
        return false;
    try {
        // The provider lists a row query without parameters among the views and every other one among
        // the procedures; a query not at the one place is looked for at the other before it counts as missing.
        for (const QueryPlace at : { QueryPlace::Procedures, QueryPlace::Views }) {
            DATE modified = 0;
            const HRESULT found = StoredQueryDate(m_pCatalog, name, at, modified);
            if (SUCCEEDED(found)) {
                if (place != nullptr)
                    *place = at;
                return IsOlderThan(date, modified);
            }
            if (found != kItemNotFound)
                return false;
        }
    } catch (const _com_error&) {
        return false;
    }
    if (!CreateStoredQuery(name, statement))
        LogFailure("storing query", name);
    return false;
}

bool _ADODatabaseHelper::ReplaceStoredQuery(LPCTSTR name, LPCTSTR statement, QueryPlace place)
{
    if (m_pCatalog == nullptr)
        return false;
    try {
        _CommandPtr command;
        Check(command.CreateInstance(CLSID_Command));
        Check(command->put_CommandText(_bstr_t(statement != nullptr ? statement : "")));
        if (place == QueryPlace::Procedures) {
            ProceduresPtr procedures;
            Check(m_pCatalog->get_Procedures(&procedures));
            ProcedurePtr procedure;
            Check(procedures->get_Item(Name(name), &procedure));
            Check(procedure->putref_Command(command));
        } else {
            ViewsPtr views;
            Check(m_pCatalog->get_Views(&views));
            ViewPtr view;
            Check(views->get_Item(Name(name), &view));
            Check(view->putref_Command(command));
        }
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool _ADODatabaseHelper::EnsureTable(LPCTSTR name, const SchemaField* fields, int count, LPCTSTR schemaDate)
{
    if (m_pCatalog == nullptr)
        return false;
    try {
        TablesPtr tables;
        Check(m_pCatalog->get_Tables(&tables));
        _TablePtr table;
        const HRESULT found = tables->get_Item(Name(name), &table);
        if (found == kItemNotFound || (SUCCEEDED(found) && table == nullptr)) {
            if (!CreateTable(name, fields, count))
                LogFailure("creating table", name);
            return false;
        }
        Check(found);
        _variant_t modified;
        Check(table->get_DateModified(&modified));
        return IsOlderThan(schemaDate, DateOf(modified));
    } catch (const _com_error&) {
        return false;
    }
}

bool _ADODatabaseHelper::EnsureIndexes(LPCTSTR name)
{
    if (m_pCatalog == nullptr || name == nullptr)
        return false;
    try {
        return AppendListedIndexes(TableNamed(m_pCatalog, name), name);
    } catch (const _com_error& error) {
        LogFailure("indexing", name, error.Error());
        return false;
    }
}

bool _ADODatabaseHelper::EnsureColumns(LPCTSTR name, const SchemaField* fields, int count)
{
    if (m_pCatalog == nullptr || fields == nullptr)
        return false;
    try {
        const _TablePtr table = TableNamed(m_pCatalog, name);
        ColumnsPtr columns;
        Check(table->get_Columns(&columns));

        // The names first: deleting and appending reorders the collection.
        std::vector<std::string> names;
        LONG columnCount = 0;
        Check(columns->get_Count(&columnCount));
        for (LONG i = 0; i < columnCount; ++i) {
            _ColumnPtr column;
            Check(columns->get_Item(_variant_t(i), &column));
            BSTR columnName = nullptr;
            Check(column->get_Name(&columnName));
            names.emplace_back(CString(static_cast<LPCWSTR>(columnName)).GetString());
            SysFreeString(columnName);
        }

        std::vector<bool> handled(static_cast<std::size_t>(count), false);
        for (const std::string& columnName : names) {
            const int field = IndexOfField(columnName.c_str(), fields, count);
            if (field < 0) {
                Check(columns->Delete(Name(columnName.c_str())));
                continue;
            }
            handled[static_cast<std::size_t>(field)] = true;
            const SchemaField& wanted = fields[field];
            _ColumnPtr column;
            Check(columns->get_Item(Name(columnName.c_str()), &column));
            DataTypeEnum type = adEmpty;
            Check(column->get_Type(&type));
            LONG size = 0;
            Check(column->get_DefinedSize(&size));
            if (std::strcmp(SchemaTypeNameOf(column, type), wanted.typeWord) != 0 || size != std::atol(wanted.sizeText)) {
                // Made again with everything a new column of the field gets, so counters count and
                // texts take empty values as in a new file.
                column.Attach(nullptr);
                Check(columns->Delete(Name(columnName.c_str())));
                AppendFieldColumn(columns, wanted);
                continue;
            }
            const _variant_t description = ColumnProperty(column, "Description");
            const CString current = description.vt == VT_BSTR ? CString(static_cast<LPCWSTR>(description.bstrVal)) : CString();
            if (current != wanted.description)
                SetColumnProperty(column, "Description", _variant_t(wanted.description));
        }

        for (int i = 0; i < count; ++i) {
            if (handled[static_cast<std::size_t>(i)])
                continue;
            AppendFieldColumn(columns, fields[i]);
            if (IsKey(fields[i])) {
                _IndexPtr index;
                Check(index.CreateInstance(CLSID_Index));
                CreateIndex(table, index, fields, i);
            }
        }
    } catch (const _com_error& error) {
        LogFailure("reconciling the columns of", name, error.Error());
        return false;
    }
    return true;
}

bool _ADODatabaseHelper::EmptyLibrary(LPCTSTR path)
{
    _ADOConnectionHelper connection;
    if (!connection.OpenDatabase(path))
        return false;
    for (const char* table : kTablesToEmpty) {
        if (!connection.DeleteAllRows(table))
            return false; // the later tables keep their rows; the connection closes with its holder
    }
    return connection.Close();
}

bool _ADODatabaseHelper::CompactLibraryDatabase(LPCTSTR source, LPCTSTR destination)
{
    try {
        IJetEnginePtr engine;
        Check(engine.CreateInstance(JRO::CLSID_JetEngine, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER));
        Check(engine->CompactDatabase(_bstr_t(source != nullptr ? source : ""), _bstr_t(destination != nullptr ? destination : "")));
    } catch (const _com_error& error) {
        LogFailure("compacting into", destination, error.Error());
        return false;
    }
    return true;
}

DataTypeEnum _ADODatabaseHelper::AdoxTypeOf(const char* typeWord)
{
    const std::string word = typeWord != nullptr ? typeWord : "";
    if (word == "Text")
        return adVarWChar;
    if (word == "Memo")
        return adLongVarWChar;
    if (word == "Yes/No")
        return adBoolean;
    if (word == "Date/Time")
        return adDate;
    return adInteger;
}

const char* _ADODatabaseHelper::SchemaTypeNameOf(_Column* column, DataTypeEnum type)
{
    switch (type) {
    case adBoolean:
        return "Yes/No";
    case adVarWChar:
        return "Text";
    case adLongVarWChar:
        return "Memo";
    case adDate:
        return "Date/Time";
    case adInteger: {
        if (column == nullptr)
            return "Number";
        try {
            const _variant_t counts = ColumnProperty(column, "AutoIncrement");
            return counts.vt == VT_BOOL && counts.boolVal != VARIANT_FALSE ? "AutoNumber" : "Number";
        } catch (const _com_error&) {
            return "Number";
        }
    }
    default:
        return "Unknown";
    }
}

int _ADODatabaseHelper::ColumnIndexOf(_Table* table, const char* columnName)
{
    if (table == nullptr || columnName == nullptr)
        return -1;
    try {
        ColumnsPtr columns;
        Check(table->get_Columns(&columns));
        LONG count = 0;
        Check(columns->get_Count(&count));
        for (LONG i = 0; i < count; ++i) {
            _ColumnPtr column;
            Check(columns->get_Item(_variant_t(i), &column));
            BSTR name = nullptr;
            Check(column->get_Name(&name));
            const bool equal = CString(static_cast<LPCWSTR>(name)) == columnName;
            SysFreeString(name);
            if (equal)
                return static_cast<int>(i);
        }
    } catch (const _com_error&) {
    }
    return -1;
}

long _ADODatabaseHelper::FieldSizeOf(const char* tableName, const char* fieldName)
{
    if (tableName == nullptr || fieldName == nullptr)
        return 0;
    for (const SchemaTable& table : LibrarySchemaTable) {
        if (!platform::EqualsNoCase(table.name, tableName))
            continue;
        for (std::size_t i = 0; i < table.fieldCount; ++i) {
            if (platform::EqualsNoCase(table.fields[i].name, fieldName))
                return std::atol(table.fields[i].sizeText);
        }
        return 0;
    }
    return 0;
}

int _ADODatabaseHelper::IndexOfField(const char* fieldName, const SchemaField* fields, int count)
{
    if (fieldName == nullptr || fields == nullptr)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].name, fieldName) == 0)
            return i;
    }
    return -1;
}

bool _ADODatabaseHelper::IsOlderThan(const char* dateText, DATE value)
{
    // The text is read at fixed positions; a short text reads as zeros past its end.
    char text[11] {};
    if (dateText != nullptr)
        std::strncpy(text, dateText, sizeof text - 1);
    const auto field = [&text](int first, int length) {
        char part[5] {};
        std::memcpy(part, text + first, static_cast<std::size_t>(length));
        return std::atoi(part);
    };
    const int month = field(0, 2);
    const int day = field(3, 2);
    const int year = field(6, 4);

    SYSTEMTIME stored {};
    if (!VariantTimeToSystemTime(value, &stored))
        return false;
    if (stored.wYear != year)
        return stored.wYear < year;
    if (stored.wMonth != month)
        return stored.wMonth < month;
    return stored.wDay < day;
}
