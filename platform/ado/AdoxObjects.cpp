#include "platform/ado/AdoxObjects.h"

#include "platform/ado/Catalog.h"
#include "platform/ado/Command.h"
#include "platform/ado/ComHelpers.h"
#include "platform/ado/VariantValues.h"
#include "platform/base/CaseFold.h"

#include <algorithm>

namespace platform::ado {

namespace {

const char* const kNotFound = "Item cannot be found in the collection corresponding to the requested name or ordinal.";

HRESULT NotFound() { return SetThreadError(AdoErrorResult(adErrItemNotFound), kNotFound); }

// Hands a catalog out through an [out] pointer (with a reference), or none.
HRESULT CatalogOut(ADOX::_Catalog* catalog, ADOX::_Catalog** out)
{
    if (!out)
        return E_POINTER;
    *out = catalog;
    if (catalog)
        catalog->AddRef();
    return S_OK;
}

// Reads an owner's stored definition and hands 'pick' of it out through 'out'.
template <class Definition, class Owner, class Out, class Pick>
HRESULT ReadOut(Owner& owner, Out* out, Pick pick)
{
    if (!out)
        return E_POINTER;
    Definition definition;
    const HRESULT hr = owner.Read(definition);
    if (SUCCEEDED(hr))
        *out = pick(definition);
    return hr;
}

// Reads an owner's stored definition, lets 'change' edit it and writes it back; nothing is written
// when the read fails.
template <class Definition, class Owner, class Change, class... WriteOptions>
HRESULT ReadChangeWrite(Owner& owner, Change change, WriteOptions... options)
{
    Definition definition;
    const HRESULT hr = owner.Read(definition);
    if (FAILED(hr))
        return hr;
    change(definition);
    return owner.Write(definition, options...);
}

HRESULT DateVariant(double date, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    if (date == 0) {
        out->vt = VT_NULL;
        return S_OK;
    }
    out->vt = VT_DATE;
    out->date = date;
    return S_OK;
}

template <class List, class Name>
LONG FindByName(const List& list, const std::string& name, Name nameOf)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (EqualsNoCase(nameOf(list[i]), name))
            return static_cast<LONG>(i);
    return -1;
}

// The column names an Indexes.Append names: one text, or an array of texts.
HRESULT ColumnNames(const VARIANT& columns, std::vector<std::string>& names)
{
    const VARIANT* v = &columns;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    if (v->vt == VT_BSTR) {
        names.push_back(TextOfBstr(v->bstrVal));
        return S_OK;
    }
    if (IsMissing(*v))
        return S_OK;
    if ((v->vt & VT_ARRAY) == 0 || !v->parray)
        return E_INVALIDARG;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(v->parray, 1, &lower);
    SafeArrayGetUBound(v->parray, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        CComVariant element;
        if ((v->vt & VT_TYPEMASK) == VT_BSTR) {
            BSTR text = nullptr;
            if (FAILED(SafeArrayGetElement(v->parray, &i, &text)))
                return E_INVALIDARG;
            element.vt = VT_BSTR;
            element.bstrVal = text;
        } else if (FAILED(SafeArrayGetElement(v->parray, &i, &element)) || element.vt != VT_BSTR) {
            return E_INVALIDARG;
        }
        names.push_back(TextOfBstr(element.bstrVal));
    }
    return S_OK;
}

} // namespace

HRESULT CommandTextOf(IUnknown* command, std::string& text)
{
    CComPtr<_Command> typed;
    if (!command || FAILED(command->QueryInterface(platform::IidOf<_Command>(), reinterpret_cast<void**>(&typed))))
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The object is not a command.");
    CComBSTR statement;
    const HRESULT hr = typed->get_CommandText(&statement);
    if (FAILED(hr))
        return hr;
    text = TextOfBstr(statement);
    return S_OK;
}

// ---- CTable

void CTable::Bind(CCatalog* catalog, TableDefinition definition)
{
    m_catalog = catalog;
    m_catalogHolder = static_cast<ADOX::_Catalog*>(catalog);
    m_definition = std::move(definition);
}

