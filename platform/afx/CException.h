#pragma once
// The base of the class library's exceptions. They are thrown as pointers ("throw new CFileException")
// and caught as pointers; the catcher calls Delete(), which frees exceptions made on the heap and
// leaves the shared static ones (out of memory) alone.

#include "platform/afx/CObject.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    // bAutoDelete: Delete() frees the object (it was made with new).
    explicit CException(BOOL bAutoDelete = TRUE);

    // Frees the exception when it was made on the heap; the catcher's way to dispose of it.
    void Delete();
    // Copies a text describing the error into lpszError (nMaxError bytes, cut at a character boundary).
    // FALSE and an empty text when there is none; *pnHelpContext (when given) receives 0.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the error's text in a message box (or string nMessageID when it has none); returns the button.
    virtual int ReportError(UINT nType = 0 /* MB_OK */, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;
};
