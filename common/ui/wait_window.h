// The wait window (frmWait): a borderless box with one centred bold line of text,
// no buttons, on top of every window, shown while the program blocks on a hidden
// GnuPG run:
//
//     WaitWindow wait;
//     wait.Show(Translate("Please wait ..."));
//     RunBatch(...);          // the user interface thread blocks here
//     wait.Close();           // or leave it to the destructor
#pragma once

#include <memory>
#include <string>

#include <windows.h>

// Name of the wait window's label (for tests and translations).
inline constexpr char kWaitLabel[] = "LabelWait";

class WaitWindow {
public:
    WaitWindow();
    ~WaitWindow();
    WaitWindow(const WaitWindow&) = delete;
    WaitWindow& operator=(const WaitWindow&) = delete;

    // Shows the text centred on the screen, or centred on a point (screen pixels)
    // and kept inside the work area. The window is painted before Show returns, so
    // the text is visible while the caller blocks. Showing again changes the text.
    void Show(const std::string& text);
    void Show(const std::string& text, POINT centre);
    void Close();

    bool IsShown() const;
    HWND Handle() const;

private:
    class Box;
    Box* Prepare(const std::string& text);
    void Present();

    std::unique_ptr<Box> box_;
};
