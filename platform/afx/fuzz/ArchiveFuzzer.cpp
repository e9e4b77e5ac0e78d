// Loads arbitrary bytes through an archive: strings, lines, the collections, objects of any class and
// the docking state. A damaged file may only end in CArchiveException (or the like), never in a crash,
// a leak, an over-long allocation or a hang.
//
// Input: one byte choosing what to read, then the archive's bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CDockState.h"
#include "platform/afx/CException.h"
#include "platform/afx/CMapStringToString.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CObList.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CUIntArray.h"
#include "platform/afx/CWordArray.h"

namespace {

enum class Reading { Strings, Lines, StringArray, StringList, ObArray, ObList, StringMap, Numbers, DockState, Object, Count };

void ReadStrings(CArchive& ar)
{
    for (;;) {
        CString text;
        ar >> text;
    }
}

void ReadLines(CArchive& ar)
{
    CString line;
    while (ar.ReadString(line)) {
    }
    char buffer[16];
    while (ar.ReadString(buffer, sizeof buffer)) {
    }
}

template<typename Objects> void ReadOwnedObjects(CArchive& ar)
{
    Objects objects;
    try {
        objects.Serialize(ar);
    } catch (...) {
        for (INT_PTR i = 0; i < objects.GetSize(); ++i)
            delete objects.GetAt(i);
        throw;
    }
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        delete objects.GetAt(i);
}

void ReadObList(CArchive& ar)
{
    CObList objects;
    auto release = [&] {
        while (!objects.IsEmpty())
            delete objects.RemoveHead();
    };
    try {
        objects.Serialize(ar);
    } catch (...) {
        release();
        throw;
    }
    release();
}

void ReadNumbers(CArchive& ar)
{
    CByteArray bytes;
    bytes.Serialize(ar);
    CWordArray words;
    words.Serialize(ar);
    CDWordArray dwords;
    dwords.Serialize(ar);
    CUIntArray uints;
    uints.Serialize(ar);
}

void Read(Reading reading, CArchive& ar)
{
    switch (reading) {
    case Reading::Strings:
        return ReadStrings(ar);
    case Reading::Lines:
        return ReadLines(ar);
    case Reading::StringArray: {
        CStringArray strings;
        return strings.Serialize(ar);
    }
    case Reading::StringList: {
        CStringList strings;
        return strings.Serialize(ar);
    }
    case Reading::ObArray:
        return ReadOwnedObjects<CObArray>(ar);
    case Reading::ObList:
        return ReadObList(ar);
    case Reading::StringMap: {
        CMapStringToString map;
        return map.Serialize(ar);
    }
    case Reading::Numbers:
        return ReadNumbers(ar);
    case Reading::DockState: {
        CDockState state;
        return state.Serialize(ar);
    }
    case Reading::Object:
    case Reading::Count:
        delete ar.ReadObject(nullptr);
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto reading = static_cast<Reading>(data[0] % static_cast<int>(Reading::Count));
    std::vector<BYTE> bytes(data + 1, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load);
        Read(reading, ar);
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
