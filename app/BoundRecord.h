#pragma once
// The first row of a stored query, bound to a record structure: the account forms read the customer's
// row through it and write their edits back with the binding's Update. A query without rows (no
// customer yet, or the row was deleted by a synchronisation) leaves it unbound, and an unbound record
// writes nothing.

#include "library/_ADORecordsetHelper.h"
#include "platform/ado/AdoRecordBinding.h"

class BoundRecord {
public:
    BoundRecord() = default;
    BoundRecord(const BoundRecord&) = delete;
    BoundRecord& operator=(const BoundRecord&) = delete;
    ~BoundRecord() { Close(); }

    // Opens the query by name on the library and binds the record to its first row; false when there is
    // no row to bind (failures of the binding are reported).
    bool Open(LPCTSTR queryName, CADORecordBinding& record);
    // True while a row is bound.
    bool IsBound() const { return m_binding != nullptr; }
    // Writes the record's members to the bound row; false, writing nothing, while unbound or when the
    // row is gone.
    bool Write(CADORecordBinding& record);
    // Lets go of the binding and closes the rows.
    void Close();

private:
    _ADORecordsetHelper m_rows;
    IADORecordBindingPtr m_binding;
};
