// The programs started for real under Wine: a portable installation in a
// temporary folder, the real gpg.exe on PATH, the user played by the driver.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/ui/window.h"
#include "common/win/file_system.h"
#include "common/win/handles.h"
#include "common/win/ini_file.h"
#include "common/win/system_info.h"
#include "support/process_driver.h"
#include "support/test_env.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// Closes the key manager's main window once it is shown; other windows get
// their default button.
std::string CloseKeyManager(const SeenWindow& seen) {
    return seen.className == kCorvaneWindowClass && seen.caption == "Morvish" ? kCloseWindow : "";
}

// A copy of the suite in its own folder with a portable Corvane.ini, a Corvane
// home and a GnuPG home.
struct Installation {
    TempFolder app{"app"};
    TempFolder home{"home"};
    TempFolder gnupgHome{"gnupg"};
    std::string fakeLog = home / "started.log";

    Installation() {
        for (const char* program : {"Morvish.exe", "Pallow.exe", "Dunmere.exe", "Orlith.exe"})
            CopyFileA((ProgramsFolder() + "\\" + program).c_str(), (app / program).c_str(), FALSE);
        // Brenlow is replaced by a stand-in that records how it was started.
        CopyFileA((ProgramsFolder() + "\\fakes\\fake_program.exe").c_str(), (app / "Brenlow.exe").c_str(), FALSE);
        WriteIni("Settings", "ShellHomeDir", home.Path());
        // An empty keyring would otherwise ask for a first key.
        WriteIni("Morvish", "AskedForNewKey", "1");
    }

    std::string Ini() const { return app / "Corvane.ini"; }
    void WriteIni(const std::string& section, const std::string& key, const std::string& value) const {
        WriteIniValue(Ini(), section, key, value);
    }
    std::string ReadIni(const std::string& section, const std::string& key) const {
        return ReadIniValue(Ini(), section, key, "<absent>");
    }
    std::map<std::string, std::string> Environment() const {
        return {{"PATH", GnuPGFolder() + ";" + EnvironmentVariable("PATH")},
                {"GNUPGHOME", gnupgHome.Path()},
                {"FAKE_PROGRAM_LOG", fakeLog}};
    }
    ProgramRun Run(const std::string& program, const std::map<std::string, std::string>& changes = {},
                   const WindowAnswer& answer = nullptr) const {
        auto environment = Environment();
        for (const auto& [name, value] : changes) environment[name] = value;
        return RunProgramAndAnswer("\"" + (app / program) + "\"", environment, answer ? answer : CloseKeyManager);
    }
};

// A window of the suite's class, as a running sibling program shows it.
class FakeProgramWindow {
public:
    explicit FakeProgramWindow(const std::string& caption) {
        EnsureCorvaneWindowClass();
        window_ = CreateWindowExA(0, kCorvaneWindowClass, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~FakeProgramWindow() { DestroyWindow(window_); }
    explicit operator bool() const { return window_ != nullptr; }

private:
    HWND window_;
};

}  // namespace

TEST(StartupE2E, FirstStartDiscoversGnuPGAndTheLastProgramResetsTheSharedHome) {
    Installation install;
    {
        // With a sibling running, the shared GnuPG home stays for it.
        FakeProgramWindow pallow("Pallow");
        ASSERT_TRUE(pallow);
        ProgramRun run = install.Run("Morvish.exe");
        ASSERT_TRUE(run.ended);
        EXPECT_TRUE(run.seen.empty()) << run.seen[0].text;
        EXPECT_EQ(install.ReadIni("Settings", "GnuPG_ExePath"), Lower(GnuPGFolder() + "\\gpg.exe"));
        EXPECT_EQ(install.ReadIni("Settings", "GnuPG_Version"), "v1.4.23");
        EXPECT_EQ(install.ReadIni("Settings", "GnuPG_DateTime"), FileDateTimeText(GnuPGFolder() + "\\gpg.exe"));
        EXPECT_EQ(install.ReadIni("Settings", "GnuPG_HomeDir"), Lower(install.gnupgHome.Path()));
        EXPECT_EQ(install.ReadIni("Settings", "SetGnuPGHome"), "0");
        EXPECT_EQ(install.ReadIni("Settings", "PGPdump_ExePath"), "");
    }
    // Alone, the closing program is the last one and resets it.
    ProgramRun run = install.Run("Morvish.exe");
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.seen.empty());
    EXPECT_EQ(install.ReadIni("Settings", "GnuPG_HomeDir"), "");
    EXPECT_FALSE(FileExists(install.fakeLog));  // Brenlow was not needed
}

