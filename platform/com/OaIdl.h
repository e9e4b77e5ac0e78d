#pragma once
// Automation types: VARTYPE and VARIANT, currency, decimals, SAFEARRAY, dispatch parameters, and the
// dispatch, type-information and error-information interfaces.

#include "platform/com/Unknwn.h"

using BSTR = OLECHAR*;
using LPBSTR = BSTR*;
using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using DATE = double;
using DISPID = LONG;
using MEMBERID = DISPID;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

// Currency: a 64-bit integer scaled by 10000.
union CY {
    struct {
        ULONG Lo;
        LONG Hi;
    };
    LONGLONG int64;
};

// A 96-bit integer with a decimal scale (0-28) and a sign (DECIMAL_NEG). Trivial, since a VARIANT
// overlays it.
struct DECIMAL {
    USHORT wReserved;
    BYTE scale;
    BYTE sign;
    ULONG Hi32;
    ULONGLONG Lo64;
};
constexpr BYTE DECIMAL_NEG = 0x80;

struct SAFEARRAYBOUND {
    ULONG cElements { 0 };
    LONG lLbound { 0 };
};
using LPSAFEARRAYBOUND = SAFEARRAYBOUND*;

// Bounds are kept last dimension first, as the platform always has.
struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    PVOID pvData;
    SAFEARRAYBOUND rgsabound[1];
};
using LPSAFEARRAY = SAFEARRAY*;

constexpr USHORT FADF_AUTO = 0x0001;
constexpr USHORT FADF_STATIC = 0x0002;
constexpr USHORT FADF_EMBEDDED = 0x0004;
constexpr USHORT FADF_FIXEDSIZE = 0x0010;
constexpr USHORT FADF_HAVEVARTYPE = 0x0080;
constexpr USHORT FADF_BSTR = 0x0100;
constexpr USHORT FADF_UNKNOWN = 0x0200;
constexpr USHORT FADF_DISPATCH = 0x0400;
constexpr USHORT FADF_VARIANT = 0x0800;

struct IDispatch;
struct IRecordInfo;

struct VARIANT {
    union {
        struct {
            VARTYPE vt;
            WORD wReserved1;
            WORD wReserved2;
            WORD wReserved3;
            union {
                LONGLONG llVal;
                LONG lVal;
                BYTE bVal;
                SHORT iVal;
                FLOAT fltVal;
                DOUBLE dblVal;
                VARIANT_BOOL boolVal;
                SCODE scode;
                CY cyVal;
                DATE date;
                BSTR bstrVal;
                IUnknown* punkVal;
                IDispatch* pdispVal;
                SAFEARRAY* parray;
                BYTE* pbVal;
                SHORT* piVal;
                LONG* plVal;
                LONGLONG* pllVal;
                FLOAT* pfltVal;
                DOUBLE* pdblVal;
                VARIANT_BOOL* pboolVal;
                SCODE* pscode;
                CY* pcyVal;
                DATE* pdate;
                BSTR* pbstrVal;
                IUnknown** ppunkVal;
                IDispatch** ppdispVal;
                SAFEARRAY** pparray;
                VARIANT* pvarVal;
                PVOID byref;
                CHAR cVal;
                USHORT uiVal;
                ULONG ulVal;
                ULONGLONG ullVal;
                INT intVal;
                UINT uintVal;
                DECIMAL* pdecVal;
                CHAR* pcVal;
                USHORT* puiVal;
                ULONG* pulVal;
                ULONGLONG* pullVal;
                INT* pintVal;
                UINT* puintVal;
                struct {
                    PVOID pvRecord;
                    IRecordInfo* pRecInfo;
                };
            };
        };
        DECIMAL decVal;
    };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

// Accessors in the style the sources use.
inline VARTYPE& V_VT(VARIANT* v) { return v->vt; }
inline VARTYPE V_VT(const VARIANT* v) { return v->vt; }
#define V_I4(v) ((v)->lVal)
#define V_I2(v) ((v)->iVal)
#define V_BOOL(v) ((v)->boolVal)
#define V_BSTR(v) ((v)->bstrVal)
#define V_R8(v) ((v)->dblVal)
#define V_DATE(v) ((v)->date)
#define V_UNKNOWN(v) ((v)->punkVal)
#define V_DISPATCH(v) ((v)->pdispVal)
#define V_ARRAY(v) ((v)->parray)
#define V_ERROR(v) ((v)->scode)

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_NEWENUM = -4;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

// Arguments of IDispatch::Invoke: rgvarg holds them last argument first.
struct DISPPARAMS {
    VARIANTARG* rgvarg { nullptr };
    DISPID* rgdispidNamedArgs { nullptr };
    UINT cArgs { 0 };
    UINT cNamedArgs { 0 };
};

struct EXCEPINFO {
    WORD wCode { 0 };
    WORD wReserved { 0 };
    BSTR bstrSource { nullptr };
    BSTR bstrDescription { nullptr };
    BSTR bstrHelpFile { nullptr };
    DWORD dwHelpContext { 0 };
    PVOID pvReserved { nullptr };
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*) { nullptr };
    SCODE scode { 0 };
};
using LPEXCEPINFO = EXCEPINFO*;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_NEUTRAL = 0x0000;

