// The suite's mark in the "Version:" header of the armored files GnuPG writes for
// it (exports, encryptions, signatures): "Version: GnuPG v1 - Corvane v1.00", or
// a header text of the user's own choice (section "Tamsel", key VersionLine).
// Platform-free; common/win/version_line_file.h applies it to a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The armored text with its version header changed, or nothing when it stays as
// it is.
//
// Only a text with a line starting "Version: GnuPG v" (after CR LF) is touched.
// With `signature` the header looked at is the one right below "-----BEGIN PGP
// SIGNATURE-----" (the signature block of a clear-signed text); otherwise the
// first such line. An empty `versionLine`, or one like "PGP 8.0", appends
// " - Corvane v" + `programVersion` to the header; any other text replaces
// everything after "Version: ". Either way a header that already ends that way is
// left alone, so stamping twice changes nothing. Line breaks in `versionLine`
// become blanks: they would start armor headers of their own. The result ends
// with CR LF.
std::optional<std::string> StampVersionLineText(std::string_view text, bool signature, std::string_view versionLine,
                                                std::string_view programVersion);
