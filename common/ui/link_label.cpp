#include "common/ui/link_label.h"

#include "common/translation.h"
#include "common/ui/font_variants.h"
#include "common/ui/gdi.h"
#include "common/ui/self_drawn.h"
#include "common/ui/window.h"

namespace {

// The classic link blue. The system's "hot-track" colour would be the natural
// choice, but some themes make it a pale grey that cannot be read on a dialog.
constexpr COLORREF kLinkColour = RGB(0, 64, 192);

// What one label keeps beside its window: the font it was given and the
// underlined copy it draws with.
struct LinkState {
    HFONT font = nullptr;
    UniqueFont underlined;
    bool pressed = false;
};

LinkState* StateOf(HWND window) {
    return SelfDrawnState<LinkState>(window);
}

void Paint(HWND window, LinkState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(window, &client);
    // The parent's own label background, so the link sits on it like any label.
    HWND parent = GetParent(window);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    HFONT font = state.underlined ? state.underlined.get() : state.font;
    SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(window) ? kLinkColour : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    EndPaint(window, &ps);
}

LRESULT HandleLink(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto fontChanged = [](LinkState& state) { state.underlined = UnderlinedVariant(state.font); };
    if (auto handled = HandleSelfDrawnMessage<LinkState>(window, message, wParam, lParam, fontChanged))
        return *handled;
    LinkState* state = StateOf(window);
    switch (message) {
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_PAINT:
            if (state) {
                Paint(window, *state);
                return 0;
            }
            break;
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        case WM_LBUTTONUP:
            if (EndSelfDrawnPress(window, state)) {
                // Only a release over the link is a click.
                POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                RECT client;
                GetClientRect(window, &client);
                if (PtInRect(&client, at)) {
                    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                                 reinterpret_cast<LPARAM>(window));
                }
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool LinkLabel::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption) {
    return EnsureChildControlClass(kLinkLabelClass, GuardedProcedure<HandleLink>, reinterpret_cast<LPCSTR>(IDC_HAND)) &&
           CreateChild(parent, kLinkLabelClass, name, place, Translate(caption), 0);
}

void LinkLabel::FitToText() {
    if (!Exists()) return;
    // Measured with the font it is drawn in.
    SIZE size = MeasureText(UnderlinedVariant(Font()).get(), Text());
    RECT r = Bounds();
    MoveWindow(Handle(), r.left, r.top, size.cx + 1, size.cy, TRUE);
}
