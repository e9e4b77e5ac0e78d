#pragma once
// Binary files by their program paths, with the class library's open flags; failures throw
// CFileException (Open reports them instead). Sharing modes are accepted; this system does not lock.

#include "platform/afx/CFileException.h"
#include "platform/afx/CFileStatus.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    // The value of m_hFile while no file is open.
    static const HANDLE hFileNull;

    CFile() = default;
    // Opens the file; throws CFileException on failure.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Closes the file (a failure to close is not reported).
    ~CFile() override;

    // Opens a file; FALSE on failure, with the cause in *pError when given. A folder cannot be opened.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Moves the position; returns the new one. Throws badSeek for a position before the start.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Cuts or extends the file to dwNewLen bytes.
    virtual void SetLength(ULONGLONG dwNewLen);
    // Reads up to nCount bytes; returns the bytes read, fewer only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes nCount bytes; throws (diskFull, accessDenied, ...) when not all could be written.
    virtual void Write(const void* lpBuf, UINT nCount);
    // Forces written data to the disk.
    virtual void Flush();
    // Closes the file; throws when closing fails (the file is closed all the same).
    virtual void Close();
    // Closes the file, ignoring any failure.
    virtual void Abort();

    // The full program path, the name with extension, and the name without it.
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    // The status of the open file; FALSE when none is open or it cannot be read.
    BOOL GetStatus(CFileStatus& rStatus) const;
    // The status of a file or folder (the first match of a wildcard); FALSE when there is none.
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Applies the read-only attribute and the access and write times (those that are not 0); throws
    // CFileException when the file is missing or cannot be changed.
    static void SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);
    // Renames a file or folder; throws CFileException on failure.
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    // Deletes a file; throws CFileException on failure.
    static void Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile { INVALID_HANDLE_VALUE };

protected:
    // The descriptor behind m_hFile; throws invalidFile when no file is open.
    int Descriptor() const;

    BOOL m_bCloseOnDelete { FALSE };
    CString m_strFileName;
};
