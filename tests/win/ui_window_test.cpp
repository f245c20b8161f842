// The shared window class, the window base and the controls built on it.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ui/controls.h"
#include "common/ui/twips.h"
#include "common/ui/window.h"

namespace {

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class RecordingWindow : public Window {
public:
    ~RecordingWindow() override { Destroy(); }
    std::vector<std::string> seen;
    bool keepOpen = false;
    bool throwOnCommand = false;
    bool throwOnCreate = false;

protected:
    bool OnCreate() override {
        if (throwOnCreate) throw std::runtime_error("create");
        seen.push_back("create");
        return true;
    }
    void OnCommand(int id, int, HWND) override {
        if (throwOnCommand) throw std::runtime_error("command");
        seen.push_back("command " + std::to_string(id));
    }
    bool OnClose() override {
        seen.push_back("close");
        return keepOpen;
    }
    void OnDestroy() override { seen.push_back("destroy"); }
};

}  // namespace

TEST(UiWindow, SharedClassFindsWindowByCaption) {
    // The name is what the other programs look for: it never changes.
    EXPECT_STREQ(kCorvaneWindowClass, "CorvaneWindowClass");

    RecordingWindow window;
    ASSERT_TRUE(window.Create({.caption = "Morvish - UiWindow find me"}));
    HWND handle = window.Handle();
    EXPECT_EQ(ClassOf(handle), kCorvaneWindowClass);
    EXPECT_EQ(FindWindowA(kCorvaneWindowClass, "Morvish - UiWindow find me"), handle);
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, kCorvaneWindowClass, "Morvish - UiWindow find me"), handle);
    EXPECT_EQ(Window::FromHandle(handle), &window);
    EXPECT_EQ(window.Caption(), "Morvish - UiWindow find me");

    // A second window of another kind is still of the one class.
    Window plain;
    ASSERT_TRUE(plain.Create({.caption = "Morvish - UiWindow plain", .style = WS_POPUP}));
    EXPECT_EQ(ClassOf(plain.Handle()), kCorvaneWindowClass);
    EXPECT_EQ(Window::FromHandle(plain.Handle()), &plain);
}

TEST(UiWindow, DispatchesToHandlersAndUnbindsWhenDestroyed) {
    RecordingWindow window;
    ASSERT_TRUE(window.Create({.caption = "UiWindow dispatch"}));
    HWND handle = window.Handle();
    SendMessageA(handle, WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), 0);

    window.keepOpen = true;
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle)) << "a handled close keeps the window";

    window.keepOpen = false;
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(window.Exists());
    EXPECT_EQ(window.seen, (std::vector<std::string>{"create", "command 1234", "close", "close", "destroy"}));

    // The object outlives its window and can make a new one.
    ASSERT_TRUE(window.Create({.caption = "UiWindow dispatch again"}));
    EXPECT_NE(window.Handle(), nullptr);
}

TEST(UiWindow, ExceptionsStayInsideTheWindowProcedure) {
    RecordingWindow window;
    ASSERT_TRUE(window.Create({.caption = "UiWindow throws"}));
    window.throwOnCommand = true;
    EXPECT_EQ(SendMessageA(window.Handle(), WM_COMMAND, 7, 0), 0);
    window.throwOnCommand = false;
    SendMessageA(window.Handle(), WM_COMMAND, 8, 0);
    EXPECT_EQ(window.seen.back(), "command 8") << "the window goes on working";

    RecordingWindow failing;
    failing.throwOnCreate = true;
    EXPECT_FALSE(failing.Create({.caption = "UiWindow fails to create"}));
    EXPECT_FALSE(failing.Exists());
    EXPECT_EQ(FindWindowA(kCorvaneWindowClass, "UiWindow fails to create"), nullptr);
}

TEST(UiWindow, ControlsAreNamedPlacedInTwipsAndUseTheWindowFont) {
    Window window;
    ASSERT_TRUE(window.Create({.caption = "UiWindow controls"}));
    Label label;
    Button button;
    TextBox text;
    ASSERT_TRUE(label.Create(window, "LabelInfo", {120, 120, 3000, 300}, "Smith & Sons"));
    ASSERT_TRUE(button.Create(window, "CloseButton", {3240, 120, 1125, 345}, "&Close", IDCANCEL));
    ASSERT_TRUE(text.Create(window, "TxtFindKey", {120, 600, 4245, 315}, "0x1234"));

    struct Case {
        const Control& control;
        const char* name;
        const char* windowClass;
        TwipRect place;
        std::string text;
    };
    const Case cases[] = {
        {label, "LabelInfo", "Static", {120, 120, 3000, 300}, "Smith & Sons"},
        {button, "CloseButton", "Button", {3240, 120, 1125, 345}, "&Close"},
        {text, "TxtFindKey", "Edit", {120, 600, 4245, 315}, "0x1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(window.FindControl(c.name), c.control.Handle());
        EXPECT_EQ(GetParent(c.control.Handle()), window.Handle());
        EXPECT_EQ(ClassOf(c.control.Handle()), c.windowClass);
        EXPECT_EQ(c.control.Text(), c.text);
        RECT expected = ToPixels(c.place);
        RECT actual = c.control.Bounds();
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);
        EXPECT_EQ(c.control.Font(), window.ControlFont());
    }
    EXPECT_EQ(button.Id(), IDCANCEL);
    EXPECT_NE(label.Id(), text.Id());
    EXPECT_EQ(window.FindControl("NoSuchControl"), nullptr);
    // Labels show ampersands as they are.
    EXPECT_TRUE(GetWindowLongPtrA(label.Handle(), GWL_STYLE) & SS_NOPREFIX);
}

TEST(UiTwips, ConvertsAtAnyResolutionAndRoundTripsPixels) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {1440, 96, 96},   {15, 96, 1}, {7, 96, 0},  {8, 96, 1},       {-15, 96, -1},
        {1440, 120, 120}, {6, 120, 1}, {5, 120, 0}, {4800, 144, 480}, {300, 110, 23},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " dpi";
    }
    for (int dpi : {72, 96, 110, 120, 144, 175, 192, 240, 288}) {
        for (int pixels = -100; pixels <= 4000; ++pixels) {
            ASSERT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << pixels << " px at " << dpi << " dpi";
        }
    }
}

TEST(UiTwips, UsesTheScreenResolutionAndTheRealCaptionHeight) {
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(TwipsToPixelsX(1440), dpiX);
    EXPECT_EQ(TwipsToPixelsY(2880), 2 * dpiY);
    EXPECT_EQ(PixelsToTwipsY(dpiY), 1440);

    int caption = GetSystemMetrics(SM_CYCAPTION);
    ASSERT_GT(caption, 0);
    EXPECT_EQ(CaptionHeightTwips(), std::lround(caption * 1440.0 / dpiY));
}
