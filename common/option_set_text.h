// Option sets: named files of GnuPG options in "_options" below the Corvane home
// directory. Applying one rewrites gpg.conf from it, with a first line that tells
// which set it came from. The text work lives here, apart from the files.
#pragma once

#include <string>
#include <string_view>

// gpg.conf written from a set begins with this line.
inline constexpr char kOptionSetMarker[] = "#@#";
// Folder of the sets below the Corvane home directory, and their extension.
inline constexpr char kOptionSetFolder[] = "_options";
inline constexpr char kOptionSetExtension[] = ".txt";

// The first line of a gpg.conf written from the set.
std::string OptionSetMarkerLine(std::string_view setName);

// gpg.conf's new text from the set's file text: the marker line, an empty line,
// then every non-empty line of the set trimmed, each ending in CR LF. A line
// "comment2 <text>" becomes "comment <text>": the sets keep a second comment
// option of their own that GnuPG knows only as "comment".
std::string ComposeGpgConfFromOptionSet(std::string_view setName, std::string_view setText);

// The first line of the text that begins with `start`, trimmed, or "". Only whole
// lines count: a start text in the middle of a line is not a match. Any line end
// (CR LF, LF, CR) is taken.
std::string FindLineStartingWith(std::string_view text, std::string_view start);
