#include "common/win/key_listing_files.h"
#include "common/win/keyring_changes.h"

#include <oleauto.h>

#include <cmath>
#include <optional>
#include <vector>

#include "common/backup_rotation.h"
#include "common/environment.h"
#include "common/setting_values.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/twips.h"
#include "common/ui/wait_window.h"
#include "common/win/file_error.h"
#include "common/win/file_system.h"
#include "common/win/settings.h"
#include "common/win/zip_files.h"

namespace {

constexpr char kSection[] = "Settings";
constexpr int kWaitBelowCentreTwips = 1500;

struct TrackedFile {
    const char* name;
    const char* timeKey;
};
constexpr TrackedFile kTrackedFiles[] = {
    {"pubring.gpg", "DateTimePub"},
    {"secring.gpg", "DateTimeSec"},
    {"trustdb.gpg", "DateTimeTrust"},
};

std::string TrackedPath(const TrackedFile& file) {
    return Env().GnuPGHome + "\\" + file.name;
}

// The text as the system's locale parser reads it, in whole seconds since its epoch.
std::optional<long long> ParsedSeconds(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    DATE date = 0;
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
    return std::llround(date * 86400.0);
}

bool TimeDiffers(const TrackedFile& file) {
    return !SameRecordedTime(ReadSetting(kSection, file.timeKey, ""), FileDateTimeText(TrackedPath(file)));
}

void ShowReadOnlyBackupWarning() {
    const std::string q = "\"";
    ShowWarning(JoinMessageLines({Translate("The ") + q + Translate("read-only") + q +
                                      Translate(" file-attribute is set for at least one of the"),
                                  Translate("existing backups. The current backup will be skipped.")}));
}

// Carries the renames out; the first failure is reported and stops the backup, so
// the new archive never takes the place of a backup that was not moved away.
bool RotateBackups(int keptCount) {
    auto exists = [](int number) { return FileExists(KeyringBackupPath(number)); };
    for (const BackupStep& step : PlanBackupRotation(exists, keptCount)) {
        std::string from = KeyringBackupPath(step.from);
        bool done =
            step.to == 0 ? DeleteFileA(from.c_str()) : MoveFileA(from.c_str(), KeyringBackupPath(step.to).c_str());
        if (!done) {
            ShowFileError(GetLastError(), from);
            return false;
        }
    }
    return true;
}

void WriteBackup(HWND mainWindow) {
    if (Env().GnuPGHome.empty()) return;
    std::string folder = KeyringBackupFolder();
    if (!DirectoryExists(folder)) CreateDirectoryA(folder.c_str(), nullptr);

    int keptCount = KeptBackupCount(ParseSettingInteger(ReadSetting(kSection, "BackupNum", "3"), 3));
    for (int number = 1; number <= keptCount; ++number) {
        DWORD attributes = GetFileAttributesA(KeyringBackupPath(number).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (attributes & FILE_ATTRIBUTE_READONLY)) {
            ShowReadOnlyBackupWarning();
            return;
        }
    }
    if (!RotateBackups(keptCount)) return;

    WaitWindow wait;
    wait.Show(Translate("Creating Backup ..."), BackupWaitCentre(mainWindow));
    // A keyring that does not exist (no secring.gpg with newer GnuPG) is left out
    // rather than failing the backup of the others.
    std::vector<std::string> files;
    for (const TrackedFile& file : kTrackedFiles) {
        if (FileExists(TrackedPath(file))) files.push_back(TrackedPath(file));
    }
    int result = ZipFiles(KeyringBackupPath(1), files);
    // Closed first: the wait window stays on top of every window and would hide
    // the error box.
    wait.Close();
    if (result != kZipOk && result != kZipInitFailed)
        ShowError(Translate("Error #") + std::to_string(result) + Translate(" while creating backup-archive."));
    // Recorded even after a failure, so that the same change does not bring the
    // same failure at every close.
    RecordKeyringTimes();
}

}  // namespace

std::string KeyringBackupFolder() {
    return Env().GnuPGHome + "\\_backup";
}

std::string KeyringBackupPath(int number) {
    return KeyringBackupFolder() + "\\backup_" + std::to_string(number) + ".zip";
}

bool SameRecordedTime(const std::string& stored, const std::string& current) {
    if (stored == current) return true;
    if (stored.empty() || current.empty()) return false;
    std::optional<long long> a = ParsedSeconds(stored);
    std::optional<long long> b = ParsedSeconds(current);
    return a && b && *a == *b;
}

bool KeyringsChanged() {
    try {
        for (const TrackedFile& file : kTrackedFiles) {
            if (FileExists(TrackedPath(file)) && TimeDiffers(file)) return true;
        }
    } catch (...) {
    }
    return false;
}

void RecordKeyringTimes() {
    try {
        for (const TrackedFile& file : kTrackedFiles)
            WriteSetting(kSection, file.timeKey, FileDateTimeText(TrackedPath(file)));
    } catch (...) {
    }
}

void InvalidateKeyCacheIfChanged() {
    try {
        for (const TrackedFile& file : kTrackedFiles) {
            if (FileDateTimeText(TrackedPath(file)).empty() || TimeDiffers(file)) {
                DeleteKeyListing();
                return;
            }
        }
    } catch (...) {
    }
}

void BackupKeyrings(HWND mainWindow) {
    try {
        WriteBackup(mainWindow);
    } catch (...) {
    }
}

void CloseWithBackupCheck(bool backupKeyRings, HWND mainWindow) {
    if (!KeyringsChanged()) return;
    if (backupKeyRings)
        BackupKeyrings(mainWindow);
    else
        RecordKeyringTimes();
}

POINT BackupWaitCentre(HWND mainWindow) {
    RECT frame;
    if (mainWindow && IsWindowVisible(mainWindow) && GetWindowRect(mainWindow, &frame))
        return {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    return {GetSystemMetrics(SM_CXSCREEN) / 2,
            GetSystemMetrics(SM_CYSCREEN) / 2 + TwipsToPixelsY(kWaitBelowCentreTwips)};
}
