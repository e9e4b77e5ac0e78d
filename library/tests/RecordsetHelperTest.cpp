// The record-set helper: who closes, reads by name, position and row, whole columns and blocks,
// display texts and moves.

#include "library/_ADORecordsetHelper.h"
#include "library/tests/support/OpenLibrary.h"

#include <memory>

namespace {

class RecordsetHelper : public OpenLibrary {
protected:
    void SetUp() override
    {
        OpenLibrary::SetUp();
        Execute("INSERT INTO tGroup (GroupName, ModifyFlag) VALUES ('Rock', True)");
        Execute("INSERT INTO tGroup (GroupName, ModifyFlag) VALUES ('Jazz', False)");
        Execute("INSERT INTO tGroup (GroupName) VALUES (NULL)");
    }

    // The three groups in key order, opened into the helper.
    void OpenGroups(_ADORecordsetHelper& rows)
    {
        ASSERT_TRUE(theLibraryConnection.ExecuteSql(
            "SELECT GroupID, GroupName, ModifyFlag FROM tGroup ORDER BY GroupID", rows.ReceivePointer(), adCmdText));
    }

    static LONG State(_Recordset* recordset)
    {
        LONG state = -1;
        recordset->get_State(&state);
        return state;
    }
};

} // namespace

TEST_F(RecordsetHelper, OnlyReceivedRecordsetsAreClosed)
{
    _RecordsetPtr kept;
    {
        _ADORecordsetHelper opened;
        OpenGroups(opened);
        kept = opened.Get();
        {
            _ADORecordsetHelper adopted(kept);
            EXPECT_EQ(adopted.RecordCount(), 3);
        }
        EXPECT_EQ(State(kept), adStateOpen); // the adopting helper only released it
    }
    EXPECT_EQ(State(kept), adStateClosed);

    _ADORecordsetHelper empty;
    EXPECT_THROW(empty.Get(), _com_error);
    EXPECT_TRUE(empty.IsEOF());
    EXPECT_EQ(empty.RecordCount(), -1);
    EXPECT_EQ(empty.GetRowValue(_variant_t(0L), 0).vt, VT_EMPTY);
    EXPECT_TRUE(Boxes().empty()); // an empty helper fails without a message
}

TEST_F(RecordsetHelper, FieldsAndValues)
{
    _ADORecordsetHelper rows;
    OpenGroups(rows);
    EXPECT_EQ(rows.FieldCount(), 3);
    EXPECT_EQ(rows.FieldIndex("GroupName"), 1);
    EXPECT_EQ(rows.FieldIndex("groupname"), -1); // case counts
    EXPECT_STREQ(rows.FieldName(2), "ModifyFlag");
    EXPECT_STREQ(rows.FieldName(-1), "");
    EXPECT_STREQ(rows.FieldName(3), "");

    EXPECT_EQ(rows.GetValue("GroupName").vt, VT_BSTR);
    EXPECT_EQ(rows.GetValueAt(1, 2).vt, VT_EMPTY); // Null reads as empty
    EXPECT_EQ(rows.GetRowValue(_variant_t("GroupName"), 3).vt, VT_EMPTY);
    EXPECT_EQ(rows.GetRowValue(_variant_t("GroupName"), -1).vt, VT_EMPTY);
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(_bstr_t(rows.GetValueAt(1, 1)))), "Jazz");
    // Reading by row leaves the current row where it was.
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(_bstr_t(rows.GetValue("GroupName")))), "Rock");

    EXPECT_STREQ(rows.ValueToText(2), "TRUE");
    EXPECT_STREQ(rows.ValueToText(1), "Rock");
    EXPECT_STREQ(rows.ValueToText(0), "1");
    ASSERT_TRUE(rows.MoveToRow(2));
    EXPECT_STREQ(rows.ValueToText(1), "");
    EXPECT_STREQ(rows.ValueToText(2), "FALSE");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(RecordsetHelper, ColumnsAndBlocks)
{
    _ADORecordsetHelper rows;
    OpenGroups(rows);
    CStringList texts;
    EXPECT_FALSE(rows.GetColumnText(_variant_t("GroupName"), texts)); // the third is Null
    ASSERT_EQ(texts.GetCount(), 2);
    EXPECT_STREQ(texts.GetHead(), "Rock");
    EXPECT_STREQ(texts.GetTail(), "Jazz");

    CPtrList block;
    ASSERT_TRUE(rows.FetchRows(nullptr, -1, block));
    ASSERT_EQ(block.GetCount(), 3);
    auto* first = static_cast<_variant_t*>(block.GetHead());
    EXPECT_EQ(first[0].lVal, 1);
    EXPECT_EQ(first[2].vt, VT_BOOL);
    for (POSITION pos = block.GetHeadPosition(); pos != nullptr;)
        delete[] static_cast<_variant_t*>(block.GetNext(pos));

    CPtrList none;
    const _variant_t missing("NoSuchField");
    EXPECT_FALSE(rows.FetchRows(&missing, -1, none));
    EXPECT_EQ(none.GetCount(), 0);

    CPtrList names;
    const _variant_t from("GroupName");
    ASSERT_TRUE(rows.FetchRows(&from, 1, names));
    EXPECT_EQ(names.GetCount(), 3);
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
        delete[] static_cast<_variant_t*>(names.GetNext(pos));
}

