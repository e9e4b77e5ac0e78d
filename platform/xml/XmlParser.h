#pragma once
// Parses document text with every external fetch disabled: no DTD, no external entity, no network.

#include <memory>
#include <string>
#include <string_view>

#include <libxml/tree.h>

#include "platform/xml/DomParseError.h"

namespace platform::xml {

struct ParsedDocument {
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc { nullptr, &xmlFreeDoc };
    // The XML declaration as the document prints it (no encoding: the text is Unicode); empty
    // when the text had none.
    std::string declaration;
    // errorCode 0 when doc was parsed.
    ParseErrorInfo error;
};

// Parses UTF-8 text (any encoding its declaration names is ignored: the text is already decoded).
// Text nodes of white space only are dropped unless preserveWhiteSpace.
ParsedDocument ParseXmlText(std::string_view text, bool preserveWhiteSpace);

} // namespace platform::xml
