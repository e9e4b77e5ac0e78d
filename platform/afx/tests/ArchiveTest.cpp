#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CNotSupportedException.h"

using Bytes = std::vector<BYTE>;

class CShape : public CObject {
    DECLARE_SERIAL(CShape)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nSides << m_strName << m_pNext;
        else
            ar >> m_nSides >> m_strName >> m_pNext;
    }

    LONG m_nSides { 0 };
    CString m_strName;
    CObject* m_pNext { nullptr };
};
IMPLEMENT_SERIAL(CShape, CObject, 1)

class CSquare : public CShape {
    DECLARE_SERIAL(CSquare)
};
IMPLEMENT_SERIAL(CSquare, CShape, 1)

namespace {

// Writes with a storing archive and returns the bytes.
template<typename Store> Bytes Stored(Store store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    Bytes bytes(static_cast<std::size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// A memory file holding the bytes, for a loading archive.
struct Loaded {
    explicit Loaded(const Bytes& bytes)
    {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.SeekToBegin();
    }
    CMemFile file;
    CArchive ar { &file, CArchive::load };
};

int ArchiveCause(const Bytes& bytes, void (*read)(CArchive&))
{
    Loaded in(bytes);
    try {
        read(in.ar);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return CArchiveException::none;
}

} // namespace

TEST(CArchive, StringLengthPrefixes)
{
    struct Case {
        int length;
        Bytes prefix;
    };
    const Case cases[] = {
        { 0, { 0x00 } },
        { 254, { 0xFE } },
        { 255, { 0xFF, 0xFF, 0x00 } },
        { 0xFFFD, { 0xFF, 0xFD, 0xFF } },
        // 0xFFFE is the marker of a UTF-16 string, so that length already takes the long form.
        { 0xFFFE, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
        { 0x10000, { 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00 } },
    };
    for (const Case& c : cases) {
        const CString text('q', c.length);
        const Bytes bytes = Stored([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + static_cast<std::size_t>(c.length)) << c.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.length;

        Loaded in(bytes);
        CString back;
        in.ar >> back;
        EXPECT_EQ(back, text) << c.length;
    }
}

TEST(CArchive, ReadsUtf16MarkedStrings)
{
    Loaded in({ 0xFF, 0xFE, 0xFF, 0x03, 'G', 0, 0xFC, 0, 0xAC, 0x20 });
    CString s;
    in.ar >> s;
    EXPECT_STREQ(s, "Gü€");
}

TEST(CArchive, NumbersAreLittleEndianAndCountsUseTheShortForm)
{
    const Bytes bytes = Stored([](CArchive& ar) {
        ar << static_cast<BYTE>(1) << static_cast<WORD>(0x0203) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x04050607) << 1.5;
        ar.WriteCount(3);
        ar.WriteCount(0xFFFF);
    });
    const Bytes expected = { 1, 0x03, 0x02, 0xFE, 0xFF, 0xFF, 0xFF, 0x07, 0x06, 0x05, 0x04, 0, 0, 0, 0, 0, 0, 0xF8,
        0x3F, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0 };
    EXPECT_EQ(bytes, expected);

    Loaded in(bytes);
    BYTE b = 0;
    WORD w = 0;
    LONG l = 0;
    DWORD d = 0;
    double x = 0;
    in.ar >> b >> w >> l >> d >> x;
    EXPECT_EQ(in.ar.ReadCount(), 3u);
    EXPECT_EQ(in.ar.ReadCount(), 0xFFFFu);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(x, 1.5);
}

TEST(CArchive, ObjectsRoundTripWithSharedReferences)
{
    CSquare square;
    square.m_nSides = 4;
    square.m_strName = "square";
    CShape triangle;
    triangle.m_nSides = 3;
    triangle.m_pNext = &square;
    square.m_pNext = &triangle; // a cycle: written once, referred to afterwards

    const Bytes bytes = Stored([&](CArchive& ar) { ar << &triangle << &square << static_cast<CObject*>(nullptr); });
    // New class tag, schema 1, name, then the object's data.
    const Bytes head = { 0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00, 'C', 'S', 'h', 'a', 'p', 'e', 0x03, 0, 0, 0, 0x00 };
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(head.size())), head);

    Loaded in(bytes);
    CShape* first = nullptr;
    CObject* second = nullptr;
    CObject* third = nullptr;
    in.ar >> first >> second >> third;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_nSides, 3);
    ASSERT_TRUE(second->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(first->m_pNext, second);
    EXPECT_EQ(static_cast<CShape*>(second)->m_pNext, first);
    EXPECT_STREQ(static_cast<CShape*>(second)->m_strName, "square");
    EXPECT_EQ(third, nullptr);
    delete first;
    delete second;
}

TEST(CArchive, TruncatedOrLyingDataThrows)
{
    const auto readString = [](CArchive& ar) {
        CString s;
        ar >> s;
    };
    const auto readShape = [](CArchive& ar) {
        CShape* shape = nullptr;
        ar >> shape;
        delete shape;
    };
    const auto readLong = [](CArchive& ar) {
        LONG l;
        ar >> l;
    };
    EXPECT_EQ(ArchiveCause({ 0x05, 'a', 'b' }, readString), CArchiveException::endOfFile);
    // A length of two thousand million with one byte behind it is read as far as the data goes; a length
    // no string can have is refused at once.
    EXPECT_EQ(
        ArchiveCause({ 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a' }, readString), CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveCause({ 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a' }, readString), CArchiveException::badIndex);
    EXPECT_EQ(ArchiveCause({ 0xFF }, readString), CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveCause({ 1, 2, 3 }, readLong), CArchiveException::endOfFile);
    // An unknown class name, a class of the wrong kind, a reference to an index never written.
    EXPECT_EQ(ArchiveCause({ 0xFF, 0xFF, 1, 0, 4, 0, 'C', 'N', 'o', 'p' }, readShape), CArchiveException::badClass);
    EXPECT_EQ(ArchiveCause({ 0xFF, 0xFF, 0, 0, 7, 0, 'C', 'O', 'b', 'L', 'i', 's', 't' }, readShape),
        CArchiveException::badClass);
    EXPECT_EQ(ArchiveCause({ 0x05, 0x00 }, readShape), CArchiveException::badIndex);
    EXPECT_EQ(ArchiveCause({ 0x01, 0x80 }, readShape), CArchiveException::badIndex);
    // A stored schema the class does not accept.
    EXPECT_EQ(ArchiveCause({ 0xFF, 0xFF, 2, 0, 6, 0, 'C', 'S', 'h', 'a', 'p', 'e' }, readShape),
        CArchiveException::badSchema);
    // The object's own data cut short: the half-read object is freed, the exception reaches the caller.
    EXPECT_EQ(ArchiveCause({ 0xFF, 0xFF, 1, 0, 6, 0, 'C', 'S', 'h', 'a', 'p', 'e', 3, 0 }, readShape),
        CArchiveException::endOfFile);
}

TEST(CArchive, WrongDirectionAndUnserialisableClassesThrow)
{
    CMemFile file;
    CArchive loading(&file, CArchive::load);
    try {
        loading << static_cast<LONG>(1);
        FAIL();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
        e->Delete();
    }
    CArchive storing(&file, CArchive::store);
    LONG l;
    try {
        storing >> l;
        FAIL();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
        e->Delete();
    }
    CMemFile notSerialisable;
    try {
        storing << static_cast<CObject*>(&notSerialisable);
        FAIL();
    } catch (CNotSupportedException* e) {
        e->Delete();
    }
    loading.Abort();
    storing.Abort();
}

TEST(CArchive, LinesReadWithoutTheirBreaks)
{
    Loaded in({ 'o', 'n', 'e', '\r', '\n', 't', 'w', 'o', '\n', 'x' });
    CString line;
    std::vector<std::string> lines;
    while (in.ar.ReadString(line))
        lines.emplace_back(line.GetString());
    EXPECT_EQ(lines, (std::vector<std::string> { "one", "two", "x" }));
}
