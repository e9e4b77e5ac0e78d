#pragma once
// An entry of a command or event table: something that takes a message and reports success.

#include "vireo/Message.h"

namespace vireo {

class DispatchMethod {
public:
    DispatchMethod() = default;
    DispatchMethod(const DispatchMethod&) = delete;
    DispatchMethod& operator=(const DispatchMethod&) = delete;
    virtual ~DispatchMethod() = default;

    // Handles the message; the base handles nothing and returns false.
    virtual bool Invoke(Message message);
};

} // namespace vireo
