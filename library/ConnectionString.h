#pragma once
// Texts the program hands to the database: the connection text of a library file and INSERT
// statements built from name/value pairs.

#include "platform/afx/CString.h"
#include "platform/com/OaIdl.h"

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Persist Security Info=False".
CString MakeConnectionString(LPCTSTR path);

// "INSERT INTO <table> ([name], ...) VALUES (value, ...)" from count (name, value) pairs. Pairs whose
// name is not a text are skipped. Texts are written between double quotes with inner quotes doubled,
// empty or Null values as NULL, dates after the first pair as #mm/dd/yyyy#, anything else as a 32-bit
// integer between double quotes (the database converts it to the column's type). False, out untouched,
// when count is below 1, no pair has a text name, or a value cannot be written.
bool BuildInsertSql(CString& out, LPCTSTR table, int count, const VARIANT* names, const VARIANT* values);
