#pragma once
// Registry scripts, the text resources (type "REGISTRY") with which component libraries register
// their classes:
//
//     HKCR
//     {
//         NoRemove CLSID
//         {
//             ForceRemove {...} = s 'Thing Class'
//             {
//                 InprocServer32 = s '%MODULE%'
//                 {
//                     val ThreadingModel = s 'Apartment'
//                 }
//             }
//         }
//     }
//
// Keys are bare words or 'quoted'; "= s 'text'" sets a key's default value, "val name = s 'text'" a
// named one (types s, e (expandable), d (number), b (hex bytes), m (texts separated by \0)); '' is a
// quote inside a quoted text; %NAME% is replaced and %% is a percent sign. On registration ForceRemove
// deletes the key's whole tree before writing it and Delete removes a key. On removal every key not
// marked NoRemove is deleted (a ForceRemove key with its whole tree, a plain key only when nothing
// outside the script is left under it) and named values are deleted.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinError.h"

namespace platform {

class RegistryScript {
public:
    struct Value {
        std::string name; // empty for the default value
        char type { 's' };
        std::string text;
    };
    struct Key {
        enum class Flag { None, ForceRemove, NoRemove, Delete };
        std::string name;
        Flag flag { Flag::None };
        std::vector<Value> values; // the default value first, when given
        std::vector<Key> keys;
    };
    struct Root {
        HKEY hive { nullptr };
        std::string subPath; // under the hive: "Software\Classes" for HKCR
        std::vector<Key> keys;
    };

    // Reads a script after replacing %NAME% by replacements[NAME] (names compared without regard to
    // case); false with a message in *error on a syntax error or an unknown replacement.
    bool Parse(
        std::string_view text, const std::map<std::string, std::string>& replacements, std::string* error = nullptr);
    // Writes (bRegister) or removes what the script describes; the first failing registry call's
    // error as an HRESULT.
    HRESULT Apply(bool bRegister) const;

    const std::vector<Root>& Roots() const { return m_roots; }

private:
    std::vector<Root> m_roots;
};

} // namespace platform
