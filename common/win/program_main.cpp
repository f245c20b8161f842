#include "common/win/program_main.h"

#include <windows.h>
#include <commctrl.h>

#include "common/text.h"
#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "common/win/translation_loader.h"

int RunProgram(Program program, const std::string& commandLine, MainWindowRunner mainWindow) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RunStartup(program, commandLine)) return 0;
    // The configuration program and the photo viewer load their translation with
    // their window, and always tell about a translation for another version.
    if (program == Program::Brenlow || program == Program::Orlith)
        LoadTranslation(ToLower(ProgramNameOf(program)) + ".lng", true);
    if (mainWindow) return mainWindow(commandLine);
    // The other main windows come here; a program without one ends after start-up and,
    // when it runs GnuPG, leaves the shared state as the last program must.
    if (program == Program::Morvish || program == Program::Pallow || program == Program::Dunmere) {
        CloseWithBackupCheck(ReadBoolSetting("Settings", "BackupKeyRings", "False"));
        LastProgramCleanup(program);
    }
    return 0;
}