HRESULT CTable::Load(TableDefinition& definition)
{
    if (!m_catalog) {
        definition = m_definition;
        return S_OK;
    }
    bool found = true;
    const HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) {
        const auto loaded = store.LoadTable(m_definition.name);
        if (loaded)
            m_definition = *loaded;
        found = loaded.has_value();
    });
    if (FAILED(hr))
        return hr;
    if (!found)
        return NotFound();
    definition = m_definition;
    return S_OK;
}

HRESULT CTable::Store(const TableDefinition& definition)
{
    if (!m_catalog) {
        m_definition = definition;
        return S_OK;
    }
    const HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) { store.AlterTable(m_definition.name, definition); });
    if (FAILED(hr))
        return hr;
    TableDefinition reloaded;
    return Load(reloaded);
}

HRESULT CTable::StoreColumnMetadata(const ColumnDefinition& column)
{
    if (!m_catalog) {
        for (auto& c : m_definition.columns)
            if (EqualsNoCase(c.name, column.name))
                c = column;
        return S_OK;
    }
    const HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) { store.SetColumnMetadata(m_definition.name, column); });
    if (FAILED(hr))
        return hr;
    TableDefinition reloaded;
    return Load(reloaded);
}

HRESULT CTable::get_Columns(ADOX::Columns** ppvObject)
{
    return MakeAndHandOut<CColumns>(ppvObject, [&](CColumns& columns) { columns.InitForTable(this); });
}

HRESULT CTable::get_Name(BSTR* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = AllocBstr(m_definition.name);
    return S_OK;
}

HRESULT CTable::put_Name(BSTR pVal)
{
    if (m_catalog)
        return SetThreadError(AdoErrorResult(adErrIllegalOperation), "A table of a catalog cannot be renamed.");
    m_definition.name = TextOfBstr(pVal);
    return S_OK;
}

HRESULT CTable::get_Type(BSTR* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = AllocBstr("TABLE");
    return S_OK;
}

HRESULT CTable::get_Indexes(ADOX::Indexes** ppvObject)
{
    return MakeAndHandOut<CIndexes>(ppvObject, [&](CIndexes& indexes) { indexes.Init(this); });
}

HRESULT CTable::get_Properties(ADOX::Properties** ppvObject)
{
    return MakeAndHandOut<CProperties>(ppvObject, [&](CProperties& properties) { properties.Init(nullptr); });
}

HRESULT CTable::get_DateCreated(VARIANT* pVal)
{
    TableDefinition definition;
    const HRESULT hr = Load(definition);
    return FAILED(hr) ? hr : DateVariant(definition.created, pVal);
}

HRESULT CTable::get_DateModified(VARIANT* pVal)
{
    TableDefinition definition;
    const HRESULT hr = Load(definition);
    return FAILED(hr) ? hr : DateVariant(definition.modified, pVal);
}

HRESULT CTable::get_ParentCatalog(ADOX::_Catalog** ppvObject)
{
    return CatalogOut(m_catalogHolder ? m_catalogHolder : m_parentCatalog, ppvObject);
}

HRESULT CTable::put_ParentCatalog(ADOX::_Catalog* ppvObject)
{
    m_parentCatalog = ppvObject;
    return S_OK;
}

HRESULT CTable::putref_ParentCatalog(ADOX::_Catalog* ppvObject) { return put_ParentCatalog(ppvObject); }

// ---- CTables

void CTables::Init(CCatalog* catalog)
{
    m_catalog = catalog;
    m_holder = static_cast<ADOX::_Catalog*>(catalog);
}

HRESULT CTables::Find(const VARIANT& item, std::string& name)
{
    std::vector<std::string> names;
    HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) { names = store.TableNames(); });
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(item, static_cast<LONG>(names.size()),
        [&](const std::string& wanted) { return FindByName(names, wanted, [](const std::string& n) { return n; }); }, position);
    if (FAILED(hr))
        return NotFound();
    name = names[static_cast<size_t>(position)];
    return S_OK;
}

HRESULT CTables::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    std::vector<std::string> names;
    const HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) { names = store.TableNames(); });
    if (SUCCEEDED(hr))
        *c = static_cast<LONG>(names.size());
    return hr;
}

