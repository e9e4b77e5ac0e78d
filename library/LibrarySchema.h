#pragma once
// The tables of a library file as the program defines them: creation builds every table from this
// description and the upgrade brings older files into line with it. Every member is the text the
// definition gives (sizes are decimal texts), so the description reads like the schema it mirrors.

#include <array>
#include <cstddef>

// One column of a table. typeWord is "Text", "Memo", "Number", "AutoNumber", "Yes/No" or "Date/Time".
struct SchemaField {
    const char* name;
    const char* typeWord;
    const char* sizeText;
    const char* keyFlag;     // "True" for the table's key field, "False" otherwise
    const char* description; // empty: no description is stored
};

// One table: its name, the date its definition last changed ("mm/dd/yyyy") and its fields in order.
struct SchemaTable {
    const char* name;
    const char* schemaDate;
    std::size_t fieldCount;
    const SchemaField* fields;
};

inline constexpr std::size_t kSchemaTableCount = 25;

// The 25 tables in creation order, the order of every pass over the schema.
extern const std::array<SchemaTable, kSchemaTableCount> LibrarySchemaTable;

// An index beside a table's key, on a field the program looks rows up by. A new file is made with
// them and the upgrade gives an older file the ones it lacks; code that does not know an index
// reads the file as before.
struct SchemaIndex {
    const char* table;
    const char* name;
    const char* field;
};

// Without them, every read of an album's tracks (the track list, the synchronisation's album details)
// makes SQLite build a temporary index over all tracks first, and the music import's check of each
// file's path and look-up of its album by title read every track and every album: an import grew
// with the square of the library.
inline constexpr std::array<SchemaIndex, 3> LibrarySchemaIndexes { {
    { "tMusicTracks", "QVCDIDIndex", "QVCDID" },
    { "tMusicTracks", "FilePathIndex", "FilePath" },
    { "tMusicMain", "TitleIndex", "Title" },
} };