TEST(StartupE2E, SingleInstanceRules) {
    Installation install;
    {
        FakeProgramWindow morvish("Morvish - Keys");
        ProgramRun run = install.Run("Morvish.exe");
        ASSERT_TRUE(run.ended);
        ASSERT_EQ(run.seen.size(), 1u);
        EXPECT_EQ(run.seen[0].text, "Morvish is already running.");
        EXPECT_EQ(run.seen[0].caption, "Morvish");
        EXPECT_EQ(install.ReadIni("Settings", "GnuPG_ExePath"), "<absent>");  // it stopped before looking
    }
    {
        // The configuration program uses the system's previous-instance test.
        UniqueHandle mutex(CreateMutexA(nullptr, FALSE, "MutexBrenlow"));
        ProgramRun run = RunProgramAndAnswer("\"" + ProgramsFolder() + "\\Brenlow.exe\"", {});
        ASSERT_TRUE(run.ended);
        ASSERT_EQ(run.seen.size(), 1u);
        EXPECT_EQ(run.seen[0].text, "Brenlow is already running.");
    }
    {
        // Several photo viewers may be open at once.
        UniqueHandle mutex(CreateMutexA(nullptr, FALSE, "MutexOrlith"));
        FakeProgramWindow orlith("Orlith - 0x12345678");
        ProgramRun run = install.Run("Orlith.exe");
        ASSERT_TRUE(run.ended);
        EXPECT_TRUE(run.seen.empty());
    }
}

TEST(StartupE2E, RootDirectoryIsRefused) {
    const std::string rootCopy = "C:\\Orlith.exe";
    ASSERT_TRUE(CopyFileA((ProgramsFolder() + "\\Orlith.exe").c_str(), rootCopy.c_str(), FALSE));
    ProgramRun run = RunProgramAndAnswer(rootCopy, {});
    DeleteFileA(rootCopy.c_str());
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.seen.size(), 1u);
    EXPECT_EQ(run.seen[0].text, "Corvane will not run when installed in a drive's root-directory.");
}

TEST(StartupE2E, MissingGnuPGAndMissingHomeStartTheConfigurationProgram) {
    Installation install;
    // No gpg.exe anywhere: the user is told and the configuration program asked for.
    ProgramRun run = install.Run("Pallow.exe", {{"PATH", "C:\\windows\\system32"}});
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.seen.size(), 1u);
    EXPECT_EQ(run.seen[0].text.substr(0, 40), "GnuPG could not be found on your system.");
    Sleep(1000);
    EXPECT_EQ(ReadTextFile(install.fakeLog), "[/justpath]\n");
    DeleteFileA(install.fakeLog.c_str());

    // A GnuPG home that does not exist: no message, the shared value is cleared.
    install.WriteIni("Settings", "GnuPG_HomeDir", "c:\\stale\\home");
    run = install.Run("Dunmere.exe", {{"GNUPGHOME", install.home / "missing"}});
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.seen.empty());
    EXPECT_EQ(install.ReadIni("Settings", "GnuPG_HomeDir"), "");
    EXPECT_EQ(install.ReadIni("Settings", "SetGnuPGHome"), "0");
    EXPECT_EQ(install.ReadIni("Dunmere", "_ExePath"), install.app / "dunmere.exe");
    Sleep(1000);
    EXPECT_EQ(ReadTextFile(install.fakeLog), "[]\n");
}

TEST(StartupE2E, HomeDirQuestionAnsweredNoThenCancelledEndsSilently) {
    Installation install;
    install.WriteIni("Settings", "ShellHomeDir", "");
    ProgramRun run = install.Run("Morvish.exe", {}, [](const SeenWindow& seen) {
        return seen.text.rfind("Do you want to use:", 0) == 0 ? "No" : "Cancel";
    });
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.seen.size(), 2u);
    EXPECT_EQ(run.seen[1].caption, "Morvish");
    EXPECT_NE(run.seen[1].text.find("Please set your Corvane-HomeDir now."), std::string::npos);
    EXPECT_EQ(install.ReadIni("Settings", "GnuPG_ExePath"), "<absent>");
}

TEST(KeyManagerE2E, MainWindowOpensOnAKeyringAndEndsTheProgramWhenClosed) {
    Installation install;
    const std::string gpg = "\"" + GnuPGFolder() + "\\gpg.exe\" --homedir \"" + install.gnupgHome.Path() + "\" --batch ";
    WriteTextFile(install.home / "key.txt",
                  "Key-Type: RSA\nKey-Length: 1024\nName-Real: Erin Example\nExpire-Date: 0\n%commit\n");
    ProgramRun made = RunProgramAndAnswer(gpg + "--gen-key \"" + (install.home / "key.txt") + "\"", {}, nullptr, 120000);
    ASSERT_TRUE(made.ended);

    ProgramRun run = install.Run("Morvish.exe");
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.seen.empty()) << run.seen[0].text;
    ASSERT_EQ(run.closed.size(), 1u);
    EXPECT_EQ(run.closed[0].className, kCorvaneWindowClass);
    EXPECT_EQ(run.closed[0].caption, "Morvish");
    // The listing was made for the window, and the closing rules ran after it.
    EXPECT_TRUE(FileExists(install.home / "~pubkeys.dat"));
    EXPECT_NE(ReadTextFile(install.home / "~pubkeys.dat").find("Erin Example"), std::string::npos);
    EXPECT_EQ(install.ReadIni("Settings", "GnuPG_HomeDir"), "");
    // Closed by its close box: the layout is not stored.
    EXPECT_EQ(install.ReadIni("Morvish", "WindowWidth"), "<absent>");
}
