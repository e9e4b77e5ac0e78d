#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/CArchiveException.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CMapPtrToPtr.h"
#include "platform/afx/CMapStringToOb.h"
#include "platform/afx/CMapStringToPtr.h"
#include "platform/afx/CMapStringToString.h"
#include "platform/afx/CMapWordToPtr.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CObList.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CPtrList.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CTypedPtrArray.h"
#include "platform/afx/CTypedPtrList.h"
#include "platform/afx/CUIntArray.h"
#include "platform/afx/CWordArray.h"

class CItem : public CObject {
    DECLARE_SERIAL(CItem)
public:
    CItem() = default;
    explicit CItem(LONG value)
        : m_value(value)
    {
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
    LONG m_value { 0 };
};
IMPLEMENT_SERIAL(CItem, CObject, 1)

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CObject& collection)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        collection.Serialize(ar);
    }
    Bytes bytes(static_cast<std::size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(CObject& collection, const Bytes& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    collection.Serialize(ar);
}

template<typename Collection> void ExpectRoundTrip(Collection& original, const Bytes& expected)
{
    const Bytes bytes = Store(original);
    EXPECT_EQ(bytes, expected);
    Collection copy;
    Load(copy, bytes);
    EXPECT_EQ(Store(copy), bytes);
}

template<typename Map> std::vector<std::string> KeysInOrder(const Map& map)
{
    std::vector<std::string> keys;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        CString key;
        CString value;
        map.GetNextAssoc(pos, key, value);
        keys.emplace_back(key.GetString());
    }
    return keys;
}

} // namespace

TEST(Collections, SerializedFormsRoundTrip)
{
    CByteArray bytes;
    bytes.Add(1);
    bytes.Add(0xFF);
    ExpectRoundTrip(bytes, { 2, 0, 1, 0xFF });

    CWordArray words;
    words.Add(0x0102);
    ExpectRoundTrip(words, { 1, 0, 0x02, 0x01 });

    CDWordArray dwords;
    dwords.Add(0x01020304);
    dwords.Add(5);
    ExpectRoundTrip(dwords, { 2, 0, 4, 3, 2, 1, 5, 0, 0, 0 });

    CStringArray strings;
    strings.Add("ab");
    strings.Add("");
    ExpectRoundTrip(strings, { 2, 0, 2, 'a', 'b', 0 });

    CStringList list;
    list.AddTail("x");
    list.AddHead("w");
    ExpectRoundTrip(list, { 2, 0, 1, 'w', 1, 'x' });

    CMapStringToString map;
    map.SetAt("k", "v");
    ExpectRoundTrip(map, { 1, 0, 1, 'k', 1, 'v' });

    CArray<LONG, LONG> longs;
    longs.Add(-1);
    ExpectRoundTrip(longs, { 1, 0, 0xFF, 0xFF, 0xFF, 0xFF });
}

TEST(Collections, ObjectCollectionsShareObjectsAcrossTheArchive)
{
    CItem one(1);
    CItem two(2);
    CObArray array;
    array.Add(&one);
    array.Add(&two);
    array.Add(&one);
    const Bytes bytes = Store(array);
    // Count, new class "CItem" with schema 1 and its data, the second object by class index, then a
    // reference to the first object.
    const Bytes expected
        = { 3, 0, 0xFF, 0xFF, 1, 0, 5, 0, 'C', 'I', 't', 'e', 'm', 1, 0, 0, 0, 0x01, 0x80, 2, 0, 0, 0, 0x02, 0x00 };
    EXPECT_EQ(bytes, expected);

    CObArray loaded;
    Load(loaded, bytes);
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(loaded[0], loaded[2]);
    EXPECT_EQ(static_cast<CItem*>(loaded[1])->m_value, 2);
    delete loaded[0];
    delete loaded[1];

    CObList list;
    list.AddTail(&two);
    CMapStringToOb map;
    map.SetAt("two", &two);
    CObList listBack;
    Load(listBack, Store(list));
    CMapStringToOb mapBack;
    Load(mapBack, Store(map));
    CObject* found = nullptr;
    ASSERT_TRUE(mapBack.Lookup("two", found));
    EXPECT_EQ(static_cast<CItem*>(found)->m_value, 2);
    EXPECT_EQ(static_cast<CItem*>(listBack.GetHead())->m_value, 2);
    delete found;
    delete listBack.GetHead();
}

