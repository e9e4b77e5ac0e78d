// BSTR, VARIANT conversion, SAFEARRAY, DATE and GUID texts.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/com/OleAuto.h"

namespace {

std::u16string TextOf(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

struct VariantGuard {
    VARIANT v;
    VariantGuard() { VariantInit(&v); }
    ~VariantGuard() { VariantClear(&v); }
};

} // namespace

TEST(Bstr, NullIsTheEmptyTextAndEmbeddedZerosAreKept)
{
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);

    const char16_t withZero[] = { u'a', 0, u'b' };
    BSTR b = SysAllocStringLen(withZero, 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(SysStringByteLen(b), 6u);
    EXPECT_EQ(b[3], 0); // always terminated
    EXPECT_EQ(TextOf(b), std::u16string(withZero, 3));

    // A copy through a VARIANT keeps the zeros too.
    VariantGuard src, dst;
    src.v.vt = VT_BSTR;
    src.v.bstrVal = b;
    ASSERT_EQ(VariantCopy(&dst.v, &src.v), S_OK);
    EXPECT_EQ(TextOf(dst.v.bstrVal), std::u16string(withZero, 3));

    // Reallocating from a part of itself reads the old text before freeing it.
    BSTR self = SysAllocString(u"hello");
    ASSERT_TRUE(SysReAllocString(&self, self + 2));
    EXPECT_EQ(TextOf(self), u"llo");
    SysFreeString(self);

    // A plain wide text is read up to its zero.
    BSTR plain = SysAllocString(u"abc");
    EXPECT_EQ(SysStringLen(plain), 3u);
    SysFreeString(plain);
}

struct ChangeCase {
    const char* name;
    VARTYPE fromType;
    const char16_t* fromText; // for VT_BSTR sources
    double fromNumber; // for the other sources
    VARTYPE to;
    HRESULT result;
    const char16_t* expectText; // the converted value as text, or null
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

class ChangeType : public ::testing::TestWithParam<ChangeCase> { };

TEST_P(ChangeType, ConvertsOrFailsKeepingTheTarget)
{
    const ChangeCase& c = GetParam();
    VariantGuard src, dst;
    src.v.vt = c.fromType;
    switch (c.fromType) {
    case VT_BSTR:
        src.v.bstrVal = SysAllocString(c.fromText);
        break;
    case VT_I4:
        src.v.lVal = static_cast<LONG>(c.fromNumber);
        break;
    case VT_R8:
    case VT_DATE:
        src.v.dblVal = c.fromNumber;
        break;
    case VT_BOOL:
        src.v.boolVal = c.fromNumber ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_UI1:
        src.v.bVal = static_cast<BYTE>(c.fromNumber);
        break;
    default:
        break;
    }
    dst.v.vt = VT_I4;
    dst.v.lVal = 77;
    const HRESULT hr = VariantChangeType(&dst.v, &src.v, 0, c.to);
    ASSERT_EQ(hr, c.result) << c.name;
    if (FAILED(hr)) {
        EXPECT_EQ(dst.v.vt, VT_I4) << c.name;
        EXPECT_EQ(dst.v.lVal, 77) << c.name;
        return;
    }
    EXPECT_EQ(dst.v.vt, c.to) << c.name;
    if (c.expectText) {
        VariantGuard text;
        ASSERT_EQ(VariantChangeType(&text.v, &dst.v, 0, VT_BSTR), S_OK) << c.name;
        EXPECT_EQ(TextOf(text.v.bstrVal), c.expectText) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChangeType,
    ::testing::Values(ChangeCase { "text to long", VT_BSTR, u" -42 ", 0, VT_I4, S_OK, u"-42" },
        ChangeCase { "thousands", VT_BSTR, u"1,234", 0, VT_I4, S_OK, u"1234" },
        ChangeCase { "not a number", VT_BSTR, u"12abc", 0, VT_I4, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "empty text", VT_BSTR, u"", 0, VT_I4, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "too big for long", VT_BSTR, u"3000000000", 0, VT_I4, DISP_E_OVERFLOW, nullptr },
        ChangeCase { "fraction rounds half to even", VT_BSTR, u"2.5", 0, VT_I4, S_OK, u"2" },
        ChangeCase { "odd half rounds up", VT_R8, nullptr, 3.5, VT_I2, S_OK, u"4" },
        ChangeCase { "byte overflow", VT_I4, nullptr, 300, VT_UI1, DISP_E_OVERFLOW, nullptr },
        ChangeCase { "negative unsigned", VT_I4, nullptr, -1, VT_UI4, DISP_E_OVERFLOW, nullptr },
        ChangeCase { "double text", VT_R8, nullptr, 0.1, VT_BSTR, S_OK, u"0.1" },
        ChangeCase { "text to double", VT_BSTR, u"1.5e3", 0, VT_R8, S_OK, u"1500" },
        ChangeCase { "currency rounds to four places", VT_BSTR, u"1.23456", 0, VT_CY, S_OK, u"1.2346" },
        ChangeCase { "decimal keeps digits", VT_BSTR, u"-123.45", 0, VT_DECIMAL, S_OK, u"-123.45" },
        ChangeCase { "decimal to long", VT_BSTR, u"7", 0, VT_DECIMAL, S_OK, u"7" },
        ChangeCase { "large double to decimal", VT_R8, nullptr, 1e20, VT_DECIMAL, S_OK, u"100000000000000000000" },
        ChangeCase { "exponent text to decimal", VT_BSTR, u"-2.5E-3", 0, VT_DECIMAL, S_OK, u"-0.0025" },
        ChangeCase { "true text", VT_BSTR, u"True", 0, VT_BOOL, S_OK, u"-1" },
        ChangeCase { "false text any case", VT_BSTR, u"fALSE", 0, VT_BOOL, S_OK, u"0" },
        ChangeCase { "numeric text as truth", VT_BSTR, u"2", 0, VT_BOOL, S_OK, u"-1" },
        ChangeCase { "yes is not a truth value", VT_BSTR, u"yes", 0, VT_BOOL, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "truth to long", VT_BOOL, nullptr, 1, VT_I4, S_OK, u"-1" },
        ChangeCase { "date text", VT_BSTR, u"12/31/2024 1:05:09 PM", 0, VT_DATE, S_OK, u"12/31/2024 1:05:09 PM" },
        ChangeCase { "iso date text", VT_BSTR, u"2024-02-29 23:59:59", 0, VT_DATE, S_OK, u"2/29/2024 11:59:59 PM" },
        ChangeCase { "date alone", VT_BSTR, u"7/4/2001", 0, VT_DATE, S_OK, u"7/4/2001" },
        ChangeCase { "time alone", VT_BSTR, u"6:30", 0, VT_DATE, S_OK, u"6:30:00 AM" },
        ChangeCase { "not a date", VT_BSTR, u"2/30/2024", 0, VT_DATE, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "number to date", VT_R8, nullptr, 2.5, VT_DATE, S_OK, u"1/1/1900 12:00:00 PM" },
        ChangeCase { "date out of range", VT_R8, nullptr, 1e9, VT_DATE, DISP_E_OVERFLOW, nullptr },
        ChangeCase { "empty to long", VT_EMPTY, nullptr, 0, VT_I4, S_OK, u"0" },
        ChangeCase { "empty to text", VT_EMPTY, nullptr, 0, VT_BSTR, S_OK, u"" },
        ChangeCase { "null to long", VT_NULL, nullptr, 0, VT_I4, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "null stays null", VT_NULL, nullptr, 0, VT_NULL, S_OK, nullptr },
        ChangeCase { "long to null", VT_I4, nullptr, 5, VT_NULL, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "long to interface", VT_I4, nullptr, 5, VT_UNKNOWN, DISP_E_TYPEMISMATCH, nullptr },
        ChangeCase { "unknown type", VT_I4, nullptr, 5, 0x0FFE, DISP_E_BADVARTYPE, nullptr }),
    [](const ::testing::TestParamInfo<ChangeCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(ChangeType, ReadsThroughReferencesAndConvertsInPlace)
{
    LONG value = 12;
    VariantGuard ref, dst;
    ref.v.vt = VT_I4 | VT_BYREF;
    ref.v.plVal = &value;
    ASSERT_EQ(VariantChangeType(&dst.v, &ref.v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(TextOf(dst.v.bstrVal), u"12");

    ASSERT_EQ(VariantChangeType(&dst.v, &dst.v, 0, VT_R8), S_OK);
    EXPECT_EQ(dst.v.vt, VT_R8);
    EXPECT_EQ(dst.v.dblVal, 12.0);

    VariantGuard truth;
    truth.v.vt = VT_BOOL;
    truth.v.boolVal = VARIANT_TRUE;
    ASSERT_EQ(VariantChangeType(&truth.v, &truth.v, VARIANT_ALPHABOOL, VT_BSTR), S_OK);
    EXPECT_EQ(TextOf(truth.v.bstrVal), u"True");
}

TEST(SafeArray, BoundsAndElementsOfTwoDimensions)
{
    SAFEARRAYBOUND bounds[2] { { 3, 1 }, { 2, 0 } }; // rows 1..3, columns 0..1
    SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 2, bounds);
    ASSERT_NE(psa, nullptr);
    EXPECT_EQ(SafeArrayGetDim(psa), 2u);
    LONG lo = 0, hi = 0;
    ASSERT_EQ(SafeArrayGetLBound(psa, 1, &lo), S_OK);
    ASSERT_EQ(SafeArrayGetUBound(psa, 1, &hi), S_OK);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 3);
    ASSERT_EQ(SafeArrayGetLBound(psa, 2, &lo), S_OK);
    ASSERT_EQ(SafeArrayGetUBound(psa, 2, &hi), S_OK);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 1);
    EXPECT_EQ(SafeArrayGetUBound(psa, 3, &hi), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayGetLBound(psa, 0, &lo), DISP_E_BADINDEX);

    for (LONG r = 1; r <= 3; ++r)
        for (LONG c = 0; c <= 1; ++c) {
            VariantGuard cell;
            cell.v.vt = VT_BSTR;
            cell.v.bstrVal = SysAllocString(std::u16string(1, static_cast<char16_t>(u'a' + r * 2 + c)).c_str());
            LONG at[2] { r, c };
            ASSERT_EQ(SafeArrayPutElement(psa, at, &cell.v), S_OK);
        }
    LONG outside[2] { 0, 0 };
    VariantGuard cell;
    EXPECT_EQ(SafeArrayGetElement(psa, outside, &cell.v), DISP_E_BADINDEX);
    LONG beyond[2] { 3, 2 };
    EXPECT_EQ(SafeArrayPutElement(psa, beyond, &cell.v), DISP_E_BADINDEX);
    LONG at[2] { 3, 1 };
    ASSERT_EQ(SafeArrayGetElement(psa, at, &cell.v), S_OK);
    EXPECT_EQ(TextOf(cell.v.bstrVal), u"h");

    // The first index varies fastest in the data.
    VARIANT* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&data)), S_OK);
    EXPECT_EQ(TextOf(data[1].bstrVal), u"e"); // (2, 0)
    EXPECT_EQ(TextOf(data[3].bstrVal), u"d"); // (1, 1)
    EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
    ASSERT_EQ(SafeArrayUnaccessData(psa), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(psa), E_UNEXPECTED);

