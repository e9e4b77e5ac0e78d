#include "platform/ado/ConnectionState.h"

#include "platform/ado/VariantValues.h"
#include "platform/base/CodePage.h"
#include "platform/com/ComDef.h"

#include <sqlite3.h>

namespace platform::ado {

namespace {

constexpr HRESULT kErrorsInCommand = static_cast<HRESULT>(0x80040E14u);
constexpr HRESULT kParameterMissing = static_cast<HRESULT>(0x80040E10u);

} // namespace

std::shared_ptr<Database> ConnectionState::OpenDatabase() const
{
    std::lock_guard lock(m_mutex);
    return m_database;
}

void ConnectionState::SetDatabase(std::shared_ptr<Database> database)
{
    std::lock_guard lock(m_mutex);
    m_database = std::move(database);
}

HRESULT ResultOf(const DbError& error)
{
    const std::string text = error.what();
    if (error.NativeError() == 0)
        return text.rfind("No value given", 0) == 0 ? kParameterMissing : kErrorsInCommand;
    if ((error.NativeError() & 0xFF) == SQLITE_ERROR)
        return kErrorsInCommand;
    return E_FAIL;
}

HRESULT ConnectionState::Fail(const DbError& error)
{
    const HRESULT result = ResultOf(error);
    {
        std::lock_guard lock(m_mutex);
        m_errors = { ProviderError { result, kProviderName, error.what(), "", error.NativeError() } };
    }
    return SetThreadError(result, error.what());
}

HRESULT ConnectionState::Fail(HRESULT result, const std::string& description)
{
    {
        std::lock_guard lock(m_mutex);
        m_errors = { ProviderError { result, kProviderName, description, "", 0 } };
    }
    return SetThreadError(result, description);
}

std::vector<ProviderError> ConnectionState::Errors() const
{
    std::lock_guard lock(m_mutex);
    return m_errors;
}

void ConnectionState::ClearErrors()
{
    std::lock_guard lock(m_mutex);
    m_errors.clear();
}

HRESULT SetThreadError(HRESULT result, const std::string& description, const std::string& source)
{
    ICreateErrorInfoPtr create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        const std::u16string text = Utf8ToUtf16(description);
        const std::u16string from = Utf8ToUtf16(source);
        create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
        create->SetSource(const_cast<LPOLESTR>(from.c_str()));
        IErrorInfoPtr info(create);
        SetErrorInfo(0, info);
    }
    return result;
}

} // namespace platform::ado
