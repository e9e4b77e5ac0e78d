#pragma once
// A small library file for the tests of the component objects, and helpers to reach them.

#include "platform/ado/Ado.h"
#include "platform/ado/CatalogStore.h"
#include "platform/ado/Database.h"

#include <gtest/gtest.h>

#include <string>

namespace adotest {

// Registers the classes and makes "albums.db" in the current folder: tMusicMain with a counter key,
// texts, Yes/No flags and a date, three rows, and stored queries of each kind.
inline void MakeLibrary(const std::string& path = "albums.db")
{
    ASSERT_EQ(CoInitialize(nullptr) >= 0, true);
    ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
    using namespace platform::ado;
    auto db = Database::Open(path, true);
    CatalogStore catalog(*db);
    TableDefinition table;
    table.name = "tMusicMain";
    table.columns = {
        { "QVCDID", { adInteger, 0 }, true, false, "" },
        { "Title", { adVarWChar, 50 }, false, true, "" },
        { "Artist", { adVarWChar, 255 }, false, true, "" },
        { "IsCD", { adBoolean, 2 }, false, false, "" },
        { "ModifyFlag", { adBoolean, 2 }, false, false, "" },
        { "TimeStamp", { adDate, 0 }, false, false, "" },
        { "Note", { adLongVarWChar, 0 }, false, false, "" },
    };
    table.indexes = { { "NumIndex", true, true, { "QVCDID" } } };
    catalog.CreateTable(table);
    db->Execute("INSERT INTO tMusicMain (Title, Artist, IsCD, ModifyFlag, [TimeStamp]) VALUES "
                "('Blue', 'Abba', True, False, #05/29/2001 10:30:00#), ('Rose', 'Corrs', False, True, Null), "
                "('Arrival', 'Abba', False, False, #01/02/2000#)");
    catalog.CreateQuery("qAlbumList", "SELECT tMusicMain.Title, tMusicMain.QVCDID FROM tMusicMain ORDER BY tMusicMain.QVCDID;");
    catalog.CreateQuery("qAlbumsByArtist",
        "PARAMETERS qpArtist Text ( 255 ); SELECT tMusicMain.Title FROM tMusicMain WHERE tMusicMain.Artist=[qpArtist] ORDER BY Title;");
    catalog.CreateQuery("qAddAlbum",
        "PARAMETERS qpTitle Text ( 255 ), qpIsCD Bit, qpWhen DateTime; INSERT INTO tMusicMain ( Title, IsCD, ModifyFlag, [TimeStamp] ) "
        "SELECT [qpTitle] AS Expr1, [qpIsCD] AS Expr2, True AS Expr3, [qpWhen] AS Expr4;");
}

inline _ConnectionPtr OpenConnection(const std::string& path = "albums.db")
{
    _ConnectionPtr connection;
    EXPECT_EQ(connection.CreateInstance(u"ADODB.Connection"), S_OK);
    const std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False";
    EXPECT_EQ(connection->put_ConnectionString(_bstr_t(text.c_str())), S_OK);
    EXPECT_EQ(connection->put_CursorLocation(adUseServer), S_OK);
    EXPECT_EQ(connection->Open(nullptr, nullptr, nullptr, adOptionUnspecified), S_OK);
    return connection;
}

// A VARIANT holding a connection, for the ActiveConnection arguments.
inline _variant_t AsVariant(IUnknown* object) { return _variant_t(object); }

// The value of a field of the current row.
inline _variant_t FieldValue(_Recordset* recordset, const _variant_t& key)
{
    FieldsPtr fields;
    EXPECT_EQ(recordset->get_Fields(&fields), S_OK);
    FieldPtr field;
    EXPECT_EQ(fields->get_Item(key, &field), S_OK);
    _variant_t value;
    if (field) {
        EXPECT_EQ(field->get_Value(&value), S_OK);
    }
    return value;
}

// The texts of field 0 of every row from the current one on.
inline std::vector<std::string> FirstColumn(_Recordset* recordset)
{
    std::vector<std::string> values;
    VARIANT_BOOL eof = VARIANT_TRUE;
    while (recordset->get_EOF(&eof) == S_OK && !eof) {
        const _variant_t value = FieldValue(recordset, _variant_t(LONG { 0 }));
        values.push_back(value.vt == VT_NULL ? "<null>" : std::string(static_cast<const char*>(_bstr_t(value))));
        recordset->MoveNext();
    }
    return values;
}

} // namespace adotest
