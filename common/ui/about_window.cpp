#include "common/ui/about_window.h"

#include <algorithm>

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/font_variants.h"
#include "common/ui/gdi.h"
#include "common/win/desktop.h"
#include "common/win/system_helpers.h"

namespace {

// Layout in twips: the program's icon in the left column, the texts in the right
// one, in blocks of two lines.
constexpr int kClientWidth = 5760;
constexpr int kIconLeft = 360;
constexpr int kIconTop = 300;
constexpr int kTextLeft = 1200;
constexpr int kTextWidth = kClientWidth - kTextLeft - 240;
constexpr int kLineHeight = 255;
constexpr int kLinePitch = 240;
constexpr int kVersionTop = 300;
constexpr int kFirstBlockTop = 705;
constexpr int kLowerGap = 150;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kBottomMargin = 240;

constexpr char kQuote[] = "\"";

std::string ControlText(HWND control) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Puts the window right of and below the other's top-left corner, moved back
// where it would cross the bottom or right edge of the screen.
void PlaceBelowCorner(HWND window, HWND other) {
    RECT reference, own;
    if (!other || !GetWindowRect(other, &reference) || !GetWindowRect(window, &own)) return;
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = reference.left + TwipsToPixelsX(kCornerOffsetX);
    int y = reference.top + TwipsToPixelsY(kCornerOffsetY);
    RECT work = WorkAreaOf(other);
    x = std::min(x, static_cast<int>(work.right) - width);
    y = std::min(y, static_cast<int>(work.bottom) - height);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A filled shape in one colour, without an outline.
class SolidPainter {
public:
    SolidPainter(HDC dc, COLORREF colour)
        : brush_(CreateSolidBrush(colour)), brushIn_(dc, brush_.get()), penIn_(dc, GetStockObject(NULL_PEN)) {}

private:
    UniqueBrush brush_;
    SelectedObject brushIn_;
    SelectedObject penIn_;
};

// The picture: a crow on a branch under the moon, carrying a key.
void DrawOwnerPicture(HDC dc, const RECT& client) {
    constexpr int kWidth = 240;
    constexpr int kHeight = 180;
    int savedDc = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kWidth, kHeight, nullptr);
    SetViewportExtEx(dc, client.right - client.left, client.bottom - client.top, nullptr);

    // Night sky, lighter towards the horizon.
    constexpr int kBands = 30;
    for (int band = 0; band < kBands; ++band) {
        int t = band * 255 / (kBands - 1);
        UniqueBrush sky(CreateSolidBrush(RGB(16 + t * 40 / 255, 24 + t * 56 / 255, 64 + t * 80 / 255)));
        RECT r{0, band * kHeight / kBands, kWidth, (band + 1) * kHeight / kBands + 1};
        FillRect(dc, &r, sky.get());
    }
    {
        SolidPainter moon(dc, RGB(246, 240, 205));
        Ellipse(dc, 168, 16, 214, 62);
    }
    {
        SolidPainter shade(dc, RGB(24, 34, 78));
        Ellipse(dc, 182, 12, 224, 54);
    }
    {
        SolidPainter stars(dc, RGB(230, 230, 240));
        for (POINT s : {POINT{24, 20}, POINT{62, 38}, POINT{104, 14}, POINT{140, 44}, POINT{226, 88}, POINT{16, 70}})
            Ellipse(dc, s.x - 1, s.y - 1, s.x + 2, s.y + 2);
    }
    {
        UniquePen bark(CreatePen(PS_SOLID, 7, RGB(92, 62, 40)));
        SelectedObject pen(dc, bark.get());
        MoveToEx(dc, 0, 142, nullptr);
        LineTo(dc, 240, 128);
        MoveToEx(dc, 170, 132, nullptr);
        LineTo(dc, 204, 112);
    }
    {
        SolidPainter crow(dc, RGB(14, 14, 20));
        POINT tail[] = {{78, 104}, {30, 134}, {40, 142}, {92, 120}};
        Polygon(dc, tail, 4);
        Ellipse(dc, 66, 78, 146, 128);
        Ellipse(dc, 124, 60, 160, 94);
        POINT beak[] = {{154, 70}, {180, 80}, {154, 86}};
        Polygon(dc, beak, 3);
    }
    {
        UniquePen leg(CreatePen(PS_SOLID, 2, RGB(14, 14, 20)));
        SelectedObject pen(dc, leg.get());
        MoveToEx(dc, 100, 124, nullptr);
        LineTo(dc, 98, 136);
        MoveToEx(dc, 114, 124, nullptr);
        LineTo(dc, 114, 134);
    }
    {
        SolidPainter wing(dc, RGB(44, 46, 60));
        POINT feathers[] = {{82, 90}, {126, 86}, {116, 112}, {70, 114}};
        Polygon(dc, feathers, 4);
    }
    {
        SolidPainter eye(dc, RGB(235, 235, 235));
        Ellipse(dc, 143, 70, 149, 76);
    }
    {
        // The key hangs from the beak by its ring.
        UniquePen gold(CreatePen(PS_SOLID, 3, RGB(222, 178, 52)));
        SelectedObject pen(dc, gold.get());
        SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, 170, 80, 184, 94);
        MoveToEx(dc, 177, 94, nullptr);
        LineTo(dc, 177, 118);
        MoveToEx(dc, 177, 110, nullptr);
        LineTo(dc, 184, 110);
        MoveToEx(dc, 177, 116, nullptr);
        LineTo(dc, 183, 116);
    }
    {
        LOGFONTA face{};
        face.lfHeight = -20;
        face.lfWeight = FW_BOLD;
        face.lfCharSet = DEFAULT_CHARSET;
        face.lfQuality = ANTIALIASED_QUALITY;
        lstrcpynA(face.lfFaceName, "Georgia", LF_FACESIZE);
        UniqueFont font(CreateFontIndirectA(&face));
        SelectedObject chosen(dc, font.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(240, 236, 220));
        RECT line{0, 148, kWidth, 176};
        DrawTextA(dc, "Corvane", -1, &line, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    RestoreDC(dc, savedDc);
}

}  // namespace

std::vector<std::string> CreditNames() {
    return {Translate("the GnuPG developers"),
            "Mira Okonkwo",
            "Tobias Lindqvist",
            "Hana Sato",
            "Pavel Dragomir",
            "Ines Marchetti",
            Translate("all translators"),
            Translate("everyone who reported a bug")};
}

// --- shown modally or with a waiting loop ------------------------------------------

void AboutPopup::ShowAndWait(HWND owner, bool modelessWait) {
    if (!Exists()) return;
    closed_ = false;
    if (!modelessWait) {
        RunModal(owner);
        // Hidden only now, when the owner is enabled again and takes the activation
        // back, rather than another program's window.
        if (Exists()) ShowWindow(Handle(), SW_HIDE);
        return;
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    // The program's other windows go on working; this one gets its dialog keys.
    while (Exists() && !closed_) {
        MSG msg;
        while (Exists() && !closed_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (!PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (!Exists() || closed_) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
}

void AboutPopup::Finish() {
    closed_ = true;
    if (InModalLoop())
        EndModal(IDOK);
    else if (Exists())
        ShowWindow(Handle(), SW_HIDE);
}

bool AboutPopup::OnClose() {
    Finish();
    return true;
}

// --- the picture window ----------------------------------------------------------

bool OwnerPictureWindow::Build(HWND besideWindow) {
    if (!Create({.caption = "Corvane",
                 .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                 .exStyle = WS_EX_DLGMODALFRAME,
                 .owner = besideWindow}))
        return false;
    SetClientSizeTwips(3600, 2700);
    if (besideWindow)
        PlaceBelowCorner(Handle(), besideWindow);
    else
        CentreOnScreen();
    return true;
}

LRESULT OwnerPictureWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        Finish();
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;  // the picture covers it all
    return AboutPopup::HandleMessage(message, wParam, lParam);
}

void OwnerPictureWindow::OnPaint(HDC dc, const RECT&) {
    RECT client;
    GetClientRect(Handle(), &client);
    DrawOwnerPicture(dc, client);
}

bool OwnerPictureWindow::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        Finish();
        return true;
    }
    return AboutPopup::PreTranslateMessage(message);
}

// --- the about box ---------------------------------------------------------------

bool AboutWindow::Build(const AboutPlacement& placement) {
    modelessWait_ = placement.modelessWait;
    if (!Create({.caption = "About Corvane",
                 .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                 .exStyle = WS_EX_DLGMODALFRAME,
                 .owner = placement.mainWindow}))
        return false;
    const Environment& env = Env();
    HFONT bold = KeepFont(BoldVariant(ControlFont()));
    thanksNormal_ = ControlFont();
    thanksBold_ = bold;

    bool ok = LabelVersion.Create(*this, kAboutVersion, {kTextLeft, kVersionTop, kTextWidth, kLineHeight}, "");
    LabelVersion.SetText(Translate("Corvane for Windows v") + env.ProgramVersion);
    LabelVersion.SetFont(bold);
    ok = ok && Tips.Create(*this) &&
         Tips.AddTool(LabelVersion.Handle(), Translate("... using GnuPG ") + env.GnuPGVersion);

    // Blocks of two lines; a block left out takes no room.
    int top = kFirstBlockTop;
    auto line = [&](int index) { return TwipRect{kTextLeft, top + index * kLinePitch, kTextWidth, kLineHeight}; };
    ok = ok && LinkHomePage.Create(*this, kAboutHomePage, line(0), kHomePageAddress) &&
         LinkAuthor.Create(*this, kAboutAuthor, line(1), kAuthorContact);
    top += kAboutBlockHeight;

    std::string shellVersion =
        env.ProgramDir.empty() ? "0.0.0.0" : GetFileVer(env.ProgramDir + "\\" + kShellExtensionFile);
    bool haveShell = shellVersion != "0.0.0.0";
    ok = ok && LabelShellExt.Create(*this, kAboutShellExtension, line(0), "") &&
         LinkShellExtAuthor.Create(*this, kAboutShellExtensionAuthor, line(1), kShellExtensionContact);
    LabelShellExt.SetText(Translate("Shell-extension v") + shellVersion + Translate(" by:"));
    LabelShellExt.SetVisible(haveShell);
    LinkShellExtAuthor.SetVisible(haveShell);
    if (haveShell) top += kAboutBlockHeight;

    bool translated = TranslationLoaded();
    ok = ok && LabelTranslation.Create(*this, kAboutTranslation, line(0), "") &&
         LinkTranslator.Create(*this, kAboutTranslator, line(1), "");
    LabelTranslation.SetText(Translate("Language") + " translation by:");
    LinkTranslator.SetText(Translate("Translator") + " <" + Translate("Contact") + ">");
    LabelTranslation.SetVisible(translated);
    LinkTranslator.SetVisible(translated);
    if (translated) top += kAboutBlockHeight;

    // The lower part: the "i" tip, the credits and OK.
    top += kLowerGap;
    ok = ok && LabelInfo.Create(*this, kAboutInfo, {kIconLeft + 120, top, kInfoLabelSize, kInfoLabelSize}, "");
    LabelInfo.SetTip(Translate("Please add the output of ") + kQuote + Translate("Morvish - Environment") + "\r\n" +
                     Translate("Information") + kQuote + Translate(" (if possible), when asking for support."));
    ok = ok && LabelThanks.Create(*this, kAboutThanks, {kTextLeft, top, kTextWidth, kLineHeight}, "Many thanks to ...");
    creditsTop_ = top + kLinePitch + 45;
    ok = ok && LabelCredits.Create(*this, kAboutCredits, {kTextLeft, creditsTop_, kTextWidth, kLineHeight}, "");
    LabelCredits.SetVisible(false);
    int buttonTop = creditsTop_ + kLineHeight + 300;
    ok =
        ok && CmdOK.Create(*this, kAboutOk, {kClientWidth - kButtonWidth - 240, buttonTop, kButtonWidth, kButtonHeight},
                           "&OK", IDOK, true);
    if (!ok) return false;
    for (LinkLabel* link : {&LinkHomePage, &LinkAuthor, &LinkShellExtAuthor, &LinkTranslator, &LabelThanks})
        link->FitToText();
    SetDefaultButton(IDOK);
    SetClientSizeTwips(kClientWidth, buttonTop + kButtonHeight + kBottomMargin);

    if (placement.belowMainCorner && placement.mainWindow)
        PlaceBelowCorner(Handle(), placement.mainWindow);
    else
        CentreOver(placement.mainWindow);
    return true;
}

void AboutWindow::Run(const AboutPlacement& placement) {
    if (!Exists() && !Build(placement)) return;
    CmdOK.Focus();
    ShowAndWait(placement.mainWindow, placement.modelessWait);
    if (tickerRunning_) ToggleTicker();
}

void AboutWindow::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDOK || id == IDCANCEL) {
        Finish();
        return;
    }
    if (notifyCode != STN_CLICKED || !control) return;
    if (control == LinkHomePage.Handle()) {
        OpenUrl(kHomePageAddress);
    } else if (control == LinkAuthor.Handle() || control == LinkShellExtAuthor.Handle() ||
               control == LinkTranslator.Handle()) {
        // The contact lines are the mail addresses as they are shown.
        SendMail(ControlText(control));
    } else if (control == LabelThanks.Handle()) {
        ToggleTicker();
    }
}

