#pragma once
// The catalog objects: a library file's tables with their columns, properties and indexes, and its
// stored queries (procedures, and views for row queries without parameters), each with its
// smart-pointer type in namespace ADOX. Changes to a table that is part of a catalog are written
// at once; a table made with "ADOX.Table" is written when it is appended to the catalog's Tables.

#include "platform/ado/Ado.h"

namespace ADOX {

using ::DataTypeEnum;
using ::adBoolean;
using ::adCurrency;
using ::adDate;
using ::adDouble;
using ::adGUID;
using ::adInteger;
using ::adLongVarBinary;
using ::adLongVarWChar;
using ::adSingle;
using ::adSmallInt;
using ::adUnsignedTinyInt;
using ::adVarBinary;
using ::adVarWChar;
using ::adWChar;

enum KeyTypeEnum : std::int32_t {
    adKeyPrimary = 1,
    adKeyForeign = 2,
    adKeyUnique = 3,
};

enum ColumnAttributesEnum : std::int32_t {
    adColFixed = 1,
    adColNullable = 2,
};

struct _Catalog;

// One provider property of a column ("AutoIncrement", "Description", "Jet OLEDB:Allow Zero Length").
struct Property : IDispatch {
    virtual HRESULT get_Value(VARIANT* pval) = 0;
    virtual HRESULT put_Value(VARIANT val) = 0;
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT get_Type(DataTypeEnum* ptype) = 0;
    virtual HRESULT get_Attributes(LONG* plAttributes) = 0;
};

struct Properties : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    // A property by name (case ignored) or position; adErrItemNotFound when there is none.
    virtual HRESULT get_Item(VARIANT Item, Property** ppvObject) = 0;
    virtual HRESULT Refresh() = 0;
};

struct _Column : IDispatch {
    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT put_Name(BSTR pVal) = 0;
    virtual HRESULT get_Attributes(ColumnAttributesEnum* pVal) = 0;
    virtual HRESULT put_Attributes(ColumnAttributesEnum pVal) = 0;
    // The size given when the column was made (characters for text; 0 for Long, 2 for Yes/No...).
    virtual HRESULT get_DefinedSize(LONG* pVal) = 0;
    virtual HRESULT put_DefinedSize(LONG DefinedSize) = 0;
    virtual HRESULT get_Type(DataTypeEnum* pVal) = 0;
    virtual HRESULT put_Type(DataTypeEnum pVal) = 0;
    virtual HRESULT get_ParentCatalog(_Catalog** ppvObject) = 0;
    virtual HRESULT put_ParentCatalog(_Catalog* ppvObject) = 0;
    virtual HRESULT putref_ParentCatalog(_Catalog* ppvObject) = 0;
    virtual HRESULT get_Properties(Properties** ppvObject) = 0;
};

// The columns of a table, or of an index.
struct Columns : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, _Column** ppvObject) = 0;
    // Appends a column by name (with type and size) or a column object; on a table that holds rows
    // the other columns keep their values.
    virtual HRESULT Append(VARIANT Item, DataTypeEnum Type, LONG DefinedSize) = 0;
    // Removes a column (and the indexes on it), keeping the other columns' values.
    virtual HRESULT Delete(VARIANT Item) = 0;
    virtual HRESULT Refresh() = 0;
};

struct _Index : IDispatch {
    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT put_Name(BSTR pVal) = 0;
    virtual HRESULT get_PrimaryKey(VARIANT_BOOL* pVal) = 0;
    virtual HRESULT put_PrimaryKey(VARIANT_BOOL pVal) = 0;
    virtual HRESULT get_Unique(VARIANT_BOOL* pVal) = 0;
    virtual HRESULT put_Unique(VARIANT_BOOL pVal) = 0;
    virtual HRESULT get_Columns(Columns** ppvObject) = 0;
};

struct Indexes : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, _Index** ppvObject) = 0;
    // Appends an index object, or an index by name on the column(s) given (a name or an array).
    virtual HRESULT Append(VARIANT Item, VARIANT columns) = 0;
    virtual HRESULT Delete(VARIANT Item) = 0;
    virtual HRESULT Refresh() = 0;
};

struct _Table : IDispatch {
    virtual HRESULT get_Columns(Columns** ppvObject) = 0;
    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT put_Name(BSTR pVal) = 0;
    virtual HRESULT get_Type(BSTR* pVal) = 0;
    virtual HRESULT get_Indexes(Indexes** ppvObject) = 0;
    virtual HRESULT get_Properties(Properties** ppvObject) = 0;
    // VT_DATE; VT_NULL for a table not yet appended to a catalog.
    virtual HRESULT get_DateCreated(VARIANT* pVal) = 0;
    // Renewed by every change to the table's columns, their properties or its indexes.
    virtual HRESULT get_DateModified(VARIANT* pVal) = 0;
    virtual HRESULT get_ParentCatalog(_Catalog** ppvObject) = 0;
    virtual HRESULT put_ParentCatalog(_Catalog* ppvObject) = 0;
    virtual HRESULT putref_ParentCatalog(_Catalog* ppvObject) = 0;
};

