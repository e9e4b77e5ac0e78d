#include "sync/PlaylistList.h"

#include "sync/RecordReader.h"

using namespace record_reader;

bool PlaylistList::ParseItems(IXMLDOMDocument* document)
{
    return ForEachItem(document, [this](const IXMLDOMNodePtr& item) {
        auto record = std::make_unique<PlaylistRecord>();
        if (record->ParseContainerItem(item)) {
            const std::u16string key = record->HrefText();
            emplace(key, std::move(record));
        }
    });
}
