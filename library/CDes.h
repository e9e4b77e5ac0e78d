#pragma once
// Saved device passwords are never stored as typed: they are kept as a printable token. The token format
// is fixed by the tokens already in users' registries and must stay byte for byte the same.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CDes : public CObject {
    DECLARE_DYNCREATE(CDes)
public:
    CDes() = default;

    // The token of a password: each byte shifted by its position less 4, then written in base64 with
    // "=" for every zero byte. The empty text gives the empty token.
    static CString Encode(LPCTSTR text);
    // The password of a token (null reads as empty); characters outside the base64 alphabet count as
    // zero bits, and the password ends at the first zero byte.
    static CString Decode(LPCTSTR token);
    // The base64 character of a value 0..63 (only the low 6 bits count).
    static char Base64Char(int value);
    // The value 0..63 of a base64 character; 0 for every other character, "=" included.
    static int Base64Value(char ch);
};
