// The suite's messages for failed file operations.
#pragma once

#include <string>

enum class FileErrorKind { DeviceNotAvailable, PathNotAccessible, PathNotFound, Other };

// Groups a Windows error into the classes users see different messages for.
FileErrorKind ClassifyFileError(unsigned winError);

// The message text for a failure on `path` (shown lower-cased).
std::string FileErrorMessage(unsigned winError, const std::string& description, const std::string& path);

// Shows it: a warning for the three known classes, an error box otherwise.
void ShowFileError(unsigned winError, const std::string& path);

// The system's text for an error number, without the trailing line break.
std::string SystemErrorText(unsigned winError);
