// The about box (frmAbout) and its little picture window (frmOwner).
//
//     ShowAbout({.mainWindow = Handle()});                       // centred on the main window
//     ShowAbout({.mainWindow = h, .belowMainCorner = true});     // the file tools' placement
//     ShowAbout({.mainWindow = h, .modelessWait = true});        // the tray program
//
// The box shows the suite's and GnuPG's versions, links to the home page and the
// authors, the shell extension's version when it is installed, the translator
// when a translation is loaded, an "i" tip about support requests and a credits
// ticker. Capital M typed on the OK button opens the picture window.
#pragma once

#include <string>
#include <vector>

#include "common/ui/controls.h"
#include "common/ui/link_label.h"
#include "common/ui/tip_window.h"
#include "common/ui/tooltips.h"
#include "common/ui/window.h"

inline constexpr char kHomePageAddress[] = "https://www.corvane.org";
inline constexpr char kAuthorContact[] = "Corvane team <team@corvane.org>";
inline constexpr char kShellExtensionContact[] = "Corvane shell team <shell@corvane.org>";
inline constexpr char kShellExtensionFile[] = "Wexmoor.dll";

// Names of the about box's controls (for tests and translations).
inline constexpr char kAboutVersion[] = "LabelVersion";
inline constexpr char kAboutHomePage[] = "LinkHomePage";
inline constexpr char kAboutAuthor[] = "LinkAuthor";
inline constexpr char kAboutShellExtension[] = "LabelShellExt";
inline constexpr char kAboutShellExtensionAuthor[] = "LinkShellExtAuthor";
inline constexpr char kAboutTranslation[] = "LabelTranslation";
inline constexpr char kAboutTranslator[] = "LinkTranslator";
inline constexpr char kAboutInfo[] = "LabelInfo";
inline constexpr char kAboutThanks[] = "LabelThanks";
inline constexpr char kAboutCredits[] = "LabelCredits";
inline constexpr char kAboutOk[] = "CmdOK";

// The credits ticker: each second the next name slides in from the right in
// 15 steps of 182 twips, 10 ms apart.
inline constexpr UINT_PTR kCreditsTimer = 1;
inline constexpr UINT_PTR kSlideTimer = 2;
inline constexpr UINT kCreditsMilliseconds = 1000;
inline constexpr UINT kSlideMilliseconds = 10;
inline constexpr int kSlideSteps = 15;
inline constexpr int kSlideStepTwips = 182;
// How far the lower part moves up when a two-line block is left out.
inline constexpr int kAboutBlockHeight = 525;
// Where the picture window (and the file tools' about box) opens: this far right
// of and below the other window's top-left corner.
inline constexpr int kCornerOffsetX = 60;
inline constexpr int kCornerOffsetY = 345;

// The names the ticker shows, in order.
std::vector<std::string> CreditNames();

struct AboutPlacement {
    HWND mainWindow = nullptr;
    // The file tools have no visible main window to centre on: 60 twips right of
    // and 345 twips below its top-left corner, kept inside the screen.
    bool belowMainCorner = false;
    // The tray program: shown modelessly, with a loop that lets the program's other
    // windows work while it waits for the box to close.
    bool modelessWait = false;
};

// A popup of the about family: shown modally, or modelessly with a waiting loop.
class AboutPopup : public Window {
public:
    // Shows the window and returns when it is closed.
    void ShowAndWait(HWND owner, bool modelessWait);

protected:
    void Finish();
    bool OnClose() override;

private:
    bool closed_ = false;
};

// frmOwner: a picture, titled "Corvane", closed by a click on it.
class OwnerPictureWindow : public AboutPopup {
public:
    ~OwnerPictureWindow() override { Destroy(); }
    // Made hidden, placed by the corner rule relative to the other window.
    bool Build(HWND besideWindow);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC dc, const RECT& area) override;
    bool PreTranslateMessage(MSG& message) override;
};

class AboutWindow : public AboutPopup {
public:
    ~AboutWindow() override { Destroy(); }

    // Made hidden and placed; the texts are read from Env() and the translation.
    bool Build(const AboutPlacement& placement);
    // Build, show and wait until it closes.
    void Run(const AboutPlacement& placement);

    void ToggleTicker();
    bool TickerRunning() const { return tickerRunning_; }
    // Opens the picture window beside the box and waits until it closes.
    void ShowOwnerPicture();

    Label LabelVersion;
    LinkLabel LinkHomePage;
    LinkLabel LinkAuthor;
    Label LabelShellExt;
    LinkLabel LinkShellExtAuthor;
    Label LabelTranslation;
    LinkLabel LinkTranslator;
    InfoLabel LabelInfo;
    LinkLabel LabelThanks;
    Label LabelCredits;
    Button CmdOK;
    ToolTips Tips;

protected:
    void OnCommand(int id, int notifyCode, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnPaint(HDC dc, const RECT& area) override;
    bool PreTranslateMessage(MSG& message) override;

private:
    void ShowCredit(size_t index);
    void PlaceCredit();

    bool modelessWait_ = false;
    bool tickerRunning_ = false;
    size_t creditIndex_ = 0;
    int slideStep_ = 0;
    int creditsTop_ = 0;  // twips
    HFONT thanksNormal_ = nullptr;
    HFONT thanksBold_ = nullptr;
};

void ShowAbout(const AboutPlacement& placement = {});
