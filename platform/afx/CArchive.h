#pragma once
// The class library's binary archive over a CFile: little-endian numbers, counted strings and
// collections, and objects with their class written once and referred to by index afterwards.
// Reading data that ends early, names an unknown class or refers to an index that was never written
// throws CArchiveException; an archive never reads past what the file holds.

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CFile;
class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // An archive for storing into or loading from pFile, buffered by nBufSize bytes (lpBuf is not used:
    // the archive keeps its own buffer).
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive (a storing one writes what is buffered, unless bNoFlushOnDelete).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // The direction the archive was opened in.
    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    // True when a loading archive holds no unread buffered bytes.
    BOOL IsBufferEmpty() const { return m_readPos >= m_buffer.size(); }
    CFile* GetFile() const { return m_pFile; }

    // The schema read with the object being loaded (VERSIONABLE_SCHEMA classes); (UINT)-1 once asked.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Reads up to nMax bytes; fewer only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    // Writes nMax bytes.
    void Write(const void* lpBuf, UINT nMax);
    // Writes buffered bytes to the file (storing), or gives unread buffered bytes back to it (loading).
    void Flush();
    // Flushes and detaches the archive from its file.
    void Close();
    // Detaches without writing what is buffered.
    void Abort();

    // Writes a text as it is (no terminator and no line break).
    void WriteString(LPCTSTR lpsz);
    // Reads a line without its "\n" or "\r\n" into lpsz (nMax bytes with the zero); null at the end.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads a line without its line break; FALSE at the end of the data.
    BOOL ReadString(CString& rString);

    // Writes an object: its class the first time the class appears, then its data (Serialize), or a
    // reference when the same object was written before. Null writes the null tag.
    void WriteObject(const CObject* pOb);
    // Reads an object written by WriteObject; it must be of class pClassRefRequested (or derived) when
    // given. The archive creates it; the caller owns it.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // Writes or reads a class reference on its own.
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(
        const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Element counts: a WORD, or 0xFFFF and a DWORD for larger counts.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    // Strings: a length prefix (BYTE; 0xFF then WORD; 0xFF, 0xFFFF then DWORD), then the UTF-8 bytes. A
    // string marked as UTF-16 (0xFF, 0xFFFE before the prefix) is read and converted.
    void WriteCString(const CString& s);
    void ReadCString(CString& s);

    // Numbers in their little-endian bytes of the stated width (LONG 4, LONGLONG 8, char and bool 1,
    // short 2); objects through WriteObject.
    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG n) { return WriteValue(n); }
    CArchive& operator<<(ULONGLONG n) { return WriteValue(n); }
    CArchive& operator<<(char ch) { return WriteValue(static_cast<BYTE>(ch)); }
    CArchive& operator<<(signed char ch) { return WriteValue(static_cast<BYTE>(ch)); }
    CArchive& operator<<(short w) { return WriteValue(static_cast<WORD>(w)); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(const CObject* pOb)
    {
        WriteObject(pOb);
        return *this;
    }

    // The same read back; data that ends early throws CArchiveException::endOfFile.
    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& n) { return ReadValue(n); }
    CArchive& operator>>(ULONGLONG& n) { return ReadValue(n); }
    CArchive& operator>>(char& ch) { return ReadAs<BYTE>(ch); }
    CArchive& operator>>(signed char& ch) { return ReadAs<BYTE>(ch); }
    CArchive& operator>>(short& w) { return ReadAs<WORD>(w); }
    CArchive& operator>>(bool& b)
    {
        BYTE by = 0;
        ReadValue(by);
        b = by != 0;
        return *this;
    }
    CArchive& operator>>(CObject*& pOb)
    {
        pOb = ReadObject(nullptr);
        return *this;
    }

    CDocument* m_pDocument { nullptr };
    CString m_strFileName;

private:
    struct LoadedEntry {
        void* pointer { nullptr };
        bool isClass { false };
        UINT schema { 0 };
    };

    // Raw little-endian values (this system is little-endian, as the stored form is).
    template<typename T> CArchive& WriteValue(T value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template<typename T> CArchive& ReadValue(T& value)
    {
        ReadExactly(&value, sizeof(value));
        return *this;
    }
    template<typename Stored, typename T> CArchive& ReadAs(T& value)
    {
        Stored stored {};
        ReadValue(stored);
        value = static_cast<T>(stored);
        return *this;
    }
    // Reads nBytes or throws endOfFile.
    void ReadExactly(void* lpBuf, UINT nBytes);
    // Reads a string's bytes of a length a file may lie about, growing as data arrives.
    std::string ReadBytes(ULONGLONG length);
    bool FillBuffer();
    void CheckLoading() const;
    void CheckStoring() const;
    void AddLoaded(void* pointer, bool isClass, UINT schema);

    CFile* m_pFile { nullptr };
    UINT m_nMode { store };
    std::size_t m_nBufSize { 4096 };
    std::vector<BYTE> m_buffer;
    std::size_t m_readPos { 0 };
    UINT m_nObjectSchema { static_cast<UINT>(-1) };
    // Storing: index of each object and class written. Loading: what each index stands for (0 is null).
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadedEntry> m_loadArray;
    DWORD m_nMapCount { 1 };
};

// Text in the archive's string form.
CArchive& operator<<(CArchive& ar, const CString& s);
CArchive& operator>>(CArchive& ar, CString& s);
