#pragma once
// A buffered file with line reading and writing. In text mode (the default; typeBinary turns it off)
// a line read from a file with "\r\n" breaks comes back without the "\r"; lines are written with "\n".

#include <cstdio>

#include "platform/afx/CFile.h"

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    // Opens the file; throws CFileException on failure.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    // Opens as CFile does. Writing without modeCreate, or with modeCreate | modeNoTruncate, appends.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // Writes a text as it is.
    virtual void WriteString(LPCTSTR lpsz);
    // Reads a line into lpsz (nMax bytes with the zero), keeping its "\n"; null at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads a line without its line break; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);

    // CFile's operations through the stream's buffer.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream { nullptr };

private:
    // The open stream; throws invalidFile when none is open.
    FILE* Stream() const;
    // Throws the CFileException of the stream's last error.
    void ThrowStreamError() const;

    BOOL m_bText { TRUE };
};
