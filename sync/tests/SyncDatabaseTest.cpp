// The database layer against a complete library file: binding, new keys, stored queries, counts and
// error reporting.

#include <gtest/gtest.h>

#include "platform/com/CComPtr.h"
#include "sync/SyncDatabase.h"
#include "sync/SyncStrings.h"
#include "sync/tests/TestLibrary.h"

namespace {

class SyncDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { m_library = synctest::MakeLibrary(); }

    _bstr_t Library() const { return _bstr_t(m_library.c_str()); }
    std::vector<std::vector<std::string>> Rows(const std::string& sql) const { return synctest::Rows(m_library, sql); }

    std::string m_library;
};

std::u16string ThreadErrorDescription()
{
    CComPtr<IErrorInfo> info;
    GetErrorInfo(0, &info.p);
    if (!info)
        return u"<none>";
    BSTR text = nullptr;
    info->GetDescription(&text);
    std::u16string copy = text ? std::u16string(text) : std::u16string();
    SysFreeString(text);
    return copy;
}

} // namespace

TEST(QueryParameterTest, SizesAndBoundValues)
{
    struct Case {
        _variant_t value;
        DataTypeEnum type;
        LONG size;
        _variant_t bound;
    };
    const Case cases[] {
        { _variant_t(""), adBSTR, 1, _variant_t(" ") },
        { _variant_t("Jazz"), adBSTR, 4, _variant_t("Jazz") },
        { _variant_t(), adBSTR, 1, _variant_t(" ") },
        { _variant_t(), adInteger, 1, _variant_t(LONG { 0 }) },
        { _variant_t(), adBoolean, 1, _variant_t(false) },
        { _variant_t(LONG { 7 }), adInteger, 4, _variant_t(LONG { 7 }) },
        { _variant_t(short { 7 }), adInteger, 2, _variant_t(LONG { 7 }) },
        { _variant_t("12"), adInteger, 2, _variant_t(LONG { 12 }) },
        { _variant_t("x"), adInteger, 1, _variant_t(LONG { 0 }) },
        { _variant_t(true), adBoolean, 4, _variant_t(true) },
        { _variant_t(36000.5, VT_DATE), adDBTimeStamp, 8, _variant_t(36000.5, VT_DATE) },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QueryParameter parameter("[qp]", cases[i].value, cases[i].type, adParamInput);
        EXPECT_EQ(parameter.Size(), cases[i].size) << "case " << i;
        const _variant_t bound = parameter.ValueForBinding();
        EXPECT_EQ(bound.vt, cases[i].bound.vt) << "case " << i;
        EXPECT_EQ(_bstr_t(bound), _bstr_t(cases[i].bound)) << "case " << i;
    }
}

TEST(AssignIfChangedTest, ChangesOnlyWhatDiffersBeyondCase)
{
    _variant_t target;
    EXPECT_FALSE(AssignIfChanged(_variant_t(), target));
    EXPECT_TRUE(AssignIfChanged(_variant_t("Anna"), target));
    EXPECT_EQ(_bstr_t(target), _bstr_t("Anna"));
    EXPECT_FALSE(AssignIfChanged(_variant_t("ANNA"), target));
    EXPECT_EQ(_bstr_t(target), _bstr_t("Anna"));
    EXPECT_TRUE(AssignIfChanged(_variant_t("Anne"), target));
    EXPECT_EQ(_bstr_t(target), _bstr_t("Anne"));
    _variant_t null;
    null.vt = VT_NULL;
    EXPECT_TRUE(AssignIfChanged(null, target));
    EXPECT_EQ(target.vt, VT_EMPTY);
}

TEST(SyncDatabaseEmpty, NothingIsMadeWithoutAConnectionString)
{
    SyncDatabase database(_bstr_t(""));
    EXPECT_EQ(database.OpenSyncDatabase(), E_INVALIDARG);
    _variant_t key = MissingKey();
    EXPECT_EQ(database.ExecuteStoredQuery("SELECT 1", adOpenStatic, adLockReadOnly, adCmdText, NoQueryParameters, key), E_FAIL);
    _variant_t newKey;
    EXPECT_EQ(database.GroupAppend(_variant_t("Jazz"), _variant_t(), _variant_t(), _variant_t(), _variant_t(), newKey),
        E_INVALIDARG);
    EXPECT_EQ(newKey.vt, VT_EMPTY);
}

