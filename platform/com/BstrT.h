#pragma once
// _bstr_t: a shared, reference-counted BSTR with a cached UTF-8 copy, as the compiler's COM support
// offers it. Texts given as wide pointers are read up to their zero (callers pass plain wide strings
// where an interface names BSTR), never by a BSTR length prefix.

#include <compare>
#include <memory>
#include <string>

#include "platform/com/OleAuto.h"

// Throws _com_error(hr); defined with _com_error.
[[noreturn]] void _com_issue_error(HRESULT hr);

class _variant_t;

class _bstr_t {
public:
    _bstr_t() noexcept = default;
    _bstr_t(const _bstr_t&) noexcept = default;
    _bstr_t(_bstr_t&&) noexcept = default;
    // From UTF-8 text; null gives the null text.
    _bstr_t(const char* s);
    // From a zero-terminated wide text; null gives the null text.
    _bstr_t(const OLECHAR* s);
    // From a BSTR: a copy (read up to its zero) when fCopy, else the BSTR is taken over.
    _bstr_t(BSTR bstr, bool fCopy);
    // The text form of a VARIANT; throws _com_error when it has none.
    _bstr_t(const _variant_t& var);
    ~_bstr_t() = default;

    _bstr_t& operator=(const _bstr_t&) noexcept = default;
    _bstr_t& operator=(_bstr_t&&) noexcept = default;
    _bstr_t& operator=(const char* s);
    _bstr_t& operator=(const OLECHAR* s);
    _bstr_t& operator=(const _variant_t& var);

    _bstr_t& operator+=(const _bstr_t& s);
    friend _bstr_t operator+(const _bstr_t& a, const _bstr_t& b);

    // The wide text (null for the null text).
    operator const OLECHAR*() const noexcept { return m_data ? m_data->wide : nullptr; }
    operator OLECHAR*() const noexcept { return m_data ? m_data->wide : nullptr; }
    // The UTF-8 text (null for the null text), kept until the text changes.
    operator const char*() const;
    operator char*() const;

    bool operator!() const noexcept { return !m_data || !m_data->wide; }
    // Texts compare by their characters; the null text equals the empty one.
    friend bool operator==(const _bstr_t& a, const _bstr_t& b) noexcept { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const _bstr_t& a, const _bstr_t& b) noexcept { return a.Compare(b) <=> 0; }

    // Characters in the text.
    unsigned int length() const noexcept { return m_data ? SysStringLen(m_data->wide) : 0; }
    // A new BSTR copy for the caller (or the text itself when !fCopy).
    BSTR copy(bool fCopy = true) const;
    // Replaces the text with a copy of s.
    void Assign(BSTR s);
    // The owned BSTR, for calls that fill it; the text stops being shared.
    BSTR& GetBSTR();
    // Frees the text and returns where a callee can store a new BSTR.
    BSTR* GetAddress();
    // Takes over s without copying.
    void Attach(BSTR s);
    // Gives the BSTR to the caller; the text becomes null.
    BSTR Detach() noexcept;

private:
    struct Data {
        explicit Data(BSTR owned)
            : wide(owned)
        {
        }
        ~Data() { SysFreeString(wide); }
        Data(const Data&) = delete;
        Data& operator=(const Data&) = delete;

        BSTR wide { nullptr };
        std::unique_ptr<std::string> narrow;
    };

    int Compare(const _bstr_t& other) const noexcept;
    static std::shared_ptr<Data> Own(BSTR owned);

    std::shared_ptr<Data> m_data;
};
