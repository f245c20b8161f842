// The round indicator lights of the output log window: neutral (grey), good
// (green) and alarm (red). The three pictures are drawn here at the screen's
// resolution, so they stay round and sharp at any DPI.
#pragma once

#include <string>

#include "common/ui/controls.h"
#include "common/ui/gdi.h"

// The numbers are the positions in the suite's light list.
enum class Light { Neutral = 1, Good = 2, Alarm = 3 };

class IndicatorLight : public Control {
public:
    // A square static picture of `sizeTwips`, neutral at first.
    bool Create(Window& parent, const std::string& name, const TwipRect& place);
    void Set(Light light);
    Light State() const { return state_; }

private:
    UniqueBitmap pictures_[3];
    Light state_ = Light::Neutral;
};

// The colour a light of that state shows in its middle (for tests and for anyone
// who draws a light elsewhere).
COLORREF LightColour(Light light);
