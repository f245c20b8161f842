#include "common/ui/input_box.h"

#include <algorithm>

#include "common/translation.h"
#include "common/ui/controls.h"
#include "common/ui/window.h"

namespace {

// Layout in twips.
constexpr int kMargin = 120;
constexpr int kGap = 90;
constexpr int kButtonWidth = 1125;
constexpr int kButtonHeight = 345;
constexpr int kPromptWidth = 4515;  // prompt column beside the buttons
constexpr int kEditPadding = 8;     // pixels around the text box's line of text

class InputDialog : public Window {
public:
    InputDialog(const std::string& prompt, const std::string& defaultText)
        : prompt_(prompt), defaultText_(defaultText) {}
    ~InputDialog() override { Destroy(); }

    std::optional<std::string> Run(const std::string& title, HWND owner) {
        if (!Create({.caption = title,
                     .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                     .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                     .owner = owner})) {
            return std::nullopt;
        }
        if (!Build()) return std::nullopt;
        SetDefaultButton(IDOK);
        CentreOver(owner);
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        TxtInput.Focus();
        TxtInput.SelectAll();
        if (RunModal(owner) != IDOK) return std::nullopt;
        return result_;
    }

protected:
    void OnCommand(int id, int notifyCode, HWND) override {
        if (notifyCode != BN_CLICKED) return;
        if (id == IDOK) {
            result_ = TxtInput.Text();
            EndModal(IDOK);
        } else if (id == IDCANCEL) {
            EndModal(IDCANCEL);
        }
    }

    bool OnClose() override {
        EndModal(IDCANCEL);
        return true;
    }

private:
    bool Build() {
        HFONT font = ControlFont();
        // A prompt with a long unbreakable line (a path, a user ID) widens the box up
        // to about half the screen instead of being cut off.
        int widest = PixelsToTwipsX(MeasureText(font, prompt_).cx);
        int screenTwips = PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
        int promptWidth = std::clamp(widest + 30, kPromptWidth, std::max(kPromptWidth, screenTwips / 2));
        int promptHeight = PixelsToTwipsY(MeasureText(font, prompt_, TwipsToPixelsX(promptWidth)).cy);
        int buttonsHeight = 2 * kButtonHeight + kGap;
        int editTop = kMargin + std::max(promptHeight, buttonsHeight) + kMargin;
        int editHeight = PixelsToTwipsY(MeasureText(font, "Ag").cy + kEditPadding);
        int buttonLeft = kMargin + promptWidth + kMargin;
        int clientWidth = buttonLeft + kButtonWidth + kMargin;
        int clientHeight = editTop + editHeight + kMargin + kGap;

        bool built =
            LabelPrompt.Create(*this, kInputPromptLabel, {kMargin, kMargin, promptWidth, promptHeight}, prompt_) &&
            TxtInput.Create(*this, kInputTextBox, {kMargin, editTop, clientWidth - 2 * kMargin, editHeight},
                            defaultText_) &&
            OkButton.Create(*this, kInputOkButton, {buttonLeft, kMargin, kButtonWidth, kButtonHeight}, Translate("OK"),
                            IDOK, true) &&
            CancelButton.Create(*this, kInputCancelButton,
                                {buttonLeft, kMargin + kButtonHeight + kGap, kButtonWidth, kButtonHeight},
                                Translate("Cancel"), IDCANCEL);
        SetClientSizeTwips(clientWidth, clientHeight);
        return built;
    }

    std::string prompt_;
    std::string defaultText_;
    std::string result_;
    Label LabelPrompt;
    TextBox TxtInput;
    Button OkButton;
    Button CancelButton;
};

}  // namespace

std::optional<std::string> ShowInputDialog(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText, HWND owner) {
    // Without an owner the box is still modal to the window the user was working in.
    if (!owner) owner = GetActiveWindow();
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    InputDialog dialog(prompt, defaultText);
    return dialog.Run(title, owner);
}
