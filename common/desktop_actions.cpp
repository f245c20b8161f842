#include "common/desktop_actions.h"

#include "common/text.h"

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

DesktopLaunch ExploreFolderLaunch(std::string_view folder, std::string_view handler) {
    if (!handler.empty()) return {std::string(handler), Quoted(folder), "open"};
    return {std::string(folder), "", "explore"};
}

DesktopLaunch OpenUrlLaunch(std::string_view address, std::string_view handler) {
    // A web address holds no blanks, so the handler gets it as it is.
    if (!handler.empty()) return {std::string(handler), std::string(address), "open"};
    return {std::string(address), "", "open"};
}

DesktopLaunch SendMailLaunch(std::string_view mailtoText, bool encodedMailto, std::string_view handler) {
    std::string text = encodedMailto ? EncodeMailtoSpaces(mailtoText) : std::string(mailtoText);
    if (!handler.empty()) return {std::string(handler), Quoted(text), "open"};
    return {"mailto:" + text, "", "open"};
}

DesktopLaunch EditFileLaunch(std::string_view path, std::string_view handler) {
    if (!handler.empty()) return {std::string(handler), Quoted(path), "open"};
    // Quoted for Notepad too, so a path with blanks is one file name on every system.
    return {"notepad.exe", Quoted(path), "open"};
}

std::string EncodeMailtoSpaces(std::string_view mailtoText) {
    return StrgReplace(mailtoText, " ", "%20");
}
