#pragma once
// ADODB.Command: a statement or stored query run with its parameters over a connection.

#include "platform/ado/Ado.h"
#include "platform/ado/CommandAccess.h"
#include "platform/ado/Parameter.h"
#include "platform/com/AtlBase.h"

namespace platform::ado {

class CCommand : public CComObjectRootEx<CComMultiThreadModel>,
                 public CComCoClass<CCommand, &CLSID_Command>,
                 public IDispatchImpl<_Command>,
                 public ICommandAccess {
public:
    DECLARE_REGISTRY_RESOURCEID(102)

    BEGIN_COM_MAP(CCommand)
    COM_INTERFACE_ENTRY(_Command)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(ICommandAccess)
    END_COM_MAP()

    HRESULT FinalConstruct();

    HRESULT Describe(CommandRun& run) override;

    HRESULT get_ActiveConnection(VARIANT* pvar) override;
    HRESULT put_ActiveConnection(VARIANT vConn) override;
    HRESULT putref_ActiveConnection(_Connection* pCon) override;
    HRESULT get_CommandText(BSTR* pbstr) override;
    HRESULT put_CommandText(BSTR bstr) override;
    HRESULT get_CommandTimeout(LONG* pl) override;
    HRESULT put_CommandTimeout(LONG Timeout) override;
    HRESULT get_Prepared(VARIANT_BOOL* pfPrepared) override;
    HRESULT put_Prepared(VARIANT_BOOL fPrepared) override;
    HRESULT Execute(VARIANT* RecordsAffected, VARIANT* Parameters, LONG Options, _Recordset** ppiRs) override;
    HRESULT CreateParameter(BSTR Name, DataTypeEnum Type, ParameterDirectionEnum Direction, LONG Size, VARIANT Value,
        _Parameter** ppiprm) override;
    HRESULT get_Parameters(::Parameters** ppvObject) override;
    HRESULT put_CommandType(CommandTypeEnum lCmdType) override;
    HRESULT get_CommandType(CommandTypeEnum* plCmdType) override;
    HRESULT get_Name(BSTR* pbstrName) override;
    HRESULT put_Name(BSTR bstrName) override;
    HRESULT get_State(LONG* plObjState) override;
    HRESULT Cancel() override;

private:
    CComPtr<IUnknown> m_connection;
    CComBSTR m_text;
    CComBSTR m_name;
    CommandTypeEnum m_type { adCmdUnknown };
    LONG m_timeout { 30 };
    bool m_prepared { false };
    CParameters* m_parameters { nullptr };
    CComPtr<::Parameters> m_parametersHolder;
    const std::vector<DbValue>* m_overrideValues { nullptr };
};

} // namespace platform::ado