    // A VARIANT holding the array copies it deeply and frees it when cleared.
    VariantGuard holder, copy;
    holder.v.vt = VT_ARRAY | VT_VARIANT;
    holder.v.parray = psa;
    ASSERT_EQ(VariantCopy(&copy.v, &holder.v), S_OK);
    ASSERT_NE(copy.v.parray, psa);
    VariantGuard fromCopy;
    ASSERT_EQ(SafeArrayGetElement(copy.v.parray, at, &fromCopy.v), S_OK);
    EXPECT_EQ(TextOf(fromCopy.v.bstrVal), u"h");
}

TEST(Date, RoundTripsWithATimePartAndRefusesOutOfRange)
{
    SYSTEMTIME st {};
    st.wYear = 2024;
    st.wMonth = 2;
    st.wDay = 29;
    st.wHour = 13;
    st.wMinute = 45;
    st.wSecond = 30;
    st.wMilliseconds = 900; // ignored
    DATE d = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
    SYSTEMTIME back {};
    ASSERT_TRUE(VariantTimeToSystemTime(d, &back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wHour, 13);
    EXPECT_EQ(back.wMinute, 45);
    EXPECT_EQ(back.wSecond, 30);
    EXPECT_EQ(back.wDayOfWeek, 4); // a Thursday
    EXPECT_EQ(back.wMilliseconds, 0);

    // Before the epoch the fraction still counts forward from midnight.
    st = SYSTEMTIME {};
    st.wYear = 1899;
    st.wMonth = 12;
    st.wDay = 29;
    st.wHour = 6;
    ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
    EXPECT_DOUBLE_EQ(d, -1.25);
    ASSERT_TRUE(VariantTimeToSystemTime(-1.25, &back));
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wHour, 6);

    // Just below midnight rounds into the next day.
    ASSERT_TRUE(VariantTimeToSystemTime(1.0 - 1e-9, &back));
    EXPECT_EQ(back.wDay, 31);
    EXPECT_EQ(back.wHour, 0);

    st.wYear = 99;
    EXPECT_FALSE(SystemTimeToVariantTime(&st, &d));
    st.wYear = 2023;
    st.wMonth = 2;
    st.wDay = 29;
    EXPECT_FALSE(SystemTimeToVariantTime(&st, &d));
    EXPECT_FALSE(VariantTimeToSystemTime(3e6, &back));
}

TEST(ErrorInfo, BelongsToTheThreadAndIsHandedOutOnce)
{
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<LPOLESTR>(u"Unknown COM error."));
    create->SetSource(const_cast<LPOLESTR>(u"QVSync.Connection.1"));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
    create->Release();
    ASSERT_EQ(SetErrorInfo(0, info), S_OK);
    info->Release();

