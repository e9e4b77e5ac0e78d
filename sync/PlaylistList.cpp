#include "sync/PlaylistList.h"

#include "sync/RecordReader.h"

using namespace record_reader;

bool PlaylistList::ParseItems(IXMLDOMDocument* document)
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
            auto record = std::make_unique<PlaylistRecord>();
            if (record->ParseContainerItem(item)) {
                const std::u16string key = record->HrefText();
                emplace(key, std::move(record));
            }
        }
        return true;
    } catch (const _com_error&) {
        return false;
    }
}
