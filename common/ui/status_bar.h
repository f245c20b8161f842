// A status bar of panels, each with its own tooltip, reporting clicks and double
// clicks by panel.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/ui/controls.h"

class StatusBar : public Control {
public:
    bool Create(Window& parent, const std::string& name);
    // Right edges come from the widths (pixels); -1 stretches the panel.
    void SetPanelWidths(const std::vector<int>& widths);
    int PanelCount() const { return static_cast<int>(widths_.size()); }
    void SetPanelText(int panel, const std::string& text);
    std::string PanelText(int panel) const;
    void SetPanelTip(int panel, const std::string& tip);
    std::string PanelTip(int panel) const;
    // The parent calls it after resizing the bar, so the tooltips follow the panels.
    void Layout();
    int Height() const;

    // Which panel a click or double click of WM_NOTIFY went to: -1 when the
    // notification is something else.
    int ClickedPanel(const NMHDR* header, bool& doubleClick) const;

private:
    std::vector<int> widths_;
    std::vector<std::string> tips_;
    HWND tooltip_ = nullptr;
};
