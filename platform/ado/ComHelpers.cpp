#include "platform/ado/ComHelpers.h"

#include "platform/ado/VariantValues.h"

namespace platform::ado {

HRESULT ResolveIndex(const VARIANT& index, LONG count, const std::function<LONG(const std::string&)>& find, LONG& position)
{
    const VARIANT* v = &index;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    position = -1;
    if ((v->vt & ~VT_BYREF) == VT_BSTR) {
        position = find(TextOfBstr((v->vt & VT_BYREF) ? *v->pbstrVal : v->bstrVal));
    } else {
        VARIANT number;
        VariantInit(&number);
        if (FAILED(VariantChangeType(&number, v, 0, VT_I4)))
            return AdoErrorResult(adErrItemNotFound);
        position = number.lVal;
    }
    if (position < 0 || position >= count)
        return AdoErrorResult(adErrItemNotFound);
    return S_OK;
}

HRESULT DispatchVariant(IUnknown* object, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    if (!object)
        return S_OK;
    IDispatch* dispatch = nullptr;
    const HRESULT hr = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr))
        return hr;
    out->vt = VT_DISPATCH;
    out->pdispVal = dispatch;
    return S_OK;
}

bool IsMissing(const VARIANT& v)
{
    return v.vt == VT_EMPTY || (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

} // namespace platform::ado
