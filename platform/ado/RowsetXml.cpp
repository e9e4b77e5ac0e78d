#include "platform/ado/RowsetXml.h"

#include "platform/ado/JetDate.h"

#include <cstdio>
#include <set>

namespace platform::ado {

namespace {

void AppendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "&#xA;"; break;
        case '\r': out += "&#xD;"; break;
        case '\t': out += "&#x9;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "&#x%X;", static_cast<unsigned char>(c));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
}

bool IsNameChar(char c, bool first)
{
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u >= 0x80)
        return true;
    return !first && ((u >= '0' && u <= '9') || u == '-' || u == '.');
}

// A column name as an XML attribute name: characters a name may not hold become _xHHHH_.
std::string XmlName(std::string_view name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (IsNameChar(name[i], i == 0)) {
            out += name[i];
        } else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "_x%04X_", static_cast<unsigned char>(name[i]));
            out += buffer;
        }
    }
    return out.empty() ? "_" : out;
}

struct XmlType {
    const char* type;
    std::int32_t maxLength;
    const char* extra;
};

XmlType XmlTypeOf(const ColumnType& column)
{
    switch (column.type) {
    case adInteger: return { "int", 4, " rs:precision='10' rs:fixedlength='true'" };
    case adSmallInt: return { "i2", 2, " rs:precision='5' rs:fixedlength='true'" };
    case adUnsignedTinyInt: return { "ui1", 1, " rs:precision='3' rs:fixedlength='true'" };
    case adBoolean: return { "boolean", 2, " rs:fixedlength='true'" };
    case adDate: return { "dateTime", 16, " rs:dbtype='variantdate' rs:fixedlength='true'" };
    case adDouble: return { "float", 8, " rs:precision='15' rs:fixedlength='true'" };
    case adSingle: return { "r4", 4, " rs:precision='7' rs:fixedlength='true'" };
    case adCurrency: return { "number", 8, " rs:dbtype='currency' rs:precision='19' rs:fixedlength='true'" };
    case adLongVarWChar: return { "string", 536870910, " rs:long='true'" };
    case adLongVarBinary:
    case adVarBinary: return { "bin.hex", column.definedSize > 0 ? column.definedSize : 536870910, "" };
    default: return { "string", column.definedSize > 0 ? column.definedSize : 255, "" };
    }
}

std::string ValueText(const DbValue& value, const ColumnType& column)
{
    char buffer[64];
    if (const auto* bytes = std::get_if<DbBlob>(&value)) {
        std::string hex;
        for (auto b : *bytes) {
            std::snprintf(buffer, sizeof buffer, "%02x", b);
            hex += buffer;
        }
        return hex;
    }
    double number = 0;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        number = static_cast<double>(*i);
    else if (const auto* d = std::get_if<double>(&value))
        number = *d;
    else if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    switch (column.type) {
    case adBoolean:
        return number != 0 ? "True" : "False";
    case adDate:
        if (const auto parts = OleDateToParts(number)) {
            std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", parts->year, parts->month, parts->day,
                parts->hour, parts->minute, parts->second);
            return buffer;
        }
        break;
    default:
        break;
    }
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    std::snprintf(buffer, sizeof buffer, "%.15g", number);
    return buffer;
}

} // namespace

std::string RowsetXml(const RowSet& rows)
{
    const auto& columns = rows.Columns();
    std::vector<std::string> names;
    std::set<std::string> used;
    for (const auto& column : columns) {
        std::string name = XmlName(column.name);
        // Two columns of one name would make the row element ill-formed; the later one is numbered.
        for (int n = 2; used.count(name); ++n)
            name = XmlName(column.name) + std::to_string(n);
        used.insert(name);
        names.push_back(name);
    }

    std::string xml = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                      "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                      "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
                      "\txmlns:z='#RowsetSchema'>\n"
                      "<s:Schema id='RowsetSchema'>\n"
                      "\t<s:ElementType name='row' content='eltOnly'>\n";
    for (size_t c = 0; c < columns.size(); ++c) {
        const auto& column = columns[c];
        xml += "\t\t<s:AttributeType name='";
        AppendEscaped(xml, names[c]);
        xml += "'";
        if (names[c] != column.name) {
            xml += " rs:name='";
            AppendEscaped(xml, column.name);
            xml += "'";
        }
        xml += " rs:number='" + std::to_string(c + 1) + "' rs:nullable='true' rs:writeunknown='true'";
        if (!column.table.empty()) {
            xml += " rs:basetable='";
            AppendEscaped(xml, column.table);
            xml += "' rs:basecolumn='";
            AppendEscaped(xml, column.origin);
            xml += "'";
        }
        xml += ">\n";
        const XmlType type = XmlTypeOf(column.type);
        xml += std::string("\t\t\t<s:datatype dt:type='") + type.type + "' dt:maxLength='" + std::to_string(type.maxLength) + "'"
            + type.extra + "/>\n";
        xml += "\t\t</s:AttributeType>\n";
    }
    xml += "\t\t<s:extends type='rs:rowbase'/>\n"
           "\t</s:ElementType>\n"
           "</s:Schema>\n"
           "<rs:data>\n";
    for (size_t r = 0; r < rows.RowCount(); ++r) {
        xml += "\t<z:row";
        const auto& values = rows.Row(r);
        for (size_t c = 0; c < columns.size(); ++c) {
            if (IsNull(values[c]))
                continue;
            xml += " " + names[c] + "='";
            AppendEscaped(xml, ValueText(values[c], columns[c].type));
            xml += "'";
        }
        xml += "/>\n";
    }
    xml += "</rs:data>\n</xml>\n";
    return xml;
}

} // namespace platform::ado