struct ITypeInfo;

struct IDispatch : IUnknown {
    // 1 when GetTypeInfo can describe the object, else 0.
    virtual HRESULT GetTypeInfoCount(UINT* pctinfo) = 0;
    // The type information (iTInfo 0), with a reference.
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
    // Maps member names (case ignored) to DISPIDs; DISP_E_UNKNOWNNAME for an unknown one.
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) = 0;
    // Calls a member by DISPID.
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
        = 0;
};
using LPDISPATCH = IDispatch*;
TS_DEFINE_IID(IDispatch, "00020400-0000-0000-C000-000000000046");
inline constexpr IID IID_IDispatch = platform::IidOf<IDispatch>();

// Type information as far as late binding needs it: names, DISPIDs and calls by DISPID.
struct ITypeInfo : IUnknown {
    // As IDispatch::GetIDsOfNames.
    virtual HRESULT GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) = 0;
    // Calls member memid on pvInstance, an interface pointer of the described type.
    virtual HRESULT Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
        EXCEPINFO* pExcepInfo, UINT* puArgErr)
        = 0;
    // The member's name followed by its parameters' names (as far as known).
    virtual HRESULT GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) = 0;
};
TS_DEFINE_IID(ITypeInfo, "00020401-0000-0000-C000-000000000046");
inline constexpr IID IID_ITypeInfo = platform::IidOf<ITypeInfo>();

struct IErrorInfo : IUnknown {
    // The interface that raised the error (GUID_NULL when unknown).
    virtual HRESULT GetGUID(GUID* pGUID) = 0;
    // Texts for the caller to free: the source (a ProgID), the description, the help file.
    virtual HRESULT GetSource(BSTR* pBstrSource) = 0;
    virtual HRESULT GetDescription(BSTR* pBstrDescription) = 0;
    virtual HRESULT GetHelpFile(BSTR* pBstrHelpFile) = 0;
    // The help topic.
    virtual HRESULT GetHelpContext(DWORD* pdwHelpContext) = 0;
};
TS_DEFINE_IID(IErrorInfo, "1CF2B120-547D-101B-8E65-08002B2BD119");
inline constexpr IID IID_IErrorInfo = platform::IidOf<IErrorInfo>();

struct ICreateErrorInfo : IUnknown {
    // Fill the fields that IErrorInfo reads back; texts are copied up to their zero.
    virtual HRESULT SetGUID(REFGUID rguid) = 0;
    virtual HRESULT SetSource(LPOLESTR szSource) = 0;
    virtual HRESULT SetDescription(LPOLESTR szDescription) = 0;
    virtual HRESULT SetHelpFile(LPOLESTR szHelpFile) = 0;
    virtual HRESULT SetHelpContext(DWORD dwHelpContext) = 0;
};
TS_DEFINE_IID(ICreateErrorInfo, "22F03340-547D-101B-8E65-08002B2BD119");
inline constexpr IID IID_ICreateErrorInfo = platform::IidOf<ICreateErrorInfo>();

struct ISupportErrorInfo : IUnknown {
    // S_OK when the object sets error information for calls through riid, else S_FALSE.
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID riid) = 0;
};
TS_DEFINE_IID(ISupportErrorInfo, "DF0B3D60-548F-101B-8E65-08002B2BD119");
inline constexpr IID IID_ISupportErrorInfo = platform::IidOf<ISupportErrorInfo>();
