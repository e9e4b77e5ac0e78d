#include "tools/rc/ToolbarResource.h"

#include "tools/rc/DataWriter.h"
#include "tools/rc/ScriptValues.h"

namespace rc {

std::vector<std::uint8_t> ToolbarResource::Compile(TokenStream& tokens)
{
    const SourceLocation opened = tokens.Peek().location;
    const auto width = ReadNumber(tokens, "button width", 1, 0xFFFF);
    tokens.Expect(",", "',' between the button width and height");
    const auto height = ReadNumber(tokens, "button height", 1, 0xFFFF);
    if (!tokens.AcceptBlockStart())
        tokens.Fail("expected BEGIN or '{' for the toolbar's buttons");
    std::vector<std::uint16_t> ids;
    while (!tokens.AcceptBlockEnd()) {
        if (tokens.AtEnd())
            throw ScriptError(opened, "TOOLBAR without END");
        if (tokens.AcceptKeyword("SEPARATOR")) {
            ids.push_back(0);
        } else if (tokens.AcceptKeyword("BUTTON")) {
            ids.push_back(static_cast<std::uint16_t>(ReadNumber(tokens, "button id", 1, 0xFFFF)));
        } else {
            tokens.Fail("expected BUTTON, SEPARATOR or END");
        }
        if (ids.size() > 0xFFFF)
            throw ScriptError(opened, "a toolbar holds at most 65535 entries");
    }
    DataWriter out;
    out.Word(1);
    out.Word(static_cast<std::uint32_t>(width));
    out.Word(static_cast<std::uint32_t>(height));
    out.Word(static_cast<std::uint32_t>(ids.size()));
    for (std::uint16_t id : ids)
        out.Word(id);
    return out.Take();
}

} // namespace rc
