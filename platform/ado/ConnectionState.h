#pragma once
// What a connection object shares with the record sets, commands and catalogs opened through it:
// the database and the provider errors of the last failed operation.

#include "platform/ado/Database.h"
#include "platform/ado/DbError.h"
#include "platform/com/Unknwn.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::ado {

struct ProviderError {
    LONG number { 0 };
    std::string source;
    std::string description;
    std::string sqlState;
    LONG nativeError { 0 };
};

class ConnectionState {
public:
    // The open database; null once the connection is closed.
    std::shared_ptr<Database> OpenDatabase() const;
    void SetDatabase(std::shared_ptr<Database> database);

    // Records a failure as the connection's one provider error, makes its text the thread's error
    // information, and returns the failed result for it.
    HRESULT Fail(const DbError& error);
    // Records a failure that did not come from the database (a closed connection, a bad argument).
    HRESULT Fail(HRESULT result, const std::string& description);
    std::vector<ProviderError> Errors() const;
    void ClearErrors();

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<Database> m_database;
    std::vector<ProviderError> m_errors;
};

// The name the provider's errors carry as their source.
inline constexpr const char* kProviderName = "Library Database Engine";

// Makes a text the calling thread's error information and returns 'result'.
HRESULT SetThreadError(HRESULT result, const std::string& description, const std::string& source = kProviderName);
// The result that stands for a database failure (syntax, missing parameter, anything else).
HRESULT ResultOf(const DbError& error);

// Lets the objects of this library reach a connection object's shared state.
struct IConnectionAccess : IUnknown {
    virtual std::shared_ptr<ConnectionState> State() = 0;
};

} // namespace platform::ado

TS_DEFINE_IID(platform::ado::IConnectionAccess, "7C2E41A0-5B1D-4E8F-9A63-0D4B6E2F1A01");
