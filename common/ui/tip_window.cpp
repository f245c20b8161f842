#include "common/ui/tip_window.h"

#include <algorithm>

#include "common/translation.h"
#include "common/ui/font_variants.h"
#include "common/ui/gdi.h"
#include "common/ui/self_drawn.h"

namespace {

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    return p;
}

RECT WorkAreaAt(POINT p) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

ScopedTipRecorder*& ActiveTipRecorder() {
    static ScopedTipRecorder* recorder = nullptr;
    return recorder;
}

}  // namespace

// --- the tip window -------------------------------------------------------------

bool TipWindow::Build(const std::string& text, POINT centre) {
    // No caption, no border, no taskbar button.
    if (!Create({.caption = "", .style = WS_POPUP, .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST})) return false;
    if (!LabelTip.Create(*this, kTipLabel, {}, "")) return false;
    LabelTip.SetText(text);

    // The label takes the text's own size; a very long line wraps at two thirds of
    // the screen rather than running off it.
    HFONT font = ControlFont();
    SIZE size = MeasureText(font, text);
    RECT work = WorkAreaAt(centre);
    int widest = std::max(100, static_cast<int>(work.right - work.left) * 2 / 3);
    if (size.cx > widest) size = MeasureText(font, text, widest);
    int marginX = TwipsToPixelsX(kTipMargin);
    int marginY = TwipsToPixelsY(kTipMargin);
    SetClientSize(size.cx + marginX, size.cy + marginY);
    MoveWindow(LabelTip.Handle(), marginX / 2, marginY / 2, size.cx, size.cy, FALSE);
    CentreOn(centre);
    return true;
}

void TipWindow::RunTip(HWND owner) {
    if (!Exists()) return;
    GetCursorPos(&restingMouse_);
    RunModal(owner);
    if (Exists()) ShowWindow(Handle(), SW_HIDE);
}

void TipWindow::Finish() {
    if (dragging_) ReleaseCapture();
    if (InModalLoop())
        EndModal(0);
    else
        Destroy();
}

void TipWindow::OnMouseMove(POINT screen, bool ctrl) {
    if (dragging_) {
        SetWindowPos(Handle(), nullptr, screen.x - dragOffset_.x, screen.y - dragOffset_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // Ctrl held means the user is about to drag it.
    if (ctrl || (screen.x == restingMouse_.x && screen.y == restingMouse_.y)) return;
    Finish();
}

LRESULT TipWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_INFOBK));
            return 1;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            SetBkColor(dc, GetSysColor(COLOR_INFOBK));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
        }
        case WM_LBUTTONDOWN:
            // The label lets the mouse through, so this is a click on either.
            if (wParam & MK_CONTROL) {
                POINT screen = ScreenPoint(Handle(), lParam);
                RECT r;
                GetWindowRect(Handle(), &r);
                dragOffset_ = {screen.x - r.left, screen.y - r.top};
                dragging_ = true;
                SetCapture(Handle());
            } else {
                Finish();
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(ScreenPoint(Handle(), lParam), (wParam & MK_CONTROL) != 0);
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) {
                dragging_ = false;
                ReleaseCapture();
                restingMouse_ = ScreenPoint(Handle(), lParam);
            }
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void TipWindow::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) Finish();
}

bool TipWindow::OnClose() {
    Finish();
    return true;
}

void TipWindow::OnPaint(HDC dc, const RECT&) {
    // A hairline frame, as the system's own tooltips have.
    RECT client;
    GetClientRect(Handle(), &client);
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
}

bool TipWindow::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        Finish();
        return true;
    }
    return Window::PreTranslateMessage(message);
}

void ShowTip(const std::string& text, HWND owner) {
    if (ScopedTipRecorder* recorder = ActiveTipRecorder()) {
        recorder->Record(text);
        return;
    }
    POINT mouse;
    if (!GetCursorPos(&mouse)) mouse = {0, 0};
    TipWindow tip;
    if (!tip.Build(text, mouse)) return;
    tip.RunTip(owner ? owner : GetActiveWindow());
}

ScopedTipRecorder::ScopedTipRecorder() : previous_(ActiveTipRecorder()) {
    ActiveTipRecorder() = this;
}

ScopedTipRecorder::~ScopedTipRecorder() {
    ActiveTipRecorder() = previous_;
}

// --- the "i" label --------------------------------------------------------------

namespace {

constexpr COLORREF kInfoBoxColour = RGB(255, 255, 128);
constexpr COLORREF kInfoFrameColour = RGB(128, 128, 128);
constexpr COLORREF kInfoLetterColour = RGB(224, 0, 0);

struct InfoState {
    HFONT font = nullptr;
    UniqueFont bold;
    bool pressed = false;
    bool showingTip = false;
};

InfoState* InfoStateOf(HWND window) {
    return SelfDrawnState<InfoState>(window);
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

void PaintInfo(HWND window, InfoState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    RECT box;
    GetClientRect(window, &box);
    UniqueBrush fill(CreateSolidBrush(kInfoBoxColour));
    UniqueBrush frame(CreateSolidBrush(kInfoFrameColour));
    FillRect(dc, &box, fill.get());
    FrameRect(dc, &box, frame.get());
    SelectedObject font(dc, state.bold ? static_cast<HGDIOBJ>(state.bold.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInfoLetterColour);
    DrawTextA(dc, "i", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(window, &ps);
}

void OpenInfoTip(HWND window) {
    InfoState* state = InfoStateOf(window);
    if (!state || state->showingTip) return;
    state->showingTip = true;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    ShowTip(WindowText(window), GetAncestor(window, GA_ROOT));
    // The window may have gone while the tip was open.
    if (IsWindow(window) && InfoStateOf(window) == state) state->showingTip = false;
}

LRESULT HandleInfo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto fontChanged = [](InfoState& state) { state.bold = BoldVariant(state.font); };
    if (auto handled = HandleSelfDrawnMessage<InfoState>(window, message, wParam, lParam, fontChanged))
        return *handled;
    InfoState* state = InfoStateOf(window);
    switch (message) {
        case WM_PAINT:
            if (state) {
                PaintInfo(window, *state);
                return 0;
            }
            break;
        case WM_SETCURSOR:
            // The hand invites the click; while the tip is open it is the arrow.
            SetCursor(
                LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(state && state->showingTip ? IDC_ARROW : IDC_HAND)));
            return TRUE;
        case WM_LBUTTONUP:
            if (EndSelfDrawnPress(window, state)) OpenInfoTip(window);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool InfoLabel::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& tipText) {
    return EnsureChildControlClass(kInfoLabelClass, GuardedProcedure<HandleInfo>, reinterpret_cast<LPCSTR>(IDC_HAND)) &&
           CreateChild(parent, kInfoLabelClass, name, place, Translate(tipText), 0);
}
