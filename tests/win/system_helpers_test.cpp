// The thin system wrappers, on real files and windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/environment.h"
#include "common/text.h"
#include "common/ui/message_box.h"
#include "common/ui/window.h"
#include "common/wildcard.h"
#include "common/win/system_helpers.h"
#include "support/test_env.h"

TEST(SystemHelpers, VersionsComeFromTheVersionResource) {
    TempFolder folder("ver");
    // The built programs carry version 1.0.0.0, also under another name.
    std::string program = ProgramsFolder() + "\\Morvish.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), (folder / "Wexmoor.dll").c_str(), FALSE));
    WriteTextFile(folder / "plain.txt", "no resources here");
    struct Case {
        std::string file;
        const char* version;
    } cases[] = {
        {program, "1.0.0.0"},
        {folder / "Wexmoor.dll", "1.0.0.0"},
        {folder / "plain.txt", "0.0.0.0"},
        {folder / "missing.exe", "0.0.0.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetFileVer(c.file), c.version) << c.file;
        EXPECT_EQ(GetProdVer(c.file), c.version) << c.file;
    }
}

TEST(SystemHelpers, MoveCopiesThenDeletesAndReportsFailures) {
    TempFolder folder("move");
    ScriptedResponder responder;
    WriteTextFile(folder / "a.txt", "content");
    EXPECT_TRUE(MoveFileWithCopy(folder / "a.txt", folder / "b.txt"));
    EXPECT_FALSE(MoveFailed());
    EXPECT_EQ(GetFileAttributesA((folder / "a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadTextFile(folder / "b.txt"), "content");

    // A move onto itself (another spelling of the name) keeps the only copy.
    EXPECT_TRUE(MoveFileWithCopy(folder / "b.txt", folder / "B.TXT"));
    EXPECT_EQ(ReadTextFile(folder / "b.txt"), "content");
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();

    EXPECT_FALSE(MoveFileWithCopy(folder / "Missing.TXT", folder / "c.txt"));
    EXPECT_TRUE(MoveFailed());
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].text,
              "Unexpected error (#2) while moving: \"" + ToLower(folder / "Missing.TXT") + "\".");
    EXPECT_EQ(responder.Seen()[0].options.icon, MsgIcon::Error);

    // Success clears the flag again.
    EXPECT_TRUE(MoveFileWithCopy(folder / "b.txt", folder / "c.txt"));
    EXPECT_FALSE(MoveFailed());
}

namespace {

// An extension of the test's own, opened by a program of the test's choosing.
class ScopedAssociation {
public:
    ScopedAssociation(const std::string& extension, const std::string& program) {
        std::string type = "CorvaneTest" + extension.substr(1);
        Set(extension, type);
        Set(type + "\\shell\\open\\command", "\"" + program + "\" \"%1\"");
        keys_ = {extension, type};
    }
    ~ScopedAssociation() {
        for (const std::string& key : keys_) RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    }
    ScopedAssociation(const ScopedAssociation&) = delete;
    ScopedAssociation& operator=(const ScopedAssociation&) = delete;

private:
    static void Set(const std::string& key, const std::string& value) {
        HKEY handle = nullptr;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr))
            return;
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    }
    std::vector<std::string> keys_;
};

}  // namespace

TEST(SystemHelpers, AssociatedProgramOrWhyNot) {
    TempFolder folder("asso");
    std::string program = ProgramsFolder() + "\\Orlith.exe";
    ScopedAssociation association(".corvtest", program);
    WriteTextFile(folder / "photo.corvtest", "x");
    WriteTextFile(folder / "unknown.qqzz", "x");
    EXPECT_EQ(ToLower(GetAssoApp(folder / "photo.corvtest")), ToLower(program));
    EXPECT_EQ(GetAssoApp(folder / "missing.corvtest"), "File not found");
    EXPECT_EQ(GetAssoApp(folder / "unknown.qqzz"), "Error");
}

TEST(SystemHelpers, LongNameExpandsShortComponentsBothWays) {
    TempFolder folder("long");
    std::string longDir = folder / "A Rather Long Folder Name";
    CreateDirectoryA(longDir.c_str(), nullptr);
    WriteTextFile(longDir + "\\Another Long File Name.txt", "x");
    std::string longPath = longDir + "\\Another Long File Name.txt";
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(longPath.c_str(), shortPath, sizeof shortPath), 0u);
    ASSERT_NE(std::string(shortPath), longPath);

    Environment saved = Env();
    Env().OsVersion = "Win_10";
    EXPECT_EQ(ToLower(LongName(shortPath)), ToLower(longPath));
    // The old systems' way, component by component.
    Env().OsVersion = "NT_4.0";
    EXPECT_EQ(ToLower(LongName(shortPath)), ToLower(longPath));
    Env() = saved;
    EXPECT_EQ(LongName(folder / "not there\\x.txt"), folder / "not there\\x.txt");
}

TEST(SystemHelpers, SmallQueries) {
    // The test program is 64-bit: never a 32-bit program on a 64-bit system.
    EXPECT_FALSE(Check64bit());

    std::string date = GetSysTime(SysTimePart::Date);
    std::string time = GetSysTime(SysTimePart::Time);
    EXPECT_TRUE(MatchesPattern(date, "####-*#-*#")) << date;
    EXPECT_EQ(date.find("-0"), std::string::npos) << date;
    EXPECT_TRUE(MatchesPattern(time, "*#:*#:*#")) << time;
    EXPECT_FALSE(MatchesPattern(time, "0#*") || MatchesPattern(time, "*:0#*")) << time;

    ScriptedFolderPicker picker;
    picker.Answer("c:\\keys");
    picker.Answer(std::nullopt);
    EXPECT_EQ(BrowseFolder("Choose a folder", nullptr), "c:\\keys");
    EXPECT_EQ(BrowseFolder("Again", nullptr), "");
    EXPECT_EQ(picker.Prompts(), (std::vector<std::string>{"Choose a folder", "Again"}));
}

TEST(SystemHelpers, ForceForeBringsAWindowOfThisThreadForward) {
    Window first, second;
    ASSERT_TRUE(
        first.Create({.caption = "SystemHelpers first", .style = WS_POPUP | WS_VISIBLE, .bounds = {0, 0, 100, 100}}));
    ASSERT_TRUE(
        second.Create({.caption = "SystemHelpers second", .style = WS_POPUP | WS_VISIBLE, .bounds = {0, 0, 100, 100}}));
    ForceFore(first.Handle());
    EXPECT_EQ(GetForegroundWindow(), first.Handle());
    ForceFore(second.Handle());
    EXPECT_EQ(GetForegroundWindow(), second.Handle());
    ForceFore(second.Handle());  // already in front: nothing happens
    EXPECT_EQ(GetForegroundWindow(), second.Handle());
}
