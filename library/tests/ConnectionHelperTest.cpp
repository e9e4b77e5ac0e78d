// The program's connection: opening and closing, statements and stored queries with positional
// parameters, the scalar helpers and the failure convention.

#include "library/ConnectionString.h"
#include "library/FileRoutines.h"
#include "library/ResultChecking.h"
#include "library/_ADORecordsetHelper.h"
#include "library/tests/support/OpenLibrary.h"
#include "library/tests/support/TestFolder.h"

#include "platform/com/ComError.h"
#include "platform/base/FileApi.h"
#include "platform/com/OleAuto.h"

#include <cmath>
#include <cstdio>

namespace {

class ConnectionHelper : public OpenLibrary {};

DATE MakeDate(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME time { year, month, 0, day, hour, minute, 0, 0 };
    DATE date = 0;
    SystemTimeToVariantTime(&time, &date);
    return date;
}

} // namespace

TEST_F(ConnectionHelper, OpenAndClose)
{
    EXPECT_TRUE(theLibraryConnection.IsOpen());
    EXPECT_TRUE(theLibraryConnection.Close());
    EXPECT_FALSE(theLibraryConnection.IsOpen());
    EXPECT_TRUE(theLibraryConnection.Close()); // empty: nothing to do
    EXPECT_TRUE(Boxes().empty());

    // A file that is not there: the messages, false, and the holder stays empty.
    App().m_bBusy = TRUE;
    EXPECT_FALSE(theLibraryConnection.OpenDatabase("Z:\\no\\such\\folder\\x.mdb"));
    EXPECT_FALSE(theLibraryConnection.IsOpen());
    EXPECT_EQ(App().m_bBusy, FALSE);
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes()[0].rfind("Run-time error. Error#: -", 0), 0u) << Boxes()[0];
}

TEST_F(ConnectionHelper, StoredQueriesTakeParametersByPosition)
{
    // An empty table has no largest key; the parameters name the field and the table.
    const _variant_t names[] = { _variant_t("QVCDID"), _variant_t("tMusicMain") };
    EXPECT_EQ(theLibraryConnection.RunStoredQueryScalar("qGetLastAutonumber", names, 2, adCmdStoredProc).vt, VT_EMPTY);

    Execute("INSERT INTO tMusicMain (Title) VALUES ('First')");
    Execute("INSERT INTO tMusicMain (Title) VALUES ('Second')");
    const _variant_t last = theLibraryConnection.RunStoredQueryScalar("qGetLastAutonumber", names, 2, adCmdStoredProc);
    ASSERT_EQ(last.vt, VT_I4);
    EXPECT_EQ(last.lVal, 2);

    const _variant_t rename[] = { _variant_t("Renamed"), _variant_t(2L) };
    ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qRenameAlbumbyId", rename, 2, nullptr, nullptr, adCmdUnknown));
    const _variant_t sort = theLibraryConnection.ExecuteScalar("SELECT TitleSort FROM tMusicMain WHERE QVCDID = 2", adCmdText);
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(_bstr_t(sort))), "Renamed");

    // Deleting is soft: the row stays, flagged, and the look-up no longer finds it.
    const _variant_t id[] = { _variant_t(2L) };
    ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qDeleteAlbumbyId", id, 1, nullptr, nullptr, adCmdUnknown));
    _ADORecordsetHelper rows;
    ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qAlbumbyId", id, 1, rows.ReceivePointer(), nullptr, adCmdStoredProc));
    EXPECT_TRUE(rows.IsEmpty());
    EXPECT_EQ(theLibraryConnection.ExecuteScalar("SELECT COUNT(*) FROM tMusicMain WHERE DeleteFlag = True", adCmdText).lVal, 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConnectionHelper, DateParametersKeepTheirTime)
{
    const DATE modified = MakeDate(2001, 5, 29, 13, 45);
    const _variant_t values[] = { _variant_t("song.mp3"), _variant_t(1234L), _variant_t(modified, VT_DATE),
        _variant_t(modified, VT_DATE), _variant_t(modified, VT_DATE), _variant_t("C:\\Music\\") };
    ASSERT_TRUE(theLibraryConnection.RunStoredQuery("qAddFile", values, 6, nullptr, nullptr, adCmdUnknown));
    const _variant_t stored = theLibraryConnection.ExecuteScalar("SELECT LastModified FROM tFileDesc", adCmdText);
    ASSERT_EQ(stored.vt, VT_DATE);
    EXPECT_NEAR(stored.date, modified, 1.0 / 86400);
}