TEST(Collections, PointerCollectionsArchiveNothing)
{
    int x = 0;
    CPtrArray pointers;
    pointers.Add(&x);
    CPtrList pointerList;
    pointerList.AddTail(&x);
    CMapPtrToPtr pointerMap;
    pointerMap.SetAt(&x, &x);
    CUIntArray uints;
    uints.Add(5);
    EXPECT_TRUE(Store(pointers).empty());
    EXPECT_TRUE(Store(pointerList).empty());
    EXPECT_TRUE(Store(pointerMap).empty());
    EXPECT_TRUE(Store(uints).empty());
}

TEST(Collections, LyingCountsEndInAnExceptionNotAnAllocation)
{
    const Bytes lying = { 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x70, 1, 2 }; // 0x70000000 elements, two bytes of data
    for (int kind = 0; kind < 3; ++kind) {
        CByteArray bytes;
        CStringList strings;
        CMapStringToString map;
        CObject* target = kind == 0 ? static_cast<CObject*>(&bytes)
                                    : (kind == 1 ? static_cast<CObject*>(&strings) : static_cast<CObject*>(&map));
        try {
            Load(*target, lying);
            ADD_FAILURE() << kind;
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::endOfFile) << kind;
            e->Delete();
        }
    }
}

TEST(CArray, GrowingInsertingRemovingAndRangeChecks)
{
    CDWordArray a;
    a.SetAtGrow(3, 7); // grows with zeros
    EXPECT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a[0], 0u);
    a.InsertAt(1, 9, 2);
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[2], 9u);
    a.RemoveAt(0, 3);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a.GetUpperBound(), 2);
    a.InsertAt(5, 1); // past the end: the gap is filled
    EXPECT_EQ(a.GetSize(), 6);

    CStringArray s;
    s.Add("a");
    s.Append(s); // appending to itself doubles it
    s.SetAtGrow(3, s[0]); // an element of the array itself as the argument
    EXPECT_EQ(s.GetSize(), 4);
    EXPECT_STREQ(s[3], "a");

    const auto invalid = [](auto action) {
        try {
            action();
        } catch (CInvalidArgException* e) {
            e->Delete();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(invalid([&] { (void)a.GetAt(6); }));
    EXPECT_TRUE(invalid([&] { (void)a[-1]; }));
    EXPECT_TRUE(invalid([&] { a.SetAt(100, 1); }));
    EXPECT_TRUE(invalid([&] { a.RemoveAt(5, 2); }));
    EXPECT_TRUE(invalid([&] { a.SetSize(-1); }));
    EXPECT_EQ(a.GetSize(), 6); // nothing changed by the refused calls

    CPtrList list;
    EXPECT_TRUE(invalid([&] { list.RemoveHead(); }));
    EXPECT_TRUE(invalid([&] {
        POSITION pos = nullptr;
        list.GetNext(pos);
    }));
}

TEST(CList, PositionsWalkInsertAndRemove)
{
    CStringList list;
    POSITION b = list.AddTail("b");
    list.AddHead("a");
    list.InsertAfter(b, "d");
    list.InsertBefore(list.Find("d"), "c");
    std::vector<std::string> forward;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        forward.emplace_back(list.GetNext(pos).GetString());
    EXPECT_EQ(forward, (std::vector<std::string> { "a", "b", "c", "d" }));

    // Removing the element just handed out keeps the walk going.
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION current = pos;
        if (list.GetNext(pos) == "b" || list.GetAt(current) == "d")
            list.RemoveAt(current);
    }
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetTail(), "c");
    EXPECT_EQ(list.FindIndex(1), list.GetTailPosition());
    EXPECT_EQ(list.FindIndex(2), nullptr);
    EXPECT_EQ(list.Find("zz"), nullptr);
    EXPECT_STREQ(list.RemoveHead(), "a");

    list.AddTail(&list); // a list added to itself is copied once
    EXPECT_EQ(list.GetCount(), 2);

    CItem item(5);
    CTypedPtrList<CObList, CItem*> typed;
    typed.AddTail(&item);
    POSITION pos = typed.GetHeadPosition();
    EXPECT_EQ(typed.GetNext(pos)->m_value, 5);
    CTypedPtrArray<CPtrArray, CItem*> typedArray;
    typedArray.Add(&item);
    EXPECT_EQ(typedArray[0]->m_value, 5);
}

