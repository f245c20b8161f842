#include "keymanager/key_manager.h"

#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "common/win/startup.h"
#include "keymanager/key_list_menus.h"
#include "keymanager/key_list_window.h"

namespace {

// The dialogs of the start switches arrive with their own work (environment
// information: Help menu item 21; GnuPG options and preferences: Preferences
// menu items 1 and 2; the key-server window). Each is shown here, modally, over
// the hidden key list window.
void ShowStartSwitchDialog(StartSwitch which, KeyListWindow& window) {
    switch (which) {
        case StartSwitch::Environment:
            window.RunMenuItem(kHelpMenu, 21);
            break;
        case StartSwitch::PrefsGnupg:
            window.RunMenuItem(kPreferencesMenu, 1);
            break;
        case StartSwitch::PrefsCorvane:
            window.RunMenuItem(kPreferencesMenu, 2);
            break;
        case StartSwitch::VisitKeyServer:
            break;
        case StartSwitch::None:
            break;
    }
}

int MessageLoop(KeyListWindow& window) {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        if (window.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

}  // namespace

int RunKeyManager(const std::string& commandLine) {
    try {
        KeyListWindow window;
        window.SetQuitOnDestroy(true);
        const StartSwitch which = StartSwitchOf(commandLine);
        KeyListOpenOptions options;
        options.startSwitch = which;
        options.show = which == StartSwitch::None;
        if (!window.Open(options)) {
            // No window to close: the closing rules still run, once.
            CloseWithBackupCheck(ReadBoolSetting("Settings", "BackupKeyRings", "False"));
            LastProgramCleanup(Program::Morvish);
            return 0;
        }
        if (which != StartSwitch::None) {
            ShowStartSwitchDialog(which, window);
            if (window.Exists()) SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
        }
        return MessageLoop(window);
    } catch (...) {
        return 0;
    }
}