TEST_F(SyncDatabaseTest, AppendsBindInOrderAndReturnNewKeys)
{
    SyncDatabase database(Library());
    _variant_t group;
    ASSERT_EQ(database.GroupAppend(_variant_t("Jazz"), _variant_t(""), _variant_t(LONG { 2 }), _variant_t("vqp://box/g"),
                  _variant_t(), group),
        S_OK);
    ASSERT_EQ(group.vt, VT_I4);

    _variant_t album;
    ASSERT_EQ(database.AppendMusicMain(_variant_t("Abba"), _variant_t("Music\\a.xml"), _variant_t("Den"), _variant_t(),
                  _variant_t("toc"), _variant_t("Arrival"), _variant_t("Arrival"), _variant_t("Polar"), _variant_t("1976"),
                  _variant_t(""), _variant_t(LONG { 1 }), _variant_t(LONG { 4 }), _variant_t(LONG { 2 }),
                  _variant_t("vqp://box/a"), _variant_t(true), _variant_t(false), album),
        S_OK);
    ASSERT_EQ(album.vt, VT_I4);
    _variant_t track;
    ASSERT_EQ(database.AppendMusicTrack(album, _variant_t("Dancing Queen"), _variant_t(LONG { 2 }), _variant_t(LONG { 230 }),
                  _variant_t(LONG { 128 }), _variant_t("Music\\dq.mp3"), track),
        S_OK);
    ASSERT_EQ(track.vt, VT_I4);
    // A playlist key given as text is bound as 0.
    EXPECT_EQ(database.AppendMusicGroupList(group, _variant_t("12"), album, _variant_t()), S_OK);
    database.CloseSyncDatabase();

    const std::string groupKey = std::to_string(group.lVal);
    const std::string albumKey = std::to_string(album.lVal);
    EXPECT_EQ(Rows("SELECT GroupName, DIDIvad, [Count], VOZAruzizer, ZUVUduredaz FROM tGroup"),
        (std::vector<std::vector<std::string>> { { "Jazz", " ", "2", "vqp://box/g", " " } }));
    EXPECT_EQ(Rows("SELECT Artist, Title, ArtistFullname, XMLFilePath, REDUZIDedaDora, QVGenreID, IsCD FROM tMusicMain"),
        (std::vector<std::vector<std::string>> { { "Abba", "Arrival", "Abba", "Music\\a.xml", "Music\\a.xml", "4", "-1" } }));
    EXPECT_EQ(Rows("SELECT QVCDID, TrackNumber, TrackTitle, FilePath, VUDUradUzaz FROM tMusicTracks"),
        (std::vector<std::vector<std::string>> { { albumKey, "2", "Dancing Queen", "Music\\dq.mp3", "Music\\dq.mp3" } }));
    EXPECT_EQ(Rows("SELECT GroupID, PlaylistID, QVCDID FROM tGroupList"),
        (std::vector<std::vector<std::string>> { { groupKey, "0", albumKey } }));
}

