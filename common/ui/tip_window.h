// The information tip (frmToolTip) and the yellow "i" labels that open it.
//
// The tip is a small borderless window in the system's tooltip colours holding
// one label with the text. It opens centred on the mouse (kept on the screen),
// runs modally, and closes on a click, on any mouse movement over it, or on
// Escape. Dragging it with Ctrl held moves it instead.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "common/ui/controls.h"
#include "common/ui/window.h"

inline constexpr char kTipLabel[] = "LabelTip";
// Room around the label, in twips, across and down.
inline constexpr int kTipMargin = 135;

class TipWindow : public Window {
public:
    ~TipWindow() override { Destroy(); }

    // Makes the hidden tip for the text (shown as given), sized to it and centred
    // on the point (screen pixels).
    bool Build(const std::string& text, POINT centre);
    // Shows it and returns when it closes.
    void RunTip(HWND owner);

    Label LabelTip;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int notifyCode, HWND control) override;
    bool OnClose() override;
    void OnPaint(HDC dc, const RECT& area) override;
    bool PreTranslateMessage(MSG& message) override;

private:
    void Finish();
    void OnMouseMove(POINT screen, bool ctrl);

    // Where the mouse was when the tip opened: the system reports a "move" when a
    // window appears under a resting mouse, which must not close it at once.
    POINT restingMouse_{};
    bool dragging_ = false;
    POINT dragOffset_{};
};

// Shows the tip for the text near the mouse (the text is shown as given). The
// owner (or the active window when null) is disabled meanwhile.
void ShowTip(const std::string& text, HWND owner = nullptr);

// While one exists, ShowTip records each text instead of showing a tip, so the
// windows that open tips can be tested without a modal loop.
class ScopedTipRecorder {
public:
    ScopedTipRecorder();
    ~ScopedTipRecorder();
    ScopedTipRecorder(const ScopedTipRecorder&) = delete;
    ScopedTipRecorder& operator=(const ScopedTipRecorder&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }
    void Record(const std::string& text) { texts_.push_back(text); }

private:
    std::vector<std::string> texts_;
    ScopedTipRecorder* previous_ = nullptr;
};

// The suite's "i" label: a small yellow box with a red bold "i". A click shows its
// tip text with ShowTip; the label's text is the tip (translated at creation).
inline constexpr char kInfoLabelClass[] = "CorvaneInfoLabel";
// The usual size of an "i" box, in twips.
inline constexpr int kInfoLabelSize = 240;

class InfoLabel : public Control {
public:
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& tipText);
    // Changes the tip text (shown as given).
    void SetTip(const std::string& text) { SetText(text); }
};
