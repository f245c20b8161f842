// The rich output window (frmOutputRich): a long GnuPG report (packet listings,
// signature listings, ownertrust imports) in a rich-text box, with the buttons,
// pop-up menu and font of the log window. It keeps no place of its own: callers
// give its size and what to centre it on. Closing stores only the font.
//
// Non-modal windows are independent: each ShowRichOutput makes a new one, kept
// until the user closes it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/output_log_layout.h"
#include "common/ui/output_window.h"
#include "common/ui/rich_edit.h"

struct RichOutputRequest {
    std::string caption;
    std::string text;
    int widthTwips = 8000;
    int heightTwips = 6000;
    // Centred over this window when it is shown, else on `area` (screen twips),
    // else on the screen.
    HWND centreOver = nullptr;
    std::optional<TwipBox> area;
    // Modal: ShowRichOutput returns when the user has closed the window.
    bool modal = false;
};

class RichOutputWindow : public OutputWindow {
public:
    ~RichOutputWindow() override;

    // Creates the window hidden, sized and placed as the request says.
    bool Build(const RichOutputRequest& request);

    std::string AllText() const override;
    void SetText(const std::string& text);
    RichEdit& Text() { return richText_; }

    // What a mouse release over a selection does; public for the tests.
    void SelectionReleased();

protected:
    bool CreateTextControl(const TwipRect& place) override;
    Control& TextControl() override { return richText_; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    RichEdit richText_;
};

// Shows the text in a new rich output window. Returns the window while it is open
// (null for a modal window, which is gone on return, or when none could be made).
RichOutputWindow* ShowRichOutput(const RichOutputRequest& request);

// The key manager's hook: called with the selected text when the user releases
// the mouse over a selection in a window captioned "Morvish - Signatures *" or
// "Morvish - PGP Packets *". The key manager feeds it to its key-server box
// (KeyServerBoxAfterSelection, common/key_server_box.h). No handler, no effect.
using RichSelectionHandler = std::function<void(const std::string& selection)>;
void SetRichSelectionHandler(RichSelectionHandler handler);
