#include "common/ui/common_dialogs.h"

#include <commdlg.h>

#include <cmath>
#include <cstring>

#include "common/ui/twips.h"

namespace {

ScriptedCommonDialogs*& ActiveScript() {
    static ScriptedCommonDialogs* active = nullptr;
    return active;
}

LOGFONTA LogFontOf(const FontChoice& choice) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(choice.points, ScreenDpiY(), 72);
    font.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = choice.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strncpy(font.lfFaceName, choice.name.c_str(), LF_FACESIZE - 1);
    return font;
}

}  // namespace

HFONT CreateChoiceFont(const FontChoice& choice) {
    LOGFONTA font = LogFontOf(choice);
    return CreateFontIndirectA(&font);
}

std::optional<FontChoice> ChooseFixedPitchFont(HWND owner, const FontChoice& current) {
    if (ScriptedCommonDialogs* script = ActiveScript()) return script->RespondFont(current);
    LOGFONTA font = LogFontOf(current);
    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&dialog)) return std::nullopt;
    FontChoice chosen;
    chosen.name = font.lfFaceName;
    // iPointSize is in tenths of a point; the suite keeps whole points.
    chosen.points = static_cast<int>(std::lround(dialog.iPointSize / 10.0));
    if (chosen.points <= 0) chosen.points = current.points;
    chosen.bold = font.lfWeight >= FW_BOLD;
    chosen.italic = font.lfItalic != 0;
    return chosen;
}

ScriptedCommonDialogs::ScriptedCommonDialogs() : previous_(ActiveScript()) {
    ActiveScript() = this;
}

ScriptedCommonDialogs::~ScriptedCommonDialogs() {
    ActiveScript() = previous_;
}

std::optional<FontChoice> ScriptedCommonDialogs::RespondFont(const FontChoice& current) {
    fontPresets_.push_back(current);
    if (fonts_.empty()) return std::nullopt;
    auto answer = fonts_.front();
    fonts_.pop_front();
    return answer;
}
