#include "library/_ADODatabaseHelper.h"

#include "platform/base/CaseFold.h"
#include "platform/com/OleAuto.h"

#include <cstdlib>
#include <cstring>

long _ADODatabaseHelper::FieldSizeOf(const char* tableName, const char* fieldName)
{
    if (tableName == nullptr || fieldName == nullptr)
        return 0;
    for (const SchemaTable& table : LibrarySchemaTable) {
        if (!platform::EqualsNoCase(table.name, tableName))
            continue;
        for (std::size_t i = 0; i < table.fieldCount; ++i) {
            if (platform::EqualsNoCase(table.fields[i].name, fieldName))
                return std::atol(table.fields[i].sizeText);
        }
        return 0;
    }
    return 0;
}

int _ADODatabaseHelper::IndexOfField(const char* fieldName, const SchemaField* fields, int count)
{
    if (fieldName == nullptr || fields == nullptr)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].name, fieldName) == 0)
            return i;
    }
    return -1;
}

bool _ADODatabaseHelper::IsOlderThan(const char* dateText, DATE value)
{
    // The text is read at fixed positions; a short text reads as zeros past its end.
    char text[11] {};
    if (dateText != nullptr)
        std::strncpy(text, dateText, sizeof text - 1);
    const auto field = [&text](int first, int length) {
        char part[5] {};
        std::memcpy(part, text + first, static_cast<std::size_t>(length));
        return std::atoi(part);
    };
    const int month = field(0, 2);
    const int day = field(3, 2);
    const int year = field(6, 4);

    SYSTEMTIME stored {};
    if (!VariantTimeToSystemTime(value, &stored))
        return false;
    if (stored.wYear != year)
        return stored.wYear < year;
    if (stored.wMonth != month)
        return stored.wMonth < month;
    return stored.wDay < day;
}
