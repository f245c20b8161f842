#include "common/ui/output_window.h"

#include <algorithm>
#include <cmath>

#include "common/setting_values.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/clipboard.h"
#include "common/ui/control_keys.h"
#include "common/ui/menu.h"
#include "common/ui/message_box.h"
#include "common/win/settings.h"

namespace {

constexpr char kSection[] = "Settings";
constexpr char kDefaultFontName[] = "Courier New";
constexpr int kDefaultFontPoints = 10;
// The close button is never narrower than this.
constexpr int kMinButtonWidth = 1095;

// A caption's width in twips as the button shows it (without the "&" marks).
int CaptionWidthTwips(HFONT font, const std::string& caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return PixelsToTwipsX(MeasureText(font, shown).cx);
}

TwipRect ToTwipRect(const TwipBox& box) {
    return {box.left, box.top, box.width, box.height};
}

}  // namespace

FontChoice OutputFontFromSettings() {
    FontChoice font;
    font.name = kDefaultFontName;
    font.points = kDefaultFontPoints;
    std::string size = ReadSetting(kSection, "GuiOutputFontSize");
    if (size.empty()) return font;
    std::string name = ReadSetting(kSection, "GuiOutputFontName", kDefaultFontName);
    if (!Trim(name).empty()) font.name = name;
    if (auto points = ParseSettingNumber(size); points && *points >= 1 && *points <= 500)
        font.points = static_cast<int>(std::lround(*points));
    font.bold = ReadBoolSetting(kSection, "GuiOutputFontBold", "False");
    font.italic = ReadBoolSetting(kSection, "GuiOutputFontItalic", "False");
    return font;
}

void StoreOutputFont(const FontChoice& font) {
    WriteSetting(kSection, "GuiOutputFontName", font.name);
    WriteSetting(kSection, "GuiOutputFontSize", std::to_string(font.points));
    WriteSetting(kSection, "GuiOutputFontBold", font.bold ? "1" : "0");
    WriteSetting(kSection, "GuiOutputFontItalic", font.italic ? "1" : "0");
}

bool OutputWindow::OnCreate() {
    RECT client;
    GetClientRect(Handle(), &client);
    if (!CreateTextControl({0, 0, PixelsToTwipsX(client.right), PixelsToTwipsY(client.bottom)})) return false;

    const std::string clipboardCaption = Translate("Copy to Clip&board");
    const std::string closeCaption = Translate("&Close");
    clipboardWidth_ = CaptionWidthTwips(ControlFont(), clipboardCaption) + kOutputButtonPadding;
    closeWidth_ = std::max(CaptionWidthTwips(ControlFont(), closeCaption) + kOutputButtonPadding, kMinButtonWidth);
    if (!clipboardButton_.Create(*this, kOutputClipboardButtonName, {0, 0, clipboardWidth_, kOutputButtonHeight},
                                 clipboardCaption, kOutputClipboardCommand))
        return false;
    if (!closeButton_.Create(*this, kOutputCloseButtonName, {0, 0, closeWidth_, kOutputButtonHeight}, closeCaption,
                             kOutputCloseCommand))
        return false;
    if (!CreateExtras()) return false;

    HandleWindowKeys(TextControl().Handle());
    HandleWindowKeys(clipboardButton_.Handle());
    HandleWindowKeys(closeButton_.Handle());
    ApplyFont(OutputFontFromSettings());
    OnSize(client.right, client.bottom);
    return true;
}

void OutputWindow::HandleWindowKeys(HWND control) {
    HWND window = Handle();
    HWND text = TextControl().Handle();
    HandleControlKeys(control, [window, text, control](UINT key, bool ctrl) {
        if (key == VK_ESCAPE) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(kOutputCloseCommand, BN_CLICKED), 0);
            return true;
        }
        if (ctrl && key == 'A' && control == text) {
            SendMessageA(text, EM_SETSEL, 0, -1);
            return true;
        }
        return false;
    });
}

void OutputWindow::ApplyFont(const FontChoice& font) {
    UniqueFont created(CreateChoiceFont(font));
    if (!created) return;
    TextControl().SetFont(created.get());
    // The control has let go of the old font once it has the new one.
    textFont_ = std::move(created);
    font_ = font;
}

void OutputWindow::CopyToClipboard() {
    if (!PutClipboardText(Handle(), AllText())) ShowWarning(Translate("Error: Clipboard access denied by system."));
}

void OutputWindow::ChangeFont() {
    if (auto chosen = ChooseFixedPitchFont(Handle(), font_)) ApplyFont(*chosen);
}

void OutputWindow::CloseWindow() {
    if (!Exists()) return;
    StoreOnClose();
    Destroy();
    AfterClose();
}

void OutputWindow::OnCommand(int id, int, HWND) {
    switch (id) {
        case kOutputClipboardCommand:
            CopyToClipboard();
            break;
        case kOutputCloseCommand:
            CloseWindow();
            break;
        case kOutputFontCommand:
            ChangeFont();
            break;
        default:
            break;
    }
}

bool OutputWindow::OnClose() {
    CloseWindow();
    return true;
}

void OutputWindow::OnSize(int width, int height) {
    if (!TextControl().Exists() || IsIconic(Handle())) return;
    OutputWindowLayout layout =
        LayOutOutputWindow(PixelsToTwipsX(width), PixelsToTwipsY(height), clipboardWidth_, closeWidth_);
    TextControl().Move(ToTwipRect(layout.text));
    clipboardButton_.Move(ToTwipRect(layout.clipboardButton));
    closeButton_.Move(ToTwipRect(layout.closeButton));
    PlaceExtras(layout);
}

void OutputWindow::ShowFontMenu(LPARAM position) {
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    // From the keyboard (Shift+F10) there is no mouse position.
    if (position == -1) GetCursorPos(&at);
    UniqueMenu menu = BuildPopupMenu({{"Change &Font...", kOutputFontCommand}});
    int chosen = TrackPopupMenuAt(menu.get(), Handle(), at);
    if (chosen) OnCommand(chosen, 0, nullptr);
}

LRESULT OutputWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CONTEXTMENU:
            // The window's background only: the text control has its own menu.
            if (reinterpret_cast<HWND>(wParam) == Handle()) {
                ShowFontMenu(lParam);
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            // A read-only text reads better on the window colour than on grey.
            if (reinterpret_cast<HWND>(lParam) == TextControl().Handle()) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}
