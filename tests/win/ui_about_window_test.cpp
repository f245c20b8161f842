// The about box read back as a user sees it, its links, ticker and picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/about_window.h"
#include "common/ui/twips.h"
#include "common/win/desktop.h"
#include "support/test_env.h"

namespace {

struct AboutFixture {
    Environment saved = Env();
    TempFolder programDir{"about"};
    ScopedLaunchRecorder launches;
    ScopedTipRecorder tips;
    explicit AboutFixture(bool withShellExtension = true) {
        Env().ProgramVersion = "1.00";
        Env().GnuPGVersion = "v1.4.23";
        Env().ProgramDir = programDir.Path();
        Env().Switches = {};
        // Any file with our version resource stands in for the shell extension.
        if (withShellExtension)
            CopyFileA((ProgramsFolder() + "\\Morvish.exe").c_str(), (programDir / kShellExtensionFile).c_str(), FALSE);
    }
    ~AboutFixture() {
        SetTranslationTable("");
        Env() = saved;
    }
};

void Click(HWND control) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

int Weight(HFONT font) {
    LOGFONTA f{};
    GetObjectA(font, sizeof f, &f);
    return f.lfWeight;
}

RECT ScreenRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

RECT WorkArea() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// A window of the test's own that runs a step when a posted message reaches it,
// so a test can act from inside a modal loop.
class Relay : public Window {
public:
    ~Relay() override { Destroy(); }
    std::function<void()> step;
    void Post() { PostMessageA(Handle(), WM_APP, 0, 0); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP && step) step();
        return Window::HandleMessage(message, wParam, lParam);
    }
};

}  // namespace

