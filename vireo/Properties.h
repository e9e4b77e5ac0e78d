#pragma once
// A map that loads from and saves to a properties file (".prp": one key=value line per entry),
// takes key=value command-line arguments, and follows the files listed in its own key
// "Properties.chain": a chained file is merged first, so the properties that name it win.

#include <cstddef>
#include <string>

#include "vireo/AttributeValueMap.h"

namespace vireo {

// Keys and message names of properties handling.
inline constexpr const char* kPropertiesChain = "Properties.chain";
inline constexpr const char* kPropertiesSet = "Properties.set";
inline constexpr const char* kPropertiesGet = "Properties.get";
inline constexpr const char* kPropertiesInit = "Properties.init";
inline constexpr const char* kPropertiesReport = "Properties.report";
inline constexpr const char* kPropertiesReadonly = "Properties.readonly";
inline constexpr const char* kHandlerKey = "handler";
inline constexpr const char* kAttributesKey = "attributes";

class Properties : public AttributeValueMap {
public:
    Properties() = default;
    // A copy of the entries; the chain is not followed.
    explicit Properties(const AttributeValueMap& map);
    // The entries of a properties file.
    explicit Properties(const std::string& fileName);
    // Every argument after the first (the program name) read as one key=value line.
    Properties(int argc, const char* const* argv);

    // Reads the file's lines into this map; returns how many non-empty lines were read (0 when the
    // file cannot be opened). Empty lines are skipped.
    int Load(const std::string& fileName);
    // Writes every entry, one line each in key order, unless "Properties.readonly" is true; returns
    // the number of entries written (0 when read-only).
    std::size_t Save(const std::string& fileName) const;
    // Loads each file of the other's chain that this chain does not list yet, then merges the
    // other over this map; returns this map's size plus the counts of the nested merges.
    std::size_t MergeChain(Properties other);
    // 0 when this chain already lists the file; else MergeChain of the file's properties.
    std::size_t LoadChained(const std::string& fileName);
    // MergeChain of the properties made from the arguments.
    std::size_t LoadArguments(int argc, const char* const* argv);
    // Clears this map, then MergeChain of a copy of the other.
    virtual std::size_t AssignChained(const AttributeValueMap& other);
};

} // namespace vireo
