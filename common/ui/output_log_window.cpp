#include "common/ui/output_log_window.h"

#include <memory>

#include "common/environment.h"
#include "common/gnupg_output.h"
#include "common/setting_values.h"
#include "common/translation.h"
#include "common/win/settings.h"
#include "common/win/system_helpers.h"

namespace {

constexpr char kSection[] = "Settings";

// Inside a frame (twips from its top left): the label on the left, the light on
// the right, both centred below the frame's top line.
constexpr TwipRect kLabelOffset{135, 180, 540, 225};
constexpr TwipRect kLightOffset{690, 135, 285, 285};

std::unique_ptr<OutputLogWindow>& LogSlot() {
    static std::unique_ptr<OutputLogWindow> slot;
    return slot;
}

std::function<void()>& ClosedHook() {
    static std::function<void()> hook;
    return hook;
}

std::optional<long> StoredTwips(const char* key) {
    std::string value = ReadSetting(kSection, key);
    if (value.empty()) return std::nullopt;
    if (auto number = ParseSettingNumber(value)) return static_cast<long>(*number);
    return std::nullopt;
}

TwipRect ToTwipRect(const TwipBox& box) {
    return {box.left, box.top, box.width, box.height};
}

std::string DateTimeText(const SYSTEMTIME& time) {
    char date[80] = {};
    char clock[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

}  // namespace

OutputLogWindow::~OutputLogWindow() {
    Destroy();
}

bool OutputLogWindow::Build() {
    StoredOutputLogPlacement stored{StoredTwips("GuiOutputWidth"), StoredTwips("GuiOutputHeight"),
                                    StoredTwips("GuiOutputTop"), StoredTwips("GuiOutputLeft")};
    TwipBox place = PlaceOutputLog(stored, PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN)),
                                   PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN)));
    RECT bounds = ToPixels(ToTwipRect(place));
    // Unowned and with WS_EX_APPWINDOW: the log has a taskbar button of its own.
    return Create({.caption = Env().ProgramName + " - Output",
                   .style = WS_OVERLAPPEDWINDOW,
                   .exStyle = WS_EX_APPWINDOW,
                   .bounds = bounds});
}

bool OutputLogWindow::CreateTextControl(const TwipRect& place) {
    TextBoxStyle style;
    style.multiLine = true;
    style.readOnly = true;
    style.verticalScroll = true;
    style.horizontalScroll = true;
    if (!textBox_.Create(*this, kOutputTextName, place, "", style)) return false;
    // No limit but the system's: the log grows with every operation.
    textBox_.Send(EM_SETLIMITTEXT, 0, 0);
    return true;
}

bool OutputLogWindow::CreateExtras() {
    // The frames first, so the labels and lights made after them lie on top.
    const TwipRect frame{0, 0, kOutputFrameWidth, kOutputFrameHeight};
    if (!frameMdc_.Create(*this, kFrameMdcName, frame) || !frameSig_.Create(*this, kFrameSigName, frame)) return false;
    if (!labelMdc_.Create(*this, kLabelMdcName, kLabelOffset, "OK:") ||
        !imgMdc_.Create(*this, kImgMdcName, kLightOffset))
        return false;
    if (!labelSig_.Create(*this, kLabelSigName, kLabelOffset, "SIG:") ||
        !imgSig_.Create(*this, kImgSigName, kLightOffset))
        return false;
    frameMdc_.Hold(labelMdc_, kLabelOffset);
    frameMdc_.Hold(imgMdc_, kLightOffset);
    frameSig_.Hold(labelSig_, kLabelOffset);
    frameSig_.Hold(imgSig_, kLightOffset);
    return true;
}

void OutputLogWindow::PlaceExtras(const OutputWindowLayout& layout) {
    frameMdc_.Place(ToTwipRect(layout.frameMdc));
    frameSig_.Place(ToTwipRect(layout.frameSig));
}

std::string OutputLogWindow::AllText() const {
    return textBox_.Text();
}

void OutputLogWindow::SetLogText(const std::string& text) {
    textBox_.SetText(text);
}

void OutputLogWindow::ShowFrames(bool first, const std::string& firstLabel, bool second) {
    if (!firstLabel.empty()) labelMdc_.SetText(Translate(firstLabel));
    frameMdc_.Show(first);
    frameSig_.Show(second);
}

