#pragma once
// What a record set needs of a command object it is opened on.

#include "platform/ado/ConnectionState.h"
#include "platform/ado/DbValue.h"
#include "platform/com/AtlBase.h"

#include <string>
#include <vector>

namespace platform::ado {

struct CommandRun {
    std::shared_ptr<ConnectionState> state;
    CComPtr<IUnknown> connection; // the connection object
    std::string text;
    long commandType { -1 };
    std::vector<DbValue> parameters; // by position, converted to each parameter's type
};

struct ICommandAccess : IUnknown {
    // The command as it would run now; a failure when it has no open connection or a parameter value
    // does not convert to its type.
    virtual HRESULT Describe(CommandRun& run) = 0;
};

} // namespace platform::ado

TS_DEFINE_IID(platform::ado::ICommandAccess, "7C2E41A0-5B1D-4E8F-9A63-0D4B6E2F1A02");
