#include "platform/shell/TypedName.h"

#include "platform/base/MessageBox.h"

namespace platform {

namespace {

void Tell(HWND window, const std::string& text, const std::string& title)
{
    MessageBox(window, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

bool TakeTypedName(HWND window, FileDialogModel& model, const std::string& text, const std::string& title)
{
    using Verdict = FileDialogModel::Verdict;
    switch (model.submit(text)) {
    case Verdict::Accepted:
        return true;
    case Verdict::ConfirmOverwrite: {
        const std::string question = text + " already exists.\nDo you want to replace it?";
        if (MessageBox(window, question.c_str(), title.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return false;
        return model.submit(text, true) == Verdict::Accepted;
    }
    case Verdict::NotFound:
        Tell(window, text + "\nFile not found.\nPlease verify the correct file name was given.", title);
        return false;
    case Verdict::PathNotFound:
        Tell(window, text + "\nPath does not exist.\nPlease verify the correct path was given.", title);
        return false;
    case Verdict::OpenedFolder:
    case Verdict::InvalidName:
        return false;
    }
    return false;
}

} // namespace platform
