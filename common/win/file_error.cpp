#include "common/win/file_error.h"

#include <windows.h>

#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"

FileErrorKind ClassifyFileError(unsigned winError) {
    switch (winError) {
        case ERROR_NOT_READY:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_UNIT:
        case ERROR_NOT_DOS_DISK:
        case ERROR_UNRECOGNIZED_VOLUME:
            return FileErrorKind::DeviceNotAvailable;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_CURRENT_DIRECTORY:
            return FileErrorKind::PathNotAccessible;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return FileErrorKind::PathNotFound;
        default:
            return FileErrorKind::Other;
    }
}

std::string FileErrorMessage(unsigned winError, const std::string& description, const std::string& path) {
    const std::string q = "\"";
    const std::string shown = ToLower(path);
    switch (ClassifyFileError(winError)) {
        case FileErrorKind::DeviceNotAvailable:
            return Translate("Error: Device with file ") + q + shown + q + Translate(" not available.");
        case FileErrorKind::PathNotAccessible:
            return Translate("Error: Path or file ") + q + shown + q + Translate(" not accessible.");
        case FileErrorKind::PathNotFound:
            return Translate("Error: Path with file ") + q + shown + q + Translate(" not available.");
        case FileErrorKind::Other:
            break;
    }
    return Translate("Error #") + std::to_string(winError) + ": " + q + description + q + Translate(" when accessing ") +
           q + shown + q + ".";
}

void ShowFileError(unsigned winError, const std::string& path) {
    std::string text = FileErrorMessage(winError, SystemErrorText(winError), path);
    if (ClassifyFileError(winError) == FileErrorKind::Other)
        ShowError(text);
    else
        ShowWarning(text);
}

std::string SystemErrorText(unsigned winError) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, winError, 0,
                                  buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "Unknown error" : text;
}