HRESULT CTables::get_Item(VARIANT Item, ADOX::_Table** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    std::string name;
    HRESULT hr = Find(Item, name);
    if (FAILED(hr))
        return hr;
    TableDefinition definition;
    hr = m_catalog->WithStore([&](CatalogStore& store) { definition = store.LoadTable(name).value_or(TableDefinition {}); });
    if (FAILED(hr))
        return hr;
    return MakeAndHandOut<CTable>(ppvObject, [&](CTable& table) { table.Bind(m_catalog, std::move(definition)); });
}

HRESULT CTables::Append(VARIANT Item)
{
    const VARIANT* item = &Item;
    while (item->vt == (VT_BYREF | VT_VARIANT) && item->pvarVal)
        item = item->pvarVal;
    CComPtr<ADOX::_Table> typed;
    if ((item->vt != VT_DISPATCH && item->vt != VT_UNKNOWN) || !item->punkVal
        || FAILED(item->punkVal->QueryInterface(platform::IidOf<ADOX::_Table>(), reinterpret_cast<void**>(&typed))))
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "Only a table object with its columns can be appended.");
    auto* table = static_cast<CTable*>(static_cast<ADOX::_Table*>(typed));
    if (table->IsBound())
        return SetThreadError(AdoErrorResult(adErrObjectOpen), "The table already belongs to a catalog.");
    TableDefinition definition;
    table->Load(definition);
    HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) {
        store.CreateTable(definition);
        definition = *store.LoadTable(definition.name);
    });
    if (FAILED(hr))
        return hr;
    table->Bind(m_catalog, std::move(definition));
    return S_OK;
}

HRESULT CTables::Delete(VARIANT Item)
{
    std::string name;
    const HRESULT hr = Find(Item, name);
    if (FAILED(hr))
        return hr;
    return m_catalog->WithStore([&](CatalogStore& store) { store.DropTable(name); });
}

// ---- CColumn

void CColumn::Bind(CTable* table, std::string name)
{
    m_table = table;
    m_tableHolder = static_cast<ADOX::_Table*>(table);
    m_name = std::move(name);
}

HRESULT CColumn::Read(ColumnDefinition& column)
{
    if (!m_table) {
        column = m_own;
        return S_OK;
    }
    TableDefinition definition;
    const HRESULT hr = m_table->Load(definition);
    if (FAILED(hr))
        return hr;
    const LONG position = FindByName(definition.columns, m_name, [](const ColumnDefinition& c) { return c.name; });
    if (position < 0)
        return NotFound();
    column = definition.columns[static_cast<size_t>(position)];
    return S_OK;
}

HRESULT CColumn::Write(const ColumnDefinition& column, bool structural)
{
    if (!m_table) {
        m_own = column;
        return S_OK;
    }
    if (!structural)
        return m_table->StoreColumnMetadata(column);
    TableDefinition definition;
    HRESULT hr = m_table->Load(definition);
    if (FAILED(hr))
        return hr;
    const LONG position = FindByName(definition.columns, m_name, [](const ColumnDefinition& c) { return c.name; });
    if (position < 0)
        return NotFound();
    definition.columns[static_cast<size_t>(position)] = column;
    return m_table->Store(definition);
}

HRESULT CColumn::get_Name(BSTR* pVal)
{
    return ReadOut<ColumnDefinition>(
        *this, pVal, [](const ColumnDefinition& column) { return AllocBstr(column.name); });
}

HRESULT CColumn::put_Name(BSTR pVal)
{
    if (m_table)
        return SetThreadError(AdoErrorResult(adErrIllegalOperation), "A column of a table cannot be renamed.");
    m_own.name = TextOfBstr(pVal);
    return S_OK;
}

HRESULT CColumn::get_Attributes(ADOX::ColumnAttributesEnum* pVal)
{
    return ReadOut<ColumnDefinition>(*this, pVal, [](const ColumnDefinition& column) {
        return column.type.type == adBoolean ? ADOX::adColFixed : ADOX::adColNullable;
    });
}

HRESULT CColumn::put_Attributes(ADOX::ColumnAttributesEnum) { return S_OK; }

