#pragma once
// A complete library file for the component's tests, made by the library's own maintenance code, and
// a second connection to look at its rows.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/tests/support/NewLibrary.h"
#include "platform/ado/Ado.h"
#include "platform/com/ObjBase.h"

namespace synctest {

// Makes "library\Tune Steward.mdb" in the current folder; its connection string.
inline std::string MakeLibrary(const char* path = "library\\Tune Steward.mdb")
{
    EXPECT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    EXPECT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
    EXPECT_TRUE(testing_support::MakeNewLibrary(path));
    return std::string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
}

// Runs SQL on its own connection; each row's values as texts ("<null>" for Null).
inline std::vector<std::vector<std::string>> Rows(const std::string& connectionString, const std::string& sql)
{
    _ConnectionPtr connection;
    EXPECT_EQ(connection.CreateInstance(CLSID_Connection), S_OK);
    EXPECT_EQ(connection->Open(_bstr_t(connectionString.c_str()), nullptr, nullptr, 0), S_OK);
    _RecordsetPtr rows;
    EXPECT_EQ(connection->Execute(_bstr_t(sql.c_str()), nullptr, adCmdText, &rows), S_OK);
    std::vector<std::vector<std::string>> result;
    VARIANT_BOOL end = VARIANT_TRUE;
    while (rows && SUCCEEDED(rows->get_EOF(&end)) && !end) {
        FieldsPtr fields;
        rows->get_Fields(&fields);
        LONG count = 0;
        fields->get_Count(&count);
        std::vector<std::string> row;
        for (LONG i = 0; i < count; ++i) {
            FieldPtr field;
            fields->get_Item(_variant_t(i), &field);
            _variant_t value;
            field->get_Value(&value);
            row.push_back(value.vt == VT_NULL ? "<null>" : static_cast<const char*>(_bstr_t(value)));
        }
        result.push_back(row);
        rows->MoveNext();
    }
    connection->Close();
    return result;
}

// Runs a statement that returns no rows.
inline void Execute(const std::string& connectionString, const std::string& sql)
{
    _ConnectionPtr connection;
    ASSERT_EQ(connection.CreateInstance(CLSID_Connection), S_OK);
    ASSERT_EQ(connection->Open(_bstr_t(connectionString.c_str()), nullptr, nullptr, 0), S_OK);
    _RecordsetPtr none;
    ASSERT_EQ(connection->Execute(_bstr_t(sql.c_str()), nullptr, adCmdText, &none), S_OK) << sql;
    connection->Close();
}

} // namespace synctest
