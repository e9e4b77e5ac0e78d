#pragma once
// Automation functions: BSTR texts, VARIANT handling and conversion, SAFEARRAY, DATE, and the
// thread's error information.

#include "platform/com/OaIdl.h"

// ---- BSTR: a length-prefixed UTF-16 text with a terminating zero; a null BSTR is the empty text.

// A new BSTR holding psz up to its zero; null for a null psz.
BSTR SysAllocString(const OLECHAR* psz);
// A new BSTR of ui characters copied from strIn (zeros included), or zero-filled when strIn is null.
BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui);
// A new BSTR of len bytes copied from psz (or zero-filled when psz is null).
BSTR SysAllocStringByteLen(LPCSTR psz, UINT len);
// Replaces *pbstr by a new BSTR of psz; FALSE (and *pbstr kept) when out of memory or pbstr is null.
INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
// Replaces *pbstr by a new BSTR of len characters of psz; FALSE when out of memory or pbstr is null.
INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len);
// Frees a BSTR; null is allowed.
void SysFreeString(BSTR bstrString);
// Characters in the BSTR (its stored length, zeros included); 0 for null.
UINT SysStringLen(BSTR pbstr);
// Bytes in the BSTR; 0 for null.
UINT SysStringByteLen(BSTR bstr);

// ---- VARIANT

constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;
constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
constexpr USHORT VARIANT_LOCALBOOL = 0x10;

// Makes pvarg VT_EMPTY without looking at what it held.
void VariantInit(VARIANTARG* pvarg);
// Frees what pvarg owns (BSTR, interface reference, array) and makes it VT_EMPTY;
// DISP_E_BADVARTYPE for a type it does not know (pvarg untouched).
HRESULT VariantClear(VARIANTARG* pvarg);
// Clears pvargDest, then makes it a deep copy of pvargSrc (by-reference values stay references).
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
// As VariantCopy, but a by-reference source is copied as the value it refers to.
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);
// Converts pvarSrc to vt into pvargDest (both may be the same). DISP_E_TYPEMISMATCH when the value
// cannot be read as vt, DISP_E_OVERFLOW when it does not fit, DISP_E_BADVARTYPE for an unknown
// type; on failure pvargDest is unchanged.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
// As VariantChangeType; texts are read and written in one fixed form whatever the locale.
HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt);

namespace platform {
// Whether a and b have the same type and value; texts compare by their bytes, by-reference values by address.
bool SameVariant(const VARIANT& a, const VARIANT& b) noexcept;
} // namespace platform

// ---- SAFEARRAY (indices are given leftmost dimension first)

// A new array of vt elements, zero-filled; null for an unsupported vt or too many elements.
SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);
// A new one-dimensional array of cElements starting at lLbound.
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
// Frees the array and what its elements own; DISP_E_ARRAYISLOCKED while it is locked.
HRESULT SafeArrayDestroy(SAFEARRAY* psa);
UINT SafeArrayGetDim(SAFEARRAY* psa);
UINT SafeArrayGetElemsize(SAFEARRAY* psa);
// The element type; E_INVALIDARG for a null array.
HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
// Bounds of dimension nDim (1 = leftmost); DISP_E_BADINDEX for a dimension out of range.
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
// Copies the element at rgIndices into pv (a BSTR, VARIANT or interface is copied/referenced);
// DISP_E_BADINDEX when an index is out of its bounds.
HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
// Stores a copy of *pv (for BSTR and interface arrays pv is the BSTR or the interface itself).
HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
// Address of the element at rgIndices, without a copy.
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData);
HRESULT SafeArrayLock(SAFEARRAY* psa);
// E_UNEXPECTED when the array was not locked.
HRESULT SafeArrayUnlock(SAFEARRAY* psa);
// Locks the array and hands out its data (first dimension varies fastest).
HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
// A deep copy of psa.
HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);

// ---- DATE: days since 1899-12-30, the fraction being the time of day (also for negative days).

// The DATE of a SYSTEMTIME (milliseconds ignored); FALSE for a date outside years 100-9999.
INT SystemTimeToVariantTime(const SYSTEMTIME* lpSystemTime, DOUBLE* pvtime);
// The SYSTEMTIME of a DATE, rounded to the second; FALSE for a DATE outside years 100-9999.
INT VariantTimeToSystemTime(DOUBLE vtime, SYSTEMTIME* lpSystemTime);
// Reads a date and/or time text ("12/31/2024 1:05:00 PM", "2024-12-31 13:05:00", "13:05");
// DISP_E_TYPEMISMATCH when it is not one.
HRESULT VarDateFromStr(const OLECHAR* strIn, LCID lcid, ULONG dwFlags, DATE* pdateOut);
// The text of a DATE: "M/D/YYYY h:mm:ss AM", the date alone at midnight, the time alone on day 0.
HRESULT VarBstrFromDate(DATE dateIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);

// ---- Error information of the calling thread

// A new error-information object (both ICreateErrorInfo and IErrorInfo).
HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo);
// Makes perrinfo (may be null) the calling thread's error information, replacing the old one.
HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
// Hands the thread's error information to the caller and clears it; S_FALSE and null when none.
HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);
