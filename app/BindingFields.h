#pragma once
// Moving values between a bound record's members and a form's members. A field whose status is not
// adFldOK holds no value: it reads as an empty text, 0 or FALSE. Writing sets the status to adFldOK.

#include <cstddef>

#include "platform/ado/Ado.h"
#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

// The text of a wide buffer; empty unless the status is adFldOK.
CString FieldText(const WCHAR* buffer, ULONG status);
// Stores the text cut to the buffer's characters less the terminator (never half a character).
template<std::size_t N> void PutFieldText(WCHAR (&buffer)[N], ULONG& status, const CString& text)
{
    PutFieldText(buffer, static_cast<int>(N), status, text);
}
void PutFieldText(WCHAR* buffer, int characters, ULONG& status, const CString& text);
// A number or Yes/No field; 0 or FALSE unless the status is adFldOK.
long FieldLong(long value, ULONG status);
BOOL FieldBool(VARIANT_BOOL value, ULONG status);
void PutFieldLong(long& field, ULONG& status, long value);
void PutFieldBool(VARIANT_BOOL& field, ULONG& status, BOOL value);
// ModifyFlag TRUE and TimeStamp the current local time, both present: the row is sent at the next
// synchronisation.
void MarkRowModified(VARIANT_BOOL& modifyFlag, ULONG& modifyStatus, DATE& timeStamp, ULONG& timeStatus);
