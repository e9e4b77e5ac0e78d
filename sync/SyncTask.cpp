#include "sync/SyncTask.h"

#include "platform/ado/Ado.h"
#include "platform/xml/MsXml.h"
#include "sync/ComponentUtilities.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncRunState.h"

#include <mutex>

namespace {

// What the XML library writes into its output's declaration; the device documents go out in UTF-8
// and the sender writes that encoding in its place.
constexpr std::string_view kUtf16Encoding = " encoding=\"UTF-16\"";

// Turns a thrown COM error into the thread's error information and its result.
template <typename Operation>
HRESULT GuardComErrors(Operation&& operation)
{
    try {
        return operation();
    } catch (const _com_error& error) {
        return SetComErrorInfo(error);
    }
}

HRESULT CreateDocument(const CLSID& clsid, IXMLDOMDocument2Ptr& document)
{
    HRESULT hr = document.CreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER);
    if (FAILED(hr))
        return hr;
    // Device documents and rowsets are read as they are: no validation, no external loads.
    if (FAILED(hr = document->put_validateOnParse(VARIANT_FALSE)) || FAILED(hr = document->put_preserveWhiteSpace(VARIANT_FALSE))
        || FAILED(hr = document->put_resolveExternals(VARIANT_FALSE)) || FAILED(hr = document->put_async(VARIANT_FALSE))) {
        document = nullptr;
        return hr;
    }
    return S_OK;
}

// Parses the text into the document; E_FAIL when it is not well-formed.
HRESULT LoadText(IXMLDOMDocument2* document, const std::string& text)
{
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document->loadXML(_bstr_t(text.c_str()), &loaded);
    if (FAILED(hr))
        return hr;
    return loaded == VARIANT_FALSE ? E_FAIL : S_OK;
}

std::string TextOfBstr(BSTR text)
{
    if (!text)
        return {};
    return static_cast<const char*>(_bstr_t(text));
}

} // namespace

SyncTask::~SyncTask() = default;

HRESULT SyncTask::LoadDetailDocument(UINT queryId, std::string& xml, const QueryParameterList& parameters)
{
    return LoadDetailDocument(queryId, xml, parameters, nullptr);
}

HRESULT SyncTask::LoadDetailDocument(
    UINT queryId, std::string& xml, const QueryParameterList& parameters, SyncDatabase* through)
{
    std::lock_guard lock(SyncRunState::DetailDocumentLock());
    xml.clear();
    m_documentText.reset();
    const _bstr_t connection = ConnectionString();
    if (connection.length() == 0)
        return E_INVALIDARG;
    const HRESULT result = GuardComErrors([&]() -> HRESULT {
        HRESULT hr = S_OK;
        if (!m_document && FAILED(hr = CreateDocument(CLSID_DOMDocument30, m_document)))
            return hr;
        if (!through && !m_detailDatabase)
            m_detailDatabase = std::make_unique<SyncDatabase>(connection);
        SyncDatabase& database = through ? *through : *m_detailDatabase;
        if (FAILED(hr = database.OpenSyncDatabase())) {
            if (!through)
                m_detailDatabase.reset();
            return hr;
        }
        _RecordsetPtr rows;
        hr = database.OpenStoredQuery(queryId, rows, parameters);
        if (FAILED(hr))
            return hr;
        hr = rows->Save(_variant_t(static_cast<IDispatch*>(m_document.GetInterfacePtr())), adPersistXML);
        if (FAILED(hr))
            _com_issue_error(hr);
        BSTR text = nullptr;
        if (SUCCEEDED(m_document->get_xml(&text))) {
            xml = TextOfBstr(text);
            m_documentText = xml;
        }
        SysFreeString(text);
        LONG state = adStateClosed;
        if (SUCCEEDED(rows->get_State(&state)) && (state & adStateOpen))
            rows->Close();
        return S_OK;
    });
    if (FAILED(result)) {
        xml.clear();
        m_documentText.reset();
        if (result != kNoRows)
            m_document = nullptr;
    }
    return result;
}

HRESULT SyncTask::TransformDocument(const std::string& input, const StylesheetParameters& parameters, UINT stylesheetId,
    std::string& document)
{
    document.clear();
    _bstr_t stylesheetText;
    if (!LoadStylesheet(stylesheetText, stylesheetId))
        return S_OK;
    const HRESULT result = GuardComErrors([&]() -> HRESULT {
        HRESULT hr = S_OK;
        if (!m_document && FAILED(hr = CreateDocument(CLSID_DOMDocument30, m_document)))
            return hr;
        if (!m_template && FAILED(hr = m_template.CreateInstance(CLSID_XSLTemplate30)))
            return hr;
        // The rows just read are already in the document: parsing their text again gives the same tree.
        if (m_documentText != input) {
            m_documentText.reset();
            if (FAILED(hr = LoadText(m_document, input)))
                return hr;
            m_documentText = input;
        }
        // A step turns each of its items with the same stylesheet: it is compiled once.
        if (m_templateStylesheet != stylesheetId) {
            m_templateStylesheet = 0;
            IXMLDOMDocument2Ptr stylesheet;
            if (FAILED(hr = CreateDocument(CLSID_FreeThreadedDOMDocument30, stylesheet)))
                return hr;
            if (FAILED(hr = LoadText(stylesheet, static_cast<const char*>(stylesheetText))))
                return hr;
            if (FAILED(hr = m_template->putref_stylesheet(stylesheet)))
                return hr;
            m_templateStylesheet = stylesheetId;
        }
        IXSLProcessorPtr processor;
        if (FAILED(hr = m_template->createProcessor(&processor)))
            return hr;
        if (FAILED(hr = processor->put_input(_variant_t(static_cast<IDispatch*>(m_document.GetInterfacePtr())))))
            return hr;
        for (const auto& [name, value] : parameters) {
            if (FAILED(hr = processor->addParameter(_bstr_t(name.c_str()), _variant_t(value.c_str()), _bstr_t(""))))
                return hr;
        }
        VARIANT_BOOL done = VARIANT_FALSE;
        while (done == VARIANT_FALSE) {
            if (FAILED(hr = processor->transform(&done)))
                return hr;
        }
        _variant_t output;
        if (FAILED(hr = processor->get_output(&output)))
            return hr;
        std::string text = output.vt == VT_BSTR ? TextOfBstr(output.bstrVal) : std::string();
        if (const auto at = text.find(kUtf16Encoding); at != std::string::npos)
            text.erase(at, kUtf16Encoding.size());
        document = std::move(text);
        return S_OK;
    });
    if (FAILED(result)) {
        document.clear();
        m_document = nullptr;
        m_documentText.reset();
        m_template = nullptr;
        m_templateStylesheet = 0;
    }
    return result;
}
