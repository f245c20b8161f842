// The texts of the key-server fetch box: which caption the button gets for what
// the user typed, and the console command a fetch or search runs. The typed text
// and the server name reach a batch file, so both pass through BatchLiteral.
// Platform-free.
#pragma once

#include <string>
#include <string_view>

inline constexpr const char* kFetchHint = "0x";
inline constexpr const char* kEnterIdHint = " <Enter User or Key ID>";
inline constexpr const char* kDefaultServerEntry = " <default server from options-file>";

inline constexpr const char* kKeyServerCaption = "Key-&server";
inline constexpr const char* kGetCaption = "Get from Key-&server";
inline constexpr const char* kSearchCaption = "Search on Key-&server";

// True for what counts as no input: "", "0x" or a text holding the hint
// "<Enter User or Key ID>".
bool IsEmptyFetchText(std::string_view text);

// "0x" + 8 or 16 of [a-zA-Z0-9], alone or followed by a blank and anything:
// the text is fetched by key ID; anything else is searched for.
bool IsKeyIdFetchText(std::string_view text);

// The untranslated button caption for the box's text.
const char* FetchButtonCaption(std::string_view text);

// " --keyserver " + server, or "" when the combo shows its default entry (or is
// empty).
std::string KeyServerPart(std::string_view comboText);

// The console command (lines joined by CR LF) that fetches or searches `text`
// on `comboText`'s server with GnuPG `gpgExeName`.
std::string ComposeFetchCommand(std::string_view text, std::string_view comboText, std::string_view gpgExeName);
