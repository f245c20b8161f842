#include "common/win/keyring_changes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "common/environment.h"
#include "common/ui/message_box.h"
#include "common/ui/twips.h"
#include "common/win/file_system.h"
#include "common/win/settings.h"
#include "common/zip_archive_reader.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

namespace {

const char* const kKeyrings[] = {"pubring.gpg", "secring.gpg", "trustdb.gpg"};
const char* const kTimeKeys[] = {"DateTimePub", "DateTimeSec", "DateTimeTrust"};

// A GnuPG home with the three tracked files (the trust database hidden, as some
// installations leave it), a Corvane home, ini settings and a recorder for boxes.
struct KeyringFixture {
    ScopedIniSettings settings;
    Environment saved = Env();
    TempFolder gnupgHome{"gnupg"};
    TempFolder shellHome{"home"};
    ScriptedResponder responder;

    KeyringFixture() {
        Env().GnuPGHome = gnupgHome.Path();
        Env().ShellHomeDir = shellHome.Path();
        for (int i = 0; i < 3; ++i) {
            WriteTextFile(Keyring(kKeyrings[i]), std::string("keyring ") + kKeyrings[i]);
            SetModified(kKeyrings[i], i * 60);
        }
        SetFileAttributesA(Keyring("trustdb.gpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    ~KeyringFixture() { Env() = saved; }

    std::string Keyring(const std::string& name) const { return gnupgHome / name; }

    // A modification time some seconds after a fixed moment.
    void SetModified(const std::string& name, int seconds) const {
        SYSTEMTIME base{2024, 3, 0, 5, 8, 4, 7, 0};
        FILETIME time;
        SystemTimeToFileTime(&base, &time);
        ULARGE_INTEGER value{{time.dwLowDateTime, time.dwHighDateTime}};
        value.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
        time = {value.LowPart, value.HighPart};
        HANDLE file = CreateFileA(Keyring(name).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
    }

    std::vector<std::string> StoredTimes() const {
        std::vector<std::string> times;
        for (const char* key : kTimeKeys) times.push_back(ReadSetting("Settings", key, "<unset>"));
        return times;
    }
    std::vector<std::string> FileTimes() const {
        std::vector<std::string> times;
        for (const char* name : kKeyrings) times.push_back(FileDateTimeText(Keyring(name)));
        return times;
    }

    void MakeBackups(const std::vector<int>& numbers) const {
        CreateDirectoryA(KeyringBackupFolder().c_str(), nullptr);
        for (int n : numbers) WriteTextFile(KeyringBackupPath(n), "old " + std::to_string(n));
    }
    // What each backup number holds: "old <n>", "zip" for a sound archive of the
    // keyrings, "" when missing.
    std::map<int, std::string> Backups() const {
        std::map<int, std::string> found;
        for (int n = 1; n <= 5; ++n) {
            std::string path = KeyringBackupPath(n);
            if (!FileExists(path)) continue;
            std::string bytes;
            ReadWholeFile(path, bytes);
            found[n] = bytes.rfind("old ", 0) == 0 ? bytes : VerifiedBackup(bytes);
        }
        return found;
    }
    std::string VerifiedBackup(const std::string& bytes) const {
        ReadZipArchive archive = ReadZip(bytes);
        if (!archive.error.empty()) return archive.error;
        std::string names;
        for (const ReadZipMember& member : archive.members) {
            std::string expected;
            ReadWholeFile(Keyring(member.name), expected);
            if (member.data != expected) return member.name + " differs";
            names += (names.empty() ? "" : " ") + member.name;
        }
        return names == "pubring.gpg secring.gpg trustdb.gpg" ? "zip" : names;
    }
};

}  // namespace

TEST(KeyringChanges, RotationKeepsTheNewestBackups) {
    struct Case {
        const char* backupNum;  // "" = not set
        std::vector<int> before;
        std::map<int, std::string> after;
    };
    const std::string zip = "zip";
    const Case cases[] = {
        {"3", {}, {{1, zip}}},
        {"3", {1}, {{1, zip}, {2, "old 1"}}},
        {"3", {1, 2}, {{1, zip}, {2, "old 1"}, {3, "old 2"}}},
        {"3", {1, 2, 3}, {{1, zip}, {2, "old 1"}, {3, "old 2"}}},
        {"3", {2, 3}, {{1, zip}, {2, "old 2"}, {3, "old 3"}}},
        {"3", {1, 3}, {{1, zip}, {2, "old 1"}, {3, "old 3"}}},
        {"3", {1, 2, 3, 4, 5}, {{1, zip}, {2, "old 1"}, {3, "old 2"}, {4, "old 4"}, {5, "old 5"}}},
        {"", {1, 2, 3}, {{1, zip}, {2, "old 1"}, {3, "old 2"}}},
        {"4", {1, 2, 3}, {{1, zip}, {2, "old 1"}, {3, "old 2"}}},
        {"5", {1, 2}, {{1, zip}, {2, "old 1"}, {3, "old 2"}}},
        {"5", {1, 2, 3}, {{1, zip}, {2, "old 1"}, {3, "old 2"}, {4, "old 3"}}},
        {"5", {1, 2, 3, 5}, {{1, zip}, {2, "old 1"}, {3, "old 2"}, {4, "old 3"}, {5, "old 5"}}},
        {"5", {1, 2, 3, 4}, {{1, zip}, {2, "old 1"}, {3, "old 2"}, {4, "old 3"}, {5, "old 4"}}},
        {"5", {1, 2, 3, 4, 5}, {{1, zip}, {2, "old 1"}, {3, "old 2"}, {4, "old 3"}, {5, "old 4"}}},
    };
    for (const Case& c : cases) {
        KeyringFixture f;
        if (*c.backupNum) WriteSetting("Settings", "BackupNum", c.backupNum);
        f.MakeBackups(c.before);
        BackupKeyrings();
        SCOPED_TRACE(std::string("BackupNum ") + c.backupNum + ", before: " + testing::PrintToString(c.before));
        EXPECT_EQ(f.Backups(), c.after);
        EXPECT_EQ(f.responder.Texts(), "");
        EXPECT_EQ(f.StoredTimes(), f.FileTimes());
    }
}

TEST(KeyringChanges, ReadOnlyBackupStopsTheWholeBackup) {
    KeyringFixture f;
    f.MakeBackups({1, 2, 3});
    SetFileAttributesA(KeyringBackupPath(2).c_str(), FILE_ATTRIBUTE_READONLY);
    RecordKeyringTimes();
    f.SetModified("pubring.gpg", 3600);
    const std::vector<std::string> stored = f.StoredTimes();

    CloseWithBackupCheck(true);
    ASSERT_EQ(f.responder.Seen().size(), 1u);
    EXPECT_EQ(f.responder.Seen()[0].text,
              "The \"read-only\" file-attribute is set for at least one of the\r\n"
              "existing backups. The current backup will be skipped.");
    EXPECT_EQ(f.responder.Seen()[0].options.icon, MsgIcon::Warning);
    EXPECT_EQ(f.Backups(), (std::map<int, std::string>{{1, "old 1"}, {2, "old 2"}, {3, "old 3"}}));
    // Not recorded: the change is still there for the next close.
    EXPECT_EQ(f.StoredTimes(), stored);
    EXPECT_TRUE(KeyringsChanged());

    // Only the kept numbers are looked at: a read-only leftover backup_5 does not
    // matter with three backups.
    SetFileAttributesA(KeyringBackupPath(2).c_str(), FILE_ATTRIBUTE_NORMAL);
    f.MakeBackups({5});
    SetFileAttributesA(KeyringBackupPath(5).c_str(), FILE_ATTRIBUTE_READONLY);
    f.responder.Clear();
    CloseWithBackupCheck(true);
    EXPECT_EQ(f.responder.Texts(), "");
    EXPECT_EQ(f.Backups(), (std::map<int, std::string>{{1, "zip"}, {2, "old 1"}, {3, "old 2"}, {5, "old 5"}}));
}

TEST(KeyringChanges, CloseBacksUpOrRecordsOnlyAfterAChange) {
    KeyringFixture f;
    RecordKeyringTimes();
    const std::vector<std::string> recorded = f.StoredTimes();
    EXPECT_EQ(recorded, f.FileTimes());
    EXPECT_NE(recorded[0], "");

    // Nothing changed: no backup, and the stored times stay exactly as they were.
    EXPECT_FALSE(KeyringsChanged());
    CloseWithBackupCheck(true);
    EXPECT_FALSE(DirectoryExists(KeyringBackupFolder()));
    EXPECT_EQ(f.StoredTimes(), recorded);

    // A change with backups off: only the times are recorded.
    f.SetModified("trustdb.gpg", 7200);
    EXPECT_TRUE(KeyringsChanged());
    CloseWithBackupCheck(false);
    EXPECT_FALSE(DirectoryExists(KeyringBackupFolder()));
    EXPECT_EQ(f.StoredTimes(), f.FileTimes());
    EXPECT_NE(f.StoredTimes(), recorded);
    EXPECT_FALSE(KeyringsChanged());

    // A change with backups on: a backup of the three files, then the times.
    f.SetModified("secring.gpg", 9000);
    CloseWithBackupCheck(true);
    EXPECT_EQ(f.Backups(), (std::map<int, std::string>{{1, "zip"}}));
    EXPECT_EQ(f.StoredTimes(), f.FileTimes());
    EXPECT_FALSE(KeyringsChanged());
    EXPECT_EQ(f.responder.Texts(), "");
}

TEST(KeyringChanges, MissingSecretKeyringIsRecordedEmpty) {
    KeyringFixture f;
    DeleteFileA(f.Keyring("secring.gpg").c_str());
    RecordKeyringTimes();
    EXPECT_EQ(ReadSetting("Settings", "DateTimeSec", "<unset>"), "");
    EXPECT_FALSE(KeyringsChanged());

    // A recorded file that went away is no change to back up.
    DeleteFileA(f.Keyring("pubring.gpg").c_str());
    EXPECT_FALSE(KeyringsChanged());

    // The backup holds the keyrings there are.
    WriteTextFile(f.Keyring("pubring.gpg"), "new public keys");
    EXPECT_TRUE(KeyringsChanged());
    CloseWithBackupCheck(true);
    std::string bytes;
    ReadWholeFile(KeyringBackupPath(1), bytes);
    ReadZipArchive archive = ReadZip(bytes);
    ASSERT_EQ(archive.error, "");
    ASSERT_EQ(archive.members.size(), 2u);
    EXPECT_EQ(archive.members[0].name, "pubring.gpg");
    EXPECT_EQ(archive.members[0].data, "new public keys");
    EXPECT_EQ(archive.members[1].name, "trustdb.gpg");
    EXPECT_EQ(archive.members[1].externalAttributes & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ReadSetting("Settings", "DateTimeSec", "<unset>"), "");
}

TEST(KeyringChanges, StoredTimeMatchesTheSameInstantInAnyForm) {
    SYSTEMTIME t{2024, 3, 2, 5, 9, 4, 7, 0};
    auto text = [](const SYSTEMTIME& time, const char* clockFormat) {
        char date[80] = {}, clock[80] = {};
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, clockFormat, clock, sizeof clock);
        return std::string(date) + " " + clock;
    };
    const std::string usual = text(t, nullptr);
    const std::string unpadded = text(t, "H:m:s");
    SYSTEMTIME later = t;
    later.wSecond = 8;
    ASSERT_NE(usual, unpadded);

    struct Case {
        std::string stored;
        std::string current;
        bool same;
    };
    const Case cases[] = {
        {usual, usual, true},
        {unpadded, usual, true},
        {"  " + usual + " ", usual, true},
        {text(later, nullptr), usual, false},
        {"", usual, false},
        {usual, "", false},
        {"not a time", usual, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameRecordedTime(c.stored, c.current), c.same) << "[" << c.stored << "] [" << c.current << "]";
}

TEST(KeyringChanges, CacheFilesGoWhenATimeDiffers) {
    KeyringFixture f;
    auto makeCache = [&] {
        for (const char* name : {"~pubkeys.dat", "~seckeys.dat", "~pubkeys.bak", "keys.dat"})
            WriteTextFile(f.shellHome / name, "cache");
    };
    auto present = [&] {
        std::string names;
        for (const char* name : {"~pubkeys.dat", "~seckeys.dat", "~pubkeys.bak", "keys.dat"})
            if (FileExists(f.shellHome / name)) names += std::string(names.empty() ? "" : " ") + name;
        return names;
    };
    makeCache();
    RecordKeyringTimes();
    const std::vector<std::string> recorded = f.StoredTimes();

    InvalidateKeyCacheIfChanged();
    EXPECT_EQ(present(), "~pubkeys.dat ~seckeys.dat ~pubkeys.bak keys.dat");

    f.SetModified("trustdb.gpg", 1);
    InvalidateKeyCacheIfChanged();
    EXPECT_EQ(present(), "~pubkeys.bak keys.dat");
    EXPECT_EQ(f.StoredTimes(), recorded);  // it only reads them

    // A file whose time cannot be read counts as changed, even when its empty time
    // is what was recorded.
    makeCache();
    DeleteFileA(f.Keyring("secring.gpg").c_str());
    RecordKeyringTimes();
    InvalidateKeyCacheIfChanged();
    EXPECT_EQ(present(), "~pubkeys.bak keys.dat");
}

TEST(KeyringChanges, FailuresAreReported) {
    struct Case {
        const char* what;
        bool backupFolderIsAFile;
        std::string message;
        std::map<int, std::string> after;
        bool recorded;
    };
    const Case cases[] = {
        // The archive cannot be written: the error box, and the times recorded so
        // the same change does not fail again at every close.
        {"no backup folder", true, "Error #15 while creating backup-archive.", {}, true},
        // backup_2 cannot become backup_3: the backup stops before the new archive
        // could take the place of backup_1.
        {"rename fails", false, "backup_2.zip", {{1, "old 1"}, {2, "old 2"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeyringFixture f;
        RecordKeyringTimes();
        f.SetModified("pubring.gpg", 600);
        const std::vector<std::string> stored = f.StoredTimes();
        if (c.backupFolderIsAFile) {
            WriteTextFile(KeyringBackupFolder(), "in the way");
        } else {
            f.MakeBackups({1, 2});
            CreateDirectoryA(KeyringBackupPath(3).c_str(), nullptr);
        }
        CloseWithBackupCheck(true);
        ASSERT_EQ(f.responder.Seen().size(), 1u);
        EXPECT_NE(f.responder.Seen()[0].text.find(c.message), std::string::npos) << f.responder.Seen()[0].text;
        EXPECT_EQ(f.Backups(), c.after);
        EXPECT_EQ(f.StoredTimes(), c.recorded ? f.FileTimes() : stored);
    }
}

TEST(KeyringChanges, WaitWindowPlacement) {
    POINT screen = BackupWaitCentre(nullptr);
    EXPECT_EQ(screen.x, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(screen.y, GetSystemMetrics(SM_CYSCREEN) / 2 + TwipsToPixelsY(1500));

    HWND window = CreateWindowExA(0, "STATIC", "Morvish", WS_POPUP, 100, 200, 300, 400, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    POINT hidden = BackupWaitCentre(window);
    EXPECT_EQ(hidden.x, screen.x);
    EXPECT_EQ(hidden.y, screen.y);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    POINT shown = BackupWaitCentre(window);
    EXPECT_EQ(shown.x, 250);
    EXPECT_EQ(shown.y, 400);
    DestroyWindow(window);
}
