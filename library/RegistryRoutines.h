#pragma once
// The program's settings in the registry. Every setting is a text value in HKEY_CURRENT_USER under
// "Software\Corvane\Tune Steward\" followed by a subkey ("Settings", "ConfirmationFlags", the device
// key maker\device, ...). A base text that begins with a root-key name ("HKEY_CLASSES_ROOT\ADOX.Catalog\")
// replaces the program's key. Failures show nothing: they give an empty text or false.

#include "platform/afx/CString.h"
#include "platform/base/Registry.h"

// The text of a value (null or "" name: the key's default value); empty when the key or value is
// missing or the value holds no text.
CString ReadRegistryValue(LPCTSTR valueName, LPCTSTR subkey, LPCTSTR base = nullptr);
// Stores a text value (REG_SZ), creating the key when missing; true when written.
bool WriteRegistryValue(LPCTSTR value, LPCTSTR valueName, LPCTSTR subkey, LPCTSTR base = nullptr);
// Removes a value; true when it was removed.
bool DeleteRegistryValue(LPCTSTR valueName, LPCTSTR subkey, LPCTSTR base = nullptr);
// Removes the key base + parent + "\" + key; true when it was removed.
bool DeleteRegistryKey(LPCTSTR keyName, LPCTSTR parentSubkey = nullptr, LPCTSTR base = nullptr);
// Splits "ROOT\key\path" into the root key and the path after the first backslash; false when there is
// no backslash or the first part names no root key.
bool SplitRegistryPath(LPCTSTR text, HKEY* rootKey, CString& keyPath);
// The predefined root key of that name (HKEY_CLASSES_ROOT ... HKEY_DYN_DATA, any case); null otherwise.
HKEY ParseRootKeyName(LPCTSTR name);

// Stores FALSE in the flag when the value is exactly "F" (case counts), TRUE otherwise.
void ReadConfirmFlag(BOOL* pFlag, LPCTSTR valueName, LPCTSTR subkey);
// When the new value differs from the flag: stores it and writes "T" or "F"; otherwise does nothing.
void WriteConfirmFlag(BOOL newValue, BOOL* pFlag, LPCTSTR valueName, LPCTSTR subkey);
