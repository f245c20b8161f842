// The desktop operations hand the shell what the user's handler shortcuts or the
// system defaults need; launches are recorded, not performed.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "common/environment.h"
#include "common/win/desktop.h"
#include "support/settings_sandbox.h"
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

namespace {

// A real shortcut to a program, as a user would put into the home directory.
bool MakeShortcut(const std::string& link, const std::string& target) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* shell = nullptr;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shell)))) {
        shell->SetPath(target.c_str());
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring wide(link.begin(), link.end());
            saved = SUCCEEDED(file->Save(wide.c_str(), TRUE));
            file->Release();
        }
        shell->Release();
    }
    CoUninitialize();
    return saved;
}

}  // namespace

TEST(DesktopLaunch, TheShellStartsTheHandlerWithTheQuotedPath) {
    Environment saved = Env();
    TempFolder home("home");
    Env().ShellHomeDir = home.Path();
    std::string log = home / "started.log";
    ScopedEnvironmentVariable logVariable("FAKE_PROGRAM_LOG", log);
    ASSERT_TRUE(MakeShortcut(home / "_edit.lnk", ProgramsFolder() + "\\fakes\\fake_program.exe"));

    EXPECT_TRUE(EditFile("c:\\a b\\gpg.conf"));
    std::string started;
    for (int i = 0; i < 100 && started.empty(); ++i) {
        Sleep(50);
        started = ReadTextFile(log);
    }
    EXPECT_NE(started.find("\"c:\\a b\\gpg.conf\""), std::string::npos) << started;
    Env() = saved;
}
