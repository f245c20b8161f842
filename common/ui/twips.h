// Window geometry is described in twips (1/1440 inch), as every window of the suite
// is laid out; controls are created in pixels at the screen's real resolution.
#pragma once

#include <windows.h>

inline constexpr int kTwipsPerInch = 1440;

// A control's or window's place in twips: left, top, width, height.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The screen's logical resolution (LOGPIXELSX / LOGPIXELSY). A process keeps the
// resolution it started with, so it is read once.
int ScreenDpiX();
int ScreenDpiY();

// Conversions at a given resolution, rounded to the nearest unit. At any resolution
// up to 1440 dpi, pixels -> twips -> pixels gives back the same pixel count.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

// The same at the screen's resolution: X for left/width, Y for top/height.
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// Pixel rectangle (left, top, right, bottom) of a twip rectangle.
RECT ToPixels(const TwipRect& twips);

// Height of a window caption in twips: the system's caption height in pixels times
// the twips per pixel, rounded.
int CaptionHeightTwips();
