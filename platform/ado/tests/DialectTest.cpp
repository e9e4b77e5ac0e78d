// The dialect's rules, each shown by what a statement does on a small library-shaped schema.

#include "platform/ado/Database.h"
#include "platform/ado/DbError.h"
#include "platform/ado/JetDate.h"
#include "platform/ado/JetLike.h"
#include "platform/ado/JetSqlTranslator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace platform::ado;

namespace {

std::string Render(const DbValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&value)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", *d);
        return buffer;
    }
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    return "<null>";
}

std::vector<std::string> FirstColumn(const QueryResult& result)
{
    std::vector<std::string> values;
    for (const auto& row : result.rows)
        values.push_back(Render(row[0]));
    return values;
}

class DialectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = Database::Open("dialect.db", true);
        db->ExecuteNative(R"(
            CREATE TABLE tMusicMain (QVCDID INTEGER PRIMARY KEY AUTOINCREMENT, Title TEXT(255) COLLATE NOCASE,
                Artist TEXT(255) COLLATE NOCASE, [Year] TEXT(50) COLLATE NOCASE, DeleteFlag YESNO NOT NULL DEFAULT 0,
                ModifyFlag YESNO NOT NULL DEFAULT 0, [TimeStamp] DATETIME, REDUZIDedaDora TEXT(255) COLLATE NOCASE);
            CREATE TABLE tMusicTracks (AlbumTrackID INTEGER PRIMARY KEY AUTOINCREMENT, QVCDID INTEGER,
                TrackTitle TEXT(255) COLLATE NOCASE, TrackNumber INTEGER, DeleteFlag YESNO NOT NULL DEFAULT 0);
            CREATE TABLE tGroupList (GroupID INTEGER, QVCDID INTEGER);
            INSERT INTO tMusicMain (Title, Artist, [Year], DeleteFlag, ModifyFlag, [TimeStamp], REDUZIDedaDora) VALUES
                ('Blue', 'Abba', '1977', 0, -1, 36892.5, NULL),
                ('Beat 2', 'Beatles', '1965', -1, 0, 36000.0, 'vqp://a'),
                ('Rose', 'Corrs', '2001', 0, 0, 37500.0, 'vqp://b');
            INSERT INTO tMusicTracks (QVCDID, TrackTitle, TrackNumber, DeleteFlag) VALUES
                (1, 'One', 1, 0), (1, 'Two', 2, 0), (1, 'Gone', 3, -1), (3, 'Thorn', 1, 0);
            INSERT INTO tGroupList VALUES (10, 1), (11, 1);
        )");
    }

    std::unique_ptr<Database> db;
};

struct DialectCase {
    const char* what;
    const char* jet;
    std::vector<DbValue> parameters;
    std::vector<std::string> expected; // first column of every row
};

