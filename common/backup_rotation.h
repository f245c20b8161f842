// Which renames make room for a new keyring backup. The backups are numbered
// "backup_1.zip" (newest) up to the kept number (oldest); platform-free, the
// Windows side (common/win/keyring_changes.h) carries the steps out.
#pragma once

#include <functional>
#include <vector>

// Only 3 and 5 backups are offered; any other setting keeps the default 3.
int KeptBackupCount(long backupNumSetting);

// One step: backup `from` becomes backup `to`, or is deleted when `to` is 0.
struct BackupStep {
    int from = 0;
    int to = 0;
    bool operator==(const BackupStep&) const = default;
};

// The steps, oldest first, that raise the number of every backup in the unbroken
// run from backup 1 by one. The oldest kept backup is dropped only when the run
// fills every kept number; gaps further up are filled, never overwritten.
std::vector<BackupStep> PlanBackupRotation(const std::function<bool(int number)>& exists, int keptCount);
