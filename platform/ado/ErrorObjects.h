#pragma once
// The provider error list of a connection, read live from its shared state.

#include "platform/ado/Ado.h"
#include "platform/ado/ConnectionState.h"
#include "platform/com/AtlBase.h"

namespace platform::ado {

// One provider error, as recorded.
class CError : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<::Error> {
public:
    BEGIN_COM_MAP(CError)
    COM_INTERFACE_ENTRY(::Error)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(ProviderError error) { m_error = std::move(error); }

    HRESULT get_Number(LONG* pl) override;
    HRESULT get_Source(BSTR* pbstr) override;
    HRESULT get_Description(BSTR* pbstr) override;
    HRESULT get_HelpFile(BSTR* pbstr) override;
    HRESULT get_HelpContext(LONG* pl) override;
    HRESULT get_SQLState(BSTR* pbstr) override;
    HRESULT get_NativeError(LONG* pl) override;

private:
    ProviderError m_error;
};

// The errors of a connection.
class CErrors : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<::Errors> {
public:
    BEGIN_COM_MAP(CErrors)
    COM_INTERFACE_ENTRY(::Errors)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(std::shared_ptr<ConnectionState> state) { m_state = std::move(state); }

    HRESULT get_Count(LONG* c) override;
    HRESULT get_Item(VARIANT Index, ::Error** ppvObject) override;
    HRESULT Clear() override;

private:
    std::shared_ptr<ConnectionState> m_state;
};

} // namespace platform::ado
