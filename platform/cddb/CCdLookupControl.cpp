#include "platform/cddb/CCdLookupControl.h"

#include "platform/cddb/CCdQuery.h"
#include "platform/cddb/CDiscInfo.h"
#include "platform/cddb/CGenreList.h"
#include "platform/cddb/CdDatabase.h"
#include "platform/cddb/ComText.h"

namespace platform::cddb {

HRESULT CCdLookupControl::GetQuerySource(IUnknown** source)
{
    if (!source)
        return E_POINTER;
    *source = nullptr;
    const std::optional<std::string> discId = CdDatabase::Configured().DiscInDrive();
    if (!discId)
        return S_FALSE;
    return CCdQuery::Create(*discId, source);
}

HRESULT CCdLookupControl::RunLookup(IUnknown* source, IUnknown** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    ICdQueryPtr query(source);
    if (!query)
        return Error(
            "The look-up needs a query from GetQuerySource.", platform::IidOf<ICdLookupControl>(), E_INVALIDARG);
    BSTR id = nullptr;
    HRESULT hr = query->get_DiscId(&id);
    const std::string discId = TextOf(id);
    SysFreeString(id);
    if (FAILED(hr))
        return hr;

    std::optional<XmcdDisc> disc = CdDatabase::Configured().FindById(discId);
    if (!disc)
        return S_FALSE;
    IDiscInfo* info = nullptr;
    hr = CDiscInfo::Create(std::move(*disc), &info);
    if (FAILED(hr))
        return hr;
    *result = info;
    return S_OK;
}

HRESULT CCdLookupControl::GetDiscInfo(IUnknown* result, LONG flags, IDiscInfo** disc)
{
    if (!disc)
        return E_POINTER;
    *disc = nullptr;
    if (!result)
        return S_FALSE;
    if (FAILED(result->QueryInterface(platform::IidOf<IDiscInfo>(), reinterpret_cast<void**>(disc))))
        return Error("The object is no look-up result.", platform::IidOf<ICdLookupControl>(), E_INVALIDARG);
    return S_OK;
}

HRESULT CCdLookupControl::GetGenreList(LONG flags, IGenreList** list) { return CGenreList::Create(list); }

} // namespace platform::cddb
