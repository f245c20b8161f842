#include "common/ui/frame.h"

#include "common/translation.h"

bool Frame::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption) {
    place_ = place;
    // WS_CLIPSIBLINGS keeps the group box from painting over the controls it holds.
    return CreateChild(parent, "BUTTON", name, place, Translate(caption), BS_GROUPBOX | WS_CLIPSIBLINGS);
}

void Frame::Hold(Control& control, const TwipRect& offset) {
    held_.push_back({&control, offset});
    control.Move({place_.left + offset.left, place_.top + offset.top, offset.width, offset.height});
    // Above the group box, which would otherwise hide them.
    SetWindowPos(control.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Frame::Place(const TwipRect& place) {
    place_ = place;
    Move(place);
    for (const auto& h : held_)
        h.control->Move({place.left + h.offset.left, place.top + h.offset.top, h.offset.width, h.offset.height});
}

void Frame::Show(bool visible) {
    SetVisible(visible);
    for (const auto& h : held_) h.control->SetVisible(visible);
}
