// Option sets written to gpg.conf, and gpg.conf lines read back through the cache.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/environment.h"
#include "common/ui/message_box.h"
#include "common/win/option_sets.h"
#include "support/test_env.h"

namespace {

struct OptionSetFixture {
    Environment saved = Env();
    TempFolder home{"home"};
    TempFolder gnupg{"gnupg"};
    ScriptedResponder responder;
    OptionSetFixture() {
        Env().ShellHomeDir = home.Path();
        Env().GnuPGHome = gnupg.Path();
        Env().GpgConfPath = gnupg / "gpg.conf";
        CreateDirectoryA((home / "_options").c_str(), nullptr);
    }
    ~OptionSetFixture() { Env() = saved; }
    std::string Conf() const { return ReadTextFile(Env().GpgConfPath); }
};

// Sets the file's last-write time `seconds` after a fixed moment, so a test can
// change a file without the stamp changing, or change only the stamp.
void StampFile(const std::string& path, int seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ULARGE_INTEGER when;
    when.QuadPart = 133000000000000000ULL + static_cast<ULONGLONG>(seconds) * 10000000ULL;
    FILETIME stamp{when.LowPart, when.HighPart};
    SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
}

}  // namespace

TEST(OptionSets, ApplyWritesMarkerAndOptionsAndFindGpgConfLineSeesThem) {
    OptionSetFixture f;
    WriteTextFile(f.home / "_options\\Work.txt", "armor\r\n\r\n  comment2 x\r\nkeyserver hkp://127.0.0.1\r\n");
    WriteTextFile(Env().GpgConfPath, "no-greeting\r\n");
    EXPECT_EQ(FindGpgConfLine("no-greeting"), "no-greeting");

    ASSERT_TRUE(ApplyOptionSet("Work"));
    EXPECT_EQ(f.Conf(), "#@#Work\r\n\r\narmor\r\ncomment x\r\nkeyserver hkp://127.0.0.1\r\n");
    EXPECT_TRUE(f.responder.Seen().empty());
    // Read again at once, even within the file system's time resolution.
    EXPECT_EQ(FindGpgConfLine("#@#"), "#@#Work");
    EXPECT_EQ(FindGpgConfLine("no-greeting"), "");
    EXPECT_EQ(FindGpgConfLine("keyserver "), "keyserver hkp://127.0.0.1");
}

TEST(OptionSets, FailuresAreReportedAndLeaveGpgConfAlone) {
    OptionSetFixture f;
    WriteTextFile(Env().GpgConfPath, "keyserver hkp://mine\r\n");
    // A missing set must not turn gpg.conf into a marker line without options.
    EXPECT_FALSE(ApplyOptionSet("Missing"));
    EXPECT_EQ(f.Conf(), "keyserver hkp://mine\r\n");
    ASSERT_EQ(f.responder.Seen().size(), 1u);
    EXPECT_NE(f.responder.Seen()[0].text.find("missing.txt"), std::string::npos) << f.responder.Texts();

    // gpg.conf cannot be written: the file-error message names it.
    WriteTextFile(f.home / "_options\\Work.txt", "armor\r\n");
    Env().GpgConfPath = f.gnupg / "no such folder\\gpg.conf";
    f.responder.Clear();
    EXPECT_FALSE(ApplyOptionSet("Work"));
    ASSERT_EQ(f.responder.Seen().size(), 1u);
    EXPECT_NE(f.responder.Seen()[0].text.find("no such folder\\gpg.conf"), std::string::npos) << f.responder.Texts();
}

TEST(OptionSets, FindGpgConfLineRereadsWhenTheFileChanges) {
    OptionSetFixture f;
    const std::string& conf = Env().GpgConfPath;
    EXPECT_EQ(FindGpgConfLine("keyserver "), "") << "no gpg.conf yet";

    WriteTextFile(conf, "keyserver hkp://aaa\r\n");
    StampFile(conf, 0);
    EXPECT_EQ(FindGpgConfLine("keyserver "), "keyserver hkp://aaa");

    // Same size, same stamp: the cached text stands.
    WriteTextFile(conf, "keyserver hkp://bbb\r\n");
    StampFile(conf, 0);
    EXPECT_EQ(FindGpgConfLine("keyserver "), "keyserver hkp://aaa");
    // A new stamp: read again.
    StampFile(conf, 10);
    EXPECT_EQ(FindGpgConfLine("keyserver "), "keyserver hkp://bbb");
    // A new size under the old stamp: read again too.
    WriteTextFile(conf, "keyserver hkp://cccc\r\n");
    StampFile(conf, 10);
    EXPECT_EQ(FindGpgConfLine("keyserver "), "keyserver hkp://cccc");

    DeleteFileA(conf.c_str());
    EXPECT_EQ(FindGpgConfLine("keyserver "), "") << "a deleted gpg.conf has no lines";
}
