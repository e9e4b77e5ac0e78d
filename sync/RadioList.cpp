#include "sync/RadioList.h"

#include "sync/RecordReader.h"

using namespace record_reader;

bool RadioList::ParseItems(IXMLDOMDocument* document)
{
    if (!document)
        return false;
    try {
        IXMLDOMElementPtr root;
        Check(document->get_documentElement(&root));
        if (!root)
            return false;
        const std::vector<IXMLDOMNodePtr> items = SelectAll(root, "item");
        if (items.empty())
            return false;
        for (const IXMLDOMNodePtr& item : items) {
            auto record = std::make_shared<RadioRecord>();
            if (ParseRadioContainer(*record, item))
                emplace(Wide(record->href), std::move(record));
        }
        return true;
    } catch (const _com_error&) {
        return false;
    }
}
