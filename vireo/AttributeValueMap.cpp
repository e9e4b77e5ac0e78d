#include "vireo/AttributeValueMap.h"

#include "vireo/VireoTime.h"
#include "vireo/VireoURI.h"

namespace vireo {

void AttributeValueMap::Assign(const AttributeValueMap& other)
{
    if (&other == this)
        return;
    m_entries.clear();
    Merge(other);
}

bool AttributeValueMap::Has(const std::string& key) const { return m_entries.count(key) != 0; }

AttributeValue AttributeValueMap::Get(const std::string& key, const AttributeValue& def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : AttributeValue(key, it->second);
}

Component AttributeValueMap::GetComponent(const std::string& key, const Component& def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second;
}

std::string AttributeValueMap::GetString(const std::string& key, const std::string& def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second.Value();
}

int AttributeValueMap::GetInt(const std::string& key, int def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second.ToInt();
}

bool AttributeValueMap::GetBool(const std::string& key, bool def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second.ToBool();
}

StringList AttributeValueMap::GetList(const std::string& key, const StringList& def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second.ToList();
}

AttributeValueMap AttributeValueMap::GetMap(const std::string& key) const { return GetMap(key, AttributeValueMap()); }

AttributeValueMap AttributeValueMap::GetMap(const std::string& key, const AttributeValueMap& def) const
{
    const auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        AttributeValueMap copy;
        copy.AssignEntries(def);
        return copy;
    }
    return it->second.ToMap();
}

VireoURI AttributeValueMap::GetURI(const std::string& key) const { return GetURI(key, VireoURI()); }

VireoURI AttributeValueMap::GetURI(const std::string& key, const VireoURI& def) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second.ToURI();
}

void AttributeValueMap::Set(const AttributeValue& attribute) { m_entries[attribute.Name().Value()] = attribute.Value(); }

void AttributeValueMap::Set(const std::string& key, const Component& value) { m_entries[key] = value; }

void AttributeValueMap::AddIfAbsent(const AttributeValue& attribute)
{
    m_entries.try_emplace(attribute.Name().Value(), attribute.Value());
}

void AttributeValueMap::SetString(const std::string& key, const std::string& value) { m_entries[key] = Component(value); }

void AttributeValueMap::SetInt(const std::string& key, int value) { m_entries[key] = Component(value); }

void AttributeValueMap::SetBool(const std::string& key, bool value) { m_entries[key] = Component(value); }

void AttributeValueMap::SetList(const std::string& key, const StringList& value) { m_entries[key] = Component(value); }

void AttributeValueMap::SetMap(const std::string& key, const AttributeValueMap& value)
{
    m_entries[key] = Component(value);
}

void AttributeValueMap::SetURI(const std::string& key, const VireoURI& value) { m_entries[key] = Component(value); }

void AttributeValueMap::SetTime(const std::string& key, const VireoTime& value) { m_entries[key] = Component(value); }

void AttributeValueMap::SetLine(const std::string& text) { Set(AttributeValue(text)); }

int AttributeValueMap::Parse(const std::string& text)
{
    int count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Set(AttributeValue(text, pos));
        ++count;
        // Exactly one character, whatever it is, separates two attributes.
        ++pos;
    }
    return count;
}

std::size_t AttributeValueMap::Merge(const AttributeValueMap& other)
{
    if (&other != this) {
        for (const auto& [key, value] : other.m_entries)
            m_entries[key] = value;
    }
    return m_entries.size();
}

void AttributeValueMap::AssignEntries(const AttributeValueMap& other)
{
    if (&other != this)
        m_entries = other.m_entries;
}

std::size_t AttributeValueMap::Erase(const std::string& key) { return m_entries.erase(key); }

StringList AttributeValueMap::Keys() const
{
    StringList keys;
    keys.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        keys.push_back(entry.first);
    return keys;
}

bool AttributeValueMap::ListContains(const std::string& key, const std::string& s) const
{
    return !key.empty() && vireo::ListContains(GetList(key), s);
}

AttributeValueMap AttributeValueMap::SubMap(const std::string& prefix) const
{
    const std::string full = prefix + ".";
    AttributeValueMap sub;
    for (auto it = m_entries.lower_bound(full); it != m_entries.end() && it->first.starts_with(full); ++it)
        sub.m_entries.emplace(it->first.substr(full.size()), it->second);
    return sub;
}

void AttributeValueMap::SetSubMap(const std::string& prefix, const AttributeValueMap& map)
{
    const std::string full = prefix + ".";
    for (const auto& [key, value] : map.m_entries)
        m_entries[full + key] = value;
}

void AttributeValueMap::EraseSubKeys(const std::string& prefix)
{
    const std::string full = prefix + ".";
    auto it = m_entries.lower_bound(full);
    while (it != m_entries.end() && it->first.starts_with(full))
        it = m_entries.erase(it);
}

std::string AttributeValueMap::Text(const std::string& separator) const
{
    std::string text;
    AppendText(text, separator);
    return text;
}

void AttributeValueMap::AppendText(std::string& out, const std::string& separator) const
{
    bool first = true;
    for (const auto& [key, value] : m_entries) {
        if (!first)
            out += separator;
        first = false;
        AttributeValue::AppendText(out, key, value);
    }
}

std::string AttributeValueMap::Dump() const
{
    std::string text;
    int number = 1;
    for (const auto& [key, value] : m_entries)
        text += "    #" + std::to_string(number++) + AttributeValue(key, value).Describe() + "\n";
    return text;
}

} // namespace vireo
