#pragma once
// ISupportErrorInfo for a class whose methods of one interface set error information.

#include "platform/com/OaIdl.h"

template<const IID* piid> class ISupportErrorInfoImpl : public ISupportErrorInfo {
public:
    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override { return riid == *piid ? S_OK : S_FALSE; }
};
