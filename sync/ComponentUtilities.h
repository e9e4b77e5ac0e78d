#pragma once
// Small routines that the component's objects, its device client and its steps share: error
// information, the component's own resources, the library's column sizes, the per-device registry
// values and device URLs. Texts on the component's "ANSI" side are UTF-8 (std::string).

#include <string>
#include <string_view>

#include "platform/base/Registry.h"
#include "platform/com/ComDef.h"

// The caught COM error becomes the calling thread's error information: its own when it carries one,
// else a new one naming the connection class ("Unknown COM error."). The error's HRESULT, or E_FAIL
// when the new error information could not be made.
HRESULT SetComError(const _com_error& error);
// As SetComError, with a new error information that names no interface and no source.
HRESULT SetComErrorInfo(const _com_error& error);

// The string-table entry (at most 511 characters) of the module as a new BSTR in text (the old one is
// freed); false with a null BSTR when there is no such entry.
bool LoadStringAsBstr(HINSTANCE module, UINT id, BSTR& text);
// The component's stylesheet (RCDATA resource id, zero-terminated UTF-8) in text; false when the
// resource is missing or empty.
bool LoadStylesheet(_bstr_t& text, UINT id);

// The size of a library column (table and column compared without regard to case); 0 when unknown.
LONG GetColumnSize(std::string_view table, std::string_view column);
// out is text cut to its first 'maximum' characters when it is longer (a character is never split);
// otherwise text unchanged. Always true.
bool TruncateToColumn(std::string& out, const std::string& text, LONG maximum);
// A copy in which the ASCII capitals are small letters; other bytes stay.
std::string ToLower(std::string_view text);

// The predefined key named by "HKEY_CURRENT_USER" and its six siblings (any case); null otherwise.
HKEY ParseRootKey(std::string_view name);
// Splits "ROOT\sub\path" at its first backslash; false without one or with an unknown root.
bool SplitKeyPath(std::string_view path, HKEY& root, std::string& subPath);
// The text of a value under the program's key + subKey + "\" in the user's hive (or under rootPath +
// subKey + "\" when rootPath is given); empty on any failure.
std::string ReadSyncRegistryValue(const std::string& valueName, const std::string& subKey, const char* rootPath = nullptr);
// Writes value as REG_SZ under the same key, creating it; false when the key cannot be made.
bool WriteSyncRegistryValue(
    const std::string& value, const std::string& valueName, const std::string& subKey, const char* rootPath = nullptr);

// The text without its first "file://localhost/", or when it has none, without its first
// "vqp://localhost/"; otherwise unchanged.
std::string StripLocalPrefix(std::string_view text);
std::string StripLocalPrefix(std::u16string_view text);
// True when the URL's host (after "file://" and "vqp://") is localhost or the opened device's unique
// name, without regard to case.
bool IsThisDeviceUrl(std::string_view url);
bool IsThisDeviceUrl(std::u16string_view url);
