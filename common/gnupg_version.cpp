#include "common/gnupg_version.h"

#include "common/batch_text.h"
#include "common/text.h"
#include "common/wildcard.h"

std::string ComposeVersionCheckCommand(std::string_view exeName, std::string_view tempDir,
                                       std::string_view outputFile, bool cygwin) {
    std::string out = QuotedTempFile(tempDir, outputFile);
    std::string command = std::string(exeName) + " --no-verbose --batch --no-tty --list-config --with-colons>" + out;
    if (cygwin) command += "\r\nunix2dos.exe " + out;
    return command;
}

std::string ParseListConfigVersion(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        if (MatchesPattern(line, "cfg:version:*")) {
            std::string version = line.substr(12);
            return version.empty() ? kUnknownGnuPGVersion : "v" + version;
        }
    }
    return "";
}

bool IsGnuPGVersionTooOld(std::string_view version) {
    for (const char* pattern : {"v0.#.#*", "v1.[0123].#*", "v1.4.[0123456789]", "v1.4.[0123456789][a-z.-]*"}) {
        if (MatchesPattern(version, pattern)) return true;
    }
    return false;
}
