#pragma once
// _com_error: the exception of the compiler's COM support, carrying an HRESULT and, when the failing
// object provided one, its error information.

#include "platform/com/BstrT.h"

class _com_error {
public:
    // Keeps perrinfo (adding a reference when fAddRef; otherwise the caller's reference is taken over).
    explicit _com_error(HRESULT hr, IErrorInfo* perrinfo = nullptr, bool fAddRef = false) noexcept;
    _com_error(const _com_error& that) noexcept;
    _com_error& operator=(const _com_error& that) noexcept;
    virtual ~_com_error();

    HRESULT Error() const noexcept { return m_hr; }
    // The 16-bit code of an automation error (0x80040200 + code), else 0.
    WORD WCode() const noexcept;
    // The error information with a new reference for the caller, or null.
    IErrorInfo* ErrorInfo() const noexcept;
    // Texts of the error information; the null text without one.
    _bstr_t Description() const;
    _bstr_t Source() const;
    _bstr_t HelpFile() const;
    DWORD HelpContext() const;
    ::GUID GUID() const;
    // A fixed text for the HRESULT ("Unknown error 0x80004005", "IDispatch error #3").
    const TCHAR* ErrorMessage() const;

private:
    HRESULT m_hr { S_OK };
    IErrorInfo* m_perrinfo { nullptr };
    mutable std::string m_message;
};

// Throws _com_error(hr, perrinfo) (taking over the reference of perrinfo).
[[noreturn]] void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid);
[[noreturn]] void _com_raise_error(HRESULT hr, IErrorInfo* perrinfo = nullptr);
