// The desktop operations hand the shell what the user's handler shortcuts or the
// system defaults need; launches are recorded, not performed.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/environment.h"
#include "common/win/desktop.h"
#include "support/test_env.h"

namespace {

struct HomeFixture {
    Environment saved = Env();
    TempFolder home{"home"};
    ScopedLaunchRecorder launches;
    HomeFixture() {
        Env().ShellHomeDir = home.Path();
        Env().Switches = {};
    }
    ~HomeFixture() { Env() = saved; }
    // A handler the user hid: hidden and system files count.
    std::string AddHandler(const char* name) {
        std::string path = home / name;
        WriteTextFile(path, "");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        return path;
    }
    const DesktopLaunch& Last() const { return launches.Launches().back(); }
};

}  // namespace

TEST(DesktopLaunch, SystemDefaultsWithoutHandlersShortcutsWithThem) {
    HomeFixture f;
    const std::string folder = "c:\\gnupg home";
    EXPECT_TRUE(ExploreFolder(folder));
    EXPECT_EQ(f.Last(), (DesktopLaunch{folder, "", "explore"}));
    EXPECT_TRUE(OpenUrl("https://www.corvane.org"));
    EXPECT_EQ(f.Last(), (DesktopLaunch{"https://www.corvane.org", "", "open"}));
    EXPECT_TRUE(SendMail("team@corvane.org"));
    EXPECT_EQ(f.Last(), (DesktopLaunch{"mailto:team@corvane.org", "", "open"}));
    EXPECT_TRUE(EditFile("c:\\gnupg home\\gpg.conf"));
    EXPECT_EQ(f.Last(), (DesktopLaunch{"notepad.exe", "\"c:\\gnupg home\\gpg.conf\"", "open"}));

    std::string explore = f.AddHandler("_explore.lnk");
    std::string url = f.AddHandler("_url-http.lnk");
    std::string mail = f.AddHandler("_url-mailto.lnk");
    std::string edit = f.AddHandler("_edit.lnk");
    ExploreFolder(folder);
    EXPECT_EQ(f.Last(), (DesktopLaunch{explore, "\"" + folder + "\"", "open"}));
    OpenUrl("https://www.corvane.org");
    EXPECT_EQ(f.Last(), (DesktopLaunch{url, "https://www.corvane.org", "open"}));
    SendMail("team@corvane.org");
    EXPECT_EQ(f.Last(), (DesktopLaunch{mail, "\"team@corvane.org\"", "open"}));
    EditFile("c:\\gnupg home\\gpg.conf");
    EXPECT_EQ(f.Last(), (DesktopLaunch{edit, "\"c:\\gnupg home\\gpg.conf\"", "open"}));
}

TEST(DesktopLaunch, EncodedMailtoReplacesSpacesForDefaultAndHandler) {
    HomeFixture f;
    Env().Switches.EncodedMailto = true;
    SendMail("Corvane team <team@corvane.org>");
    EXPECT_EQ(f.Last().file, "mailto:Corvane%20team%20<team@corvane.org>");
    std::string mail = f.AddHandler("_url-mailto.lnk");
    SendMail("Corvane team <team@corvane.org>");
    EXPECT_EQ(f.Last(), (DesktopLaunch{mail, "\"Corvane%20team%20<team@corvane.org>\"", "open"}));
}

TEST(DesktopLaunch, NoHomeDirectoryMeansNoHandlers) {
    HomeFixture f;
    f.AddHandler("_edit.lnk");
    // Without a home the lookup must not fall back to the current drive's root.
    Env().ShellHomeDir.clear();
    EXPECT_EQ(DesktopHandler("_edit.lnk"), "");
    EditFile("x.txt");
    EXPECT_EQ(f.Last().file, "notepad.exe");
}
