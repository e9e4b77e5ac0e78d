#pragma once
// The program's connection to a library database. Every operation routes its results through
// CheckResult, catches the exception itself and reports failure by its result. The one program-wide
// instance is theLibraryConnection.

#include "library/KeptClassObject.h"
#include "platform/ado/Ado.h"
#include "platform/base/WinTypes.h"
#include "platform/com/VariantT.h"

#include <mutex>

class _ADOConnectionHelper {
public:
    _ADOConnectionHelper() = default;
    _ADOConnectionHelper(const _ADOConnectionHelper&) = delete;
    _ADOConnectionHelper& operator=(const _ADOConnectionHelper&) = delete;
    // Closes the connection.
    virtual ~_ADOConnectionHelper();

    // Closes the connection if it is open and empties the holder; true at once when empty, false
    // after a failure (the holder is empty all the same).
    bool Close();
    // Closes any open connection, then opens one on the connection text (server-side cursors).
    bool Open(LPCTSTR connectionString);
    // Open with the connection text of a library file.
    bool OpenDatabase(LPCTSTR path);
    // Opens a static, optimistic record set on the SQL text. With an address, the caller receives it
    // (closing what the address held first; a failure there fails the call); without, it is closed at once.
    bool ExecuteSql(LPCTSTR sql, _Recordset** recordset, long options);
    // Runs a stored query with its parameters by position: texts bound as text, dates as dates, any
    // other value as an integer. Record set and command go to the caller when addresses are given.
    bool RunStoredQuery(LPCTSTR name, const VARIANT* parameters, int count, _Recordset** recordset, _Command** command,
        long options);
    // The first field of the first row of the SQL's result; empty when it fails, has no row or is Null.
    _variant_t ExecuteScalar(LPCTSTR sql, long options);
    // The same for a stored query with its parameters.
    _variant_t RunStoredQueryScalar(LPCTSTR name, const VARIANT* parameters, int count, long options);
    // "DELETE * FROM <table>".
    bool DeleteAllRows(LPCTSTR table);
    // A transaction on the held connection; begun inside another, it is a savepoint of that one. False
    // (shown) when the engine refuses.
    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();
    // Every statement the helper runs takes this lock for its run, and an import batch holds it while its
    // transaction is open: a statement from another thread (the cover-art thread's writes) waits for the
    // batch's next commit instead of landing inside the batch's work, where a failing file would undo it.
    std::recursive_mutex& TransactionLock() { return m_transactionLock; }

    // The largest value of a field of a table on theLibraryConnection, optionally among the rows that
    // match a criteria text of the engine's dialect; true when out is not empty (a match was found).
    static bool DMaxValue(LPCTSTR table, LPCTSTR field, VARIANT* out, LPCTSTR criteria = nullptr);
    // How many rows of a table on theLibraryConnection are flagged modified or deleted; 0 when unreadable.
    static long CountChangedRows(LPCTSTR table);
    // True when any change-tracked table on theLibraryConnection has flagged rows.
    static bool HasPendingChanges();

    // The held connection, null while the holder is empty.
    _Connection* GetConnection() const { return m_pConnection.GetInterfacePtr(); }
    // True while the holder holds a connection.
    bool IsOpen() const { return m_pConnection != nullptr; }

private:
    // The result routed through CheckResult; false when it failed (and was shown).
    bool Checked(HRESULT result);

    _ConnectionPtr m_pConnection;
    // Kept while the connection is open: every statement makes a record set, and many a command.
    KeptClassObject m_recordsetClass { CLSID_Recordset };
    KeptClassObject m_commandClass { CLSID_Command };
    std::recursive_mutex m_transactionLock;
};

// The program's connection to the open library; empty while no library is open.
extern _ADOConnectionHelper theLibraryConnection;

// True when theLibraryConnection holds a connection and the open library is not the local sample.
bool IsDeviceLibraryOpen();
