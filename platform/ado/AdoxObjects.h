#pragma once
// The members of a catalog: tables, columns with their properties, indexes and stored queries.
// A table object either stands alone (made with "ADOX.Table", written when appended to a catalog's
// Tables) or is bound to a table of a catalog, whose file every change goes to at once. Columns and
// indexes taken from a table are bound to it by name in the same way.

#include "platform/ado/Adox.h"
#include "platform/ado/CatalogStore.h"
#include "platform/com/AtlBase.h"

#include <string>

namespace platform::ado {

class CCatalog;
class CTable;
class CIndex;

// Lets the collections read the definition of a column or index object of this library.
struct IDefinitionAccess : IUnknown {
    virtual HRESULT ColumnDefinitionOf(ColumnDefinition& column) = 0;
    virtual HRESULT IndexDefinitionOf(IndexDefinition& index) = 0;
};

} // namespace platform::ado

TS_DEFINE_IID(platform::ado::IDefinitionAccess, "7C2E41A0-5B1D-4E8F-9A63-0D4B6E2F1A03");

namespace platform::ado {

class CTable : public CComObjectRootEx<CComMultiThreadModel>,
               public CComCoClass<CTable, &ADOX::CLSID_Table>,
               public IDispatchImpl<ADOX::_Table> {
public:
    DECLARE_REGISTRY_RESOURCEID(105)

    BEGIN_COM_MAP(CTable)
    COM_INTERFACE_ENTRY(ADOX::_Table)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // Binds the object to a table of a catalog.
    void Bind(CCatalog* catalog, TableDefinition definition);
    bool IsBound() const { return m_catalog != nullptr; }
    // The definition as it is now (read from the file when bound).
    HRESULT Load(TableDefinition& definition);
    // A new definition: bound tables are rebuilt, keeping the values of the columns that stay.
    HRESULT Store(const TableDefinition& definition);
    // A column's description or zero-length rule, written without a rebuild.
    HRESULT StoreColumnMetadata(const ColumnDefinition& column);

    HRESULT get_Columns(ADOX::Columns** ppvObject) override;
    HRESULT get_Name(BSTR* pVal) override;
    HRESULT put_Name(BSTR pVal) override;
    HRESULT get_Type(BSTR* pVal) override;
    HRESULT get_Indexes(ADOX::Indexes** ppvObject) override;
    HRESULT get_Properties(ADOX::Properties** ppvObject) override;
    HRESULT get_DateCreated(VARIANT* pVal) override;
    HRESULT get_DateModified(VARIANT* pVal) override;
    HRESULT get_ParentCatalog(ADOX::_Catalog** ppvObject) override;
    HRESULT put_ParentCatalog(ADOX::_Catalog* ppvObject) override;
    HRESULT putref_ParentCatalog(ADOX::_Catalog* ppvObject) override;

private:
    TableDefinition m_definition;
    CCatalog* m_catalog { nullptr };
    CComPtr<ADOX::_Catalog> m_catalogHolder;
    CComPtr<ADOX::_Catalog> m_parentCatalog;
};

class CTables : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Tables> {
public:
    BEGIN_COM_MAP(CTables)
    COM_INTERFACE_ENTRY(ADOX::Tables)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CCatalog* catalog);

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Item, ADOX::_Table** ppvObject) override;
    HRESULT Append(VARIANT Item) override;
    HRESULT Delete(VARIANT Item) override;
    HRESULT Refresh() override { return S_OK; }

private:
    HRESULT Find(const VARIANT& item, std::string& name);

    CCatalog* m_catalog { nullptr };
    CComPtr<ADOX::_Catalog> m_holder;
};

class CColumn : public CComObjectRootEx<CComMultiThreadModel>,
                public CComCoClass<CColumn, &ADOX::CLSID_Column>,
                public IDispatchImpl<ADOX::_Column>,
                public IDefinitionAccess {
public:
    DECLARE_REGISTRY_RESOURCEID(107)

    BEGIN_COM_MAP(CColumn)
    COM_INTERFACE_ENTRY(ADOX::_Column)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IDefinitionAccess)
    END_COM_MAP()

    // Binds the object to a column of a table by name.
    void Bind(CTable* table, std::string name);
    // Gives a stand-alone column its definition.
    void Define(ColumnDefinition column) { m_own = std::move(column); }
    HRESULT Read(ColumnDefinition& column);
    // Writes a changed definition; 'structural' changes (type, size, counter) rebuild a bound table.
    HRESULT Write(const ColumnDefinition& column, bool structural);

    HRESULT ColumnDefinitionOf(ColumnDefinition& column) override { return Read(column); }
    HRESULT IndexDefinitionOf(IndexDefinition&) override { return E_NOINTERFACE; }

    HRESULT get_Name(BSTR* pVal) override;
    HRESULT put_Name(BSTR pVal) override;
    HRESULT get_Attributes(ADOX::ColumnAttributesEnum* pVal) override;
    HRESULT put_Attributes(ADOX::ColumnAttributesEnum pVal) override;
    HRESULT get_DefinedSize(LONG* pVal) override;
    HRESULT put_DefinedSize(LONG DefinedSize) override;
    HRESULT get_Type(DataTypeEnum* pVal) override;
    HRESULT put_Type(DataTypeEnum pVal) override;
    HRESULT get_ParentCatalog(ADOX::_Catalog** ppvObject) override;
    HRESULT put_ParentCatalog(ADOX::_Catalog* ppvObject) override;
    HRESULT putref_ParentCatalog(ADOX::_Catalog* ppvObject) override;
    HRESULT get_Properties(ADOX::Properties** ppvObject) override;

