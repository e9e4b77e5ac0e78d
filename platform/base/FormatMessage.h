#pragma once
// Message formatting with numbered inserts: "%1" .. "%99", each optionally with a conversion between
// exclamation marks ("%1!s!", "%2!x!", "%10!ld!"; plain "%1" is "%1!s!"), and the escapes "%%" (percent),
// "%n" (line break), "%0" (end of the message, no line break); '%' before any other character gives that
// character. Conversions read "l" as 32 bits, as the sprintf-shaped formatter does.

#include <cstdarg>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/base/Format.h"
#include "platform/base/WinTypes.h"

constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400;
constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;
constexpr DWORD FORMAT_MESSAGE_MAX_WIDTH_MASK = 0x000000FF;

// Formats a message from a text (FROM_STRING: lpSource), a module's message table (FROM_HMODULE: modules of
// this system have none, so only FROM_SYSTEM can answer) or the system's error texts (FROM_SYSTEM). Arguments
// is a va_list*, or with ARGUMENT_ARRAY an array of DWORD_PTR cast to it (holding every number the inserts
// name, as nothing tells its length); inserts are copied unchanged under
// IGNORE_INSERTS. The low byte of dwFlags: 0 keeps the text's line breaks, MAX_WIDTH_MASK turns them into
// spaces, any other value also wraps lines at that many characters. With ALLOCATE_BUFFER, lpBuffer is an LPSTR*
// that receives a LocalAlloc'd text of at least nSize bytes (free it with LocalFree); otherwise lpBuffer holds
// nSize bytes. Returns the length stored without the zero; 0 on failure with ERROR_INVALID_PARAMETER (no text,
// or inserts but no arguments), ERROR_INSUFFICIENT_BUFFER or ERROR_RESOURCE_TYPE_NOT_FOUND.
DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize,
    va_list* Arguments);

namespace platform {

// fmt with its inserts filled from args ("%1" is args[0]); an insert whose argument is missing stays as written.
std::string FormatMessageInserts(LPCSTR fmt, std::initializer_list<FormatArg> args);
std::string FormatMessageInserts(LPCSTR fmt, const std::vector<FormatArg>& args);
// A short English text for a system error code or HRESULT; "Unknown error N" for codes it does not know.
std::string SystemErrorText(DWORD code);

} // namespace platform