void OutputLogWindow::ResetLights() {
    SetLight(Indicator::First, Light::Neutral);
    SetLight(Indicator::Second, Light::Neutral);
}

void OutputLogWindow::SetLight(Indicator which, Light light, bool blink) {
    LightOf(which).Set(light);
    if (blink && light == Light::Alarm) {
        blinking_[static_cast<int>(which)] = true;
        StartTimer(which == Indicator::First ? kTimerMdcAttention : kTimerSigAttention, kBlinkMilliseconds);
    } else {
        StopBlinking(which);
    }
}

Light OutputLogWindow::LightState(Indicator which) const {
    return which == Indicator::First ? imgMdc_.State() : imgSig_.State();
}

bool OutputLogWindow::Blinking(Indicator which) const {
    return blinking_[static_cast<int>(which)];
}

void OutputLogWindow::StopBlinking(Indicator which) {
    blinking_[static_cast<int>(which)] = false;
    StopTimer(which == Indicator::First ? kTimerMdcAttention : kTimerSigAttention);
}

void OutputLogWindow::OnTimer(UINT_PTR id) {
    Indicator which = id == kTimerMdcAttention ? Indicator::First : Indicator::Second;
    if ((id != kTimerMdcAttention && id != kTimerSigAttention) || !Blinking(which)) return;
    IndicatorLight& light = LightOf(which);
    light.Set(light.State() == Light::Alarm ? Light::Neutral : Light::Alarm);
}

LRESULT OutputLogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        // Coming back to the window starts a blinking light's cycle anew: alarm first.
        for (Indicator which : {Indicator::First, Indicator::Second}) {
            if (Blinking(which)) SetLight(which, Light::Alarm, true);
        }
    }
    return OutputWindow::HandleMessage(message, wParam, lParam);
}

void OutputLogWindow::StoreOnClose() {
    StoreOutputFont(CurrentFont());
    HWND window = Handle();
    if (IsIconic(window) || IsZoomed(window)) return;
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    WriteSetting(kSection, "GuiOutputWidth", std::to_string(PixelsToTwipsX(r.right - r.left)));
    WriteSetting(kSection, "GuiOutputHeight", std::to_string(PixelsToTwipsY(r.bottom - r.top)));
    WriteSetting(kSection, "GuiOutputTop", std::to_string(PixelsToTwipsY(r.top)));
    WriteSetting(kSection, "GuiOutputLeft", std::to_string(PixelsToTwipsX(r.left)));
}

void OutputLogWindow::AfterClose() {
    // The timers went with the window.
    blinking_[0] = blinking_[1] = false;
    if (auto& hook = ClosedHook()) hook();
}

OutputLogWindow& GuiOutputWindow() {
    auto& slot = LogSlot();
    if (!slot || !slot->Exists()) {
        slot = std::make_unique<OutputLogWindow>();
        slot->Build();
    }
    return *slot;
}

OutputLogWindow* ExistingGuiOutputWindow() {
    auto& slot = LogSlot();
    return slot && slot->Exists() ? slot.get() : nullptr;
}

bool& OutputModal() {
    static bool modal = false;
    return modal;
}

std::string CurrentLogTimeLine() {
    SYSTEMTIME local;
    SYSTEMTIME utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    return LogTimeLine(DateTimeText(local), DateTimeText(utc));
}

void AppendToOutputLog(const std::string& entry, const std::string& sourceFile) {
    OutputLogWindow& log = GuiOutputWindow();
    log.SetLogText(PrependLogEntry(log.AllText(), ComposeLogEntry(entry, sourceFile, CurrentLogTimeLine())));
}

void ShowOutputLog() {
    if (ReadBoolSetting(kSection, "OutputBeep", "0")) MessageBeep(MB_OK);
    OutputLogWindow& log = GuiOutputWindow();
    if (!log.Exists()) return;
    if (OutputModal()) {
        HWND active = GetActiveWindow();
        log.RunModal(active == log.Handle() ? nullptr : active);
        return;
    }
    ShowWindow(log.Handle(), SW_SHOW);
    UpdateWindow(log.Handle());
    if (Env().ProgramName == "Pallow") ForceFore(log.Handle());
}

void SetOutputLogClosedHook(std::function<void()> hook) {
    ClosedHook() = std::move(hook);
}
