// The output log window (frmGuiOutput): one per program, made on first use and
// kept while it is open, so the results of consecutive imports, decryptions and
// verifications pile up in it, newest on top. Two frames hold the indicator
// lights: the first ("OK:" for imports, "MDC:" for decryptions) and the second
// ("SIG:", signatures). An alarm light blinks until the window closes or the
// operation filling it sets the light anew.
//
//     OutputLogWindow& log = GuiOutputWindow();
//     log.SetCaption("Morvish - Output of Import");
//     log.ShowFrames(true, "OK:", false);
//     log.ResetLights();
//     log.SetLight(Indicator::First, Light::Good);
//     AppendToOutputLog(entry, sourceFile);
//     ShowOutputLog();
//
// Size and place are kept in GuiOutputWidth, GuiOutputHeight, GuiOutputTop and
// GuiOutputLeft (twips) and clamped to the screen when the window opens.
#pragma once

#include <functional>
#include <string>

#include "common/ui/controls.h"
#include "common/ui/frame.h"
#include "common/ui/indicator_light.h"
#include "common/ui/output_window.h"

inline constexpr char kFrameMdcName[] = "FrameMDC";
inline constexpr char kLabelMdcName[] = "LabelMDC";
inline constexpr char kImgMdcName[] = "ImgMDC";
inline constexpr char kFrameSigName[] = "FrameSIG";
inline constexpr char kLabelSigName[] = "LabelSIG";
inline constexpr char kImgSigName[] = "ImgSIG";

// The blink timers: TimerMDCAttention and TimerSIGAttention.
inline constexpr UINT_PTR kTimerMdcAttention = 1;
inline constexpr UINT_PTR kTimerSigAttention = 2;
inline constexpr UINT kBlinkMilliseconds = 500;

enum class Indicator { First, Second };

class OutputLogWindow : public OutputWindow {
public:
    ~OutputLogWindow() override;

    // Creates the window hidden, with its font and place from the settings.
    bool Build();

    std::string AllText() const override;
    void SetLogText(const std::string& text);

    // Shows or hides the two frames; the first frame's label is set when given.
    void ShowFrames(bool first, const std::string& firstLabel, bool second);
    // Both lights neutral, both blink timers stopped.
    void ResetLights();
    // Sets a light; Alarm with `blink` starts its blink timer, anything else stops it.
    void SetLight(Indicator which, Light light, bool blink = false);
    Light LightState(Indicator which) const;
    bool Blinking(Indicator which) const;

protected:
    bool CreateTextControl(const TwipRect& place) override;
    Control& TextControl() override { return textBox_; }
    bool CreateExtras() override;
    void PlaceExtras(const OutputWindowLayout& layout) override;
    void StoreOnClose() override;
    void AfterClose() override;
    void OnTimer(UINT_PTR id) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void StopBlinking(Indicator which);
    IndicatorLight& LightOf(Indicator which) { return which == Indicator::First ? imgMdc_ : imgSig_; }

    TextBox textBox_;
    Frame frameMdc_;
    Frame frameSig_;
    Label labelMdc_;
    Label labelSig_;
    IndicatorLight imgMdc_;
    IndicatorLight imgSig_;
    bool blinking_[2] = {false, false};
};

// The program's log window, made (hidden) when there is none.
OutputLogWindow& GuiOutputWindow();
// The log window when one is open, else null.
OutputLogWindow* ExistingGuiOutputWindow();

// outputModal: the next ShowOutputLog shows the window modally. The operation that
// shows the log clears it afterwards.
bool& OutputModal();

// Puts an entry with its footer (source file line, local and UTC time) on top of
// the log. `sourceFile` "" = none.
void AppendToOutputLog(const std::string& entry, const std::string& sourceFile);

// The local and UTC time line of a log entry, in the user's short date and long
// time formats.
std::string CurrentLogTimeLine();

// Beeps when OutputBeep is 1, then shows the log window: modally when outputModal
// is set (returning when the user has closed it), otherwise without blocking,
// repainted, and in Pallow brought to the foreground.
void ShowOutputLog();

// Run after the log window has closed (Pallow gives the foreground back to the
// window its tray operation started from).
void SetOutputLogClosedHook(std::function<void()> hook);
