// Owned GDI handles and the fonts the suite's windows use.
#pragma once

#include <string>
#include <utility>

#include <windows.h>

// Owns one GDI object (font, brush, pen, bitmap) and deletes it.
template <typename Handle>
class UniqueGdiObject {
public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(Handle handle) : handle_(handle) {}
    ~UniqueGdiObject() { reset(); }
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
    UniqueGdiObject(UniqueGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;

// A window's (or the screen's) device context, released on destruction.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

class ScreenDc : public WindowDc {
public:
    ScreenDc() : WindowDc(nullptr) {}
};

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A font of the given face and size in points at the screen's resolution.
UniqueFont CreatePointFont(const std::string& face, int points, bool bold = false);

// The font the system uses for message boxes; MS Sans Serif 8 if it cannot be read.
UniqueFont CreateMessageFont();

// The message font at another size and weight (for captions and notices).
UniqueFont CreateMessageFont(int points, bool bold);

// Size in pixels the text takes in the font: as one line, or word-wrapped within
// wrapWidth when it is above zero. Line breaks in the text are honoured.
SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth = 0);
