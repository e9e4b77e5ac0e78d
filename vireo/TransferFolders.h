#pragma once
// The folders a process lets remote requests read, write and delete files in. A requested path is
// taken relative to the current directory, as every path of the framework is, and must name an entry
// strictly inside one of the folders: absolute paths, ".." and links that lead out are refused.

#include <string>

#include "vireo/Component.h"

namespace vireo {

class TransferFolders {
public:
    // The folders, relative to the current directory or absolute; none refuses every path.
    explicit TransferFolders(StringList folders);

    // True when a remote request may use the path.
    bool Allows(const std::string& path) const;

private:
    StringList m_folders;
};

} // namespace vireo
