#include "platform/base/RegistryKey.h"

#include <algorithm>

#include "platform/base/CaseFold.h"

namespace platform {

const RegistryValue* RegistryKey::findValue(std::string_view name) const
{
    for (const RegistryValue& value : m_values) {
        if (EqualsNoCase(value.name, name))
            return &value;
    }
    return nullptr;
}

void RegistryKey::setValue(std::string_view name, DWORD type, std::vector<BYTE> data)
{
    for (RegistryValue& value : m_values) {
        if (EqualsNoCase(value.name, name)) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    m_values.push_back(RegistryValue { std::string(name), type, std::move(data) });
}

bool RegistryKey::removeValue(std::string_view name)
{
    const auto it = std::find_if(
        m_values.begin(), m_values.end(), [&](const RegistryValue& value) { return EqualsNoCase(value.name, name); });
    if (it == m_values.end())
        return false;
    m_values.erase(it);
    return true;
}

std::shared_ptr<RegistryKey> RegistryKey::findSubkey(std::string_view name) const
{
    for (const auto& key : m_subkeys) {
        if (EqualsNoCase(key->name(), name))
            return key;
    }
    return nullptr;
}

std::shared_ptr<RegistryKey> RegistryKey::obtainSubkey(std::string_view name)
{
    if (auto existing = findSubkey(name))
        return existing;
    auto key = std::make_shared<RegistryKey>(std::string(name));
    key->m_lastWrite = m_lastWrite;
    key->m_parent = this;
    m_subkeys.push_back(key);
    return key;
}

bool RegistryKey::removeSubkey(const RegistryKey& key)
{
    const auto it = std::find_if(
        m_subkeys.begin(), m_subkeys.end(), [&](const std::shared_ptr<RegistryKey>& k) { return k.get() == &key; });
    if (it == m_subkeys.end())
        return false;
    (*it)->markDeleted();
    m_subkeys.erase(it);
    return true;
}

void RegistryKey::markDeleted()
{
    m_deleted = true;
    m_parent = nullptr;
    for (const auto& key : m_subkeys)
        key->markDeleted();
    m_subkeys.clear();
    m_values.clear();
}

void RegistryKey::adopt(RegistryKey& fresh)
{
    m_name = fresh.m_name;
    m_lastWrite = fresh.m_lastWrite;
    m_values = std::move(fresh.m_values);

    std::vector<std::shared_ptr<RegistryKey>> merged;
    merged.reserve(fresh.m_subkeys.size());
    for (auto& freshKey : fresh.m_subkeys) {
        const auto it = std::find_if(m_subkeys.begin(), m_subkeys.end(),
            [&](const std::shared_ptr<RegistryKey>& k) { return k && EqualsNoCase(k->name(), freshKey->name()); });
        if (it == m_subkeys.end()) {
            merged.push_back(std::move(freshKey));
            continue;
        }
        (*it)->adopt(*freshKey);
        merged.push_back(std::move(*it));
    }
    for (const auto& gone : m_subkeys) {
        if (gone)
            gone->markDeleted();
    }
    m_subkeys = std::move(merged);
    for (const auto& key : m_subkeys)
        key->m_parent = this;
    fresh.m_subkeys.clear();
}

} // namespace platform
