#pragma once
// What a file dialog does apart from showing itself: the folder it is in and what that folder lists
// under the chosen filter, how a typed name becomes a chosen path (default extension, the checks the
// flags ask for), and how the choice is written back into the caller's record.

#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/CommDlg.h"

namespace platform {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// A program path of an existing file or folder with its names spelt as they are on disk (names match
// without regard to case); the path unchanged when it does not exist.
std::string ExistingSpelling(const std::string& programPath);

// The filters of a filter text: description and patterns in pairs, separated and ended by zeros,
// the list by an empty description; patterns separated by ";". An unpaired description is dropped.
std::vector<FileFilter> ParseFileFilter(LPCSTR filter);

struct FolderEntry {
    std::string name;
    bool folder { false };
};

class FileDialogModel {
public:
    enum class Verdict {
        Accepted, // chosen() holds the choice
        OpenedFolder, // the name was a folder (or a pattern): the dialog shows it now
        NotFound, // the file must exist and does not
        PathNotFound, // its folder does not exist
        ConfirmOverwrite, // the file exists and the flags ask to confirm replacing it
        InvalidName, // nothing usable was typed
    };

    FileDialogModel(const OPENFILENAME& ofn, bool save);

    // The folder shown, as a program path ending in "\".
    const std::string& folder() const { return m_folder; }
    // Shows another folder (absolute, relative to the shown one, or ".."); false, keeping the shown
    // one, when it is no folder.
    bool openFolder(std::string_view path);
    const std::vector<FileFilter>& filters() const { return m_filters; }
    // The filter in use (from 0).
    size_t filterIndex() const { return m_filterIndex; }
    void selectFilter(size_t index);
    // The shown folder's folders, then its files that the filter lets through, each group in name
    // order without regard to case; hidden (dot) names left out.
    std::vector<FolderEntry> entries() const;
    // The name the dialog starts with (the record's file name without its folder).
    const std::string& initialName() const { return m_initialName; }

    // Takes a typed name (or, with OFN_ALLOWMULTISELECT, several quoted names); overwriteConfirmed
    // answers an earlier ConfirmOverwrite.
    Verdict submit(std::string_view typed, bool overwriteConfirmed = false);
    // The chosen files' program paths after Accepted.
    const std::vector<std::string>& chosen() const { return m_chosen; }
    // Writes the choice into the record; 0, or FNERR_BUFFERTOOSMALL with the size needed in the
    // file buffer's first two bytes.
    DWORD store(OPENFILENAME& ofn) const;

private:
    std::string fullPath(std::string_view name) const;

    DWORD m_flags;
    bool m_save;
    std::string m_defaultExtension;
    std::vector<FileFilter> m_filters;
    size_t m_filterIndex { 0 };
    std::vector<std::string> m_typedPatterns; // a pattern typed as a name replaces the filter's
    std::string m_folder;
    std::string m_initialName;
    std::vector<std::string> m_chosen;
};

} // namespace platform
