#include "platform/ado/Command.h"

#include "platform/ado/ComHelpers.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/VariantValues.h"

namespace platform::ado {

HRESULT CCommand::FinalConstruct()
{
    CComObject<CParameters>* parameters = nullptr;
    const HRESULT hr = MakeObject(&parameters);
    if (FAILED(hr))
        return hr;
    m_parameters = parameters;
    m_parametersHolder = parameters;
    return S_OK;
}

HRESULT CCommand::Describe(CommandRun& run)
{
    CComPtr<IConnectionAccess> access;
    if (!m_connection || FAILED(m_connection->QueryInterface(platform::IidOf<IConnectionAccess>(), reinterpret_cast<void**>(&access))))
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The command has no connection.");
    run.state = access->State();
    run.connection = m_connection;
    run.text = TextOfBstr(m_text);
    run.commandType = m_type;
    run.parameters.clear();
    if (m_overrideValues) {
        run.parameters = *m_overrideValues;
        return S_OK;
    }
    for (const auto& parameter : m_parameters->Items()) {
        CComVariant value;
        DataTypeEnum type = adEmpty;
        parameter->get_Value(&value);
        parameter->get_Type(&type);
        DbValue converted;
        if (FAILED(DbValueForParameter(value, type, converted)))
            return run.state->Fail(AdoErrorResult(adErrDataConversion), "A parameter value does not convert to the parameter's type.");
        run.parameters.push_back(std::move(converted));
    }
    return S_OK;
}

HRESULT CCommand::get_ActiveConnection(VARIANT* pvar) { return DispatchVariant(m_connection, pvar); }

HRESULT CCommand::put_ActiveConnection(VARIANT vConn)
{
    return AssignActiveConnection(vConn, m_connection);
}

HRESULT CCommand::putref_ActiveConnection(_Connection* pCon)
{
    m_connection = pCon;
    return S_OK;
}

HRESULT CCommand::get_CommandText(BSTR* pbstr) { return pbstr ? m_text.CopyTo(pbstr) : E_POINTER; }

HRESULT CCommand::put_CommandText(BSTR bstr)
{
    m_text = bstr;
    return S_OK;
}

HRESULT CCommand::get_CommandTimeout(LONG* pl)
{
    return CopyOut(pl, m_timeout);
}

HRESULT CCommand::put_CommandTimeout(LONG Timeout)
{
    m_timeout = Timeout;
    return S_OK;
}

HRESULT CCommand::get_Prepared(VARIANT_BOOL* pfPrepared)
{
    if (!pfPrepared)
        return E_POINTER;
    *pfPrepared = m_prepared ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT CCommand::put_Prepared(VARIANT_BOOL fPrepared)
{
    m_prepared = fPrepared != VARIANT_FALSE;
    return S_OK;
}

HRESULT CCommand::Execute(VARIANT* RecordsAffected, VARIANT* Parameters, LONG Options, _Recordset** ppiRs)
{
    if (ppiRs)
        *ppiRs = nullptr;
    std::vector<DbValue> values;
    if (Parameters && !IsMissing(*Parameters)) {
        const VARIANT* given = Parameters;
        while (given->vt == (VT_BYREF | VT_VARIANT) && given->pvarVal)
            given = given->pvarVal;
        if ((given->vt & VT_ARRAY) == 0) {
            DbValue value;
            if (!DbValueFromVariant(*given, value))
                return E_INVALIDARG;
            values.push_back(std::move(value));
        } else {
            SAFEARRAY* array = (given->vt & VT_BYREF) ? *given->pparray : given->parray;
            if (!array || (given->vt & VT_TYPEMASK) != VT_VARIANT)
                return E_INVALIDARG;
            LONG lower = 0, upper = -1;
            SafeArrayGetLBound(array, 1, &lower);
            SafeArrayGetUBound(array, 1, &upper);
            for (LONG i = lower; i <= upper; ++i) {
                CComVariant element;
                DbValue value;
                if (FAILED(SafeArrayGetElement(array, &i, &element)) || !DbValueFromVariant(element, value))
                    return E_INVALIDARG;
                values.push_back(std::move(value));
            }
        }
        m_overrideValues = &values;
    }
    const HRESULT hr = ExecuteToRecordset(
        [&](CRecordset& recordset, LONG* affected) {
            return recordset.OpenCommand(static_cast<_Command*>(this), Options, adOpenForwardOnly, adLockReadOnly, affected);
        },
        RecordsAffected, ppiRs);
    m_overrideValues = nullptr;
    return hr;
}

HRESULT CCommand::CreateParameter(BSTR Name, DataTypeEnum Type, ParameterDirectionEnum Direction, LONG Size, VARIANT Value,
    _Parameter** ppiprm)
{
    if (!ppiprm)
        return E_POINTER;
    *ppiprm = nullptr;
    CComObject<CParameter>* parameter = nullptr;
    HRESULT hr = MakeObject(&parameter);
    if (FAILED(hr))
        return hr;
    CComPtr<_Parameter> holder(parameter);
    parameter->put_Name(Name);
    parameter->put_Type(Type);
    parameter->put_Direction(Direction);
    parameter->put_Size(Size);
    if (!IsMissing(Value))
        parameter->put_Value(Value);
    *ppiprm = holder.Detach();
    return S_OK;
}

HRESULT CCommand::get_Parameters(::Parameters** ppvObject) { return HandOut(m_parameters, ppvObject); }

HRESULT CCommand::put_CommandType(CommandTypeEnum lCmdType)
{
    m_type = lCmdType;
    return S_OK;
}

HRESULT CCommand::get_CommandType(CommandTypeEnum* plCmdType)
{
    return CopyOut(plCmdType, m_type);
}

HRESULT CCommand::get_Name(BSTR* pbstrName) { return pbstrName ? m_name.CopyTo(pbstrName) : E_POINTER; }

HRESULT CCommand::put_Name(BSTR bstrName)
{
    m_name = bstrName;
    return S_OK;
}

HRESULT CCommand::get_State(LONG* plObjState)
{
    if (!plObjState)
        return E_POINTER;
    *plObjState = adStateClosed;
    return S_OK;
}

HRESULT CCommand::Cancel() { return S_OK; }

} // namespace platform::ado
