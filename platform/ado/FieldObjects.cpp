#include "platform/ado/FieldObjects.h"

#include "platform/ado/ComHelpers.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/VariantValues.h"

namespace platform::ado {

void CField::Init(CRecordset* recordset, size_t column)
{
    m_recordset = recordset;
    m_keepAlive = static_cast<_Recordset*>(recordset);
    m_column = column;
}

HRESULT CField::get_ActualSize(LONG* pl)
{
    if (!pl)
        return E_POINTER;
    CComVariant value;
    HRESULT hr = m_recordset->FieldValue(m_column, &value, false);
    if (FAILED(hr))
        return hr;
    if (value.vt == VT_BSTR)
        *pl = static_cast<LONG>(SysStringLen(value.bstrVal));
    else if (value.vt == VT_NULL)
        *pl = 0;
    else
        return get_DefinedSize(pl);
    return S_OK;
}

HRESULT CField::get_DefinedSize(LONG* pl)
{
    if (!pl)
        return E_POINTER;
    const ResultColumn* column = m_recordset->Column(m_column);
    if (!column)
        return SetThreadError(AdoErrorResult(adErrObjectClosed), "The operation is not allowed when the object is closed.");
    *pl = column->type.definedSize;
    return S_OK;
}

HRESULT CField::get_Name(BSTR* pbstr)
{
    if (!pbstr)
        return E_POINTER;
    const ResultColumn* column = m_recordset->Column(m_column);
    if (!column)
        return SetThreadError(AdoErrorResult(adErrObjectClosed), "The operation is not allowed when the object is closed.");
    *pbstr = AllocBstr(column->name);
    return S_OK;
}

HRESULT CField::get_Type(DataTypeEnum* pDataType)
{
    if (!pDataType)
        return E_POINTER;
    const ResultColumn* column = m_recordset->Column(m_column);
    if (!column)
        return SetThreadError(AdoErrorResult(adErrObjectClosed), "The operation is not allowed when the object is closed.");
    *pDataType = column->type.type;
    return S_OK;
}

HRESULT CField::get_Value(VARIANT* pvar) { return m_recordset->FieldValue(m_column, pvar, false); }
HRESULT CField::put_Value(VARIANT Val) { return m_recordset->SetFieldValue(m_column, Val); }
HRESULT CField::get_OriginalValue(VARIANT* pvar) { return m_recordset->FieldValue(m_column, pvar, true); }

void CFields::Init(CRecordset* recordset)
{
    m_recordset = recordset;
    m_keepAlive = static_cast<_Recordset*>(recordset);
}

HRESULT CFields::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    *c = static_cast<LONG>(m_recordset->FieldCount());
    return S_OK;
}

HRESULT CFields::get_Item(VARIANT Index, ::Field** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    LONG position = 0;
    HRESULT hr = ResolveIndex(Index, static_cast<LONG>(m_recordset->FieldCount()),
        [this](const std::string& name) { return m_recordset->FindField(name); }, position);
    if (FAILED(hr))
        return SetThreadError(hr, "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    return MakeAndHandOut<CField>(
        ppvObject, [&](CField& field) { field.Init(m_recordset, static_cast<size_t>(position)); });
}

} // namespace platform::ado
