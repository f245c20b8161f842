#include "common/ui/wait_window.h"

#include <algorithm>

#include "common/ui/controls.h"
#include "common/ui/window.h"

namespace {

constexpr int kFontPoints = 12;
constexpr int kMarginX = 480;  // twips around the text
constexpr int kMarginY = 360;
constexpr int kMinWidth = 3600;

}  // namespace

class WaitWindow::Box : public Window {
public:
    ~Box() override { Destroy(); }

    bool Build(const std::string& text) {
        // No caption bar, no border, no taskbar button; above every other window.
        if (!Create({.caption = text, .style = WS_POPUP, .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW})) return false;
        labelFont_ = KeepFont(CreateMessageFont(kFontPoints, true));
        return LabelWait.Create(*this, kWaitLabel, {}, text, TextAlign::Centre);
    }

    void SetText(const std::string& text) {
        SetCaption(text);
        LabelWait.SetText(text);
        LabelWait.SetFont(labelFont_);
        SIZE textSize = MeasureText(labelFont_, text);
        int textWidth = PixelsToTwipsX(textSize.cx) + 30;
        int textHeight = PixelsToTwipsY(textSize.cy);
        int width = std::max(textWidth + 2 * kMarginX, kMinWidth);
        int height = textHeight + 2 * kMarginY;
        SetClientSizeTwips(width, height);
        LabelWait.Move({(width - textWidth) / 2, kMarginY, textWidth, textHeight});
    }

    Label LabelWait;

protected:
    void OnPaint(HDC dc, const RECT&) override {
        // The window has no frame of its own; a raised edge keeps it from melting
        // into a grey window behind it.
        RECT client;
        GetClientRect(Handle(), &client);
        DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    }

private:
    HFONT labelFont_ = nullptr;
};

WaitWindow::WaitWindow() = default;

WaitWindow::~WaitWindow() {
    Close();
}

WaitWindow::Box* WaitWindow::Prepare(const std::string& text) {
    if (!box_ || !box_->Exists()) {
        box_ = std::make_unique<Box>();
        if (!box_->Build(text)) {
            box_.reset();
            return nullptr;
        }
    }
    box_->SetText(text);
    return box_.get();
}

void WaitWindow::Present() {
    HWND window = box_->Handle();
    // Shown without taking the activation: the caller's window stays the active one
    // and gets it back untouched when the box closes.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // The caller blocks right after this, so nothing may wait for a later WM_PAINT.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

void WaitWindow::Show(const std::string& text) {
    if (Box* box = Prepare(text)) {
        box->CentreOnScreen();
        Present();
    }
}

void WaitWindow::Show(const std::string& text, POINT centre) {
    if (Box* box = Prepare(text)) {
        box->CentreOn(centre);
        Present();
    }
}

void WaitWindow::Close() {
    box_.reset();
}

bool WaitWindow::IsShown() const {
    return box_ && box_->Exists() && IsWindowVisible(box_->Handle());
}

HWND WaitWindow::Handle() const {
    return box_ ? box_->Handle() : nullptr;
}
