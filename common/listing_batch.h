// The listing batch "~gpglists.bat": one run of GnuPG that writes the key cache
// files (secret keys into "~seckeys.dat"; configuration, an empty line and the
// public keys into "~pubkeys.dat").
#pragma once

#include <string>

#include "common/batch_text.h"

inline constexpr const char* kListingBatchFile = "~gpglists.bat";

struct ListingBatchSettings {
    BatchContext context;        // the command runner's preamble
    std::string gpgName;         // bare file name, "gpg.exe" or "gpg2.exe" (found through PATH)
    std::string homeDir;         // the Corvane home, already in the OEM code page
    bool hideReload = true;      // hidden run: --batch --no-tty, no messages, no pause
    bool addBatchPause = false;  // visible run: end with "echo." and "pause"
    bool cygwin = false;         // unix2dos over both files
};

// The batch file's bytes, every line ended by CR LF. The home directory reaches
// the redirections through BatchQuoted, so "%" or "&" in it stay literal.
std::string ComposeListingBatch(const ListingBatchSettings& settings);
