// Packet listings in the rich output window, by GnuPG and by (a stand-in for)
// pgpdump, in each program's way, and the selection hook of the key manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/environment.h"
#include "common/key_server_box.h"
#include "common/ui/message_box.h"
#include "common/ui/rich_output_window.h"
#include "common/ui/twips.h"
#include "common/ui/window.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/packet_listing.h"
#include "common/win/settings.h"
#include "output_test_support.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

using namespace output_test;

namespace {

struct PacketsFixture {
    ScopedIniSettings settings;
    ScopedRunEnvironment run;
    PacketsFixture(const std::string& program) {
        Env().ProgramName = program;
        Env().OsFamily = "WinNT";
        Env().GnuPGExePath = GnuPGFolder() + "\\gpg.exe";
        Env().PgpDumpPath = ProgramsFolder() + "\\fakes\\pgpdump.exe";
        WriteSetting("Settings", "HideGetPack", "1");
    }
    ~PacketsFixture() { SetRichSelectionHandler(nullptr); }
};

POINT CentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string RichText(HWND window) {
    auto* rich = dynamic_cast<RichOutputWindow*>(Window::FromHandle(window));
    return rich ? rich->AllText() : "<not a rich output window>";
}

}  // namespace

TEST(OutputPackets, GnuPGListingCentredOnTheKeyManager) {
    const TestKey& key = SharedTestKey();
    ASSERT_EQ(key.keyId.size(), 16u) << "the test key could not be made";
    PacketsFixture f("Morvish");
    Window main;
    ASSERT_TRUE(main.Create(
        {.caption = "Morvish main", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .bounds = {40, 30, 540, 430}}));

    ASSERT_TRUE(ShowPackets(key.exportFile, {" 0xAAAAAAAAAAAAAAAA 0x" + key.keyId, main.Handle(), std::nullopt}));
    const std::string caption = "Morvish - PGP Packets for Key 0x" + key.keyId.substr(8);
    HWND window = FindWindowA(kCorvaneWindowClass, caption.c_str());
    ASSERT_NE(window, nullptr) << caption;
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a taskbar button of its own";
    std::string text = RichText(window);
    EXPECT_TRUE(text.starts_with(":public key packet:\r\n")) << text;
    EXPECT_NE(text.find(":user ID packet: \"" + key.userId + "\"\r\n"), std::string::npos) << text;
    EXPECT_FALSE(FileExists(OutputFilePath()));

    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, TwipsToPixelsX(8000));
    EXPECT_EQ(r.bottom - r.top, TwipsToPixelsY(6000));
    POINT centre = CentreOf(window), mainCentre = CentreOf(main.Handle());
    EXPECT_LE(std::abs(centre.x - mainCentre.x), 1);
    EXPECT_LE(std::abs(centre.y - mainCentre.y), 1);

    // Each listing gets a window of its own; closing one stores the font only.
    WriteSetting("Settings", "GuiOutputWidth", "1234");
    ASSERT_TRUE(ShowPackets(key.exportFile, {" 0x" + key.keyId, main.Handle(), std::nullopt}));
    HWND second = nullptr;
    for (HWND w = FindWindowA(kCorvaneWindowClass, caption.c_str()); w;
         w = FindWindowExA(nullptr, w, kCorvaneWindowClass, caption.c_str())) {
        if (w != window) second = w;
    }
    ASSERT_NE(second, nullptr);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontName"), "Courier New");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputWidth"), "1234");
    DestroyWindow(second);
}

TEST(OutputPackets, PgpDumpListingInTheTrayWithTheUsersOptions) {
    PacketsFixture f("Pallow");
    WriteSetting("Settings", "UsePgpDump", "1");
    WriteSetting("Settings", "PgpDumpOptions", "' -i -u'");
    const std::string file = f.run.Folder() / "100% sure.gpg";
    WriteTextFile(file, "x");

    // Centred on the compose window's area, in screen twips.
    const TwipBox area{PixelsToTwipsX(300), PixelsToTwipsY(300), PixelsToTwipsX(400), PixelsToTwipsY(200)};
    ASSERT_TRUE(ShowPackets(file, {"", nullptr, area}));
    HWND window = FindWindowA(kCorvaneWindowClass, "Pallow - PGP Packets - PGPdump");
    ASSERT_NE(window, nullptr);
    std::string text = RichText(window);
    EXPECT_TRUE(text.starts_with("Arguments: [-i] [-u] [" + file + "]\r\n")) << text;
    EXPECT_NE(text.find("\tUser ID - J\xfcrgen <j@corvane.invalid>\r\n"), std::string::npos) << text;
    POINT centre = CentreOf(window);
    EXPECT_LE(std::abs(centre.x - 500), 1);
    EXPECT_LE(std::abs(centre.y - 400), 1);
    DestroyWindow(window);

    // Settings other than 0 or 1 run nothing.
    WriteSetting("Settings", "UsePgpDump", "yes");
    EXPECT_FALSE(ShowPackets(file));
    WriteSetting("Settings", "UsePgpDump", "1");
    WriteSetting("Settings", "HideGetPack", "");
    EXPECT_FALSE(ShowPackets(file));
    EXPECT_EQ(FindWindowA(kCorvaneWindowClass, "Pallow - PGP Packets - PGPdump"), nullptr);
}

namespace {

std::string modalListing;

void CALLBACK ReadAndCloseListing(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND window = FindWindowA(kCorvaneWindowClass, "Dunmere - PGP Packets - PGPdump");
    if (!window) return;
    modalListing = RichText(window);
    SendMessageA(FindWindowExA(window, nullptr, RichEditClassName(), nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

TEST(OutputPackets, FileToolShowsTheListingModallyWithTheFileName) {
    PacketsFixture f("Dunmere");
    WriteSetting("Settings", "UsePgpDump", "1");
    const std::string file = f.run.Folder() / "data.gpg";
    WriteTextFile(file, "x");
    SetTimer(nullptr, 0, 100, ReadAndCloseListing);
    ASSERT_TRUE(ShowPackets(file));
    EXPECT_TRUE(modalListing.ends_with("\r\nFile: " + file + "\r\n")) << modalListing;
    EXPECT_EQ(FindWindowA(kCorvaneWindowClass, "Dunmere - PGP Packets - PGPdump"), nullptr) << "closed by Escape";
}

TEST(OutputPackets, SelectionsInKeyListingsGoToTheKeyManager) {
    PacketsFixture f("Morvish");
    std::string box = "0x";
    int calls = 0;
    SetRichSelectionHandler([&](const std::string& selection) {
        ++calls;
        box = KeyServerBoxAfterSelection(selection, box).boxText;
    });
    auto release = [](RichOutputWindow* window, int start, int length) {
        window->Text().Select(start, length);
        SendMessageA(window->Text().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpMessages();
    };

    RichOutputWindow* signatures = ShowRichOutput(
        {.caption = "Morvish - Signatures for Key 0x11111111", .text = "sig   0123ABCD 2026-01-01 x\r\n"});
    ASSERT_NE(signatures, nullptr);
    release(signatures, 6, 8);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(box, "0x0123ABCD");
    release(signatures, 0, 0);
    EXPECT_EQ(calls, 1) << "no selection, no call";

    // Other windows keep their selections to themselves.
    RichOutputWindow* other = ShowRichOutput({.caption = "Morvish - Output of Import Ownertrust", .text = "0123ABCD"});
    ASSERT_NE(other, nullptr);
    release(other, 0, 8);
    EXPECT_EQ(calls, 1);
    DestroyWindow(signatures->Handle());
    DestroyWindow(other->Handle());
}
