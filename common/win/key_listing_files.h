// The key cache files "~seckeys.dat" and "~pubkeys.dat" in the Corvane home
// directory: created by one GnuPG run of the listing batch, shared by every suite
// program, deleted by whatever changes the keyring, re-created by the next reader.
//
// Reading the text is common/key_listing.h; this side finds, creates, reads and
// deletes the files and tells the user what went wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

#include "common/key_listing.h"

// Full paths of the two files in ShellHomeDir.
std::string SecretListingPath();
std::string PublicListingPath();

// Writes "~gpglists.bat" in TempDir and runs it: with setting HideReload 1 hidden
// behind the wait window ("Loading keys ..."), centred over `mainWindow` when that
// is visible; otherwise in a console window that takes the focus. True when the
// batch ran to its end (GnuPG's exit status is not looked at); the result is also
// left in LastRunOk.
bool CreateKeyListing(HWND mainWindow = nullptr);

// Runs CreateKeyListing when either file is missing; tells the user and returns
// false when that fails. Callers repaint their window afterwards.
bool EnsureKeyListing(HWND mainWindow = nullptr);

// Deletes both files (every "~???keys.dat" in the Corvane home); errors ignored.
void DeleteKeyListing();

// EnsureKeyListing, then both files read into a KeyListing. Nothing when the files
// could not be made, the public listing is missing or the secret listing is
// damaged (the caller keeps what it shows). After a format error in the public
// listing both files are deleted and the result holds the keys read before the
// error, with `complete` false. Messages are shown where things go wrong.
std::optional<KeyListing> ReadKeyListing(const KeyListingOptions& options, HWND mainWindow = nullptr);

// The reader's options from the settings store and the user's locale: GraphDisplay
// and LongKeyIDs (key manager section), ColorElgType and ColorKeyPair, the normal
// window text colour, the locale's date style and the system's code pages. The
// algorithm filter is left empty.
KeyListingOptions KeyListingOptionsFromSettings();

// The user's locale: short date and time pictures, day and month names, and the
// current offset of local time from UTC.
DateStyle LocaleDateStyle();

// The process's code pages and the system's conversions for user IDs.
UserIdDecoding SystemUserIdDecoding();

// A user ID from a colon listing, decoded with the process's code pages.
std::string DecodeUserId(std::string_view text);

// UTF-8 to the ANSI code page ("?" for what it cannot show).
std::string Utf8ToAnsi(std::string_view text);
