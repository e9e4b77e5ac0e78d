#pragma once
// Record binding: a class of the caller's lists which of its members hold which columns of a record
// set; once bound, the members follow every move of the record set, and Update writes the
// modifiable ones back to the current row.
//
//     class CTrackBinding : public CADORecordBinding {
//         BEGIN_ADO_BINDING(CTrackBinding)
//         ADO_VARIABLE_LENGTH_ENTRY2(1, adVarWChar, m_szTitle, sizeof(m_szTitle), m_lTitleStatus, TRUE)
//         ADO_FIXED_LENGTH_ENTRY(2, adInteger, m_lNumber, m_lNumberStatus, FALSE)
//         END_ADO_BINDING()
//     public:
//         WCHAR m_szTitle[51]; ULONG m_lTitleStatus; LONG m_lNumber; ULONG m_lNumberStatus;
//     };
//
// Texts are wide (adVarWChar; a value longer than the buffer is cut without splitting a character),
// Yes/No is a 16-bit VARIANT_BOOL, dates are OLE dates. A status reads adFldOK when the member holds
// the value and adFldNull when the column is Null; Update writes adFldOK members as they are and
// adFldNull members as Null, and leaves members with any other status alone.

#include "platform/ado/Ado.h"

#include <cstddef>
#include <vector>

struct ADO_BINDING_ENTRY {
    ULONG ulOrdinal { 0 }; // the column's position, from 1
    DataTypeEnum eDataType { adEmpty };
    std::ptrdiff_t bufferOffset { 0 }; // from the CADORecordBinding base of the bound object
    ULONG ulSize { 0 }; // bytes of the buffer
    std::ptrdiff_t statusOffset { -1 }; // -1: no status member
    BOOL fModify { FALSE }; // written back by Update
};

class CADORecordBinding {
public:
    virtual ~CADORecordBinding() = default;
    // The entries of the bound class, in the order written.
    virtual std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() = 0;

protected:
    // An entry for members of this object (the macros below build them).
    ADO_BINDING_ENTRY MakeBindingEntry(ULONG ordinal, DataTypeEnum type, const void* buffer, ULONG size, const void* status, BOOL modify) const
    {
        const auto* base = reinterpret_cast<const char*>(this);
        ADO_BINDING_ENTRY entry;
        entry.ulOrdinal = ordinal;
        entry.eDataType = type;
        entry.bufferOffset = reinterpret_cast<const char*>(buffer) - base;
        entry.ulSize = size;
        entry.statusOffset = status ? reinterpret_cast<const char*>(status) - base : -1;
        entry.fModify = modify;
        return entry;
    }
};

// The binding table of a class: a macro set, as binding tables are written declaratively.
#define BEGIN_ADO_BINDING(cls)                                            \
public:                                                                   \
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override        \
    {                                                                     \
        std::vector<ADO_BINDING_ENTRY> entries;
#define ADO_FIXED_LENGTH_ENTRY(ordinal, type, buffer, status, modify) \
    entries.push_back(MakeBindingEntry(ordinal, type, &(buffer), sizeof(buffer), &(status), modify));
#define ADO_FIXED_LENGTH_ENTRY2(ordinal, type, buffer, modify) \
    entries.push_back(MakeBindingEntry(ordinal, type, &(buffer), sizeof(buffer), nullptr, modify));
#define ADO_VARIABLE_LENGTH_ENTRY2(ordinal, type, buffer, size, status, modify) \
    entries.push_back(MakeBindingEntry(ordinal, type, &(buffer), size, &(status), modify));
#define ADO_VARIABLE_LENGTH_ENTRY4(ordinal, type, buffer, size, modify) \
    entries.push_back(MakeBindingEntry(ordinal, type, &(buffer), size, nullptr, modify));
#define END_ADO_BINDING() \
    return entries;       \
    }

// A record set's binding interface.
struct IADORecordBinding : IUnknown {
    // Binds the object: its members take the current row's values now and after every move.
    virtual HRESULT BindToRecordset(CADORecordBinding* pAdoRecordBinding) = 0;
    // Adds a row from the object's modifiable members.
    virtual HRESULT AddNew(CADORecordBinding* pAdoRecordBinding) = 0;
    // Writes the object's modifiable members to the current row.
    virtual HRESULT Update(CADORecordBinding* pAdoRecordBinding) = 0;
};
TS_DEFINE_IID(IADORecordBinding, "00000544-0000-0010-8000-00AA006D2EA4");
_COM_SMARTPTR_TYPEDEF(IADORecordBinding, platform::IidOf<IADORecordBinding>());
