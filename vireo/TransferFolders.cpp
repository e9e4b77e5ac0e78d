#include "vireo/TransferFolders.h"

#include <algorithm>
#include <filesystem>

namespace vireo {

namespace fs = std::filesystem;

namespace {

// True when path lies below root, each given in canonical form.
bool IsStrictlyInside(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        // A trailing separator of the root shows up as an empty last element.
        if (r->empty() && std::next(r) == root.end())
            break;
        if (p == path.end() || *p != *r)
            return false;
    }
    return p != path.end() && !p->empty();
}

} // namespace

TransferFolders::TransferFolders(StringList folders)
    : m_folders(std::move(folders))
{
}

bool TransferFolders::Allows(const std::string& path) const
{
    if (path.empty() || m_folders.empty())
        return false;
    const fs::path requested(path);
    if (requested.has_root_path())
        return false;
    if (std::any_of(requested.begin(), requested.end(), [](const fs::path& part) { return part == ".."; }))
        return false;

    std::error_code error;
    const fs::path base = fs::current_path(error);
    if (error)
        return false;
    const fs::path full = base / requested;
    // A link that points nowhere would be followed by a create, to wherever it names.
    const fs::file_status link = fs::symlink_status(full, error);
    if (!error && fs::is_symlink(link) && !fs::exists(full, error))
        return false;
    const fs::path resolved = fs::weakly_canonical(full, error);
    if (error)
        return false;

    for (const std::string& folder : m_folders) {
        if (folder.empty())
            continue;
        const fs::path root = fs::weakly_canonical(base / folder, error);
        if (!error && IsStrictlyInside(resolved, root))
            return true;
    }
    return false;
}

} // namespace vireo
