// Link-style labels: text in the system's link colour, underlined, with the hand
// cursor. A click tells the parent window like a button does: WM_COMMAND with the
// label's id and STN_CLICKED, so windows handle links in OnCommand.
//
// The label draws itself (a class of its own, "CorvaneLinkLabel") so it needs no
// help from its parent for colours; it takes the parent's background brush.
#pragma once

#include <string>

#include "common/ui/controls.h"

inline constexpr char kLinkLabelClass[] = "CorvaneLinkLabel";

class LinkLabel : public Control {
public:
    // The caption is translated, as for every label.
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption);
    // Width and height of the text in the label's font; the top left stays.
    void FitToText();
};
