// What the two output windows share: the log window (frmGuiOutput) and the rich
// output window (frmOutputRich) both show one big read-only text with
// "Copy to Clip&board" and "&Close" below it, a "Change &Font..." pop-up menu on
// the window background, Escape to close, and the font the user chose for both
// (settings GuiOutputFontName, GuiOutputFontSize, GuiOutputFontBold,
// GuiOutputFontItalic).
#pragma once

#include <string>

#include "common/output_log_layout.h"
#include "common/ui/common_dialogs.h"
#include "common/ui/controls.h"
#include "common/ui/gdi.h"
#include "common/ui/window.h"

// Control names, as the windows' descriptions call them.
inline constexpr char kOutputTextName[] = "TextBox";
inline constexpr char kOutputClipboardButtonName[] = "ClipboardButton";
inline constexpr char kOutputCloseButtonName[] = "CloseButton";

// Command ids: the buttons and the pop-up menu's entry. Close is IDCANCEL, so a
// modal loop's Escape closes the window too.
inline constexpr int kOutputClipboardCommand = 101;
inline constexpr int kOutputCloseCommand = IDCANCEL;
inline constexpr int kOutputFontCommand = 102;

// The output font from the settings: when GuiOutputFontSize is set, name (default
// "Courier New"), size, bold and italic (default off) as stored; otherwise
// Courier New at 10 points.
FontChoice OutputFontFromSettings();
// Stores it: name, whole points, bold and italic as "0"/"1".
void StoreOutputFont(const FontChoice& font);

class OutputWindow : public Window {
public:
    // The text shown, with CR LF line ends.
    virtual std::string AllText() const = 0;
    HWND TextHandle() { return TextControl().Handle(); }
    const FontChoice& CurrentFont() const { return font_; }

    // "Copy to Clip&board": the whole text; a warning when the clipboard is taken.
    void CopyToClipboard();
    // "Change &Font...": the font dialog with fixed-pitch fonts, preset with the
    // current font; cancelling changes nothing.
    void ChangeFont();
    // "&Close", Escape and the window's close box: stores what the window keeps
    // (the font; the log window its place as well), then closes.
    void CloseWindow();

protected:
    // The text control, created by CreateTextControl in OnCreate.
    virtual bool CreateTextControl(const TwipRect& place) = 0;
    virtual Control& TextControl() = 0;
    // Further controls, created after the buttons.
    virtual bool CreateExtras() { return true; }
    // Places further controls for a new size.
    virtual void PlaceExtras(const OutputWindowLayout&) {}
    // Stores what the window keeps on closing.
    virtual void StoreOnClose() { StoreOutputFont(font_); }
    // Runs after the window is gone.
    virtual void AfterClose() {}

    bool OnCreate() override;
    void OnCommand(int id, int notifyCode, HWND control) override;
    bool OnClose() override;
    void OnSize(int width, int height) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void ApplyFont(const FontChoice& font);
    // The keys every control of the window handles: Escape closes, and Ctrl+A
    // selects the whole text in the text control.
    void HandleWindowKeys(HWND control);

private:
    void ShowFontMenu(LPARAM position);

    Button clipboardButton_;
    Button closeButton_;
    int clipboardWidth_ = 0;
    int closeWidth_ = 0;
    FontChoice font_;
    UniqueFont textFont_;
};
