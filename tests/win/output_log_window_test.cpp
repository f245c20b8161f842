// The output log window read back through Win32: place, font, keys, buttons,
// pop-up menu command, lights and the modal display.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "common/environment.h"
#include "common/output_log_layout.h"
#include "common/ui/clipboard.h"
#include "common/ui/common_dialogs.h"
#include "common/ui/message_box.h"
#include "common/ui/output_log_window.h"
#include "common/ui/twips.h"
#include "common/win/settings.h"
#include "output_test_support.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

using namespace output_test;

namespace {

struct LogFixture {
    ScopedIniSettings settings;
    Environment saved = Env();
    LogFixture() {
        Env().ProgramName = "Morvish";
        Close();
    }
    ~LogFixture() {
        Close();
        Env() = saved;
    }
    static void Close() {
        if (OutputLogWindow* log = ExistingGuiOutputWindow()) log->Destroy();
    }
    static HWND Control(const char* name) { return GuiOutputWindow().FindControl(name); }
    static void Command(int id) { SendMessageA(GuiOutputWindow().Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int PointsOf(const LOGFONTA& font) {
    return MulDiv(std::abs(font.lfHeight), 72, ScreenDpiY());
}

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(OutputLogWindow, PlacedFromTheSettingsAndClampedToTheScreen) {
    const int screenW = PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
    const int screenH = PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN));
    struct Case {
        std::string width, height, top, left;
        StoredOutputLogPlacement stored;
    } cases[] = {
        {"", "", "", "", {}},
        {"6000", "3000", "1500", "3000", {6000, 3000, 1500, 3000}},
        {"6000", "3000", "-600", "x", {6000, 3000, -600, std::nullopt}},
        {"6000", "3000", "", "", {6000, 3000, std::nullopt, std::nullopt}},
        {"9000", "4000", std::to_string(screenH - 1500), "0", {9000, 4000, screenH - 1500, 0}},
        {"9000",
         "4000",
         std::to_string(screenH + 60),
         std::to_string(screenW + 60),
         {9000, 4000, screenH + 60, screenW + 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width + " " + c.height + " " + c.top + " " + c.left);
        LogFixture f;
        WriteSetting("Settings", "GuiOutputWidth", c.width);
        WriteSetting("Settings", "GuiOutputHeight", c.height);
        WriteSetting("Settings", "GuiOutputTop", c.top);
        WriteSetting("Settings", "GuiOutputLeft", c.left);
        TwipBox expected = PlaceOutputLog(c.stored, screenW, screenH);
        RECT wanted = ToPixels({expected.left, expected.top, expected.width, expected.height});
        RECT r;
        GetWindowRect(GuiOutputWindow().Handle(), &r);
        EXPECT_EQ(r.left, wanted.left);
        EXPECT_EQ(r.top, wanted.top);
        EXPECT_EQ(r.right, wanted.right);
        EXPECT_EQ(r.bottom, wanted.bottom);
    }
}

TEST(OutputLogWindow, ControlsFollowTheWindowsSize) {
    LogFixture f;
    OutputLogWindow& log = GuiOutputWindow();
    SetWindowPos(log.Handle(), nullptr, 50, 60, 700, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(log.Handle(), &client);
    RECT text = ChildRect(f.Control(kOutputTextName));
    RECT copy = ChildRect(f.Control(kOutputClipboardButtonName));
    RECT close = ChildRect(f.Control(kOutputCloseButtonName));
    RECT mdc = ChildRect(f.Control(kFrameMdcName));
    RECT sig = ChildRect(f.Control(kFrameSigName));
    auto within1 = [](int a, int b) { return std::abs(a - b) <= 1; };
    EXPECT_EQ(text.left, 0);
    EXPECT_EQ(text.right, client.right);
    EXPECT_TRUE(within1(text.bottom, client.bottom - TwipsToPixelsY(615))) << text.bottom;
    EXPECT_TRUE(within1(copy.top, text.bottom + TwipsToPixelsY(195))) << copy.top;
    EXPECT_TRUE(within1(close.top, copy.top));
    EXPECT_TRUE(within1(close.right, client.right - TwipsToPixelsX(105))) << close.right;
    EXPECT_TRUE(within1(mdc.top, text.bottom + TwipsToPixelsY(105))) << mdc.top;
    EXPECT_TRUE(within1(mdc.left, copy.right + TwipsToPixelsX(90))) << mdc.left;
    EXPECT_TRUE(within1(sig.left, mdc.right + TwipsToPixelsX(90))) << sig.left;
    // The clipboard button fits its caption with room to spare.
    EXPECT_EQ(TextOf(f.Control(kOutputClipboardButtonName)), "Copy to Clip&board");
    EXPECT_GT(copy.right - copy.left, TwipsToPixelsX(150) + 40);
    // Light and label lie inside their frame.
    RECT light = ChildRect(f.Control(kImgMdcName));
    RECT label = ChildRect(f.Control(kLabelMdcName));
    EXPECT_TRUE(light.left > mdc.left && light.right < mdc.right && light.top > mdc.top && light.bottom < mdc.bottom);
    EXPECT_TRUE(label.left > mdc.left && label.right <= light.left);
}

TEST(OutputLogWindow, FontFromTheSettingsAndStoredOnClose) {
    {
        LogFixture f;
        LOGFONTA font = FontOf(f.Control(kOutputTextName));
        EXPECT_STREQ(font.lfFaceName, "Courier New");
    }
    LogFixture f;
    WriteSetting("Settings", "GuiOutputFontSize", "12");
    WriteSetting("Settings", "GuiOutputFontName", "Lucida Console");
    WriteSetting("Settings", "GuiOutputFontBold", "True");
    WriteSetting("Settings", "GuiOutputFontItalic", "0");
    OutputLogWindow& log = GuiOutputWindow();
    LOGFONTA font = FontOf(f.Control(kOutputTextName));
    EXPECT_STREQ(font.lfFaceName, "Lucida Console");
    EXPECT_EQ(PointsOf(font), 12);
    EXPECT_GE(font.lfWeight, FW_BOLD);
    EXPECT_FALSE(font.lfItalic);

    // Closed where the user left it: font and place are kept.
    SetWindowPos(log.Handle(), nullptr, 30, 45, 600, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    f.Command(kOutputCloseCommand);
    EXPECT_FALSE(log.Exists());
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontName"), "Lucida Console");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontSize"), "12");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontBold"), "1");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontItalic"), "0");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputLeft"), std::to_string(PixelsToTwipsX(30)));
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputTop"), std::to_string(PixelsToTwipsY(45)));
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputWidth"), std::to_string(PixelsToTwipsX(600)));
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputHeight"), std::to_string(PixelsToTwipsY(240)));

