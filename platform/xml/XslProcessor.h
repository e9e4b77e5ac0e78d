#pragma once
// One use of a compiled stylesheet: its input, its parameters and the text of its last result.

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/AtlBase.h"
#include "platform/xml/DispatchTables.h"
#include "platform/xml/XmlTree.h"
#include "platform/xml/XslTemplate.h"

namespace platform::xml {

class CXslProcessor : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<IXSLProcessor> {
public:
    BEGIN_COM_MAP(CXslProcessor)
    COM_INTERFACE_ENTRY(IXSLProcessor)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(CompiledStylesheet stylesheet) { m_stylesheet = std::move(stylesheet); }

    HRESULT put_input(VARIANT input) override;
    HRESULT get_input(VARIANT* input) override;
    HRESULT transform(VARIANT_BOOL* done) override;
    HRESULT get_output(VARIANT* output) override;
    HRESULT addParameter(BSTR baseName, VARIANT parameter, BSTR namespaceURI) override;

private:
    std::mutex m_lock;
    CompiledStylesheet m_stylesheet;
    CComVariant m_input;
    NodeRef m_inputNode;
    // Parameter name ("{namespace}name" when qualified) -> text value, in the order given.
    std::vector<std::pair<std::string, std::string>> m_parameters;
    std::u16string m_output;
};

} // namespace platform::xml