struct Tables : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    // A table by name (case ignored) or position; 0x800A0CC1 when there is none.
    virtual HRESULT get_Item(VARIANT Item, _Table** ppvObject) = 0;
    virtual HRESULT Append(VARIANT Item) = 0;
    virtual HRESULT Delete(VARIANT Item) = 0;
    virtual HRESULT Refresh() = 0;
};

// A stored query.
struct Procedure : IDispatch {
    // A new command object holding the statement (VT_DISPATCH).
    virtual HRESULT get_Command(VARIANT* pVar) = 0;
    // Replaces the statement by the command's text; the modification date is renewed.
    virtual HRESULT put_Command(VARIANT pVar) = 0;
    virtual HRESULT putref_Command(IDispatch* pVar) = 0;
    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT get_DateCreated(VARIANT* pVal) = 0;
    virtual HRESULT get_DateModified(VARIANT* pVal) = 0;
};

struct Procedures : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, Procedure** ppvObject) = 0;
    // Stores a command's text under a name; refused when the name is taken or the text does not
    // translate. Where it is listed afterwards (procedures or views) follows the statement.
    virtual HRESULT Append(BSTR Name, IDispatch* Command) = 0;
    virtual HRESULT Delete(VARIANT Item) = 0;
    virtual HRESULT Refresh() = 0;
};

// A view is a stored row query without parameters; it has the members of a procedure.
using View = Procedure;
using Views = Procedures;

struct _Catalog : IDispatch {
    virtual HRESULT get_Tables(Tables** ppvObject) = 0;
    // The connection object (VT_DISPATCH).
    virtual HRESULT get_ActiveConnection(VARIANT* pVal) = 0;
    // A connection object or a connection string.
    virtual HRESULT put_ActiveConnection(VARIANT pVal) = 0;
    virtual HRESULT putref_ActiveConnection(IDispatch* pCon) = 0;
    virtual HRESULT get_Procedures(Procedures** ppvObject) = 0;
    virtual HRESULT get_Views(Views** ppvObject) = 0;
    // Makes a new library file (an existing one is refused) and opens the catalog on it; the
    // connection comes back in the VARIANT.
    virtual HRESULT Create(BSTR ConnectString, VARIANT* Connection) = 0;
};

inline constexpr CLSID CLSID_Catalog = platform::MakeGuid("00000602-0000-0010-8000-00AA006D2EA4");
inline constexpr CLSID CLSID_Table = platform::MakeGuid("00000609-0000-0010-8000-00AA006D2EA4");
inline constexpr CLSID CLSID_Index = platform::MakeGuid("0000061E-0000-0010-8000-00AA006D2EA4");
inline constexpr CLSID CLSID_Column = platform::MakeGuid("0000061B-0000-0010-8000-00AA006D2EA4");

} // namespace ADOX

TS_DEFINE_IID(ADOX::Property, "00000503-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::Properties, "00000504-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::_Column, "0000061C-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::Columns, "0000061D-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::_Index, "0000061F-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::Indexes, "00000620-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::_Table, "00000610-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::Tables, "00000611-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::Procedure, "00000625-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::Procedures, "00000626-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(ADOX::_Catalog, "00000603-0000-0010-8000-00AA006D2EA4");

namespace ADOX {
_COM_SMARTPTR_TYPEDEF(Property, platform::IidOf<Property>());
_COM_SMARTPTR_TYPEDEF(Properties, platform::IidOf<Properties>());
_COM_SMARTPTR_TYPEDEF(_Column, platform::IidOf<_Column>());
_COM_SMARTPTR_TYPEDEF(Columns, platform::IidOf<Columns>());
_COM_SMARTPTR_TYPEDEF(_Index, platform::IidOf<_Index>());
_COM_SMARTPTR_TYPEDEF(Indexes, platform::IidOf<Indexes>());
_COM_SMARTPTR_TYPEDEF(_Table, platform::IidOf<_Table>());
_COM_SMARTPTR_TYPEDEF(Tables, platform::IidOf<Tables>());
_COM_SMARTPTR_TYPEDEF(Procedure, platform::IidOf<Procedure>());
_COM_SMARTPTR_TYPEDEF(Procedures, platform::IidOf<Procedures>());
_COM_SMARTPTR_TYPEDEF(_Catalog, platform::IidOf<_Catalog>());
using ViewPtr = ProcedurePtr;
using ViewsPtr = ProceduresPtr;
} // namespace ADOX
