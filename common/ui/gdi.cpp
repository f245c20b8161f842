#include "common/ui/gdi.h"

#include <cstring>

#include "common/ui/twips.h"

namespace {

int PointsToHeight(int points) {
    return -MulDiv(points, ScreenDpiY(), 72);
}

bool ReadMessageFont(LOGFONTA& font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    font = metrics.lfMessageFont;
    return font.lfFaceName[0] != '\0';
}

LOGFONTA FallbackFont() {
    LOGFONTA font{};
    font.lfHeight = PointsToHeight(8);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return font;
}

}  // namespace

UniqueFont CreatePointFont(const std::string& face, int points, bool bold) {
    LOGFONTA font{};
    font.lfHeight = PointsToHeight(points);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::strncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectA(&font));
}

UniqueFont CreateMessageFont() {
    LOGFONTA font;
    if (!ReadMessageFont(font)) font = FallbackFont();
    return UniqueFont(CreateFontIndirectA(&font));
}

UniqueFont CreateMessageFont(int points, bool bold) {
    LOGFONTA font;
    if (!ReadMessageFont(font)) font = FallbackFont();
    font.lfHeight = PointsToHeight(points);
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return UniqueFont(CreateFontIndirectA(&font));
}

SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth) {
    ScreenDc screen;
    SIZE size{0, 0};
    if (!screen) return size;
    SelectedObject selected(screen.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0);
    // DrawText measures an empty text as nothing; a label still needs one line.
    const std::string measured = text.empty() ? std::string(" ") : text;
    DrawTextA(screen.get(), measured.c_str(), static_cast<int>(measured.size()), &r, format);
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
    return size;
}
