#include "vireo/Registrations.h"

#include <algorithm>

namespace vireo {

std::size_t Registrations::Register(const std::string& registrant, const std::string& pattern)
{
    StringList patterns = GetList(registrant);
    if (!vireo::ListContains(patterns, pattern)) {
        patterns.push_back(pattern);
        SetList(registrant, patterns);
    }
    return patterns.size();
}

std::size_t Registrations::Unregister(const std::string& registrant, const std::string& pattern)
{
    StringList patterns = GetList(registrant);
    std::erase(patterns, pattern);
    if (patterns.empty()) {
        Erase(registrant);
        return 0;
    }
    SetList(registrant, patterns);
    return patterns.size();
}

StringList Registrations::Registrants(const std::string& type) const
{
    StringList registrants;
    for (const auto& [registrant, value] : EntryMap()) {
        const StringList patterns = value.ToList();
        if (std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) { return Matches(p, type); }))
            registrants.push_back(registrant);
    }
    return registrants;
}

bool Registrations::Matches(const std::string& pattern, const std::string& type)
{
    if (pattern == type)
        return true;
    const std::size_t star = pattern.find('*');
    return star != std::string::npos && star > 0 && type.starts_with(std::string_view(pattern).substr(0, star));
}

} // namespace vireo
