#pragma once
// The base of the four synchronisation steps (groups, albums, radio, playlists). A step is made on
// the worker's stack for one step of a run and works for one device object. The base turns a stored
// query's rows into rowset XML and rowset XML into a device document through one of the component's
// stylesheets; its XML document and template, and the database connection of its detail queries,
// are made on first use and kept for every item of the step.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/xml/MsXml.h"
#include "sync/QueryParameter.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncTaskDevice.h"

class DeviceClient;

// A stylesheet's top-level parameters: name and text value.
using StylesheetParameters = std::vector<std::pair<std::string, std::string>>;

class SyncTask {
public:
    // The step works for the device object, which outlives it.
    explicit SyncTask(SyncTaskDevice* device)
        : m_device(device)
    {
    }
    SyncTask(const SyncTask&) = delete;
    SyncTask& operator=(const SyncTask&) = delete;
    virtual ~SyncTask();

    // The rows of the stored query (string-table id) with the parameters, as rowset XML in xml.
    // E_INVALIDARG without a connection string; kNoRows with an empty text when the query has no
    // rows; any other failure as its HRESULT, with the text empty. One detail query of the process
    // runs at a time.
    virtual HRESULT LoadDetailDocument(UINT queryId, std::string& xml, const QueryParameterList& parameters);
    // The input rowset XML turned into a device document by the stylesheet (its resource number),
    // with an XML declaration that names no encoding. S_OK with an empty document when there is no
    // such stylesheet; E_FAIL when the input or the stylesheet is not well-formed; any other failure
    // as its HRESULT, with the document empty.
    virtual HRESULT TransformDocument(const std::string& input, const StylesheetParameters& parameters, UINT stylesheetId,
        std::string& document);

protected:
    // As above, read through the given connection instead of the step's own, so that the rows show
    // what that connection has written and not yet committed; the connection stays open.
    HRESULT LoadDetailDocument(UINT queryId, std::string& xml, const QueryParameterList& parameters, SyncDatabase* through);

    // What the step reads of its device object; null and empty texts without one.
    DeviceClient* Client() const { return m_device ? m_device->Client() : nullptr; }
    _bstr_t ConnectionString() const { return m_device ? m_device->ConnectionString() : _bstr_t(); }
    _bstr_t MusicFolder() const { return m_device ? m_device->MusicFolder() : _bstr_t(); }

private:
    IXMLDOMDocument2Ptr m_document;
    // The rowset XML the document holds, when it is known.
    std::optional<std::string> m_documentText;
    IXSLTemplatePtr m_template;
    // The stylesheet (resource number) the template holds; 0 for none.
    UINT m_templateStylesheet { 0 };
    SyncTaskDevice* m_device { nullptr };
    // Opening a connection reads the whole schema, which costs more than a detail query: a step that
    // makes a document for each of its items keeps one.
    std::unique_ptr<SyncDatabase> m_detailDatabase;
};