    // Minimised, the place is not stored; the close box closes the same way.
    WriteSetting("Settings", "GuiOutputLeft", "1234");
    OutputLogWindow& again = GuiOutputWindow();
    ShowWindow(again.Handle(), SW_SHOWMINNOACTIVE);
    SendMessageA(again.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(again.Exists());
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputLeft"), "1234");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontName"), "Lucida Console");
}

TEST(OutputLogWindow, FontDialogOffersTheCurrentFont) {
    LogFixture f;
    ScriptedCommonDialogs dialogs;
    OutputLogWindow& log = GuiOutputWindow();
    const FontChoice before = log.CurrentFont();

    dialogs.AnswerFont(std::nullopt);
    f.Command(kOutputFontCommand);
    ASSERT_EQ(dialogs.FontPresets().size(), 1u);
    EXPECT_EQ(dialogs.FontPresets()[0], before);
    EXPECT_EQ(log.CurrentFont(), before) << "cancel changes nothing";
    EXPECT_STREQ(FontOf(f.Control(kOutputTextName)).lfFaceName, "Courier New");

    dialogs.AnswerFont(FontChoice{"Lucida Console", 14, false, true});
    f.Command(kOutputFontCommand);
    LOGFONTA font = FontOf(f.Control(kOutputTextName));
    EXPECT_STREQ(font.lfFaceName, "Lucida Console");
    EXPECT_EQ(PointsOf(font), 14);
    EXPECT_TRUE(font.lfItalic);
    f.Command(kOutputCloseCommand);
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontSize"), "14");
    EXPECT_EQ(ReadSetting("Settings", "GuiOutputFontItalic"), "1");
}

