#pragma once
// A file in memory: a malloc'd buffer that grows in steps of nGrowBytes, or a caller's buffer attached
// to it. Archives written to it can be read back without touching the disk.

#include "platform/afx/CFile.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty memory file that grows in steps of nGrowBytes.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A memory file over the caller's buffer (see Attach).
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Uses the caller's buffer as the file. nGrowBytes 0: the file is the buffer's content and cannot grow
    // (writing past it throws CMemoryException); otherwise the file starts empty and the buffer, which must
    // then come from malloc, is reallocated as it grows.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (free it with free() unless it was the caller's own) and leaves an
    // empty file.
    BYTE* Detach();

    // CFile's operations on the memory buffer; a seek before the start throws badSeek, a seek past the
    // end is allowed (a later write fills the gap with zeros).
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override { }
    void Close() override;
    void Abort() override { Close(); }

private:
    // Makes the buffer hold at least dwNewLen bytes; throws CMemoryException when it cannot grow.
    void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes { 1024 };
    SIZE_T m_nPosition { 0 };
    SIZE_T m_nBufferSize { 0 };
    SIZE_T m_nFileSize { 0 };
    BYTE* m_lpBuffer { nullptr };
    BOOL m_bAutoDelete { TRUE };
};
