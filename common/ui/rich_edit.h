// A rich-text box: the output windows show packet listings and other long GnuPG
// reports in one, because it copes with any amount of text and lets the user
// select across it.
#pragma once

#include <string>

#include "common/ui/controls.h"

struct RichEditStyle {
    bool readOnly = false;
    bool verticalScroll = true;
    bool horizontalScroll = false;
};

class RichEdit : public Control {
public:
    // Loads the rich edit library the first time; false when it is missing.
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& text,
                const RichEditStyle& style = {});
    // The whole text with CR LF line ends.
    std::string AllText() const;
    void SelectAll() const;
    void Select(int start, int length) const;
    std::string SelectedText() const;
};

// The window class the control is made of ("RichEdit20A").
const char* RichEditClassName();
