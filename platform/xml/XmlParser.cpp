#include "platform/xml/XmlParser.h"

#include <limits>

#include <libxml/parser.h>

#include "platform/base/CodePage.h"
#include "platform/xml/NodeOps.h"
#include "platform/xml/XmlLibrary.h"

namespace platform::xml {
namespace {

// Parser options: no network, no DTD loading, no entity substitution (and so no external entity
// is ever read), messages kept for parseError instead of printed, and the declared encoding
// ignored because the text has been decoded already.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;

bool StartsWithDeclaration(std::string_view text)
{
    return text.size() > 5 && text.substr(0, 5) == "<?xml"
        && (text[5] == ' ' || text[5] == '\t' || text[5] == '\r' || text[5] == '\n');
}

std::string DeclarationOf(const xmlDoc& doc)
{
    std::string declaration = "<?xml version=\"";
    declaration += doc.version ? reinterpret_cast<const char*>(doc.version) : "1.0";
    declaration += '"';
    if (doc.standalone == 1)
        declaration += " standalone=\"yes\"";
    else if (doc.standalone == 0)
        declaration += " standalone=\"no\"";
    return declaration + "?>";
}

ParseErrorInfo ErrorOf(const xmlError* error, std::string_view text)
{
    ParseErrorInfo info;
    info.errorCode = static_cast<LONG>(E_FAIL);
    info.reason = error && error->message ? error->message : "The text is not well-formed XML.";
    while (!info.reason.empty() && (info.reason.back() == '\n' || info.reason.back() == ' '))
        info.reason.pop_back();
    info.line = error ? error->line : 0;
    info.linepos = error ? error->int2 : 0;
    // The text of the line in error and the offset of the error in characters.
    size_t lineStart = 0;
    for (LONG line = 1; line < info.line && lineStart < text.size(); ++line) {
        const size_t next = text.find('\n', lineStart);
        lineStart = next == std::string_view::npos ? text.size() : next + 1;
    }
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos)
        lineEnd = text.size();
    info.srcText = std::string(text.substr(lineStart, lineEnd - lineStart));
    if (!info.srcText.empty() && info.srcText.back() == '\r')
        info.srcText.pop_back();
    info.filepos = static_cast<LONG>(platform::Utf8ToUtf16(text.substr(0, lineStart)).size()) + info.linepos;
    return info;
}

} // namespace

ParsedDocument ParseXmlText(std::string_view text, bool preserveWhiteSpace)
{
    EnsureXmlLibrary();
    ParsedDocument parsed;
    if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
        parsed.error.errorCode = static_cast<LONG>(E_OUTOFMEMORY);
        parsed.error.reason = "The text is too long to parse.";
        return parsed;
    }
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(), &xmlFreeParserCtxt);
    if (!context) {
        parsed.error.errorCode = static_cast<LONG>(E_OUTOFMEMORY);
        parsed.error.reason = "Out of memory.";
        return parsed;
    }
    XmlErrorCapture capture;
    parsed.doc.reset(
        xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", kParseOptions));
    if (!parsed.doc || !context->wellFormed || !xmlDocGetRootElement(parsed.doc.get())) {
        parsed.doc.reset();
        parsed.error = ErrorOf(xmlCtxtGetLastError(context.get()), text);
        return parsed;
    }
    xmlDocPtr doc = parsed.doc.get();
    // The tree holds UTF-8 whatever the text declared; saying so keeps the serialiser from
    // writing non-ASCII attribute values as character references.
    if (doc->encoding)
        xmlFree(const_cast<xmlChar*>(doc->encoding));
    doc->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("UTF-8"));
    if (StartsWithDeclaration(text))
        parsed.declaration = DeclarationOf(*doc);
    if (!preserveWhiteSpace)
        DropWhiteSpaceText(reinterpret_cast<xmlNodePtr>(doc));
    return parsed;
}

} // namespace platform::xml
