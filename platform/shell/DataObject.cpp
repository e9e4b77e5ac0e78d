#include "platform/shell/DataObject.h"

#include <cstring>

#include "platform/base/GlobalMemory.h"
#include "platform/com/ObjBase.h"
#include "platform/shell/SingleInterfaceObject.h"

namespace {

// The formats of a data object as they were when it was asked.
class FormatEnumerator final : public platform::SingleInterfaceObject<IEnumFORMATETC> {
public:
    explicit FormatEnumerator(std::vector<FORMATETC> formats, size_t position = 0)
        : m_formats(std::move(formats))
        , m_position(position)
    {
    }

    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override
    {
        if (!rgelt || (celt > 1 && !pceltFetched))
            return E_POINTER;
        ULONG fetched = 0;
        while (fetched < celt && m_position < m_formats.size())
            rgelt[fetched++] = m_formats[m_position++];
        if (pceltFetched)
            *pceltFetched = fetched;
        return fetched == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG celt) override
    {
        const size_t left = m_formats.size() - m_position;
        m_position += std::min<size_t>(celt, left);
        return celt <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumFORMATETC** ppenum) override
    {
        if (!ppenum)
            return E_POINTER;
        *ppenum = new FormatEnumerator(m_formats, m_position);
        return S_OK;
    }

private:
    ~FormatEnumerator() override = default;

    std::vector<FORMATETC> m_formats;
    size_t m_position;
};

} // namespace

namespace platform {

HGLOBAL CopyGlobalMemory(HGLOBAL source)
{
    const SIZE_T size = GlobalSize(source);
    const void* from = GlobalLock(source);
    if (!from)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* to = copy ? GlobalLock(copy) : nullptr) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(source);
    return copy;
}

DataObject::~DataObject()
{
    for (Entry& entry : m_entries)
        GlobalFree(entry.memory);
}

HRESULT DataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG DataObject::AddRef()
{
    return ++m_references;
}

ULONG DataObject::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

const DataObject::Entry* DataObject::find(const FORMATETC* format, HRESULT* result) const
{
    if (!format) {
        *result = E_INVALIDARG;
        return nullptr;
    }
    for (const Entry& entry : m_entries) {
        if (entry.format.cfFormat != format->cfFormat)
            continue;
        if (entry.format.dwAspect != format->dwAspect) {
            *result = DV_E_DVASPECT;
            return nullptr;
        }
        if (!(format->tymed & TYMED_HGLOBAL)) {
            *result = DV_E_TYMED;
            return nullptr;
        }
        *result = S_OK;
        return &entry;
    }
    *result = DV_E_FORMATETC;
    return nullptr;
}

HRESULT DataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    if (!pmedium)
        return E_INVALIDARG;
    HRESULT result = S_OK;
    const Entry* entry = find(pformatetcIn, &result);
    if (!entry)
        return result;
    HGLOBAL copy = CopyGlobalMemory(entry->memory);
    if (!copy)
        return E_OUTOFMEMORY;
    pmedium->tymed = TYMED_HGLOBAL;
    pmedium->hGlobal = copy;
    pmedium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT DataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT DataObject::QueryGetData(FORMATETC* pformatetc)
{
    HRESULT result = S_OK;
    find(pformatetc, &result);
    return result;
}

HRESULT DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut)
{
    if (!pformatetcOut)
        return E_INVALIDARG;
    pformatetcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT DataObject::SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    if (!pformatetc || !pmedium)
        return E_INVALIDARG;
    if (pmedium->tymed != TYMED_HGLOBAL || !(pformatetc->tymed & TYMED_HGLOBAL))
        return DV_E_TYMED;
    // Taking the medium means taking its memory, unless an owner keeps it: then a copy is kept and
    // the owner let go.
    HGLOBAL memory = fRelease && !pmedium->pUnkForRelease ? pmedium->hGlobal : CopyGlobalMemory(pmedium->hGlobal);
    if (!memory)
        return E_OUTOFMEMORY;
    if (fRelease && pmedium->pUnkForRelease)
        ReleaseStgMedium(pmedium);
    FORMATETC format = *pformatetc;
    format.ptd = nullptr;
    format.tymed = TYMED_HGLOBAL;
    for (Entry& entry : m_entries) {
        if (entry.format.cfFormat == format.cfFormat) {
            GlobalFree(entry.memory);
            entry = { format, memory };
            return S_OK;
        }
    }
    m_entries.push_back({ format, memory });
    return S_OK;
}

HRESULT DataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    if (!ppenumFormatEtc)
        return E_INVALIDARG;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& entry : m_entries)
        formats.push_back(entry.format);
    *ppenumFormatEtc = new FormatEnumerator(std::move(formats));
    return S_OK;
}

HRESULT DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CreateDataObject(IDataObject** ppDataObject)
{
    if (!ppDataObject)
        return E_INVALIDARG;
    *ppDataObject = new DataObject;
    return S_OK;
}

} // namespace platform

void ReleaseStgMedium(LPSTGMEDIUM pmedium)
{
    if (!pmedium)
        return;
    if (pmedium->pUnkForRelease) {
        pmedium->pUnkForRelease->Release();
    } else {
        switch (pmedium->tymed) {
        case TYMED_HGLOBAL:
            GlobalFree(pmedium->hGlobal);
            break;
        case TYMED_FILE:
            CoTaskMemFree(pmedium->lpszFileName);
            break;
        case TYMED_ISTREAM:
        case TYMED_ISTORAGE:
            if (pmedium->pstm)
                pmedium->pstm->Release();
            break;
        case TYMED_GDI:
            DeleteObject(pmedium->hBitmap);
            break;
        default:
            break;
        }
    }
    pmedium->tymed = TYMED_NULL;
    pmedium->hGlobal = nullptr;
    pmedium->pUnkForRelease = nullptr;
}
