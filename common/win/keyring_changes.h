// Keyring change tracking and backups.
//
// The suite remembers the modification times of pubring.gpg, secring.gpg and
// trustdb.gpg in GnuPGHome ([Settings] DateTimePub, DateTimeSec, DateTimeTrust:
// the locale's date-and-time text of FileDateTimeText, "" for a missing file).
// They tell whether the key cache files still match the keyrings, and whether a
// program that closes should back the keyrings up into GnuPGHome\_backup
// ("backup_1.zip" newest, up to [Settings] BackupNum = 3 or 5 archives).
//
// A stored time matches a file when both texts stand for the same instant: the
// file's time is formatted exactly as it was when recorded and the two texts are
// compared, first as they are, then both read back through the system's locale
// date parser (to the second). Reading both sides the same way keeps the
// comparison exact whatever precision the locale's format has, and a time written
// in another form (a changed time format, leading zeros) still matches.
#pragma once

#include <string>

#include <windows.h>

// True when any of the three files exists and its time differs from its stored time.
bool KeyringsChanged();
// Stores the three files' current times ("" for a missing file).
void RecordKeyringTimes();
// Deletes "~???keys.dat" in ShellHomeDir when a stored time differs from its
// file's time or a file's time cannot be read (a missing file). Errors are ignored.
void InvalidateKeyCacheIfChanged();

// Makes room among the existing backups and writes a new "backup_1.zip" of the
// keyrings, then records their times. A read-only backup, or a backup that cannot
// be renamed or deleted, stops it before anything is written. The wait window is
// centred on `mainWindow` when that is visible.
void BackupKeyrings(HWND mainWindow = nullptr);

// The closing rule of Morvish, Pallow and Dunmere: after a change, a backup when
// `backupKeyRings` is on ([Settings] BackupKeyRings, or the key manager's menu
// check), otherwise only the new times are recorded.
void CloseWithBackupCheck(bool backupKeyRings, HWND mainWindow = nullptr);

// GnuPGHome\_backup, and the path of backup number n (1 = newest) in it.
std::string KeyringBackupFolder();
std::string KeyringBackupPath(int number);

// Whether two stored time texts stand for the same instant (see above).
bool SameRecordedTime(const std::string& stored, const std::string& current);

// Where the backup's wait window is centred: the middle of the visible main
// window, otherwise the screen's horizontal middle, 1500 twips below its centre.
POINT BackupWaitCentre(HWND mainWindow);
