#include "platform/cddb/CCdQuery.h"

#include "platform/cddb/ComText.h"

namespace platform::cddb {

HRESULT CCdQuery::Create(std::string discId, IUnknown** query)
{
    if (!query)
        return E_POINTER;
    *query = nullptr;
    CComObject<CCdQuery>* object = nullptr;
    const HRESULT hr = CComObject<CCdQuery>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    object->m_discId = std::move(discId);
    return object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(query));
}

HRESULT CCdQuery::get_DiscId(BSTR* text) { return ReturnText(m_discId, text); }

} // namespace platform::cddb
