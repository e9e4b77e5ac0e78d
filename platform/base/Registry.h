#pragma once
// The registry: keys and typed values under predefined roots, kept in hive files in HomeFolder().
//
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_USERS each have a hive file of their own (user.reg,
// machine.reg, users.reg). HKEY_CLASSES_ROOT is a merged view of HKEY_LOCAL_MACHINE\Software\Classes under
// HKEY_CURRENT_USER\Software\Classes: reads look in the user's classes first, enumerations list the user's
// keys and values first and then the machine's that the user's do not shadow; writes (values, new keys)
// go to the machine's classes unless the key exists only under the user's; deleting a key or value
// deletes it on both sides. HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG and HKEY_DYN_DATA are empty and
// refuse writes with ERROR_ACCESS_DENIED.
//
// Key and value names compare without regard to case and keep their first spelling; subkeys and values
// enumerate in the order they were created. Every change is on disk when the call returns. Text values
// (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are always stored with their terminating zero (two for
// REG_MULTI_SZ), added when the caller's data lacks it, so readers always get terminated text. Volatile
// keys are stored like the others. The functions return their error code and leave the last error alone.

#include "platform/base/WinTypes.h"

// The predefined roots are handle constants of the platform; a macro keeps them usable in static
// initialisers of other libraries (a pointer made from an integer is no constant expression).
#define TS_PREDEFINED_HKEY(value)                                                                                      \
    (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(value)))))
#define HKEY_CLASSES_ROOT TS_PREDEFINED_HKEY(0x80000000u)
#define HKEY_CURRENT_USER TS_PREDEFINED_HKEY(0x80000001u)
#define HKEY_LOCAL_MACHINE TS_PREDEFINED_HKEY(0x80000002u)
#define HKEY_USERS TS_PREDEFINED_HKEY(0x80000003u)
#define HKEY_PERFORMANCE_DATA TS_PREDEFINED_HKEY(0x80000004u)
#define HKEY_CURRENT_CONFIG TS_PREDEFINED_HKEY(0x80000005u)
#define HKEY_DYN_DATA TS_PREDEFINED_HKEY(0x80000006u)

using LSTATUS = LONG;
using PLONG = LONG*;
using SECURITY_INFORMATION = DWORD;
using PSECURITY_DESCRIPTOR = void*;

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_LINK = 6;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

// Access rights of a key handle.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_EXECUTE = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Options of RegCreateKeyEx.
constexpr DWORD REG_OPTION_RESERVED = 0;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_OPTION_VOLATILE = 1;
constexpr DWORD REG_OPTION_CREATE_LINK = 2;
constexpr DWORD REG_OPTION_BACKUP_RESTORE = 4;
constexpr DWORD REG_OPTION_OPEN_LINK = 8;

// Dispositions reported by RegCreateKeyEx.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Filters of RegNotifyChangeKeyValue.
constexpr DWORD REG_NOTIFY_CHANGE_NAME = 1;
constexpr DWORD REG_NOTIFY_CHANGE_ATTRIBUTES = 2;
constexpr DWORD REG_NOTIFY_CHANGE_LAST_SET = 4;
constexpr DWORD REG_NOTIFY_CHANGE_SECURITY = 8;

// Opens an existing subkey (null or "" opens the key itself again); ERROR_FILE_NOT_FOUND when missing.
LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
// Opens an existing subkey with full access; null or "" hands back hKey itself.
LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
// Opens a subkey, creating it and any missing keys above it; the disposition tells which happened.
LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPCSTR lpClass, DWORD dwOptions, REGSAM samDesired,
    const SECURITY_ATTRIBUTES* lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition);
// RegCreateKeyEx with full access; null or "" hands back hKey itself.
LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
// Reads a value (null or "" name: the default value). Type and size are reported when asked for; with
// lpData null only the size; a buffer too small gives ERROR_MORE_DATA and the size needed.
LONG RegQueryValueEx(
    HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
// Reads the default value of a subkey as text ("" when the key has none), with RegQueryValueEx's size rules.
LONG RegQueryValue(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData);
// Stores a value of any type and length (null or "" name: the default value).
LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData);
// Stores the text lpData (REG_SZ only) as the default value of a subkey, creating the subkey when missing.
LONG RegSetValue(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData);
// Removes a value; ERROR_FILE_NOT_FOUND when there is none.
LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName);
// Removes a subkey that has no subkeys of its own (ERROR_ACCESS_DENIED otherwise); "" removes hKey's key.
LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);
// The name of the subkey at dwIndex (counts in characters without the zero); ERROR_NO_MORE_ITEMS past the
// end, ERROR_MORE_DATA when the name buffer is too small. Keys have no class: the class is "".
LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
    LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
// The name of the subkey at dwIndex in a buffer of cchName characters.
LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
// The name, type and data of the value at dwIndex; ERROR_NO_MORE_ITEMS past the end, ERROR_MORE_DATA when
// the name or the data buffer is too small (the data size needed is reported).
LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
    LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
// Counts and longest lengths (names in characters without the zero, data in bytes) of a key.
LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
    LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen,
    LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime);
// Closes a key handle (closing a predefined root does nothing); ERROR_INVALID_HANDLE for unknown handles.
LONG RegCloseKey(HKEY hKey);
// Nothing to do (changes are written through at once) beyond checking the handle.
LONG RegFlushKey(HKEY hKey);
// A root of the local computer (null, "" or its name, with or without leading backslashes):
// HKEY_LOCAL_MACHINE, HKEY_USERS and the empty roots; ERROR_BAD_NETPATH for any other computer.
LONG RegConnectRegistry(LPCSTR lpMachineName, HKEY hKey, PHKEY phkResult);

// Hive files, notifications and key security do not exist here: ERROR_CALL_NOT_IMPLEMENTED.
LONG RegLoadKey(HKEY hKey, LPCSTR lpSubKey, LPCSTR lpFile);
LONG RegUnLoadKey(HKEY hKey, LPCSTR lpSubKey);
LONG RegSaveKey(HKEY hKey, LPCSTR lpFile, const SECURITY_ATTRIBUTES* lpSecurityAttributes);
LONG RegRestoreKey(HKEY hKey, LPCSTR lpFile, DWORD dwFlags);
LONG RegReplaceKey(HKEY hKey, LPCSTR lpSubKey, LPCSTR lpNewFile, LPCSTR lpOldFile);
LONG RegNotifyChangeKeyValue(HKEY hKey, BOOL bWatchSubtree, DWORD dwNotifyFilter, HANDLE hEvent, BOOL fAsynchronous);
LONG RegGetKeySecurity(HKEY hKey, SECURITY_INFORMATION SecurityInformation, PSECURITY_DESCRIPTOR pSecurityDescriptor,
    LPDWORD lpcbSecurityDescriptor);
LONG RegSetKeySecurity(HKEY hKey, SECURITY_INFORMATION SecurityInformation, PSECURITY_DESCRIPTOR pSecurityDescriptor);
