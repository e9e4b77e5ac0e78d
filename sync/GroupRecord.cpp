#include "sync/GroupRecord.h"

#include "sync/RecordReader.h"

using namespace record_reader;

GroupRecord::GroupRecord()
    : m_name(TextValue(_bstr_t()))
    , m_resource(TextValue(_bstr_t()))
    , m_coverArt(TextValue(_bstr_t()))
    , m_href(TextValue(_bstr_t()))
    , m_secondaryKey(TextValue(_bstr_t()))
{
}

bool ParseGroupContainer(GroupRecord& record, IXMLDOMNode* item)
{
    if (!item)
        return false;
    try {
        ReadContainerItem(item, record.m_label, record.m_href, record.m_name, record.m_secondaryKey);
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

bool GroupRecord::ParseGroupInfo(IXMLDOMNode* root)
{
    if (!root)
        return false;
    try {
        const std::optional<_bstr_t> href = NamedText(Attributes(root), "href");
        if (!href)
            _com_raise_error(E_POINTER);
        m_href = TextValue(*href);
        if (!HasChildren(root))
            return true;
        if (auto name = ChildText(root, "name"))
            m_name = TextValue(*name);
        if (auto count = ChildText(root, "count"))
            m_count = ToLong(*count);
        if (auto resource = ChildText(root, "resource"))
            m_resource = TextValue(*resource);
        if (auto coverArt = ChildText(root, "coverart"))
            m_coverArt = TextValue(*coverArt);
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}
