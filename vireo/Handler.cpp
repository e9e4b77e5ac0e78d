#include "vireo/Handler.h"

#include "vireo/vireo_log.h"

namespace vireo {

Handler::Handler(std::string name, Dispatcher* dispatcher)
    : m_name(std::move(name))
    , m_dispatcher(dispatcher)
{
}

bool Handler::Send(Message& message) { return m_dispatcher && m_dispatcher->Send(message); }

bool Handler::Dispatch(const Message& message)
{
    if (!m_dispatcher)
        return false;
    const std::string name = message.Name();
    DispatchMethod* method = Dispatcher::FindMethod(m_dispatcher->CommandTable(), name);
    if (!method)
        return false;
    if (LogEnabled(LogLevel::Trace))
        LogPrint("%s found dispatchable method for %s.\n", m_name.c_str(), name.c_str());
    return method->Invoke(message);
}

bool Handler::DispatchEvent(const Message& message)
{
    if (!m_dispatcher)
        return false;
    DispatchMethod* method = Dispatcher::FindMethod(m_dispatcher->EventTable(), Event(message).Type());
    return method && method->Invoke(message);
}

} // namespace vireo
