#include "common/backup_rotation.h"

int KeptBackupCount(long backupNumSetting) {
    return backupNumSetting == 5 ? 5 : 3;
}

std::vector<BackupStep> PlanBackupRotation(const std::function<bool(int number)>& exists, int keptCount) {
    std::vector<BackupStep> steps;
    if (!exists(1)) return steps;
    if (!exists(2)) return {{1, 2}};
    if (!exists(3)) return {{2, 3}, {1, 2}};
    if (keptCount == 5) {
        if (exists(4)) {
            if (exists(5)) steps.push_back({5, 0});
            steps.push_back({4, 5});
        }
        steps.push_back({3, 4});
    } else {
        steps.push_back({3, 0});
    }
    steps.push_back({2, 3});
    steps.push_back({1, 2});
    return steps;
}
