// What the desktop operations open, and with which parameters: the folder, web
// address, mail message or text file itself, or the user's own handler shortcut
// in the Corvane home directory that replaces the system's default for it.
//
// Deciding is kept apart from launching so that every rule (quoting, the mailto
// encoding, the verbs) is tested without starting anything.
#pragma once

#include <string>
#include <string_view>

// The handler shortcuts a user may put into the Corvane home directory.
inline constexpr char kExploreHandler[] = "_explore.lnk";
inline constexpr char kUrlHandler[] = "_url-http.lnk";
inline constexpr char kMailtoHandler[] = "_url-mailto.lnk";
inline constexpr char kEditHandler[] = "_edit.lnk";

// One call of the shell's "execute" operation.
struct DesktopLaunch {
    std::string file;        // what is opened: a folder, an address, a shortcut, a program
    std::string parameters;  // "" = none
    std::string verb;        // "open" or "explore"

    bool operator==(const DesktopLaunch&) const = default;
};

// Each takes the full path of the handler shortcut when the user has one, else "".
DesktopLaunch ExploreFolderLaunch(std::string_view folder, std::string_view handler);
DesktopLaunch OpenUrlLaunch(std::string_view address, std::string_view handler);
DesktopLaunch SendMailLaunch(std::string_view mailtoText, bool encodedMailto, std::string_view handler);
DesktopLaunch EditFileLaunch(std::string_view path, std::string_view handler);

// Some mail programs cut a mailto address at its first blank; with the
// EncodedMailto switch every space goes as "%20" instead.
std::string EncodeMailtoSpaces(std::string_view mailtoText);