    std::thread([] {
        IErrorInfo* other = reinterpret_cast<IErrorInfo*>(1);
        EXPECT_EQ(GetErrorInfo(0, &other), S_FALSE);
        EXPECT_EQ(other, nullptr);
    }).join();

    IErrorInfo* got = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
    ASSERT_NE(got, nullptr);
    BSTR description = nullptr;
    got->GetDescription(&description);
    EXPECT_EQ(TextOf(description), u"Unknown COM error.");
    SysFreeString(description);
    got->Release();
    EXPECT_EQ(GetErrorInfo(0, &got), S_FALSE);
}

TEST(Guid, TextFormsRoundTripAndBadTextIsRefused)
{
    constexpr GUID g = platform::MakeGuid("494FAE79-06AE-468A-8007-FB344CFE63AE");
    EXPECT_EQ(platform::GuidToString(g), "{494FAE79-06AE-468A-8007-FB344CFE63AE}");
    OLECHAR text[39];
    EXPECT_EQ(StringFromGUID2(g, text, 38), 0);
    ASSERT_EQ(StringFromGUID2(g, text, 39), 39);
    IID back {};
    ASSERT_EQ(IIDFromString(text, &back), S_OK);
    EXPECT_EQ(back, g);
    ASSERT_EQ(IIDFromString(u"{494fae79-06ae-468a-8007-fb344cfe63ae}", &back), S_OK);
    EXPECT_EQ(back, g);
    for (const char16_t* bad :
        { u"", u"{494FAE79-06AE-468A-8007-FB344CFE63A}", u"{494FAE79-06AE-468A-8007-FB344CFE63AEX",
            u"{494FAE79+06AE-468A-8007-FB344CFE63AE}", u"{494FAE79-06AE-468A-8007-FB344CFE63AG}" })
        EXPECT_EQ(IIDFromString(bad, &back), E_INVALIDARG);
    EXPECT_EQ(IIDFromString(nullptr, &back), E_INVALIDARG);
    EXPECT_EQ(platform::IidOf<IUnknown>(), platform::MakeGuid("00000000-0000-0000-C000-000000000046"));
}
