#include "platform/afx/CArchive.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/base/CodePage.h"

namespace {

// Tags of the object stream.
constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;

// Marker before the length of a string stored as UTF-16.
constexpr WORD kUnicodeMarker = 0xFFFE;

// Strings and collections whose length the data may lie about are read in pieces of this size, so a
// false length costs no more memory than the data that is really there.
constexpr std::size_t kReadChunk = 64 * 1024;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile)
    , m_nMode(nMode)
    , m_nBufSize(static_cast<std::size_t>(std::max(nBufSize, 128)))
{
    if (pFile)
        m_strFileName = pFile->GetFilePath();
    if (IsLoading())
        m_loadArray.push_back({});
}

CArchive::~CArchive()
{
    if (!m_pFile)
        return;
    if (m_nMode & bNoFlushOnDelete) {
        Abort();
        return;
    }
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
}

UINT CArchive::GetObjectSchema()
{
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

void CArchive::CheckLoading() const
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() const
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

bool CArchive::FillBuffer()
{
    if (!m_pFile)
        return false;
    m_buffer.resize(m_nBufSize);
    const UINT n = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    m_buffer.resize(n);
    m_readPos = 0;
    return n > 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    auto* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_readPos >= m_buffer.size() && !FillBuffer())
            break;
        const std::size_t n = std::min<std::size_t>(nMax - done, m_buffer.size() - m_readPos);
        std::memcpy(out + done, m_buffer.data() + m_readPos, n);
        m_readPos += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::ReadExactly(void* lpBuf, UINT nBytes)
{
    if (Read(lpBuf, nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

std::string CArchive::ReadBytes(ULONGLONG length)
{
    std::string bytes;
    while (bytes.size() < length) {
        const std::size_t piece = static_cast<std::size_t>(std::min<ULONGLONG>(length - bytes.size(), kReadChunk));
        const std::size_t at = bytes.size();
        bytes.resize(at + piece);
        ReadExactly(bytes.data() + at, static_cast<UINT>(piece));
    }
    return bytes;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    const auto* bytes = static_cast<const BYTE*>(lpBuf);
    m_buffer.insert(m_buffer.end(), bytes, bytes + nMax);
    if (m_buffer.size() >= m_nBufSize)
        Flush();
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (IsStoring()) {
        if (!m_buffer.empty()) {
            // Cleared first, so a failing write is not repeated by a later flush or the destructor.
            std::vector<BYTE> pending;
            pending.swap(m_buffer);
            m_pFile->Write(pending.data(), static_cast<UINT>(pending.size()));
        }
        return;
    }
    const std::size_t unread = m_buffer.size() - std::min(m_readPos, m_buffer.size());
    m_buffer.clear();
    m_readPos = 0;
    if (unread > 0)
        m_pFile->Seek(-static_cast<LONGLONG>(unread), CFile::current);
}

void CArchive::Close()
{
    try {
        Flush();
    } catch (...) {
        m_pFile = nullptr;
        throw;
    }
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_buffer.clear();
    m_readPos = 0;
    m_pFile = nullptr;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0)
        return nullptr;
    CString line;
    if (!ReadString(line))
        return nullptr;
    std::string_view cut = platform::CutUtf8(std::string_view(line.GetString(), line.GetLength()), nMax - 1);
    std::memcpy(lpsz, cut.data(), cut.size());
    lpsz[cut.size()] = '\0';
    return lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    std::string line;
    char ch = 0;
    bool any = false;
    while (Read(&ch, 1) == 1) {
        any = true;
        if (ch == '\n')
            break;
        line.push_back(ch);
    }
    if (!any)
        return FALSE;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return TRUE;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD count16 = 0;
    *this >> count16;
    if (count16 != 0xFFFF)
        return count16;
    DWORD count32 = 0;
    *this >> count32;
    if (count32 != 0xFFFFFFFF)
        return count32;
    ULONGLONG count64 = 0;
    *this >> count64;
    return static_cast<DWORD_PTR>(count64);
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

void CArchive::WriteCString(const CString& s)
{
    const auto length = static_cast<ULONGLONG>(s.GetLength());
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else if (length < kUnicodeMarker) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else if (length < 0xFFFFFFFF) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(length);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(0xFFFFFFFF) << length;
    }
    Write(s.GetString(), static_cast<UINT>(length));
}

void CArchive::ReadCString(CString& s)
{
    bool wide = false;
    ULONGLONG length = 0;
    for (;;) {
        BYTE length8 = 0;
        *this >> length8;
        if (length8 < 0xFF) {
            length = length8;
            break;
        }
        WORD length16 = 0;
        *this >> length16;
        if (length16 == kUnicodeMarker && !wide) {
            wide = true;
            continue;
        }
        if (length16 == kUnicodeMarker)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        if (length16 < 0xFFFF) {
            length = length16;
            break;
        }
        DWORD length32 = 0;
        *this >> length32;
        if (length32 < 0xFFFFFFFF) {
            length = length32;
            break;
        }
        *this >> length;
        break;
    }
    if (length > (wide ? 0x7FFFFFFFULL / 2 : 0x7FFFFFFFULL))
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    const std::string bytes = ReadBytes(wide ? length * 2 : length);
    if (!wide) {
        s = CString(bytes.data(), static_cast<int>(bytes.size()));
        return;
    }
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<BYTE>(bytes[2 * i]) | (static_cast<BYTE>(bytes[2 * i + 1]) << 8));
    }
    s = CString(text.data(), static_cast<int>(text.size()));
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (!pClassRef || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();
    const auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        const DWORD index = found->second;
        if (index < kBigObjectTag)
            *this << static_cast<WORD>(kClassTag | index);
        else
            *this << kBigObjectTag << static_cast<DWORD>(kBigClassTag | index);
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    if (m_nMapCount >= kMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    m_storeMap[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (!pOb) {
        *this << kNullTag;
        return;
    }
    const auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end()) {
        const DWORD index = found->second;
        if (index < kBigObjectTag)
            *this << static_cast<WORD>(index);
        else
            *this << kBigObjectTag << index;
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    if (m_nMapCount >= kMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::AddLoaded(void* pointer, bool isClass, UINT schema)
{
    if (m_loadArray.size() >= kMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    m_loadArray.push_back({ pointer, isClass, schema });
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    WORD tag = 0;
    *this >> tag;
    DWORD obTag = 0;
    if (tag == kBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);

    if (!(obTag & kBigClassTag)) {
        // A reference to an object (or null); the caller resolves it.
        if (pObTag)
            *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef = nullptr;
    UINT schema = 0;
    if (tag == kNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &schema);
        if (!pClassRef)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != schema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        AddLoaded(pClassRef, true, schema);
    } else {
        const DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_loadArray[index].pointer);
        schema = m_loadArray[index].schema;
    }
    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema)
        *pSchema = schema;
    if (pObTag)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT schema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &schema, &obTag);
    if (!pClassRef) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        auto* pOb = static_cast<CObject*>(m_loadArray[obTag].pointer);
        if (pOb && pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }
    CObject* pOb = pClassRef->CreateObject();
    if (!pOb)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    AddLoaded(pOb, false, schema);
    const UINT outerSchema = m_nObjectSchema;
    m_nObjectSchema = schema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The object was never handed out; the archive's later references to it are refused.
        for (auto& entry : m_loadArray) {
            if (entry.pointer == pOb)
                entry.pointer = nullptr;
        }
        delete pOb;
        throw;
    }
    m_nObjectSchema = outerSchema;
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CString& s)
{
    ar.WriteCString(s);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& s)
{
    ar.ReadCString(s);
    return ar;
}
