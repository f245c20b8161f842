#include "common/output_log_layout.h"

#include <algorithm>

namespace {

// One axis of the placement: a start on the screen keeps its place and loses what
// reaches past the edge; a start past the edge moves to the edge instead.
void FitAxis(int& start, int& extent, int screenExtent) {
    if (start < 0) start = 0;
    if (start + extent > screenExtent) {
        if (start < screenExtent)
            extent = screenExtent - start;
        else
            start = 0;
    }
}

}  // namespace

TwipBox PlaceOutputLog(const StoredOutputLogPlacement& stored, int screenWidth, int screenHeight) {
    TwipBox box;
    box.width = static_cast<int>(stored.width.value_or(kOutputLogDefaultWidth));
    box.height = static_cast<int>(stored.height.value_or(kOutputLogDefaultHeight));
    box.top = static_cast<int>(stored.top.value_or(screenHeight - box.height - kOutputLogBottomAllowance));
    box.left = static_cast<int>(stored.left.value_or(0));
    FitAxis(box.top, box.height, screenHeight);
    FitAxis(box.left, box.width, screenWidth);
    return box;
}

OutputWindowLayout LayOutOutputWindow(int clientWidth, int clientHeight, int clipboardButtonWidth,
                                      int closeButtonWidth) {
    OutputWindowLayout layout;
    int textHeight = std::max(clientHeight - kOutputBandHeight, 0);
    layout.text = {0, 0, std::max(clientWidth, 0), textHeight};
    int buttonTop = textHeight + kOutputButtonGap;
    int frameTop = textHeight + kOutputFrameGap;
    layout.clipboardButton = {kOutputMargin, buttonTop, clipboardButtonWidth, kOutputButtonHeight};
    layout.closeButton = {clientWidth - closeButtonWidth - kOutputMargin, buttonTop, closeButtonWidth,
                          kOutputButtonHeight};
    int mdcLeft = layout.clipboardButton.left + clipboardButtonWidth + kOutputFrameSpacing;
    layout.frameMdc = {mdcLeft, frameTop, kOutputFrameWidth, kOutputFrameHeight};
    layout.frameSig = {mdcLeft + kOutputFrameWidth + kOutputFrameSpacing, frameTop, kOutputFrameWidth,
                       kOutputFrameHeight};
    return layout;
}