TEST_F(RecordsetHelper, Moves)
{
    _ADORecordsetHelper rows;
    OpenGroups(rows);
    EXPECT_FALSE(rows.MoveToRow(3));
    EXPECT_FALSE(rows.MoveToRow(-1));
    EXPECT_EQ(rows.GetValue("GroupID").lVal, 1); // unmoved
    EXPECT_TRUE(rows.MoveToRow(1));
    EXPECT_EQ(rows.GetValue("GroupID").lVal, 2);
    EXPECT_TRUE(rows.MoveNext());
    EXPECT_FALSE(rows.MoveNext());
    EXPECT_TRUE(rows.IsEOF());
    EXPECT_FALSE(rows.MoveNext());

    EXPECT_TRUE(rows.SetSort("GroupID DESC"));
    EXPECT_TRUE(rows.MoveToRow(0));
    EXPECT_EQ(rows.GetValue("GroupID").lVal, 3);
    EXPECT_EQ(rows.GetCursorLocation(), adUseServer);

    _ADORecordsetHelper none;
    ASSERT_TRUE(theLibraryConnection.ExecuteSql("SELECT * FROM tGroup WHERE GroupID = 99", none.ReceivePointer(), adCmdText));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(none.GetRowValue(_variant_t(0L), 0).vt, VT_EMPTY);
    EXPECT_TRUE(Boxes().empty());
}

namespace {

class GroupNameBinding : public CADORecordBinding {
    BEGIN_ADO_BINDING(GroupNameBinding)
    ADO_VARIABLE_LENGTH_ENTRY2(2, adVarWChar, m_szName, sizeof(m_szName), m_lNameStatus, TRUE)
    END_ADO_BINDING()
public:
    WCHAR m_szName[64] {};
    ULONG m_lNameStatus { 0 };
};

} // namespace

TEST_F(RecordsetHelper, BoundRecordsWriteBack)
{
    _ADORecordsetHelper rows;
    OpenGroups(rows);
    IADORecordBinding* binding = nullptr;
    ASSERT_EQ(rows.Get()->QueryInterface(platform::IidOf<IADORecordBinding>(), reinterpret_cast<void**>(&binding)), S_OK);
    GroupNameBinding record;
    ASSERT_EQ(binding->BindToRecordset(&record), S_OK);
    EXPECT_EQ(std::u16string(record.m_szName), u"Rock");
    std::u16string(u"Blues").copy(record.m_szName, 5);
    record.m_szName[5] = u'\0';
    EXPECT_TRUE(rows.UpdateBinding(binding, &record));
    EXPECT_FALSE(rows.UpdateBinding(nullptr, &record));
    binding->Release();
    rows.Release();
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(_bstr_t(theLibraryConnection.ExecuteScalar(
                     "SELECT GroupName FROM tGroup WHERE GroupID = 1", adCmdText)))),
        "Blues");
    EXPECT_TRUE(Boxes().empty());
}
