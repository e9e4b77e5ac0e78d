#include <string>
#include <utility>

#include "platform/base/CodePage.h"
#include "platform/base/Format.h"
#include "platform/base/FormatMessage.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

struct ErrorText {
    DWORD code;
    const char* text;
};

constexpr ErrorText kTexts[] = {
    { ERROR_SUCCESS, "The operation completed successfully." },
    { ERROR_INVALID_FUNCTION, "Incorrect function." },
    { ERROR_FILE_NOT_FOUND, "The file cannot be found." },
    { ERROR_PATH_NOT_FOUND, "The path cannot be found." },
    { ERROR_TOO_MANY_OPEN_FILES, "Too many files are open." },
    { ERROR_ACCESS_DENIED, "Access is denied." },
    { ERROR_INVALID_HANDLE, "The handle is invalid." },
    { ERROR_NOT_ENOUGH_MEMORY, "Not enough memory is available." },
    { ERROR_BAD_FORMAT, "The file has a format that cannot be used." },
    { ERROR_INVALID_DATA, "The data is invalid." },
    { ERROR_OUTOFMEMORY, "Out of memory." },
    { ERROR_INVALID_DRIVE, "The drive cannot be found." },
    { ERROR_NOT_SAME_DEVICE, "The file cannot be moved to a different disk drive." },
    { ERROR_NO_MORE_FILES, "There are no more files." },
    { ERROR_WRITE_FAULT, "The device cannot be written to." },
    { ERROR_READ_FAULT, "The device cannot be read from." },
    { ERROR_SHARING_VIOLATION, "The file is in use by another process." },
    { ERROR_HANDLE_EOF, "The end of the file has been reached." },
    { ERROR_NOT_SUPPORTED, "The request is not supported." },
    { ERROR_BAD_NETPATH, "The network path cannot be found." },
    { ERROR_FILE_EXISTS, "The file exists." },
    { ERROR_CANNOT_MAKE, "The file or folder cannot be created." },
    { ERROR_INVALID_PARAMETER, "The parameter is incorrect." },
    { ERROR_DISK_FULL, "There is not enough space on the disk." },
    { ERROR_CALL_NOT_IMPLEMENTED, "This function is not available on this system." },
    { ERROR_INSUFFICIENT_BUFFER, "The buffer is too small." },
    { ERROR_INVALID_NAME, "The file name, folder name or volume label is not valid." },
    { ERROR_MOD_NOT_FOUND, "The module cannot be found." },
    { ERROR_PROC_NOT_FOUND, "The procedure cannot be found." },
    { ERROR_DIR_NOT_EMPTY, "The folder is not empty." },
    { ERROR_NOT_LOCKED, "The block is not locked." },
    { ERROR_BAD_PATHNAME, "The path is not valid." },
    { ERROR_ALREADY_EXISTS, "The file already exists." },
    { ERROR_ENVVAR_NOT_FOUND, "The environment variable cannot be found." },
    { ERROR_MORE_DATA, "More data is available." },
    { ERROR_NO_MORE_ITEMS, "No more data is available." },
    { ERROR_DIRECTORY, "The folder name is not valid." },
    { ERROR_NOT_OWNER, "The caller does not own the lock." },
    { ERROR_NOACCESS, "Invalid access to memory." },
    { ERROR_INVALID_FLAGS, "The flags are not valid." },
    { ERROR_BADDB, "The registry hive is corrupt." },
    { ERROR_BADKEY, "The registry key is not valid." },
    { ERROR_CANTOPEN, "The registry key cannot be opened." },
    { ERROR_CANTREAD, "The registry key cannot be read." },
    { ERROR_CANTWRITE, "The registry key cannot be written." },
    { ERROR_REGISTRY_CORRUPT, "The registry is corrupt." },
    { ERROR_KEY_DELETED, "The registry key has been deleted." },
    { ERROR_CHILD_MUST_BE_VOLATILE, "A volatile key cannot have a non-volatile subkey." },
    { ERROR_NO_UNICODE_TRANSLATION, "The text contains a character that the code page cannot represent." },
    { ERROR_INVALID_WINDOW_HANDLE, "The window handle is invalid." },
    { ERROR_TIMEOUT, "The operation timed out." },
    { ERROR_RESOURCE_DATA_NOT_FOUND, "The file holds no resources." },
    { ERROR_RESOURCE_TYPE_NOT_FOUND, "The resource type cannot be found in the file." },
    { ERROR_RESOURCE_NAME_NOT_FOUND, "The resource name cannot be found in the file." },
    { ERROR_RESOURCE_LANG_NOT_FOUND, "The resource language cannot be found in the file." },
    { static_cast<DWORD>(E_UNEXPECTED), "Unexpected failure." },
    { static_cast<DWORD>(E_NOTIMPL), "Not implemented." },
    { static_cast<DWORD>(E_NOINTERFACE), "The interface is not supported." },
    { static_cast<DWORD>(E_POINTER), "Invalid pointer." },
    { static_cast<DWORD>(E_ABORT), "The operation was aborted." },
    { static_cast<DWORD>(E_FAIL), "Unspecified error." },
};

const char* knownText(DWORD code)
{
    for (const ErrorText& entry : kTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}

} // namespace

std::string SystemErrorText(DWORD code)
{
    if (const char* text = knownText(code))
        return text;
    // A system error wrapped as an HRESULT reads as the error itself.
    const auto hr = static_cast<HRESULT>(code);
    if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_WIN32) {
        if (const char* text = knownText(HRESULT_CODE(hr)))
            return text;
    }
    return Format("Unknown error %d", static_cast<int>(code));
}

} // namespace platform
