#pragma once
// The query for the disc in the drive, handed out by the look-up control.

#include "platform/cddb/CDDBControl.h"
#include "platform/com/AtlBase.h"

#include <string>

namespace platform::cddb {

class CCdQuery : public CComObjectRootEx<CComMultiThreadModel>, public ICdQuery {
public:
    BEGIN_COM_MAP(CCdQuery)
    COM_INTERFACE_ENTRY(ICdQuery)
    END_COM_MAP()

    // A new query for the disc id, one reference held by *query.
    static HRESULT Create(std::string discId, IUnknown** query);

    HRESULT get_DiscId(BSTR* text) override;

private:
    std::string m_discId;
};

} // namespace platform::cddb
