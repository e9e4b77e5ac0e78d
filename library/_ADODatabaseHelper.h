#pragma once
// The library-maintenance helper: builds, upgrades, empties and compacts library files from the
// schema description, the stored-query catalogue and the lookup rows.

#include "library/LibrarySchema.h"
#include "platform/com/OaIdl.h"

class _ADODatabaseHelper {
public:
    // The declared size of a field (its size text read as a number); table and field names compare
    // without regard to case. 0 when the schema has no such table or field.
    static long FieldSizeOf(const char* tableName, const char* fieldName);
    // The position of the field with exactly this name (case counts) among count records; -1 when absent.
    static int IndexOfField(const char* fieldName, const SchemaField* fields, int count);
    // True when the date and time lies on an earlier day than the date text "mm/dd/yyyy" (read at its
    // fixed character positions); the time of day does not count.
    static bool IsOlderThan(const char* dateText, DATE value);
};