TEST_F(DialectTest, RowQueriesFollowTheEngineRules)
{
    const DialectCase cases[] = {
        { "comparison with True by truth", "SELECT Title FROM tMusicMain WHERE (((tMusicMain.DeleteFlag)<>True)) ORDER BY Title;", {}, { "Blue", "Rose" } },
        { "True on the left", "SELECT Title FROM tMusicMain WHERE True = ModifyFlag", {}, { "Blue" } },
        { "comparison with False", "SELECT Title FROM tMusicMain WHERE tMusicMain.DeleteFlag=False AND ModifyFlag=False", {}, { "Rose" } },
        { "True as a value is -1", "SELECT True AS Expr1, False AS Expr2", {}, { "-1" } },
        { "IsNull gives -1 or 0", "SELECT Title FROM tMusicMain WHERE ((IsNull([tMusicMain].[REDUZIDedaDora]))<>False)", {}, { "Blue" } },
        { "declared parameters in clause order", "PARAMETERS qpArtist Text ( 255 ), qpId Long; SELECT QVCDID FROM tMusicMain WHERE QVCDID=[qpId] OR Artist=[qpArtist] ORDER BY QVCDID", { DbValue("corrs"), DbValue(std::int64_t { 1 }) }, { "1", "3" } },
        { "undeclared parameters by first use", "SELECT Title FROM tMusicMain WHERE Artist=[qpArtist] AND [Year]=[qpYear] AND Artist=[qpArtist]", { DbValue("Abba"), DbValue("1977") }, { "Blue" } },
        { "a Long parameter given as text", "PARAMETERS qpId Long; SELECT Title FROM tMusicMain WHERE QVCDID=[qpId]", { DbValue(" 3 ") }, { "Rose" } },
        { "text compares without case", "SELECT Title FROM tMusicMain WHERE Artist = \"BEATLES\"", {}, { "Beat 2" } },
        { "DISTINCTROW over a join", "SELECT DISTINCTROW tMusicMain.* FROM tMusicMain INNER JOIN tGroupList ON tMusicMain.QVCDID = tGroupList.QVCDID", {}, { "1" } },
        { "LIKE with the engine's wildcards", "SELECT Title FROM tMusicMain WHERE Title Like 'b*' ORDER BY Title", {}, { "Beat 2", "Blue" } },
        { "LIKE with ? and #", "SELECT Title FROM tMusicMain WHERE Title Like 'B?at #'", {}, { "Beat 2" } },
        { "LIKE with a bound pattern in either style", "SELECT Title FROM tMusicMain WHERE Title Like [qpPattern] OR Artist LIKE [qpOther]", { DbValue("r*"), DbValue("%bb%") }, { "Blue", "Rose" } },
        { "date literal", "SELECT Title FROM tMusicMain WHERE [TimeStamp] > #01/01/2001# AND [TimeStamp] < #2002-12-31 10:00:00#", {}, { "Blue", "Rose" } },
        { "nested and RIGHT joins", "SELECT tMusicTracks.TrackTitle FROM tGroupList RIGHT JOIN (tMusicMain LEFT JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID) ON tGroupList.QVCDID = tMusicMain.QVCDID WHERE tMusicMain.QVCDID=3", {}, { "Thorn" } },
        { "SELECT without FROM", "SELECT 6*7 AS Expr1;", {}, { "42" } },
        { "COUNT with a spaced alias", "SELECT Count(*) AS [Total Albums By Artist] FROM tMusicMain WHERE (((tMusicMain.DeleteFlag)<>True))", {}, { "2" } },
        { "missing blanks and tabs", "SELECT [tMusicMain].[Title]FROM\ttMusicMain WHERE(QVCDID=1)", {}, { "Blue" } },
        { "string concatenation", "SELECT Artist & ' - ' & Title FROM tMusicMain WHERE QVCDID=1", {}, { "Abba - Blue" } },
        { "DMax of bound names", "SELECT DMax([qpFieldName],[qpTableName]) AS Expr2;", { DbValue("QVCDID"), DbValue("tMusicMain") }, { "3" } },
        { "DMax with a criteria", "SELECT DMax('TrackNumber','tMusicTracks', '[QVCDID] = 1 AND [DeleteFlag] <> True') AS Expr1", {}, { "2" } },
        { "DMax of no rows is Null", "SELECT DMax('QVCDID','tGroupList','GroupID = 99') AS Expr1", {}, { "<null>" } },
        { "a qualified column inside one bracket", "SELECT [Title] FROM tMusicMain INNER JOIN tMusicTracks ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE ([tMusicTracks.TrackTitle] LIKE 'T%') ORDER BY [tMusicMain.Title]", {}, { "Blue", "Rose" } },
        { "a qualified reserved column", "SELECT tMusicMain.Year FROM tMusicMain WHERE QVCDID=2", {}, { "1965" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            EXPECT_EQ(FirstColumn(db->Execute(c.jet, c.parameters)), c.expected);
        } catch (const DbError& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST_F(DialectTest, ActionStatements)
{
    // Qualified SET targets, Now() and True written into the row.
    auto result = db->Execute("PARAMETERS qpTitle Text ( 255 ), qpAlbumID Long; UPDATE tMusicMain SET tMusicMain.Title = [qpTitle], "
                              "tMusicMain.[TimeStamp] = Now(), tMusicMain.ModifyFlag = True WHERE (((tMusicMain.QVCDID)=[qpAlbumID]));",
        { DbValue("Red"), DbValue(std::int64_t { 3 }) });
    EXPECT_EQ(result.rowsAffected, 1);
    const auto row = db->Execute("SELECT Title, ModifyFlag, [TimeStamp] FROM tMusicMain WHERE QVCDID=3").rows.at(0);
    EXPECT_EQ(Render(row[0]), "Red");
    EXPECT_EQ(Render(row[1]), "-1");
    EXPECT_NEAR(std::get<double>(row[2]), LocalNowAsOleDate(), 1.0 / 24 / 60);

    EXPECT_EQ(db->Execute("DELETE * FROM tMusicTracks;").rowsAffected, 4);
    EXPECT_EQ(db->Execute("DELETE tGroupList.* FROM tGroupList WHERE GroupID=10").rowsAffected, 1);

    db->Execute("PARAMETERS qpName Text ( 255 ); INSERT INTO tMusicMain ( Title, ModifyFlag ) SELECT [qpName] AS Expr1, True AS Expr2;",
        { DbValue("New") });
    EXPECT_EQ(FirstColumn(db->Execute("SELECT @@IDENTITY")), std::vector<std::string> { "4" });
}

TEST_F(DialectTest, BadStatementsFailWithTheEngineText)
{
    const char* bad[] = {
        "SELECT Title FROM tMusicMain WHERE Title = 'open",
        "SELECT [Title FROM tMusicMain",
        "SELECT Title FROM tMusicMain WHERE [TimeStamp] > #13/45/2001#",
        "SELECT Title FROM tNoSuchTable",
        "SELECT Title FROM tMusicMain; DELETE * FROM tMusicMain",
        "PARAMETERS qpA Long SELECT 1",
        "SELECT DMax([qpFieldName],[qpTableName]) AS Expr2;",
    };
    for (const char* sql : bad) {
        SCOPED_TRACE(sql);
        EXPECT_THROW(db->Execute(sql, { DbValue("QVCDID) FROM tMusicMain; --"), DbValue("tMusicMain") }), DbError);
    }
    EXPECT_EQ(db->Execute("SELECT Count(*) FROM tMusicMain").rows.at(0).at(0), DbValue(std::int64_t { 3 }));
    EXPECT_THROW(db->Execute("PARAMETERS qpId Long; SELECT Title FROM tMusicMain WHERE QVCDID=[qpId]"), DbError);
}

TEST(DialectTranslation, ParametersKeepTheirBindingOrder)
{
    struct Case {
        const char* jet;
        std::vector<std::string> names;
    } cases[] = {
        { "PARAMETERS qpB Long, [qpA] Text ( 255 ); SELECT 1 WHERE [qpA]=1 AND [qpB]=2 AND [qpC]=3", { "qpB", "qpA", "qpC" } },
        { "UPDATE tMusicMain SET tMusicMain.REDUZIDedaDora = [qpHref] WHERE [tMusicMain].[QVCDID] = [qpQVCDID];", { "qpHref", "qpQVCDID" } },
        { "PARAMETERS qpTitle Text ( 255 ), qpAlbumID Long; UPDATE t SET t.Title = [qpTitle], t.TitleSort = [qpTitle] WHERE t.ID=[qpAlbumID]", { "qpTitle", "qpAlbumID" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.jet);
        TranslatedSql out;
        std::string error;
        ASSERT_TRUE(TranslateJetSql(c.jet, out, error)) << error;
        std::vector<std::string> names;
        for (const auto& p : out.parameters)
            names.push_back(p.name);
        EXPECT_EQ(names, c.names);
    }
}

TEST(DialectLike, Patterns)
{
    struct Case {
        const char* pattern;
        const char* text;
        bool match;
    } cases[] = {
        { "b*", "Blue", true },
        { "*ue", "blUE", true },
        { "%", "", true },
        { "B?at #", "Beat 2", true },
        { "B?at #", "Beat x", false },
        { "[a-c]*", "Corrs", true },
        { "[!a-c]*", "Corrs", false },
        { "Caf?", "Café", true },
        { "abc", "abcd", false },
        { "[", "[", true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(JetLikeMatch(c.pattern, c.text), c.match) << c.pattern << " ~ " << c.text;
}

} // namespace

namespace {

TEST_F(DialectTest, DuplicateColumnNamesAreToldApartByTable)
{
    const auto result = db->Execute("SELECT tMusicMain.QVCDID, tMusicMain.*, tMusicTracks.DeleteFlag FROM tMusicMain INNER JOIN tMusicTracks "
                                    "ON tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE tMusicTracks.AlbumTrackID = 1");
    std::vector<std::string> names;
    for (const auto& column : result.columns)
        names.push_back(column.name);
    EXPECT_EQ(names.front(), "QVCDID");
    EXPECT_EQ(names.at(1), "QVCDID");
    EXPECT_NE(std::find(names.begin(), names.end(), "tMusicMain.DeleteFlag"), names.end());
    EXPECT_EQ(names.back(), "tMusicTracks.DeleteFlag");
}

} // namespace
