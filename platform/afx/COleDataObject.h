#pragma once
// The receiving side of a data transfer: a reference to a data object, asked for its formats and data.

#include "platform/afx/AfxTypes.h"
#include "platform/shell/OleIdl.h"

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Takes a data object (with bAutoRelease, a reference the object gives up when done).
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();

    // TRUE when the data is offered in the format (as global memory unless lpFormatEtc says otherwise).
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A copy of the data in global memory that the caller frees; null when the format is absent.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // The data in a medium the caller releases (ReleaseStgMedium); FALSE when absent.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);

private:
    static FORMATETC FormatFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc);

    LPDATAOBJECT m_lpDataObject { nullptr };
    BOOL m_bAutoRelease { TRUE };
};
