// What the key list's find box matches: the text typed, anywhere in a row's user
// ID or key ID, ignoring case, with the suite's wildcards working inside it.
// Platform-free.
#pragma once

#include <string>
#include <string_view>

// The grey hint an empty find box shows (five blanks first).
inline constexpr const char* kFindHint = "     <Find in List>";

// True when the lower-cased user ID or key-ID column matches "*" + lower(text) + "*".
// An empty text matches nothing.
bool FindMatchesRow(std::string_view findText, std::string_view userId, std::string_view keyIdColumn);

// Text dropped on the box: "Name <mail>" (it matches "* <*>") gives "Name"
// (everything up to two characters before the first "<"); other text stays.
std::string DroppedFindText(std::string_view text);
