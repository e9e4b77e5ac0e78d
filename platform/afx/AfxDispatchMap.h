#pragma once
// Automation maps of command targets: the dispatch map (members that IDispatch::Invoke reaches by
// dispatch id or name) and the interface map (further interface ids the object answers). A map entry's
// call is generated from the member function itself, so arguments arrive converted to the types the
// member takes (LONG, short, double, float, BYTE, ULONG, BSTR, VARIANT, IDispatch*, IUnknown*, LPCTSTR)
// and a result of such a type (or CString) goes back to the caller.

#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/afx/CString.h"
#include "platform/com/IDispatchImpl.h"
#include "platform/com/OaIdl.h"
#include "platform/com/Unknwn.h"

class CCmdTarget;
class CException;

// Calls one dispatch-map member of a target with the caller's arguments.
using AFX_DISPINVOKE = HRESULT (*)(CCmdTarget* pTarget, DISPPARAMS* pDispParams, VARIANT* pVarResult, UINT* puArgErr);

struct AFX_DISPMAP_ENTRY {
    LPCTSTR lpszName; // the member's name, null at the end of the table
    DISPID lDispID;
    AFX_DISPINVOKE pfnInvoke;
    VARTYPE vt; // the result's type (VT_EMPTY for none), as declared
    const char* lpszParams; // the arguments' types (a VTS_ string), as declared
};