TEST_F(ConnectionHelper, DomainMaximum)
{
    _variant_t out(5L);
    EXPECT_FALSE(_ADOConnectionHelper::DMaxValue("tPlaylistTracks", "PlayOrder", &out));
    EXPECT_EQ(out.vt, VT_EMPTY);

    Execute("INSERT INTO tPlaylistTracks (PlaylistID, PlayOrder) VALUES (1, 3)");
    Execute("INSERT INTO tPlaylistTracks (PlaylistID, PlayOrder, DeleteFlag) VALUES (1, 9, True)");
    Execute("INSERT INTO tPlaylistTracks (PlaylistID, PlayOrder) VALUES (2, 7)");
    EXPECT_TRUE(_ADOConnectionHelper::DMaxValue("tPlaylistTracks", "PlayOrder", &out));
    EXPECT_EQ(out.lVal, 9);
    EXPECT_TRUE(_ADOConnectionHelper::DMaxValue("tPlaylistTracks", "PlayOrder", &out, "[PlaylistID] = 1 AND [DeleteFlag] <> True"));
    EXPECT_EQ(out.lVal, 3);
    EXPECT_FALSE(_ADOConnectionHelper::DMaxValue("tPlaylistTracks", "PlayOrder", &out, "[PlaylistID] = 4"));
}

TEST_F(ConnectionHelper, ChangedRowsAndPendingChanges)
{
    EXPECT_FALSE(_ADOConnectionHelper::HasPendingChanges());
    Execute("INSERT INTO tCustomerMain (FirstName, ModifyFlag) VALUES ('Ann', True)");
    EXPECT_EQ(_ADOConnectionHelper::CountChangedRows("tCustomerMain"), 1);
    EXPECT_TRUE(_ADOConnectionHelper::HasPendingChanges());

    {
        // Many rows at once through a second connection of SQLite's own.
        auto db = platform::ado::Database::Open(platform::ToNativePath(m_path), false);
        db->ExecuteNative("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
                          "INSERT INTO tGroupList (GroupID, DeleteFlag) SELECT i, -1 FROM n");
    }
    EXPECT_EQ(_ADOConnectionHelper::CountChangedRows("tGroupList"), 40000);
    EXPECT_EQ(_ADOConnectionHelper::CountChangedRows("tNoSuchTable"), 0);
}

TEST_F(ConnectionHelper, FailuresShowTheirMessagesAndReturnFalse)
{
    App().m_bBusy = TRUE;
    EXPECT_FALSE(theLibraryConnection.RunStoredQuery("qNoSuchQuery", nullptr, 0, nullptr, nullptr, adCmdUnknown));
    EXPECT_EQ(App().m_bBusy, FALSE);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].rfind("Run-time error. Error#: ", 0), 0u);
    EXPECT_EQ(Boxes()[1].rfind("Error# = 0\n\t Number      = ", 0), 0u) << Boxes()[1];

    m_boxes->Clear();
    EXPECT_FALSE(theLibraryConnection.ExecuteSql("SELECT * FROM tNoSuchTable", nullptr, adCmdText));
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(theLibraryConnection.ExecuteScalar("SELECT nonsense FROM", adCmdText).vt, VT_EMPTY);
}

TEST(CheckResult, OnlyFailuresReport)
{
    MessageBoxRecorder boxes;
    EXPECT_NO_THROW(CheckResult(S_FALSE));
    EXPECT_NO_THROW(CheckResult(S_OK, "file.cpp", 10, nullptr));
    EXPECT_TRUE(boxes.Texts().empty());
    try {
        CheckResult(E_FAIL, "file.cpp", 12, nullptr);
        FAIL() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(error.Error(), E_FAIL);
    }
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], "Run-time error. Error#: -2147467259(80004005)");
    EXPECT_NO_THROW(ThrowComError(S_FALSE));
    EXPECT_THROW(ThrowComError(E_POINTER), _com_error);
}

TEST_F(ConnectionHelper, FileRecords)
{
    const std::string music = testing_support::CurrentDirectory() + "\\Music\\";
    ASSERT_TRUE(CreateDirectoryPath(music.c_str()));
    for (const char* name : { "a.mp3", "b.mp3", "c.m3u" }) {
        FILE* file = platform::OpenFile((music + name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("12345", file);
        std::fclose(file);
    }
    EXPECT_TRUE(AddMatchingFiles((music + "*.mp3").c_str(), "qAddFile"));
    EXPECT_FALSE(AddFileRecord((music + "missing.mp3").c_str(), "qAddSearchFile"));
    EXPECT_TRUE(AddFileRecord((music + "c.m3u").c_str(), "qAddSearchFile"));

    EXPECT_EQ(theLibraryConnection.ExecuteScalar("SELECT COUNT(*) FROM tFileDesc", adCmdText).lVal, 2);
    const _variant_t path = theLibraryConnection.ExecuteScalar("SELECT Path FROM tFileDesc WHERE Name = 'b.mp3'", adCmdText);
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(_bstr_t(path))), music.c_str());
    EXPECT_EQ(theLibraryConnection.ExecuteScalar("SELECT [Size] FROM tSearchFileDesc WHERE Name = 'c.m3u'", adCmdText).lVal, 5);
    const _variant_t modified = theLibraryConnection.ExecuteScalar("SELECT LastModified FROM tFileDesc", adCmdText);
    EXPECT_EQ(modified.vt, VT_DATE);
}
