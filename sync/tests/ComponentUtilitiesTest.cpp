// Column sizes and cutting, device URLs, the per-device registry values, resources and error information.

#include <gtest/gtest.h>

#include "platform/base/Modules.h"
#include "platform/com/CComPtr.h"
#include "platform/com/ComError.h"
#include "platform/com/OleAuto.h"
#include "sync/ComponentUtilities.h"
#include "sync/Lumasync.h"
#include "sync/SyncRunState.h"
#include "sync/SyncStrings.h"

TEST(ColumnSizes, LookUpWithoutRegardToCase)
{
    struct Case {
        const char* table;
        const char* column;
        LONG size;
    };
    const Case cases[] {
        { "tmusicmain", "toc", 8192 },
        { "TMUSICMAIN", "Title", 255 },
        { "tMusicMain", "year", 50 },
        { "tMusicMain", "ZUVUdureDaz", 255 },
        { "tMusicTracks", "TrackTitle", 255 },
        { "tLookupRadioGenre", "genre", 50 },
        { "tMusicMain", "NoSuchColumn", 0 },
        { "tNoSuchTable", "Title", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetColumnSize(c.table, c.column), c.size) << c.table << "." << c.column;
}

TEST(ColumnSizes, TruncationCountsCharactersAndNeverSplitsOne)
{
    std::string out;
    const std::string title(300, 'a');
    EXPECT_TRUE(TruncateToColumn(out, title, 255));
    EXPECT_EQ(out, std::string(255, 'a'));

    const std::string fits(255, 'b');
    TruncateToColumn(out, fits, 255);
    EXPECT_EQ(out, fits);

    // Two bytes per character: 300 characters are cut to 255 characters, 510 bytes.
    std::string accented;
    for (int i = 0; i < 300; ++i)
        accented += "\xC3\xA9";
    TruncateToColumn(out, accented, 255);
    EXPECT_EQ(out, accented.substr(0, 510));
    // 200 such characters fit a 255-character column although they take 400 bytes.
    TruncateToColumn(out, accented.substr(0, 400), 255);
    EXPECT_EQ(out.size(), 400u);

    TruncateToColumn(out, "text", 0);
    EXPECT_EQ(out, "");
}

TEST(DeviceUrls, StripLocalPrefixPrefersTheFilePrefix)
{
    struct Case {
        const char* text;
        const char* stripped;
    };
    const Case cases[] {
        { "vqp://localhost/7.0.5/Music/a.mp3", "7.0.5/Music/a.mp3" },
        { "file://localhost/Music/x vqp://localhost/y", "Music/x vqp://localhost/y" },
        { "vqp://den/7.0.5/a", "vqp://den/7.0.5/a" },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripLocalPrefix(std::string_view(c.text)), c.stripped) << c.text;
    EXPECT_EQ(StripLocalPrefix(std::u16string_view(u"vqp://localhost/Radio/b")), "Radio/b");
}

TEST(DeviceUrls, ThisDeviceIsLocalhostOrTheOpenedDevicesName)
{
    SyncRunState::SetUniqueDeviceName("Den-Box");
    struct Case {
        const char* url;
        bool local;
    };
    const Case cases[] {
        { "vqp://LOCALHOST/7.0.5/Music", true },
        { "file://localhost/Music", true },
        { "vqp://den-box/7.0.5/Music", true },
        { "VQP://DEN-BOX/x", true },
        { "vqp://other-box/7.0.5/Music", false },
        { "vqp://den-box.lan/x", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsThisDeviceUrl(std::string_view(c.url)), c.local) << c.url;
    EXPECT_TRUE(IsThisDeviceUrl(std::u16string_view(u"vqp://Den-Box/a")));
    EXPECT_EQ(ToLower("MiXed Ünïcode"), "mixed Ünïcode");
}

TEST(SyncRegistry, RootNamesAndKeyPaths)
{
    EXPECT_EQ(ParseRootKey("hkey_current_user"), HKEY_CURRENT_USER);
    EXPECT_EQ(ParseRootKey("HKEY_DYN_DATA"), HKEY_DYN_DATA);
    EXPECT_EQ(ParseRootKey("HKCU"), nullptr);

    HKEY root = nullptr;
    std::string sub;
    EXPECT_TRUE(SplitKeyPath("HKEY_LOCAL_MACHINE\\Software\\A", root, sub));
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(sub, "Software\\A");
    EXPECT_FALSE(SplitKeyPath("HKEY_LOCAL_MACHINE", root, sub));
    EXPECT_FALSE(SplitKeyPath("HKLM\\Software", root, sub));
}

TEST(SyncRegistry, ValuesLiveUnderThePerDeviceKey)
{
    EXPECT_EQ(ReadSyncRegistryValue("SFCount", "Brightwell\\Den"), "");
    EXPECT_TRUE(WriteSyncRegistryValue("42", "SFCount", "Brightwell\\Den"));
    EXPECT_EQ(ReadSyncRegistryValue("SFCount", "Brightwell\\Den"), "42");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Corvane\\Tune Steward\\Brightwell\\Den", 0, KEY_READ, &key),
        ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_TRUE(WriteSyncRegistryValue("7", "Other", "Dev", "HKEY_CURRENT_USER\\Software\\Elsewhere\\"));
    EXPECT_EQ(ReadSyncRegistryValue("Other", "Dev", "HKEY_CURRENT_USER\\Software\\Elsewhere\\"), "7");
    EXPECT_FALSE(WriteSyncRegistryValue("7", "Other", "Dev", "HKCU\\Software"));
    EXPECT_EQ(ReadSyncRegistryValue("Other", "Dev", "HKCU\\Software"), "");
}

TEST(ComponentResources, StringsOfTheComponent)
{
    const HINSTANCE module = platform::ModuleFromAddress(reinterpret_cast<const void*>(&LoadStylesheet));
    BSTR text = SysAllocString(u"old");
    EXPECT_TRUE(LoadStringAsBstr(module, IDS_qAppendPlaylists, text));
    EXPECT_EQ(std::u16string(text), u"qAppendPlaylists");
    // 130 is the gap in the stored-query names.
    EXPECT_FALSE(LoadStringAsBstr(module, 130, text));
    EXPECT_EQ(text, nullptr);
    SysFreeString(text);
}

namespace {

// The thread's error information, taken.
CComPtr<IErrorInfo> TakeErrorInfo()
{
    CComPtr<IErrorInfo> info;
    GetErrorInfo(0, &info.p);
    return info;
}

std::u16string Text(BSTR text)
{
    std::u16string copy = text ? std::u16string(text) : std::u16string();
    SysFreeString(text);
    return copy;
}

} // namespace

TEST(ComErrors, ErrorsWithoutInformationGetANewOne)
{
    EXPECT_EQ(SetComErrorInfo(_com_error(E_OUTOFMEMORY)), E_OUTOFMEMORY);
    CComPtr<IErrorInfo> info = TakeErrorInfo();
    ASSERT_TRUE(info);
    BSTR text = nullptr;
    info->GetDescription(&text);
    EXPECT_EQ(Text(text), u"Unknown COM error.");
    info->GetSource(&text);
    EXPECT_EQ(Text(text), u"");
    GUID guid {};
    info->GetGUID(&guid);
    EXPECT_EQ(guid, GUID_NULL);

    EXPECT_EQ(SetComError(_com_error(E_UNEXPECTED)), E_UNEXPECTED);
    info = TakeErrorInfo();
    ASSERT_TRUE(info);
    info->GetGUID(&guid);
    EXPECT_EQ(guid, CLSID_QVSyncConnection);
}

TEST(ComErrors, AnErrorsOwnInformationIsKept)
{
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<LPOLESTR>(u"Disk full"));
    IErrorInfo* own = nullptr;
    create->QueryInterface(&own);
    create->Release();

    EXPECT_EQ(SetComError(_com_error(E_FAIL, own)), E_FAIL);
    CComPtr<IErrorInfo> info = TakeErrorInfo();
    ASSERT_TRUE(info);
    BSTR text = nullptr;
    info->GetDescription(&text);
    EXPECT_EQ(Text(text), u"Disk full");
}

TEST(ComponentResources, StylesheetsByNumber)
{
    _bstr_t text(u"old");
    EXPECT_TRUE(LoadStylesheet(text, 1));
    EXPECT_NE(std::u16string(static_cast<const OLECHAR*>(text)).find(u"xsl:stylesheet"), std::u16string::npos);
    // There is no stylesheet 3.
    EXPECT_FALSE(LoadStylesheet(text, 3));
    EXPECT_EQ(static_cast<const OLECHAR*>(text), nullptr);
}
