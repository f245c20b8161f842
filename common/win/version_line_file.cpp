#include "common/win/version_line_file.h"

#include <windows.h>

#include "common/environment.h"
#include "common/version_line.h"
#include "common/win/file_system.h"
#include "common/win/settings.h"

void StampVersionLine(const std::string& armoredFile, bool signature) {
    if (Env().Switches.NoVersionChange) return;
    std::string text;
    if (!ReadWholeFile(armoredFile, text)) return;
    auto stamped =
        StampVersionLineText(text, signature, ReadSetting("Tamsel", "VersionLine", ""), Env().ProgramVersion);
    if (!stamped) return;
    const std::string staging = armoredFile + ".~version";
    if (WriteWholeFile(staging, *stamped) != 0 ||
        !MoveFileExA(staging.c_str(), armoredFile.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileIfPresent(staging);
}
