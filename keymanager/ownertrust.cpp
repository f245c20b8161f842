#include "keymanager/ownertrust.h"

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/rich_output_window.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/key_listing_files.h"
#include "common/win/key_transfer.h"
#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "common/win/visible_run.h"
#include "keymanager/logic/ownertrust_text.h"

bool ImportOwnertrust(const std::string& file, HWND mainWindow) {
    const std::string hide = ReadHideSetting("HideTrustImp");
    if (hide != "0" && hide != "1") {
        ClearLastRunOk();
        return false;
    }
    const bool hidden = hide == "1";
    const bool toLog = ReadBoolSetting("Settings", "GuiOutput", "1");
    const std::string outFile = OutputFilePath();
    if (toLog) DeleteFileIfPresent(outFile);
    const std::string command = ImportOwnertrustCommand(Env().GnuPGExeName, file, hidden, toLog, outFile);
    RunHiddenOrVisible(command, hidden, "Please wait ...", toLog, !toLog);
    if (!LastRunOk()) return false;

    if (toLog) {
        std::string output;
        if (ReadWholeFile(outFile, output)) {
            DeleteFileIfPresent(outFile);
            RichOutputRequest report;
            report.caption = Translate("Morvish - Output of Import Ownertrust");
            report.text = OwnertrustReportText(ConvertFromDosCodepage(output), file,
                                               ReadBoolSetting("Settings", "RemoveGPG", "0"));
            report.centreOver = mainWindow;
            report.modal = true;
            if (ReadBoolSetting("Settings", "OutputBeep", "0")) MessageBeep(MB_OK);
            ShowRichOutput(report);
        } else {
            ShowError(Translate("Error: Temporary file ") + "\"" + outFile + "\"" + Translate(" not found."));
        }
    }
    if (ReadBoolSetting("Settings", "WatchRingChange", "1"))
        InvalidateKeyCacheIfChanged();
    else
        DeleteKeyListing();
    return true;
}