TEST(UiAbout, ShowsVersionsLinksAndTheSupportTip) {
    AboutFixture f;
    AboutWindow about;
    ASSERT_TRUE(about.Build({}));
    EXPECT_EQ(about.Caption(), "About Corvane");
    EXPECT_EQ(about.LabelVersion.Text(), "Corvane for Windows v1.00");
    EXPECT_GE(Weight(about.LabelVersion.Font()), FW_BOLD);
    EXPECT_EQ(about.Tips.Text(about.LabelVersion.Handle()), "... using GnuPG v1.4.23");
    EXPECT_EQ(about.LinkHomePage.Text(), "https://www.corvane.org");
    EXPECT_EQ(about.LinkAuthor.Text(), kAuthorContact);
    EXPECT_EQ(about.LabelShellExt.Text(), "Shell-extension v1.0.0.0 by:");
    EXPECT_TRUE(about.LabelShellExt.Visible() || !IsWindowVisible(about.Handle()));
    EXPECT_TRUE(GetWindowLongPtrA(about.LabelShellExt.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongPtrA(about.LinkShellExtAuthor.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrA(about.LabelTranslation.Handle(), GWL_STYLE) & WS_VISIBLE) << "no table loaded";
    EXPECT_FALSE(GetWindowLongPtrA(about.LinkTranslator.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(about.LabelThanks.Text(), "Many thanks to ...");
    EXPECT_EQ(about.CmdOK.Text(), "&OK");
    EXPECT_TRUE(GetWindowLongPtrA(about.CmdOK.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(about.FindControl(kAboutOk), about.CmdOK.Handle());

    Click(about.LinkHomePage.Handle());
    Click(about.LinkAuthor.Handle());
    Click(about.LinkShellExtAuthor.Handle());
    ASSERT_EQ(f.launches.Launches().size(), 3u);
    EXPECT_EQ(f.launches.Launches()[0], (DesktopLaunch{"https://www.corvane.org", "", "open"}));
    EXPECT_EQ(f.launches.Launches()[1].file, std::string("mailto:") + kAuthorContact);
    EXPECT_EQ(f.launches.Launches()[2].file, std::string("mailto:") + kShellExtensionContact);

    Click(about.LabelInfo.Handle());
    EXPECT_EQ(f.tips.Texts(), std::vector<std::string>{"Please add the output of \"Morvish - Environment\r\n"
                                                       "Information\" (if possible), when asking for support."});
}

TEST(UiAbout, LeftOutLinesMoveTheLowerPartUp525Twips) {
    struct Layout {
        int okTop;
        int clientHeight;
        int thanksTop;
    };
    auto layoutOf = [](AboutWindow& about) {
        RECT client;
        GetClientRect(about.Handle(), &client);
        return Layout{about.CmdOK.Bounds().top, client.bottom, about.LabelThanks.Bounds().top};
    };
    const int shift = TwipsToPixelsY(kAboutBlockHeight);

    AboutFixture f;
    AboutWindow plain;
    ASSERT_TRUE(plain.Build({}));
    Layout without = layoutOf(plain);

    SetTranslationTable("Language   =Deutsch\r\nTranslator   =Hans Muster\r\nContact   =hans@example.org\r\n");
    AboutWindow translated;
    ASSERT_TRUE(translated.Build({}));
    Layout with = layoutOf(translated);
    EXPECT_TRUE(GetWindowLongPtrA(translated.LabelTranslation.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(translated.LabelTranslation.Text(), "Deutsch translation by:");
    EXPECT_EQ(translated.LinkTranslator.Text(), "Hans Muster <hans@example.org>");
    EXPECT_NEAR(with.okTop - without.okTop, shift, 1);
    EXPECT_NEAR(with.thanksTop - without.thanksTop, shift, 1);
    EXPECT_NEAR(with.clientHeight - without.clientHeight, shift, 1);

    Env().Switches.EncodedMailto = true;
    Click(translated.LinkTranslator.Handle());
    ASSERT_EQ(f.launches.Launches().size(), 1u);
    EXPECT_EQ(f.launches.Launches()[0].file, "mailto:Hans%20Muster%20<hans@example.org>");

    // Without the shell extension its two lines are left out the same way.
    AboutFixture noShell(false);
    SetTranslationTable("");
    AboutWindow bare;
    ASSERT_TRUE(bare.Build({}));
    EXPECT_FALSE(GetWindowLongPtrA(bare.LabelShellExt.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrA(bare.LinkShellExtAuthor.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_NEAR(without.okTop - layoutOf(bare).okTop, shift, 1);
}

TEST(UiAbout, CreditsTickerSlidesEachNameInFromTheRight) {
    AboutFixture f;
    AboutWindow about;
    ASSERT_TRUE(about.Build({}));
    HWND window = about.Handle();
    const std::vector<std::string> names = CreditNames();
    ASSERT_GE(names.size(), 2u);
    const int rest = about.LabelThanks.Bounds().left;
    auto creditLeft = [&] { return about.LabelCredits.Bounds().left; };
    auto slide = [&] { SendMessageA(window, WM_TIMER, kSlideTimer, 0); };
    auto nextName = [&] { SendMessageA(window, WM_TIMER, kCreditsTimer, 0); };

    EXPECT_FALSE(about.TickerRunning());
    EXPECT_FALSE(GetWindowLongPtrA(about.LabelCredits.Handle(), GWL_STYLE) & WS_VISIBLE);
    Click(about.LabelThanks.Handle());
    ASSERT_TRUE(about.TickerRunning());
    EXPECT_GE(Weight(about.LabelThanks.Font()), FW_BOLD);
    EXPECT_TRUE(GetWindowLongPtrA(about.LabelCredits.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(about.LabelCredits.Text(), names[0]);
    for (int step = 0; step <= kSlideSteps; ++step) {
        EXPECT_NEAR(creditLeft(), rest + TwipsToPixelsX((kSlideSteps - step) * kSlideStepTwips), 1) << step;
        slide();
    }
    EXPECT_NEAR(creditLeft(), rest, 1) << "no further than its place";

    nextName();
    EXPECT_EQ(about.LabelCredits.Text(), names[1]);
    EXPECT_NEAR(creditLeft(), rest + TwipsToPixelsX(kSlideSteps * kSlideStepTwips), 1) << "starts on the right again";
    for (size_t i = 2; i <= names.size(); ++i) nextName();
    EXPECT_EQ(about.LabelCredits.Text(), names[0]) << "wraps after the last name";

    Click(about.LabelThanks.Handle());
    EXPECT_FALSE(about.TickerRunning());
    EXPECT_LT(Weight(about.LabelThanks.Font()), FW_BOLD);
    EXPECT_FALSE(GetWindowLongPtrA(about.LabelCredits.Handle(), GWL_STYLE) & WS_VISIBLE);
    nextName();
    EXPECT_EQ(about.LabelCredits.Text(), names[0]) << "a stopped ticker stays";
}

TEST(UiAbout, PlacedOnTheMainWindowOrBelowItsCornerAndClosedByEscape) {
    AboutFixture f;
    RECT work = WorkArea();
    Window main;
    ASSERT_TRUE(
        main.Create({.caption = "UiAbout main", .style = WS_POPUP | WS_VISIBLE, .bounds = {100, 120, 700, 620}}));

    AboutWindow centred;
    ASSERT_TRUE(centred.Build({.mainWindow = main.Handle()}));
    ShowWindow(centred.Handle(), SW_SHOWNA);
    RECT r = ScreenRect(centred.Handle());
    EXPECT_NEAR((r.left + r.right) / 2, 400, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, 370, 1);

    AboutWindow corner;
    ASSERT_TRUE(corner.Build({.mainWindow = main.Handle(), .belowMainCorner = true}));
    r = ScreenRect(corner.Handle());
    EXPECT_EQ(r.left, 100 + TwipsToPixelsX(kCornerOffsetX));
    EXPECT_EQ(r.top, 120 + TwipsToPixelsY(kCornerOffsetY));

    // Near the bottom-right corner it is moved back into the screen.
    SetWindowPos(main.Handle(), nullptr, work.right - 50, work.bottom - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    AboutWindow edge;
    ASSERT_TRUE(edge.Build({.mainWindow = main.Handle(), .belowMainCorner = true}));
    r = ScreenRect(edge.Handle());
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);

    // Modal: the main window is disabled while it is open; Escape closes it.
    // Modeless (the tray program): the main window stays usable.
    for (bool modeless : {false, true}) {
        AboutWindow about;
        AboutPlacement placement{.mainWindow = main.Handle(), .modelessWait = modeless};
        ASSERT_TRUE(about.Build(placement));
        bool mainEnabledMeanwhile = false;
        Relay relay;
        ASSERT_TRUE(relay.Create({.caption = "UiAbout relay", .style = WS_POPUP}));
        relay.step = [&] {
            mainEnabledMeanwhile = IsWindowEnabled(main.Handle()) != FALSE;
            PostMessageA(about.CmdOK.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        };
        relay.Post();
        about.Run(placement);
        EXPECT_FALSE(IsWindowVisible(about.Handle())) << modeless;
        EXPECT_EQ(mainEnabledMeanwhile, modeless);
        EXPECT_TRUE(IsWindowEnabled(main.Handle()));
        if (!modeless) {
            EXPECT_EQ(GetActiveWindow(), main.Handle()) << "the activation goes back to the main window";
        }
    }
}

TEST(UiAbout, CapitalMOnOkShowsThePictureBelowTheBoxCorner) {
    AboutFixture f;
    AboutWindow about;
    ASSERT_TRUE(about.Build({}));
    RECT box = ScreenRect(about.Handle());

    HWND picture = nullptr;
    RECT pictureRect{};
    bool boxDisabled = false;
    Relay relay;
    ASSERT_TRUE(relay.Create({.caption = "UiAbout relay", .style = WS_POPUP}));
    relay.step = [&] {
        picture = FindWindowA(kCorvaneWindowClass, "Corvane");
        if (!picture) {
            PostMessageA(about.Handle(), WM_COMMAND, IDOK, 0);
            return;
        }
        pictureRect = ScreenRect(picture);
        boxDisabled = !IsWindowEnabled(about.Handle());
        // A click on the picture closes it; then OK closes the box.
        PostMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageA(about.CmdOK.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    };
    // A small m does nothing; the capital M opens the picture.
    PostMessageA(about.CmdOK.Handle(), WM_CHAR, 'm', 0);
    PostMessageA(about.CmdOK.Handle(), WM_CHAR, 'M', 0);
    relay.Post();
    about.Run({});
    ASSERT_NE(picture, nullptr) << "no picture window";
    EXPECT_FALSE(IsWindow(picture)) << "closed by the click";
    EXPECT_TRUE(boxDisabled) << "shown modally over the box";
    EXPECT_EQ(pictureRect.left, box.left + TwipsToPixelsX(kCornerOffsetX));
    EXPECT_EQ(pictureRect.top, box.top + TwipsToPixelsY(kCornerOffsetY));
    EXPECT_FALSE(IsWindowVisible(about.Handle()));

    // Beside a window in the screen's bottom-right corner it moves back in.
    RECT work = WorkArea();
    Window low;
    ASSERT_TRUE(low.Create({.caption = "UiAbout low",
                            .style = WS_POPUP | WS_VISIBLE,
                            .bounds = {work.right - 40, work.bottom - 30, work.right, work.bottom}}));
    OwnerPictureWindow edge;
    ASSERT_TRUE(edge.Build(low.Handle()));
    RECT r = ScreenRect(edge.Handle());
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_EQ(edge.Caption(), "Corvane");
}