private:
    ColumnDefinition m_own;
    CTable* m_table { nullptr };
    CComPtr<ADOX::_Table> m_tableHolder;
    std::string m_name;
    CComPtr<ADOX::_Catalog> m_parentCatalog;
};

// The columns of a table, or the column names of an index.
class CColumns : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Columns> {
public:
    BEGIN_COM_MAP(CColumns)
    COM_INTERFACE_ENTRY(ADOX::Columns)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void InitForTable(CTable* table);
    void InitForIndex(CIndex* index);

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Item, ADOX::_Column** ppvObject) override;
    HRESULT Append(VARIANT Item, DataTypeEnum Type, LONG DefinedSize) override;
    HRESULT Delete(VARIANT Item) override;
    HRESULT Refresh() override { return S_OK; }

private:
    CTable* m_table { nullptr };
    CIndex* m_index { nullptr };
    CComPtr<IUnknown> m_holder;
};

class CProperty : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Property> {
public:
    BEGIN_COM_MAP(CProperty)
    COM_INTERFACE_ENTRY(ADOX::Property)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CColumn* column, size_t which);

    HRESULT get_Value(VARIANT* pval) override;
    HRESULT put_Value(VARIANT val) override;
    HRESULT get_Name(BSTR* pbstr) override;
    HRESULT get_Type(DataTypeEnum* ptype) override;
    HRESULT get_Attributes(LONG* plAttributes) override;

private:
    CColumn* m_column { nullptr };
    CComPtr<ADOX::_Column> m_holder;
    size_t m_which { 0 };
};

// A column's provider properties (or the empty property list of a table).
class CProperties : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Properties> {
public:
    BEGIN_COM_MAP(CProperties)
    COM_INTERFACE_ENTRY(ADOX::Properties)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CColumn* column);

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Item, ADOX::Property** ppvObject) override;
    HRESULT Refresh() override { return S_OK; }

private:
    CColumn* m_column { nullptr };
    CComPtr<ADOX::_Column> m_holder;
};

class CIndex : public CComObjectRootEx<CComMultiThreadModel>,
               public CComCoClass<CIndex, &ADOX::CLSID_Index>,
               public IDispatchImpl<ADOX::_Index>,
               public IDefinitionAccess {
public:
    DECLARE_REGISTRY_RESOURCEID(106)

    BEGIN_COM_MAP(CIndex)
    COM_INTERFACE_ENTRY(ADOX::_Index)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IDefinitionAccess)
    END_COM_MAP()

    void Bind(CTable* table, std::string name);
    HRESULT Read(IndexDefinition& index);
    HRESULT Write(const IndexDefinition& index);

    HRESULT ColumnDefinitionOf(ColumnDefinition&) override { return E_NOINTERFACE; }
    HRESULT IndexDefinitionOf(IndexDefinition& index) override { return Read(index); }

    HRESULT get_Name(BSTR* pVal) override;
    HRESULT put_Name(BSTR pVal) override;
    HRESULT get_PrimaryKey(VARIANT_BOOL* pVal) override;
    HRESULT put_PrimaryKey(VARIANT_BOOL pVal) override;
    HRESULT get_Unique(VARIANT_BOOL* pVal) override;
    HRESULT put_Unique(VARIANT_BOOL pVal) override;
    HRESULT get_Columns(ADOX::Columns** ppvObject) override;

private:
    IndexDefinition m_own;
    CTable* m_table { nullptr };
    CComPtr<ADOX::_Table> m_tableHolder;
    std::string m_name;
};

class CIndexes : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Indexes> {
public:
    BEGIN_COM_MAP(CIndexes)
    COM_INTERFACE_ENTRY(ADOX::Indexes)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CTable* table);

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Item, ADOX::_Index** ppvObject) override;
    HRESULT Append(VARIANT Item, VARIANT columns) override;
    HRESULT Delete(VARIANT Item) override;
    HRESULT Refresh() override { return S_OK; }

private:
    CTable* m_table { nullptr };
    CComPtr<ADOX::_Table> m_holder;
};

class CProcedure : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Procedure> {
public:
    BEGIN_COM_MAP(CProcedure)
    COM_INTERFACE_ENTRY(ADOX::Procedure)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CCatalog* catalog, std::string name);

    HRESULT get_Command(VARIANT* pVar) override;
    HRESULT put_Command(VARIANT pVar) override;
    HRESULT putref_Command(IDispatch* pVar) override;
    HRESULT get_Name(BSTR* pVal) override;
    HRESULT get_DateCreated(VARIANT* pVal) override;
    HRESULT get_DateModified(VARIANT* pVal) override;

private:
    HRESULT Find(StoredQuery& query);

    CCatalog* m_catalog { nullptr };
    CComPtr<ADOX::_Catalog> m_holder;
    std::string m_name;
};

// The stored queries of one kind: procedures, or views.
class CProcedures : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<ADOX::Procedures> {
public:
    BEGIN_COM_MAP(CProcedures)
    COM_INTERFACE_ENTRY(ADOX::Procedures)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CCatalog* catalog, bool views);

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Item, ADOX::Procedure** ppvObject) override;
    HRESULT Append(BSTR Name, IDispatch* Command) override;
    HRESULT Delete(VARIANT Item) override;
    HRESULT Refresh() override { return S_OK; }

private:
    HRESULT Names(std::vector<std::string>& names);

    CCatalog* m_catalog { nullptr };
    CComPtr<ADOX::_Catalog> m_holder;
    bool m_views { false };
};

// The text of a command object (its CommandText), for stored queries.
HRESULT CommandTextOf(IUnknown* command, std::string& text);

} // namespace platform::ado
