#include "vireo/Properties.h"

#include <algorithm>
#include <fstream>

#include "vireo/vireo_log.h"

namespace vireo {

Properties::Properties(const AttributeValueMap& map) { AssignEntries(map); }

Properties::Properties(const std::string& fileName) { Load(fileName); }

Properties::Properties(int argc, const char* const* argv)
{
    for (int i = 1; i < argc && argv; ++i) {
        if (argv[i])
            SetLine(argv[i]);
    }
}

int Properties::Load(const std::string& fileName)
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("Loading properties from %s.\n", fileName.c_str());
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return 0;
    int count = 0;
    int lineNumber = 0;
    std::string line;
    while (std::getline(file, line)) {
        ++lineNumber;
        const std::size_t end = line.find_first_of("\r\n");
        if (end != std::string::npos)
            line.erase(end);
        // An empty line adds nothing; the lines after it still count.
        if (line.empty())
            continue;
        // A damaged line still loads as far as it reads; saying so lets someone find the damage.
        if (std::count(line.begin(), line.end(), '"') % 2 != 0 && LogEnabled(LogLevel::Warning))
            LogPrint("Properties file %s line %d has an unterminated quote.\n", fileName.c_str(), lineNumber);
        SetLine(line);
        ++count;
    }
    if (file.bad() && LogEnabled(LogLevel::Warning))
        LogPrint("Reading properties from %s failed after line %d.\n", fileName.c_str(), lineNumber);
    return count;
}

std::size_t Properties::Save(const std::string& fileName) const
{
    if (LogEnabled(LogLevel::Debug))
        LogPrint("Saving properties to %s.\n", fileName.c_str());
    if (GetBool(kPropertiesReadonly, false))
        return 0;
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    for (const auto& [key, value] : EntryMap())
        file << AttributeValue(key, value).Text() << '\n';
    return Size();
}

std::size_t Properties::MergeChain(Properties other)
{
    const StringList theirs = other.GetList(kPropertiesChain);
    StringList mine = GetList(kPropertiesChain);
    std::size_t extra = 0;
    for (const std::string& name : theirs) {
        if (vireo::ListContains(mine, name))
            continue;
        mine.push_back(name);
        // Record the file before loading it, so that a chain leading back to it stops there
        // instead of loading the same files again and again.
        StringList loading = GetList(kPropertiesChain);
        if (!vireo::ListContains(loading, name)) {
            loading.push_back(name);
            SetList(kPropertiesChain, loading);
        }
        extra += MergeChain(Properties(name));
    }
    SetList(kPropertiesChain, mine);
    other.Erase(kPropertiesChain);
    Merge(other);
    return Size() + extra;
}

std::size_t Properties::LoadChained(const std::string& fileName)
{
    if (AttributeValueMap::ListContains(kPropertiesChain, fileName))
        return 0;
    return MergeChain(Properties(fileName));
}

std::size_t Properties::LoadArguments(int argc, const char* const* argv) { return MergeChain(Properties(argc, argv)); }

std::size_t Properties::AssignChained(const AttributeValueMap& other)
{
    Properties copy(other);
    Clear();
    return MergeChain(std::move(copy));
}

} // namespace vireo
