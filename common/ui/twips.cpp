#include "common/ui/twips.h"

#include "common/ui/gdi.h"

namespace {

int ReadScreenCaps(int index) {
    ScreenDc screen;
    int dpi = screen ? GetDeviceCaps(screen.get(), index) : 0;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int ScreenDpiX() {
    static const int dpi = ReadScreenCaps(LOGPIXELSX);
    return dpi;
}

int ScreenDpiY() {
    static const int dpi = ReadScreenCaps(LOGPIXELSY);
    return dpi;
}

int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

int PixelsToTwips(int pixels, int dpi) {
    return MulDiv(pixels, kTwipsPerInch, dpi);
}

int TwipsToPixelsX(int twips) {
    return TwipsToPixels(twips, ScreenDpiX());
}
int TwipsToPixelsY(int twips) {
    return TwipsToPixels(twips, ScreenDpiY());
}
int PixelsToTwipsX(int pixels) {
    return PixelsToTwips(pixels, ScreenDpiX());
}
int PixelsToTwipsY(int pixels) {
    return PixelsToTwips(pixels, ScreenDpiY());
}

RECT ToPixels(const TwipRect& twips) {
    // Convert the edges, not the sizes, so that controls laid side by side in twips
    // stay flush in pixels.
    RECT r;
    r.left = TwipsToPixelsX(twips.left);
    r.top = TwipsToPixelsY(twips.top);
    r.right = TwipsToPixelsX(twips.left + twips.width);
    r.bottom = TwipsToPixelsY(twips.top + twips.height);
    return r;
}

int CaptionHeightTwips() {
    return PixelsToTwipsY(GetSystemMetrics(SM_CYCAPTION));
}
