#include "platform/ado/ErrorObjects.h"

#include "platform/ado/ComHelpers.h"
#include "platform/ado/VariantValues.h"

namespace platform::ado {

namespace {

HRESULT OutText(const std::string& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = AllocBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT OutLong(LONG value, LONG* out)
{
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

} // namespace

HRESULT CError::get_Number(LONG* pl) { return OutLong(m_error.number, pl); }
HRESULT CError::get_Source(BSTR* pbstr) { return OutText(m_error.source, pbstr); }
HRESULT CError::get_Description(BSTR* pbstr) { return OutText(m_error.description, pbstr); }
HRESULT CError::get_HelpFile(BSTR* pbstr) { return OutText("", pbstr); }
HRESULT CError::get_HelpContext(LONG* pl) { return OutLong(0, pl); }
HRESULT CError::get_SQLState(BSTR* pbstr) { return OutText(m_error.sqlState, pbstr); }
HRESULT CError::get_NativeError(LONG* pl) { return OutLong(m_error.nativeError, pl); }

HRESULT CErrors::get_Count(LONG* c) { return OutLong(static_cast<LONG>(m_state->Errors().size()), c); }

HRESULT CErrors::get_Item(VARIANT Index, ::Error** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    const auto errors = m_state->Errors();
    LONG position = 0;
    const HRESULT hr = ResolveIndex(Index, static_cast<LONG>(errors.size()), [](const std::string&) { return -1; }, position);
    if (FAILED(hr))
        return hr;
    CComObject<CError>* error = nullptr;
    if (FAILED(MakeObject(&error)))
        return E_OUTOFMEMORY;
    error->Init(errors[static_cast<size_t>(position)]);
    return HandOut(error, ppvObject);
}

HRESULT CErrors::Clear()
{
    m_state->ClearErrors();
    return S_OK;
}

} // namespace platform::ado
