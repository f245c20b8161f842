// Typed wrappers over the child controls a window is built from. Each control is
// created in code at twip geometry, registered with its window under its name, and
// gets the window's control font. Child windows go with their parent, so a wrapper
// does not destroy its control; it stays with the window object that holds it.
#pragma once

#include <string>
#include <utility>

#include <windows.h>

#include "common/ui/twips.h"

class Window;

enum class TextAlign { Left, Centre, Right };

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return handle_; }
    bool Exists() const { return handle_ != nullptr && IsWindow(handle_); }
    const std::string& Name() const { return name_; }
    int Id() const { return id_; }

    std::string Text() const;
    void SetText(const std::string& text);
    void SetFont(HFONT font);
    HFONT Font() const;
    void Enable(bool enabled);
    bool Enabled() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void Move(const TwipRect& place);
    // Place in the parent's client area, in pixels.
    RECT Bounds() const;
    void Focus();
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

protected:
    // Creates the child window of a standard or common-control class. id 0 takes a
    // fresh identifier from the parent.
    bool CreateChild(Window& parent, const char* windowClass, const std::string& name, const TwipRect& place,
                     const std::string& text, DWORD style, DWORD exStyle = 0, int id = 0);

private:
    HWND handle_ = nullptr;
    std::string name_;
    int id_ = 0;
};

// Static text. Ampersands are shown as they are: labels carry user IDs and file
// names, not keyboard mnemonics.
class Label : public Control {
public:
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption,
                TextAlign align = TextAlign::Left);
};

class Button : public Control {
public:
    // isDefault draws it as the button Enter presses; the window's SetDefaultButton
    // decides which one that is.
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption, int id = 0,
                bool isDefault = false);
    void Click() const;
};

struct TextBoxStyle {
    bool multiLine = false;
    bool readOnly = false;
    bool password = false;
    bool verticalScroll = false;
    bool horizontalScroll = false;
};

class TextBox : public Control {
public:
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& text,
                const TextBoxStyle& style = {});
    void SelectAll() const;
    void Select(int start, int length) const;
    // Start and end of the selection (characters).
    std::pair<int, int> Selection() const;
};
