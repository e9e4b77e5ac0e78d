#include "platform/cddb/CTagReader.h"

#include "platform/base/CodePage.h"
#include "platform/cddb/ComText.h"

namespace platform::cddb {

namespace {

constexpr LONG kModeRead = 1;
constexpr LONG kModeWrite = 0;

} // namespace

HRESULT CTagReader::LoadFile(BSTR path, LONG mode)
{
    m_tags.reset();
    if (mode != kModeRead && mode != kModeWrite)
        return Error("The mode is 1 for reading or 0 for writing.", platform::IidOf<ITagReader>(), E_INVALIDARG);
    std::string error;
    m_tags = Mp3TagFile::Open(TextOf(path), mode == kModeRead, error);
    if (!m_tags)
        return Error(platform::Utf8ToUtf16(error).c_str(), platform::IidOf<ITagReader>(), E_FAIL);
    return S_OK;
}

HRESULT CTagReader::GetText(Mp3TagFile::Field field, BSTR* text)
{
    if (!m_tags)
        return NotLoaded();
    return ReturnText(m_tags->Text(field), text);
}

HRESULT CTagReader::PutText(Mp3TagFile::Field field, BSTR text)
{
    if (!m_tags)
        return NotLoaded();
    m_tags->SetText(field, TextOf(text));
    return S_OK;
}

HRESULT CTagReader::GetFrame(BSTR frameId, BSTR* text)
{
    if (!m_tags)
        return NotLoaded();
    const std::string id = TextOf(frameId);
    if (id.size() != 4)
        return Error("A frame id has four letters.", platform::IidOf<ITagReader>(), E_INVALIDARG);
    return ReturnText(m_tags->Frame(id), text);
}

HRESULT CTagReader::SetFrame(BSTR frameId, BSTR text)
{
    if (!m_tags)
        return NotLoaded();
    const std::string id = TextOf(frameId);
    if (!IsWritableTextFrameId(id))
        return Error("Only text frames can be set.", platform::IidOf<ITagReader>(), E_INVALIDARG);
    m_tags->SetFrame(id, TextOf(text));
    return S_OK;
}

HRESULT CTagReader::SaveTags()
{
    if (!m_tags)
        return NotLoaded();
    if (!m_tags->Save())
        return Error("The tags could not be written into the file.", platform::IidOf<ITagReader>(), E_ACCESSDENIED);
    return S_OK;
}

HRESULT CTagReader::NotLoaded() { return Error("No file is loaded.", platform::IidOf<ITagReader>(), E_UNEXPECTED); }

} // namespace platform::cddb
