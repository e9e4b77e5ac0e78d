#pragma once
// The compiler's COM support: _bstr_t, _variant_t, _com_error, _com_ptr_t and the smart-pointer typedefs
// of the platform's own interfaces.

#include "platform/com/ComError.h"
#include "platform/com/ComPtrT.h"
#include "platform/com/OCIdl.h"
#include "platform/com/VariantT.h"

_COM_SMARTPTR_TYPEDEF(IUnknown, IID_IUnknown);
_COM_SMARTPTR_TYPEDEF(IDispatch, IID_IDispatch);
_COM_SMARTPTR_TYPEDEF(IClassFactory, IID_IClassFactory);
_COM_SMARTPTR_TYPEDEF(IErrorInfo, IID_IErrorInfo);
_COM_SMARTPTR_TYPEDEF(ICreateErrorInfo, IID_ICreateErrorInfo);
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, IID_ISupportErrorInfo);
_COM_SMARTPTR_TYPEDEF(IConnectionPoint, IID_IConnectionPoint);
_COM_SMARTPTR_TYPEDEF(IConnectionPointContainer, IID_IConnectionPointContainer);
