#include "platform/afx/CArchiveException.h"

#include "platform/afx/AfxText.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

const char* CauseText(int cause)
{
    switch (cause) {
    case CArchiveException::none:
        return "No error occurred.";
    case CArchiveException::readOnly:
        return "Tried to write to an archive opened for loading: %1.";
    case CArchiveException::endOfFile:
        return "Unexpected end of file while reading %1.";
    case CArchiveException::writeOnly:
        return "Tried to read from an archive opened for storing: %1.";
    case CArchiveException::badIndex:
        return "%1 has an invalid format.";
    case CArchiveException::badClass:
        return "%1 contains an unexpected object.";
    case CArchiveException::badSchema:
        return "%1 contains an incorrect schema.";
    case CArchiveException::bufferFull:
        return "The archive buffer of %1 is full.";
    default:
        return "An unexpected error occurred while reading or writing %1.";
    }
}

} // namespace

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause)
    , m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    CString text;
    text.FormatMessage(CauseText(m_cause), m_strFileName.IsEmpty() ? "the archive" : m_strFileName.GetString());
    afx::CopyText(lpszError, nMaxError, text.GetString());
    return TRUE;
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
