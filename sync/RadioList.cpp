#include "sync/RadioList.h"

#include "sync/RecordReader.h"

using namespace record_reader;

bool RadioList::ParseItems(IXMLDOMDocument* document)
{
    return ForEachItem(document, [this](const IXMLDOMNodePtr& item) {
        auto record = std::make_shared<RadioRecord>();
        if (ParseRadioContainer(*record, item))
            emplace(Wide(record->href), std::move(record));
    });
}
