#pragma once
// Small helpers shared by the component objects of this library.

#include "platform/ado/AdoConstants.h"
#include "platform/com/AtlBase.h"

#include <functional>
#include <string>

namespace platform::ado {

// The position an index VARIANT names: a number, or a name looked up with 'find' (which gives -1
// for none); adErrItemNotFound when it names nothing within [0, count).
HRESULT ResolveIndex(const VARIANT& index, LONG count, const std::function<LONG(const std::string&)>& find, LONG& position);
// Hands an object's interface out through an [out] pointer (with a reference).
template <class Interface, class Object>
HRESULT HandOut(Object* object, Interface** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!object)
        return E_FAIL;
    return object->QueryInterface(platform::IidOf<Interface>(), reinterpret_cast<void**>(out));
}
// A VARIANT holding an object's IDispatch (with a reference).
HRESULT DispatchVariant(IUnknown* object, VARIANT* out);
// True when a VARIANT is the missing optional argument.
bool IsMissing(const VARIANT& v);

// Creates an object of this library's class T with no reference given out yet.
template <class T>
HRESULT MakeObject(CComObject<T>** object)
{
    return CComObject<T>::CreateInstance(object);
}
// Copies a plain value out through an [out] pointer.
template <class Out, class Value>
HRESULT CopyOut(Out* out, const Value& value)
{
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}
// Creates an object, lets 'init' set it up and hands its interface out (with a reference).
template <class T, class Interface, class Init>
HRESULT MakeAndHandOut(Interface** out, Init&& init)
{
    CComObject<T>* object = nullptr;
    const HRESULT hr = MakeObject(&object);
    if (FAILED(hr))
        return hr;
    init(*object);
    return HandOut(object, out);
}

} // namespace platform::ado
