#include "common/listing_batch.h"

#include <vector>

std::string ComposeListingBatch(const ListingBatchSettings& settings) {
    // The command runner's preamble; its closing "cls" comes after our own lines.
    std::vector<std::string> lines = ComposeBatchLines(settings.context, "", false);
    lines.pop_back();

    const std::string gpg = BatchLiteral(settings.gpgName);
    const std::string secretFile = BatchQuoted(settings.homeDir + "\\~seckeys.dat");
    const std::string publicFile = BatchQuoted(settings.homeDir + "\\~pubkeys.dat");
    // A hidden console can never be answered, so a hidden run must not stop for
    // input: --batch --no-tty, and no pause.
    const std::string quiet = settings.hideReload ? " --no-verbose --batch --no-tty" : " --no-verbose";

    if (!settings.hideReload) {
        lines.push_back("echo.");
        lines.push_back("echo  Loading keys . . .");
        lines.push_back("echo.");
    }
    lines.push_back(gpg + quiet + " --list-secret-keys --with-colons --fixed-list-mode>" + secretFile);
    lines.push_back(gpg + quiet + " --list-config --with-colons>" + publicFile);
    lines.push_back("echo.>>" + publicFile);
    lines.push_back(gpg + quiet + " --list-public-keys --with-fingerprint --with-colons --fixed-list-mode>>" +
                    publicFile);
    if (!settings.hideReload && settings.addBatchPause) {
        lines.push_back("echo.");
        lines.push_back("pause");
    }
    if (settings.cygwin) {
        lines.push_back("unix2dos.exe " + secretFile);
        lines.push_back("unix2dos.exe " + publicFile);
    }
    lines.push_back("cls");
    return JoinBatchLines(lines);
}
