#pragma once
// A command-table entry that hands the framework's message to one reply handler of a device client.

#include "sync/DeviceClient.h"
#include "vireo/DispatchMethod.h"

class DeviceClientHandler final : public vireo::DispatchMethod {
public:
    // The client is not owned and outlives the entry (the entry lives in the client's own process).
    DeviceClientHandler(DeviceClient* client, DeviceClient::ReplyHandler handler)
        : m_client(client)
        , m_handler(handler)
    {
    }

    // Calls the handler with the message; its result.
    bool Invoke(vireo::Message message) override { return (m_client->*m_handler)(std::move(message)); }

private:
    DeviceClient* m_client { nullptr };
    DeviceClient::ReplyHandler m_handler { nullptr };
};