TEST(CMap, LookupIterationOrderAndHashing)
{
    CMapStringToString map;
    for (const char* key : { "alpha", "beta", "gamma", "delta", "Alpha" })
        map.SetAt(key, CString(key) + "!");
    map["beta"] = "changed";
    EXPECT_EQ(map.GetCount(), 5);
    CString value;
    EXPECT_TRUE(map.Lookup("Alpha", value));
    EXPECT_STREQ(value, "Alpha!");
    EXPECT_FALSE(map.Lookup("ALPHA", value)); // keys compare with regard to case
    EXPECT_TRUE(map.RemoveKey("gamma"));
    EXPECT_FALSE(map.RemoveKey("gamma"));

    // Buckets in order (hash modulo 17), each newest first.
    std::vector<std::pair<UINT, std::string>> expected;
    for (const char* key : { "alpha", "beta", "delta", "Alpha" })
        expected.emplace_back(HashKey(key) % 17, key);
    std::stable_sort(expected.begin(), expected.end(), [](auto& x, auto& y) { return x.first < y.first; });
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        if (expected[i].first == expected[i + 1].first)
            std::swap(expected[i], expected[i + 1]);
    }
    std::vector<std::string> keys;
    for (auto& e : expected)
        keys.push_back(e.second);
    EXPECT_EQ(KeysInOrder(map), keys);

    EXPECT_EQ(HashKey("ab"), 97u * 33 + 98);
    int objects[2];
    EXPECT_EQ(HashKey<void*>(&objects[0]), static_cast<UINT>(reinterpret_cast<DWORD_PTR>(&objects[0]) >> 4));

    CMapWordToPtr words;
    words.InitHashTable(3);
    words.SetAt(1, &objects[0]);
    words.SetAt(0x31, &objects[1]); // 0x31 >> 4 = 3: bucket 0, like key 1
    EXPECT_EQ(words.GetHashTableSize(), 3u);
    void* p = nullptr;
    EXPECT_TRUE(words.Lookup(0x31, p));
    EXPECT_EQ(p, &objects[1]);
    words.InitHashTable(17); // redistributes what it holds
    EXPECT_TRUE(words.Lookup(1, p));
    EXPECT_EQ(p, &objects[0]);

    CMapStringToPtr empty;
    EXPECT_EQ(empty.GetStartPosition(), nullptr);
}

TEST(Collections, ElementsWithoutAnArchiveFormAreRefusedWhenArchived)
{
    struct Genre {
        LONG id { 0 };
        CString name;
    };
    CArray<Genre, Genre> genres; // usable as an array although it cannot be archived
    genres.Add(Genre { 3, "Jazz" });
    EXPECT_STREQ(genres[0].name, "Jazz");
    try {
        Store(genres);
        FAIL();
    } catch (CNotSupportedException* e) {
        e->Delete();
    }

    struct Point {
        LONG x;
        LONG y;
    };
    CArray<Point, const Point&> points; // plain data goes as its bytes
    points.Add({ 1, -1 });
    EXPECT_EQ(Store(points), (Bytes { 1, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF }));
}
