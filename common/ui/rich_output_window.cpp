#include "common/ui/rich_output_window.h"

#include <richedit.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "common/wildcard.h"

namespace {

// The open non-modal windows. A closed one is dropped at the next call rather
// than from inside its own window procedure.
std::vector<std::unique_ptr<RichOutputWindow>>& OpenWindows() {
    static std::vector<std::unique_ptr<RichOutputWindow>> windows;
    return windows;
}

RichSelectionHandler& SelectionHandler() {
    static RichSelectionHandler handler;
    return handler;
}

bool IsKeyIdListingCaption(const std::string& caption) {
    return MatchesPattern(caption, "Morvish - Signatures *") || MatchesPattern(caption, "Morvish - PGP Packets *");
}

}  // namespace

RichOutputWindow::~RichOutputWindow() {
    Destroy();
}

bool RichOutputWindow::Build(const RichOutputRequest& request) {
    if (!Create({.caption = request.caption,
                 .style = WS_OVERLAPPEDWINDOW,
                 .exStyle = WS_EX_APPWINDOW,
                 .bounds = ToPixels({0, 0, request.widthTwips, request.heightTwips})}))
        return false;
    SetText(request.text);
    if (request.centreOver && IsWindowVisible(request.centreOver)) {
        CentreOver(request.centreOver);
    } else if (request.area) {
        const TwipBox& a = *request.area;
        CentreOn({TwipsToPixelsX(a.left + a.width / 2), TwipsToPixelsY(a.top + a.height / 2)});
    } else {
        CentreOnScreen();
    }
    return true;
}

bool RichOutputWindow::CreateTextControl(const TwipRect& place) {
    RichEditStyle style;
    style.readOnly = true;
    style.verticalScroll = true;
    style.horizontalScroll = true;
    if (!richText_.Create(*this, kOutputTextName, place, "", style)) return false;
    // The window hears of mouse releases to pass selections to the key manager.
    richText_.Send(EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);
    return true;
}

std::string RichOutputWindow::AllText() const {
    return richText_.AllText();
}

void RichOutputWindow::SetText(const std::string& text) {
    richText_.SetText(text);
}

void RichOutputWindow::SelectionReleased() {
    RichSelectionHandler& handler = SelectionHandler();
    if (!handler || !IsKeyIdListingCaption(Caption())) return;
    std::string selection = richText_.SelectedText();
    if (!selection.empty()) handler(selection);
}

LRESULT RichOutputWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == richText_.Handle() && header->code == EN_MSGFILTER &&
            reinterpret_cast<MSGFILTER*>(lParam)->msg == WM_LBUTTONUP) {
            // After the control has ended its selection: the release itself goes on.
            PostMessageA(Handle(), WM_APP, 0, 0);
            return 0;
        }
    } else if (message == WM_APP) {
        SelectionReleased();
        return 0;
    }
    return OutputWindow::HandleMessage(message, wParam, lParam);
}

RichOutputWindow* ShowRichOutput(const RichOutputRequest& request) {
    auto& open = OpenWindows();
    std::erase_if(open, [](const std::unique_ptr<RichOutputWindow>& w) { return !w->Exists(); });

    auto window = std::make_unique<RichOutputWindow>();
    if (!window->Build(request)) return nullptr;
    if (request.modal) {
        HWND active = GetActiveWindow();
        window->RunModal(active);
        return nullptr;
    }
    ShowWindow(window->Handle(), SW_SHOW);
    UpdateWindow(window->Handle());
    open.push_back(std::move(window));
    return open.back().get();
}

void SetRichSelectionHandler(RichSelectionHandler handler) {
    SelectionHandler() = std::move(handler);
}
