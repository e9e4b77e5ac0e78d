// The text, value and error wrappers.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/com/CComBSTR.h"
#include "platform/com/CComPtr.h"
#include "platform/com/CComVariant.h"
#include "platform/com/ComDef.h"
#include "platform/com/ComError.h"
#include "platform/com/VariantT.h"

namespace {

std::u16string TextOf(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

} // namespace

// Callers hand plain zero-terminated wide strings where an interface declares BSTR. The copies must
// read up to the zero and never look for a length in front of the text (the sanitizer build sees
// such a read as a stack overflow before this array).
TEST(Wrappers, PlainWideStringsPassedAsBstrAreReadUpToTheirZero)
{
    char16_t plain[] = u"192.168.1.20";
    const BSTR asBstr = plain;

    CComBSTR fromCom(asBstr);
    EXPECT_EQ(TextOf(fromCom), u"192.168.1.20");
    CComBSTR assigned;
    assigned = asBstr;
    EXPECT_EQ(TextOf(assigned), u"192.168.1.20");
    EXPECT_TRUE(assigned == asBstr);
    CComBSTR appended(u"addr=");
    appended.AppendBSTR(asBstr);
    EXPECT_EQ(TextOf(appended), u"addr=192.168.1.20");

    _bstr_t fromSupport(asBstr);
    EXPECT_EQ(fromSupport.length(), 12u);
    EXPECT_STREQ(static_cast<const char*>(fromSupport), "192.168.1.20");
    _bstr_t copied(asBstr, true);
    EXPECT_EQ(TextOf(copied), u"192.168.1.20");

    CComVariant variant(asBstr);
    ASSERT_EQ(variant.vt, VT_BSTR);
    EXPECT_EQ(TextOf(variant.bstrVal), u"192.168.1.20");
    _variant_t supportVariant(asBstr);
    EXPECT_EQ(TextOf(supportVariant.bstrVal), u"192.168.1.20");

    // Null is the empty text everywhere.
    CComBSTR none(static_cast<LPCOLESTR>(nullptr));
    EXPECT_EQ(none.Length(), 0u);
    EXPECT_TRUE(none == CComBSTR(u""));
    EXPECT_TRUE(_bstr_t() == _bstr_t(u""));
}

TEST(Wrappers, Utf8AndWideTextsMeet)
{
    _bstr_t text("Müller");
    EXPECT_EQ(text.length(), 6u);
    EXPECT_STREQ(static_cast<const char*>(text), "Müller");
    _bstr_t joined = text + _bstr_t(u" & Co");
    EXPECT_STREQ(static_cast<const char*>(joined), "Müller & Co");
    EXPECT_TRUE(joined != text);

    CComBSTR guid(platform::MakeGuid("9A4FE6B8-7D7A-47BF-BBF4-94DE4F294A15"));
    EXPECT_EQ(TextOf(guid), u"{9A4FE6B8-7D7A-47BF-BBF4-94DE4F294A15}");
    guid.ToLower();
    EXPECT_EQ(TextOf(guid), u"{9a4fe6b8-7d7a-47bf-bbf4-94de4f294a15}");
}

TEST(Wrappers, VariantConversionsThrowWithTheirResult)
{
    _variant_t number(static_cast<LONG>(42));
    EXPECT_EQ(number.vt, VT_I4);
    EXPECT_STREQ(static_cast<const char*>(static_cast<_bstr_t>(number)), "42");
    EXPECT_EQ(static_cast<double>(_variant_t("2.5")), 2.5);
    EXPECT_TRUE(static_cast<bool>(_variant_t("True")));
    EXPECT_EQ(_variant_t(0L).vt, VT_I4);

    try {
        static_cast<void>(static_cast<LONG>(_variant_t("not a number")));
        FAIL() << "no exception";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), DISP_E_TYPEMISMATCH);
        EXPECT_STREQ(e.ErrorMessage(), "Unknown error 0x80020005");
        EXPECT_FALSE(e.Description());
    }
    try {
        static_cast<void>(static_cast<short>(_variant_t(static_cast<LONG>(70000))));
        FAIL() << "no exception";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), DISP_E_OVERFLOW);
    }

    EXPECT_EQ(vtMissing.vt, VT_ERROR);
    EXPECT_EQ(vtMissing.scode, DISP_E_PARAMNOTFOUND);

    CComVariant flag(true);
    EXPECT_EQ(flag.vt, VT_BOOL);
    EXPECT_EQ(flag.ChangeType(VT_I4), S_OK);
    EXPECT_EQ(flag.lVal, -1);
    CComVariant text(u"x");
    EXPECT_EQ(text.ChangeType(VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(text.vt, VT_BSTR);
}

TEST(Wrappers, ComErrorCarriesTheErrorInformation)
{
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<LPOLESTR>(u"Could not connect"));
    create->SetSource(const_cast<LPOLESTR>(u"QVSync.Connection.1"));
    CComQIPtr<IErrorInfo> info(static_cast<IUnknown*>(create));
    create->Release();
    ASSERT_TRUE(info);

    _com_error error(CONNECT_E_NOCONNECTION, info, true);
    _com_error copy = error;
    EXPECT_EQ(copy.Error(), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(copy.WCode(), 0);
    EXPECT_STREQ(static_cast<const char*>(copy.Description()), "Could not connect");
    EXPECT_STREQ(static_cast<const char*>(copy.Source()), "QVSync.Connection.1");
    EXPECT_STREQ(_com_error(static_cast<HRESULT>(0x80040203u)).ErrorMessage(), "IDispatch error #3");
}

namespace {

// Counts its references; nothing else.
struct CountedObject : IUnknown {
    ULONG refs { 1 };
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override
    {
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

} // namespace

// Moving a smart pointer hands its one reference over: nothing is released or added on the way,
// and moving one into itself keeps the reference.
TEST(Wrappers, SmartPointersMoveTheirReference)
{
    CountedObject object;
    {
        IUnknownPtr a(&object, false);
        IUnknownPtr b;
        b = std::move(a);
        EXPECT_EQ(object.refs, 1u);
        EXPECT_EQ(b.GetInterfacePtr(), &object);
        IUnknownPtr& alias = b;
        b = std::move(alias);
        EXPECT_EQ(object.refs, 1u);

        CComPtr<IUnknown> c;
        c.Attach(b.Detach());
        CComPtr<IUnknown> d;
        d = std::move(c);
        EXPECT_EQ(object.refs, 1u);
        EXPECT_EQ(static_cast<IUnknown*>(d), &object);
    }
    EXPECT_EQ(object.refs, 0u);
}
