#include "keymanager/key_list_settings.h"

#include <cmath>

#include "common/setting_values.h"
#include "common/ui/twips.h"
#include "common/win/settings.h"

namespace {

const char* Flag(bool on) {
    return on ? "1" : "0";
}

bool Bool(const char* section, const char* key, const char* defaultValue) {
    return ReadBoolSetting(section, key, defaultValue);
}

}  // namespace

KeyListSettings ReadKeyListSettings() {
    KeyListSettings s;
    s.fullRowSelect = Bool("Settings", "FullRowSelect", "1");
    s.gridLines = Bool("Settings", "GridLines", "0");
    s.remDataFiles = Bool("Settings", "RemDataFiles", "0");
    s.renewKeys = Bool("Settings", "RenewKeys", "0");
    s.autoReload = Bool(kKeyManagerSection, "AutoReload", "1");
    s.hideCardMenu = Bool(kKeyManagerSection, "HideCardMenu", "1");
    s.longKeyIds = Bool(kKeyManagerSection, "LongKeyIDs", "False");
    s.viewToolbar = Bool(kKeyManagerSection, "ViewToolbar", "True");
    s.viewButtons = Bool(kKeyManagerSection, "ViewButtons", "True");
    s.backupKeyRings = Bool("Settings", "BackupKeyRings", "False");
    s.watchRingChange = Bool("Settings", "WatchRingChange", "1");
    for (int n = 1; n <= 5; ++n)
        s.keyServers.push_back(ReadSetting(kKeyManagerSection, "KeyServer_" + std::to_string(n)));
    return s;
}

UniqueFont ListFontFromSettings() {
    std::string size = ReadSetting(kKeyManagerSection, "KeyListFontSize");
    if (size.empty()) return {};
    std::optional<double> points = ParseSettingNumber(size);
    if (!points || *points <= 0 || *points > 200) return {};
    LOGFONTA font = {};
    font.lfHeight = -static_cast<LONG>(std::lround(*points * ScreenDpiY() / 72.0));
    font.lfWeight = Bool(kKeyManagerSection, "KeyListFontBold", "0") ? FW_BOLD : FW_NORMAL;
    font.lfItalic = Bool(kKeyManagerSection, "KeyListFontItalic", "0") ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    std::string face = ReadSetting(kKeyManagerSection, "KeyListFontName");
    lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&font));
}

StoredPlacement ReadStoredPlacement() {
    StoredPlacement p;
    p.state = ReadSetting(kKeyManagerSection, "WindowState", "Normal");
    p.width = ReadSetting(kKeyManagerSection, "WindowWidth");
    p.height = ReadSetting(kKeyManagerSection, "WindowHeight");
    p.top = ReadSetting(kKeyManagerSection, "WindowTop");
    p.left = ReadSetting(kKeyManagerSection, "WindowLeft");
    return p;
}

std::vector<std::string> ReadColumnPositions() {
    std::vector<std::string> positions;
    for (int c = 0; c < 8; ++c)
        positions.push_back(ReadSetting(kKeyManagerSection, kColumnPositionKeys[c], std::to_string(c + 1)));
    return positions;
}

std::vector<int> ReadColumnWidths() {
    std::vector<int> widths;
    for (int c = 0; c < 8; ++c)
        widths.push_back(ColumnWidthFromSetting(ReadSetting(kKeyManagerSection, kColumnWidthKeys[c]), c, ScreenDpiX()));
    return widths;
}

void StoreKeyListLayout(const KeyListLayout& layout) {
    const char* section = kKeyManagerSection;
    WriteSetting(section, "WindowState", layout.maximized ? "Maximized" : "Normal");
    if (!layout.maximized) {
        const RECT& r = layout.normalBounds;
        WriteSetting(section, "WindowWidth", std::to_string(PixelsToTwipsX(r.right - r.left)));
        WriteSetting(section, "WindowHeight", std::to_string(PixelsToTwipsY(r.bottom - r.top)));
        WriteSetting(section, "WindowTop", std::to_string(PixelsToTwipsY(r.top)));
        WriteSetting(section, "WindowLeft", std::to_string(PixelsToTwipsX(r.left)));
    }
    LOGFONTA font = {};
    if (layout.listFont && GetObjectA(layout.listFont, sizeof font, &font)) {
        WriteSetting(section, "KeyListFontName", font.lfFaceName);
        long points = std::lround(std::abs(font.lfHeight) * 72.0 / ScreenDpiY());
        WriteSetting(section, "KeyListFontSize", std::to_string(points));
        WriteSetting(section, "KeyListFontBold", Flag(font.lfWeight >= FW_BOLD));
        WriteSetting(section, "KeyListFontItalic", Flag(font.lfItalic != 0));
    }
    for (size_t c = 0; c < 8 && c < layout.columnPositions.size(); ++c)
        WriteSetting(section, kColumnPositionKeys[c], std::to_string(layout.columnPositions[c]));
    for (size_t c = 0; c < 8 && c < layout.columnWidths.size(); ++c)
        WriteSetting(section, kColumnWidthKeys[c], std::to_string(layout.columnWidths[c]));
    WriteSetting(section, "LongKeyIDs", Flag(layout.longKeyIds));
    WriteSetting(section, "ViewToolbar", Flag(layout.viewToolbar));
    WriteSetting(section, "ViewButtons", Flag(layout.viewButtons));
    WriteSetting("Settings", "BackupKeyRings", Flag(layout.backupKeyRings));
}
