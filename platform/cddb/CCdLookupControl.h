#pragma once
// The CD look-up control: the disc in the drive, its look-up in the CD database, and the genre names.
// Several discs with the query's id are settled without asking: the first in the database's order.

#include "platform/cddb/CDDBControl.h"
#include "platform/com/AtlBase.h"

namespace platform::cddb {

class CCdLookupControl : public CComObjectRootEx<CComSingleThreadModel>,
                         public CComCoClass<CCdLookupControl, &CLSID_CdLookupControl>,
                         public ICdLookupControl {
public:
    DECLARE_REGISTRY_RESOURCEID(102)

    BEGIN_COM_MAP(CCdLookupControl)
    COM_INTERFACE_ENTRY(ICdLookupControl)
    END_COM_MAP()

    HRESULT GetQuerySource(IUnknown** source) override;
    HRESULT RunLookup(IUnknown* source, IUnknown** result) override;
    HRESULT GetDiscInfo(IUnknown* result, LONG flags, IDiscInfo** disc) override;
    HRESULT GetGenreList(LONG flags, IGenreList** list) override;
};

} // namespace platform::cddb
