#include "common/ui/window.h"

#include "common/translation.h"

#include <commctrl.h>

#include <algorithm>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The object pointer lives in the class's extra bytes, leaving GWLP_USERDATA free.
constexpr int kObjectSlot = 0;
// The program's own icon (resource 1, the one Explorer shows).
constexpr int kProgramIconId = 1;

ATOM& ClassAtom() {
    static ATOM atom = 0;
    return atom;
}

ATOM RegisterSharedClass(WNDPROC procedure) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    HINSTANCE instance = ToolkitInstance();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconId));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kCorvaneWindowClass;
    ATOM atom = RegisterClassExA(&wc);
    if (!atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        // GetClassInfoEx answers with the class atom.
        WNDCLASSEXA existing{};
        existing.cbSize = sizeof existing;
        atom = static_cast<ATOM>(GetClassInfoExA(instance, kCorvaneWindowClass, &existing));
    }
    return atom;
}

bool IsPushButton(HWND control) {
    if (!control) return false;
    LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

HINSTANCE ToolkitInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

bool EnsureChildControlClass(const char* className, WNDPROC procedure, LPCSTR cursor) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(ToolkitInstance(), className, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ToolkitInstance();
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool EnsureCorvaneWindowClass() {
    return ClassAtom() != 0 || (ClassAtom() = RegisterSharedClass(Window::Procedure)) != 0;
}

Window::~Window() {
    Destroy();
}

bool Window::Create(const WindowParams& params) {
    if (hwnd_ || !EnsureCorvaneWindowClass()) return false;
    const RECT& b = params.bounds;
    bool placed = b.right > b.left && b.bottom > b.top;
    bool overlapped = (params.style & (WS_POPUP | WS_CHILD)) == 0;
    int x = placed ? b.left : (overlapped ? CW_USEDEFAULT : 0);
    int y = placed ? b.top : (overlapped ? CW_USEDEFAULT : 0);
    int width = placed ? b.right - b.left : (overlapped ? CW_USEDEFAULT : 0);
    int height = placed ? b.bottom - b.top : (overlapped ? CW_USEDEFAULT : 0);
    // hwnd_ is set at WM_NCCREATE, before any other message reaches the object.
    // Captions, labels and button texts are translated when a window is made.
    HWND created = CreateWindowExA(params.exStyle, kCorvaneWindowClass, Translate(params.caption).c_str(), params.style,
                                   x, y, width, height, params.owner, nullptr, ToolkitInstance(), this);
    return created != nullptr;
}

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND window) {
    if (!window || !ClassAtom()) return nullptr;
    if (static_cast<ATOM>(GetClassLongPtrA(window, GCW_ATOM)) != ClassAtom()) return nullptr;
    // Other programs' windows share the class name but not our address space.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    if (reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE)) != ToolkitInstance()) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, kObjectSlot));
}

std::string Window::Caption() const {
    if (!hwnd_) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Window::SetCaption(const std::string& caption) {
    if (hwnd_) SetWindowTextA(hwnd_, caption.c_str());
}

void Window::AddControl(const std::string& name, HWND control) {
    controls_.push_back({name, control});
}

HWND Window::FindControl(const std::string& name) const {
    auto found =
        std::find_if(controls_.begin(), controls_.end(), [&](const NamedControl& c) { return c.name == name; });
    return found == controls_.end() ? nullptr : found->handle;
}

HFONT Window::ControlFont() {
    if (!controlFont_) controlFont_ = KeepFont(CreateMessageFont());
    return controlFont_;
}

void Window::SetControlFont(UniqueFont font) {
    controlFont_ = KeepFont(std::move(font));
}

HFONT Window::KeepFont(UniqueFont font) {
    HFONT kept = font.get();
    if (kept) fonts_.push_back(std::move(font));
    return kept;
}

void Window::SetClientSize(int widthPixels, int heightPixels) {
    if (!hwnd_) return;
    RECT r{0, 0, widthPixels, heightPixels};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)), GetMenu(hwnd_) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetClientSizeTwips(int widthTwips, int heightTwips) {
    SetClientSize(TwipsToPixelsX(widthTwips), TwipsToPixelsY(heightTwips));
}

void Window::CentreOn(POINT centre) {
    if (!hwnd_) return;
    RECT r;
    GetWindowRect(hwnd_, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = centre.x - width / 2;
    int y = centre.y - height / 2;
    // Keep it on the screen; a window larger than the work area shows its top left.
    x = std::max(std::min(x, static_cast<int>(work.right) - width), static_cast<int>(work.left));
    y = std::max(std::min(y, static_cast<int>(work.bottom) - height), static_cast<int>(work.top));
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::CentreOnScreen() {
    if (!hwnd_) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    CentreOn({(work.left + work.right) / 2, (work.top + work.bottom) / 2});
}

void Window::CentreOver(HWND other) {
    RECT r;
    if (!other || !IsWindowVisible(other) || IsIconic(other) || !GetWindowRect(other, &r)) {
        CentreOnScreen();
        return;
    }
    CentreOn({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

bool Window::StartTimer(UINT_PTR id, UINT milliseconds) {
    return hwnd_ && SetTimer(hwnd_, id, milliseconds, nullptr) != 0;
}

void Window::StopTimer(UINT_PTR id) {
    if (hwnd_) KillTimer(hwnd_, id);
}

namespace {

// The state of one modal loop: the flag that keeps it running and the owner's
// top-level window, disabled meanwhile. Both are put back however the loop ends.
class ModalScope {
public:
    ModalScope(bool& running, HWND owner, HWND modal)
        : running_(running), modal_(modal), root_(owner ? GetAncestor(owner, GA_ROOT) : nullptr) {
        running_ = true;
        if (root_ == modal || !root_ || !IsWindowEnabled(root_)) {
            root_ = nullptr;
            return;
        }
        EnableWindow(root_, FALSE);
    }
    ~ModalScope() {
        running_ = false;
        if (!root_) return;
        EnableWindow(root_, TRUE);
        // The owner is enabled again before the modal window goes, so the activation
        // returns to it rather than to another program's window.
        if (IsWindow(modal_) && GetActiveWindow() == modal_) SetActiveWindow(root_);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    bool& running_;
    HWND modal_;
    HWND root_;
};

}  // namespace

int Window::RunModal(HWND owner) {
    if (!hwnd_ || modal_) return 0;
    modalResult_ = 0;
    bool quit = false;
    WPARAM quitCode = 0;
    {
        ModalScope scope(modal_, owner, hwnd_);
        if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        MSG msg;
        while (modal_ && hwnd_) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == -1) break;
            if (got == 0) {
                quit = true;
                quitCode = msg.wParam;
                break;
            }
            if (!PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return modalResult_;
}

void Window::EndModal(int result) {
    modalResult_ = result;
    modal_ = false;
    // Wakes GetMessage so the loop sees the end at once.
    if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

bool Window::PreTranslateMessage(MSG& message) {
    return hwnd_ && IsDialogMessageA(hwnd_, &message);
}

void Window::FocusControl(HWND control) {
    if (!control) return;
    SetFocus(control);
    // As in dialogs: a text box reached by the keyboard has its text selected.
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
}

HWND Window::FirstTabStop() const {
    return hwnd_ ? GetNextDlgTabItem(hwnd_, nullptr, FALSE) : nullptr;
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            if (OnClose()) return 0;
            break;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_SIZE:
            OnSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            if (dc) {
                OnPaint(dc, ps.rcPaint);
                EndPaint(hwnd_, &ps);
            }
            return 0;
        }
        case WM_ACTIVATE:
            // Keep the keyboard focus on the control that had it, as dialogs do.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) savedFocus_ = focus;
            } else if (!IsIconic(hwnd_)) {
                HWND target =
                    savedFocus_ && IsWindow(savedFocus_) && IsChild(hwnd_, savedFocus_) ? savedFocus_ : FirstTabStop();
                if (target) {
                    // Only the focus comes back; the user's selection stays as it was.
                    SetFocus(target);
                    return 0;
                }
            }
            break;
        case WM_NEXTDLGCTL: {
            // IsDialogMessage moves the focus with Tab through this message.
            HWND target =
                LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
            FocusControl(target);
            return 0;
        }
        case DM_GETDEFID:
            // Enter presses the push button that has the focus, else the default one.
            if (defaultButtonId_ != 0) {
                HWND focus = GetFocus();
                int id = IsPushButton(focus) && IsChild(hwnd_, focus) ? GetDlgCtrlID(focus) : defaultButtonId_;
                return MAKELRESULT(id, DC_HASDEFID);
            }
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, kObjectSlot));
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A handler failed; the message counts as handled and the program goes on.
        // A window whose creation failed is not made at all.
        result = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY) {
        // The last message: unbind, so the object may outlive its window.
        SetWindowLongPtrA(hwnd, kObjectSlot, 0);
        self->hwnd_ = nullptr;
        self->controls_.clear();
        self->savedFocus_ = nullptr;
        self->modal_ = false;
    }
    return result;
}
