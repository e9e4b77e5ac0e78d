#pragma once
// The display names of the CD database's genres.

#include "platform/cddb/CDDBControl.h"
#include "platform/com/AtlBase.h"

namespace platform::cddb {

class CGenreList : public CComObjectRootEx<CComMultiThreadModel>, public IGenreList {
public:
    BEGIN_COM_MAP(CGenreList)
    COM_INTERFACE_ENTRY(IGenreList)
    END_COM_MAP()

    // A new genre list, one reference held by *list.
    static HRESULT Create(IGenreList** list);

    HRESULT GenreName(BSTR genreId, BSTR* name) override;
};

} // namespace platform::cddb