void AboutWindow::ToggleTicker() {
    if (!Exists()) return;
    tickerRunning_ = !tickerRunning_;
    if (tickerRunning_) {
        LabelThanks.SetFont(thanksBold_);
        LabelThanks.FitToText();
        creditIndex_ = 0;
        ShowCredit(creditIndex_);
        LabelCredits.SetVisible(true);
        StartTimer(kCreditsTimer, kCreditsMilliseconds);
    } else {
        StopTimer(kCreditsTimer);
        StopTimer(kSlideTimer);
        LabelCredits.SetVisible(false);
        LabelThanks.SetFont(thanksNormal_);
        LabelThanks.FitToText();
    }
}

void AboutWindow::ShowCredit(size_t index) {
    std::vector<std::string> names = CreditNames();
    LabelCredits.SetText(names[index % names.size()]);
    slideStep_ = 0;
    PlaceCredit();
    StartTimer(kSlideTimer, kSlideMilliseconds);
}

void AboutWindow::PlaceCredit() {
    // Each step from the start place, so rounding to pixels never adds up.
    int left = kTextLeft + (kSlideSteps - slideStep_) * kSlideStepTwips;
    LabelCredits.Move({left, creditsTop_, kTextWidth, kLineHeight});
}

void AboutWindow::OnTimer(UINT_PTR id) {
    if (!tickerRunning_) return;
    if (id == kCreditsTimer) {
        creditIndex_ = (creditIndex_ + 1) % CreditNames().size();
        ShowCredit(creditIndex_);
    } else if (id == kSlideTimer) {
        if (slideStep_ < kSlideSteps) ++slideStep_;
        PlaceCredit();
        if (slideStep_ >= kSlideSteps) StopTimer(kSlideTimer);
    }
}

void AboutWindow::OnPaint(HDC dc, const RECT&) {
    HICON icon = static_cast<HICON>(LoadImageA(ToolkitInstance(), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, LR_SHARED));
    if (icon)
        DrawIconEx(dc, TwipsToPixelsX(kIconLeft), TwipsToPixelsY(kIconTop), icon, TwipsToPixelsX(480),
                   TwipsToPixelsY(480), 0, nullptr, DI_NORMAL);
}

bool AboutWindow::PreTranslateMessage(MSG& message) {
    // A capital M typed on OK opens the picture.
    if (message.message == WM_CHAR && message.wParam == 'M' && message.hwnd == CmdOK.Handle()) {
        ShowOwnerPicture();
        return true;
    }
    return AboutPopup::PreTranslateMessage(message);
}

void AboutWindow::ShowOwnerPicture() {
    OwnerPictureWindow picture;
    if (!picture.Build(Handle())) return;
    picture.ShowAndWait(Handle(), modelessWait_);
}

void ShowAbout(const AboutPlacement& placement) {
    AboutWindow about;
    about.Run(placement);
}
