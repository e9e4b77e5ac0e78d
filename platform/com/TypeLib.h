#pragma once
// Type-library registration. A library's "TYPELIB" resource is a short text, one line per item:
//     library LUMASYNCLib {4577144C-1607-45D4-B179-9F0B8BDCEC35} 1.0 'Lumasync 1.0 Type Library'
//     interface IQVClientCollection {1E08990C-DFA6-47E6-81F2-0C4889C1A595} dual 'IQVClientCollection Interface'
//     member Item 1 'method Item'
// A member line describes a member of the interface line above it: its name, its dispatch identifier
// and its help string; a property read and written is one member.
// Late binding itself needs no type library here: dispatch interfaces describe themselves from
// static tables. Registration writes the records other programs look for under HKCR\TypeLib and
// HKCR\Interface.

#include <string>
#include <vector>

#include "platform/com/OaIdl.h"

enum SYSKIND { SYS_WIN16 = 0, SYS_WIN32 = 1, SYS_MAC = 2, SYS_WIN64 = 3 };

namespace platform {

struct TypeLibInfo {
    struct Interface {
        struct Member {
            std::string name;
            DISPID dispid { 0 };
            std::string helpString;
        };
        std::string name;
        IID iid {};
        std::string kind; // "dual", "dispatch" or "custom"
        std::string helpString;
        std::vector<Member> members;
    };
    std::string name;
    GUID libid {};
    WORD majorVersion { 1 };
    WORD minorVersion { 0 };
    std::string helpString;
    std::vector<Interface> interfaces;
};

// Reads the text form above; false with a message in *error when a line is malformed.
bool ParseTypeLibText(std::string_view text, TypeLibInfo& info, std::string* error = nullptr);

} // namespace platform

// Records the library (HKCR\TypeLib\{libid}\major.minor with its file and help folder) and its
// interfaces (HKCR\Interface\{iid}) in the machine's classes.
HRESULT RegisterTypeLib(const platform::TypeLibInfo& lib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir);
// Removes that version's records and the interfaces that name the library; TYPE_E_LIBNOTREGISTERED
// when the version was not registered.
HRESULT UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid, SYSKIND syskind);
