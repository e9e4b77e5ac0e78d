#pragma once
// One profile (INI) file in memory: sections of "key=value" lines.
//
// Section and key names compare without regard to case and keep the spelling in the file; sections and
// keys keep their order. Lines that are not entries (comments, blank lines, text the parser does not
// understand) are kept and written back as they were, and so is every entry that was not changed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileFile {
public:
    // Parses the text of a file; every text is a valid profile.
    static ProfileFile parse(std::string_view text);
    // The file's text, unchanged lines as they were read.
    std::string serialize() const;

    // Section names in file order, each once.
    std::vector<std::string> sectionNames() const;
    // Key names of a section in file order, each once; empty when the section is missing.
    std::vector<std::string> keyNames(std::string_view section) const;
    // The section's entries as "key=value" texts.
    std::vector<std::string> entries(std::string_view section) const;
    // The value of a key as written in the file, without surrounding blanks; nullopt when missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets a key, appending it after the section's last entry (and the section at the end) when new.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every entry of the key; false when there was none.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes the section with all its lines; false when there was none.
    bool removeSection(std::string_view section);
    // Replaces the entries of a section (created when missing) by the given lines.
    void replaceEntries(std::string_view section, const std::vector<std::string>& lines);

private:
    struct Line {
        std::string text; // as read, or as built for a changed entry
        std::optional<std::string> key; // set for entries
        std::string value;
    };
    struct Section {
        std::string name;
        std::string header;
        std::vector<Line> lines;
    };

    static Line entryLine(std::string_view key, std::string_view value);
    static std::optional<Line> parseEntry(std::string_view text);
    Section& obtainSection(std::string_view section);

    std::vector<std::string> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
    bool m_byteOrderMark { false };
    std::string m_newline { "\n" };
};

} // namespace platform
