// Turning caught COM errors into the thread's error information.

#include "platform/com/ComError.h"
#include "platform/com/ObjBase.h"
#include "platform/com/OleAuto.h"
#include "sync/ComponentUtilities.h"
#include "sync/Lumasync.h"

namespace {

constexpr char16_t kUnknownError[] = u"Unknown COM error.";

// Makes the error's own information the thread's, or a new one with the given GUID and source.
HRESULT SetThreadErrorInfo(const _com_error& error, const GUID& guid, const char16_t* source)
{
    if (IErrorInfo* own = error.ErrorInfo()) {
        SetErrorInfo(0, own);
        own->Release();
        return error.Error();
    }
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create)
        return E_FAIL;
    IErrorInfo* info = nullptr;
    const bool filled = SUCCEEDED(create->SetGUID(guid))
        && (!source || SUCCEEDED(create->SetSource(const_cast<LPOLESTR>(source))))
        && SUCCEEDED(create->SetDescription(const_cast<LPOLESTR>(kUnknownError)))
        && SUCCEEDED(create->QueryInterface(&info));
    create->Release();
    if (!filled)
        return E_FAIL;
    SetErrorInfo(0, info);
    info->Release();
    return error.Error();
}

} // namespace

HRESULT SetComError(const _com_error& error)
{
    // The source is the connection class's ProgID as registered; an unregistered class leaves it empty.
    LPOLESTR progId = nullptr;
    if (FAILED(ProgIDFromCLSID(CLSID_QVSyncConnection, &progId)))
        progId = nullptr;
    const HRESULT hr = SetThreadErrorInfo(error, CLSID_QVSyncConnection, progId);
    CoTaskMemFree(progId);
    return hr;
}

HRESULT SetComErrorInfo(const _com_error& error) { return SetThreadErrorInfo(error, GUID_NULL, nullptr); }
