#include "sync/AlbumList.h"

#include "sync/RecordReader.h"

using namespace record_reader;

bool AlbumList::ParseItems(IXMLDOMDocument* document)
{
    return ForEachItem(document, [this](const IXMLDOMNodePtr& item) {
        auto record = std::make_unique<AlbumRecord>();
        if (!record->ParseContainerItem(item))
            return;
        const std::u16string key = record->HrefText();
        // The first record of a URL stays: items of several replies accumulate without repeats.
        emplace(key, std::move(record));
    });
}

AlbumList::iterator AlbumList::Find(const std::u16string& href)
{
    iterator entry = find(href);
    if (entry != end())
        return entry;
    const std::size_t query = href.find(u'?');
    if (query == std::u16string::npos)
        return end();
    const std::u16string base = href.substr(0, query);
    entry = find(base);
    if (entry != end())
        return entry;
    const std::size_t type = href.find(u"type=");
    if (type == std::u16string::npos)
        return end();
    std::u16string typeArgument = href.substr(type);
    const std::size_t semicolon = typeArgument.find(u';');
    if (semicolon != std::u16string::npos)
        typeArgument.erase(semicolon);
    return find(base + u"?" + typeArgument);
}
