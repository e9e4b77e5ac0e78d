#include "sync/tests/AnsweringDevice.h"

std::vector<std::string> AnsweringDevice::SentNames() const
{
    std::vector<std::string> names;
    for (const auto& message : sent)
        names.push_back(message.Name());
    return names;
}

std::vector<vireo::Message> AnsweringDevice::Sent(const std::string& name) const
{
    std::vector<vireo::Message> found;
    for (const auto& message : sent) {
        if (message.Name() == name)
            found.push_back(message);
    }
    return found;
}

int AnsweringDevice::Init()
{
    m_pending.push_back([]() { });
    return 0;
}

int AnsweringDevice::HandleEvents(std::chrono::milliseconds)
{
    if (m_pending.empty())
        return -1;
    auto next = std::move(m_pending.front());
    m_pending.pop_front();
    next();
    return 0;
}

bool AnsweringDevice::Send(vireo::Message& message)
{
    sent.push_back(message);
    if (onSend)
        onSend(message);
    Answer(message);
    return true;
}

vireo::Message AnsweringDevice::MakeMessage(const std::string& target, const std::string& name)
{
    return vireo::Message(target, name);
}

vireo::Message AnsweringDevice::MakeMessage(const std::string& target, const std::string& name, const std::string& key,
    const std::string& value)
{
    return vireo::Message(target, name, key, value);
}

vireo::Message AnsweringDevice::MakeIdentityMessage()
{
    return vireo::Message("System", "Process.identity", "name", Name());
}

std::string AnsweringDevice::GetProperty(const std::string& key, const std::string& def) const
{
    const auto found = m_properties.find(key);
    return found == m_properties.end() ? def : found->second;
}

void AnsweringDevice::Answer(vireo::Message reply, const std::string& document)
{
    if (document.empty())
        return;
    reply.SetPayload(document);
    m_pending.push_back([this, reply]() {
        if (auto* method = vireo::Dispatcher::FindMethod(CommandTable(), reply.Name()))
            method->Invoke(reply);
    });
}

void AnsweringDevice::Answer(const vireo::Message& request)
{
    const std::string name = request.Name();
    const auto args = request.Args();
    const vireo::Message payloadReply { vireo::VireoURI(request.Payload()) };
    const vireo::Message returnReply { args.GetURI("return") };
    if (name == "Process.identity") {
        vireo::Message reply = payloadReply;
        m_pending.push_back([this, reply]() {
            if (auto* method = vireo::Dispatcher::FindMethod(CommandTable(), reply.Name()))
                method->Invoke(reply);
        });
    } else if (name == "Properties.get") {
        if (!answerSetup)
            return;
        vireo::Message reply = payloadReply;
        for (const auto& [key, value] : setup)
            reply.SetArg(key, value);
        m_pending.push_back([this, reply]() {
            if (auto* method = vireo::Dispatcher::FindMethod(CommandTable(), reply.Name()))
                method->Invoke(reply);
        });
    } else if (name == "Music.query") {
        Answer(payloadReply, args.GetString("index") == "Playlists" ? playlistList : albumList);
    } else if (name == "Music.metaquery") {
        Answer(payloadReply, musicGroupList);
    } else if (name == "Radio.metaquery") {
        Answer(payloadReply, radioGroupList);
    } else if (name == "Radio.query") {
        Answer(payloadReply, radioList);
    } else if (name == "Music.retrieve" || name == "Radio.retrieve") {
        const auto found = documents.find(args.GetString("href"));
        if (found != documents.end())
            Answer(returnReply, found->second);
    } else if (name == "File.check") {
        if (fileNames.empty())
            return;
        vireo::Message reply = returnReply;
        reply.SetArg("id", args.GetString("id"));
        reply.SetArg("filename", fileNames.front());
        reply.SetArg("spaceID", std::string("space"));
        fileNames.pop_front();
        m_pending.push_back([this, reply]() {
            if (auto* method = vireo::Dispatcher::FindMethod(CommandTable(), reply.Name()))
                method->Invoke(reply);
        });
    }
}

int AnsweringDevice::GetFile(const std::string&, const std::string&, const std::string&, bool)
{
    const int id = ++m_nextTransfer;
    m_pending.push_back([this, id]() {
        if (m_listener)
            m_listener->OnTransferComplete(id, transferCloseStatus);
    });
    return id;
}

int AnsweringDevice::PutFileWithProgress(const std::string&, const std::string& source, const std::string& destination, bool,
    DeviceClientProgress progress)
{
    const int id = ++m_nextTransfer;
    uploads.emplace_back(source, destination);
    m_pending.push_back([this, id, progress]() {
        if (onTransferStart) {
            auto once = std::move(onTransferStart);
            onTransferStart = nullptr;
            once();
        }
        if (progress)
            progress(id, 0);
        if (m_listener && !stallTransfers)
            m_listener->OnTransferComplete(id, transferCloseStatus);
    });
    return id;
}
