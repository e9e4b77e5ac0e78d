#include "app/BoundRecord.h"

#include "library/ResultChecking.h"
#include "library/_ADOConnectionHelper.h"

namespace {

// Opens a stored query by its name, as a table is opened.
constexpr long kAdCmdStoredName = 2;

} // namespace

bool BoundRecord::Open(LPCTSTR queryName, CADORecordBinding& record)
{
    Close();
    if (!theLibraryConnection.ExecuteSql(queryName, m_rows.ReceivePointer(), kAdCmdStoredName) || !m_rows.HasRecordset())
        return false;
    if (m_rows.IsEOF())
        return false;
    try {
        IADORecordBindingPtr binding;
        CheckResult(m_rows.Get()->QueryInterface(platform::IidOf<IADORecordBinding>(), reinterpret_cast<void**>(&binding)),
            theLibraryConnection.GetConnection());
        CheckResult(binding->BindToRecordset(&record), theLibraryConnection.GetConnection());
        m_binding = binding;
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool BoundRecord::Write(CADORecordBinding& record)
{
    if (!m_binding || m_rows.IsEOF())
        return false;
    return m_rows.UpdateBinding(m_binding, &record);
}

void BoundRecord::Close()
{
    m_binding = nullptr;
    m_rows.Release();
}