struct AFX_DISPMAP {
    const AFX_DISPMAP* (*pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

// The interface of a target that an interface-map entry hands out (without a reference).
using AFX_GETINTERFACEPART = IUnknown* (*)(CCmdTarget* pTarget);

struct AFX_INTERFACEMAP_ENTRY {
    const IID* piid; // null at the end of the table
    AFX_GETINTERFACEPART pfnGetPart;
};

struct AFX_INTERFACEMAP {
    const AFX_INTERFACEMAP* (*pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// Argument type strings of DISP_FUNCTION_ID: one VARTYPE per byte.
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"
#define VTS_NONE ""

// Declares a class's dispatch map (inside the class).
#define DECLARE_DISPATCH_MAP()                                                                                         \
protected:                                                                                                             \
    static const AFX_DISPMAP* GetThisDispatchMap();                                                                    \
    const AFX_DISPMAP* GetDispatchMap() const override;

// Starts a class's dispatch map (in its source file); entries follow, END_DISPATCH_MAP ends it.
#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                                                        \
    const AFX_DISPMAP* theClass::GetDispatchMap() const { return GetThisDispatchMap(); }                               \
    const AFX_DISPMAP* theClass::GetThisDispatchMap()                                                                  \
    {                                                                                                                  \
        using TheBaseClass = baseClass;                                                                                \
        static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {

// A method of theClass reached by its dispatch id and name.
#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams)                             \
    { szExternalName, dispid, &afx::InvokeDispatchMember<&theClass::pfnMember>, vtRetVal, vtsParams },

#define END_DISPATCH_MAP()                                                                                             \
    {                                                                                                                  \
        nullptr, DISPID_UNKNOWN, nullptr, VT_EMPTY, nullptr                                                            \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_DISPMAP dispatchMap = { &TheBaseClass::GetThisDispatchMap, &_dispatchEntries[0] };                \
    return &dispatchMap;                                                                                               \
    }

// Declares a class's interface map (inside the class).
#define DECLARE_INTERFACE_MAP()                                                                                        \
protected:                                                                                                             \
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();                                                              \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;

// Starts a class's interface map; INTERFACE_PART entries follow, END_INTERFACE_MAP ends it.
#define BEGIN_INTERFACE_MAP(theClass, theBase)                                                                         \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); }                        \
    const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap()                                                            \
    {                                                                                                                  \
        using TheBaseClass = theBase;                                                                                  \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

// The interface iid answered by the target's part localClass; the part "Dispatch" is the target's
// IDispatch (EnableAutomation), so an event interface can be answered by the dispatch map.
#define INTERFACE_PART(theClass, iid, localClass)                                                                      \
    { &iid, [](CCmdTarget* pTarget) -> IUnknown* {                                                                     \
         return static_cast<theClass*>(pTarget)->GetInterfacePart##localClass();                                       \
     } },

#define END_INTERFACE_MAP()                                                                                            \
    {                                                                                                                  \
        nullptr, nullptr                                                                                               \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_INTERFACEMAP interfaceMap = { &TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0] };        \
    return &interfaceMap;                                                                                              \
    }

namespace afx {

template<class T> struct DispatchMemberTraits;
template<class R, class C, class... A> struct DispatchMemberTraits<R (C::*)(A...)> {
    using Result = R;
    using Class = C;
    using Args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};

// An argument of type LPCTSTR: the caller's text converted to UTF-8 for the call.
class TextArg {
public:
    // Converts the caller's argument; DISP_E_TYPEMISMATCH (or the conversion's error) when it cannot.
    HRESULT Prepare(VARIANT* arg);
    LPCTSTR Get() const { return m_text.GetString(); }
    void Finish(VARIANT*) { }

private:
    CString m_text;
};

template<class T>
using DispatchSlot = std::conditional_t<std::is_same_v<std::remove_cv_t<T>, LPCTSTR>, TextArg,
    platform::dispatch::InArg<std::remove_cv_t<T>>>;

// Stores a member's result in the caller's VARIANT.
void StoreDispatchResult(const CString& value, VARIANT* result);
template<class R> void StoreDispatchResult(R value, VARIANT* result)
{
    if constexpr (std::is_same_v<R, bool>) {
        result->vt = VT_BOOL;
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        using Out = platform::dispatch::OutType<R>;
        static_assert(Out::known, "dispatch members return a number, BSTR, VARIANT, interface or CString");
        Out::Store(value, *result);
    }
}

// Runs a handler, turning a class-library exception into DISP_E_EXCEPTION.
HRESULT GuardDispatchCall(void (*call)(void* context), void* context);

template<auto Member, std::size_t... I>
HRESULT CallDispatchMember(
    CCmdTarget* pTarget, DISPPARAMS* params, VARIANT* result, UINT* argErr, std::index_sequence<I...>)
{
    using Traits = DispatchMemberTraits<decltype(Member)>;
    constexpr std::size_t n = Traits::arity;
    const UINT cArgs = params ? params->cArgs : 0;
    if (params && params->cNamedArgs > 0)
        return DISP_E_NONAMEDARGS;
    if (cArgs != n)
        return DISP_E_BADPARAMCOUNT;
    using Slots = std::tuple<DispatchSlot<std::tuple_element_t<I, typename Traits::Args>>...>;
    Slots slots;
    HRESULT hr = S_OK;
    auto prepare = [&](auto& slot, std::size_t index) {
        if (FAILED(hr))
            return;
        hr = slot.Prepare(&params->rgvarg[cArgs - 1 - index]);
        if (FAILED(hr) && argErr)
            *argErr = static_cast<UINT>(cArgs - 1 - index);
    };
    (prepare(std::get<I>(slots), I), ...);
    (void)prepare; // members without arguments have nothing to prepare
    if (FAILED(hr))
        return hr;
    auto* target = static_cast<typename Traits::Class*>(pTarget);
    struct Context {
        typename Traits::Class* target;
        Slots* arguments;
        VARIANT* result;
    } context { target, &slots, result };
    return GuardDispatchCall(
        [](void* raw) {
            auto& c = *static_cast<Context*>(raw);
            if constexpr (std::is_void_v<typename Traits::Result>) {
                (c.target->*Member)(std::get<I>(*c.arguments).Get()...);
            } else {
                auto value = (c.target->*Member)(std::get<I>(*c.arguments).Get()...);
                if (c.result) {
                    VariantClear(c.result);
                    StoreDispatchResult(value, c.result);
                }
            }
        },
        &context);
}

// The call of a dispatch-map member, generated from the member function.
template<auto Member>
HRESULT InvokeDispatchMember(CCmdTarget* pTarget, DISPPARAMS* params, VARIANT* result, UINT* argErr)
{
    using Traits = DispatchMemberTraits<decltype(Member)>;
    return CallDispatchMember<Member>(pTarget, params, result, argErr, std::make_index_sequence<Traits::arity>());
}

} // namespace afx
