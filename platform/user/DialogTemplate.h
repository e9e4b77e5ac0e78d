#pragma once
// A dialog template read from its binary form (classic or extended), every field checked against
// the size of the data so that a damaged template is refused instead of read past its end.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

// A menu, class or text given by number ("#n" forms are not used: isNumber says which).
struct TemplateName {
    bool isNumber { false };
    WORD number { 0 };
    std::string text; // UTF-8
    bool empty() const { return !isNumber && text.empty(); }
};

struct DialogItem {
    DWORD helpId { 0 };
    DWORD exStyle { 0 };
    DWORD style { 0 };
    short x { 0 }, y { 0 }, cx { 0 }, cy { 0 };
    DWORD id { 0 };
    TemplateName windowClass;
    TemplateName text;
    // The creation data, starting with its 16-bit size, as WM_CREATE hands it on.
    std::vector<BYTE> data;
};

struct DialogTemplate {
    bool extended { false };
    DWORD helpId { 0 };
    DWORD exStyle { 0 };
    DWORD style { 0 };
    short x { 0 }, y { 0 }, cx { 0 }, cy { 0 };
    TemplateName menu;
    TemplateName windowClass;
    std::string caption;
    bool hasFont { false };
    WORD pointSize { 0 };
    WORD weight { 0 };
    bool italic { false };
    BYTE charset { 0 };
    std::string face;
    std::vector<DialogItem> items;

    // Reads a template of at most size bytes; nothing when it is malformed or runs past the end.
    static std::optional<DialogTemplate> Parse(const void* data, std::size_t size);
};

} // namespace platform::user