HRESULT CColumn::get_DefinedSize(LONG* pVal)
{
    return ReadOut<ColumnDefinition>(
        *this, pVal, [](const ColumnDefinition& column) { return column.type.definedSize; });
}

HRESULT CColumn::put_DefinedSize(LONG DefinedSize)
{
    return ReadChangeWrite<ColumnDefinition>(
        *this, [&](ColumnDefinition& column) { column.type.definedSize = DefinedSize; }, true);
}

HRESULT CColumn::get_Type(DataTypeEnum* pVal)
{
    return ReadOut<ColumnDefinition>(*this, pVal, [](const ColumnDefinition& column) { return column.type.type; });
}

HRESULT CColumn::put_Type(DataTypeEnum pVal)
{
    return ReadChangeWrite<ColumnDefinition>(
        *this, [&](ColumnDefinition& column) { column.type.type = pVal; }, true);
}

HRESULT CColumn::get_ParentCatalog(ADOX::_Catalog** ppvObject)
{
    return CatalogOut(m_parentCatalog, ppvObject);
}

HRESULT CColumn::put_ParentCatalog(ADOX::_Catalog* ppvObject)
{
    m_parentCatalog = ppvObject;
    return S_OK;
}

HRESULT CColumn::putref_ParentCatalog(ADOX::_Catalog* ppvObject) { return put_ParentCatalog(ppvObject); }

HRESULT CColumn::get_Properties(ADOX::Properties** ppvObject)
{
    return MakeAndHandOut<CProperties>(ppvObject, [&](CProperties& properties) { properties.Init(this); });
}

// ---- CColumns

void CColumns::InitForTable(CTable* table)
{
    m_table = table;
    m_holder = static_cast<ADOX::_Table*>(table);
}

void CColumns::InitForIndex(CIndex* index)
{
    m_index = index;
    m_holder = static_cast<ADOX::_Index*>(index);
}

HRESULT CColumns::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    if (m_index)
        return ReadOut<IndexDefinition>(
            *m_index, c, [](const IndexDefinition& index) { return static_cast<LONG>(index.columns.size()); });
    TableDefinition table;
    const HRESULT hr = m_table->Load(table);
    if (SUCCEEDED(hr))
        *c = static_cast<LONG>(table.columns.size());
    return hr;
}

HRESULT CColumns::get_Item(VARIANT Item, ADOX::_Column** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    std::vector<std::string> names;
    HRESULT hr = S_OK;
    if (m_index) {
        IndexDefinition index;
        hr = m_index->Read(index);
        names = index.columns;
    } else {
        TableDefinition table;
        hr = m_table->Load(table);
        for (const auto& column : table.columns)
            names.push_back(column.name);
    }
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(Item, static_cast<LONG>(names.size()),
        [&](const std::string& wanted) { return FindByName(names, wanted, [](const std::string& n) { return n; }); }, position);
    if (FAILED(hr))
        return NotFound();
    CComObject<CColumn>* column = nullptr;
    hr = MakeObject(&column);
    if (FAILED(hr))
        return hr;
    if (m_index) {
        ColumnDefinition named;
        named.name = names[static_cast<size_t>(position)];
        column->Define(named);
    } else {
        column->Bind(m_table, names[static_cast<size_t>(position)]);
    }
    return HandOut(column, ppvObject);
}

HRESULT CColumns::Append(VARIANT Item, DataTypeEnum Type, LONG DefinedSize)
{
    const VARIANT* item = &Item;
    while (item->vt == (VT_BYREF | VT_VARIANT) && item->pvarVal)
        item = item->pvarVal;
    ColumnDefinition column;
    if (item->vt == VT_BSTR) {
        column.name = TextOfBstr(item->bstrVal);
        column.type = { Type == adEmpty ? adVarWChar : Type, DefinedSize };
    } else if ((item->vt == VT_DISPATCH || item->vt == VT_UNKNOWN) && item->punkVal) {
        CComPtr<IDefinitionAccess> access;
        if (FAILED(item->punkVal->QueryInterface(platform::IidOf<IDefinitionAccess>(), reinterpret_cast<void**>(&access)))
            || FAILED(access->ColumnDefinitionOf(column)))
            return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The object is not a column of this library.");
    } else {
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "A column name or column object was expected.");
    }
    if (column.name.empty())
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "A column needs a name.");
    if (m_index) {
        IndexDefinition index;
        HRESULT hr = m_index->Read(index);
        if (FAILED(hr))
            return hr;
        index.columns.push_back(column.name);
        return m_index->Write(index);
    }
    TableDefinition table;
    HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    if (FindByName(table.columns, column.name, [](const ColumnDefinition& c) { return c.name; }) >= 0)
        return SetThreadError(AdoErrorResult(adErrIllegalOperation), "The table already has a column '" + column.name + "'.");
    table.columns.push_back(column);
    return m_table->Store(table);
}

