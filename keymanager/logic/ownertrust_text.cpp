#include "keymanager/logic/ownertrust_text.h"

#include "common/batch_text.h"
#include "common/text.h"

std::string ImportOwnertrustCommand(std::string_view gnupgExeName, std::string_view file, bool hidden, bool toLog,
                                    std::string_view outFile) {
    std::string command(gnupgExeName);
    if (toLog) command += " --logger-fd 1";
    if (hidden) command += " --batch --no-tty";
    command += " --import-ownertrust " + BatchQuoted(file);
    if (toLog) command += ">" + BatchQuoted(outFile);
    return command;
}

std::string OwnertrustReportText(std::string_view output, std::string_view file, bool removeGpg) {
    std::string text(output);
    if (text.empty()) {
        text = "- No message from GnuPG. -";
    } else if (removeGpg) {
        if (StartsWith(text, "gpg: ")) text.erase(0, 5);
        text = StrgReplace(text, "\r\ngpg: ", "\r\n");
    }
    while (EndsWith(text, "\r\n")) text.resize(text.size() - 2);
    return text + "\r\n\r\nFile: " + std::string(file) + "\r\n";
}
