// A flat toolbar along the top of a window. Its buttons come with the commands
// they run; until then it is the strip that holds the find box.
#pragma once

#include <string>

#include "common/ui/controls.h"

class Toolbar : public Control {
public:
    bool Create(Window& parent, const std::string& name, bool flat = true);
    // Right edge of the last button in twips (0 without buttons).
    int ButtonsRight() const;
};

// Height of the toolbar strip in twips.
inline constexpr int kToolbarHeight = 420;