HRESULT CColumns::Delete(VARIANT Item)
{
    if (m_index) {
        IndexDefinition index;
        HRESULT hr = m_index->Read(index);
        if (FAILED(hr))
            return hr;
        LONG position = 0;
        hr = ResolveIndex(Item, static_cast<LONG>(index.columns.size()),
            [&](const std::string& wanted) { return FindByName(index.columns, wanted, [](const std::string& n) { return n; }); }, position);
        if (FAILED(hr))
            return NotFound();
        index.columns.erase(index.columns.begin() + position);
        return m_index->Write(index);
    }
    TableDefinition table;
    HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(Item, static_cast<LONG>(table.columns.size()),
        [&](const std::string& wanted) { return FindByName(table.columns, wanted, [](const ColumnDefinition& c) { return c.name; }); },
        position);
    if (FAILED(hr))
        return NotFound();
    const std::string name = table.columns[static_cast<size_t>(position)].name;
    table.columns.erase(table.columns.begin() + position);
    // The indexes on the column go with it.
    std::erase_if(table.indexes, [&](const IndexDefinition& index) {
        return std::any_of(index.columns.begin(), index.columns.end(), [&](const std::string& c) { return EqualsNoCase(c, name); });
    });
    return m_table->Store(table);
}

// ---- CProperty and CProperties

namespace {

struct PropertyInfo {
    const char* name;
    VARTYPE vt;
};

constexpr PropertyInfo kColumnProperties[] = {
    { "AutoIncrement", VT_BOOL },
    { "Description", VT_BSTR },
    { "Jet OLEDB:Allow Zero Length", VT_BOOL },
    { "Nullable", VT_BOOL },
};

} // namespace

void CProperty::Init(CColumn* column, size_t which)
{
    m_column = column;
    m_holder = static_cast<ADOX::_Column*>(column);
    m_which = which;
}

HRESULT CProperty::get_Value(VARIANT* pval)
{
    if (!pval)
        return E_POINTER;
    VariantInit(pval);
    ColumnDefinition column;
    const HRESULT hr = m_column->Read(column);
    if (FAILED(hr))
        return hr;
    switch (m_which) {
    case 0:
        pval->vt = VT_BOOL;
        pval->boolVal = column.autoIncrement ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case 1:
        pval->vt = VT_BSTR;
        pval->bstrVal = AllocBstr(column.description);
        break;
    case 2:
        pval->vt = VT_BOOL;
        pval->boolVal = column.allowZeroLength ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        pval->vt = VT_BOOL;
        pval->boolVal = column.type.type == adBoolean ? VARIANT_FALSE : VARIANT_TRUE;
        break;
    }
    return S_OK;
}

HRESULT CProperty::put_Value(VARIANT val)
{
    ColumnDefinition column;
    HRESULT hr = m_column->Read(column);
    if (FAILED(hr))
        return hr;
    CComVariant converted;
    if (FAILED(VariantChangeType(&converted, &val, 0, kColumnProperties[m_which].vt)))
        return SetThreadError(AdoErrorResult(adErrDataConversion), "The value does not suit the property.");
    switch (m_which) {
    case 0:
        column.autoIncrement = converted.boolVal != VARIANT_FALSE;
        return m_column->Write(column, true);
    case 1:
        column.description = TextOfBstr(converted.bstrVal);
        return m_column->Write(column, false);
    case 2:
        column.allowZeroLength = converted.boolVal != VARIANT_FALSE;
        return m_column->Write(column, false);
    default:
        return S_OK;
    }
}

