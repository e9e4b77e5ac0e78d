#pragma once
// ADODB.Parameter and a command's Parameters: values bound to a statement by position.

#include "platform/ado/Ado.h"
#include "platform/com/AtlBase.h"

#include <string>
#include <vector>

namespace platform::ado {

class CParameter : public CComObjectRootEx<CComMultiThreadModel>,
                   public CComCoClass<CParameter, &CLSID_Parameter>,
                   public IDispatchImpl<_Parameter> {
public:
    DECLARE_NO_REGISTRY()

    BEGIN_COM_MAP(CParameter)
    COM_INTERFACE_ENTRY(_Parameter)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT get_Name(BSTR* pbstr) override;
    HRESULT put_Name(BSTR bstr) override;
    HRESULT get_Value(VARIANT* pvar) override;
    HRESULT put_Value(VARIANT val) override;
    HRESULT get_Type(DataTypeEnum* psDataType) override;
    HRESULT put_Type(DataTypeEnum sDataType) override;
    HRESULT get_Direction(ParameterDirectionEnum* plParmDirection) override;
    HRESULT put_Direction(ParameterDirectionEnum lParmDirection) override;
    HRESULT get_Size(LONG* pl) override;
    HRESULT put_Size(LONG l) override;

private:
    CComBSTR m_name;
    CComVariant m_value;
    DataTypeEnum m_type { adEmpty };
    ParameterDirectionEnum m_direction { adParamInput };
    LONG m_size { 0 };
};

class CParameters : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<::Parameters> {
public:
    BEGIN_COM_MAP(CParameters)
    COM_INTERFACE_ENTRY(::Parameters)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    ~CParameters();

    const std::vector<_Parameter*>& Items() const { return m_items; }

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Index, _Parameter** ppvObject) override;
    HRESULT Append(IDispatch* Object) override;
    HRESULT Delete(VARIANT Index) override;
    HRESULT Refresh() override;

private:
    LONG Find(const std::string& name) const;

    // Each item holds one reference (smart pointers of the component model cannot be moved within
    // a vector yet).
    std::vector<_Parameter*> m_items;
};

} // namespace platform::ado
