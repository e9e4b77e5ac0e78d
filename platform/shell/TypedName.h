#pragma once
// What every file dialog does with a name typed and taken with OK: the model's verdict, a question
// before an existing file is replaced, and a message when the file or its folder is missing.

#include <string>

#include "platform/shell/FileDialogModel.h"

namespace platform {

// True when the model accepted the name (its choice is the model's chosen()); false when the person
// declined to replace the file, was told what is missing, or the name opened a folder or a pattern.
bool TakeTypedName(HWND window, FileDialogModel& model, const std::string& text, const std::string& title);

} // namespace platform
