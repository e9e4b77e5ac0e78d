#include "platform/cddb/CTrackInfo.h"

#include "platform/cddb/ComText.h"

namespace platform::cddb {

HRESULT CTrackInfo::Create(std::string title, ITrackInfo** track)
{
    if (!track)
        return E_POINTER;
    *track = nullptr;
    CComObject<CTrackInfo>* object = nullptr;
    const HRESULT hr = CComObject<CTrackInfo>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    object->m_title = std::move(title);
    return object->QueryInterface(platform::IidOf<ITrackInfo>(), reinterpret_cast<void**>(track));
}

HRESULT CTrackInfo::get_TitleText(BSTR* text) { return ReturnText(m_title, text); }

} // namespace platform::cddb
