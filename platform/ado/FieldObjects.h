#pragma once
// The Fields of a record set and each Field: live views of the record set's current row.

#include "platform/ado/Ado.h"
#include "platform/com/AtlBase.h"

namespace platform::ado {

class CRecordset;

class CField : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<::Field> {
public:
    BEGIN_COM_MAP(CField)
    COM_INTERFACE_ENTRY(::Field)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CRecordset* recordset, size_t column);

    HRESULT get_ActualSize(LONG* pl) override;
    HRESULT get_DefinedSize(LONG* pl) override;
    HRESULT get_Name(BSTR* pbstr) override;
    HRESULT get_Type(DataTypeEnum* pDataType) override;
    HRESULT get_Value(VARIANT* pvar) override;
    HRESULT put_Value(VARIANT Val) override;
    HRESULT get_OriginalValue(VARIANT* pvar) override;

private:
    CComPtr<_Recordset> m_keepAlive;
    CRecordset* m_recordset { nullptr };
    size_t m_column { 0 };
};

class CFields : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<::Fields> {
public:
    BEGIN_COM_MAP(CFields)
    COM_INTERFACE_ENTRY(::Fields)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CRecordset* recordset);

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Index, ::Field** ppvObject) override;

private:
    CComPtr<_Recordset> m_keepAlive;
    CRecordset* m_recordset { nullptr };
};

} // namespace platform::ado
