#include "platform/shell/FileDialogModel.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/base/CaseFold.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileInfo.h"
#include "platform/base/FindFile.h"
#include "platform/base/Paths.h"

namespace platform {

namespace {

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsAbsolute(std::string_view name)
{
    return (name.size() >= 2 && name[1] == ':') || (!name.empty() && IsPathSeparator(name.front()));
}

std::string WithSeparator(std::string path)
{
    if (path.empty() || !IsPathSeparator(path.back()))
        path += '\\';
    return path;
}

size_t NameOffset(std::string_view path)
{
    const auto last = path.find_last_of("\\/:");
    return last == std::string_view::npos ? 0 : last + 1;
}

// Where the extension starts in a name (after its last dot), or npos.
size_t ExtensionOffset(std::string_view name)
{
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos || dot + 1 == name.size() ? std::string_view::npos : dot + 1;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string> SplitPatterns(std::string_view text)
{
    std::vector<std::string> patterns;
    while (!text.empty()) {
        const auto semicolon = text.find(';');
        const std::string_view pattern = Trimmed(text.substr(0, semicolon));
        if (!pattern.empty())
            patterns.emplace_back(pattern);
        text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    }
    return patterns;
}

// The names typed: one, or with several allowed, every quoted name ("a.mp3" "b.mp3").
std::vector<std::string> TypedNames(std::string_view typed, bool several)
{
    std::vector<std::string> names;
    if (!several || typed.find('"') == std::string_view::npos) {
        if (!typed.empty())
            names.emplace_back(typed);
        return names;
    }
    while (true) {
        const auto open = typed.find('"');
        if (open == std::string_view::npos)
            break;
        const auto close = typed.find('"', open + 1);
        const std::string_view name = Trimmed(typed.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
        if (!name.empty())
            names.emplace_back(name);
        if (close == std::string_view::npos)
            break;
        typed.remove_prefix(close + 1);
    }
    return names;
}

void CopyCut(LPSTR out, DWORD size, std::string_view text)
{
    if (!out || size == 0)
        return;
    size_t n = std::min<size_t>(text.size(), size - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

std::string ExistingSpelling(const std::string& programPath)
{
    DWORD error = 0;
    const auto native = MapToNative(programPath, error);
    std::error_code ec;
    if (!native || !std::filesystem::exists(*native, ec))
        return programPath;
    std::string spelt = ToProgramPath(*native);
    if (!programPath.empty() && IsPathSeparator(programPath.back()) && (spelt.empty() || !IsPathSeparator(spelt.back())))
        spelt += '\\';
    return spelt;
}

std::vector<FileFilter> ParseFileFilter(LPCSTR filter)
{
    std::vector<FileFilter> filters;
    if (!filter)
        return filters;
    const char* p = filter;
    while (*p) {
        FileFilter entry;
        entry.description = p;
        p += entry.description.size() + 1;
        if (!*p)
            break;
        entry.patterns = SplitPatterns(p);
        p += std::strlen(p) + 1;
        filters.push_back(std::move(entry));
    }
    return filters;
}

FileDialogModel::FileDialogModel(const OPENFILENAME& ofn, bool save)
    : m_flags(ofn.Flags)
    , m_save(save)
    , m_defaultExtension(ofn.lpstrDefExt ? ofn.lpstrDefExt : "")
    , m_filters(ParseFileFilter(ofn.lpstrFilter))
{
    if (!m_filters.empty() && ofn.nFilterIndex > 0)
        m_filterIndex = std::min<size_t>(ofn.nFilterIndex - 1, m_filters.size() - 1);
    while (!m_defaultExtension.empty() && m_defaultExtension.front() == '.')
        m_defaultExtension.erase(0, 1);

    std::error_code ec;
    m_folder = WithSeparator(ToProgramPath(std::filesystem::current_path(ec).string()));
    std::string initial;
    if (ofn.lpstrFile && ofn.nMaxFile > 0)
        initial.assign(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir)
        openFolder(ofn.lpstrInitialDir);
    // A folder in the initial name wins over the initial folder, as the name is the caller's last choice.
    const size_t offset = NameOffset(initial);
    if (offset > 0 && openFolder(initial.substr(0, offset)))
        initial.erase(0, offset);
    if (!initial.empty() && IsFolder(fullPath(initial))) {
        openFolder(initial);
        initial.clear();
    }
    m_initialName = initial;
}

std::string FileDialogModel::fullPath(std::string_view name) const
{
    return FullProgramPath(IsAbsolute(name) ? std::string(name) : m_folder + std::string(name));
}

bool FileDialogModel::openFolder(std::string_view path)
{
    path = Trimmed(path);
    if (path.empty())
        return false;
    const std::string full = WithSeparator(fullPath(path));
    if (!IsFolder(full))
        return false;
    m_folder = WithSeparator(ExistingSpelling(full));
    return true;
}

void FileDialogModel::selectFilter(size_t index)
{
    if (index < m_filters.size()) {
        m_filterIndex = index;
        m_typedPatterns.clear();
    }
}

std::vector<FolderEntry> FileDialogModel::entries() const
{
    const std::vector<std::string>* patterns = !m_typedPatterns.empty() ? &m_typedPatterns
        : m_filters.empty()                                            ? nullptr
                                                                       : &m_filters[m_filterIndex].patterns;
    std::vector<FolderEntry> folders;
    std::vector<FolderEntry> files;
    WIN32_FIND_DATA data;
    HANDLE search = FindFirstFile((m_folder + "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    do {
        const std::string name = data.cFileName;
        if (name.empty() || name.front() == '.')
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back({ name, true });
            continue;
        }
        const bool shown = !patterns
            || std::any_of(patterns->begin(), patterns->end(), [&](const std::string& p) { return MatchesWildcard(p, name); });
        if (shown)
            files.push_back({ name, false });
    } while (FindNextFile(search, &data));
    FindClose(search);
    const auto byName = [](const FolderEntry& a, const FolderEntry& b) { return LessNoCase()(a.name, b.name); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

FileDialogModel::Verdict FileDialogModel::submit(std::string_view typed, bool overwriteConfirmed)
{
    const std::vector<std::string> names = TypedNames(Trimmed(typed), (m_flags & OFN_ALLOWMULTISELECT) != 0);
    if (names.empty())
        return Verdict::InvalidName;

    if (names.size() == 1) {
        const std::string& name = names.front();
        if (name.find_first_of("*?") != std::string::npos) {
            // A pattern typed as a name filters the list (in its own folder, when it names one).
            const size_t offset = NameOffset(name);
            if (offset > 0 && !openFolder(name.substr(0, offset)))
                return Verdict::PathNotFound;
            m_typedPatterns = SplitPatterns(name.substr(offset));
            return Verdict::OpenedFolder;
        }
        if (name == ".." || IsFolder(fullPath(name)))
            return openFolder(name) ? Verdict::OpenedFolder : Verdict::PathNotFound;
    }

    std::vector<std::string> chosen;
    std::string commonFolder;
    for (const std::string& name : names) {
        std::string full = fullPath(name);
        const size_t offset = NameOffset(full);
        if (offset >= full.size())
            return Verdict::InvalidName;
        if (!m_defaultExtension.empty() && ExtensionOffset(std::string_view(full).substr(offset)) == std::string::npos) {
            // Saving always adds it; opening adds it when only the longer name exists.
            const std::string extended = full + "." + m_defaultExtension;
            if (m_save || (!IsFile(full) && IsFile(extended)))
                full = extended;
        }
        const std::string folderPart = full.substr(0, offset);
        if (commonFolder.empty())
            commonFolder = folderPart;
        else if (!EqualsNoCase(commonFolder, folderPart))
            return Verdict::InvalidName; // several files come from one folder
        if (!(m_flags & OFN_NOVALIDATE)) {
            const bool folderNeeded = m_save || (m_flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
            if (folderNeeded && !IsFolder(folderPart))
                return Verdict::PathNotFound;
            if ((m_flags & OFN_FILEMUSTEXIST) && !IsFile(full))
                return Verdict::NotFound;
            if (m_save && (m_flags & OFN_OVERWRITEPROMPT) && IsFile(full) && !overwriteConfirmed)
                return Verdict::ConfirmOverwrite;
        }
        chosen.push_back(std::move(full));
    }
    m_chosen = std::move(chosen);
    return Verdict::Accepted;
}

DWORD FileDialogModel::store(OPENFILENAME& ofn) const
{
    if (m_chosen.empty() || !ofn.lpstrFile)
        return CDERR_INITIALIZATION;
    std::string result;
    WORD nameOffset = 0;
    const std::string& first = m_chosen.front();
    if (m_chosen.size() == 1) {
        result = first;
        nameOffset = static_cast<WORD>(NameOffset(first));
    } else {
        // Several files: their folder, then each name; zeros between them in the newer style,
        // blanks in the older one.
        const char separator = (ofn.Flags & OFN_EXPLORER) ? '\0' : ' ';
        std::string folder = first.substr(0, NameOffset(first));
        if (folder.size() > 3 && IsPathSeparator(folder.back()))
            folder.pop_back();
        result = folder;
        nameOffset = static_cast<WORD>(folder.size() + 1);
        for (const std::string& path : m_chosen) {
            result += separator;
            result += path.substr(NameOffset(path));
        }
        if (separator == '\0')
            result += '\0';
    }
    if (result.size() + 1 > ofn.nMaxFile) {
        // The size needed goes where the caller will look for it.
        const size_t needed = std::min<size_t>(result.size() + 1, 0xFFFF);
        if (ofn.nMaxFile >= 2) {
            const WORD size = static_cast<WORD>(needed);
            std::memcpy(ofn.lpstrFile, &size, sizeof size);
        }
        return FNERR_BUFFERTOOSMALL;
    }
    std::memcpy(ofn.lpstrFile, result.data(), result.size());
    ofn.lpstrFile[result.size()] = '\0';
    ofn.nFileOffset = nameOffset;
    const std::string_view name = std::string_view(first).substr(NameOffset(first));
    const size_t extension = ExtensionOffset(name);
    ofn.nFileExtension = m_chosen.size() > 1 ? 0
        : static_cast<WORD>(extension == std::string_view::npos ? first.size() : NameOffset(first) + extension);
    ofn.Flags &= ~OFN_EXTENSIONDIFFERENT;
    if (!m_defaultExtension.empty()
        && (extension == std::string_view::npos || !EqualsNoCase(std::string(name.substr(extension)), m_defaultExtension)))
        ofn.Flags |= OFN_EXTENSIONDIFFERENT;
    ofn.nFilterIndex = static_cast<DWORD>(m_filters.empty() ? 0 : m_filterIndex + 1);
    CopyCut(ofn.lpstrFileTitle, ofn.nMaxFileTitle, name);
    return 0;
}

} // namespace platform