TEST_F(SyncDatabaseTest, OpenStoredQueryHandsOutAWalkableCloneOrSaysNoRows)
{
    SyncDatabase database(Library());
    ASSERT_EQ(database.OpenSyncDatabase(), S_OK);
    _RecordsetPtr rows;
    EXPECT_EQ(database.OpenStoredQuery(0, rows, NoQueryParameters), E_INVALIDARG);
    EXPECT_EQ(database.OpenStoredQuery(130, rows, NoQueryParameters), E_INVALIDARG);
    EXPECT_EQ(database.OpenStoredQuery(IDS_qNewGroups, rows, NoQueryParameters), kNoRows);
    EXPECT_FALSE(rows);

    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName) VALUES ('Rock')");
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName) VALUES ('Pop')");
    ASSERT_EQ(database.OpenStoredQuery(IDS_qNewGroups, rows, NoQueryParameters), S_OK);
    std::vector<std::string> names;
    VARIANT_BOOL end = VARIANT_TRUE;
    while (SUCCEEDED(rows->get_EOF(&end)) && !end) {
        FieldsPtr fields;
        FieldPtr field;
        rows->get_Fields(&fields);
        fields->get_Item(_variant_t("GroupName"), &field);
        _variant_t value;
        field->get_Value(&value);
        names.push_back(static_cast<const char*>(_bstr_t(value)));
        rows->MoveNext();
    }
    EXPECT_EQ(names, (std::vector<std::string> { "Rock", "Pop" }));

    // An empty result leaves the caller's earlier rows alone.
    _RecordsetPtr kept = rows;
    EXPECT_EQ(database.OpenStoredQuery(IDS_qNewRadioGroups, rows, NoQueryParameters), kNoRows);
    EXPECT_EQ(rows.GetInterfacePtr(), kept.GetInterfacePtr());
    rows->Close();

    GenreMap genres { { "stale", 1 } };
    ASSERT_EQ(database.LoadGenreMap(IDS_qGenreList, genres), S_OK);
    EXPECT_FALSE(genres.empty());
    EXPECT_EQ(genres.count("stale"), 0u);
}

TEST_F(SyncDatabaseTest, PendingChangesCountTheRunsTablesOnly)
{
    SyncDatabase database(Library());
    ASSERT_EQ(database.OpenSyncDatabase(), S_OK);
    EXPECT_EQ(database.CountPendingChanges("tGroup"), 0);
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName, ModifyFlag) VALUES ('Rock', True)");
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName, DeleteFlag) VALUES ('Pop', True)");
    synctest::Execute(m_library, "INSERT INTO tGroup (GroupName) VALUES ('Soul')");
    synctest::Execute(m_library, "INSERT INTO tPlaylists (PlaylistName, ModifyFlag) VALUES ('Mix', True)");
    synctest::Execute(m_library, "INSERT INTO tCustomerMain (FirstName, ModifyFlag) VALUES ('Ann', True)");
    EXPECT_EQ(database.CountPendingChanges("tGroup"), 2);
    EXPECT_EQ(database.CountAllPendingChanges(), 3);
    // A table the library does not have counts nothing, rather than a failure code.
    EXPECT_EQ(database.CountPendingChanges("tNoSuchTable"), 0);
}

TEST_F(SyncDatabaseTest, AProviderErrorIsReportedAndTheNextCallOpensAgain)
{
    SyncDatabase database(Library());
    _variant_t group;
    ASSERT_EQ(database.GroupAppend(_variant_t("Jazz"), _variant_t(), _variant_t(), _variant_t(), _variant_t(), group), S_OK);

    synctest::Execute(m_library, "DROP TABLE tGroupList");
    const HRESULT failed = database.AppendMusicGroupList(group, _variant_t(LONG { 1 }), _variant_t(LONG { 2 }), _variant_t());
    EXPECT_TRUE(FAILED(failed));
    EXPECT_NE(ThreadErrorDescription(), u"<none>");
    EXPECT_NE(ThreadErrorDescription(), u"");

    _variant_t second;
    EXPECT_EQ(database.GroupAppend(_variant_t("Soul"), _variant_t(), _variant_t(), _variant_t(), _variant_t(), second), S_OK);
    EXPECT_EQ(second.vt, VT_I4);
}

TEST(SyncDatabaseErrors, StringErrorsCarryTheComponentsText)
{
    EXPECT_EQ(SyncDatabase::SetErrorFromString(IDS_CANNOT_CREATE_CONNECTION), static_cast<HRESULT>(0x80040067));
    EXPECT_EQ(ThreadErrorDescription(), u"Cannot create ADO Connection object");
    EXPECT_EQ(SyncDatabase::SetErrorFromString(IDS_CANNOT_CREATE_RECORDSET), static_cast<HRESULT>(0x8004006A));
    EXPECT_EQ(SyncDatabase::SetErrorFromAdoErrors(nullptr), 0);
}
