#pragma once
// Finds the disc of the CD database that an MP3 file was taken from, by the file's tags (see CdDatabase.h).

#include "platform/cddb/CDDBControl.h"
#include "platform/com/AtlBase.h"

namespace platform::cddb {

class CFileIdentifier : public CComObjectRootEx<CComSingleThreadModel>,
                        public CComCoClass<CFileIdentifier, &CLSID_FileIdentifier>,
                        public IFileIdentifier {
public:
    DECLARE_REGISTRY_RESOURCEID(103)

    BEGIN_COM_MAP(CFileIdentifier)
    COM_INTERFACE_ENTRY(IFileIdentifier)
    END_COM_MAP()

    HRESULT IdentifyFile(BSTR path, LONG flags, LONG* trackNumber, IDiscInfo** disc) override;
};

} // namespace platform::cddb
