#include "common/ui/font_variants.h"

namespace {

bool ReadFont(HFONT base, LOGFONTA& font) {
    HGDIOBJ source = base ? static_cast<HGDIOBJ>(base) : GetStockObject(DEFAULT_GUI_FONT);
    return GetObjectA(source, sizeof font, &font) != 0;
}

}  // namespace

UniqueFont BoldVariant(HFONT base) {
    LOGFONTA font{};
    if (!ReadFont(base, font)) return UniqueFont();
    font.lfWeight = FW_BOLD;
    return UniqueFont(CreateFontIndirectA(&font));
}

UniqueFont UnderlinedVariant(HFONT base) {
    LOGFONTA font{};
    if (!ReadFont(base, font)) return UniqueFont();
    font.lfUnderline = TRUE;
    return UniqueFont(CreateFontIndirectA(&font));
}
