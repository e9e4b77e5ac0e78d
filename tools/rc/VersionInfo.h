#pragma once
// VERSIONINFO statements, compiled into RT_VERSION data: a tree of nodes, each a length word (the node
// with its children), a value-length word (UTF-16 units for text, bytes for binary data), a type word
// (1 text, 0 binary), its zero-terminated UTF-16 key, then its value and its children, each padded to
// 32 bits. The root is "VS_VERSION_INFO" whose value is the 52-byte fixed information (signature
// 0xFEEF04BD, structure version 1.0, file and product versions as two 32-bit halves each, flags mask,
// flags, OS, type, subtype, and a date of zero); the script's BLOCKs and VALUEs are its children.
//
//   1 VERSIONINFO FILEVERSION 1,2,4,1048 FILEOS 0x4 BEGIN BLOCK "StringFileInfo" BEGIN ... END END

#include <cstdint>
#include <vector>

#include "tools/rc/TokenStream.h"

namespace rc {

constexpr std::uint16_t kTypeVersion = 16;

class VersionInfo {
public:
    // Reads the fixed statements and the block of the resource; returns its data; throws ScriptError.
    static std::vector<std::uint8_t> Compile(TokenStream& tokens);
};

} // namespace rc
