#pragma once
// The one convention for database and component results: a negative result clears the busy flag,
// shows the run-time error message and the provider's errors, then raises _com_error carrying the
// result; callers catch it to abandon what they were doing.

#include "platform/ado/Ado.h"
#include "platform/base/WinTypes.h"

#include <source_location>

// Returns when the result is not negative; otherwise reports it (the provider errors of connection
// too, when given) and throws _com_error. File and line name the call site for the debug output.
void CheckResult(HRESULT result, const char* file, int line, _Connection* connection);
// The same with the caller's own source position.
void CheckResult(HRESULT result, _Connection* connection = nullptr, const std::source_location& where = std::source_location::current());
// Shows "Run-time error. Error#: <decimal>(<hex>)" in a message box with an OK button.
void ShowRunTimeError(HRESULT result);
// Lists the connection's provider errors in one message box, one block per error; nothing when there
// are none or no connection. False when the list itself could not be read.
bool ShowProviderErrors(_Connection* connection);
// Throws _com_error when the result is negative.
void ThrowComError(HRESULT result);
// Closes the record set, an already closed one counting as closed. A failed close is reported as
// CheckResult reports it; then with reraise a fresh _com_error is thrown, without it false is returned.
bool CloseChecked(_Recordset* recordset, bool reraise, _Connection* connection);
// Closes, releases and clears the record set at the address (an already closed one is fine). On a
// failed close: with reraise a fresh _com_error is thrown, without it false is returned and the
// pointer stays as it was.
bool CloseRecordset(_Recordset** recordset, bool reraise, _Connection* connection);
