#pragma once
// The framework's record type: an ordered map from name to value, keys in plain byte order. URIs,
// messages, properties and registrations are maps; keys are dotted words and the sub-map operations
// work on a dotted prefix.

#include <cstddef>
#include <map>
#include <string>

#include "vireo/AttributeValue.h"
#include "vireo/Component.h"

namespace vireo {

class AttributeValueMap {
public:
    using Entries = std::map<std::string, Component>;

    AttributeValueMap() = default;
    AttributeValueMap(const AttributeValueMap&) = default;
    AttributeValueMap(AttributeValueMap&&) = default;
    AttributeValueMap& operator=(const AttributeValueMap&) = default;
    AttributeValueMap& operator=(AttributeValueMap&&) = default;
    virtual ~AttributeValueMap() = default;

    // Clears this map, then merges the other; derived maps copy only the entries this way.
    virtual void Assign(const AttributeValueMap& other);

    // True when an entry with exactly this key exists.
    bool Has(const std::string& key) const;
    // The entry as an attribute; the default when absent.
    AttributeValue Get(const std::string& key, const AttributeValue& def = {}) const;
    // The value; the default when absent.
    Component GetComponent(const std::string& key, const Component& def = {}) const;
    // Typed readings of the value; the default when the key is absent.
    std::string GetString(const std::string& key, const std::string& def = {}) const;
    int GetInt(const std::string& key, int def = 0) const;
    bool GetBool(const std::string& key, bool def = false) const;
    StringList GetList(const std::string& key, const StringList& def = {}) const;
    AttributeValueMap GetMap(const std::string& key) const;
    AttributeValueMap GetMap(const std::string& key, const AttributeValueMap& def) const;
    VireoURI GetURI(const std::string& key) const;
    VireoURI GetURI(const std::string& key, const VireoURI& def) const;

    // Inserts the entry or replaces the value of an existing key.
    void Set(const AttributeValue& attribute);
    void Set(const std::string& key, const Component& value);
    void SetString(const std::string& key, const std::string& value);
    void SetInt(const std::string& key, int value);
    void SetBool(const std::string& key, bool value);
    void SetList(const std::string& key, const StringList& value);
    void SetMap(const std::string& key, const AttributeValueMap& value);
    void SetURI(const std::string& key, const VireoURI& value);
    void SetTime(const std::string& key, const VireoTime& value);
    // Inserts the entry unless its key is present already (one look-up where Has and Set take two).
    void AddIfAbsent(const AttributeValue& attribute);
    // Reads one attribute from the start of the text and sets it.
    void SetLine(const std::string& text);
    // Reads attributes from the whole text, one separator character between them, setting each;
    // returns how many were read.
    int Parse(const std::string& text);
    // Sets every entry of the other map over this one; returns this map's size.
    std::size_t Merge(const AttributeValueMap& other);
    // Replaces the entries by a copy of the other's and nothing else.
    void AssignEntries(const AttributeValueMap& other);
    // Removes the entry; returns how many were removed (0 or 1).
    std::size_t Erase(const std::string& key);
    // Removes every entry.
    void Clear() { m_entries.clear(); }

    // All keys in key order.
    StringList Keys() const;
    // False for an empty key; else whether the key's list holds s.
    bool ListContains(const std::string& key, const std::string& s) const;
    // The entries under prefix + ".", with that part removed from their keys.
    AttributeValueMap SubMap(const std::string& prefix) const;
    // Sets prefix + "." + key for every entry of the map.
    void SetSubMap(const std::string& prefix, const AttributeValueMap& map);
    // Removes every entry whose key begins with prefix + ".".
    void EraseSubKeys(const std::string& prefix);

    // Every entry's text in key order with the separator between them.
    std::string Text(const std::string& separator) const;
    // Appends that text to out.
    void AppendText(std::string& out, const std::string& separator) const;
    // One numbered line per entry for the log.
    std::string Dump() const;

    // The number of entries, whether there are none, and the entries themselves.
    std::size_t Size() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    const Entries& EntryMap() const { return m_entries; }

private:
    Entries m_entries;
};

} // namespace vireo
