#include "common/ui/indicator_light.h"

#include <algorithm>

namespace {

// Draws one light: a disc in the state's colour with a darker rim and a small
// highlight, on the button face colour the frames around it use.
UniqueBitmap DrawLight(Light light, int size) {
    ScreenDc screen;
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
    HDC dc = CreateCompatibleDC(screen.get());
    if (!bitmap || !dc) {
        if (dc) DeleteDC(dc);
        return bitmap;
    }
    {
        SelectedObject selectedBitmap(dc, bitmap.get());
        RECT all{0, 0, size, size};
        UniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        FillRect(dc, &all, face.get());

        COLORREF colour = LightColour(light);
        COLORREF rim = RGB(GetRValue(colour) / 2, GetGValue(colour) / 2, GetBValue(colour) / 2);
        UniqueBrush fill(CreateSolidBrush(colour));
        UniquePen edge(CreatePen(PS_SOLID, std::max(1, size / 12), rim));
        {
            SelectedObject selectedBrush(dc, fill.get());
            SelectedObject selectedPen(dc, edge.get());
            Ellipse(dc, 1, 1, size - 1, size - 1);
        }
        // A highlight up left makes it read as a lamp rather than a dot.
        int spot = std::max(2, size / 4);
        UniqueBrush shine(CreateSolidBrush(RGB((GetRValue(colour) + 255 * 2) / 3, (GetGValue(colour) + 255 * 2) / 3,
                                               (GetBValue(colour) + 255 * 2) / 3)));
        SelectedObject selectedShine(dc, shine.get());
        SelectedObject noPen(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, size / 4, size / 4, size / 4 + spot, size / 4 + spot);
    }
    DeleteDC(dc);
    return bitmap;
}

}  // namespace

COLORREF LightColour(Light light) {
    switch (light) {
        case Light::Good:
            return RGB(0, 176, 0);
        case Light::Alarm:
            return RGB(224, 0, 0);
        case Light::Neutral:
            break;
    }
    return RGB(160, 160, 160);
}

bool IndicatorLight::Create(Window& parent, const std::string& name, const TwipRect& place) {
    if (!CreateChild(parent, "STATIC", name, place, "", SS_BITMAP | SS_CENTERIMAGE)) return false;
    RECT r = ToPixels(place);
    int size = std::max(4, static_cast<int>(std::min(r.right - r.left, r.bottom - r.top)));
    for (Light light : {Light::Neutral, Light::Good, Light::Alarm})
        pictures_[static_cast<int>(light) - 1] = DrawLight(light, size);
    state_ = Light::Good;  // forces the first Set to put the picture in
    Set(Light::Neutral);
    return true;
}

void IndicatorLight::Set(Light light) {
    if (light == state_) return;
    state_ = light;
    Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pictures_[static_cast<int>(light) - 1].get()));
}
