#pragma once
// The failure of a database operation: SQLite's (or the translator's) text and code. The
// data-access objects turn it into a provider error in the connection's Errors and a failed HRESULT.

#include <stdexcept>
#include <string>

namespace platform::ado {

class DbError : public std::runtime_error {
public:
    // 'nativeError' is SQLite's extended result code, or 0 for a failure found before SQLite.
    DbError(const std::string& description, int nativeError = 0)
        : std::runtime_error(description)
        , m_nativeError(nativeError)
    {
    }

    int NativeError() const { return m_nativeError; }

private:
    int m_nativeError { 0 };
};

} // namespace platform::ado
