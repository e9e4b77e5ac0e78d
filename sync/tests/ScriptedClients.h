#pragma once
// Device clients on scripted links for the tests of the component's objects: the connection makes
// its clients through this factory, which records their process arguments and scripts their links.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sync/DeviceClient.h"
#include "sync/QVSyncConnection.h"
#include "sync/tests/ScriptedLink.h"

namespace sync_test {

class ScriptedClients {
public:
    // Scripts a new client's link before the client uses it.
    using Script = std::function<void(ScriptedLink& link)>;

    explicit ScriptedClients(Script script = {})
        : m_script(std::move(script))
    {
        QVSyncConnection::SetClientFactory([this](const std::vector<std::string>& arguments) {
            this->arguments.push_back(arguments);
            auto link = std::make_unique<ScriptedLink>();
            lastLink = link.get();
            if (m_script)
                m_script(*link);
            return std::make_shared<DeviceClient>(std::move(link));
        });
    }
    ~ScriptedClients() { QVSyncConnection::SetClientFactory(nullptr); }
    ScriptedClients(const ScriptedClients&) = delete;
    ScriptedClients& operator=(const ScriptedClients&) = delete;

    // A link on which the client starts and the device answers each readiness check.
    static void ReadyDevice(ScriptedLink& link)
    {
        link.events.push_back(ScriptedLink::Busy());
        link.onSend = [&link](const vireo::Message& message) {
            if (message.Name() == "Process.identity")
                link.events.push_back(ScriptedLink::Deliver(ScriptedLink::Reply("Process.connected")));
        };
    }

    // The process arguments of each client made, in order.
    std::vector<std::vector<std::string>> arguments;
    ScriptedLink* lastLink { nullptr };

private:
    Script m_script;
};

} // namespace sync_test
