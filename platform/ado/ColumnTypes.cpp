#include "platform/ado/ColumnTypes.h"

#include "platform/base/CaseFold.h"

#include <cstdlib>

namespace platform::ado {

namespace {

struct DeclaredName {
    std::string_view name;
    DataTypeEnum type;
};

// The first name of each type is the one written; the others are read for files made by hand.
constexpr DeclaredName kNames[] = {
    { "INTEGER", adInteger },
    { "LONG", adInteger },
    { "INT", adInteger },
    { "SMALLINT", adSmallInt },
    { "BYTE", adUnsignedTinyInt },
    { "YESNO", adBoolean },
    { "BIT", adBoolean },
    { "DATETIME", adDate },
    { "TEXT", adVarWChar },
    { "VARCHAR", adVarWChar },
    { "LONGTEXT", adLongVarWChar },
    { "MEMO", adLongVarWChar },
    { "DOUBLE", adDouble },
    { "FLOAT", adDouble },
    { "REAL", adSingle },
    { "CURRENCY", adCurrency },
    { "GUID", adGUID },
    { "BINARY", adVarBinary },
    { "LONGBINARY", adLongVarBinary },
    { "BLOB", adLongVarBinary },
    { "BIGINT", adBigInt },
};

} // namespace

ColumnType ColumnTypeFromDeclared(std::string_view declared)
{
    const size_t paren = declared.find('(');
    std::string_view name = declared.substr(0, paren);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    for (const auto& entry : kNames) {
        if (!EqualsNoCase(entry.name, name))
            continue;
        ColumnType column { entry.type, FixedSizeOf(entry.type) };
        if (paren != std::string_view::npos)
            column.definedSize = std::atoi(std::string(declared.substr(paren + 1)).c_str());
        else if (entry.type == adVarWChar)
            column.definedSize = 255;
        return column;
    }
    return {};
}

std::string DeclaredFromColumnType(ColumnType column)
{
    switch (column.type) {
    case adVarWChar:
    case adWChar:
    case adVarChar:
    case adChar:
    case adBSTR:
        return "TEXT(" + std::to_string(column.definedSize > 0 ? column.definedSize : 255) + ") COLLATE NOCASE";
    case adLongVarWChar:
    case adLongVarChar:
        return column.definedSize > 0 ? "LONGTEXT(" + std::to_string(column.definedSize) + ") COLLATE NOCASE" : "LONGTEXT COLLATE NOCASE";
    case adBoolean:
        return "YESNO";
    case adDate:
    case adDBDate:
    case adDBTimeStamp:
        return "DATETIME";
    case adSmallInt:
        return "SMALLINT";
    case adUnsignedTinyInt:
    case adTinyInt:
        return "BYTE";
    case adDouble:
    case adNumeric:
    case adDecimal:
        return "DOUBLE";
    case adSingle:
        return "REAL";
    case adCurrency:
        return "CURRENCY";
    case adGUID:
        return "GUID";
    case adBinary:
    case adVarBinary:
        return "BINARY";
    case adLongVarBinary:
        return "LONGBINARY";
    case adBigInt:
        return "BIGINT";
    default:
        return "INTEGER";
    }
}

std::int32_t FixedSizeOf(DataTypeEnum type)
{
    switch (type) {
    case adInteger:
    case adSingle:
        return 4;
    case adSmallInt:
    case adBoolean:
        return 2;
    case adUnsignedTinyInt:
    case adTinyInt:
        return 1;
    case adDate:
    case adDouble:
    case adCurrency:
    case adBigInt:
        return 8;
    case adGUID:
        return 16;
    default:
        return 0;
    }
}

} // namespace platform::ado