HRESULT CProperty::get_Name(BSTR* pbstr)
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = AllocBstr(kColumnProperties[m_which].name);
    return S_OK;
}

HRESULT CProperty::get_Type(DataTypeEnum* ptype)
{
    if (!ptype)
        return E_POINTER;
    *ptype = kColumnProperties[m_which].vt == VT_BOOL ? adBoolean : adBSTR;
    return S_OK;
}

HRESULT CProperty::get_Attributes(LONG* plAttributes)
{
    if (!plAttributes)
        return E_POINTER;
    *plAttributes = 0;
    return S_OK;
}

void CProperties::Init(CColumn* column)
{
    m_column = column;
    if (column)
        m_holder = static_cast<ADOX::_Column*>(column);
}

HRESULT CProperties::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    *c = m_column ? static_cast<LONG>(std::size(kColumnProperties)) : 0;
    return S_OK;
}

HRESULT CProperties::get_Item(VARIANT Item, ADOX::Property** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    const LONG count = m_column ? static_cast<LONG>(std::size(kColumnProperties)) : 0;
    LONG position = 0;
    HRESULT hr = ResolveIndex(Item, count,
        [](const std::string& wanted) {
            for (size_t i = 0; i < std::size(kColumnProperties); ++i)
                if (EqualsNoCase(kColumnProperties[i].name, wanted))
                    return static_cast<LONG>(i);
            return LONG { -1 };
        },
        position);
    if (FAILED(hr))
        return NotFound();
    return MakeAndHandOut<CProperty>(
        ppvObject, [&](CProperty& property) { property.Init(m_column, static_cast<size_t>(position)); });
}

// ---- CIndex and CIndexes

void CIndex::Bind(CTable* table, std::string name)
{
    m_table = table;
    m_tableHolder = static_cast<ADOX::_Table*>(table);
    m_name = std::move(name);
}

HRESULT CIndex::Read(IndexDefinition& index)
{
    if (!m_table) {
        index = m_own;
        return S_OK;
    }
    TableDefinition table;
    const HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    const LONG position = FindByName(table.indexes, m_name, [](const IndexDefinition& i) { return i.name; });
    if (position < 0)
        return NotFound();
    index = table.indexes[static_cast<size_t>(position)];
    return S_OK;
}

HRESULT CIndex::Write(const IndexDefinition& index)
{
    if (!m_table) {
        m_own = index;
        return S_OK;
    }
    TableDefinition table;
    HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    const LONG position = FindByName(table.indexes, m_name, [](const IndexDefinition& i) { return i.name; });
    if (position < 0)
        return NotFound();
    table.indexes[static_cast<size_t>(position)] = index;
    return m_table->Store(table);
}

HRESULT CIndex::get_Name(BSTR* pVal)
{
    return ReadOut<IndexDefinition>(*this, pVal, [](const IndexDefinition& index) { return AllocBstr(index.name); });
}

HRESULT CIndex::put_Name(BSTR pVal)
{
    if (m_table)
        return SetThreadError(AdoErrorResult(adErrIllegalOperation), "An index of a table cannot be renamed.");
    m_own.name = TextOfBstr(pVal);
    return S_OK;
}

HRESULT CIndex::get_PrimaryKey(VARIANT_BOOL* pVal)
{
    return ReadOut<IndexDefinition>(
        *this, pVal, [](const IndexDefinition& index) { return index.primaryKey ? VARIANT_TRUE : VARIANT_FALSE; });
}

HRESULT CIndex::put_PrimaryKey(VARIANT_BOOL pVal)
{
    return ReadChangeWrite<IndexDefinition>(
        *this, [&](IndexDefinition& index) { index.primaryKey = pVal != VARIANT_FALSE; });
}

HRESULT CIndex::get_Unique(VARIANT_BOOL* pVal)
{
    return ReadOut<IndexDefinition>(
        *this, pVal, [](const IndexDefinition& index) { return index.unique ? VARIANT_TRUE : VARIANT_FALSE; });
}

HRESULT CIndex::put_Unique(VARIANT_BOOL pVal)
{
    return ReadChangeWrite<IndexDefinition>(
        *this, [&](IndexDefinition& index) { index.unique = pVal != VARIANT_FALSE; });
}

