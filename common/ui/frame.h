// A frame (group box) that keeps the controls placed on it together: they move
// with it and are shown and hidden with it. The controls stay children of the
// window, placed over the frame, so their notifications reach the window.
#pragma once

#include <string>
#include <vector>

#include "common/ui/controls.h"

class Frame : public Control {
public:
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption = "");
    // Puts a control created at `offset` (twips from the frame's top left) on the
    // frame; the frame moves it there now and with every later move.
    void Hold(Control& control, const TwipRect& offset);
    // Moves the frame and what it holds.
    void Place(const TwipRect& place);
    // Shows or hides the frame with what it holds.
    void Show(bool visible);

private:
    struct Held {
        Control* control;
        TwipRect offset;
    };
    std::vector<Held> held_;
    TwipRect place_;
};
