// The suite's one window class and the base of every top-level window.
//
// Every window of every program is of the class kCorvaneWindowClass: programs find
// each other's windows by this class and a caption (FindWindowEx/EnumWindows), so
// the registered name never changes and is the same in every program.
//
// A Window object owns its HWND: the object is bound to the window at WM_NCCREATE
// (lpCreateParams) and every message goes to HandleMessage, which calls the
// On... handlers. No exception leaves the window procedure.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "common/ui/gdi.h"
#include "common/ui/twips.h"

inline constexpr char kCorvaneWindowClass[] = "CorvaneWindowClass";

// Registers the shared class (once per module) and the common controls; false when
// the class cannot be registered.
bool EnsureCorvaneWindowClass();

// Registers the class of a self-drawn child control once per module.
bool EnsureChildControlClass(const char* className, WNDPROC procedure, LPCSTR cursor);

// A window procedure around a handler, so that no exception leaves it.
template <LRESULT (*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK GuardedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Handler(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

// The module the toolkit lives in: the program, or the library that carries it.
HINSTANCE ToolkitInstance();

struct WindowParams {
    std::string caption;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    // Outer bounds in pixels; an empty rectangle leaves place and size to the system
    // (overlapped windows) or to a later SetClientSize / Centre call (pop-ups).
    RECT bounds{};
};

class Window {
public:
    Window() = default;
    // Destroys the window. Derived classes whose OnDestroy matters call Destroy() in
    // their own destructor: by the time this one runs, only Window's handlers are left.
    virtual ~Window();
    // The window holds a pointer to this object, so it neither copies nor moves.
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window of the shared class, hidden unless params.style has WS_VISIBLE.
    bool Create(const WindowParams& params);
    void Destroy();

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }

    // The object behind a window of this process made by Window::Create, else null.
    static Window* FromHandle(HWND window);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // --- controls, addressed by name -------------------------------------------------
    // Records a child control under its name; controls call it when they are created.
    void AddControl(const std::string& name, HWND control);
    // The child control of that name, or null.
    HWND FindControl(const std::string& name) const;
    // A fresh identifier for a control that needs no fixed one.
    int NextControlId() { return nextControlId_++; }
    // The font new controls get: the system's message font unless set otherwise.
    HFONT ControlFont();
    void SetControlFont(UniqueFont font);
    // Keeps a font alive as long as the window (controls only borrow fonts).
    HFONT KeepFont(UniqueFont font);

    // --- geometry -----------------------------------------------------------------
    void SetClientSize(int widthPixels, int heightPixels);
    void SetClientSizeTwips(int widthTwips, int heightTwips);
    // Moves the window so its centre is at the point (screen pixels), kept inside the
    // work area of the monitor there.
    void CentreOn(POINT centre);
    // Centred in the work area of the window's monitor.
    void CentreOnScreen();
    // Centred over another window (or on the screen when it is null or hidden).
    void CentreOver(HWND other);

    // --- timers -------------------------------------------------------------------
    bool StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

    // --- modal use ----------------------------------------------------------------
    // Shows the window and runs its own message loop until EndModal or until the
    // window is destroyed, with the owner's top-level window disabled meanwhile.
    // Returns the EndModal value (0 when the window went away without one); the
    // window is left for the caller to hide or destroy. A WM_QUIT met on the way
    // ends the loop and is posted again for the outer loop.
    int RunModal(HWND owner);
    void EndModal(int result);
    bool InModalLoop() const { return modal_; }
    // The button Enter presses when the focus is not on a push button (0 = none).
    void SetDefaultButton(int id) { defaultButtonId_ = id; }

protected:
    // Dispatches to the handlers below; override it for messages they do not cover and
    // call Window::HandleMessage for the rest.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // False ends the creation (CreateWindowEx fails).
    virtual bool OnCreate() { return true; }
    virtual void OnCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) {}
    // True when handled; otherwise the window is destroyed.
    virtual bool OnClose() { return false; }
    virtual void OnDestroy() {}
    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    virtual void OnPaint(HDC /*dc*/, const RECT& /*area*/) {}
    // In the modal loop, before a message is dispatched; true when it was used.
    // The default gives the dialog keys: Tab, Enter (default button), Esc (IDCANCEL).
    virtual bool PreTranslateMessage(MSG& message);

private:
    friend bool EnsureCorvaneWindowClass();
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void FocusControl(HWND control);
    HWND FirstTabStop() const;

    struct NamedControl {
        std::string name;
        HWND handle;
    };

    HWND hwnd_ = nullptr;
    std::vector<NamedControl> controls_;
    int nextControlId_ = 1000;  // clear of IDOK, IDCANCEL and the other dialog IDs
    std::vector<UniqueFont> fonts_;
    HFONT controlFont_ = nullptr;
    HWND savedFocus_ = nullptr;
    bool modal_ = false;
    int modalResult_ = 0;
    int defaultButtonId_ = 0;
};
