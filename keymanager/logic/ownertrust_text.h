// Importing an owner-trust export: the GnuPG command and the report shown after it.
// Platform-free.
#pragma once

#include <string>
#include <string_view>

// The command for the console or the log (`toLog`), visible or hidden.
std::string ImportOwnertrustCommand(std::string_view gnupgExeName, std::string_view file, bool hidden, bool toLog,
                                    std::string_view outFile);

// GnuPG's messages as the report window shows them: "- No message from GnuPG. -"
// for none, "gpg: " prefixes removed when asked, then an empty line and the file.
std::string OwnertrustReportText(std::string_view output, std::string_view file, bool removeGpg);
