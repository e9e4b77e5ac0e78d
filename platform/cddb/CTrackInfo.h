#pragma once
// One track of a disc, handed out by CDiscInfo::TrackOf.

#include "platform/cddb/CDDBControl.h"
#include "platform/com/AtlBase.h"

#include <string>

namespace platform::cddb {

class CTrackInfo : public CComObjectRootEx<CComMultiThreadModel>, public ITrackInfo {
public:
    BEGIN_COM_MAP(CTrackInfo)
    COM_INTERFACE_ENTRY(ITrackInfo)
    END_COM_MAP()

    // A new track object with the title, one reference held by *track.
    static HRESULT Create(std::string title, ITrackInfo** track);

    HRESULT get_TitleText(BSTR* text) override;

private:
    std::string m_title;
};

} // namespace platform::cddb
