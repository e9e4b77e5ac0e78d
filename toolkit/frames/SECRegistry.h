#pragma once
// A thin object over the registry functions: one connected root (local, or named for another
// computer), at most one open key below it, the result of the last call, and typed value access.
// Nothing throws: every BOOL operation returns TRUE exactly when its last registry call gave 0, and
// that result stays readable through GetLastError(). A null name or buffer argument fails with
// ERROR_INVALID_PARAMETER.

#include "platform/afx/CByteArray.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CTime.h"
#include "platform/base/Registry.h"

class SECRegistry : public CObject {
    DECLARE_DYNAMIC(SECRegistry)
public:
    // Longest key name and longest value name read by the enumerations, and the size of the buffer
    // the string getter reads into, each with the terminating zero.
    static constexpr DWORD kNameBufferSize = 2048;
    static constexpr DWORD kStringBufferSize = 2048;

    SECRegistry();
    // Closes whatever key or root is still open.
    ~SECRegistry() override;

    // Forgets everything: strings emptied, handles and counts zeroed, closing the root enabled.
    virtual void Empty();
    // Creates (or opens) lpszName below the root, replacing the current key; a trailing backslash is
    // ignored and a null class is the empty one. The disposition is handed back when asked for.
    virtual BOOL Create(LPCTSTR lpszName, LPCTSTR lpszClass = nullptr, DWORD dwOptions = REG_OPTION_NON_VOLATILE,
        REGSAM samDesired = KEY_ALL_ACCESS, LPSECURITY_ATTRIBUTES pSecurityAttributes = nullptr,
        LPDWORD pdwDisposition = nullptr);
    // Closes the current key (unless it is the root) and the root (when the connection owns it), then
    // empties the object; FALSE when a close failed.
    virtual BOOL Close();
    // Connects to a root of this computer (no name) or of another one. HKEY_CLASSES_ROOT and
    // HKEY_CURRENT_USER exist only locally: with a computer name they fail with ERROR_INVALID_HANDLE and
    // the former closing setting stays. bCloseRoot: Close also closes the root handle.
    virtual BOOL Connect(HKEY hRoot = HKEY_CURRENT_USER, LPCTSTR lpszComputerName = nullptr, BOOL bCloseRoot = TRUE);
    // Deletes a key, with bRecursive its whole subtree first (deepest keys first). A name with an
    // inner backslash is first tried below the current key, otherwise it is taken below the root.
    // A whole root is never deleted.
    virtual BOOL DeleteKey(LPCTSTR lpszName, BOOL bRecursive = FALSE);
    // Deletes a value of the current key.
    virtual BOOL DeleteValue(LPCTSTR lpszName);
    // The subkey at dwIndex of the current key into caller buffers (sizes in characters, in and out);
    // returns the registry's result (ERROR_NO_MORE_ITEMS past the end). Records the key's write time.
    virtual LONG EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, DWORD& dwNameSize, LPTSTR lpszClass, DWORD& dwClassSize);
    // The subkey at dwIndex with its class; TRUE also when the name had to be cut (ERROR_MORE_DATA).
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName, CString& strClass);
    // The subkey at dwIndex; TRUE also when the name had to be cut.
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName);
    // The value at dwIndex with its type and data (dwSize: buffer size in, data size out).
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize);
    // The name and type of the value at dwIndex.
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, DWORD& dwType);
    // The value at dwIndex; any of type, data and size may be null. TRUE also when the data did not
    // fit (ERROR_MORE_DATA; the size needed is reported).
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, LPDWORD pdwType, LPBYTE lpData, LPDWORD pdwSize);
    // Makes the current key's changes durable (they already are here).
    virtual BOOL Flush();
    // The bytes of a value, whatever their length.
    virtual BOOL GetBinaryValue(LPCTSTR lpszName, CByteArray& data);
    // A four-byte value.
    virtual BOOL GetDoubleWordValue(LPCTSTR lpszName, DWORD& dwValue);
    // The current key's security descriptor.
    virtual BOOL GetSecurity(
        SECURITY_INFORMATION information, PSECURITY_DESCRIPTOR pDescriptor, DWORD& dwDescriptorSize);
    // A text value of at most kStringBufferSize - 1 characters; emptied when it cannot be read.
    virtual BOOL GetStringValue(LPCTSTR lpszName, CString& strValue);
    // A list of texts (REG_MULTI_SZ), one element per text; the array is emptied first.
    virtual BOOL GetStringArrayValue(LPCTSTR lpszName, CStringArray& values);
    // The same getters under one name.
    virtual BOOL GetValue(LPCTSTR lpszName, CString& strValue);
    virtual BOOL GetValue(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL GetValue(LPCTSTR lpszName, DWORD& dwValue);
    virtual BOOL GetValue(LPCTSTR lpszName, CByteArray& data);
    // Loads a hive file as a subkey of the root.
    virtual BOOL Load(LPCTSTR lpszSubkey, LPCTSTR lpszFileName);
    // Asks to be told through hEvent when the current key changes.
    virtual BOOL NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous);
    // Opens lpszName below the root (HKEY_CLASSES_ROOT when none is connected), replacing the current
    // key; a trailing backslash is ignored. On success the key's information is queried.
    virtual BOOL Open(LPCTSTR lpszName, REGSAM samDesired = KEY_ALL_ACCESS);
    // Refreshes the counts, longest lengths, class and write time of the current key.
    virtual BOOL QueryInfo();
    // Reads a value of any type (dwSize: buffer size in, data size out).
    virtual BOOL QueryValue(LPCTSTR lpszName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize);
    // Replaces a subkey's hive file.
    virtual BOOL Replace(LPCTSTR lpszSubkey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile);
    // Replaces the current key from a hive file.
    virtual BOOL Restore(LPCTSTR lpszFileName, DWORD dwFlags = 0);
    // Writes the current key to a hive file.
    virtual BOOL Save(LPCTSTR lpszFileName, LPSECURITY_ATTRIBUTES pSecurityAttributes = nullptr);
    // Stores bytes (REG_BINARY).
    virtual BOOL SetBinaryValue(LPCTSTR lpszName, const CByteArray& data);
    // Stores a four-byte value (REG_DWORD).
    virtual BOOL SetDoubleWordValue(LPCTSTR lpszName, DWORD dwValue);
    // Sets the current key's security descriptor.
    virtual BOOL SetSecurity(SECURITY_INFORMATION information, PSECURITY_DESCRIPTOR pDescriptor);
    // Stores a text with its terminating zero (REG_SZ).
    virtual BOOL SetStringValue(LPCTSTR lpszName, LPCTSTR lpszValue);
    // Stores texts each with its zero and one more zero at the end (REG_MULTI_SZ).
    virtual BOOL SetStringArrayValue(LPCTSTR lpszName, const CStringArray& values);
    // Stores a value of any type.
    virtual BOOL SetValue(LPCTSTR lpszName, DWORD dwType, const BYTE* lpData, DWORD dwSize);
    // The same setters under one name.
    virtual BOOL SetValue(LPCTSTR lpszName, LPCTSTR lpszValue);
    virtual BOOL SetValue(LPCTSTR lpszName, const CStringArray& values);
    virtual BOOL SetValue(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL SetValue(LPCTSTR lpszName, const CByteArray& data);
    // Unloads a hive loaded with Load.
    virtual BOOL UnLoad(LPCTSTR lpszSubkey);

    // The registry's result of the last call (0 for success).
    LONG GetLastError() const { return m_lErrorCode; }
    // The open key (the root itself right after connecting), or null.
    HKEY GetKey() const { return m_hKey; }
    // The connected root, or null.
    HKEY GetRoot() const { return m_hRegistry; }
    // The name under which the current key was opened or created.
    const CString& GetKeyName() const { return m_strKeyName; }
    // The root's name ("HKEY_CURRENT_USER", ...), empty for a root without one.
    const CString& GetRootName() const { return m_strRegistryName; }
    // The remote computer's name, or this computer's.
    const CString& GetComputerName() const { return m_strComputerName; }
    BOOL IsRemote() const { return m_bRemote; }
    BOOL GetCloseRoot() const { return m_bCloseRoot; }
    // From the last QueryInfo.
    DWORD GetNumberOfSubkeys() const { return m_dwNumberOfSubkeys; }
    DWORD GetNumberOfValues() const { return m_dwNumberOfValues; }
    DWORD GetLongestSubkeyNameLength() const { return m_dwLongestSubkeyNameLength; }
    DWORD GetLongestValueNameLength() const { return m_dwLongestValueNameLength; }
    DWORD GetLongestValueDataLength() const { return m_dwLongestValueDataLength; }
    const CString& GetClassName() const { return m_strClassName; }
    const CTime& GetLastWriteTime() const { return m_LastWriteTime; }

    // The name of a predefined root; empty for HKEY_PERFORMANCE_DATA and other handles.
    static CString RootNameOf(HKEY hRoot);
    // The predefined root of that name; null for any other text.
    static HKEY RootOfName(LPCTSTR lpszRootName);
    // The name without one trailing backslash and, with bLeading, without one leading backslash.
    static CString NormalizeKeyName(LPCTSTR lpszName, BOOL bLeading = FALSE);
    // Parent and child joined by one backslash (the child alone when the parent is empty).
    static CString ConcatenateKeyNames(LPCTSTR lpszParent, LPCTSTR lpszChild);

protected:
    // Records a registry result; TRUE for success.
    BOOL Result(LONG lError);
    // Closes the current key unless it is the root; the object then has no current key.
    void CloseCurrentKey();

private:
    // Deletes every key below the key at strPath (a path below the root), deepest keys first.
    LONG DeleteChildren(const CString& strPath, int nDepth);

    LONG m_lErrorCode { ERROR_SUCCESS };
    HKEY m_hKey { nullptr };
    HKEY m_hRegistry { nullptr };
    DWORD m_dwLongestSubkeyNameLength { 0 };
    DWORD m_dwLongestClassNameLength { 0 };
    DWORD m_dwLongestValueNameLength { 0 };
    DWORD m_dwLongestValueDataLength { 0 };
    DWORD m_dwSecurityDescriptorLength { 0 };
    FILETIME m_fileTimeLastWrite {};
    CString m_strClassName;
    CString m_strComputerName;
    CString m_strKeyName;
    CString m_strRegistryName;
    DWORD m_dwNumberOfSubkeys { 0 };
    DWORD m_dwNumberOfValues { 0 };
    CTime m_LastWriteTime;
    BOOL m_bRemote { FALSE };
    BOOL m_bCloseRoot { TRUE };
};
