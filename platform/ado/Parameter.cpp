#include "platform/ado/Parameter.h"

#include "platform/ado/ComHelpers.h"
#include "platform/ado/ConnectionState.h"
#include "platform/ado/VariantValues.h"
#include "platform/base/CaseFold.h"

namespace platform::ado {

HRESULT CParameter::get_Name(BSTR* pbstr) { return pbstr ? m_name.CopyTo(pbstr) : E_POINTER; }

HRESULT CParameter::put_Name(BSTR bstr)
{
    m_name = bstr;
    return S_OK;
}

HRESULT CParameter::get_Value(VARIANT* pvar)
{
    if (!pvar)
        return E_POINTER;
    VariantInit(pvar);
    return VariantCopy(pvar, &m_value);
}

HRESULT CParameter::put_Value(VARIANT val)
{
    m_value = val;
    return S_OK;
}

HRESULT CParameter::get_Type(DataTypeEnum* psDataType)
{
    return CopyOut(psDataType, m_type);
}

HRESULT CParameter::put_Type(DataTypeEnum sDataType)
{
    m_type = sDataType;
    return S_OK;
}

HRESULT CParameter::get_Direction(ParameterDirectionEnum* plParmDirection)
{
    return CopyOut(plParmDirection, m_direction);
}

HRESULT CParameter::put_Direction(ParameterDirectionEnum lParmDirection)
{
    m_direction = lParmDirection;
    return S_OK;
}

HRESULT CParameter::get_Size(LONG* pl)
{
    return CopyOut(pl, m_size);
}

HRESULT CParameter::put_Size(LONG l)
{
    m_size = l;
    return S_OK;
}

CParameters::~CParameters()
{
    for (auto* item : m_items)
        item->Release();
}

LONG CParameters::Find(const std::string& name) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        CComBSTR itemName;
        m_items[i]->get_Name(&itemName);
        if (EqualsNoCase(TextOfBstr(itemName), name))
            return static_cast<LONG>(i);
    }
    return -1;
}

HRESULT CParameters::get_Count(LONG* c)
{
    if (!c)
        return E_POINTER;
    *c = static_cast<LONG>(m_items.size());
    return S_OK;
}

HRESULT CParameters::get_Item(VARIANT Index, _Parameter** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    LONG position = 0;
    const HRESULT hr = ResolveIndex(Index, static_cast<LONG>(m_items.size()), [this](const std::string& name) { return Find(name); }, position);
    if (FAILED(hr))
        return SetThreadError(hr, "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    *ppvObject = m_items[static_cast<size_t>(position)];
    (*ppvObject)->AddRef();
    return S_OK;
}

HRESULT CParameters::Append(IDispatch* Object)
{
    _Parameter* parameter = nullptr;
    if (!Object || FAILED(Object->QueryInterface(platform::IidOf<_Parameter>(), reinterpret_cast<void**>(&parameter))))
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "Only parameter objects can be appended.");
    m_items.push_back(parameter);
    return S_OK;
}

HRESULT CParameters::Delete(VARIANT Index)
{
    LONG position = 0;
    const HRESULT hr = ResolveIndex(Index, static_cast<LONG>(m_items.size()), [this](const std::string& name) { return Find(name); }, position);
    if (FAILED(hr))
        return SetThreadError(hr, "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    m_items[static_cast<size_t>(position)]->Release();
    m_items.erase(m_items.begin() + position);
    return S_OK;
}

HRESULT CParameters::Refresh() { return S_OK; }

} // namespace platform::ado
