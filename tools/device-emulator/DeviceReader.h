#pragma once
// Reading the item documents the desktop sends (and those found in the library folder): what kind of
// item a document describes and the keys the device lists it under, and giving a document the
// device's own reference. Kept apart from the networking code, whose headers do not mix with the
// component model's.

#include <optional>
#include <string>

#include "tools/device-emulator/DeviceLibrary.h"

namespace emulator {

// The kind and keys of an item document (mp3info, cdinfo, songlistinfo, groupinfo, radioinfo); a
// groupinfo is a radio group when radio is set. None, with the reason, for text that is no such
// document.
std::optional<DocumentFacts> ReadDocumentFacts(const std::string& document, bool radio, std::string& error);

// The document with its root element's "href" set to the reference (added when it has none);
// everything else is kept as written. None when the text has no root element.
std::optional<std::string> WithReference(const std::string& document, const std::string& reference);

// Takes into the library every item document kept in the folder (the folder a document lies in
// decides its kind); false with the file and the reason for the first one that cannot be read.
bool LoadLibraryFolder(DeviceLibrary& library, std::string& error);

} // namespace emulator