TEST(OutputLogWindow, CtrlASelectsAllAndEscapeCloses) {
    LogFixture f;
    OutputLogWindow& log = GuiOutputWindow();
    log.SetLogText("first line\r\nsecond line\r\n");
    HWND text = f.Control(kOutputTextName);

    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE withCtrl[256];
    std::copy(std::begin(keys), std::end(keys), withCtrl);
    withCtrl[VK_CONTROL] = 0x80;
    SetKeyboardState(withCtrl);
    SendMessageA(text, WM_KEYDOWN, 'A', 0);
    SetKeyboardState(keys);
    DWORD start = 1, end = 0;
    SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 25u);
    EXPECT_TRUE(log.Exists()) << "A without Ctrl does nothing else";

    SendMessageA(f.Control(kOutputClipboardButtonName), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_FALSE(log.Exists());

    OutputLogWindow& again = GuiOutputWindow();
    SendMessageA(again.FindControl(kOutputTextName), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_FALSE(again.Exists());
}

TEST(OutputLogWindow, CopiesTheWholeLogToTheClipboard) {
    LogFixture f;
    ScriptedResponder responder;
    OutputLogWindow& log = GuiOutputWindow();
    log.SetLogText("gpg: one\r\n\r\nFile: 100% sure.asc\r\n");
    f.Command(kOutputClipboardCommand);
    EXPECT_EQ(ClipboardText(nullptr).value_or("<none>"), "gpg: one\r\n\r\nFile: 100% sure.asc\r\n");
    EXPECT_TRUE(responder.Seen().empty());

    // Another program holds the clipboard open.
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 10000);
    f.Command(kOutputClipboardCommand);
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].text, "Error: Clipboard access denied by system.");
    EXPECT_EQ(responder.Seen()[0].options.icon, MsgIcon::Warning);
}

namespace {

std::string modalText;
bool modalWasVisible = false;

// Runs inside the log window's own modal loop: reads the window, then closes it
// the way Escape in a modal loop does.
void CALLBACK CloseModalLog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND log = FindWindowA(kCorvaneWindowClass, "Morvish - Output of Import");
    modalWasVisible = log && IsWindowVisible(log);
    if (!log) return;
    modalText = TextOf(FindWindowExA(log, nullptr, "Edit", nullptr));
    PostMessageA(log, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

}  // namespace

TEST(OutputLogWindow, EntriesOnTopAndAModalShowWaitsForTheUser) {
    LogFixture f;
    OutputLogWindow& log = GuiOutputWindow();
    log.SetCaption("Morvish - Output of Import");
    AppendToOutputLog("first\r\n\r\n", "c:\\keys\\a.asc");
    AppendToOutputLog("second\r\n\r\n", "");
    const std::string time = CurrentLogTimeLine();
    EXPECT_TRUE(time.starts_with("Time: ") && time.ends_with(" UTC)\r\n")) << time;

    OutputModal() = true;
    SetTimer(nullptr, 0, 100, CloseModalLog);
    ShowOutputLog();
    OutputModal() = false;
    EXPECT_TRUE(modalWasVisible);
    EXPECT_FALSE(log.Exists()) << "ShowOutputLog returned after the user closed the window";
    const std::string stars(70, '*');
    EXPECT_TRUE(modalText.starts_with("second\r\n\r\nTime: ")) << modalText;
    EXPECT_NE(modalText.find(" UTC)\r\n\r\n" + stars + "\r\n\r\nfirst\r\n\r\nFile: c:\\keys\\a.asc\r\nTime: "),
              std::string::npos)
        << modalText;
}
