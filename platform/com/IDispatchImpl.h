#pragma once
// Late binding from static tables. An interface that callers may reach through IDispatch::Invoke
// describes its members once:
//
//     template <> struct platform::DispatchTable<IQVClientCollection> {
//         static std::span<const platform::DispMember> Members()
//         {
//             static const platform::DispMember members[] {
//                 platform::DispMethod<&IQVClientCollection::Item>(1, u"Item"),
//                 platform::DispPropGet<&IQVClientCollection::get_NumDevices>(2, u"NumDevices"),
//             };
//             return members;
//         }
//     };
//
// and IDispatchImpl<IQVClientCollection> answers GetIDsOfNames and Invoke from it. Each entry's call
// is generated from the member function: [in] arguments (LONG, short, double, float, BYTE, ULONG,
// BSTR, VARIANT, IDispatch*, IUnknown*) are converted with VariantChangeType; a pointer to one of
// those is an [out] argument (passed VT_BYREF), and the last one is the [out, retval] when the caller
// leaves it out and takes the result instead.

#include <cstddef>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/com/OleAuto.h"

namespace platform {

// Calls one member on an interface pointer with the caller's arguments.
using DispThunk = HRESULT (*)(void* pInterface, DISPPARAMS* pDispParams, VARIANT* pVarResult, UINT* puArgErr);

struct DispMember {
    DISPID dispid;
    const char16_t* name;
    WORD kind; // DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT
    DispThunk invoke;
};

// The members of a dispatch interface; empty unless specialised for it.
template<class Interface> struct DispatchTable {
    static std::span<const DispMember> Members() { return {}; }
};

namespace dispatch {

template<class T> struct MemberTraits;
template<class C, class... A> struct MemberTraits<HRESULT (C::*)(A...)> {
    using Class = C;
    using Args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};

// How an [in] argument of C++ type T is read from a converted VARIANT.
template<class T> struct InType;
template<> struct InType<LONG> {
    static constexpr VARTYPE vt = VT_I4;
    static LONG Read(const VARIANT& v) { return v.lVal; }
};
template<> struct InType<short> {
    static constexpr VARTYPE vt = VT_I2;
    static short Read(const VARIANT& v) { return v.iVal; }
};
template<> struct InType<double> {
    static constexpr VARTYPE vt = VT_R8;
    static double Read(const VARIANT& v) { return v.dblVal; }
};
template<> struct InType<float> {
    static constexpr VARTYPE vt = VT_R4;
    static float Read(const VARIANT& v) { return v.fltVal; }
};
template<> struct InType<BYTE> {
    static constexpr VARTYPE vt = VT_UI1;
    static BYTE Read(const VARIANT& v) { return v.bVal; }
};
template<> struct InType<ULONG> {
    static constexpr VARTYPE vt = VT_UI4;
    static ULONG Read(const VARIANT& v) { return v.ulVal; }
};
template<> struct InType<BSTR> {
    static constexpr VARTYPE vt = VT_BSTR;
    static BSTR Read(const VARIANT& v) { return v.bstrVal; }
};
template<> struct InType<IDispatch*> {
    static constexpr VARTYPE vt = VT_DISPATCH;
    static IDispatch* Read(const VARIANT& v) { return v.pdispVal; }
};
template<> struct InType<IUnknown*> {
    static constexpr VARTYPE vt = VT_UNKNOWN;
    static IUnknown* Read(const VARIANT& v) { return v.punkVal; }
};

// How an [out] value of C++ type T travels back in a VARIANT.
template<class T> struct OutType {
    static constexpr bool known = false;
};
template<class T, VARTYPE VT, T VARIANT::*Member> struct PlainOut {
    static constexpr bool known = true;
    static constexpr VARTYPE vt = VT;
    static void Store(T& value, VARIANT& dest)
    {
        dest.vt = VT;
        dest.*Member = value;
        value = T {};
    }
    static void Free(T& value)
    {
        if constexpr (VT == VT_BSTR) {
            SysFreeString(value);
        } else if constexpr (VT == VT_DISPATCH || VT == VT_UNKNOWN) {
            if (value)
                reinterpret_cast<IUnknown*>(value)->Release();
        }
        value = T {};
    }
};
template<> struct OutType<LONG> : PlainOut<LONG, VT_I4, &VARIANT::lVal> {
};
template<> struct OutType<short> : PlainOut<short, VT_I2, &VARIANT::iVal> {
};
template<> struct OutType<double> : PlainOut<double, VT_R8, &VARIANT::dblVal> {
};
template<> struct OutType<float> : PlainOut<float, VT_R4, &VARIANT::fltVal> {
};
template<> struct OutType<BYTE> : PlainOut<BYTE, VT_UI1, &VARIANT::bVal> {
};
template<> struct OutType<ULONG> : PlainOut<ULONG, VT_UI4, &VARIANT::ulVal> {
};
template<> struct OutType<BSTR> : PlainOut<BSTR, VT_BSTR, &VARIANT::bstrVal> {
};
template<> struct OutType<IDispatch*> : PlainOut<IDispatch*, VT_DISPATCH, &VARIANT::pdispVal> {
};
template<> struct OutType<IUnknown*> : PlainOut<IUnknown*, VT_UNKNOWN, &VARIANT::punkVal> {
};
template<> struct OutType<VARIANT> {
    static constexpr bool known = true;
    static constexpr VARTYPE vt = VT_VARIANT;
    static void Store(VARIANT& value, VARIANT& dest)
    {
        dest = value;
        VariantInit(&value);
    }
    static void Free(VARIANT& value) { VariantClear(&value); }
};

template<class T> constexpr bool IsOut = std::is_pointer_v<T>&& OutType<std::remove_pointer_t<T>>::known;

template<class T> class InArg {
public:
    InArg() { VariantInit(&m_value); }
    ~InArg() { VariantClear(&m_value); }
    InArg(const InArg&) = delete;
    InArg& operator=(const InArg&) = delete;

    HRESULT Prepare(VARIANT* arg)
    {
        if (!arg)
            return DISP_E_PARAMNOTOPTIONAL;
        if constexpr (std::is_same_v<T, VARIANT>)
            return VariantCopyInd(&m_value, arg);
        else
            return VariantChangeType(&m_value, arg, 0, InType<T>::vt);
    }
    T Get()
    {
        if constexpr (std::is_same_v<T, VARIANT>)
            return m_value;
        else
            return InType<T>::Read(m_value);
    }
    void Finish(VARIANT*) { }

private:
    VARIANT m_value;
};

template<class P> class OutArg {
    using T = std::remove_pointer_t<P>;
    using Traits = OutType<T>;

public:
    OutArg()
    {
        if constexpr (std::is_same_v<T, VARIANT>)
            VariantInit(&m_temp);
    }
    ~OutArg()
    {
        if (m_target == &m_temp)
            Traits::Free(m_temp);
    }
    OutArg(const OutArg&) = delete;
    OutArg& operator=(const OutArg&) = delete;

    // arg is null for the retval, which goes to the caller's result.
    HRESULT Prepare(VARIANT* arg)
    {
        m_isRetval = arg == nullptr;
        if (m_isRetval)
            return S_OK;
        if (arg->vt == (VT_BYREF | Traits::vt) && arg->byref) {
            m_target = static_cast<T*>(arg->byref);
            return S_OK;
        }
        if (arg->vt == (VT_BYREF | VT_VARIANT) && arg->pvarVal) {
            m_byrefVariant = arg->pvarVal;
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    T* Get() { return m_target; }
    void Finish(VARIANT* result)
    {
        if (m_target != &m_temp)
            return;
        VARIANT* dest = m_isRetval ? result : m_byrefVariant;
        if (dest) {
            VariantClear(dest);
            Traits::Store(m_temp, *dest);
        }
    }

private:
    T m_temp {};
    T* m_target { &m_temp };
    VARIANT* m_byrefVariant { nullptr };
    bool m_isRetval { false };
};

template<class T> using Slot = std::conditional_t<IsOut<T>, OutArg<T>, InArg<std::remove_cv_t<T>>>;

template<auto Method, std::size_t... I>
HRESULT Call(
    void* pInterface, DISPPARAMS* params, [[maybe_unused]] VARIANT* result, UINT* argErr, bool retval,
    std::index_sequence<I...>)
{
    using Traits = MemberTraits<decltype(Method)>;
    constexpr std::size_t n = Traits::arity;
    std::tuple<Slot<std::tuple_element_t<I, typename Traits::Args>>...> slots;
    const UINT cArgs = params ? params->cArgs : 0;
    HRESULT hr = S_OK;
    // A method without arguments prepares and finishes nothing.
    [[maybe_unused]] auto prepare = [&](auto& slot, std::size_t index) {
        if (FAILED(hr))
            return;
        VARIANT* arg = (retval && index == n - 1) ? nullptr : &params->rgvarg[cArgs - 1 - index];
        hr = slot.Prepare(arg);
        if (FAILED(hr) && argErr)
            *argErr = static_cast<UINT>(cArgs - 1 - index);
    };
    (prepare(std::get<I>(slots), I), ...);
    if (FAILED(hr))
        return hr;
    hr = (static_cast<typename Traits::Class*>(pInterface)->*Method)(std::get<I>(slots).Get()...);
    if (SUCCEEDED(hr))
        (std::get<I>(slots).Finish(result), ...);
    return hr;
}

template<auto Method> HRESULT Invoke(void* pInterface, DISPPARAMS* params, VARIANT* result, UINT* argErr)
{
    using Traits = MemberTraits<decltype(Method)>;
    constexpr std::size_t n = Traits::arity;
    const UINT cArgs = params ? params->cArgs : 0;
    bool retval = false;
    if constexpr (n > 0)
        retval = IsOut<std::tuple_element_t<n - 1, typename Traits::Args>> && cArgs + 1 == n;
    if (cArgs != n && !retval)
        return DISP_E_BADPARAMCOUNT;
    if (cArgs > 0 && !params->rgvarg)
        return E_INVALIDARG;
    return Call<Method>(pInterface, params, result, argErr, retval, std::make_index_sequence<n>());
}

} // namespace dispatch

template<auto Method> DispMember DispMethod(DISPID dispid, const char16_t* name)
{
    return { dispid, name, DISPATCH_METHOD, &dispatch::Invoke<Method> };
}
template<auto Method> DispMember DispPropGet(DISPID dispid, const char16_t* name)
{
    return { dispid, name, DISPATCH_PROPERTYGET, &dispatch::Invoke<Method> };
}
template<auto Method> DispMember DispPropPut(DISPID dispid, const char16_t* name)
{
    return { dispid, name, DISPATCH_PROPERTYPUT, &dispatch::Invoke<Method> };
}

// GetIDsOfNames over a table: the member name (case ignored) in rgszNames[0]; parameter names are
// not known and come back as DISPID_UNKNOWN with DISP_E_UNKNOWNNAME.
HRESULT DispatchGetIDsOfNames(std::span<const DispMember> members, LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId);
// Invoke over a table: finds the member by DISPID and kind and calls it on pInterface.
HRESULT DispatchInvoke(std::span<const DispMember> members, void* pInterface, DISPID dispIdMember, WORD wFlags,
    DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);
// The type information of one table. It lives as long as its table (a static of the library that
// holds the table), so it neither counts references nor outlives an unloaded library.
class DispatchTypeInfo final : public ITypeInfo {
public:
    explicit DispatchTypeInfo(std::span<const DispMember> members)
        : m_members(members)
    {
    }

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) override;
    HRESULT Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
        EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    HRESULT GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) override;

private:
    std::span<const DispMember> m_members;
};

} // namespace platform

// IDispatch for a dual interface T, answered from platform::DispatchTable<T>.
template<class T, const IID* piid = &platform::IidOf<T>(), const GUID* plibid = &GUID_NULL, WORD wMajor = 1,
    WORD wMinor = 0>
class IDispatchImpl : public T {
public:
    HRESULT GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) override
    {
        if (!ppTInfo)
            return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0)
            return DISP_E_BADINDEX;
        static platform::DispatchTypeInfo info(platform::DispatchTable<T>::Members());
        *ppTInfo = &info;
        return S_OK;
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        return platform::DispatchGetIDsOfNames(platform::DispatchTable<T>::Members(), rgszNames, cNames, rgDispId);
    }
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
        EXCEPINFO* pExcepInfo, UINT* puArgErr) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        return platform::DispatchInvoke(platform::DispatchTable<T>::Members(), static_cast<T*>(this), dispIdMember,
            wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
    }
};
