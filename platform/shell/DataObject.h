#pragma once
// The data object of this process's drags: data in global memory per clipboard format, handed out
// as copies so that a receiver's release never touches what the object keeps.

#include <atomic>
#include <vector>

#include "platform/shell/OleIdl.h"

namespace platform {

class DataObject final : public IDataObject {
public:
    DataObject() = default;
    DataObject(const DataObject&) = delete;
    DataObject& operator=(const DataObject&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

private:
    struct Entry {
        FORMATETC format;
        HGLOBAL memory;
    };

    ~DataObject();
    // The entry for a format, checking aspect and storage; null with the reason in *result.
    const Entry* find(const FORMATETC* format, HRESULT* result) const;

    std::atomic<ULONG> m_references { 1 };
    std::vector<Entry> m_entries;
};

// A copy of a global-memory block (moveable, same size); null when out of memory or not a block.
HGLOBAL CopyGlobalMemory(HGLOBAL source);

} // namespace platform