HRESULT CIndex::get_Columns(ADOX::Columns** ppvObject)
{
    return MakeAndHandOut<CColumns>(ppvObject, [&](CColumns& columns) { columns.InitForIndex(this); });
}

void CIndexes::Init(CTable* table)
{
    m_table = table;
    m_holder = static_cast<ADOX::_Table*>(table);
}

HRESULT CIndexes::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    TableDefinition table;
    const HRESULT hr = m_table->Load(table);
    if (SUCCEEDED(hr))
        *c = static_cast<LONG>(table.indexes.size());
    return hr;
}

HRESULT CIndexes::get_Item(VARIANT Item, ADOX::_Index** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    TableDefinition table;
    HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(Item, static_cast<LONG>(table.indexes.size()),
        [&](const std::string& wanted) { return FindByName(table.indexes, wanted, [](const IndexDefinition& i) { return i.name; }); },
        position);
    if (FAILED(hr))
        return NotFound();
    return MakeAndHandOut<CIndex>(
        ppvObject, [&](CIndex& index) { index.Bind(m_table, table.indexes[static_cast<size_t>(position)].name); });
}

HRESULT CIndexes::Append(VARIANT Item, VARIANT columns)
{
    const VARIANT* item = &Item;
    while (item->vt == (VT_BYREF | VT_VARIANT) && item->pvarVal)
        item = item->pvarVal;
    IndexDefinition index;
    if (item->vt == VT_BSTR) {
        index.name = TextOfBstr(item->bstrVal);
    } else if ((item->vt == VT_DISPATCH || item->vt == VT_UNKNOWN) && item->punkVal) {
        CComPtr<IDefinitionAccess> access;
        if (FAILED(item->punkVal->QueryInterface(platform::IidOf<IDefinitionAccess>(), reinterpret_cast<void**>(&access)))
            || FAILED(access->IndexDefinitionOf(index)))
            return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The object is not an index of this library.");
    } else {
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "An index name or index object was expected.");
    }
    if (FAILED(ColumnNames(columns, index.columns)))
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The index's columns are not valid.");
    TableDefinition table;
    HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    if (index.name.empty() || index.columns.empty())
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "An index needs a name and at least one column.");
    if (FindByName(table.indexes, index.name, [](const IndexDefinition& i) { return i.name; }) >= 0)
        return SetThreadError(AdoErrorResult(adErrIllegalOperation), "The table already has an index '" + index.name + "'.");
    for (const auto& column : index.columns)
        if (FindByName(table.columns, column, [](const ColumnDefinition& c) { return c.name; }) < 0)
            return SetThreadError(AdoErrorResult(adErrItemNotFound), "The index names a column '" + column + "' the table does not have.");
    table.indexes.push_back(index);
    return m_table->Store(table);
}

HRESULT CIndexes::Delete(VARIANT Item)
{
    TableDefinition table;
    HRESULT hr = m_table->Load(table);
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(Item, static_cast<LONG>(table.indexes.size()),
        [&](const std::string& wanted) { return FindByName(table.indexes, wanted, [](const IndexDefinition& i) { return i.name; }); },
        position);
    if (FAILED(hr))
        return NotFound();
    table.indexes.erase(table.indexes.begin() + position);
    return m_table->Store(table);
}

// ---- CProcedure and CProcedures

void CProcedure::Init(CCatalog* catalog, std::string name)
{
    m_catalog = catalog;
    m_holder = static_cast<ADOX::_Catalog*>(catalog);
    m_name = std::move(name);
}

HRESULT CProcedure::Find(StoredQuery& query)
{
    bool found = false;
    const HRESULT hr = m_catalog->WithStore([&](CatalogStore& store) {
        if (auto q = store.FindQuery(m_name)) {
            query = *q;
            found = true;
        }
    });
    if (FAILED(hr))
        return hr;
    return found ? S_OK : NotFound();
}

