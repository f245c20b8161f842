// What GnuPG writes into an output file, turned into text for the output
// windows, and the command lines of the shared key operations (export, import,
// packet listing).
//
// GnuPG's messages ("gpg: ...") and its status lines ("[GNUPG:] ...") share one
// stream when a command says --status-fd 1 --logger-fd 1, and the two may end up
// on one line. The functions here break such lines apart, drop the status lines
// and make the rest readable. Platform-free: the OEM -> ANSI conversion comes in
// from the Windows side.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/colon_fields.h"

// Text converted from one code page to another (ConvertFromDosCodepage).
using CodepageConversion = std::string (*)(std::string_view);

inline constexpr const char* kCrLf = "\r\n";

// ---- Cleaning GnuPG's output --------------------------------------------------

// Every LF not preceded by CR becomes CR LF; existing CR LF pairs stay.
std::string NormalizeLineEnds(std::string_view text);

// Starts a new line wherever "gpg: " or "[GNUPG:] " (case as written) stands
// after two characters that are not CR LF, so a message or status line glued to
// the end of another line gets a line of its own. A "gpg: " right after a dot is
// the end of a file name ("c:/keys/trustdb.gpg: trustdb created") and stays where
// it is. Expects CR LF line ends (NormalizeLineEnds first).
std::string SplitGluedLines(std::string_view text);

// The lines that are not status lines (lower-cased, they do not start with
// "[gnupg:] "), each followed by CR LF.
std::string StripStatusLinesFromText(std::string_view text);

// GnuPG's messages made fit for display: "\x" escapes decoded, converted from
// the OEM code page (a null conversion leaves the text alone), and with
// `removeGpgPrefix` the "gpg: " prefixes removed and "key " at the start of a
// line written "Key ".
std::string CleanGnuPGMessages(std::string_view text, bool removeGpgPrefix, CodepageConversion fromDos);

// ---- The import report ----------------------------------------------------------

// What the status lines of an import say, for the first light of the log window.
enum class ImportVerdict { None, Ok, Problem };

// Lower-cased, "[gnupg:] import_ok" anywhere gives Ok and "[gnupg:] import_problem"
// gives Problem (the problem wins when both stand); an empty text is None.
ImportVerdict ImportVerdictOf(std::string_view outputText);

// Modification times of the three keyring files (0 = missing or unreadable).
struct KeyringTimes {
    uint64_t pubring = 0;
    uint64_t secring = 0;
    uint64_t trustdb = 0;
};

// The notices for the files whose times differ: "- Public keyring updated. -",
// "- Secret keyring updated. -", "- Trust DB updated. -", each with CR LF.
// Nothing when the times after the run are unknown.
std::string KeyringNotices(const KeyringTimes& before, const std::optional<KeyringTimes>& after);

// The message part of an import entry: the messages left after the status lines
// are gone (already cleaned), or "- No message from GnuPG. -" when there are
// none; trailing CR LF pairs removed, two CR LF appended, then the notices.
std::string ImportEntryText(std::string_view cleanedMessages, std::string_view notices);

// ---- The output log -------------------------------------------------------------

// "Time: " + local date and time + " (" + UTC date and time + " UTC)" + CR LF; both
// texts are the short date, a blank and the long time of the user's locale.
std::string LogTimeLine(std::string_view localDateTime, std::string_view utcDateTime);

// An entry with its footer: one more CR LF after a keyring notice, the line
// "File: " + source (left out for no source and for the tray's own clipboard
// file "~pallow.asc"), then the time line.
std::string ComposeLogEntry(std::string_view entry, std::string_view sourceFile, std::string_view timeLine);

// The log with the entry on top, separated from the older entries by a line of
// 70 asterisks.
std::string PrependLogEntry(std::string_view log, std::string_view entry);

// ---- Command lines ----------------------------------------------------------------
//
// `keyIds` are items " 0x" + hex digits, each with its leading blank; files and
// paths are quoted for the batch file here. `outFile` is the full path of the
// output file.

std::string ExportCommand(std::string_view gnupgExeName, std::string_view file, bool secret, std::string_view keyIds,
                          bool hidden);

// `toLog`: GnuPG's messages and status lines go to `outFile` for the log window;
// otherwise GnuPG writes to its console.
std::string ImportCommand(std::string_view gnupgExeName, std::string_view file, bool hidden, bool toLog,
                          std::string_view outFile);

std::string GnuPGPacketsCommand(std::string_view gnupgExePath, std::string_view file, bool hidden,
                                std::string_view outFile);

// `options` as read from the settings (see PgpDumpOptionsFromSetting).
std::string PgpDumpPacketsCommand(std::string_view pgpDumpPath, std::string_view options, std::string_view file,
                                  std::string_view outFile);

// The stored PgpDumpOptions without one pair of enclosing single quotes (the
// preferences store " -i -u" as "' -i -u'" to keep the leading blank).
std::string PgpDumpOptionsFromSetting(std::string_view stored);

// ---- Packet listings --------------------------------------------------------------

// The output of GnuPG's --list-packets or of pgpdump made fit for display. User
// IDs in it are UTF-8 (raw, or partly escaped as "\x" pairs by GnuPG), so the text
// takes the user-ID decoding of the key lists: escapes decoded, well-formed UTF-8
// converted to the ANSI code page, anything else repaired and converted from the
// OEM code page. With `cygwin` a Cygwin GnuPG's bare LF line ends become CR LF.
// A NUL byte (an escaped "\x00") would cut the shown text short: it becomes "?".
std::string PacketListingText(std::string_view output, bool pgpDump, bool cygwin, const UserIdDecoding& decoding);
