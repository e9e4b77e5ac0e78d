#include "platform/cddb/CDiscInfo.h"

#include "platform/cddb/CTrackInfo.h"
#include "platform/cddb/ComText.h"

namespace platform::cddb {

HRESULT CDiscInfo::Create(XmcdDisc disc, IDiscInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    CComObject<CDiscInfo>* object = nullptr;
    const HRESULT hr = CComObject<CDiscInfo>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    object->m_disc = std::move(disc);
    return object->QueryInterface(platform::IidOf<IDiscInfo>(), reinterpret_cast<void**>(info));
}

HRESULT CDiscInfo::get_DiscGenreId(BSTR* text) { return ReturnText(m_disc.category, text); }
HRESULT CDiscInfo::get_DiscTitle(BSTR* text) { return ReturnText(m_disc.title, text); }
HRESULT CDiscInfo::get_DiscArtist(BSTR* text) { return ReturnText(m_disc.artist, text); }
HRESULT CDiscInfo::get_DiscYear(BSTR* text) { return ReturnText(m_disc.year, text); }

HRESULT CDiscInfo::TrackOf(LONG number, ITrackInfo** track)
{
    if (!track)
        return E_POINTER;
    *track = nullptr;
    if (number < 1 || static_cast<std::size_t>(number) > m_disc.trackTitles.size())
        return platform::ReportError(CLSID_CdLookupControl, u"The disc has no track of that number.",
            platform::IidOf<IDiscInfo>(), E_INVALIDARG);
    return CTrackInfo::Create(m_disc.trackTitles[number - 1], track);
}

} // namespace platform::cddb