HRESULT CProcedure::get_Command(VARIANT* pVar)
{
    if (!pVar)
        return E_POINTER;
    VariantInit(pVar);
    StoredQuery query;
    HRESULT hr = Find(query);
    if (FAILED(hr))
        return hr;
    CComObject<CCommand>* command = nullptr;
    hr = MakeObject(&command);
    if (FAILED(hr))
        return hr;
    CComPtr<_Command> holder(command);
    CComBSTR text(Utf8ToUtf16(query.statement).c_str());
    command->put_CommandText(text);
    command->put_CommandType(adCmdText);
    if (IUnknown* connection = m_catalog->ConnectionObject()) {
        CComPtr<_Connection> typed;
        if (SUCCEEDED(connection->QueryInterface(platform::IidOf<_Connection>(), reinterpret_cast<void**>(&typed))))
            command->putref_ActiveConnection(typed);
    }
    return DispatchVariant(holder, pVar);
}

HRESULT CProcedure::put_Command(VARIANT pVar)
{
    const VARIANT* value = &pVar;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt != VT_DISPATCH && value->vt != VT_UNKNOWN)
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "A command object was expected.");
    return putref_Command(static_cast<IDispatch*>(value->pdispVal));
}

HRESULT CProcedure::putref_Command(IDispatch* pVar)
{
    std::string text;
    const HRESULT hr = CommandTextOf(pVar, text);
    if (FAILED(hr))
        return hr;
    return m_catalog->WithStore([&](CatalogStore& store) { store.ReplaceQuery(m_name, text); });
}

HRESULT CProcedure::get_Name(BSTR* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = AllocBstr(m_name);
    return S_OK;
}

HRESULT CProcedure::get_DateCreated(VARIANT* pVal)
{
    StoredQuery query;
    const HRESULT hr = Find(query);
    return FAILED(hr) ? hr : DateVariant(query.created, pVal);
}

HRESULT CProcedure::get_DateModified(VARIANT* pVal)
{
    StoredQuery query;
    const HRESULT hr = Find(query);
    return FAILED(hr) ? hr : DateVariant(query.modified, pVal);
}

void CProcedures::Init(CCatalog* catalog, bool views)
{
    m_catalog = catalog;
    m_holder = static_cast<ADOX::_Catalog*>(catalog);
    m_views = views;
}

HRESULT CProcedures::Names(std::vector<std::string>& names)
{
    names.clear();
    return m_catalog->WithStore([&](CatalogStore& store) {
        for (const auto& query : store.Queries(m_views))
            names.push_back(query.name);
    });
}

HRESULT CProcedures::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    std::vector<std::string> names;
    const HRESULT hr = Names(names);
    if (SUCCEEDED(hr))
        *c = static_cast<LONG>(names.size());
    return hr;
}

HRESULT CProcedures::get_Item(VARIANT Item, ADOX::Procedure** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    std::vector<std::string> names;
    HRESULT hr = Names(names);
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(Item, static_cast<LONG>(names.size()),
        [&](const std::string& wanted) { return FindByName(names, wanted, [](const std::string& n) { return n; }); }, position);
    if (FAILED(hr))
        return NotFound();
    return MakeAndHandOut<CProcedure>(
        ppvObject, [&](CProcedure& procedure) { procedure.Init(m_catalog, names[static_cast<size_t>(position)]); });
}

HRESULT CProcedures::Append(BSTR Name, IDispatch* Command)
{
    std::string text;
    const HRESULT hr = CommandTextOf(Command, text);
    if (FAILED(hr))
        return hr;
    const std::string name = TextOfBstr(Name);
    return m_catalog->WithStore([&](CatalogStore& store) { store.CreateQuery(name, text); });
}

HRESULT CProcedures::Delete(VARIANT Item)
{
    std::vector<std::string> names;
    HRESULT hr = Names(names);
    if (FAILED(hr))
        return hr;
    LONG position = 0;
    hr = ResolveIndex(Item, static_cast<LONG>(names.size()),
        [&](const std::string& wanted) { return FindByName(names, wanted, [](const std::string& n) { return n; }); }, position);
    if (FAILED(hr))
        return NotFound();
    return m_catalog->WithStore([&](CatalogStore& store) { store.DropQuery(names[static_cast<size_t>(position)]); });
}

} // namespace platform::ado
