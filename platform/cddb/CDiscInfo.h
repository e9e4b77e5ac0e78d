#pragma once
// One disc of the CD database, handed out by look-ups and file identification.

#include "platform/cddb/CDDBControl.h"
#include "platform/cddb/XmcdDisc.h"
#include "platform/com/AtlBase.h"

namespace platform::cddb {

class CDiscInfo : public CComObjectRootEx<CComMultiThreadModel>, public IDiscInfo {
public:
    BEGIN_COM_MAP(CDiscInfo)
    COM_INTERFACE_ENTRY(IDiscInfo)
    END_COM_MAP()

    // A new disc object, one reference held by *disc.
    static HRESULT Create(XmcdDisc disc, IDiscInfo** info);

    HRESULT get_DiscGenreId(BSTR* text) override;
    HRESULT get_DiscTitle(BSTR* text) override;
    HRESULT get_DiscArtist(BSTR* text) override;
    HRESULT get_DiscYear(BSTR* text) override;
    HRESULT TrackOf(LONG number, ITrackInfo** track) override;

private:
    XmcdDisc m_disc;
};

} // namespace platform::cddb
