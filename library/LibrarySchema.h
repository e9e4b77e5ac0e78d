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
