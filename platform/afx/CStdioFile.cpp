#include "platform/afx/CStdioFile.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/afx/CInvalidArgException.h"
#include "platform/base/CodePage.h"
#include "platform/base/WinError.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

// The stdio mode of a set of open flags, as the class library chose it.
std::string StreamMode(UINT flags)
{
    std::string mode;
    if (flags & CFile::modeCreate)
        mode = (flags & CFile::modeNoTruncate) ? "a" : "w";
    else if (flags & CFile::modeWrite)
        mode = "a";
    else
        mode = "r";
    if ((mode == "r" && (flags & CFile::modeReadWrite)) || (mode != "r" && !(flags & CFile::modeWrite)))
        mode += '+';
    return mode;
}

} // namespace

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream) {
        if (pError) {
            pError->m_cause = CFileException::genericException;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    // A stream that both reads and writes needs a descriptor that allows both.
    UINT fileFlags = nOpenFlags & ~(typeText | typeBinary);
    const std::string mode = StreamMode(nOpenFlags);
    if (mode.size() > 1)
        fileFlags = (fileFlags & ~3u) | modeReadWrite;
    if (!CFile::Open(lpszFileName, fileFlags, pError))
        return FALSE;
    m_pStream = ::fdopen(Descriptor(), mode.c_str());
    if (!m_pStream) {
        const int err = errno;
        CFile::Abort();
        if (pError) {
            pError->m_cause = CFileException::ErrnoToException(err);
            pError->m_lOsError = err;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_bText = (nOpenFlags & typeBinary) == 0;
    return TRUE;
}

FILE* CStdioFile::Stream() const
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, static_cast<LONG>(ERROR_INVALID_HANDLE), m_strFileName);
    return m_pStream;
}

void CStdioFile::ThrowStreamError() const
{
    const int err = errno != 0 ? errno : EIO;
    std::clearerr(m_pStream);
    CFileException::ThrowErrno(err, m_strFileName);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (!lpsz)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0)
        return nullptr;
    FILE* stream = Stream();
    UINT length = 0;
    int c = 0;
    while (length + 1 < nMax && (c = std::fgetc(stream)) != EOF) {
        lpsz[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (std::ferror(stream))
        ThrowStreamError();
    if (length == 0) {
        *lpsz = '\0';
        return nullptr;
    }
    if (m_bText && length >= 2 && lpsz[length - 1] == '\n' && lpsz[length - 2] == '\r') {
        lpsz[length - 2] = '\n';
        --length;
    }
    // A line cut by the buffer's size keeps whole characters; the rest of it is read next time.
    if (lpsz[length - 1] != '\n') {
        const std::string_view cut = platform::CutUtf8(std::string_view(lpsz, length), length);
        for (UINT back = length; back > cut.size(); --back)
            std::ungetc(static_cast<unsigned char>(lpsz[back - 1]), stream);
        length = static_cast<UINT>(cut.size());
    }
    lpsz[length] = '\0';
    return lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    FILE* stream = Stream();
    std::string line;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(stream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (std::ferror(stream))
        ThrowStreamError();
    if (!any)
        return FALSE;
    if (m_bText && !line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return TRUE;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const int whence = nFrom == current ? SEEK_CUR : (nFrom == end ? SEEK_END : SEEK_SET);
    if (nFrom > end || ::fseeko(Stream(), static_cast<off_t>(lOff), whence) != 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(ERROR_INVALID_PARAMETER), m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    const off_t position = ::ftello(Stream());
    if (position < 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::GetLength() const
{
    // Buffered writes count.
    std::fflush(Stream());
    return CFile::GetLength();
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    const std::size_t n = std::fread(lpBuf, 1, nCount, Stream());
    if (n < nCount && std::ferror(m_pStream))
        ThrowStreamError();
    return static_cast<UINT>(n);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (std::fwrite(lpBuf, 1, nCount, Stream()) != nCount)
        ThrowStreamError();
}

void CStdioFile::Flush()
{
    if (m_pStream && std::fflush(m_pStream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    if (!m_pStream)
        return;
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (std::fclose(stream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Abort()
{
    if (!m_pStream)
        return;
    std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}
