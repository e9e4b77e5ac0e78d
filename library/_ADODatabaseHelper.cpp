#include "library/_ADODatabaseHelper.h"

#include "platform/base/CaseFold.h"

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
