#include "common/win/packet_listing.h"

#include "common/environment.h"
#include "common/gnupg_output.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/rich_output_window.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/key_listing_files.h"
#include "common/win/key_transfer.h"
#include "common/win/settings.h"
#include "common/win/visible_run.h"

namespace {

constexpr char kSection[] = "Settings";

}  // namespace

std::string PacketListingCaption(const std::string& programName, const std::string& keyIds, bool pgpDump) {
    std::string caption = programName + " - PGP Packets";
    if (programName == "Morvish")
        caption += " for Key 0x" + (keyIds.size() > 8 ? keyIds.substr(keyIds.size() - 8) : keyIds);
    if (pgpDump) caption += " - PGPdump";
    return caption;
}

bool ShowPackets(const std::string& file, const PacketListingPlace& place) {
    const Environment& env = Env();
    // The choice only counts while pgpdump.exe is there to be used.
    std::string usePgpDump = env.PgpDumpPath.empty() ? "0" : Trim(ReadSetting(kSection, "UsePgpDump", "0"));
    const std::string hide = ReadHideSetting("HideGetPack");
    if ((usePgpDump != "0" && usePgpDump != "1") || (hide != "0" && hide != "1")) {
        ClearLastRunOk();
        return false;
    }
    const bool pgpDump = usePgpDump == "1";
    const bool hidden = hide == "1";

    const std::string outFile = OutputFilePath();
    DeleteFileIfPresent(outFile);
    const std::string command =
        pgpDump
            ? PgpDumpPacketsCommand(env.PgpDumpPath, PgpDumpOptionsFromSetting(ReadSetting(kSection, "PgpDumpOptions")),
                                    file, outFile)
            : GnuPGPacketsCommand(env.GnuPGExePath, file, hidden, outFile);
    RunHiddenOrVisible(command, hidden, "Please wait ...", true, false);
    if (!LastRunOk()) return false;

    std::string output;
    if (!FileExists(outFile) || !ReadWholeFile(outFile, output)) {
        ShowError(Translate("Error: Temporary file ") + "\"" + outFile + "\"" + Translate(" not found."));
        return false;
    }
    DeleteFileIfPresent(outFile);

    RichOutputRequest request;
    request.text = PacketListingText(output, pgpDump, env.Switches.Cygwin, SystemUserIdDecoding());
    request.caption = PacketListingCaption(env.ProgramName, place.keyIds, pgpDump);
    if (env.ProgramName == "Morvish") {
        request.centreOver = place.mainWindow;
    } else if (env.ProgramName == "Pallow") {
        request.area = place.area;
    } else if (env.ProgramName == "Dunmere") {
        request.text += "\r\n" + Translate("File: ") + file + "\r\n";
        request.modal = true;
    }
    ShowRichOutput(request);
    return true;
}
